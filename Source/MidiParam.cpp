#include "MidiParam.h"

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
    noteSent();

    if (onSend)
        onSend (value);
}

void MidiParam::noteSent()
{
    lastSendMs = nowMs();

    // Sent while the unit's own gesture goes on: which of the two the unit ends with is unknown.
    if (gestureOpen)
        mayDisagree = true;
}

juce::int64 MidiParam::now()
{
    return nowMs();
}

bool MidiParam::mayStillBeOnCable (juce::int64 atMs) const
{
    return atMs - lastSendMs <= crossingMs;
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

void MidiParam::valueFromDevice (int value, ChangeStamp received) noexcept
{
    pendingIncoming.store ((received << 16) | (juce::uint64) (value & 0xFFFF));
    triggerAsyncUpdate();
}

void MidiParam::setWallClock (WallClock clock)
{
    wallClock() = std::move (clock);
}

void MidiParam::handleAsyncUpdate()
{
    // Taken, not just read: an update triggered while this one runs must not apply it twice.
    const auto packed = pendingIncoming.exchange (0);

    if (packed == 0)
        return;

    const auto value = (int) (packed & 0xFFFF);
    const auto received = (ChangeStamp) (packed >> 16);

    stopTimer (gestureTimerId);

    const auto now = nowMs();
    auto quietMs = loneValueQuietMs;

    if (mayStillBeOnCable (now))
        mayDisagree = true;

    if (gestureOpen)
    {
        // 64-bit, so that a clock that jumps by days still gives the longest quiet time.
        quietMs = (int) juce::jlimit<juce::int64> (minQuietMs, maxQuietMs, 3 * (now - lastReceiveMs));
    }
    else
    {
        if (onGesture)
            onGesture (true);

        gestureOpen = true;
    }

    lastReceiveMs = now;
    startTimer (gestureTimerId, quietMs);

    if (onValueFromDevice && ! onValueFromDevice (value, received))
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
