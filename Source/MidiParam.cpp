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
    cancelPendingUpdate();
    closeGesture();
}

void MidiParam::dawValueChanged (int value)
{
    if (onSend)
        onSend (value);
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

void MidiParam::valueFromDevice (int value) noexcept
{
    pendingIncoming.store (value);
    triggerAsyncUpdate();
}

void MidiParam::setWallClock (WallClock clock)
{
    wallClock() = std::move (clock);
}

void MidiParam::handleAsyncUpdate()
{
    // Taken, not just read: an update triggered while this one runs must not apply it twice.
    const auto value = pendingIncoming.exchange (-1);

    if (value < 0)
        return;

    stopTimer (gestureTimerId);

    const auto now = nowMs();
    auto quietMs = loneValueQuietMs;

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

    if (onValueFromDevice)
        onValueFromDevice (value);
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
}
