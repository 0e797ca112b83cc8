#include "KeyboardFocus.h"

#include "MessageLoop.h"

#include <X11/Xlib.h>

namespace vqtest
{
bool focusWindow (juce::Component& window)
{
    // Focus given by the test itself would hide whether the window's focus event has been handled.
    window.giveAwayKeyboardFocus();
    window.getPeer()->grabFocus();
    return runMessageLoopUntil ([&] { return window.hasKeyboardFocus (true); }, 5000);
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
