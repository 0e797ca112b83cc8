#include "S500_Knob_s500.h"

#include "PLEMVO_Colours.h"
#include "VQ_Knob_LAF_s500.h"
#include "VQ_Label.h"

#include <cmath>

namespace
{
constexpr float frequencyArcStart = 1.89f * juce::MathConstants<float>::pi;
constexpr float frequencyArcEnd = 2.715f * juce::MathConstants<float>::pi;
constexpr float gainArcStart = 1.285f * juce::MathConstants<float>::pi;
constexpr float gainArcEnd = 2.11f * juce::MathConstants<float>::pi;
} // namespace

VQ_Knob_s500::VQ_Knob_s500 (Orientation newOrientation, bool gainStyle)
    : orientation (newOrientation)
{
    if (newOrientation == frequency)
        setRotaryParameters (frequencyArcStart, frequencyArcEnd, true);
    else
        setRotaryParameters (gainArcStart, gainArcEnd, true);

    getCaption().setColour (juce::Label::textColourId, PLEMVO_Colours::panelFontColour);

    if (gainStyle)
        setKnobLookAndFeel (std::make_unique<VQ_Knob_LAF_s500_Gain>());
    else
        setKnobLookAndFeel (std::make_unique<VQ_Knob_LAF_s500>());

    setSliderStyle (juce::Slider::RotaryVerticalDrag);
    setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    setMouseDragSensitivity (pixelsForFullTurn);

    getCaption().setFont (VQ_Layout::boldFont (captionFontHeight));
    getCaption().setJustificationType (juce::Justification::centred);
}

void VQ_Knob_s500::defineSliderPrms (const juce::String& caption, const juce::StringArray& rulerTexts,
                                     const float& rangeStart, const float& rangeEnd, const float& interval,
                                     const float&, const float&)
{
    getCaption().setText (caption, juce::dontSendNotification);
    setKnobRange (rangeStart, rangeEnd, interval);

    if (rulerTexts.size() >= 2)
    {
        replaceRulerMarks (rulerTexts, rangeStart, rangeEnd);
        valueChanged();
    }

    setParametersDefined();
}

void VQ_Knob_s500::setSliderBounds (const int& x, const int& y, const int& size)
{
    getKnobLookAndFeel()->setLafBounds (size, *this);

    const auto s = (float) size / 75.0f;
    const auto fontHeight = 6.5f * s;
    const auto dx = VQ_Layout::round (12.0f * s);
    const auto dy = VQ_Layout::round (56.0f * s);
    const auto height = VQ_Layout::round (1.2f * fontHeight);
    auto& caption = getCaption();

    if (orientation == gain || orientation == frequency)
    {
        const auto width = VQ_Layout::round ((float) caption.getText().length() * fontHeight);

        if (orientation == gain)
        {
            caption.setBounds (x + dx, y + dy, width, height);
            caption.setJustificationType (juce::Justification::left);
        }
        else
        {
            caption.setBounds (getX() + getWidth() - dx - width, y + dy, width, height);
            caption.setJustificationType (juce::Justification::right);
        }
    }
    else
    {
        caption.setBounds (x, y + dy, size, height);
        caption.setJustificationType (juce::Justification::centred);
    }

    caption.setFont (VQ_Layout::boldFont (fontHeight));

    for (auto* label : getRulerLabels())
        label->setKnob (this);

    for (auto* diode : getRulerDiodes())
        diode->setKnob (this);
}
