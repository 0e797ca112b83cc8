#pragma once

#include "ParamsManager.h"
#include "vq_core/CommandListener.h"
#include "vq_gui/MenuBarUsbButton.h"
#include "vq_gui/PopupMenu_LAF.h"
#include "vq_midi/MidiManager.h"

class PlemvoPluginInstance;

/** The strip at the top of the window: the menu button at the left opens the main menu (save and
    load a preset, the version), the USB button at the right shows the connection and opens the
    device selector, where units are connected and disconnected by serial number. It also takes the
    instance's request to show the selector. Message thread only.
*/
class MenuBar : public juce::Component,
                public juce::VqParamsManager::NonAutomatableParamListener,
                public juce::MidiManager::ConnectionListListener,
                public juce::CommandListener
{
public:
    static constexpr int saveItemId = 100;
    static constexpr int loadItemId = 101;
    static constexpr int versionItemId = 1;

    MenuBar (PlemvoPluginInstance& instanceToUse, PlemvoParamsManager& paramsManagerToUse);
    ~MenuBar() override;

    void lookAndFeelChanged() override;
    void paint (juce::Graphics& g) override;
    void resized() override;

    /** Once the window is on a display, asks the instance for a selector request that waited. */
    void parentHierarchyChanged() override;

    void nonAutomatableParamValueChanged (int index, juce::var value) override;
    void connectionListChanged() override;

    /** Takes "showDeviceSelector" while the window is on a display and the process in the foreground,
        and declines it otherwise (it then waits with the instance) and every other command. A request
        shows the selector only when the units or their connections differ from what the user last saw
        in it, and only when no other popup, dialog or alert is open; so the first request opens it, and
        a repeated one neither reopens a selector the user closed nor closes what the user has open. A
        selector that closed because the process went to the background was not closed by the user: the
        next request shows it again.
    */
    bool commandListenerCallback (juce::VqCommand* command) override;

    /** The USB button's click: fills the selector with one row per unit and shows it under the USB
        button. An open selector whose units and connections are unchanged stays as it is. Nothing
        happens off the display.
    */
    void openDeviceSelector();

    /** Builds the main menu afresh and shows it under the menu button; nothing happens off the display. */
    void openMenu();

    /** The two steps that build the menus without showing them. */
    void fillMainMenu();
    void fillDeviceSelector();

    /** What a chosen main-menu item does: the preset commands go to the instance's queue. */
    void handleMainMenuResult (int result);

    juce::PopupMenu* getMainMenu() const noexcept { return mainMenu.get(); }
    juce::PopupMenu* getDeviceSelector() const noexcept { return deviceMenu.get(); }
    juce::MenuBarShapeButton& getMenuButton() const noexcept { return *menuButton; }
    juce::MenuBarUsbButton& getUsbButton() const noexcept { return *usbButton; }
    juce::LookAndFeel& getDeviceSelectorLookAndFeel() noexcept { return deviceMenuLaf; }

private:
    struct DeviceRow;
    class SelectorWatcher;

    std::vector<DeviceRow> readDeviceRows() const;
    bool canShowPopups() const;
    void answerSelectorRequest();
    bool isDeviceSelectorShowing() const;
    void closeDeviceSelector();
    void deviceSelectorClosed();
    void deviceButtonClicked (int serialNo, bool connect);

    PlemvoPluginInstance& instance;
    PlemvoParamsManager& paramsManager;
    std::unique_ptr<juce::PopupMenu> mainMenu;
    juce::PopupMenu_LAF mainMenuLaf;
    std::unique_ptr<juce::PopupMenu> deviceMenu;
    juce::LookAndFeel_V4 deviceMenuLaf;
    std::vector<DeviceRow> shownRows; // what the user last saw in the selector
    std::unique_ptr<SelectorWatcher> selectorWatcher;
    std::unique_ptr<juce::MenuBarShapeButton> menuButton;
    std::unique_ptr<juce::MenuBarUsbButton> usbButton;
    juce::Colour barTop, barBottom;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MenuBar)
};
