#include "HostWindow.h"
#include "ModuleFixture.h"

using WindowOnADisplay = ModuleFixture;

TEST_F (WindowOnADisplay, TheViewIsPutIntoTheHostsX11WindowAndTakenOutAgain)
{
    aax_host::HostWindow window (600, 400);
    ASSERT_NE (window.nativeHandle(), nullptr);
    auto instance = makeInstance();

    ASSERT_EQ (instance->openWindow (window.nativeHandle()), AAX_SUCCESS);
    EXPECT_TRUE (module->runMessageLoopUntil (3000, [&] { return window.childCount() == 1; }));
    EXPECT_TRUE (instance->host().log.contains ("viewContainer.GetType"));

    EXPECT_EQ (instance->closeWindow(), AAX_SUCCESS);
    EXPECT_TRUE (module->runMessageLoopUntil (3000, [&] { return window.childCount() == 0; }));
}

TEST_F (WindowOnADisplay, WindowsOpenAndCloseAgainAndAgainWhileAutomationRuns)
{
    aax_host::HostWindow window (600, 400);
    auto instance = makeInstance();

    for (int i = 0; i < 5 * stressFactor(); ++i)
    {
        EXPECT_EQ (instance->openWindow (window.nativeHandle()), AAX_SUCCESS);
        instance->automate (std::to_string (i % 23).c_str(), 0.1 * (i % 10));
        module->runMessageLoopFor (20);
        EXPECT_EQ (instance->closeWindow(), AAX_SUCCESS);
    }
}
