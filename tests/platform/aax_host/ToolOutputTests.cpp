#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace
{
/** The lines the command-line host prints for these arguments, and its wait status. */
int runToolWith (const std::string& arguments, std::vector<std::string>& lines)
{
    const auto command = std::string (VQ_AAX_HOST_TOOL) + " " + arguments + " 2>&1";
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
        { "--feature ,,,", "aax_host: unknown stem format ''" },
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
