#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
/** A stand-in that an animation shows instead of a component: a snapshot of it, placed where the
    component was and drawn scaled to wherever the animation moves it, so the component itself is
    never repainted while it moves. It takes no clicks, no keys and no accessibility focus.
*/
class VqProxyComponent : public Component
{
public:
    /** Snapshots the component and takes its place, in its parent or on the desktop. */
    explicit VqProxyComponent (Component& componentToStandFor);

    /** Gives the place back: hides itself and shows the component again. */
    ~VqProxyComponent() override;

    void paint (Graphics& g) override;

    /** The scale at which a component on the screen area is snapshot: 1 where no display holds it. */
    static float getDisplayScaleFor (Rectangle<int> screenArea);

private:
    std::unique_ptr<AccessibilityHandler> createAccessibilityHandler() override;

    // Safe pointers: either may be deleted while the animation still runs.
    SafePointer<Component> component;
    SafePointer<Component> parent;
    Image image;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VqProxyComponent)
};
} // namespace juce
