#include "Mouse.h"

namespace vqtest
{
DirectMouse::DirectMouse (juce::Component& targetToUse)
    : target (targetToUse)
{
}

juce::MouseEvent DirectMouse::event (juce::Point<float> position, juce::ModifierKeys mods) const
{
    return { juce::Desktop::getInstance().getMainMouseSource(),
             position,
             mods,
             juce::MouseInputSource::defaultPressure,
             juce::MouseInputSource::defaultOrientation,
             juce::MouseInputSource::defaultRotation,
             juce::MouseInputSource::defaultTiltX,
             juce::MouseInputSource::defaultTiltY,
             &target,
             &target,
             juce::Time::getCurrentTime(),
             downPosition,
             downTime,
             clicks,
             dragged };
}

void DirectMouse::enter (juce::Point<float> position)
{
    target.mouseEnter (event (position, {}));
}
void DirectMouse::move (juce::Point<float> position)
{
    target.mouseMove (event (position, {}));
}
void DirectMouse::exit (juce::Point<float> position)
{
    target.mouseExit (event (position, {}));
}

void DirectMouse::down (juce::Point<float> position, juce::ModifierKeys newButtons)
{
    buttons = newButtons;
    downPosition = position;
    downTime = juce::Time::getCurrentTime();
    dragged = false;
    target.mouseDown (event (position, buttons));
}

void DirectMouse::drag (juce::Point<float> position)
{
    dragged = dragged || position != downPosition;
    target.mouseDrag (event (position, buttons));
}

void DirectMouse::up (juce::Point<float> position)
{
    // Handlers read the released button from the event, as JUCE sends it.
    target.mouseUp (event (position, buttons));
    buttons = {};
    clicks = 1;
}

void DirectMouse::click (juce::Point<float> position, juce::ModifierKeys newButtons)
{
    down (position, newButtons);
    up (position);
}

void DirectMouse::doubleClick (juce::Point<float> position)
{
    click (position);
    clicks = 2;
    down (position, juce::ModifierKeys::leftButtonModifier);
    target.mouseDoubleClick (event (position, buttons));
    up (position);
}

void DirectMouse::wheel (juce::Point<float> position, float deltaY)
{
    juce::MouseWheelDetails details { 0.0f, deltaY, false, false, false };
    target.mouseWheelMove (event (position, {}), details);
}

//==============================================================================
PeerMouse::PeerMouse (juce::Component& targetToUse)
    : target (targetToUse),
      top (*targetToUse.getTopLevelComponent()),
      time (juce::Time::currentTimeMillis())
{
    if (top.getPeer() == nullptr)
    {
        top.setVisible (true);
        top.addToDesktop (0);
        addedToDesktop = true;
    }
}

PeerMouse::~PeerMouse()
{
    if (topAlive == nullptr)
    {
        juce::ModifierKeys::currentModifiers = {};
        return;
    }

    if (! buttons.isAnyMouseButtonDown())
        leave();
    else
        up (last);

    juce::ModifierKeys::currentModifiers = {};

    if (addedToDesktop)
        top.removeFromDesktop();
}

juce::ComponentPeer& PeerMouse::peer() const
{
    return *top.getPeer();
}

void PeerMouse::send (juce::Point<float> position, juce::ModifierKeys mods)
{
    last = position;
    time += 20;
    // The platform layer updates the current modifiers before it hands an event on.
    juce::ModifierKeys::currentModifiers = mods;
    const auto inPeer = top.getLocalPoint (&target, position);
    peer().handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, inPeer, mods,
                             juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation, time);
}

void PeerMouse::move (juce::Point<float> position)
{
    send (position, {});
}

void PeerMouse::down (juce::Point<float> position, juce::ModifierKeys newButtons)
{
    buttons = newButtons.withOnlyMouseButtons();
    send (position, newButtons);
}

void PeerMouse::drag (juce::Point<float> position)
{
    send (position, buttons);
}

void PeerMouse::up (juce::Point<float> position)
{
    buttons = {};
    send (position, {});
}

void PeerMouse::click (juce::Point<float> position, juce::ModifierKeys newButtons)
{
    down (position, newButtons);
    up (position);
    wait (juce::MouseEvent::getDoubleClickTimeout() + 1);
}

void PeerMouse::doubleClick (juce::Point<float> position)
{
    down (position);
    up (position);
    click (position);
}

void PeerMouse::dragUp (juce::Point<float> from, int pixels)
{
    move (from);
    down (from);
    for (int dy = 8; dy <= pixels; dy += 8)
        drag (from.translated (0.0f, (float) -dy));
    up (from.translated (0.0f, (float) -pixels));
}

void PeerMouse::wheel (juce::Point<float> position, float deltaY)
{
    last = position;
    time += 20;
    juce::MouseWheelDetails details { 0.0f, deltaY, false, false, false };
    peer().handleMouseWheel (juce::MouseInputSource::InputSourceType::mouse, top.getLocalPoint (&target, position),
                             time, details);
}

void PeerMouse::leave()
{
    send (target.getLocalPoint (&top, juce::Point<float> (-100.0f, -100.0f)), {});
}

void PeerMouse::wait (int milliseconds)
{
    time += milliseconds;
}
} // namespace vqtest
