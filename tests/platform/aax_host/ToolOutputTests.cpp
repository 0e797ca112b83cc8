#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <elf.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace
{
/** The lines the command-line host prints for these arguments (or this whole shell command), and its wait
    status. */
int runToolWith (const std::string& arguments, std::vector<std::string>& lines, bool argumentsOnly = true)
{
    const auto command = (argumentsOnly ? std::string (VQ_AAX_HOST_TOOL) + " " : std::string()) + arguments + " 2>&1";
    auto* output = popen (command.c_str(), "r");

    if (output == nullptr)
        return -1;

    std::string line;

    for (int c; (c = std::fgetc (output)) != EOF;)
    {
        if (c != '\n')
            line += char (c);
        else
            lines.push_back (line), line.clear();
    }

    return pclose (output);
}

/** The lines the command-line host prints for the built module with these options, and whether it exited with 0. */
bool runTool (const std::string& options, std::vector<std::string>& lines)
{
    return runToolWith (std::string (VQ_AAX_BUNDLE) + " " + options, lines) == 0;
}

bool exitedWith (int status, int code)
{
    return WIFEXITED (status) && WEXITSTATUS (status) == code;
}

bool startsWith (const std::string& text, const std::string& start)
{
    return text.rfind (start, 0) == 0;
}
} // namespace

TEST (AaxHostTool, WhatTheHostSeesOfTheUnitsTurnIsPrintedUnderThatStepsHeadingAndAddsUpToItsCounts)
{
    std::vector<std::string> lines;
    ASSERT_TRUE (runTool ("--feature mono,stereo --session", lines));

    size_t heading = 0;

    while (heading < lines.size() && ! startsWith (lines[heading], "unit turns eq1-freq:"))
        ++heading;

    ASSERT_LT (heading, lines.size());
    size_t touches = 0, values = 0, releases = 0;
    ASSERT_EQ (std::sscanf (lines[heading].c_str(), "unit turns eq1-freq: touch %zu, value %zu, release %zu", &touches,
                            &values, &releases),
               3)
        << lines[heading];

    const auto seen = [&] (const char* call)
    {
        size_t count = 0;

        for (auto i = heading + 1; i < lines.size() && startsWith (lines[i], "  host sees "); ++i)
            count += startsWith (lines[i], std::string ("  host sees ") + call + " ") ? 1 : 0;

        return count;
    };

    EXPECT_GT (touches, 0u);
    EXPECT_EQ (touches, releases);
    EXPECT_EQ (seen ("PostTouchRequest"), touches);
    EXPECT_EQ (seen ("PostSetValueRequest"), values);
    EXPECT_EQ (seen ("PostReleaseRequest"), releases);

    for (size_t i = 0; i < heading; ++i)
        EXPECT_FALSE (startsWith (lines[i], "  host sees ")) << "under an earlier step: " << lines[i];
}

TEST (AaxHostTool, AHostEchoingLateOnItsOwnThreadSendsNothingOfTheUnitsTurnBackToIt)
{
    std::vector<std::string> lines;
    ASSERT_TRUE (runTool ("--feature mono,stereo --session --echo-delay 40", lines));

    EXPECT_NE (std::find (lines.begin(), lines.end(), "host echoes each set request 40 ms later on its own thread"),
               lines.end());
    EXPECT_NE (std::find (lines.begin(), lines.end(),
                          "unit turns eq1-gain through 50 values 10 ms apart: 0 messages come back to it"),
               lines.end());
}

TEST (AaxHostTool, AnEchoDelayThatIsNoNumberOfMillisecondsIsRefusedWithExitStatusTwo)
{
    for (const auto* options : { "--echo-delay", "--echo-delay -1", "--echo-delay 4x", "--echo-delay 10001" })
    {
        std::vector<std::string> lines;
        const auto status = runToolWith (std::string (VQ_AAX_BUNDLE) + " " + options, lines);
        EXPECT_EQ (lines,
                   std::vector<std::string> ({ "aax_host: --echo-delay needs a value, milliseconds from 0 to 10000" }))
            << options;
        EXPECT_TRUE (exitedWith (status, 2)) << options;
    }
}

