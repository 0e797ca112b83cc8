#pragma once

#include "vq_core/VqParamsManager.h"

#include <juce_events/juce_events.h>

#include <array>
#include <functional>
#include <limits>

/** One parameter's link to the unit: sends the parameter's codes out through onSend, and turns
    the codes that the unit reports into parameter changes wrapped in host gestures.

    A value the unit reports is a change of the engineer's, except where the unit's message also
    carries the parameter when it did not change (reportsUnchangedCodes): there a code is a change
    only when it differs from the code the unit last reported (or was sent, once that reached it
    before the report) and from a code sent that may still be on its way. A code that is no change
    takes no stamp.

    A burst of values from the unit becomes one gesture. The gesture closes after a quiet time:
    300 ms after a lone value, or three times the last gap within a burst (100..1000 ms), counted
    from when the values were received, however late the message thread takes them. Values that
    arrive faster than the message thread takes them are merged; the newest one wins. Each carries
    the stamp of its arrival, so the parameter refuses it when it holds a later change.

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

    /** Sends a code to the unit and returns the milliseconds until it has reached the unit, or -1
        when it was held back (message thread). */
    std::function<int (int)> onSend;

    /** Sends the parameter's current value to the unit again, at the end of a gesture in which the
        unit may have been left with another (message thread). */
    std::function<void()> onResend;

    /** Whether the unit's messages carry this parameter also when it did not change, among others
        that did (a bit of a byte of switches). */
    bool reportsUnchangedCodes = false;

    /** Sets onGesture to open and close the gestures of one parameter of the manager, in the name
        of the source, so that the source is not told its own gestures back.
    */
    void setGestureTarget (juce::VqParamsManager& manager, juce::VqParamsManager::AutomatableParamListener* source,
                           int index);

    /** A code to be sent to the unit. */
    void dawValueChanged (int value);

    /** Notes that a code was sent to the unit by the owner rather than by dawValueChanged, reaching
        it in the given milliseconds (message thread). */
    void noteSent (int code, int msToReachUnit);

    /** Milliseconds of the wall clock that every MidiParam reads; any thread. */
    static juce::int64 now();

    /** Whether a value sent to the unit may still have been on its way at a moment of the wall clock,
        so that a message the unit sent then may have crossed it: a value, or a selection that the unit
        changed, which has the send land on the other channel. */
    bool mayStillBeOnCable (juce::int64 atMs) const;

    /** A code (0..16383) reported by the unit, called on a MIDI thread and applied later on the
        message thread. When it is a change, it takes its stamp from takeStamp, which hands every
        change of one message the same stamp. Returns whether it was a change. */
    bool valueFromDevice (int value, const std::function<ChangeStamp()>& takeStamp);

    /** Replaces the wall clock of every MidiParam, or restores the system clock when empty. The
        clock is read on MIDI threads too. Message thread only, while nothing is received; meant for
        tests.
    */
    static void setWallClock (WallClock clock);

    void handleAsyncUpdate() override;
    void timerCallback (int timerId) override;

private:
    static constexpr int gestureTimerId = 0;
    static constexpr int loneValueQuietMs = 300;
    static constexpr int minQuietMs = 100;
    static constexpr int maxQuietMs = 1000;

    /** How long a value from the unit may take to reach the plug-in: one message on the cable
        (3.2 ms), with room for the MIDI service's latency. A value received before a send can have
        reached the unit and this time passed may have been sent by the unit before that send reached
        it; one received later was sent after it. */
    static constexpr int replyMs = 20;

    /** A value received from the unit and not yet applied. */
    struct Received
    {
        int code = 0;
        ChangeStamp stamp = 0; // 0 while nothing waits
        juce::int64 ms = 0;    // when the MIDI layer delivered it
        juce::int64 gapMs = 0; // since the value delivered before it, merged or not
    };

    // What the MIDI thread and the message thread share.
    mutable juce::SpinLock lock;
    Received pending;
    juce::int64 lastReceivedMs = 0;
    int reportedCode = -1;           // as the unit last reported it, or as sent once that reached it; -1 unknown
    std::array<int, 4> sentCodes {}; // sent, oldest first, not yet known to have reached the unit
    int numSentCodes = 0;
    juce::int64 crossingUntilMs = std::numeric_limits<juce::int64>::min() / 2;

    bool gestureOpen = false;
    bool mayDisagree = false; // within the open gesture

    void closeGesture();
    void takeSentCodesIfArrived (juce::int64 now); // under the lock

    JUCE_DECLARE_NON_COPYABLE (MidiParam)
};
