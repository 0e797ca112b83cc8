#pragma once

#include "VQ_Knob_LAF.h"

/** The panel knob's look: the cap of VQ_Knob_LAF inside a printed ruler of scale texts and dots,
    and a ring of LEDs that follows the value. The two LEDs nearest the value cross-fade.
*/
class VQ_Knob_LAF_s500 : public VQ_Knob_LAF
{
public:
    /** Which LEDs glow at a slider position: the LED at index lower and the one after it. */
    struct LitLeds
    {
        int lower = 0;
        float lowerOpacity = 1.0f;
        float upperOpacity = 0.0f;
    };

    /** The LEDs lit at a position of 0..1 for LEDs every ledStep. A position on an LED's mark
        lights only that LED; half-way between two marks both are fully lit.
    */
    static LitLeds getLitLeds (float sliderPos, float ledStep) noexcept;

    VQ_Knob_LAF_s500();

    void setLafBounds (const int& knobSize, VQ_Knob& knob) override;
    void drawRullerDecorator (juce::Graphics&, int x, int y, int width, int height, float sliderPos,
                              float rotaryStartAngle, float rotaryEndAngle, juce::Slider&) override;
    void prepareKnobRuller (VQ_Knob& knob) override;
    void prepareKnobRullerDecorator (VQ_Knob& knob) override;

    float getDecoratorRadius() const noexcept { return decoratorRadius; }

protected:
    /** Draws the unlit ring and the lit LEDs; the LED at the middle of the arc in red if asked. */
    void drawLedRing (juce::Graphics&, float sliderPos, float rotaryStartAngle, float rotaryEndAngle, bool middleInRed);

    juce::Image decoratorImage, whiteLedImage, redLedImage;
    float ledStep = 10.0f;
    float decoratorRadius = 14.0f;

private:
    /** Draws an LED image centred on its mark at the given angle. */
    void drawLed (juce::Graphics&, const juce::Image&, float angle) const;
};

/** The gain knob's look: the LED at the middle of the scale (0 dB) lights red. */
class VQ_Knob_LAF_s500_Gain : public VQ_Knob_LAF_s500
{
public:
    void drawRullerDecorator (juce::Graphics&, int x, int y, int width, int height, float sliderPos,
                              float rotaryStartAngle, float rotaryEndAngle, juce::Slider&) override;
};
