#pragma once

#include <cstdint>

namespace aax_host
{
/** A host's top-level X11 window that a plug-in's view is put into; without a display there is none. */
class HostWindow
{
public:
    HostWindow (int width, int height);
    ~HostWindow();

    HostWindow (const HostWindow&) = delete;
    HostWindow& operator= (const HostWindow&) = delete;

    /** The window id as the view container's native pointer, or null without a display. */
    void* nativeHandle() const noexcept;
    /** How many windows the display shows inside this one (the plug-in's view among them). */
    int childCount() const;

private:
    void* display = nullptr;
    unsigned long window = 0;
};
} // namespace aax_host
