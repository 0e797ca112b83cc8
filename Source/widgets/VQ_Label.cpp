#include "VQ_Label.h"

#include "PLEMVO_Colours.h"
#include "S500_GlobalHelpers.h"
#include "S500_Knob.h"

#include <cmath>

SliderDescLabel::SliderDescLabel()
    : juce::Label ({}, {})
{
}

void SliderDescLabel::setNormalColour (juce::Colour colour)
{
    normalColour = colour;
}

void SliderDescLabel::setLinkedButton (juce::Button* button)
{
    linkedButton = button;
}

void SliderDescLabel::setClickable (bool shouldBeClickable)
{
    clickable = shouldBeClickable;
}

void SliderDescLabel::setHover (bool isOver)
{
    hover = isOver;
    setColour (textColourId, normalColour);
}

void SliderDescLabel::mouseEnter (const juce::MouseEvent&)
{
    if (linkedButton != nullptr)
        setHover (true);
}

void SliderDescLabel::mouseExit (const juce::MouseEvent&)
{
    if (linkedButton != nullptr)
        setHover (false);
}

void SliderDescLabel::mouseDown (const juce::MouseEvent&)
{
    if (clickable)
        setColour (textColourId, normalColour.withAlpha (pressedAlpha));
}

void SliderDescLabel::mouseDrag (const juce::MouseEvent& e)
{
    if (! clickable)
        return;

    const auto over = getLocalBounds().contains (e.getPosition());

    if (over && ! hover)
    {
        hover = true;
        setColour (textColourId, normalColour.withAlpha (pressedAlpha));
    }
    else if (! over && hover)
    {
        hover = false;
        setColour (textColourId, normalColour);
    }
}

void SliderDescLabel::mouseUp (const juce::MouseEvent& e)
{
    if (! clickable)
        return;

    if (linkedButton != nullptr && getLocalBounds().contains (e.getPosition()))
    {
        lastToggleState = linkedButton->getToggleState();
        linkedButton->setToggleState (! lastToggleState, juce::sendNotificationSync);
    }

    setColour (textColourId, normalColour);
}

//==============================================================================
SliderRulerHelper::SliderRulerHelper (double valueOfMark, bool isEnabled)
    : enabled (isEnabled),
      value (valueOfMark)
{
}

void SliderRulerHelper::pressed()
{
    if (knob == nullptr || ! enabled)
        return;

    // A second press before the release (another pointer) must not leave a gesture open.
    endPendingGesture();

    knob->setValue (value, juce::dontSendNotification);
    gestureOpen = true;

    if (knob->onDragStart)
        knob->onDragStart();

    if (knob->onValueChange)
        knob->onValueChange();
}

void SliderRulerHelper::endPendingGesture()
{
    if (! gestureOpen)
        return;

    gestureOpen = false;

    if (knob != nullptr && knob->onDragEnd)
        knob->onDragEnd();
}

//==============================================================================
SliderRulerLabel::SliderRulerLabel (const juce::String& textOfMark, double valueOfMark)
    : SliderRulerHelper (valueOfMark, true),
      text (textOfMark)
{
}

SliderRulerDiode::SliderRulerDiode (double valueOfMark)
    : SliderRulerHelper (valueOfMark, true)
{
}

