#include "VQ_Knob_LAF_s500.h"

#include "PLEMVO_Colours.h"
#include "S500_GlobalHelpers.h"
#include "S500_Knob.h"
#include "VQ_Label.h"

#include <cmath>

namespace
{
// Positions within a step are counted in hundredths. A position on a mark may come out a
// rounding error short of it; this tolerance keeps it on the mark, so one LED alone is lit.
constexpr float hundredthsTolerance = 0.01f;
} // namespace

VQ_Knob_LAF_s500::LitLeds VQ_Knob_LAF_s500::getLitLeds (float sliderPos, float step) noexcept
{
    if (! (step > 0.0f) || ! std::isfinite (step))
        return {};

    const auto hundredths = (int) std::floor (sanitisePosition (sliderPos) * 100.0f / step + hundredthsTolerance);
    const auto m = (float) (hundredths % 100);

    LitLeds lit;
    lit.lower = hundredths / 100;
    lit.lowerOpacity = m <= 50.0f ? 1.0f : std::abs (2.0f - m / 50.0f);
    lit.upperOpacity = m <= 50.0f ? m / 50.0f : 1.0f;
    return lit;
}

VQ_Knob_LAF_s500::VQ_Knob_LAF_s500()
{
    pixelScale.keep ({ &decoratorImage, &whiteLedImage, &redLedImage });
}

void VQ_Knob_LAF_s500::setLafBounds (const int& knobSize, VQ_Knob& knob)
{
    setScaleFor (knobSize);
    setCapGeometry (20.0f, juce::jmax (1.0f, 1.5f * scale));
    renderImages (knob);
}

void VQ_Knob_LAF_s500::prepareKnobRuller (VQ_Knob& knob)
{
    auto& labels = knob.getRulerLabels();
    const auto n = labels.size();

    if (n == 0)
    {
        drawRuler = false;
        return;
    }

    rulerImage = pixelScale.makeImage (size, size);

    const auto radius = 8.2f * scale + knobRadius;
    knob.setRulerRadius (radius);

    juce::Path dot;
    dot.addEllipse (-scale / 2.0f, -radius - scale / 2.0f, scale, scale);

    const auto textSide = (int) std::ceil (12.0f * scale);
    const auto h = (int) std::rint ((float) textSide / 2.0f);
    const auto q = (int) std::rint ((float) textSide / 4.0f);
    const auto w = textSide / 2;

    const auto start = knob.getRotaryParameters().startAngleRadians;
    const auto end = knob.getRotaryParameters().endAngleRadians;
    const auto knobCentre = juce::Point<float> ((float) knob.getX() + centre, (float) knob.getY() + centre);

    std::unique_ptr<juce::Graphics> g;

    if (rulerImage.isValid())
    {
        g = std::make_unique<juce::Graphics> (rulerImage);
        pixelScale.takeLogicalPixels (*g);
        g->setColour (PLEMVO_Colours::panelFontColour);
        g->setFont (VQ_Layout::boldFont (6.25f * scale));
    }

    for (int i = 0; i < n; ++i)
    {
        const auto angle = markAngle (start, end, i, n);
        const auto rotation = juce::AffineTransform::rotation (angle);
        auto& label = *labels[i];

        label.setBounds (juce::Rectangle<int> (-q, (int) (-radius - (float) q), w, w)
                             .transformedBy (rotation.translated (knobCentre)));

        if (g == nullptr)
            continue;

        const auto inImage = rotation.translated (centre, centre);

        if (label.getText() == ".")
            g->fillPath (dot, inImage);
        else
            g->drawFittedText (
                label.getText(),
                juce::Rectangle<int> (-h, (int) (-radius - (float) h), textSide, textSide).transformedBy (inImage),
                juce::Justification::centred, 1);
    }

    drawRuler = true;
}

