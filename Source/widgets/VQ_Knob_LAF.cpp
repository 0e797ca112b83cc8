#include "VQ_Knob_LAF.h"

#include "PLEMVO_Colours.h"
#include "S500_GlobalHelpers.h"
#include "S500_Knob.h"

#include <cmath>

namespace
{
constexpr juce::uint8 shadowRimAlpha = 0x59;
constexpr int baseRulerDots = 40;
} // namespace

VQ_Knob_LAF::VQ_Knob_LAF()
    : shadingDivisor ((7.0f + 8.0f * VQ_Random::getNextFloat()) * (float) VQ_Random::getRandomSign())
{
    pixelScale.keep ({ &rulerImage, &shadowImage, &capShadingImage, &capImage });
}

float VQ_Knob_LAF::sanitisePosition (float sliderPos) noexcept
{
    return std::isnan (sliderPos) ? 0.0f : juce::jlimit (0.0f, 1.0f, sliderPos);
}

juce::Image VQ_Knob_LAF::makeClearedImage (int side)
{
    if (side < 1)
        return {};

    return juce::Image (juce::Image::ARGB, side, side, true);
}

float VQ_Knob_LAF::markAngle (float start, float end, int index, int count) noexcept
{
    return count > 1 ? start + (float) index * (end - start) / (float) (count - 1) : start;
}

void VQ_Knob_LAF::placeOnCircle (juce::Component& mark, const VQ_Knob& knob, float angle, float radius, int side)
{
    const auto half = (int) std::rint ((float) side / 2.0f);
    const auto x = (int) (std::sin (angle) * radius + (float) knob.getX() + centre) - half;
    const auto y = (int) ((float) knob.getY() + centre - std::cos (angle) * radius) - half;
    mark.setBounds (x, y, side, side);
}

void VQ_Knob_LAF::setScaleFor (int knobSize) noexcept
{
    scale = (float) knobSize / 75.0f;
    size = knobSize;
    centre = (float) knobSize / 2.0f;
    pixelScale.forgetOtherScales();
}

void VQ_Knob_LAF::setCapGeometry (float marginUnits, float newChamferWidth) noexcept
{
    margin = juce::jmax (1.0f, std::rint (marginUnits * scale));
    knobDiameter = juce::jmax (0.0f, std::round ((float) size - 2.0f * margin));
    knobRadius = knobDiameter / 2.0f;
    chamferWidth = newChamferWidth;
}

void VQ_Knob_LAF::renderImages (VQ_Knob& knob)
{
    VQ_GuiHelper::prepareConicalGradWithChamfer (capShadingImage, pixelScale.pixels (knobDiameter),
                                                 pixelScale.pixels (chamferWidth), capShading,
                                                 grain.atScale (pixelScale.get()));
    prepareKnobImage();
    prepareKnobRuller (knob);
    prepareKnobRullerDecorator (knob);
    prepareKnobShadow();
}

void VQ_Knob_LAF::setLafBounds (const int& knobSize, VQ_Knob& knob)
{
    setScaleFor (knobSize);
    setCapGeometry (10.0f, juce::jmax (2.0f, std::rint (1.5f * scale)));
    renderImages (knob);
}

void VQ_Knob_LAF::updateImagesFor (juce::Graphics& g, VQ_Knob& knob)
{
    if (pixelScale.adopt (g))
        renderImages (knob);
}

void VQ_Knob_LAF::drawRullerDecorator (juce::Graphics&, int, int, int, int, float, float, float, juce::Slider&) {}

void VQ_Knob_LAF::prepareKnobRuller (VQ_Knob& knob)
{
    rulerImage = pixelScale.makeImage (size, size);

    if (rulerImage.isValid())
    {
        juce::Graphics g (rulerImage);
        pixelScale.takeLogicalPixels (g);
        g.setColour (PLEMVO_Colours::panelFontColour);

        const auto radius = 6.0f * scale + knobRadius;
        const auto start = knob.getRotaryParameters().startAngleRadians;
        const auto end = knob.getRotaryParameters().endAngleRadians;

        for (int i = 1; i < baseRulerDots; ++i)
        {
            const auto angle = markAngle (start, end, i, baseRulerDots + 1);
            g.fillEllipse (centre + std::sin (angle) * radius - scale / 2.0f,
                           centre - std::cos (angle) * radius - scale / 2.0f, scale, scale);
        }

        auto& diodes = knob.getRulerDiodes();

        for (int i = 0; i < diodes.size(); ++i)
            placeOnCircle (*diodes[i], knob, markAngle (start, end, i, diodes.size()), radius, (int) (10.0f * scale));
    }

    drawRuler = true;
}

void VQ_Knob_LAF::prepareKnobRullerDecorator (VQ_Knob&) {}

void VQ_Knob_LAF::prepareKnobShadow()
{
    shadowImage = pixelScale.makeImage (size, size);

    if (! shadowImage.isValid())
        return;

    juce::Graphics g (shadowImage);
    pixelScale.takeLogicalPixels (g);
    const auto half = (float) size / 2.0f;

    g.setColour (juce::Colours::black.withAlpha (shadowRimAlpha));
    g.drawEllipse (half - knobRadius, half - knobRadius, knobDiameter, knobDiameter, 0.5f * scale);

    const auto diameter = juce::jmax (2.0f * scale, 2.0f) + knobDiameter;
    const auto cx = half + scale;
    const auto cy = half + 3.0f * scale;

    juce::ColourGradient gradient (juce::Colours::black, cx, cy, juce::Colours::transparentBlack, cx + diameter / 2.0f,
                                   cy, true);
    gradient.addColour (0.5, juce::Colours::black);
    g.setGradientFill (gradient);
    g.fillEllipse (cx - diameter / 2.0f, cy - diameter / 2.0f, diameter, diameter);
}

void VQ_Knob_LAF::prepareKnobImage()
{
    const auto r = knobRadius;
    pointerPath.clear();
    pointerPath.addRectangle (-0.059f * r, 1.9f * chamferWidth - r, 2.0f * r * 0.059f, r / 1.8f);

    const auto side = (int) std::rint (pixelScale.pixels (knobDiameter));
    capImage = makeClearedImage (side);

    if (! capImage.isValid())
        return;

    juce::Graphics g (capImage);
    VQ_GuiHelper::drawMetalCap (g, side, pixelScale.pixels (chamferWidth), pixelScale.pixels (knobDiameter),
                                grain.atScale (pixelScale.get()));
}

void VQ_Knob_LAF::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                                    float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider)
{
    sliderPos = sanitisePosition (sliderPos);

    if (drawRuler && rulerImage.isValid())
        pixelScale.drawAt (g, rulerImage, 0.0f, 0.0f);

    if (drawDecorator)
        drawRullerDecorator (g, x, y, width, height, sliderPos, rotaryStartAngle, rotaryEndAngle, slider);

    if (shadowImage.isValid())
        pixelScale.drawAt (g, shadowImage, 0.0f, 0.0f);

    if (capImage.isValid())
        pixelScale.drawAt (g, capImage, (float) (int) margin, (float) (int) margin);

    const auto angle = rotaryStartAngle + sliderPos * (rotaryEndAngle - rotaryStartAngle);
    g.setColour (juce::Colours::black);

    if (drawPointer)
        g.fillPath (pointerPath, juce::AffineTransform::rotation (angle).translated (centre, centre));

    if (capShadingImage.isValid())
        pixelScale.drawTransformed (g, capShadingImage,
                                    juce::AffineTransform::translation (-knobRadius, -knobRadius)
                                        .rotated ((rotaryStartAngle - angle) / shadingDivisor)
                                        .translated (centre, centre));
}
