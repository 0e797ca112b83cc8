#include "HostWindow.h"

#include <X11/Xlib.h>

namespace aax_host
{
HostWindow::HostWindow (int width, int height)
{
    auto* x = XOpenDisplay (nullptr);

    if (x == nullptr)
        return;

    display = x;
    window = XCreateSimpleWindow (x, DefaultRootWindow (x), 0, 0, (unsigned) width, (unsigned) height, 0, 0, 0);
    XMapWindow (x, window);
    XSync (x, False);
}

HostWindow::~HostWindow()
{
    if (display == nullptr)
        return;

    auto* x = static_cast<Display*> (display);
    XDestroyWindow (x, window);
    XCloseDisplay (x);
}

void* HostWindow::nativeHandle() const noexcept
{
    return display != nullptr ? reinterpret_cast<void*> (window) : nullptr;
}

int HostWindow::childCount() const
{
    if (display == nullptr)
        return 0;

    auto* x = static_cast<Display*> (display);
    XSync (x, False);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;

    if (XQueryTree (x, window, &root, &parent, &children, &count) == 0)
        return 0;

    if (children != nullptr)
        XFree (children);

    return int (count);
}
} // namespace aax_host
