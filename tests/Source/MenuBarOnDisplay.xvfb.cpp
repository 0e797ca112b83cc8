#include "DesktopWindows.h"
#include "InstanceFixture.h"
#include "KeyboardFocus.h"
#include "Mouse.h"

#include "Ids.h"
#include "MenuBar.h"

using namespace instancetest;

namespace
{
/** The rows of the selector that are on the screen now. */
std::vector<juce::Component*> rowsShowing (const MenuBar& bar)
{
    std::vector<juce::Component*> rows;

    if (bar.getDeviceSelector() == nullptr)
        return rows;

    for (juce::PopupMenu::MenuItemIterator it (*bar.getDeviceSelector()); it.next();)
        if (auto* row = it.getItem().customComponent.get(); row != nullptr && row->isShowing())
            rows.push_back (row);

    return rows;
}

class MenuBarOnDisplayTest : public InstanceTest
{
protected:
    void openWindow (PlemvoPluginInstance& instance, bool focused = true)
    {
        bar = std::make_unique<MenuBar> (instance, instance.getPlemvoParams());
        window.setBounds (100, 100, 650, 300);
        window.addAndMakeVisible (*bar);
        bar->setBounds (0, 0, 650, 25);
        window.addToDesktop (0);
        window.setVisible (true);

        // A popup closes itself while no window of the process has the keyboard focus.
        window.setWantsKeyboardFocus (true);

        if (focused)
            window.grabKeyboardFocus();
    }

    void TearDown() override
    {
        bar.reset();
        window.removeFromDesktop();
        vqtest::drainMessageLoop();
        InstanceTest::TearDown();
    }

    juce::Component window;
    std::unique_ptr<MenuBar> bar;
};

TEST_F (MenuBarOnDisplayTest, AMainMenuResultThatArrivesAfterTheBarWasDeletedIsIgnored)
{
    auto& instance = createInstance();
    CommandCounter commands;
    instance.addCommandListener (&commands);
    openWindow (instance);

    bar->openMenu();
    ASSERT_TRUE (vqtest::runMessageLoopUntil (
        [] { return juce::ModalComponentManager::getInstance()->getNumModalComponents() > 0; }));

    bar.reset(); // dismisses the menu, whose callback then finds no bar
    vqtest::runMessageLoopFor (100);

    EXPECT_EQ (juce::ModalComponentManager::getInstance()->getNumModalComponents(), 0);
    EXPECT_TRUE (commands.ids.isEmpty());
    instance.removeCommandListener (&commands);
}

TEST_F (MenuBarOnDisplayTest, OnlyTheDeviceSelectorRequestIsTakenAndEveryOtherCommandGoesOn)
{
    auto& instance = createInstance();
    CommandCounter next; // registered first, so offered what the bar declines
    instance.addCommandListener (&next);
    openWindow (instance);

    instance.sendCommand (std::make_unique<juce::VqCommand> (juce::Identifier ("somethingElse")));
    instance.sendCommand (std::make_unique<juce::VqCommand> (Ids::vqPlemvo::showDeviceSelector));
    vqtest::drainMessageLoop();
    vqtest::drainMessageLoop();

    EXPECT_EQ (next.ids, juce::StringArray ("somethingElse"));
    EXPECT_FALSE (instance.hasPendingCommand());
    instance.removeCommandListener (&next);
}

TEST_F (MenuBarOnDisplayTest, CancellingTheQuestionBeforeAnotherPresetIsReplacedLeavesThatPresetAsItWas)
{
    juce::TemporaryFile folderHolder;
    const auto folder = folderHolder.getFile();
    ASSERT_TRUE (folder.createDirectory());
    const auto kept = folder.getChildFile ("sound.vqrp");
    ASSERT_TRUE (kept.replaceWithText ("the preset kept"));

    auto& instance = createInstance();
    openWindow (instance);

    // "sound" is no file, so the dialog asks nothing; the preset it becomes, "sound.vqrp", is one.
    juce::Component* menu = nullptr;
    bar->openMenu();
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return (menu = DesktopWindows::findPopupMenu()) != nullptr; }));
    vqtest::runMessageLoopFor (300); // a popup takes no click in the moments after it opens
    auto* saveItem = DesktopWindows::findMenuItem (*menu, "Save preset");
    ASSERT_NE (saveItem, nullptr);
    DesktopWindows::click (*saveItem);

    juce::FileChooserDialogBox* dialog = nullptr;
    ASSERT_TRUE (vqtest::runMessageLoopUntil (
        [&] { return (dialog = DesktopWindows::findWindow<juce::FileChooserDialogBox>()) != nullptr; }, 5000));
    auto* browser = DesktopWindows::findInside<juce::FileBrowserComponent> (*dialog);
    ASSERT_NE (browser, nullptr);
    browser->setFileName (folder.getChildFile ("sound").getFullPathName());
    vqtest::drainMessageLoop();
    auto* save = DesktopWindows::findButton (*dialog, browser->getActionVerb());
    ASSERT_NE (save, nullptr);
    DesktopWindows::click (*save);

    juce::AlertWindow* question = nullptr;
    ASSERT_TRUE (vqtest::runMessageLoopUntil (
        [&] { return (question = DesktopWindows::findWindow<juce::AlertWindow>()) != nullptr; }, 5000));
    EXPECT_EQ (question->getName(), "Save preset...");
    auto* cancel = DesktopWindows::findButton (*question, "Cancel");
    ASSERT_NE (cancel, nullptr);
    DesktopWindows::click (*cancel);

    EXPECT_TRUE (vqtest::runMessageLoopUntil (
        [] { return juce::ModalComponentManager::getInstance()->getNumModalComponents() == 0; }, 5000));
    vqtest::drainMessageLoop();
    EXPECT_EQ (kept.loadFileAsString(), "the preset kept");
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
}

