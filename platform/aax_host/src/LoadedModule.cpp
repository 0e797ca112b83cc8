#include "LoadedModule.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace aax_host
{
namespace
{
/** The machine this host loads modules for, as the bundle's platform folder (x86_64-linux) names it. */
constexpr Elf64_Half hostMachine = EM_X86_64;
constexpr const char* hostMachineName = "x86-64";

std::string machineName (Elf64_Half machine)
{
    switch (machine)
    {
        case EM_386: return "x86 (32-bit)";
        case EM_X86_64: return "x86-64";
        case EM_ARM: return "ARM (32-bit)";
        case EM_AARCH64: return "AArch64";
        case EM_PPC64: return "PowerPC 64";
        case EM_RISCV: return "RISC-V";
        default: return "machine " + std::to_string (machine);
    }
}

/** Why the binary cannot be loaded as it is, or empty: it is no regular file (a pipe would hold the host
    at the first read), it is built for another machine, or it is cut short. dlopen maps each loadable
    segment from the file, and a segment that reaches past the file's end faults on first touch (SIGBUS).
    What is no ELF file at all is left for dlopen to refuse. */
std::string checkBinary (const std::string& binary)
{
    // Opened without waiting, and checked on the open descriptor.
    const auto fd = open (binary.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);

    if (fd < 0)
        return binary + ": " + std::strerror (errno);

    struct stat info
    {
    };

    const auto readAt = [fd] (void* into, size_t length, unsigned long long offset)
    { return pread (fd, into, length, (off_t) offset) == (ssize_t) length; };

    const auto problem = [&]() -> std::string
    {
        if (fstat (fd, &info) != 0)
            return binary + ": " + std::strerror (errno);

        if (! S_ISREG (info.st_mode))
            return binary + " is not a regular file (a pipe, a device or a socket is no module)";

        const auto size = (unsigned long long) info.st_size;
        Elf64_Ehdr header {};

        if (! readAt (&header, EI_NIDENT, 0) || std::memcmp (header.e_ident, ELFMAG, SELFMAG) != 0)
            return {};

        if (header.e_ident[EI_CLASS] != ELFCLASS64)
            return binary + " is a 32-bit module; this host loads 64-bit " + hostMachineName + " modules";

        if (! readAt (&header, sizeof (header), 0))
            return {};

        if (header.e_machine != hostMachine)
            return binary + " is built for " + machineName (header.e_machine) + "; this host loads " + hostMachineName +
                   " modules";

        if (header.e_phentsize != sizeof (Elf64_Phdr))
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

            if (readAt (&segment, sizeof (segment), header.e_phoff + (unsigned long long) i * sizeof (Elf64_Phdr)) &&
                segment.p_type == PT_LOAD)
                needed = std::max (needed, end (segment.p_offset, segment.p_filesz));
        }

        return needed > size ? cutShort (needed) : std::string();
    }();

    close (fd);
    return problem;
}

bool endsWith (const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare (text.size() - end.size(), end.size(), end) == 0;
}
} // namespace

std::string LoadedModule::binaryIn (const std::string& path, std::string& problem)
{
    struct stat info
    {
    };

    if (stat (path.c_str(), &info) != 0 || ! S_ISDIR (info.st_mode))
        return path;

    // A bundle holds its binary in one platform folder below Contents, named after the bundle; another name
    // is taken only when it is the folder's one binary.
    auto bundle = path;

    while (bundle.size() > 1 && bundle.back() == '/')
        bundle.pop_back();

    const auto platformFolder = bundle + "/Contents/x86_64-linux";
    auto name = bundle.substr (bundle.find_last_of ('/') + 1);

    if (endsWith (name, ".aaxplugin"))
        name.resize (name.size() - 10);

    const auto named = platformFolder + "/" + name + ".so";

    if (stat (named.c_str(), &info) == 0)
        return named;

    std::vector<std::string> binaries;

    if (auto* folder = opendir (platformFolder.c_str()))
    {
        while (auto* item = readdir (folder))
            if (endsWith (item->d_name, ".so") && std::strlen (item->d_name) > 3)
                binaries.push_back (item->d_name);

        closedir (folder);
    }

    if (binaries.size() == 1)
        return platformFolder + "/" + binaries.front();

    // A folder with no binary where a bundle holds one is named as it is, not by a path made up for it.
    if (binaries.empty())
    {
        problem = stat (platformFolder.c_str(), &info) == 0 && S_ISDIR (info.st_mode)
                      ? "the bundle " + path + " holds no binary: neither " + name + ".so nor any other .so file in " +
                            platformFolder
                      : path + " is a folder but not a bundle: it has no folder Contents/x86_64-linux, where a "
                               "bundle holds its binary";
    }
    else
    {
        std::sort (binaries.begin(), binaries.end());
        std::string list;

        for (const auto& binary : binaries)
            list += (list.empty() ? "" : ", ") + binary;

        problem = "the bundle " + path + " holds no " + name + ".so and several binaries (" + list +
                  "): which one is the module is not clear";
    }

    return named;
}

template <typename Function> Function LoadedModule::entry (const char* name)
{
    auto* symbol = dlsym (handle, name);

    if (symbol == nullptr && problem.empty())
        problem = std::string ("the module has no ") + name;

    return reinterpret_cast<Function> (symbol);
}

LoadedModule::LoadedModule (const std::string& path)
{
    binaryPath = binaryIn (path, problem);

    if (problem.empty())
        problem = checkBinary (binaryPath);

    if (! problem.empty())
        return;

    // A name without a slash would send dlopen through the library search path: the file named is meant.
    const auto loaded = binaryPath.find ('/') == std::string::npos ? "./" + binaryPath : binaryPath;
    handle = dlopen (loaded.c_str(), RTLD_NOW | RTLD_LOCAL);

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
