#include "LoadedModule.h"

#include <chrono>
#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>

namespace aax_host
{
std::string LoadedModule::binaryIn (const std::string& path)
{
    struct stat info
    {
    };

    if (stat (path.c_str(), &info) != 0 || ! S_ISDIR (info.st_mode))
        return path;

    // A bundle holds its binary in one platform folder below Contents.
    const auto platformFolder = path + "/Contents/x86_64-linux";

    if (auto* folder = opendir (platformFolder.c_str()))
    {
        std::string found;

        while (auto* item = readdir (folder))
        {
            const std::string name (item->d_name);

            if (name.size() > 3 && name.compare (name.size() - 3, 3, ".so") == 0)
                found = platformFolder + "/" + name;
        }

        closedir (folder);

        if (! found.empty())
            return found;
    }

    return platformFolder + "/PLEMVO.so";
}

template <typename Function> Function LoadedModule::entry (const char* name)
{
    auto* symbol = dlsym (handle, name);

    if (symbol == nullptr && problem.empty())
        problem = std::string ("the module has no ") + name;

    return reinterpret_cast<Function> (symbol);
}

LoadedModule::LoadedModule (const std::string& path)
    : binaryPath (binaryIn (path))
{
    handle = dlopen (binaryPath.c_str(), RTLD_NOW | RTLD_LOCAL);

    if (handle == nullptr)
    {
        const auto* reason = dlerror();
        problem = reason != nullptr ? reason : "dlopen failed";
        return;
    }

    registerPlugin = entry<decltype (registerPlugin)> ("ACFRegisterPlugin");
    entry<void*> ("ACFRegisterComponent");
    entry<void*> ("ACFGetClassFactory");
    canUnload = entry<decltype (canUnload)> ("ACFCanUnloadNow");
    startup = entry<decltype (startup)> ("ACFStartup");
    shutdown = entry<decltype (shutdown)> ("ACFShutdown");
    getSDKVersion = entry<decltype (getSDKVersion)> ("ACFGetSDKVersion");
    runLoop = entry<decltype (runLoop)> ("VqRunMessageLoop");
}

LoadedModule::~LoadedModule()
{
    if (startedHost != nullptr)
        stop();

    unload();
}

ACFRESULT LoadedModule::start (Host& host)
{
    if (! problem.empty())
        return ACF_E_UNEXPECTED;

    startedHost = &host;

    if (const auto result = startup (host.unknown()); result != ACF_OK)
        return result;

    const auto result = registerPlugin (host.unknown(), &definition);
    registered = dynamic_cast<HostCollection*> (definition);
    return result;
}

ACFRESULT LoadedModule::stop()
{
    if (startedHost == nullptr)
        return ACF_OK;

    if (definition != nullptr)
        definition->Release();

    definition = nullptr;
    registered = nullptr;
    const auto result = shutdown (startedHost->unknown());
    startedHost = nullptr;
    return result;
}

ACFRESULT LoadedModule::canUnloadNow() const
{
    return problem.empty() ? canUnload() : ACF_OK;
}

bool LoadedModule::unload()
{
    if (handle == nullptr)
        return true;

    if (canUnloadNow() != ACF_OK)
        return false;

    dlclose (handle);
    handle = nullptr;
    return true;
}

void LoadedModule::runMessageLoop (int milliseconds) const
{
    if (runLoop != nullptr)
        runLoop (milliseconds);
}

bool LoadedModule::runMessageLoopUntil (int milliseconds, const std::function<bool()>& condition) const
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds (milliseconds);

    while (! condition())
    {
        if (std::chrono::steady_clock::now() >= end)
            return false;

        runMessageLoop (5);
    }

    return true;
}

void LoadedModule::runMessageLoopFor (int milliseconds) const
{
    runMessageLoopUntil (milliseconds, [] { return false; });
}

acfUInt64 LoadedModule::sdkVersion() const
{
    acfUInt64 version = 0;

    if (getSDKVersion != nullptr)
        getSDKVersion (&version);

    return version;
}

HostEffectDescriptor* LoadedModule::effect() const
{
    return registered != nullptr && ! registered->effects.empty() ? registered->effects.front().second : nullptr;
}
} // namespace aax_host
