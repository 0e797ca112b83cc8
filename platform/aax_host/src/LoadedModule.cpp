#include "LoadedModule.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <dirent.h>
#include <dlfcn.h>
#include <elf.h>
#include <fstream>
#include <sys/stat.h>

namespace aax_host
{
namespace
{
/** Why the binary cannot be mapped whole, or empty. dlopen maps each loadable segment from the file
    and a segment that reaches past the file's end faults on first touch (SIGBUS); what is no 64-bit ELF
    file is left for dlopen to refuse. */
std::string checkLoadableSegments (const std::string& binary)
{
    std::ifstream file (binary, std::ios::binary | std::ios::ate);

    if (! file)
        return {};

    const auto size = (unsigned long long) file.tellg();
    Elf64_Ehdr header {};
    file.seekg (0);

    if (! file.read (reinterpret_cast<char*> (&header), sizeof (header)) ||
        std::string (reinterpret_cast<const char*> (header.e_ident), SELFMAG) != ELFMAG ||
        header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_phentsize != sizeof (Elf64_Phdr))
        return {};

    const auto cutShort = [&] (unsigned long long needed)
    {
        return "the module's binary is cut short: " + binary + " holds " + std::to_string (size) +
               " bytes and its loadable segments need " + std::to_string (needed);
    };

    // Ends are summed without wrapping, so that no offset can pass for a small one.
    const auto end = [] (unsigned long long offset, unsigned long long length)
    { return length > ULLONG_MAX - offset ? ULLONG_MAX : offset + length; };

    const auto headersEnd = end (header.e_phoff, (unsigned long long) header.e_phnum * sizeof (Elf64_Phdr));

    if (headersEnd > size)
        return cutShort (headersEnd);

    unsigned long long needed = 0;

    for (int i = 0; i < header.e_phnum; ++i)
    {
        Elf64_Phdr segment {};
        file.seekg ((std::streamoff) (header.e_phoff + (unsigned long long) i * sizeof (Elf64_Phdr)));
        file.read (reinterpret_cast<char*> (&segment), sizeof (segment));

        if (segment.p_type == PT_LOAD)
            needed = std::max (needed, end (segment.p_offset, segment.p_filesz));
    }

    return needed > size ? cutShort (needed) : std::string();
}
} // namespace

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
    problem = checkLoadableSegments (binaryPath);

    if (! problem.empty())
        return;

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
