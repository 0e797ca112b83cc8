#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A round push button that renders its look into cached images for its diameter whenever it is
    resized, so that painting only draws them. */
class VQ_Button : public juce::Button
{
public:
    using juce::Button::Button;

    /** Takes the larger side as the diameter and renders the images for it. */
    void resized() override;

    /** Renders the images for `buttonSize`. */
    virtual void prepareButtonImage() = 0;

    float buttonSize = -1.0f;
    float buttonHalfSize = -0.5f;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VQ_Button)
};

/** The corner button that opens and closes the second channel panel: a folded page corner while off,
    a circled cross while on. Clicking toggles it; the owner reads the state. */
class WindowButton : public juce::Button
{
public:
    explicit WindowButton (const juce::String& name = {});

    void resized() override;
    void paintButton (juce::Graphics& g, bool isHighlighted, bool isDown) override;

private:
    float windowScale = 1.0f;
    juce::Path foldPath, cornerPath;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WindowButton)
};
