#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace vqtest
{
/** Gives the window the keyboard focus as a window manager gives it to a window the user clicks, and
    returns whether JUCE heard of it in time. The window must want the focus and no popup may be open. */
bool focusWindow (juce::Component& window);

/** Another program on the same display: its window takes the keyboard focus from this process, as when
    the user clicks another program, or another program stays in front while the host loads a session.
    Needs a display. */
class OtherApplication
{
public:
    OtherApplication();
    ~OtherApplication();

    /** Takes the focus and returns whether this process heard that it is in the background now,
        which it hears only when one of its windows had the focus. */
    bool takeFocus();

private:
    void* display;
    unsigned long window;

    JUCE_DECLARE_NON_COPYABLE (OtherApplication)
};
} // namespace vqtest