//==============================================================================
namespace VQ_Layout
{
int round (float value) noexcept
{
    // nearbyint follows the default rounding mode, which rounds halves to even.
    return std::isfinite (value) ? (int) std::nearbyint (juce::jlimit (-1.0e9f, 1.0e9f, value)) : 0;
}

juce::Font boldFont (float height)
{
    return juce::Font (height, juce::Font::bold);
}

void placeLight (juce::Component& light, int size, juce::Point<int> centre)
{
    light.setSize (size, size);
    light.setCentrePosition (centre);
}

float textWidth (const juce::Label& label, const juce::Font& font)
{
    return font.getStringWidthFloat (label.getText());
}

void placeLabel (juce::Label& label, const juce::Font& font, int width, int height, juce::Point<int> centre)
{
    label.setFont (font);
    label.setSize (juce::jmax (0, width), juce::jmax (0, height));
    label.setCentrePosition (centre);
}

std::vector<float> spreadApart (const std::vector<float>& wanted, const std::vector<float>& widths, float gap)
{
    // Measured from the first text, text i needs at least least[i]; the centres less these must not
    // decrease. Pooling neighbours that would (each pool at its mean) gives the nearest such row.
    const auto n = juce::jmin (wanted.size(), widths.size());
    std::vector<float> least (n, 0.0f);

    for (size_t i = 1; i < n; ++i)
        least[i] = least[i - 1] + 0.5f * (widths[i - 1] + widths[i]) + gap;

    struct Pool
    {
        float sum;
        size_t count;
        float mean() const { return sum / (float) count; }
    };

    std::vector<Pool> pools;

    for (size_t i = 0; i < n; ++i)
    {
        pools.push_back ({ wanted[i] - least[i], 1 });

        while (pools.size() > 1 && pools[pools.size() - 2].mean() > pools.back().mean())
        {
            const auto last = pools.back();
            pools.pop_back();
            pools.back().sum += last.sum;
            pools.back().count += last.count;
        }
    }

    std::vector<float> centres;

    for (const auto& pool : pools)
        for (size_t k = 0; k < pool.count; ++k)
            centres.push_back (pool.mean() + least[centres.size()]);

    return centres;
}
} // namespace VQ_Layout

using VQ_Layout::round;

//==============================================================================
ButtonDiode::ButtonDiode (juce::Colour colour)
    : diodeColour (colour)
{
    pixelScale.keep ({ &diodeImage });
}

void ButtonDiode::setDiodeColour (const juce::Colour& c)
{
    diodeColour = c;

    if (! getLocalBounds().isEmpty())
        resized();
}

void ButtonDiode::resized()
{
    pixelScale.forgetOtherScales();
    renderImage();
}

void ButtonDiode::paint (juce::Graphics& g)
{
    if (pixelScale.adopt (g) && ! getLocalBounds().isEmpty())
        renderImage();

    if (diodeImage.isValid())
        pixelScale.drawAt (g, diodeImage, 0.0f, 0.0f);
}

ButtonLightDiode::ButtonLightDiode (juce::Colour colour)
    : ButtonDiode (colour)
{
}

void ButtonLightDiode::renderImage()
{
    if (getLocalBounds().isEmpty())
        diodeImage = {};
    else
        VQ_GuiHelper::prepareOnDiodeImage (diodeImage, pixelScale.pixels ((float) getWidth() * 0.5f), diodeColour);
}

ButtonDarkDiode::ButtonDarkDiode (juce::Colour colour)
    : ButtonDiode (colour)
{
}

void ButtonDarkDiode::renderImage()
{
    const auto radius = (int) ((float) getWidth() * 0.5f);

    if (radius < 1 || getHeight() < 1)
        diodeImage = {};
    else
        VQ_GuiHelper::prepareOffDiodeImageEncoder (diodeImage, (int) std::rint (pixelScale.pixels ((float) radius)),
                                                   PLEMVO_Colours::unlitLedColour);
}

void ButtonDarkDiode::mouseDown (const juce::MouseEvent&)
{
    onClick();
}

//==============================================================================
namespace
{
constexpr auto smallLabelJustification = juce::Justification::centredTop;

void makeSmallLabel (DiodeLabel& label, const juce::String& text)
{
    label.setText (text, juce::dontSendNotification);
    label.setColour (juce::Label::textColourId, juce::Colours::black);
    label.setJustificationType (smallLabelJustification);
    label.setEditable (false);
}

/** The bold number or name above a light, unit u, centred on cx of the parent at the label row. */
void placeSmallLabel (juce::Label& label, float u, int cx, int y)
{
    const auto height = round (7.5f * u);
    const auto font = VQ_Layout::boldFont (0.735f * (float) height);
    label.setBorderSize (juce::BorderSize<int> (0));
    VQ_Layout::placeLabel (label, font, (int) std::ceil (1.5f * VQ_Layout::textWidth (label, font)), height,
                           { cx, y + round (8.5f * u) });
}
} // namespace

