#include "PaintingWindow.h"

namespace vqtest
{
class PaintingWindow::Peer : public juce::ComponentPeer
{
public:
    Peer (juce::Component& component, int styleFlags, float scaleToUse)
        : juce::ComponentPeer (component, styleFlags),
          scale (scaleToUse)
    {
    }

    juce::RectangleList<int> pending;

    void* getNativeHandle() const override { return nullptr; }
    void setVisible (bool) override {}
    void setTitle (const juce::String&) override {}
    void setBounds (const juce::Rectangle<int>& newBounds, bool) override { bounds = newBounds; }
    juce::Rectangle<int> getBounds() const override { return bounds; }
    juce::Point<float> localToGlobal (juce::Point<float> p) override { return p + bounds.getPosition().toFloat(); }
    juce::Point<float> globalToLocal (juce::Point<float> p) override { return p - bounds.getPosition().toFloat(); }
    void setMinimised (bool) override {}
    bool isMinimised() const override { return false; }
    void setFullScreen (bool) override {}
    bool isFullScreen() const override { return false; }
    void setIcon (const juce::Image&) override {}
    bool contains (juce::Point<int> p, bool) const override { return bounds.withZeroOrigin().contains (p); }
    OptionalBorderSize getFrameSizeIfPresent() const override { return {}; }
    juce::BorderSize<int> getFrameSize() const override { return {}; }
    bool setAlwaysOnTop (bool) override { return true; }
    void toFront (bool) override {}
    void toBehind (juce::ComponentPeer*) override {}
    bool isFocused() const override { return false; }
    void grabFocus() override {}
    void textInputRequired (juce::Point<int>, juce::TextInputTarget&) override {}
    void repaint (const juce::Rectangle<int>& area) override { pending.add (area); }
    void performAnyPendingRepaintsNow() override {}
    void setAlpha (float) override {}
    juce::StringArray getAvailableRenderingEngines() override { return { "Software Renderer" }; }
    double getPlatformScaleFactor() const noexcept override { return scale; }

private:
    juce::Rectangle<int> bounds;
    const float scale;
};

//==============================================================================
PaintingWindow::PaintingWindow (juce::Component& contentToShow, float scaleToUse)
    : content (contentToShow),
      scale (scaleToUse)
{
    addAndMakeVisible (content);
    setSize (juce::jmax (1, content.getWidth()), juce::jmax (1, content.getHeight()));
    content.addComponentListener (this);
    setVisible (true);
    addToDesktop (0);
}

PaintingWindow::~PaintingWindow()
{
    content.removeComponentListener (this);
    removeFromDesktop();
    removeChildComponent (&content);
}

juce::ComponentPeer* PaintingWindow::createNewPeer (int styleFlags, void*)
{
    return new Peer (*this, styleFlags, scale);
}

PaintingWindow::Peer& PaintingWindow::peer() const
{
    return *static_cast<Peer*> (getPeer());
}

void PaintingWindow::componentMovedOrResized (juce::Component&, bool, bool wasResized)
{
    if (wasResized)
        setSize (juce::jmax (1, content.getWidth()), juce::jmax (1, content.getHeight()));
}

const juce::RectangleList<int>& PaintingWindow::getPendingArea() const noexcept
{
    return peer().pending;
}

juce::RectangleList<int> PaintingWindow::paintPending()
{
    auto area = std::exchange (peer().pending, {});
    const auto pixels = (getLocalBounds().toFloat() * scale).getSmallestIntegerContainer();

    if (screen.getBounds() != pixels)
        screen = juce::Image (juce::Image::ARGB, pixels.getWidth(), pixels.getHeight(), true);

    juce::RectangleList<int> physical;

    for (const auto& r : area)
        physical.add ((r.toFloat() * scale).getSmallestIntegerContainer());

    physical.clipTo (screen.getBounds());

    if (physical.isEmpty())
        return area;

    for (const auto& r : physical)
        screen.clear (r);

    juce::LowLevelGraphicsSoftwareRenderer context (screen, {}, physical);
    context.addTransform (juce::AffineTransform::scale (scale));
    peer().handlePaint (context);
    return area;
}

void PaintingWindow::paintAll()
{
    repaint();
    paintPending();
}
} // namespace vqtest
