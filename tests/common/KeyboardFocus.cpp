#include "KeyboardFocus.h"

#include "MessageLoop.h"

#include <X11/Xlib.h>

namespace vqtest
{
bool focusWindow (juce::Component& window)
{
    // Focus given by the test itself would hide whether the window's focus event has been handled.
    window.giveAwayKeyboardFocus();

    // The display gives the focus as a window manager does, at its current time: a window not shown
    // yet cannot take it, and one that took it by itself when shown gets no second focus event, so it
    // gives it away first. JUCE's own grab carries the window's last user time, which the display
    // ignores when another program took the focus later.
    auto* x = XOpenDisplay (nullptr);
    const auto handle = (::Window) (juce::pointer_sized_int) window.getWindowHandle();
    auto focusable = runMessageLoopUntil (
        [&]
        {
            XWindowAttributes attributes;
            return XGetWindowAttributes (x, handle, &attributes) != 0 && attributes.map_state == IsViewable;
        },
        5000);

    ::Window focused;
    int revertTo;
    XGetInputFocus (x, &focused, &revertTo);

    if (focused == handle)
    {
        XSetInputFocus (x, None, RevertToNone, CurrentTime);
        XSync (x, False);
        focusable = focusable && runMessageLoopUntil ([] { return ! juce::Process::isForegroundProcess(); }, 5000);
    }

    XSetInputFocus (x, handle, RevertToParent, CurrentTime);
    XSync (x, False);
    XCloseDisplay (x);

    return focusable && runMessageLoopUntil ([&] { return window.hasKeyboardFocus (true); }, 5000);
}

OtherApplication::OtherApplication()
    : display (XOpenDisplay (nullptr))
{
    auto* x = static_cast<Display*> (display);
    window = XCreateSimpleWindow (x, DefaultRootWindow (x), 0, 0, 20, 20, 0, 0, 0);
    XMapWindow (x, window);
    XSync (x, False);
}

OtherApplication::~OtherApplication()
{
    auto* x = static_cast<Display*> (display);
    XDestroyWindow (x, window);
    XCloseDisplay (x);
}

bool OtherApplication::takeFocus()
{
    auto* x = static_cast<Display*> (display);
    XSetInputFocus (x, window, RevertToParent, CurrentTime);
    XSync (x, False);
    return runMessageLoopUntil ([] { return ! juce::Process::isForegroundProcess(); });
}
} // namespace vqtest
