#include "MenuBarUsbButton.h"

namespace juce
{
MenuBarUsbButton::MenuBarUsbButton() = default;

MenuBarUsbButton::~MenuBarUsbButton()
{
    stopTimer();
}

void MenuBarUsbButton::setColours (const MainMenuColours& colours)
{
    idleColour = colours.iconNormalColour;
    connectedColour = colours.usbConnectedColour;
    MenuBarButton::setColours (colours);
    normalColour = getBlinkColour();
    repaint();
}

void MenuBarUsbButton::setIsConnected (bool connected)
{
    if (std::exchange (isConnected, connected) != connected)
        showConnection();
}

void MenuBarUsbButton::setDevicesPresent (bool present)
{
    if (std::exchange (devicesPresent, present) != present)
        showConnection();
}

void MenuBarUsbButton::timerCallback()
{
    blinkPhase = ! blinkPhase;
    normalColour = getBlinkColour();
    repaint();
}

// Connected: steady bright. A unit waiting: blinking, starting dim. No unit: steady dim.
void MenuBarUsbButton::showConnection()
{
    stopTimer();
    blinkPhase = isConnected;

    if (! isConnected && devicesPresent)
        startTimer (blinkPeriodMs);

    normalColour = getBlinkColour();
    repaint();
}
} // namespace juce