TEST_F (MenuBarOnDisplayTest, TheOpenSelectorIsRefilledOnlyWhenTheUnitsChangedAndItsConnectButtonConnects)
{
    addUnit (17);
    addUnit (23);
    auto& instance = createInstance();
    ASSERT_TRUE (waitForListedUnits (2));
    openWindow (instance);

    // The instance asks for the selector itself: two units are free and none is remembered.
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return rowsShowing (*bar).size() == 2; }, 3000));
    std::vector<juce::Component::SafePointer<juce::Component>> firstRows;

    for (auto* row : rowsShowing (*bar))
        firstRows.emplace_back (row);

    // Its next requests, a second apart, leave the same rows under the pointer.
    vqtest::runMessageLoopFor (2200);
    EXPECT_EQ (rowsShowing (*bar).size(), 2u);

    for (auto& row : firstRows)
        EXPECT_TRUE (row != nullptr && row->isShowing());

    addUnit (31);
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return rowsShowing (*bar).size() == 3; }, 3000));

    juce::Component* connectButton = nullptr;

    for (juce::PopupMenu::MenuItemIterator it (*bar->getDeviceSelector()); it.next();)
        if (it.getItem().itemID == 24)
            connectButton = it.getItem().customComponent->getChildComponent (0);

    ASSERT_NE (connectButton, nullptr);
    vqtest::PeerMouse (*connectButton).click (connectButton->getLocalBounds().getCentre().toFloat());

    ASSERT_TRUE (waitForConnection (instance));
    EXPECT_EQ ((int) setting (instance, ParamData::connectedDevSn), 23);
    EXPECT_EQ (bar->getDeviceSelector()->getNumItems(), 0);
    EXPECT_TRUE (vqtest::runMessageLoopUntil (
        [] { return juce::ModalComponentManager::getInstance()->getNumModalComponents() == 0; }));
}