TEST (AaxHostTool, AModuleBinaryCutShortIsRefusedBeforeItIsLoaded)
{
    const auto binary = std::filesystem::path (VQ_AAX_BUNDLE) / "Contents" / "x86_64-linux" / "PLEMVO.so";
    const auto folder = std::filesystem::temp_directory_path() / ("aax_host_cut_" + std::to_string (getpid()));
    std::filesystem::create_directories (folder);

    // The module's loadable segments reach past 12 MB; what follows them (symbols, debug data) is not mapped.
    for (const auto length : { (std::uintmax_t) 4096, (std::uintmax_t) 8 << 20, (std::uintmax_t) 12 << 20 })
    {
        const auto cut = folder / ("cut-" + std::to_string (length) + ".so");
        std::filesystem::copy_file (binary, cut, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::resize_file (cut, length);

        std::vector<std::string> lines;
        const auto status = runToolWith (cut.string(), lines);
        ASSERT_FALSE (lines.empty()) << length;
        EXPECT_TRUE (startsWith (lines.front(), "aax_host: the module's binary is cut short: " + cut.string() +
                                                    " holds " + std::to_string (length) + " bytes"))
            << lines.front();
        EXPECT_TRUE (exitedWith (status, 1)) << length;
    }

    std::filesystem::remove_all (folder);
}

TEST (AaxHostTool, AFeatureOptionWithoutStemFormatsIsRefusedWithExitStatusTwo)
{
    const std::pair<const char*, const char*> cases[] = {
        { "--feature", "aax_host: --feature needs a value, the stem formats (such as mono,stereo)" },
        { "--feature ''", "aax_host: --feature lists no stem format" },
        { "--feature ,,,", "aax_host: --feature lists no stem format" },
        { "--feature surround", "aax_host: unknown stem format 'surround'" },
    };

    for (const auto& [options, message] : cases)
    {
        std::vector<std::string> lines;
        const auto status = runToolWith (std::string (VQ_AAX_BUNDLE) + " " + options, lines);
        EXPECT_EQ (lines, std::vector<std::string> ({ message })) << options;
        EXPECT_TRUE (exitedWith (status, 2)) << options;
    }
}

namespace
{
/** A folder of its own in the system's temporary folder, removed with this object. */
struct ScratchFolder
{
    explicit ScratchFolder (const std::string& name)
        : path (std::filesystem::temp_directory_path() / (name + "_" + std::to_string (getpid())))
    {
        std::filesystem::remove_all (path);
        std::filesystem::create_directories (path);
    }

    ~ScratchFolder() { std::filesystem::remove_all (path); }

    const std::filesystem::path path;
};

bool holds (const std::vector<std::string>& lines, const std::string& line)
{
    return std::find (lines.begin(), lines.end(), line) != lines.end();
}

const std::filesystem::path builtBinary =
    std::filesystem::path (VQ_AAX_BUNDLE) / "Contents" / "x86_64-linux" / "PLEMVO.so";

/** A bundle folder under the folder, with links to the built module under each name. */
std::filesystem::path makeBundle (const std::filesystem::path& folder, const std::string& bundleName,
                                  const std::vector<std::string>& binaries)
{
    const auto bundle = folder / bundleName;
    std::filesystem::create_directories (bundle / "Contents" / "x86_64-linux");

    for (const auto& name : binaries)
        std::filesystem::create_symlink (std::filesystem::canonical (builtBinary),
                                         bundle / "Contents" / "x86_64-linux" / name);

    return bundle;
}
} // namespace

TEST (AaxHostTool, APipeOrADeviceAsTheModuleIsRefusedWithoutWaitingOnIt)
{
    ScratchFolder folder ("aax_host_fifo");
    const auto pipe = folder.path / "pipe.so";
    ASSERT_EQ (mkfifo (pipe.c_str(), 0600), 0);
    const auto bundle = makeBundle (folder.path, "PLEMVO.aaxplugin", {});
    ASSERT_EQ (mkfifo ((bundle / "Contents" / "x86_64-linux" / "PLEMVO.so").c_str(), 0600), 0);

    // Without the check each of these would wait for a writer for ever; the timeout ends the test then.
    const std::pair<std::string, std::string> cases[] = {
        { pipe.string(), pipe.string() },
        { bundle.string(), (bundle / "Contents" / "x86_64-linux" / "PLEMVO.so").string() },
        { "/dev/zero", "/dev/zero" },
    };

    for (const auto& [module, binary] : cases)
    {
        std::vector<std::string> lines;
        const auto status = runToolWith ("timeout 20 " + std::string (VQ_AAX_HOST_TOOL) + " " + module, lines, false);
        EXPECT_EQ (lines, std::vector<std::string> ({ "aax_host: " + binary +
                                                      " is not a regular file (a pipe, a device or a socket is "
                                                      "no module)" }))
            << module;
        EXPECT_TRUE (exitedWith (status, 1)) << module;
    }
}

TEST (AaxHostTool, AModuleNamedWithoutASlashIsTheFileInTheWorkingFolderNotALibraryOnTheSearchPath)
{
    ScratchFolder folder ("aax_host_bare");
    std::filesystem::create_symlink (std::filesystem::canonical (builtBinary), folder.path / "PLEMVO.so");
    const auto inFolder = "cd " + folder.path.string() + " && " + VQ_AAX_HOST_TOOL + " ";

    std::vector<std::string> lines;
    EXPECT_TRUE (exitedWith (runToolWith (inFolder + "PLEMVO.so", lines, false), 0));
    EXPECT_TRUE (holds (lines, "module     PLEMVO.so"));

    // A system library of that name is not in the folder, so there is nothing to load.
    lines.clear();
    EXPECT_TRUE (exitedWith (runToolWith (inFolder + "libm.so.6", lines, false), 1));
    ASSERT_FALSE (lines.empty());
    EXPECT_EQ (lines.front(), "aax_host: libm.so.6: No such file or directory");
}

TEST (AaxHostTool, ABundleLoadsTheBinaryNamedAfterItAndRefusesSeveralOthers)
{
    ScratchFolder folder ("aax_host_bundles");
    const std::vector<std::string> others { "a.so", "b.so", "c.so", "x.so", "y.so", "z.so" };
    auto withItsOwn = others;
    withItsOwn.push_back ("PLEMVO.so");

    std::vector<std::string> lines;
    const auto named = makeBundle (folder.path, "PLEMVO.aaxplugin", withItsOwn);
    EXPECT_TRUE (exitedWith (runToolWith (named.string(), lines), 0));
    EXPECT_TRUE (holds (lines, "module     " + (named / "Contents" / "x86_64-linux" / "PLEMVO.so").string()));

    lines.clear();
    const auto onlyOne = makeBundle (folder.path, "Renamed.aaxplugin", { "PLEMVO.so" });
    EXPECT_TRUE (exitedWith (runToolWith (onlyOne.string(), lines), 0));
    EXPECT_TRUE (holds (lines, "module     " + (onlyOne / "Contents" / "x86_64-linux" / "PLEMVO.so").string()));

    lines.clear();
    const auto unclear = makeBundle (folder.path, "Unclear.aaxplugin", { "one.so", "two.so" });
    EXPECT_TRUE (exitedWith (runToolWith (unclear.string(), lines), 1));
    EXPECT_EQ (lines, std::vector<std::string> ({ "aax_host: the bundle " + unclear.string() +
                                                  " holds no Unclear.so and several binaries (one.so, two.so): "
                                                  "which one is the module is not clear" }));
}

TEST (AaxHostTool, AModuleForAnotherMachineSaysWhatItIsBuiltFor)
{
    ScratchFolder folder ("aax_host_machine");
    Elf64_Ehdr header {};
    std::ifstream (builtBinary, std::ios::binary).read (reinterpret_cast<char*> (&header), sizeof (header));
    header.e_phnum = 0;

    const std::tuple<const char*, int, int, const char*> cases[] = {
        { "arm.so", ELFCLASS64, EM_AARCH64, "is built for AArch64; this host loads x86-64 modules" },
        { "old.so", ELFCLASS32, EM_386, "is a 32-bit module; this host loads 64-bit x86-64 modules" },
    };

    for (const auto& [name, elfClass, machine, said] : cases)
    {
        auto other = header;
        other.e_ident[EI_CLASS] = (unsigned char) elfClass;
        other.e_machine = (Elf64_Half) machine;
        const auto binary = folder.path / name;
        std::ofstream (binary, std::ios::binary).write (reinterpret_cast<const char*> (&other), sizeof (other));

        std::vector<std::string> lines;
        EXPECT_TRUE (exitedWith (runToolWith (binary.string(), lines), 1)) << name;
        EXPECT_EQ (lines, std::vector<std::string> ({ "aax_host: " + binary.string() + " " + said }));
    }
}

TEST (AaxHostTool, OptionsGoBeforeOrAfterTheModuleAndAWrongCommandLineSaysWhatIsWrong)
{
    const std::string module (VQ_AAX_BUNDLE);
    std::vector<std::string> lines;
    EXPECT_TRUE (exitedWith (runToolWith ("--list " + module, lines), 0));
    EXPECT_TRUE (holds (lines, "parameters 24"));

    lines.clear();
    EXPECT_TRUE (exitedWith (runToolWith ("--feature mono,stereo --list " + module + " --chunk-roundtrip", lines), 0));
    EXPECT_TRUE (holds (lines, "  components 4"));
    EXPECT_TRUE (holds (lines, "parameters 24"));
    EXPECT_TRUE (holds (lines, "restored into a second instance: identical"));

    const std::pair<std::string, std::string> wrong[] = {
        { "--list", "aax_host: no module named (a bundle folder or its binary)" },
        { module + " other.aaxplugin",
          "aax_host: a second module path, other.aaxplugin (after " + module + "): one module at a time" },
    };

    for (const auto& [arguments, message] : wrong)
    {
        lines.clear();
        EXPECT_TRUE (exitedWith (runToolWith (arguments, lines), 2)) << arguments;
        ASSERT_EQ (lines.size(), 2u) << arguments;
        EXPECT_EQ (lines[0], message);
        EXPECT_TRUE (startsWith (lines[1], "usage: aax_host MODULE")) << lines[1];
    }
}

TEST (AaxHostTool, AFolderThatHoldsNoBinaryWhereABundleDoesSaysSoAndWhatWasLookedFor)
{
    ScratchFolder folder ("aax_host_no_bundle");
    const auto plain = folder.path / "dir.so";
    std::filesystem::create_directories (plain);
    const auto empty = makeBundle (folder.path, "Empty.aaxplugin", {});

    const std::pair<std::filesystem::path, std::string> cases[] = {
        { plain, plain.string() + " is a folder but not a bundle: it has no folder Contents/x86_64-linux, where a "
                                  "bundle holds its binary" },
        { empty, "the bundle " + empty.string() + " holds no binary: neither Empty.so nor any other .so file in " +
                     (empty / "Contents" / "x86_64-linux").string() },
    };

    for (const auto& [path, message] : cases)
    {
        std::vector<std::string> lines;
        EXPECT_TRUE (exitedWith (runToolWith (path.string(), lines), 1)) << path;
        EXPECT_EQ (lines, std::vector<std::string> ({ "aax_host: " + message }));
    }
}

// Without feature information every pair of the first thirteen formats is a component, and all but two
// repeat the mono one's native type code, for which JUCE's wrapper asserts each time.
TEST (AaxHostTool, ALineTheModuleRepeatsWhileItRegistersIsShownOnceWithItsCount)
{
    const std::string assertion = "JUCE Assertion failure in juce_AAX_Wrapper.cpp:2388";
    const std::pair<std::string, int> cases[] = { { "", 167 }, { "--feature mono,stereo", 2 } };

    for (const auto& [options, times] : cases)
    {
        std::vector<std::string> lines;
        ASSERT_TRUE (runTool (options, lines)) << options;
        EXPECT_EQ (std::count (lines.begin(), lines.end(), assertion), 1) << options;
        EXPECT_TRUE (holds (lines, "aax_host: the module wrote \"" + assertion + "\" " + std::to_string (times) +
                                       " times; it is shown once"))
            << options;
    }
}
