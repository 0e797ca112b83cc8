#include "RunnerProcess.h"

#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

using namespace runnertest;

// The program on a display, as `make run` starts it: its output holds the session and nothing of X's own,
// and it ends with exit status 0 (in a sanitizer build too, whose leak check runs at the end).
TEST (RunnerProgramOnDisplay, ASessionWithAWindowOnTheDisplayPrintsNoXErrorsAndEndsWithStatusZero)
{
    juce::TemporaryFile script (".session");
    ASSERT_TRUE (script.getFile().replaceWithText ("create A\nopen-editor A\nclick A 1 window\nwait 1300\n"
                                                   "snapshot A window.png\nclose-editor A\n"));

    RunnerProcess runner ("\"" + script.getFile().getFullPathName().toStdString() + "\"");
    const auto status = runner.finish();

    EXPECT_EQ (runner.rest.find ("X returned"), std::string::npos) << runner.rest;
    EXPECT_NE (runner.rest.find ("window opened, 325 x 595 on the display"), std::string::npos) << runner.rest;
    EXPECT_NE (runner.rest.find ("Session played to its end."), std::string::npos) << runner.rest;
    EXPECT_TRUE (exitedWith (status, 0)) << runner.rest;
}
