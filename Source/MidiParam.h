#pragma once

#include "vq_core/VqParamsManager.h"

#include <juce_events/juce_events.h>

#include <atomic>
#include <functional>

/** One parameter's link to the unit: sends the parameter's codes out through onSend, and turns
    the codes that the unit reports into parameter changes wrapped in host gestures.

    A burst of values from the unit becomes one gesture. The gesture closes after a quiet time:
    300 ms after a lone value, or three times the last gap within a burst (100..1000 ms). Values
    that arrive faster than the message thread takes them are merged; the newest one wins.
*/
class MidiParam : public juce::AsyncUpdater, public juce::MultiTimer
{
public:
    /** Milliseconds of the wall clock. */
    using WallClock = std::function<juce::int64()>;

    MidiParam();

    /** Closes a gesture that is still open, so that the host is not left with a control in touch.
        Owners declare their MidiParams after the fields that the callbacks use.
    */
    ~MidiParam() override;

    /** Sets the parameter from a code of the unit (message thread). */
    std::function<void (int)> onValueFromDevice;

    /** Opens (true) or closes (false) a host gesture on the parameter (message thread). */
    std::function<void (bool)> onGesture;

    /** Sends a code to the unit (message thread). */
    std::function<void (int)> onSend;

    /** Sets onGesture to open and close the gestures of one parameter of the manager, in the name
        of the source, so that the source is not told its own gestures back.
    */
    void setGestureTarget (juce::VqParamsManager& manager, juce::VqParamsManager::AutomatableParamListener* source,
                           int index);

    /** A code to be sent to the unit. */
    void dawValueChanged (int value);

    /** A code reported by the unit; called on a MIDI thread, applied later on the message thread. */
    void valueFromDevice (int value) noexcept;

    /** Replaces the wall clock of every MidiParam, or restores the system clock when empty.
        Message thread only; meant for tests.
    */
    static void setWallClock (WallClock clock);

    void handleAsyncUpdate() override;
    void timerCallback (int timerId) override;

private:
    static constexpr int gestureTimerId = 0;
    static constexpr int loneValueQuietMs = 300;
    static constexpr int minQuietMs = 100;
    static constexpr int maxQuietMs = 1000;

    std::atomic<int> pendingIncoming { -1 };
    bool gestureOpen = false;
    juce::int64 lastReceiveMs = 0;

    void closeGesture();

    JUCE_DECLARE_NON_COPYABLE (MidiParam)
};
