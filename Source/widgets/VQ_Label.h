#pragma once

#include "PLEMVO_Colours.h"
#include "VQ_PixelScale.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <vector>

class VQ_Knob;

/** A knob's caption. It can follow a linked toggle button (hover and click); a knob's caption
    links none and is not clickable, so its mouse handling changes nothing there.
*/
class SliderDescLabel : public juce::Label
{
public:
    SliderDescLabel();

    /** The colour the text returns to after hover and press. */
    void setNormalColour (juce::Colour colour);

    /** Links a toggle button that a click on the caption toggles (or none). */
    void setLinkedButton (juce::Button* button);

    void setClickable (bool shouldBeClickable);

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    static constexpr juce::uint8 pressedAlpha = 0xF2;

    juce::Colour normalColour;
    bool hover = false;
    juce::Button* linkedButton = nullptr;
    bool clickable = false;
    bool lastToggleState = false;

    void setHover (bool isOver);
};

/** What a ruler mark knows: the value it stands for and its knob. A press jumps the knob there
    and reports it as one gesture (drag start, value change; drag end on release).
*/
class SliderRulerHelper
{
public:
    SliderRulerHelper (double valueOfMark, bool isEnabled);

    void setKnob (VQ_Knob* newKnob) noexcept { knob = newKnob; }
    double getValue() const noexcept { return value; }
    bool isEnabled() const noexcept { return enabled; }

    /** Ends a gesture that a press began and no release has ended yet. */
    void endPendingGesture();

protected:
    void pressed();
    void released() { endPendingGesture(); }

private:
    bool enabled = false;
    double value = 0.0;
    VQ_Knob* knob = nullptr;
    bool gestureOpen = false;
};

/** An invisible click area over one printed scale text (or dot) of a knob's ruler. */
class SliderRulerLabel : public juce::Component, public SliderRulerHelper
{
public:
    SliderRulerLabel (const juce::String& textOfMark, double valueOfMark);

    const juce::String& getText() const noexcept { return text; }

    void mouseDown (const juce::MouseEvent&) override { pressed(); }
    void mouseUp (const juce::MouseEvent&) override { released(); }

private:
    juce::String text;
};

/** An invisible click area over one LED of a knob's ring. */
class SliderRulerDiode : public juce::Component, public SliderRulerHelper
{
public:
    explicit SliderRulerDiode (double valueOfMark);

    void mouseDown (const juce::MouseEvent&) override { pressed(); }
    void mouseUp (const juce::MouseEvent&) override { released(); }
};

//==============================================================================
/** The layout arithmetic the push controls share: every size comes from one unit of the widget and
    is rounded to the nearest pixel, halves to even. */
namespace VQ_Layout
{
int round (float value) noexcept;

/** A bold font of the given height (clamped as juce::Font does). */
juce::Font boldFont (float height);

/** Gives a light its square size and centres it on the point. */
void placeLight (juce::Component& light, int size, juce::Point<int> centre);

/** The width of the label's current text in the font. */
float textWidth (const juce::Label& label, const juce::Font& font);

/** Gives the label the font, the size and no border, and centres it on the point (integer halving). */
void placeLabel (juce::Label& label, const juce::Font& font, int width, int height, juce::Point<int> centre);

/** Centres for a row of texts of the given widths, ordered from left to right, that leave at least
    `gap` between every two and move the texts from their wanted centres as little as that allows
    (the least sum of squared moves): texts that fit stay where they are wanted. */
std::vector<float> spreadApart (const std::vector<float>& wanted, const std::vector<float>& widths, float gap);
} // namespace VQ_Layout

/** An indicator light: a cached image of its look, rendered for its size whenever it is resized or
    recoloured, at the pixel scale of the context it paints into, and only drawn when painted. */
class ButtonDiode : public juce::Component
{
public:
    /** Stores the colour and, once the light has a size, renders its image again. */
    void setDiodeColour (const juce::Colour& c);

    void paint (juce::Graphics& g) override;

    /** Renders the image for the new size. */
    void resized() override;

    std::function<void()> onClick = [] {};

protected:
    explicit ButtonDiode (juce::Colour colour);

    /** Renders `diodeImage` for the light's size and colour at the current pixel scale. */
    virtual void renderImage() = 0;

    juce::Colour diodeColour;
    juce::Image diodeImage;
    VQ_PixelScale pixelScale;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ButtonDiode)
};

/** The lit light with its glow. Its owners make it ignore the mouse, so clicks reach what lies below. */
class ButtonLightDiode : public ButtonDiode
{
public:
    explicit ButtonLightDiode (juce::Colour colour = PLEMVO_Colours::litLedColour);

protected:
    void renderImage() override;
};

/** The unlit light; a press on it runs `onClick`. Its look is the same dark amber whatever its colour. */
class ButtonDarkDiode : public ButtonDiode
{
public:
    explicit ButtonDarkDiode (juce::Colour colour = juce::Colour (0xFFFF3B5E));

    void mouseDown (const juce::MouseEvent& e) override;

protected:
    void renderImage() override;
};

/** The text beside a light. It holds a click handler for its owner but never runs it itself. */
class DiodeLabel : public juce::Label
{
public:
    DiodeLabel() = default;

    std::function<void()> onClick = [] {};
};

/** The two clip lights "1" and "2" under "CLIP"; a press on an unlit light tells the owner to clear it.
    The labels live in the parent beside the widget and follow its visibility. */
class ClipperDiodes : public juce::Component
{
public:
    ClipperDiodes();
    ~ClipperDiodes() override;

    /** Runs the handler of the unlit light under the press, if any. */
    void mouseDown (const juce::MouseEvent& e) override;
    void visibilityChanged() override;
    void parentHierarchyChanged() override;
    void paint (juce::Graphics&) override {}
    void resized() override;

    std::function<void()> onLeftDiodeClicked = [] {}, onRightDiodeClicked = [] {};

    std::unique_ptr<ButtonDarkDiode> leftDarkDiode, rightDarkDiode;
    std::unique_ptr<ButtonLightDiode> leftLightDiode, rightLightDiode;
    std::unique_ptr<DiodeLabel> leftNumberLabel, rightNumberLabel;
    juce::Label clipLabel;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ClipperDiodes)
};

/** The "USB" light; the owner shows `lightDiode` while a unit is connected. Its label lives in the parent. */
class UsbDiode : public juce::Component
{
public:
    UsbDiode();
    ~UsbDiode() override;

    void visibilityChanged() override;
    void parentHierarchyChanged() override;
    void paint (juce::Graphics&) override {}
    void resized() override;

    std::unique_ptr<ButtonDarkDiode> darkDiode;
    std::unique_ptr<ButtonLightDiode> lightDiode;
    std::unique_ptr<DiodeLabel> usbLabel;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (UsbDiode)
};
