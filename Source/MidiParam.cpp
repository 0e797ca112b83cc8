#include "MidiParam.h"

#include <algorithm>

namespace
{
MidiParam::WallClock& wallClock()
{
    static MidiParam::WallClock clock;
    return clock;
}

juce::int64 nowMs()
{
    const auto& clock = wallClock();
    return clock ? clock() : juce::Time::currentTimeMillis();
}
} // namespace

MidiParam::MidiParam() = default;

MidiParam::~MidiParam()
{
    // Going with its unit: nothing is sent any more.
    cancelPendingUpdate();
    mayDisagree = false;
    closeGesture();
}

void MidiParam::dawValueChanged (int value)
{
    if (! onSend)
        return;

    if (const auto msToReachUnit = onSend (value); msToReachUnit >= 0)
        noteSent (value, msToReachUnit);
}

void MidiParam::noteSent (int code, int msToReachUnit)
{
    const auto now = nowMs();

    {
        const juce::SpinLock::ScopedLockType sl (lock);
        takeSentCodesIfArrived (now);

        // The oldest has most likely arrived when the list is full.
        if (numSentCodes == (int) sentCodes.size())
            std::rotate (sentCodes.begin(), sentCodes.begin() + 1, sentCodes.begin() + numSentCodes--);

        sentCodes[(size_t) numSentCodes++] = code;
        crossingUntilMs = juce::jmax (crossingUntilMs, now + msToReachUnit + replyMs);
    }

    // Sent while the unit's own gesture goes on: which of the two the unit ends with is unknown.
    if (gestureOpen)
        mayDisagree = true;
}

void MidiParam::takeSentCodesIfArrived (juce::int64 now)
{
    if (numSentCodes > 0 && now > crossingUntilMs)
        reportedCode = sentCodes[(size_t) std::exchange (numSentCodes, 0) - 1];
}

juce::int64 MidiParam::now()
{
    return nowMs();
}

bool MidiParam::mayStillBeOnCable (juce::int64 atMs) const
{
    const juce::SpinLock::ScopedLockType sl (lock);
    return atMs <= crossingUntilMs;
}

void MidiParam::setGestureTarget (juce::VqParamsManager& manager,
                                  juce::VqParamsManager::AutomatableParamListener* source, int index)
{
    onGesture = [&manager, source, index] (bool starting)
    {
        if (starting)
            manager.beginParamGesture (source, index);
        else
            manager.endParamGesture (source, index);
    };
}

bool MidiParam::valueFromDevice (int value, const std::function<ChangeStamp()>& takeStamp)
{
    const auto now = nowMs();

    {
        const juce::SpinLock::ScopedLockType sl (lock);

        // A send that may have crossed this report is left for the next: the unit applies it after
        // this one, unless this one is a change, which the unit is told again when its gesture ends.
        takeSentCodesIfArrived (now);

        if (reportsUnchangedCodes)
        {
            // A code sent, reported while it may still be on its way: the unit has taken it, and
            // the ones sent before it.
            const auto end = sentCodes.begin() + numSentCodes;

            if (const auto taken = std::find (sentCodes.begin(), end, value); taken != end)
            {
                reportedCode = value;
                numSentCodes = (int) (std::copy (taken + 1, end, sentCodes.begin()) - sentCodes.begin());
                return false;
            }

            if (value == reportedCode)
                return false;
        }

        reportedCode = value;
        numSentCodes = 0;

        pending = { value, takeStamp(), now, now - lastReceivedMs };
        lastReceivedMs = now;
    }

    triggerAsyncUpdate();
    return true;
}

void MidiParam::setWallClock (WallClock clock)
{
    wallClock() = std::move (clock);
}

void MidiParam::handleAsyncUpdate()
{
    Received received;

    {
        // Taken, not just read: an update triggered while this one runs must not apply it twice.
        const juce::SpinLock::ScopedLockType sl (lock);
        received = std::exchange (pending, {});

        if (received.stamp == 0)
            return;

        // Judged by when the value came, however late it is applied: a send made meanwhile counts too.
        if (received.ms <= crossingUntilMs)
            mayDisagree = true;
    }

    stopTimer (gestureTimerId);
    auto quietMs = loneValueQuietMs;

    if (gestureOpen)
    {
        // 64-bit, so that a clock that jumps by days still gives the longest quiet time.
        quietMs = (int) juce::jlimit<juce::int64> (minQuietMs, maxQuietMs, 3 * received.gapMs);
    }
    else
    {
        if (onGesture)
            onGesture (true);

        gestureOpen = true;
    }

    // The quiet time runs from the value's arrival; what the message thread's delay took of it is gone.
    const auto waitedMs = juce::jlimit<juce::int64> (0, quietMs - 1, nowMs() - received.ms);
    startTimer (gestureTimerId, quietMs - (int) waitedMs);

    if (onValueFromDevice && ! onValueFromDevice (received.code, received.stamp))
        mayDisagree = true;
}

void MidiParam::timerCallback (int timerId)
{
    if (timerId == gestureTimerId)
        closeGesture();
}

void MidiParam::closeGesture()
{
    stopTimer (gestureTimerId);

    if (! gestureOpen)
        return;

    gestureOpen = false;

    if (onGesture)
        onGesture (false);

    if (std::exchange (mayDisagree, false) && onResend)
        onResend();
}
