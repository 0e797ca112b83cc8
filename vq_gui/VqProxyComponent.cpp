#include "VqProxyComponent.h"

namespace juce
{
VqProxyComponent::VqProxyComponent (Component& c)
    : component (&c),
      parent (c.getParentComponent())
{
    setWantsKeyboardFocus (false);
    setBounds (c.getBounds());
    setTransform (c.getTransform());
    setAlpha (c.getAlpha());
    setInterceptsMouseClicks (false, false);

    if (parent != nullptr)
        parent->addAndMakeVisible (this);
    else if (c.isOnDesktop() && c.getPeer() != nullptr)
        addToDesktop (c.getPeer()->getStyleFlags() | ComponentPeer::windowIgnoresKeyPresses);

    const auto scale = getDisplayScaleFor (getScreenBounds()) * Component::getApproximateScaleFactorForComponent (&c);
    image = c.createComponentSnapshot (c.getLocalBounds(), false, scale);

    if (c.isVisible())
    {
        setVisible (true);
        toBehind (&c);
    }
}

VqProxyComponent::~VqProxyComponent()
{
    if (! isVisible())
        return;

    setVisible (false);

    if (parent != nullptr)
        parent->removeChildComponent (this);

    if (component != nullptr)
        component->setVisible (true);
}

void VqProxyComponent::paint (Graphics& g)
{
    if (image.isNull())
        return;

    g.setOpacity (1.0f);
    g.drawImageTransformed (image,
                            AffineTransform::scale ((float) getWidth() / (float) jmax (1, image.getWidth()),
                                                    (float) getHeight() / (float) jmax (1, image.getHeight())),
                            false);
}

float VqProxyComponent::getDisplayScaleFor (Rectangle<int> screenArea)
{
    // Headless there is no display at all to ask.
    if (const auto* display = Desktop::getInstance().getDisplays().getDisplayForRect (screenArea))
        return (float) display->scale;

    return 1.0f;
}

std::unique_ptr<AccessibilityHandler> VqProxyComponent::createAccessibilityHandler()
{
    return createIgnoredAccessibilityHandler (*this);
}
} // namespace juce
