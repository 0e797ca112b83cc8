#pragma once

#include "MenuBarButton.h"

namespace juce
{
/** A menu-bar button drawn as one vector icon filled in one colour: the disabled colour while it or a
    parent is disabled, else the highlighted colour while toggled on, else the normal one. Hovering
    changes nothing; held down, the icon shrinks a little.
*/
class MenuBarShapeButton : public MenuBarButton
{
public:
    MenuBarShapeButton();
    ~MenuBarShapeButton() override;

    void resized() override;
    void paintButton (Graphics& g, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    /** Fits the icon, proportions kept, to the height, centred in the button. */
    virtual void setContentHeight (float height);

    /** The icon's width when fitted to the height; 0 without an icon. */
    virtual int getContentWidthForHeight (float height);

    /** Replaces the icon. A first icon is kept as it is; a later one takes the place of the old. */
    void setShape (const Path& newShape);

    /** The colour the icon is filled with now. */
    Colour getIconColour() const;

    /** Where the icon is drawn, up or held down. */
    Rectangle<float> getIconArea (bool isDown) const;

private:
    void fitShape (float height);

    float pressedShrink = 0.04f;
    Path shape;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MenuBarShapeButton)
};
} // namespace juce
