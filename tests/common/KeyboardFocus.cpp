#include "KeyboardFocus.h"

#include "MessageLoop.h"

#include <X11/Xlib.h>

namespace vqtest
{
bool focusWindow (juce::Component& window)
{
    // Focus given by the test itself would hide whether the window's focus event has been handled.
    window.giveAwayKeyboardFocus();

    // A window that the display does not show yet ignores the grab, and one that took the display's
    // focus by itself when it was shown gets no second focus event: it gives the focus away first.
    auto* x = XOpenDisplay (nullptr);
    const auto handle = (::Window) (juce::pointer_sized_int) window.getWindowHandle();
    auto shown = runMessageLoopUntil (
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
        shown = shown && runMessageLoopUntil ([] { return ! juce::Process::isForegroundProcess(); }, 5000);
    }

    XCloseDisplay (x);

    window.getPeer()->grabFocus();
    return shown && runMessageLoopUntil ([&] { return window.hasKeyboardFocus (true); }, 5000);
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
