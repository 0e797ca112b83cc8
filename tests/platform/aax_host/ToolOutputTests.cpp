#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
/** The lines the command-line host prints for these options, and whether it exited with 0. */
bool runTool (const std::string& options, std::vector<std::string>& lines)
{
    const auto command = std::string (VQ_AAX_HOST_TOOL) + " " + VQ_AAX_BUNDLE + " " + options + " 2>&1";
    auto* output = popen (command.c_str(), "r");

    if (output == nullptr)
        return false;

    std::string line;

    for (int c; (c = std::fgetc (output)) != EOF;)
    {
        if (c != '\n')
            line += char (c);
        else
            lines.push_back (line), line.clear();
    }

    return pclose (output) == 0;
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