void VQ_Knob_LAF_s500::prepareKnobRullerDecorator (VQ_Knob& knob)
{
    auto& diodes = knob.getRulerDiodes();
    const auto n = diodes.size();

    if (n == 0)
    {
        drawDecorator = false;
        return;
    }

    decoratorImage = pixelScale.makeImage (size, size);

    const auto ledRadius = (int) std::rint (4.4117646f * scale);
    const auto ledPixels = pixelScale.pixels ((float) ledRadius);
    juce::Image unlit;
    VQ_GuiHelper::prepareOffDiodeImageEncoder (unlit, (int) std::rint (ledPixels), PLEMVO_Colours::unlitLedColour);
    VQ_GuiHelper::prepareOnDiodeImage (whiteLedImage, ledPixels, PLEMVO_Colours::litLedColour);
    VQ_GuiHelper::prepareOnDiodeImage (redLedImage, ledPixels, PLEMVO_Colours::redColour);

    decoratorRadius = 14.7f * scale + knobRadius;
    ledStep = n > 1 ? 1.0f / (float) (n - 1) : 0.0f;

    const auto start = knob.getRotaryParameters().startAngleRadians;
    const auto end = knob.getRotaryParameters().endAngleRadians;
    const auto side = unlit.isValid() ? juce::roundToInt ((float) unlit.getWidth() / pixelScale.get()) : 0;

    std::unique_ptr<juce::Graphics> g;

    if (decoratorImage.isValid() && unlit.isValid())
    {
        g = std::make_unique<juce::Graphics> (decoratorImage);
        pixelScale.takeLogicalPixels (*g);
    }

    for (int i = 0; i < n; ++i)
    {
        const auto angle = start + (float) i * (end - start) * ledStep;
        placeOnCircle (*diodes[i], knob, angle, decoratorRadius, side);

        if (g != nullptr)
            drawLed (*g, unlit, angle);
    }

    drawDecorator = true;
}

void VQ_Knob_LAF_s500::drawLed (juce::Graphics& g, const juce::Image& image, float angle) const
{
    const auto width = (float) image.getWidth() / pixelScale.get();
    const auto height = (float) image.getHeight() / pixelScale.get();
    pixelScale.drawTransformed (g, image,
                                juce::AffineTransform::translation (-width / 2.0f, -decoratorRadius - height / 2.0f)
                                    .rotated (angle)
                                    .translated (centre, centre));
}

void VQ_Knob_LAF_s500::drawLedRing (juce::Graphics& g, float sliderPos, float start, float end, bool middleInRed)
{
    if (decoratorImage.isValid())
        pixelScale.drawAt (g, decoratorImage, 0.0f, 0.0f);

    if (! (ledStep > 0.0f))
        return;

    const auto lit = getLitLeds (sliderPos, ledStep);
    const auto middle = std::rint ((start + 0.5f * (end - start)) * 10000.0f);

    const auto drawLit = [&] (int index, float opacity)
    {
        const auto angle = start + (float) index * ledStep * (end - start);
        const auto& image = middleInRed && std::rint (angle * 10000.0f) == middle ? redLedImage : whiteLedImage;

        // An LED at opacity 0 (the one past the last mark among them) leaves no trace.
        if (opacity <= 0.0f || ! image.isValid())
            return;

        g.setOpacity (opacity);
        drawLed (g, image, angle);
    };

    drawLit (lit.lower, lit.lowerOpacity);
    drawLit (lit.lower + 1, lit.upperOpacity);
    g.setOpacity (1.0f);
}

void VQ_Knob_LAF_s500::drawRullerDecorator (juce::Graphics& g, int, int, int, int, float sliderPos, float start,
                                            float end, juce::Slider&)
{
    drawLedRing (g, sliderPos, start, end, false);
}

void VQ_Knob_LAF_s500_Gain::drawRullerDecorator (juce::Graphics& g, int, int, int, int, float sliderPos, float start,
                                                 float end, juce::Slider&)
{
    drawLedRing (g, sliderPos, start, end, true);
}
