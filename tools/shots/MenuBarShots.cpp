#include "MessageLoop.h"
#include "Shots.h"

#include "MenuBar.h"
#include "ParamTools.h"
#include "PluginInstance.h"
#include "vq_gui/VqLookAndFeel.h"

#include <SimulatedUnit.h>
#include <VirtualMidiSetup.h>

namespace
{
/** The bar of one instance in the window's look-and-feel, its USB button put in one state. */
struct BarShot : juce::Component
{
    BarShot (int width, const std::function<void (juce::MenuBarUsbButton&)>& showState)
    {
        setLookAndFeel (&laf);
        addAndMakeVisible (bar);
        setSize (width, 25);
        bar.setBounds (getLocalBounds());
        showState (bar.getUsbButton());
    }

    ~BarShot() override { setLookAndFeel (nullptr); }

    juce::VqLookAndFeel laf;
    PlemvoPluginInstance instance;
    MenuBar bar { instance, instance.getPlemvoParams() };
};

void noUnit (juce::MenuBarUsbButton&) {}
void unitWaitingDim (juce::MenuBarUsbButton& usb)
{
    usb.setDevicesPresent (true);
}
void unitWaitingBright (juce::MenuBarUsbButton& usb)
{
    usb.setDevicesPresent (true);
    usb.timerCallback();
}
void connected (juce::MenuBarUsbButton& usb)
{
    usb.setIsConnected (true);
}

template <int width, void (*state) (juce::MenuBarUsbButton&)> std::unique_ptr<juce::Component> bar()
{
    return std::make_unique<BarShot> (width, state);
}

const vqshots::Shot bar325NoUnit { "menu-bar-325-no-unit", bar<325, noUnit> };
const vqshots::Shot bar325Dim { "menu-bar-325-unit-waiting-dim", bar<325, unitWaitingDim> };
const vqshots::Shot bar325Bright { "menu-bar-325-unit-waiting-bright", bar<325, unitWaitingBright> };
const vqshots::Shot bar325Connected { "menu-bar-325-connected", bar<325, connected> };
const vqshots::Shot bar650NoUnit { "menu-bar-650-no-unit", bar<650, noUnit> };
const vqshots::Shot bar650Dim { "menu-bar-650-unit-waiting-dim", bar<650, unitWaitingDim> };
const vqshots::Shot bar650Bright { "menu-bar-650-unit-waiting-bright", bar<650, unitWaitingBright> };
const vqshots::Shot bar650Connected { "menu-bar-650-connected", bar<650, connected> };

/** The main menu laid out as a popup window lays it out, "Load preset" under the pointer. Popups
    cannot be shown without a display, so its items are drawn here through its look-and-feel. */
struct MainMenuShot : juce::Component
{
    MainMenuShot()
    {
        bar.fillMainMenu();
        int width = 0, height = 0;

        for (juce::PopupMenu::MenuItemIterator it (*bar.getMainMenu()); it.next();)
        {
            const auto& item = it.getItem();
            int w = 0, h = 0;
            laf.getIdealPopupMenuItemSize (item.text, item.isSeparator, -1, w, h);
            items.push_back ({ item.text, item.itemID, item.isSeparator, item.isEnabled, h });
            width = juce::jmax (width, w);
            height += h;
        }

        setSize (width + 2 * border, height + 2 * border);
    }

    void paint (juce::Graphics& g) override
    {
        laf.drawPopupMenuBackground (g, getWidth(), getHeight());
        int y = border;

        // A popup draws each item in a component of its own, so each gets its own origin.
        for (const auto& item : items)
        {
            juce::Graphics::ScopedSaveState state (g);
            g.setOrigin (border, y);
            laf.drawPopupMenuItem (g, { getWidth() - 2 * border, item.height }, item.isSeparator, item.isEnabled,
                                   item.id == MenuBar::loadItemId, false, false, item.text, {}, nullptr, nullptr);
            y += item.height;
        }
    }

    struct Item
    {
        juce::String text;
        int id;
        bool isSeparator, isEnabled;
        int height;
    };

    juce::PopupMenu_LAF laf;
    const int border = laf.getPopupMenuBorderSize();
    PlemvoPluginInstance instance;
    MenuBar bar { instance, instance.getPlemvoParams() };
    std::vector<Item> items;
};

const vqshots::Shot mainMenu { "main-menu", [] { return std::make_unique<MainMenuShot>(); } };

/** The device selector of an instance connected to unit 23, with unit 17 free and unit 31 held by
    another instance: one row of each kind, laid out as the popup lays out its custom items. */
struct SelectorShot : juce::Component
{
    SelectorShot()
    {
        for (const int serialNo : { 17, 23, 31 })
        {
            units.push_back (std::make_unique<vqsim::SimulatedUnit> (setup, serialNo));
            units.back()->plugIn();
        }

        vqtest::runMessageLoopUntil ([] { return juce::MidiManager::getInstance()->getConnectionList()->size() == 3; },
                                     5000);
        own.connectWithDevice (23);
        other.connectWithDevice (31);
        vqtest::runMessageLoopUntil ([this] { return isConnected (own) && isConnected (other); }, 5000);

        bar.fillDeviceSelector();
        setLookAndFeel (&bar.getDeviceSelectorLookAndFeel());
        const auto border = getLookAndFeel().getPopupMenuBorderSize();
        int y = border, width = 0;

        for (juce::PopupMenu::MenuItemIterator it (*bar.getDeviceSelector()); it.next();)
        {
            auto& row = *it.getItem().customComponent;
            int w = 0, h = 0;
            row.getIdealSize (w, h);
            addAndMakeVisible (row);
            row.setBounds (border, y, w, h);
            y += h;
            width = juce::jmax (width, w);
        }

        setSize (width + 2 * border, y + border);
    }

    ~SelectorShot() override
    {
        removeAllChildren();
        setLookAndFeel (nullptr);
    }

    static bool isConnected (PlemvoPluginInstance& instance)
    {
        return instance.getPlemvoParams().getNonAutomatableParamValue (ParamData::isConnected);
    }

    void paint (juce::Graphics& g) override { getLookAndFeel().drawPopupMenuBackground (g, getWidth(), getHeight()); }

    vqsim::VirtualMidiSetup setup;
    std::vector<std::unique_ptr<vqsim::SimulatedUnit>> units;
    PlemvoPluginInstance own, other;
    MenuBar bar { own, own.getPlemvoParams() };
};

const vqshots::Shot selector { "device-selector", [] { return std::make_unique<SelectorShot>(); } };
} // namespace
