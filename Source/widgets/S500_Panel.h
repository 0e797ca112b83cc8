#pragma once

#include "S500_Knob_s500.h"
#include "VQ_PixelScale.h"

/** The front-panel picture of one channel, stretched over the whole component. The stretched
    picture is kept for the pixel size it is painted at, for the two most recent pixel scales, so that
    painting is a plain copy; it is made again only for a size or scale it has no picture of.
*/
class PLEMVO_Panel : public juce::Component
{
public:
    explicit PLEMVO_Panel (const juce::Image& picture);

    /** The embedded front-panel picture (650 x 1140, twice the panel), decoded once and then shared
        through the image cache.
    */
    static juce::Image loadFrontPanelPicture();

    void paint (juce::Graphics& g) override;

    const juce::Image& getImage() const noexcept { return image; }

private:
    juce::Image image, stretched;
    VQ_PixelScale pixelScale;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PLEMVO_Panel)
};

/** The PRESET control: it looks like a panel knob but never turns; a double-click runs
    `onMouseDoubleClickFunc`, which the main view sets to the reset of all parameters.
*/
class PresetFakeKnob : public VQ_Knob_s500
{
public:
    using VQ_Knob_s500::VQ_Knob_s500;

    void mouseDrag (const juce::MouseEvent&) override {}
    void mouseDoubleClick (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override {}

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetFakeKnob)
};
