#pragma once

#include "AaxHost.h"

#include <functional>
#include <string>

namespace aax_host
{
/** A plug-in module opened with dlopen: its seven entry functions and the hook that runs its message
    loop. Starting it gives it the host's services and registers its effects in the host's collection;
    it is closed only once ACFCanUnloadNow allows. Everything here runs on the thread that calls the hook. */
class LoadedModule
{
public:
    /** A bundle folder (the binary is found under Contents/) or the binary itself. */
    explicit LoadedModule (const std::string& path);
    /** Stops a started module and closes it when it can be unloaded. */
    ~LoadedModule();

    LoadedModule (const LoadedModule&) = delete;
    LoadedModule& operator= (const LoadedModule&) = delete;

    /** Empty when the module opened and has every entry function. */
    const std::string& error() const noexcept { return problem; }
    const std::string& binary() const noexcept { return binaryPath; }

    /** ACFStartup, then ACFRegisterPlugin into the host's collection; the first failing result. */
    ACFRESULT start (Host& host);
    /** Gives the registered definition back and calls ACFShutdown. */
    ACFRESULT stop();
    /** The module's answer: 0 when no object of it is alive. */
    ACFRESULT canUnloadNow() const;
    /** Closes the module if it can be unloaded; true when closed. */
    bool unload();
    /** Runs the module's message loop for that long on the calling thread. */
    void runMessageLoop (int milliseconds) const;
    /** Runs the message loop in short slices until the condition holds (true) or the time is up (false). */
    bool runMessageLoopUntil (int milliseconds, const std::function<bool()>& condition) const;
    /** Runs the message loop for that long. */
    void runMessageLoopFor (int milliseconds) const;

    acfUInt64 sdkVersion() const;
    /** The collection the registration filled, or null before it. */
    HostCollection* collection() const noexcept { return registered; }
    /** The first effect of the collection, or null. */
    HostEffectDescriptor* effect() const;

    /** The binary inside a bundle folder (the one named after the bundle, else the folder's only one), or
        the path itself when it is no folder; problem says why a bundle's binary is not clear. */
    static std::string binaryIn (const std::string& path, std::string& problem);

private:
    template <typename Function> Function entry (const char* name);

    std::string binaryPath, problem;
    void* handle = nullptr;
    Host* startedHost = nullptr;
    HostCollection* registered = nullptr;
    IACFPluginDefinition* definition = nullptr;

    ACFRESULT (*registerPlugin) (IACFUnknown*, IACFPluginDefinition**) = nullptr;
    ACFRESULT (*canUnload)() = nullptr;
    ACFRESULT (*startup) (IACFUnknown*) = nullptr;
    ACFRESULT (*shutdown) (IACFUnknown*) = nullptr;
    ACFRESULT (*getSDKVersion) (acfUInt64*) = nullptr;
    void (*runLoop) (int) = nullptr;
};
} // namespace aax_host
