#pragma once

#include "VQ_Knob_LAF.h"
#include "VQ_Label.h"

#include <functional>
#include <memory>

/** The panel's rotary control: a slider drawn by the look-and-feel it owns, with a caption and a
    ring of clickable ruler marks (scale texts and LEDs).

    The caption and the marks are siblings of the knob in its parent, not children: the knob adds
    them to each new parent, the look-and-feel places them in the parent's coordinates at layout,
    and they follow the knob's visibility. A press on a mark jumps the knob to the mark's value as
    one gesture: onDragStart and onValueChange on the press, onDragEnd on the release. The knob
    listens to its marks, so the slider then handles the same press, drag and release as its own, in
    a drag nested inside the mark's: a drag begun on a mark turns the knob on from the mark's value.
*/
class VQ_Knob : public juce::Slider
{
public:
    VQ_Knob();
    ~VQ_Knob() override;

    /** Lays the knob out as a square of this side at (x, y) in its parent. */
    virtual void setSliderBounds (const int& x, const int& y, const int& size) = 0;

    /** Applies the transform to the knob, its caption, its ruler labels and its ruler LEDs. */
    virtual void setSliderAffineTransform (const juce::AffineTransform& transform);

    /** Sets the caption, the range and, given at least two texts, one ruler label and one LED
        per text, spread evenly over the range. Fewer texts keep the marks there are.
    */
    virtual void defineSliderPrms (const juce::String& caption, const juce::StringArray& rulerTexts,
                                   const float& rangeStart, const float& rangeEnd, const float& interval,
                                   const float& defaultValue, const float& unused) = 0;

    /** Shows or hides the pointer mark; the cap shading turns either way. */
    void setPointerVisible (bool shouldShow);
    bool isPointerVisible() const noexcept { return pointerVisible; }

    SliderDescLabel& getCaption() noexcept { return caption; }
    juce::OwnedArray<SliderRulerLabel>& getRulerLabels() noexcept { return rulerLabels; }
    juce::OwnedArray<SliderRulerDiode>& getRulerDiodes() noexcept { return rulerDiodes; }
    VQ_Knob_LAF* getKnobLookAndFeel() const noexcept { return knobLookAndFeel.get(); }

    /** The radius of the ruler texts about the knob's centre, written at layout. */
    float getRulerRadius() const noexcept { return rulerRadius; }
    void setRulerRadius (float newRadius) noexcept { rulerRadius = newRadius; }

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override {}
    void parentHierarchyChanged() override;
    void visibilityChanged() override;
    bool hitTest (int x, int y) override;
    void lookAndFeelChanged() override {}
    void resized() override;

    /** Has the look-and-feel's images follow the context's pixel scale, then paints the slider. */
    void paint (juce::Graphics& g) override;

protected:
    /** Makes this the knob's look-and-feel, owned by the knob. */
    void setKnobLookAndFeel (std::unique_ptr<VQ_Knob_LAF> lookAndFeel);

    /** Replaces the marks with one label and one LED per text, ending a gesture a mark began and the
        slider's drag of the same press. */
    void replaceRulerMarks (const juce::StringArray& rulerTexts, float rangeStart, float rangeEnd);

    /** Sets the range from the caller's floats, each taken as the decimal it was written as (0.01f
        as 0.01, not 0.0099999998), so that a value snapped to a step is that step's float. A NaN
        value set later keeps the knob where it is (JUCE would store it).
    */
    void setKnobRange (float rangeStart, float rangeEnd, float interval);

    /** The double of the shortest decimal that reads back as this float. */
    static double decimalValue (float value);

    void setParametersDefined() noexcept { parametersDefined = true; }

private:
    SliderDescLabel caption;
    juce::OwnedArray<SliderRulerDiode> rulerDiodes;
    juce::OwnedArray<SliderRulerLabel> rulerLabels;
    std::unique_ptr<VQ_Knob_LAF> knobLookAndFeel;
    bool pointerVisible = true;
    bool parametersDefined = false;
    float rulerRadius = 10.0f;

    template <typename Function> void forEachSibling (Function&& function);
    void endSliderDrag();

public:
    std::function<void()> onMouseDoubleClickFunc, onMouseEnterFunc, onMouseExitFunc;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VQ_Knob)
};
