#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

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
    VQ_Knob* getKnob() const noexcept { return knob; }
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
