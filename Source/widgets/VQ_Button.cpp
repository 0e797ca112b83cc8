#include "VQ_Button.h"

void VQ_Button::resized()
{
    buttonSize = (float) juce::jmax (getWidth(), getHeight());
    buttonHalfSize = buttonSize * 0.5f;
    prepareButtonImage();
}

//==============================================================================
WindowButton::WindowButton (const juce::String& name)
    : juce::Button (name)
{
    setClickingTogglesState (true);
}

void WindowButton::resized()
{
    const auto w = (float) getWidth(), h = (float) getHeight();
    const auto quarter = juce::MathConstants<float>::halfPi;
    windowScale = w / 40.0f;

    foldPath.clear();
    foldPath.addCentredArc (0.0f, h, w, h, 0.0f, 0.0f, quarter, true);
    foldPath.addCentredArc (w * 0.5f, h, w * 0.5f, h * 0.5f, 0.0f, quarter, 0.0f);
    foldPath.addCentredArc (0.0f, h * 0.5f, w * 0.5f, h * 0.5f, 0.0f, quarter, 0.0f);
    foldPath.closeSubPath();

    cornerPath.clear();
    cornerPath.addCentredArc (0.0f, h, w, h, 0.0f, 0.0f, quarter, true);
    cornerPath.lineTo (w, 0.0f);
    cornerPath.closeSubPath();
}

void WindowButton::paintButton (juce::Graphics& g, bool isHighlighted, bool isDown)
{
    if (! getToggleState())
    {
        g.setColour (juce::Colours::black.withAlpha ((juce::uint8) (isDown ? 0x80 : isHighlighted ? 0x60 : 0x40)));
        g.fillPath (foldPath);

        if (! isDown)
        {
            g.setColour (juce::Colours::white.withAlpha ((juce::uint8) (isHighlighted ? 0x33 : 0x66)));
            g.fillPath (cornerPath);
        }

        return;
    }

    const auto s = windowScale, width = (float) getWidth();
    const auto d = (width - 21.0f * s) * 0.5f;
    const auto a = d + 6.0f * s, b = width - a;

    g.setColour (isDown ? juce::Colour (0xFF9F9FA0) : isHighlighted ? juce::Colours::darkgrey : juce::Colours::grey);
    g.drawEllipse (d, d, 21.0f * s, 21.0f * s, 4.0f * s);
    g.drawLine (a, a, b, b, 4.0f * s);
    g.drawLine (b, a, a, b, 4.0f * s);
}
