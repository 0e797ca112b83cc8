#pragma once

#include "MenuBarShapeButton.h"

namespace juce
{
/** The menu bar's USB button: its icon shows the connection, dim with no unit, blinking between dim
    and bright every half second while a unit waits to be connected, steady bright while connected.
    Its timer runs only while it blinks.
*/
class MenuBarUsbButton : public MenuBarShapeButton, private Timer
{
public:
    MenuBarUsbButton();
    ~MenuBarUsbButton() override;

    void setColours (const MainMenuColours& colours) override;

    void setIsConnected (bool connected);
    void setDevicesPresent (bool present);

    /** One blink: dim to bright or back. */
    void timerCallback() override;

    using Timer::isTimerRunning;

private:
    void showConnection();
    Colour getBlinkColour() const { return blinkPhase ? connectedColour : idleColour; }

    bool isConnected = false;
    bool devicesPresent = false;
    Colour idleColour, connectedColour;
    bool blinkPhase = false; // true while the bright colour shows
    int blinkPeriodMs = 500;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MenuBarUsbButton)
};
} // namespace juce