// The instance asks for the selector every second while two units wait: a selector the user closed
// stays closed until the units change, and a main menu the user opened stays open, a change of the
// units included; the changed list shows the selector once the menu is closed.
TEST_F (MenuBarOnDisplayTest, RepeatedSelectorRequestsLeaveAClosedSelectorClosedAndTheMainMenuOpenUntilTheUnitsChange)
{
    addUnit (17);
    addUnit (23);
    auto& instance = createInstance();
    ASSERT_TRUE (waitForListedUnits (2));
    openWindow (instance);
    const auto mainMenuIsOpen = []
    {
        auto* menu = DesktopWindows::findPopupMenu();
        return menu != nullptr && DesktopWindows::findMenuItem (*menu, "Save preset") != nullptr;
    };
    const auto clickBesideTheMenus = [&]
    {
        vqtest::runMessageLoopFor (300); // a popup takes no click in the moments after it opens
        vqtest::PeerMouse (window).click ({ 320.0f, 200.0f });
        return vqtest::runMessageLoopUntil ([] { return DesktopWindows::findPopupMenu() == nullptr; });
    };

    // The first request opens the selector by itself; closed by the user, it stays closed.
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return rowsShowing (*bar).size() == 2; }, 3000));
    ASSERT_TRUE (clickBesideTheMenus());
    EXPECT_FALSE (vqtest::runMessageLoopUntil ([] { return DesktopWindows::findPopupMenu() != nullptr; }, 2000));

    auto& menuButton = bar->getMenuButton();
    vqtest::PeerMouse (menuButton).click (menuButton.getLocalBounds().getCentre().toFloat());
    ASSERT_TRUE (vqtest::runMessageLoopUntil (mainMenuIsOpen));
    EXPECT_FALSE (vqtest::runMessageLoopUntil ([&] { return ! mainMenuIsOpen(); }, 2000));

    addUnit (31);
    ASSERT_TRUE (waitForListedUnits (3));
    EXPECT_FALSE (vqtest::runMessageLoopUntil ([&] { return ! mainMenuIsOpen(); }, 2000));

    ASSERT_TRUE (clickBesideTheMenus());
    EXPECT_TRUE (vqtest::runMessageLoopUntil ([&] { return rowsShowing (*bar).size() == 3; }, 3000));
}

// JUCE closes a popup at once while the process is in the background (a host behind another program
// while a session loads): such a selector was never seen, and shows once a window has the focus.
TEST_F (MenuBarOnDisplayTest, ASelectorTheSystemClosedShowsAtTheNextRequestOnceTheWindowHasTheFocus)
{
    addUnit (17);
    addUnit (23);
    vqtest::OtherApplication other;

    for (const bool inFrontWhenAsked : { true, false })
    {
        SCOPED_TRACE (inFrontWhenAsked ? "the selector showed, then another program took the focus"
                                       : "another program had the focus when the instance asked");
        auto& instance = createInstance();
        setSetting (instance, ParamData::shouldBeConnected, false); // asks only once the scene is set
        ASSERT_TRUE (waitForListedUnits (2));
        openWindow (instance, false);
        ASSERT_TRUE (vqtest::focusWindow (window));

        if (inFrontWhenAsked)
        {
            setSetting (instance, ParamData::shouldBeConnected, true);
            ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return rowsShowing (*bar).size() == 2; }, 3000));
            ASSERT_TRUE (other.takeFocus());
        }
        else
        {
            ASSERT_TRUE (other.takeFocus());
            setSetting (instance, ParamData::shouldBeConnected, true);
        }

        // The instance asks again meanwhile: no selector flashes up, the request waits.
        vqtest::runMessageLoopFor (1200);
        EXPECT_EQ (DesktopWindows::findPopupMenu(), nullptr);
        EXPECT_TRUE (instance.hasPendingCommand());

        ASSERT_TRUE (vqtest::focusWindow (window)); // the user clicks into the window
        EXPECT_TRUE (vqtest::runMessageLoopUntil ([&] { return rowsShowing (*bar).size() == 2; }, 3000));

        bar.reset();
        window.removeFromDesktop();
        destroy (instance);
    }
}
} // namespace
