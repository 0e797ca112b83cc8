#include "MenuBar.h"

#include "Ids.h"
#include "MenuBarIcons.h"
#include "MidiBridge.h"
#include "ParamTools.h"
#include "PluginInstance.h"

namespace
{
enum class RowKind
{
    free,
    own,
    other
};

/** One row of the device selector: the unit's serial number, and a CONNECT button for a free unit
    or a DISCONNECT button for the instance's own; a unit that another instance holds has none.
    A click on the row itself leaves the selector open.
*/
class DeviceComponent : public juce::PopupMenu::CustomComponent
{
public:
    DeviceComponent (int serialNo, RowKind kind, std::function<void()> onClick)
        : juce::PopupMenu::CustomComponent (false),
          deviceNumber (serialNo),
          isOwnConnection (kind == RowKind::own)
    {
        button.setButtonText (kind == RowKind::free ? "CONNECT" : "DISCONNECT");
        button.onClick = std::move (onClick);

        if (kind != RowKind::other)
            addAndMakeVisible (button);
    }

    ~DeviceComponent() override = default;

    void paint (juce::Graphics& g) override
    {
        const auto width = getWidth(), height = getHeight();

        if (isItemHighlighted())
        {
            juce::ColourGradient gradient (juce::Colour (0xFF414141), 0.0f, 0.0f, juce::Colour (0xFF1E1E1E), 0.0f,
                                           (float) height, false);
            gradient.addColour (0.5, juce::Colour (0xFF282828));
            g.setGradientFill (gradient);
            g.fillRect (0, 2, width, height - 4);
        }

        const juce::MainMenuColours colours;
        g.setFont (15.0f);
        g.setColour (isOwnConnection ? colours.usbConnectedColour : colours.iconNormalColour);
        g.drawText ("Kestova PLEMVO, serial No: " + juce::String (deviceNumber), 10, 0, width - 10, height,
                    juce::Justification::centredLeft, true);
    }

    void resized() override { button.setBounds (getWidth() - 80, 2, 78, getHeight() - 4); }

    void getIdealSize (int& idealWidth, int& idealHeight) override
    {
        idealWidth = 350;
        idealHeight = 25;
    }

    const int deviceNumber;

private:
    const bool isOwnConnection;
    juce::TextButton button;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeviceComponent)
};

juce::Path loadIcon (const unsigned char* data, size_t size)
{
    juce::Path path;
    path.loadPathFromData (data, size);
    return path;
}

juce::MidiManager* deviceManager()
{
    // The bar never creates the manager: that is the instances' count to keep.
    return juce::MidiManager::getInstanceWithoutCreating();
}
} // namespace

struct MenuBar::DeviceRow
{
    int serialNo;
    RowKind kind;

    bool operator== (const DeviceRow& other) const { return serialNo == other.serialNo && kind == other.kind; }
};

/** Hears the selector close from one of its rows, at the moment it closes: the popup's own callback comes
    a message later, when the focus that decided the closing may have changed again. */
class MenuBar::SelectorWatcher : public juce::ComponentMovementWatcher
{
public:
    SelectorWatcher (juce::Component& row, std::function<void()> onClose)
        : juce::ComponentMovementWatcher (&row),
          closed (std::move (onClose))
    {
    }

    void componentMovedOrResized (bool, bool) override {}
    void componentPeerChanged() override {}

    void componentVisibilityChanged() override
    {
        if (! getComponent()->isShowing())
            closed();
    }

private:
    std::function<void()> closed;
};

MenuBar::MenuBar (PlemvoPluginInstance& instanceToUse, PlemvoParamsManager& paramsManagerToUse)
    : instance (instanceToUse),
      paramsManager (paramsManagerToUse)
{
    menuButton = std::make_unique<juce::MenuBarShapeButton>();
    menuButton->setShape (loadIcon (MenuBarIcons::menu, sizeof (MenuBarIcons::menu)));
    usbButton = std::make_unique<juce::MenuBarUsbButton>();
    usbButton->setShape (loadIcon (MenuBarIcons::usb, sizeof (MenuBarIcons::usb)));

    addAndMakeVisible (*menuButton);
    addAndMakeVisible (*usbButton);

    menuButton->onClick = [this] { openMenu(); };
    usbButton->onClick = [this] { openDeviceSelector(); };

    lookAndFeelChanged();

    paramsManager.addNonAutomatableParamListener (this, ParamData::isConnected, juce::VqParamsManager::notifyOnAdd);
    instance.addCommandListener (this);

    if (auto* manager = deviceManager())
        manager->addConnectionListListener (this);

    connectionListChanged();
}

