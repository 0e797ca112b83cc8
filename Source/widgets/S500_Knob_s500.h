#pragma once

#include "S500_Knob.h"

/** The panel's knob: its arc and caption side follow its orientation, and the gain variant lights
    its 0 dB LED red.
*/
class VQ_Knob_s500 : public VQ_Knob
{
public:
    /** Gain knobs turn on the left arc with the caption on the left, frequency knobs mirror
        that; any other value (the PRESET knob) centres the caption.
    */
    enum Orientation
    {
        gain = 0,
        frequency = 1,
        centred = 2
    };

    VQ_Knob_s500 (Orientation orientation, bool gainStyle);

    void setSliderBounds (const int& x, const int& y, const int& size) override;
    void defineSliderPrms (const juce::String& caption, const juce::StringArray& rulerTexts, const float& rangeStart,
                           const float& rangeEnd, const float& interval, const float& defaultValue,
                           const float& unused) override;

private:
    static constexpr float captionFontHeight = 17.0f;
    static constexpr int pixelsForFullTurn = 256;

    int orientation = gain;
};
