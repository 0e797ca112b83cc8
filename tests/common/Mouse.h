#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace vqtest
{
/** Calls one component's own mouse handlers with events built here, in its coordinates; JUCE's
    routing (hit tests, listeners, enter and exit) is bypassed. */
class DirectMouse
{
public:
    explicit DirectMouse (juce::Component& target);

    void enter (juce::Point<float> position);
    void move (juce::Point<float> position);
    void down (juce::Point<float> position, juce::ModifierKeys buttons = juce::ModifierKeys::leftButtonModifier);
    void drag (juce::Point<float> position);
    void up (juce::Point<float> position);
    void click (juce::Point<float> position, juce::ModifierKeys buttons = juce::ModifierKeys::leftButtonModifier);
    void doubleClick (juce::Point<float> position);
    void wheel (juce::Point<float> position, float deltaY);
    void exit (juce::Point<float> position);

private:
    juce::MouseEvent event (juce::Point<float> position, juce::ModifierKeys mods) const;

    juce::Component& target;
    juce::Point<float> downPosition;
    juce::Time downTime;
    juce::ModifierKeys buttons;
    int clicks = 1;
    bool dragged = false;
};

/** Moves a mouse through the window peer of the target's top-level component, the road a real
    mouse takes: JUCE finds the component under the pointer and sends enter, exit, down, drag, up,
    double-click and wheel events to it and its listeners. Positions are in the target's coordinates.
    A top-level component without a peer is put on the desktop while this lives (headless: a peer
    without a window). Events carry their own clock, 20 ms apart; a click leaves the clock past the
    double-click time, so two clicks are two single clicks unless doubleClick is used. The window may
    go while a button is held (a host closing it mid-drag): then nothing is left to release. */
class PeerMouse
{
public:
    explicit PeerMouse (juce::Component& target);
    ~PeerMouse();

    void move (juce::Point<float> position);
    void down (juce::Point<float> position, juce::ModifierKeys buttons = juce::ModifierKeys::leftButtonModifier);
    void drag (juce::Point<float> position);
    void up (juce::Point<float> position);
    void click (juce::Point<float> position, juce::ModifierKeys buttons = juce::ModifierKeys::leftButtonModifier);
    void doubleClick (juce::Point<float> position);
    /** A user's drag: moves to the point, presses, drags up in 8-pixel steps and lets go `pixels` higher. */
    void dragUp (juce::Point<float> from, int pixels);
    void wheel (juce::Point<float> position, float deltaY);
    /** Moves the pointer outside the window, so the component under it gets its exit. */
    void leave();
    /** Advances the event clock, as a pause of the user's hand. */
    void wait (int milliseconds);

private:
    void send (juce::Point<float> position, juce::ModifierKeys mods);
    juce::ComponentPeer& peer() const;

    juce::Component& target;
    juce::Component& top;
    juce::Component::SafePointer<juce::Component> topAlive { &top };
    bool addedToDesktop = false;
    juce::int64 time;
    juce::ModifierKeys buttons;
    juce::Point<float> last;
};
} // namespace vqtest