MenuBar::~MenuBar()
{
    selectorWatcher.reset();

    if (mainMenu != nullptr)
    {
        mainMenu->setLookAndFeel (nullptr);
        juce::PopupMenu::dismissAllActiveMenus();
    }

    if (deviceMenu != nullptr)
    {
        deviceMenu->setLookAndFeel (nullptr);
        closeDeviceSelector();
    }

    deviceMenu.reset();

    paramsManager.removeNonAutomatableParamListener (this, ParamData::isConnected);
    instance.removeCommandListener (this);

    if (auto* manager = deviceManager())
        manager->removeConnectionListListener (this);

    usbButton.reset();
    menuButton.reset();
}

void MenuBar::lookAndFeelChanged()
{
    const auto* laf = dynamic_cast<juce::VqLookAndFeel*> (&getLookAndFeel());
    const auto colours = laf != nullptr ? laf->menuColours : juce::MainMenuColours();

    barTop = colours.barTopColour;
    barBottom = colours.barBottomColour;
    menuButton->setColours (colours);
    usbButton->setColours (colours);
    repaint();
}

void MenuBar::paint (juce::Graphics& g)
{
    g.setGradientFill (juce::ColourGradient (barTop, 0.0f, 0.0f, barBottom, 0.0f, (float) getHeight(), false));
    g.fillAll();
    g.setColour (juce::Colours::black);
    g.drawLine (0.0f, (float) getHeight(), (float) getWidth(), (float) getHeight());
}

void MenuBar::resized()
{
    const auto h = getHeight();

    menuButton->setBounds (0, 0, h, h);
    menuButton->setContentHeight (0.7f * (float) h);
    usbButton->setBounds ((int) (getWidth() - 1.2 * h), 0, h, h);
    usbButton->setContentHeight ((float) h);
}

void MenuBar::parentHierarchyChanged()
{
    // The request is delivered on a later turn, by when the window may be showing as well.
    if (getPeer() != nullptr)
        instance.sendPendingCommand();
}

void MenuBar::nonAutomatableParamValueChanged (int index, juce::var value)
{
    if (index == ParamData::isConnected)
        usbButton->setIsConnected ((bool) value);
}

void MenuBar::connectionListChanged()
{
    const auto* manager = deviceManager();
    usbButton->setDevicesPresent (manager != nullptr && ! manager->getConnectionList()->isEmpty());
}

bool MenuBar::commandListenerCallback (juce::VqCommand* command)
{
    // In the background JUCE would close the selector at once, and every request would flash it anew.
    if (command->id != Ids::vqPlemvo::showDeviceSelector || ! canShowPopups() || ! juce::Process::isForegroundProcess())
        return false;

    answerSelectorRequest();
    return true;
}

void MenuBar::answerSelectorRequest()
{
    // The instance asks every second while several units are free: only a list the user has not seen
    // yet is worth the selector, and what the user opened or closed meanwhile stays as it is.
    if (readDeviceRows() == shownRows)
        return;

    if (! isDeviceSelectorShowing() && juce::ModalComponentManager::getInstance()->getNumModalComponents() > 0)
        return;

    openDeviceSelector();
}

//==============================================================================
void MenuBar::openMenu()
{
    if (! canShowPopups())
        return;

    fillMainMenu();

    // The result may come after the bar is gone: the callback holds a safe pointer of its own.
    mainMenu->showMenuAsync (juce::PopupMenu::Options().withTargetComponent (menuButton.get()),
                             [safeThis = juce::Component::SafePointer<MenuBar> (this)] (int result)
                             {
                                 if (safeThis != nullptr)
                                     safeThis->handleMainMenuResult (result);
                             });
}

void MenuBar::fillMainMenu()
{
    mainMenu = std::make_unique<juce::PopupMenu>();
    mainMenu->addItem (saveItemId, "Save preset");
    mainMenu->addItem (loadItemId, "Load preset");
    mainMenu->addSeparator();
    mainMenu->addItem (versionItemId, juce::String ("Plugin version: ") + PlemvoPluginInstance::version, false);
    mainMenu->setLookAndFeel (&mainMenuLaf);
}