ClipperDiodes::ClipperDiodes()
    : leftDarkDiode (std::make_unique<ButtonDarkDiode>()),
      rightDarkDiode (std::make_unique<ButtonDarkDiode>()),
      leftLightDiode (std::make_unique<ButtonLightDiode> (PLEMVO_Colours::redColour)),
      rightLightDiode (std::make_unique<ButtonLightDiode> (PLEMVO_Colours::redColour)),
      leftNumberLabel (std::make_unique<DiodeLabel>()),
      rightNumberLabel (std::make_unique<DiodeLabel>())
{
    for (auto* dark : { leftDarkDiode.get(), rightDarkDiode.get() })
    {
        dark->setInterceptsMouseClicks (false, false);
        addAndMakeVisible (dark);
    }

    for (auto* lit : { leftLightDiode.get(), rightLightDiode.get() })
    {
        lit->setInterceptsMouseClicks (false, false);
        addChildComponent (lit);
    }

    makeSmallLabel (*leftNumberLabel, "1");
    makeSmallLabel (*rightNumberLabel, "2");

    clipLabel.setText ("CLIP", juce::dontSendNotification);
    clipLabel.setColour (juce::Label::textColourId, juce::Colours::black);
    clipLabel.setJustificationType (juce::Justification::centred);
}

ClipperDiodes::~ClipperDiodes() = default;

void ClipperDiodes::mouseDown (const juce::MouseEvent& e)
{
    const auto position = e.getPosition();

    if (leftDarkDiode->getBounds().contains (position))
        onLeftDiodeClicked();
    else if (rightDarkDiode->getBounds().contains (position))
        onRightDiodeClicked();
}

void ClipperDiodes::visibilityChanged()
{
    for (auto* label : { &clipLabel, static_cast<juce::Label*> (leftNumberLabel.get()),
                         static_cast<juce::Label*> (rightNumberLabel.get()) })
        label->setVisible (isVisible());
}

void ClipperDiodes::parentHierarchyChanged()
{
    if (auto* parent = getParentComponent())
    {
        parent->addChildComponent (clipLabel);
        parent->addChildComponent (*leftNumberLabel);
        parent->addChildComponent (*rightNumberLabel);
    }
}

void ClipperDiodes::resized()
{
    const auto u = (float) getWidth() * 0.053771228f;
    const auto lightSize = round (9.3f * u);
    const auto leftX = round (5.0f * u), rightX = round (13.8f * u), lightY = round (14.0f * u);

    VQ_Layout::placeLight (*leftDarkDiode, lightSize, { leftX, lightY });
    VQ_Layout::placeLight (*leftLightDiode, lightSize, { leftX, lightY });
    VQ_Layout::placeLight (*rightDarkDiode, lightSize, { rightX, lightY });
    VQ_Layout::placeLight (*rightLightDiode, lightSize, { rightX, lightY });

    placeSmallLabel (*leftNumberLabel, u, getX() + leftX, getY());
    placeSmallLabel (*rightNumberLabel, u, getX() + rightX, getY());

    const auto clipHeight = round (7.0f * u);
    clipLabel.setFont (VQ_Layout::boldFont (0.735f * (float) clipHeight));
    clipLabel.setBounds (getX(), getY() + getHeight() - round (9.0f * u), getWidth(), clipHeight);
}

//==============================================================================
UsbDiode::UsbDiode()
    : darkDiode (std::make_unique<ButtonDarkDiode>()),
      lightDiode (std::make_unique<ButtonLightDiode>()),
      usbLabel (std::make_unique<DiodeLabel>())
{
    addAndMakeVisible (*darkDiode);
    lightDiode->setInterceptsMouseClicks (false, false);
    addChildComponent (*lightDiode);
    makeSmallLabel (*usbLabel, "USB");
}

UsbDiode::~UsbDiode() = default;

void UsbDiode::visibilityChanged()
{
    usbLabel->setVisible (isVisible());
}

void UsbDiode::parentHierarchyChanged()
{
    if (auto* parent = getParentComponent())
        parent->addChildComponent (*usbLabel);
}

void UsbDiode::resized()
{
    const auto u = (float) getWidth() * 0.06913444f;
    const auto lightSize = round (9.3f * u);
    const juce::Point<int> centre { round (0.5f * (float) getWidth()), round (14.0f * u) };

    VQ_Layout::placeLight (*darkDiode, lightSize, centre);
    VQ_Layout::placeLight (*lightDiode, lightSize, centre);
    placeSmallLabel (*usbLabel, u, getX() + centre.x, getY());
}
