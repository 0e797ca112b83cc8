#include "MenuBarShapeButton.h"

namespace juce
{
MenuBarShapeButton::MenuBarShapeButton()
    : MenuBarButton ("MenuBarButton")
{
    shape.setUsingNonZeroWinding (true);
}

MenuBarShapeButton::~MenuBarShapeButton() = default;

void MenuBarShapeButton::resized()
{
    if (shape.isEmpty())
        return;

    const auto offset = getLocalBounds().toFloat().getCentre() - shape.getBounds().getCentre();
    shape.applyTransform (AffineTransform::translation (offset));
    repaint();
}

void MenuBarShapeButton::paintButton (Graphics& g, bool, bool shouldDrawButtonAsDown)
{
    g.setColour (getIconColour());
    g.fillPath (shape, shape.getTransformToScaleToFit (getIconArea (shouldDrawButtonAsDown), true));
}

void MenuBarShapeButton::setContentHeight (float height)
{
    if (! shape.isEmpty())
        fitShape (height);
}

int MenuBarShapeButton::getContentWidthForHeight (float height)
{
    if (shape.isEmpty())
        return 0;

    const auto bounds = shape.getBounds();
    return (int) (bounds.getWidth() * height / bounds.getHeight());
}

void MenuBarShapeButton::setShape (const Path& newShape)
{
    const auto hadShape = ! shape.isEmpty();
    const auto height = hadShape ? shape.getBounds().getHeight() : 0.0f;

    shape = newShape;

    if (hadShape && ! shape.isEmpty())
        fitShape (height);
}

Colour MenuBarShapeButton::getIconColour() const
{
    // isEnabled is false also while a parent is disabled.
    if (! isEnabled())
        return disabledColour;

    return getToggleState() ? highlightedColour : normalColour;
}

Rectangle<float> MenuBarShapeButton::getIconArea (bool isDown) const
{
    const auto area = shape.getBounds();

    if (! isDown)
        return area;

    return area.reduced (pressedShrink * area.getWidth(), pressedShrink * area.getHeight());
}

void MenuBarShapeButton::fitShape (float height)
{
    const auto margin = ((float) getHeight() - height) / 2.0f;
    const Rectangle<float> area (margin, margin, (float) getWidth() - 2.0f * margin, height);

    shape.applyTransform (shape.getTransformToScaleToFit (area, true));
    repaint();
}
} // namespace juce
