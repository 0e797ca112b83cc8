#include "ComponentImages.h"
#include "InstanceFixture.h"

#include "Ids.h"
#include "MenuBar.h"

using namespace instancetest;

namespace
{
struct Row
{
    int itemId;
    juce::String button; // empty when the row has none
    bool ownColour;

    bool operator== (const Row& other) const
    {
        return itemId == other.itemId && button == other.button && ownColour == other.ownColour;
    }
};

std::ostream& operator<< (std::ostream& os, const Row& row)
{
    return os << row.itemId << " " << row.button << (row.ownColour ? " own" : "");
}

/** Whether the row's label, left of its button, is drawn in the connected colour. */
bool drawsInConnectedColour (juce::Component& row)
{
    row.setSize (350, 25);
    const auto connected = juce::MainMenuColours().usbConnectedColour;
    return vqtest::countPixels (vqtest::renderComponent (row),
                                [connected] (juce::Colour c) { return vqtest::coloursNear (c, connected); },
                                { 0, 0, 270, 25 }) > 0;
}

/** The selector's rows as the user sees them, in menu order. */
std::vector<Row> rowsOf (juce::PopupMenu& menu)
{
    std::vector<Row> rows;

    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        auto& component = *it.getItem().customComponent;
        auto* button = dynamic_cast<juce::TextButton*> (component.getChildComponent (0));
        rows.push_back ({ it.getItem().itemID, button != nullptr ? button->getButtonText() : juce::String(),
                          drawsInConnectedColour (component) });
    }

    return rows;
}

juce::TextButton& buttonOfRow (juce::PopupMenu& menu, int serialNo)
{
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        if (it.getItem().itemID == serialNo + 1)
            return *dynamic_cast<juce::TextButton*> (it.getItem().customComponent->getChildComponent (0));

    throw std::logic_error ("no such row");
}

class MenuBarTest : public InstanceTest
{
protected:
    std::unique_ptr<MenuBar> makeBar (PlemvoPluginInstance& instance)
    {
        auto bar = std::make_unique<MenuBar> (instance, instance.getPlemvoParams());
        bar->setBounds (0, 0, 325, 25);
        return bar;
    }

    void TearDown() override
    {
        bar.reset();
        InstanceTest::TearDown();
    }

    std::unique_ptr<MenuBar> bar;
};

TEST_F (MenuBarTest, TheMainMenuOffersSaveAndLoadAndShowsTheVersionLineDisabled)
{
    bar = makeBar (createInstance());
    bar->fillMainMenu();

    juce::StringArray items;

    for (juce::PopupMenu::MenuItemIterator it (*bar->getMainMenu()); it.next();)
    {
        const auto& item = it.getItem();
        items.add (item.isSeparator ? "-"
                                    : juce::String (item.itemID) + " " + item.text + (item.isEnabled ? "" : " (off)"));
    }

    EXPECT_EQ (items.joinIntoString (" | "), "100 Save preset | 101 Load preset | - | 1 Plugin version: 3.0.0 (off)");
}

TEST_F (MenuBarTest, TheMenuIconFillsSevenTenthsOfTheBarsHeightAndTheUsbButtonSitsOneFifthOfItInsideTheRightEdge)
{
    struct Case
    {
        int width, height, usbX;
    };

    bar = makeBar (createInstance());

    for (const auto& c : { Case { 325, 25, 295 }, Case { 325, 27, 292 }, Case { 650, 30, 614 } })
    {
        SCOPED_TRACE (juce::String (c.width) + " x " + juce::String (c.height));
        bar->setBounds (0, 0, c.width, c.height);
        const auto h = (float) c.height;

        EXPECT_EQ (bar->getMenuButton().getBounds(), juce::Rectangle<int> (0, 0, c.height, c.height));
        const auto menuIcon = bar->getMenuButton().getIconArea (false);
        EXPECT_FLOAT_EQ (juce::jmax (menuIcon.getWidth(), menuIcon.getHeight()), 0.7f * h);
        EXPECT_NEAR (menuIcon.getCentreX(), h / 2.0f, 0.01f);
        EXPECT_NEAR (menuIcon.getCentreY(), h / 2.0f, 0.01f);

        EXPECT_EQ (bar->getUsbButton().getBounds(), juce::Rectangle<int> (c.usbX, 0, c.height, c.height));
        const auto usbIcon = bar->getUsbButton().getIconArea (false);
        EXPECT_FLOAT_EQ (usbIcon.getWidth(), h);
        EXPECT_NEAR (usbIcon.getCentreY(), h / 2.0f, 0.01f);
    }
}

TEST_F (MenuBarTest, TheMenuIconIsAboutSquareAndTheUsbIconAboutTwoAndAQuarterTimesAsWideAsHigh)
{
    bar = makeBar (createInstance());
    const auto menuIcon = bar->getMenuButton().getIconArea (false);
    const auto usbIcon = bar->getUsbButton().getIconArea (false);

    EXPECT_NEAR (menuIcon.getWidth() / menuIcon.getHeight(), 1.0f, 0.15f);
    EXPECT_NEAR (usbIcon.getWidth() / usbIcon.getHeight(), 2.25f, 0.05f);
}

