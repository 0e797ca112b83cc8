#pragma once

#include "S500_GlobalHelpers.h"
#include "VQ_PixelScale.h"

#include <juce_gui_basics/juce_gui_basics.h>

class VQ_Knob;

/** Draws a knob from images rendered when the knob is laid out: the metal cap, its drop shadow,
    the cap shading that turns at a fraction of the knob's turn, and the pointer mark. Painting
    only draws those images, rotated by the knob's angle. The images are rendered at the pixel scale
    of the context the knob paints into, so that they are drawn 1:1 onto its pixels.

    All lengths scale from one unit, the knob's side / 75.
*/
class VQ_Knob_LAF : public juce::LookAndFeel_V4
{
public:
    VQ_Knob_LAF();

    /** Sets the geometry for a knob of this side and renders every image. */
    virtual void setLafBounds (const int& knobSize, VQ_Knob& knob);

    /** Before the knob paints: takes the images kept for the context's pixel scale, or renders them
        for the same layout and cap when there are none. */
    void updateImagesFor (juce::Graphics& g, VQ_Knob& knob);

    /** Draws the LED ring; the plain knob has none. */
    virtual void drawRullerDecorator (juce::Graphics&, int x, int y, int width, int height, float sliderPos,
                                      float rotaryStartAngle, float rotaryEndAngle, juce::Slider&);

    /** Renders the ruler (dots) and places the knob's ruler LEDs. */
    virtual void prepareKnobRuller (VQ_Knob& knob);

    /** Renders the LED images and places the knob's ruler LEDs; the plain knob has none. */
    virtual void prepareKnobRullerDecorator (VQ_Knob& knob);

    virtual void prepareKnobShadow();
    virtual void prepareKnobImage();

    void drawRotarySlider (juce::Graphics&, int x, int y, int width, int height, float sliderPos,
                           float rotaryStartAngle, float rotaryEndAngle, juce::Slider&) override;

    void setPointerVisible (bool shouldDraw) noexcept { drawPointer = shouldDraw; }
    bool isPointerVisible() const noexcept { return drawPointer; }

    float getScale() const noexcept { return scale; }
    float getCentre() const noexcept { return centre; }
    float getKnobRadius() const noexcept { return knobRadius; }
    float getChamferWidth() const noexcept { return chamferWidth; }

    const juce::Image& getRulerImage() const noexcept { return rulerImage; }

protected:
    /** The slider position limited to 0..1; NaN counts as 0, so no transform gets a NaN angle. */
    static float sanitisePosition (float sliderPos) noexcept;

    /** An image of the given side, cleared; a null image for a side below 1 (skipped when drawn). */
    static juce::Image makeClearedImage (int side);

    /** The angle of mark index of count marks spread evenly over the arc (the start for one mark). */
    static float markAngle (float start, float end, int index, int count) noexcept;

    /** Places a square mark of the given side in the knob's parent, centred on the circle of this
        radius about the knob's centre at the given angle.
    */
    void placeOnCircle (juce::Component& mark, const VQ_Knob& knob, float angle, float radius, int side);

    /** The first steps of every layout: scale, size and centre; the images kept for other pixel
        scales are of the layout before. */
    void setScaleFor (int knobSize) noexcept;

    /** The cap geometry for a margin of marginUnits scale units and the given chamfer width. */
    void setCapGeometry (float marginUnits, float newChamferWidth) noexcept;

    /** Renders every image of the current geometry, in the order that layout needs. */
    void renderImages (VQ_Knob& knob);

    /** The images' pixel scale; every image of the knob is rendered at it and kept per scale. */
    VQ_PixelScale pixelScale;

    bool drawPointer = true;
    bool drawRuler = true;
    bool drawDecorator = true;

    float scale = 1.0f;
    int size = 75;
    float centre = 37.5f;

    float knobDiameter = 55.0f;
    float knobRadius = 27.5f;
    float margin = 10.0f;
    float chamferWidth = 1.5f;

    juce::Image rulerImage, shadowImage, capShadingImage, capImage;
    juce::Path pointerPath;

    // The shading turns by 1/divisor of the knob's turn; 7 <= |divisor| <= 15, random sign.
    float shadingDivisor = 7.0f;
    // The cap's reflections and grain, the knob's own for its life.
    const VQ_GuiHelper::CapShading capShading = VQ_GuiHelper::CapShading::random();
    const VQ_Grain grain = VQ_Grain::random();

private:
    JUCE_DECLARE_NON_COPYABLE (VQ_Knob_LAF)
};