void MenuBar::handleMainMenuResult (int result)
{
    if (result == loadItemId)
        instance.sendCommand (std::make_unique<juce::VqCommand> (Ids::vqPlemvo::loadPreset));
    else if (result == saveItemId)
        instance.sendCommand (std::make_unique<juce::VqCommand> (Ids::vqPlemvo::savePreset));
}

//==============================================================================
void MenuBar::openDeviceSelector()
{
    if (! canShowPopups())
        return;

    // Refilled only when something changed: the instance asks every second while several units are
    // free, and the rows must not vanish under the user's pointer each time.
    if (isDeviceSelectorShowing() && readDeviceRows() == shownRows)
        return;

    fillDeviceSelector();
    deviceMenu->showMenuAsync (juce::PopupMenu::Options().withTargetComponent (usbButton.get()));

    if (juce::PopupMenu::MenuItemIterator it (*deviceMenu); it.next())
        selectorWatcher =
            std::make_unique<SelectorWatcher> (*it.getItem().customComponent, [this] { deviceSelectorClosed(); });
}

// JUCE closes a popup by itself once the process is in the background (the user went to another program,
// or the host was never in front): the user has not chosen to close that list, so the next request shows it.
void MenuBar::deviceSelectorClosed()
{
    if (! juce::Process::isForegroundProcess())
        shownRows.clear();
}

void MenuBar::fillDeviceSelector()
{
    selectorWatcher.reset();

    if (deviceMenu != nullptr)
    {
        closeDeviceSelector();
    }
    else
    {
        deviceMenu = std::make_unique<juce::PopupMenu>();
        deviceMenuLaf.setColour (juce::PopupMenu::backgroundColourId, juce::Colour (0xFF303030));
        deviceMenuLaf.setColour (juce::TextButton::buttonColourId, juce::Colour (0xFF1E1E1E));
        deviceMenu->setLookAndFeel (&deviceMenuLaf);
    }

    shownRows = readDeviceRows();

    for (const auto& row : shownRows)
    {
        // The click ends by deleting this row: nothing of it is touched afterwards.
        auto onClick = [safeThis = juce::Component::SafePointer<MenuBar> (this), serialNo = row.serialNo,
                        connect = row.kind == RowKind::free]
        {
            if (safeThis != nullptr)
                safeThis->deviceButtonClicked (serialNo, connect);
        };

        deviceMenu->addCustomItem (row.serialNo + 1,
                                   std::make_unique<DeviceComponent> (row.serialNo, row.kind, std::move (onClick)),
                                   nullptr, {});
    }
}

std::vector<MenuBar::DeviceRow> MenuBar::readDeviceRows() const
{
    std::vector<DeviceRow> rows;

    if (const auto* manager = deviceManager())
    {
        const juce::MidiDevice::Listener* ownBridge = instance.getBridge();
        const auto list = manager->getConnectionList();

        for (const auto* status : *list)
        {
            const auto kind = status->connectionState == juce::MidiManager::ConnectionStatus::free ? RowKind::free
                              : status->listener == ownBridge && ownBridge != nullptr              ? RowKind::own
                                                                                                   : RowKind::other;
            rows.push_back ({ status->serialNo, kind });
        }
    }

    return rows;
}

// A popup is placed on the display of its target, and without a display it has none to go on.
bool MenuBar::canShowPopups() const
{
    return isShowing() && juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
}

bool MenuBar::isDeviceSelectorShowing() const
{
    if (deviceMenu != nullptr)
        for (juce::PopupMenu::MenuItemIterator it (*deviceMenu); it.next();)
            if (const auto* row = it.getItem().customComponent.get(); row != nullptr && row->isShowing())
                return true;

    return false;
}

void MenuBar::closeDeviceSelector()
{
    juce::PopupMenu::dismissAllActiveMenus();

    if (deviceMenu != nullptr)
        deviceMenu->clear();

    shownRows.clear();
}

void MenuBar::deviceButtonClicked (int serialNo, bool connect)
{
    instance.chooseDevice (serialNo, connect);
    closeDeviceSelector();
}
