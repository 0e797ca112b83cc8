#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace vqtest
{
/** A top-level window around one component, on a window peer of its own that needs no display. As a
    platform's peer does, the peer collects the areas that repaints ask for and, told to paint, paints
    just those, clipped to them, through ComponentPeer::handlePaint with the display's scale as a
    transform, into its screen: an image of the window's physical pixels (twice its size each way on a
    2x display). The window follows the content's size. Tests and benchmarks read what a change asks
    to repaint, time the paint, and compare what the window then shows. Message thread only. */
class PaintingWindow : public juce::Component, private juce::ComponentListener
{
public:
    PaintingWindow (juce::Component& content, float scale);
    ~PaintingWindow() override;

    float getScale() const noexcept { return scale; }

    /** The areas asked to repaint since the last paint, in the window's coordinates. */
    const juce::RectangleList<int>& getPendingArea() const noexcept;

    /** Paints the pending areas as a peer does (each cleared first, as on an ARGB window) and
        returns them; nothing pending paints nothing. */
    juce::RectangleList<int> paintPending();

    /** Repaints the whole window and paints it. */
    void paintAll();

    /** The window's physical pixels as last painted. */
    const juce::Image& getScreen() const noexcept { return screen; }

protected:
    juce::ComponentPeer* createNewPeer (int styleFlags, void* nativeWindowToAttachTo) override;

private:
    class Peer;

    void componentMovedOrResized (juce::Component&, bool wasMoved, bool wasResized) override;
    Peer& peer() const;

    juce::Component& content;
    const float scale;
    juce::Image screen;

    JUCE_DECLARE_NON_COPYABLE (PaintingWindow)
};
} // namespace vqtest