TEST_F (MenuBarTest, TheBarAndItsIconsArePaintedInTheMenuColoursAndTheSelectorInItsOwnGreys)
{
    bar = makeBar (createInstance());
    const juce::MainMenuColours colours;
    const auto image = vqtest::renderComponent (*bar);

    EXPECT_EQ (image.getPixelAt (160, 12), colours.barTopColour);
    EXPECT_EQ (image.getPixelAt (160, 1), colours.barTopColour);
    EXPECT_EQ (image.getPixelAt (160, 23), colours.barBottomColour);
    for (auto* button :
         std::initializer_list<juce::MenuBarShapeButton*> { &bar->getMenuButton(), &bar->getUsbButton() })
    {
        const auto iconCentre = button->getIconArea (false).getCentre() + button->getPosition().toFloat();
        EXPECT_TRUE (vqtest::coloursNear (vqtest::sample (image, iconCentre), colours.iconNormalColour))
            << button->getName();
    }

    bar->fillDeviceSelector();
    auto& selector = bar->getDeviceSelectorLookAndFeel();
    EXPECT_EQ (selector.findColour (juce::PopupMenu::backgroundColourId), juce::Colour (0xFF303030));
    EXPECT_EQ (selector.findColour (juce::TextButton::buttonColourId), juce::Colour (0xFF1E1E1E));
}

TEST_F (MenuBarTest, SaveAndLoadSendTheirPresetCommandsAndAnyOtherResultNothing)
{
    auto& instance = createInstance();
    bar = makeBar (instance);
    CommandCounter presetDialogs;
    presetDialogs.takes = true; // in place of the instance's file dialogs
    instance.addCommandListener (&presetDialogs);

    for (const int result : { 100, 101, 1, 0 })
        bar->handleMainMenuResult (result);

    vqtest::drainMessageLoop();
    EXPECT_EQ (presetDialogs.ids, juce::StringArray ("savePreset", "loadPreset"));
    instance.removeCommandListener (&presetDialogs);
}

// Popup menus need a display: the bar of a window without one shows none, and the selector request
// waits with the instance as it does while no window is open.
TEST_F (MenuBarTest, WithoutADisplayNoPopupShowsAndTheSelectorRequestWaitsWithTheInstance)
{
    addUnit (17);
    addUnit (23);
    auto& instance = createInstance();
    setSetting (instance, ParamData::shouldBeConnected, false); // no requests of its own
    CommandCounter next;                                        // registered first, so offered what the bar declines
    instance.addCommandListener (&next);
    ASSERT_TRUE (waitForListedUnits (2));
    bar = makeBar (instance);

    instance.sendCommand (std::make_unique<juce::VqCommand> (juce::Identifier ("somethingElse")));
    instance.sendCommand (std::make_unique<juce::VqCommand> (Ids::vqPlemvo::showDeviceSelector));
    vqtest::drainMessageLoop();
    vqtest::drainMessageLoop();

    EXPECT_EQ (next.ids, juce::StringArray ("somethingElse", "showDeviceSelector"));
    EXPECT_TRUE (instance.hasPendingCommand());

    bar->getUsbButton().onClick();
    bar->getMenuButton().onClick();
    vqtest::drainMessageLoop();
    EXPECT_EQ (juce::ModalComponentManager::getInstance()->getNumModalComponents(), 0);
    instance.removeCommandListener (&next);
}

TEST_F (MenuBarTest, TheSelectorShowsAFreeUnitTheOwnUnitAndOneHeldElsewhereEachInItsKindOfRow)
{
    addUnit (17);
    addUnit (23);
    addUnit (31);
    auto& own = createInstance();
    auto& other = createInstance();
    ASSERT_TRUE (waitForListedUnits (3));
    own.connectWithDevice (23);
    other.connectWithDevice (31);
    ASSERT_TRUE (waitForConnection (own) && waitForConnection (other));

    bar = makeBar (own);
    bar->fillDeviceSelector();
    auto rows = rowsOf (*bar->getDeviceSelector());
    std::sort (rows.begin(), rows.end(), [] (auto& a, auto& b) { return a.itemId < b.itemId; });

    EXPECT_EQ (rows, (std::vector<Row> { { 18, "CONNECT", false }, { 24, "DISCONNECT", true }, { 32, "", false } }));
}

TEST_F (MenuBarTest, ConnectWantsTheUnitAndConnectsToItAndClosesTheSelector)
{
    addUnit (17);
    addUnit (23);
    auto& instance = createInstance();
    setSetting (instance, ParamData::shouldBeConnected, false);
    ASSERT_TRUE (waitForListedUnits (2));
    bar = makeBar (instance);
    bar->fillDeviceSelector();

    // The click deletes the row whose button is being clicked.
    buttonOfRow (*bar->getDeviceSelector(), 23).triggerClick();
    vqtest::drainMessageLoop();

    EXPECT_EQ (bar->getDeviceSelector()->getNumItems(), 0);
    EXPECT_TRUE ((bool) setting (instance, ParamData::shouldBeConnected));
    ASSERT_TRUE (waitForConnection (instance));
    EXPECT_EQ (listedUnits(), (std::map<int, bool> { { 17, false }, { 23, true } }));

    bar->fillDeviceSelector();
    buttonOfRow (*bar->getDeviceSelector(), 23).triggerClick();
    vqtest::drainMessageLoop();

    EXPECT_EQ (bar->getDeviceSelector()->getNumItems(), 0);
    EXPECT_FALSE ((bool) setting (instance, ParamData::shouldBeConnected));
    EXPECT_EQ (instance.getBridge(), nullptr);
}

TEST_F (MenuBarTest, TheUsbButtonBlinksWhileAUnitWaitsAndStaysLitOnceConnected)
{
    auto& instance = createInstance();
    setSetting (instance, ParamData::shouldBeConnected, false);
    bar = makeBar (instance);
    EXPECT_FALSE (bar->getUsbButton().isTimerRunning());

    addUnit (17);
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return bar->getUsbButton().isTimerRunning(); }, 3000));

    setSetting (instance, ParamData::shouldBeConnected, true);
    ASSERT_TRUE (waitForConnection (instance));
    EXPECT_FALSE (bar->getUsbButton().isTimerRunning());
    EXPECT_EQ (bar->getUsbButton().getIconColour(), juce::MainMenuColours().usbConnectedColour);
}
} // namespace
