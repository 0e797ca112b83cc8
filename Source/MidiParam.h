#pragma once

#include "vq_core/VqParamsManager.h"

#include <juce_events/juce_events.h>

#include <atomic>
#include <functional>
#include <limits>

/** One parameter's link to the unit: sends the parameter's codes out through onSend, and turns
    the codes that the unit reports into parameter changes wrapped in host gestures.

    A burst of values from the unit becomes one gesture. The gesture closes after a quiet time:
    300 ms after a lone value, or three times the last gap within a burst (100..1000 ms). Values
    that arrive faster than the message thread takes them are merged; the newest one wins. Each
    carries the stamp of its arrival, so the parameter refuses it when it holds a later change.

    The unit may still disagree at the end of a gesture: a value sent to it may have crossed the
    unit's own on the cable (the unit applies ours after sending its own), or its value was refused.
    Then the parameter's current value is sent once more as the gesture closes (onResend); when
    nothing crossed, nothing is sent back.
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

    using ChangeStamp = juce::VqParamsManager::ChangeStamp;

    /** Sets the parameter from a code of the unit received at a stamp, and says whether the parameter
        took it (message thread). */
    std::function<bool (int code, ChangeStamp received)> onValueFromDevice;

    /** Opens (true) or closes (false) a host gesture on the parameter (message thread). */
    std::function<void (bool)> onGesture;

    /** Sends a code to the unit (message thread). */
    std::function<void (int)> onSend;

    /** Sends the parameter's current value to the unit again, at the end of a gesture in which the
        unit may have been left with another (message thread). */
    std::function<void()> onResend;

    /** Sets onGesture to open and close the gestures of one parameter of the manager, in the name
        of the source, so that the source is not told its own gestures back.
    */
    void setGestureTarget (juce::VqParamsManager& manager, juce::VqParamsManager::AutomatableParamListener* source,
                           int index);

    /** A code to be sent to the unit. */
    void dawValueChanged (int value);

    /** Notes that the parameter's value was sent to the unit by its owner rather than by
        dawValueChanged (message thread). */
    void noteSent();

    /** Milliseconds of the wall clock that every MidiParam reads; any thread. */
    static juce::int64 now();

    /** Whether a value sent to the unit may still have been on its way at a moment of the wall clock
        (a value from the unit received then may have crossed it): sent within the crossing window
        before it, or after it. Message thread. */
    bool mayStillBeOnCable (juce::int64 atMs) const;

    /** A code (0..255) reported by the unit, received at a stamp; called on a MIDI thread, applied
        later on the message thread. */
    void valueFromDevice (int value, ChangeStamp received) noexcept;

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

    /** How long a value sent to the unit may be on its way: the time the cable takes to carry a
        whole state to the unit (some twenty messages of 3.2 ms), with room to spare. A value from the
        unit within this time of a send may have crossed it, and so may a selection that the unit
        changed, which has the send land on the other channel. */
    static constexpr int crossingMs = 100;

    // The code in the low 16 bits, its stamp above; 0 while nothing waits (stamps start at 1).
    std::atomic<juce::uint64> pendingIncoming { 0 };
    bool gestureOpen = false;
    bool mayDisagree = false; // within the open gesture
    juce::int64 lastReceiveMs = 0;
    juce::int64 lastSendMs = std::numeric_limits<juce::int64>::min() / 2;

    void closeGesture();

    JUCE_DECLARE_NON_COPYABLE (MidiParam)
};
