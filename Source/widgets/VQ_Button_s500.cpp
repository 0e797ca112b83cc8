#include "VQ_Button_s500.h"

#include "PLEMVO_Colours.h"
#include "ParamTools.h"
#include "S500_GlobalHelpers.h"

#include <algorithm>
#include <cmath>

using VQ_Layout::round;

namespace
{
const juce::Colour unlitColour { 0xFFFF3B5E };

juce::Path ellipse (float x, float y, float w, float h)
{
    juce::Path path;
    path.addEllipse (x, y, w, h);
    return path;
}
} // namespace

//==============================================================================
VQ_Button_s500::VQ_Button_s500()
    : VQ_Button ("VQ Button PLEMVO")
{
    setClickingTogglesState (true);
    pixelScale.keep ({ &dropShadowImage, &contactShadowImage, &capImage });
}

void VQ_Button_s500::prepareButtonImage()
{
    const auto s = buttonSize;
    renderScale = s / 75.0f;
    capOffset = juce::jmax (1.0f, std::roundf (renderScale * 10.0f));
    capSize = (float) round (s - 2.0f * capOffset);
    pressedShift = renderScale * 2.0f;
    pixelScale.forgetOtherScales();
    renderImages();
}

void VQ_Button_s500::renderImages()
{
    const auto s = buttonSize;
    const auto chamfer = (float) juce::jmax (2, round (renderScale * 3.0f));

    capImage = {};
    dropShadowImage = {};
    contactShadowImage = {};

    const auto cap = (int) capSize, whole = round (s);

    if (cap < 1 || whole < 1)
        return;

    // The cap's pixels are drawn one by one, so it is rendered in physical pixels throughout.
    const auto capPixels = (int) pixelScale.pixels (capSize);
    capImage = pixelScale.makeImage (cap, cap);

    if (capImage.isValid())
    {
        juce::Graphics g (capImage);
        // The face's clip stays, so the shading leaves the outer bevel as it is.
        const auto capGrain = grain.atScale (pixelScale.get());
        VQ_GuiHelper::drawMetalCap (g, capPixels, pixelScale.pixels (chamfer), pixelScale.pixels (capSize), capGrain);

        juce::Image shading;
        VQ_GuiHelper::prepareConicalGradWithChamfer (shading, pixelScale.pixels (capSize), pixelScale.pixels (chamfer),
                                                     capShading, capGrain);

        if (shading.isValid())
            g.drawImageAt (shading, 0, 0);
    }

    dropShadowImage = pixelScale.makeImage (whole, whole);

    if (dropShadowImage.isValid())
    {
        juce::Graphics g (dropShadowImage);
        pixelScale.takeLogicalPixels (g);
        const auto cx = s * 0.5f + 2.0f * renderScale, cy = s * 0.5f + 6.0f * renderScale;
        const auto diameter = juce::jmax (2.0f * renderScale, 2.0f) + capSize, radius = diameter * 0.5f;
        g.setGradientFill (juce::ColourGradient (juce::Colours::black, cx, cy, juce::Colours::transparentBlack,
                                                 cx + radius, cy, true));
        g.fillEllipse (cx - radius, cy - radius, diameter, diameter);
    }

    // The shadow's blur works on pixels: its path and radius are taken in physical pixels.
    contactShadowImage = pixelScale.makeImage (whole, whole);

    if (contactShadowImage.isValid())
    {
        juce::Graphics g (contactShadowImage);
        const auto corner = pixelScale.pixels (capOffset - 0.1f * renderScale);
        const auto diameter = pixelScale.pixels (capSize + 0.2f * renderScale);
        const auto radius = juce::jmax (1, round (pixelScale.pixels ((float) juce::jmax (1, round (renderScale)))));
        const juce::DropShadow shadow (juce::Colours::black, radius, {});
        shadow.drawForPath (g, ellipse (corner, corner, diameter, diameter));
    }
}

void VQ_Button_s500::paintButton (juce::Graphics& g, bool, bool isDown)
{
    if (pixelScale.adopt (g))
        renderImages();

    if (contactShadowImage.isValid())
        pixelScale.drawAt (g, contactShadowImage, 0.0f, 0.0f);

    if (! isDown)
    {
        if (dropShadowImage.isValid())
            pixelScale.drawAt (g, dropShadowImage, 0.0f, 0.0f);

        if (capImage.isValid())
            pixelScale.drawAt (g, capImage, (float) (int) capOffset, (float) (int) capOffset);

        return;
    }

    if (dropShadowImage.isValid())
        pixelScale.drawAt (g, dropShadowImage, 0.0f, (float) -round (pressedShift));

    if (capImage.isValid())
    {
        const auto shift = capOffset + 0.02f * (float) (round (buttonSize) / 2);
        pixelScale.drawTransformed (g, capImage, juce::AffineTransform::scale (0.98f).translated (shift, shift));
    }
}

//==============================================================================
VQ_ButtonComponent_s500::VQ_ButtonComponent_s500()
    : labelColour (PLEMVO_Colours::panelFontColour)
{
    auto* lit = lightDiodes.add (std::make_unique<ButtonLightDiode> (PLEMVO_Colours::litLedColour));
    lit->setInterceptsMouseClicks (false, false);
    addChildComponent (lit);

    descriptionLabel.setColour (juce::Label::textColourId, labelColour);
    descriptionLabel.setJustificationType (juce::Justification::centred);
}

VQ_ButtonComponent_s500::~VQ_ButtonComponent_s500() = default;

void VQ_ButtonComponent_s500::createSideLabels()
{
    leftLabel = std::make_unique<juce::Label>();
    rightLabel = std::make_unique<juce::Label>();
    leftLabel->setJustificationType (juce::Justification::centredRight);
    rightLabel->setJustificationType (juce::Justification::centredLeft);

    for (auto* label : { leftLabel.get(), rightLabel.get() })
    {
        label->setColour (juce::Label::textColourId, labelColour);
        label->setVisible (isVisible());

        if (auto* parent = getParentComponent())
            parent->addChildComponent (label);
    }
}

void VQ_ButtonComponent_s500::visibilityChanged()
{
    const auto visible = isVisible();

    for (auto* label : { &descriptionLabel, leftLabel.get(), rightLabel.get() })
        if (label != nullptr)
            label->setVisible (visible);

    if (visible)
    {
        setAlwaysOnTop (true);
        lightDiodes.getFirst()->setAlwaysOnTop (true);
    }

    if (onVisibilityChanged)
        onVisibilityChanged();
}

void VQ_ButtonComponent_s500::parentHierarchyChanged()
{
    auto* parent = getParentComponent();

    if (parent == nullptr)
        return;

    for (auto* label : { &descriptionLabel, leftLabel.get(), rightLabel.get() })
        if (label != nullptr)
            parent->addChildComponent (label);

    if (onParentHierarchyChanged)
        onParentHierarchyChanged();
}

void VQ_ButtonComponent_s500::resized()
{
    layoutAllComponents();
}

void VQ_ButtonComponent_s500::layoutSideLabels (float labelHeight, int dy)
{
    if (leftLabel == nullptr && rightLabel == nullptr)
        return;

    const auto g = round (labelHeight);
    const auto font = VQ_Layout::boldFont ((float) g);
    const auto y = getY() + g / 2 + dy;

    if (leftLabel != nullptr)
    {
        leftLabel->setBorderSize (juce::BorderSize<int> (0, 0, 0, 1));
        const auto width = round (1.25f * VQ_Layout::textWidth (*leftLabel, font));
        VQ_Layout::placeLabel (*leftLabel, font, width, g,
                               { (int) std::ceil ((float) getX() - 0.5f * (float) width), y });
    }

    if (rightLabel != nullptr)
    {
        rightLabel->setBorderSize (juce::BorderSize<int> (0, 1, 0, 0));
        const auto width = round (1.25f * VQ_Layout::textWidth (*rightLabel, font));
        VQ_Layout::placeLabel (*rightLabel, font, width, g,
                               { (int) std::floor ((float) getRight() + 0.5f * (float) width), y });
    }
}

//==============================================================================
PLEMVO_ButtonComp::PLEMVO_ButtonComp()
    : button (std::make_unique<VQ_Button_s500>()),
      darkDiode (std::make_unique<ButtonDarkDiode> (unlitColour))
{
    button->onClick = [this]
    {
        clickedButtonIndex.exchange (0);
        toggleStateChanged (*button);

        if (onToggleStateChanged)
            onToggleStateChanged();
    };
    addAndMakeVisible (*button);

    // A press on the unlit light runs the button's own click path.
    darkDiode->onClick = [this] { button->setToggleState (! button->getToggleState(), juce::sendNotification); };

    onParentHierarchyChanged = [] {};
    onVisibilityChanged = [] {};

    addAndMakeVisible (*darkDiode);
    darkDiode->setAlwaysOnTop (true);
}

PLEMVO_ButtonComp::~PLEMVO_ButtonComp() = default;

void PLEMVO_ButtonComp::renderDefaultSize (const int& size)
{
    button->buttonSize = (float) size;
    button->buttonHalfSize = (float) size * 0.5f;
    button->prepareButtonImage();
}

void PLEMVO_ButtonComp::toggleStateChanged (juce::Button& b)
{
    lightDiodes.getFirst()->setVisible (b.getToggleState());
}

void PLEMVO_ButtonComp::placeLights (int size, juce::Point<int> centre)
{
    for (auto* light : { static_cast<ButtonDiode*> (darkDiode.get()), lightDiodes.getFirst() })
        VQ_Layout::placeLight (*light, size, centre);
}

EqEngageButton::EqEngageButton()
{
    lightDiodes.getFirst()->setDiodeColour (PLEMVO_Colours::redColour);
}

void EqEngageButton::layoutAllComponents()
{
    const auto w = getWidth(), h = getHeight();
    const auto u = (float) w / 37.5f;
    const auto b = round (19.5f * u);

    button->setBounds ((w - b) / 2, h - b, b, b);
    placeLights (round (8.333334f * u), { round (4.4f * u), round (28.2f * u) - h });

    const auto f = round (6.0f * u);
    const auto font = VQ_Layout::boldFont (0.8f * (float) f);
    VQ_Layout::placeLabel (descriptionLabel, font, round (1.25f * VQ_Layout::textWidth (descriptionLabel, font)),
                           round (1.85f * (float) f),
                           { getX() - round (9.0f * u), getY() + h + f / 2 - round (12.4f * u) });
}

MainEngageButton::MainEngageButton()
{
    lightDiodes.getFirst()->setDiodeColour (PLEMVO_Colours::redColour);
    descriptionLabel.setColour (juce::Label::textColourId, juce::Colours::black);
    descriptionLabel.setJustificationType (juce::Justification::topLeft);
}

void MainEngageButton::layoutAllComponents()
{
    const auto w = getWidth(), h = getHeight();
    const auto u = (float) h / 25.313f;
    const auto b = round (19.5f * u);

    button->setBounds (round (0.0625f * (float) w), (h - b) / 2, b, b);
    placeLights (round (9.3f * u), { round (26.6f * u), round (12.6f * u) });

    const auto f = round (7.5f * u);
    const auto font = VQ_Layout::boldFont (0.735f * (float) f);
    descriptionLabel.setBorderSize (juce::BorderSize<int> (0));
    VQ_Layout::placeLabel (
        descriptionLabel, font, round (1.25f * VQ_Layout::textWidth (descriptionLabel, font)), f,
        { getX() + round (35.6f * u), round ((float) (getY() + h) + 0.5f * (float) f - (float) round (22.2f * u)) });
}

//==============================================================================
VQ_Switch_PLEMVO::VQ_Switch_PLEMVO (const unsigned long& numButtons, const unsigned long& numPositions)
    : stateRange (0.0f, numPositions > 0 ? (float) (numPositions - 1) : 0.0f)
{
    for (unsigned long i = 0; i < numButtons; ++i)
        buttonStates.add (std::make_unique<std::atomic<bool>> (false));

    for (int i = 0; i < (int) numPositions; ++i)
    {
        auto* dark = darkDiodes.add (std::make_unique<ButtonDarkDiode> (unlitColour));
        dark->onClick = [this, i] { updateCurrentState (i, juce::sendNotificationSync); };
        addAndMakeVisible (dark);

        auto* label = positionLabels.add (std::make_unique<DiodeLabel>());
        label->setColour (juce::Label::textColourId, labelColour);
        label->setJustificationType (juce::Justification::centred);
        label->setEditable (false);
        label->onClick = dark->onClick;
    }

    lightDiodes.getFirst()->setVisible (true);

    onParentHierarchyChanged = [this]
    {
        for (auto* label : positionLabels)
        {
            getParentComponent()->addChildComponent (label);
            label->setAlwaysOnTop (true);
        }
    };

    onVisibilityChanged = [this]
    {
        for (auto* label : positionLabels)
        {
            label->setVisible (isVisible());
            label->setAlwaysOnTop (isVisible());
        }
    };
}

VQ_Switch_PLEMVO::~VQ_Switch_PLEMVO() = default;

void VQ_Switch_PLEMVO::setValue (float v, juce::NotificationType notification)
{
    const auto snapped = valueRange.snapToLegalValue (v);
    const auto state = (snapped - valueRange.start) * stateRange.getLength() / (valueRange.end - valueRange.start) +
                       stateRange.getStart();

    if (std::isfinite (state))
        updateCurrentState (juce::jmax (0, round (state)), notification);
}

float VQ_Switch_PLEMVO::getValue()
{
    if (stateRange.getLength() <= 0.0f)
        return valueRange.snapToLegalValue (valueRange.start);

    const auto value = ((float) currentState.load() - stateRange.getStart()) * (valueRange.end - valueRange.start) /
                           stateRange.getLength() +
                       valueRange.start;
    return valueRange.snapToLegalValue (value);
}

void VQ_Switch_PLEMVO::timerCallback()
{
    if (auto* b = buttons[clickedButtonIndex.load()])
        b->setToggleState (! b->getToggleState(), juce::sendNotification);
}

void VQ_Switch_PLEMVO::updateLightDiode()
{
    if (auto* dark = darkDiodes[currentState.load()])
        lightDiodes.getFirst()->setCentrePosition (dark->getBounds().getCentre());
}

void VQ_Switch_PLEMVO::updateCurrentState (const int& k, juce::NotificationType notification)
{
    const auto last = (int) stateRange.getEnd();
    const auto current = juce::jlimit (0, last, currentState.load());

    if (k >= 0)
        applyState (k, notification);
    else if (buttonStates.size() < 2)
        applyState ((current + 1) % (last + 1), notification);
    else
        stepState (clickedButtonIndex.load() == 0 ? -1 : 1, notification);
}

void VQ_Switch_PLEMVO::stepState (int step, juce::NotificationType notification)
{
    // At either end a further step changes nothing, so nothing is told either.
    const auto last = (int) stateRange.getEnd();
    const auto next = juce::jlimit (0, last, currentState.load()) + step;

    if (juce::isPositiveAndNotGreaterThan (next, last))
        applyState (next, notification);
}

void VQ_Switch_PLEMVO::applyState (int state, juce::NotificationType notification)
{
    // A restored or host-written value may lie outside the states: the lights are indexed with it.
    currentState = juce::jlimit ((int) stateRange.getStart(), (int) stateRange.getEnd(), state);
    updateLightDiode();

    if (notification != juce::dontSendNotification && onStateChanged)
        onStateChanged();
}

void VQ_Switch_PLEMVO::setDiodeLabelsText (const juce::StringArray& texts)
{
    for (int i = 0; i < positionLabels.size(); ++i)
        positionLabels[i]->setText (texts[i], juce::dontSendNotification);
}

void VQ_Switch_PLEMVO::renderDefaultSize (const int& size)
{
    for (auto* b : buttons)
    {
        b->buttonSize = (float) size;
        b->buttonHalfSize = (float) size * 0.5f;
        b->prepareButtonImage();
    }
}

void VQ_Switch_PLEMVO::setDiodeLabelColour (const juce::Colour& c)
{
    for (auto* label : positionLabels)
        label->setColour (juce::Label::textColourId, c);
}

void VQ_Switch_PLEMVO::toggleStateChanged (juce::Button& b)
{
    auto* lastSeen = buttonStates[clickedButtonIndex.load()];

    if (lastSeen == nullptr || b.getToggleState() == lastSeen->load())
        return;

    lastSeen->store (b.getToggleState());
    updateCurrentState (-1, juce::sendNotificationSync);
}

VQ_Button_s500& VQ_Switch_PLEMVO::addStepButton (std::unique_ptr<VQ_Button_s500> newButton)
{
    const auto index = buttons.size();
    auto* b = buttons.add (std::move (newButton));
    b->onClick = [this, index, b]
    {
        clickedButtonIndex.exchange (index);
        toggleStateChanged (*b);
    };
    b->setToggleState (false, juce::dontSendNotification);
    addAndMakeVisible (b);
    return *b;
}

void VQ_Switch_PLEMVO::addLightDiode (juce::Colour colour)
{
    auto* lit = lightDiodes.add (std::make_unique<ButtonLightDiode> (colour));
    lit->setInterceptsMouseClicks (false, false);
    addChildComponent (lit);
}

void VQ_Switch_PLEMVO::placePositionLight (int i, int size, juce::Point<int> centre)
{
    for (auto* light : { darkDiodes[i], lightDiodes[i] })
        if (light != nullptr)
            VQ_Layout::placeLight (*light, size, centre);
}

void VQ_Switch_PLEMVO::placePositionLabels (const juce::Font& font, int height, int centreY,
                                            const std::function<int (int, float)>& labelWidth)
{
    // The lights may run either way along the row; the spreading takes the texts from left to right.
    std::vector<int> order;

    for (int i = 0; i < positionLabels.size() && i < darkDiodes.size(); ++i)
        order.push_back (i);

    const auto lightX = [this] (int i) { return getX() + darkDiodes[i]->getBounds().getCentreX(); };
    std::sort (order.begin(), order.end(), [&lightX] (int a, int b) { return lightX (a) < lightX (b); });

    std::vector<float> wanted, widths;

    for (const auto i : order)
    {
        wanted.push_back ((float) lightX (i));
        widths.push_back (VQ_Layout::textWidth (*positionLabels[i], font));
    }

    const auto centres = VQ_Layout::spreadApart (wanted, widths, positionTextGap);

    for (size_t k = 0; k < order.size(); ++k)
    {
        const auto i = order[k];
        VQ_Layout::placeLabel (*positionLabels[i], font, labelWidth (i, widths[k]), height,
                               { round (centres[k]), centreY });
    }
}

//==============================================================================
namespace
{
constexpr int qLastState = 8;
constexpr int qStateOfLight[] = { 0, 4, 8, 4, 0 };
} // namespace

QSwitch::QSwitch()
    : VQ_Switch_PLEMVO (2, 5)
{
    stateRange = { 0.0f, (float) qLastState };
    addStepButton (std::make_unique<VQ_Button_s500>());
    addStepButton (std::make_unique<VQ_Button_s500>());

    for (auto colour : { PLEMVO_Colours::litLedColour, PLEMVO_Colours::redColour, PLEMVO_Colours::litLedColour,
                         PLEMVO_Colours::litLedColour })
        addLightDiode (colour);

    for (auto* lit : lightDiodes)
    {
        lit->setVisible (true);
        lit->setAlpha (1.0f);
    }

    for (int i = 0; i < darkDiodes.size(); ++i)
        darkDiodes[i]->onClick = [this, i] { updateCurrentState (qStateOfLight[i], juce::sendNotification); };

    setAlwaysOnTop (true);
}

void QSwitch::updateCurrentState (const int& k, juce::NotificationType notification)
{
    // The first button steps up, the opposite of the generic switch's.
    if (k >= 0)
        applyState (k, notification);
    else
        stepState (clickedButtonIndex.load() == 0 ? 1 : -1, notification);
}

void QSwitch::updateLightDiode()
{
    const auto v = (float) juce::jlimit (0, qLastState, currentState.load());
    const auto e = (float) qLastState;
    const auto outer = v <= e / 4.0f ? 1.0f : (v < e / 2.0f ? 2.0f - 4.0f * v / e : 0.0f);
    const auto inner = v <= e / 4.0f ? 4.0f * v / e : (v <= 3.0f * e / 4.0f ? 1.0f : 4.0f - 4.0f * v / e);
    const auto centre = v <= e / 2.0f         ? 0.0f
                        : v < 3.0f * e / 4.0f ? (float) round ((4.0f * v / e - 2.0f) * 255.0f) / 255.0f
                                              : 1.0f;
    const float alphas[] = { outer, inner, centre, inner, outer };

    for (int i = 0; i < lightDiodes.size(); ++i)
        lightDiodes[i]->setAlpha (alphas[i]);
}

bool QSwitch::hitTest (int x, int y)
{
    for (auto* b : buttons)
        if (b->getBounds().contains (x, y))
            return true;

    for (auto* dark : darkDiodes)
        if (dark->getBounds().expanded (3).contains (x, y))
            return true;

    return false;
}

void QSwitch::layoutAllComponents()
{
    const auto w = getWidth(), h = getHeight();
    const auto u = (float) h / 37.5f;
    const auto b = round (19.5f * u), gap = round (18.5f * u);

    buttons[0]->setSize (b, b);
    buttons[0]->setCentrePosition ((w - gap) / 2, h - b / 2);
    buttons[1]->setSize (b, b);
    buttons[1]->setCentrePosition ((gap + w) / 2, h - b / 2);

    const auto lightSize = round (8.333334f * u);
    const auto n = darkDiodes.size();
    const auto step = round (5.5f * u);
    const auto first = round (((float) w - (float) (n - 1) * 5.5f * u) / 2.0f);
    const auto lightY = round (12.4f * u);

    for (auto* lit : lightDiodes)
        lit->setSize (lightSize, lightSize);

    for (int i = 0; i < n; ++i)
    {
        const auto x = first + i * step;
        placePositionLight (i, lightSize, { x, lightY });

        auto& label = *positionLabels[i];

        if (label.getText().isEmpty())
            continue;

        const auto labelHeight = round (8.0f * u);
        const auto font = VQ_Layout::boldFont (0.8f * (float) labelHeight);
        label.setBorderSize (juce::BorderSize<int> (0));
        VQ_Layout::placeLabel (label, font, (int) std::ceil (1.25f * VQ_Layout::textWidth (label, font)), labelHeight,
                               { getX() + x, getY() + step });
        label.setInterceptsMouseClicks (false, false);
    }

    const auto f = round (6.0f * u);
    const auto font = VQ_Layout::boldFont (0.8f * (float) f);
    descriptionLabel.setBorderSize (juce::BorderSize<int> (0));
    VQ_Layout::placeLabel (descriptionLabel, font, round (1.25f * VQ_Layout::textWidth (descriptionLabel, font)),
                           round (1.85f * (float) f), { getX() + w / 2, getY() + h + f / 2 - round (22.0f * u) });

    layoutSideLabels (5.5f * u, round (24.0f * u));
    updateLightDiode();
}

//==============================================================================
FilterSwitch::FilterSwitch (FilterType type)
    : VQ_Switch_PLEMVO (1, 5),
      filterType (type)
{
    addStepButton (std::make_unique<VQ_Button_s500>());

    for (int i = 0; i < 4; ++i)
        addLightDiode (PLEMVO_Colours::redColour);
}

void FilterSwitch::updateLightDiode()
{
    for (int i = 0; i < lightDiodes.size(); ++i)
        lightDiodes[i]->setVisible (i == currentState.load());
}

void FilterSwitch::layoutAllComponents()
{
    const auto w = getWidth();
    const auto u = (float) getHeight() / 25.313f;
    const auto b = round (19.5f * u), margin = round (0.803f * u);
    const auto mirrored = filterType == lowPass;

    buttons[0]->setBounds (mirrored ? w - (b + margin) : margin, round (4.753f * u), b, b);

    const auto lightSize = round (8.333334f * u), lightY = round (14.0f * u);
    auto distance = margin + round (24.0f * u);

    for (int i = 0; i < darkDiodes.size(); ++i)
    {
        if (i == 1)
            distance += round (10.0f * u);
        else if (i > 1)
            distance += round (6.6f * u);

        placePositionLight (i, lightSize, { mirrored ? w - distance : distance, lightY });
    }

    // "120" and "240" are wider than the steps between their lights: the texts are a little smaller and
    // narrower than the captions, so that the row spreads only a pixel or two from the lights.
    const auto labelHeight = round (5.6f * u);
    placePositionLabels (VQ_Layout::boldFont (0.72f * (float) labelHeight).withHorizontalScale (0.95f), labelHeight,
                         getY() + round (8.5f * u),
                         [] (int, float textWidth) { return (int) std::ceil (2.0f * textWidth); });

    const auto f = round (6.5f * u);
    const auto font = VQ_Layout::boldFont (0.8f * (float) f);
    const auto& firstLabel = *positionLabels.getFirst();
    const auto inset = round (7.0f * u);
    VQ_Layout::placeLabel (
        descriptionLabel, font, round (1.7f * VQ_Layout::textWidth (descriptionLabel, font)), f,
        { mirrored ? firstLabel.getRight() - inset : firstLabel.getX() + inset, getY() + round (3.4f * u) });

    updateLightDiode();
}

//==============================================================================
VQ_ChanelButton::VQ_ChanelButton (const std::atomic<int>& switchState)
    : statePointer (&switchState)
{
}

void VQ_ChanelButton::mouseDown (const juce::MouseEvent& e)
{
    if (statePointer->load() != 0)
    {
        longPressFired = false;
        buttonTimer.startTimer (longPressMs);
    }

    VQ_Button_s500::mouseDown (e);
}

void VQ_ChanelButton::mouseUp (const juce::MouseEvent& e)
{
    if (buttonTimer.isTimerRunning())
    {
        longPressFired = false;
        buttonTimer.stopTimer();
    }
    else if (longPressFired)
    {
        // The long press has clicked already: released from the normal state, the button adds no click.
        longPressFired = false;
        setState (buttonNormal);
    }

    VQ_Button_s500::mouseUp (e);
}

void VQ_ChanelButton::ButtonTimer::timerCallback()
{
    button.longPressFired = true;

    if (button.onClick)
        button.onClick();

    stopTimer();
}

ChannelSwitch::ChannelSwitch (int channel, juce::VqParamsManager& pm)
    : VQ_Switch_PLEMVO (1, 3),
      channelId (channel),
      paramsManager (pm)
{
    for (int i = 0; i < darkDiodes.size(); ++i)
    {
        auto select = [this, i]
        {
            if (currentState.load() != i)
                updateCurrentState (i, juce::sendNotificationSync);
        };
        darkDiodes[i]->onClick = select;

        auto& label = *positionLabels[i];
        label.setJustificationType (juce::Justification::centredTop);
        label.setBorderSize (juce::BorderSize<int> (0));
        label.onClick = select;
    }

    // Printed black, as every text of the light plate the switch sits on.
    labelColour = juce::Colours::black;
    setDiodeLabelColour (labelColour);
    descriptionLabel.setColour (juce::Label::textColourId, labelColour);

    lightDiodes.getFirst()->setDiodeColour (PLEMVO_Colours::redColour);
    addLightDiode (PLEMVO_Colours::redColour);
    addLightDiode (PLEMVO_Colours::redColour);

    auto* b = buttons.add (std::make_unique<VQ_ChanelButton> (currentState));
    channelButton = static_cast<VQ_ChanelButton*> (b);
    b->onClick = [this] { buttonClicked(); };
    addAndMakeVisible (b);
}

bool ChannelSwitch::isDoubleWindow() const
{
    return paramsManager.getNumNonAutomatableParams() > ParamData::doubleWindow &&
           (bool) paramsManager.getNonAutomatableParamValue (ParamData::doubleWindow);
}

void ChannelSwitch::buttonClicked()
{
    const auto current = currentState.load();

    if (channelButton->buttonTimer.isTimerRunning())
    {
        if (current != 0)
            updateCurrentState (0, juce::sendNotificationSync);

        return;
    }

    const auto ownChannel = channelId + 1;

    if (isDoubleWindow())
    {
        if (current != ownChannel)
            updateCurrentState (ownChannel, juce::sendNotificationSync);

        return;
    }

    updateCurrentState (current == 1 ? 2 : 1, juce::sendNotificationSync);
}

void ChannelSwitch::updateLightDiode()
{
    const auto current = currentState.load();
    const auto lit = isDoubleWindow() && current != 0 ? channelId + 1 : current;

    for (int i = 0; i < lightDiodes.size(); ++i)
        lightDiodes[i]->setVisible (i == lit);
}

void ChannelSwitch::layoutAllComponents()
{
    const auto w = getWidth();
    const auto u = (float) getHeight() / 25.313f;
    const auto b = round (19.5f * u), margin = round (0.803f * u);

    channelButton->setBounds (w - (b + margin), round (4.753f * u), b, b);

    const auto lightSize = round (9.3f * u), lightY = round (14.0f * u);
    const auto first = margin + round (6.5f * u), step = round (9.0f * u);

    for (int i = 0; i < darkDiodes.size(); ++i)
        placePositionLight (i, lightSize, { first + i * step, lightY });

    const auto labelHeight = round (7.5f * u);
    placePositionLabels (VQ_Layout::boldFont (0.735f * (float) labelHeight), labelHeight, getY() + round (8.5f * u),
                         [] (int i, float textWidth) { return (int) std::ceil ((i == 0 ? 1.1f : 1.5f) * textWidth); });

    // "CH." stands under the lights of channels 1 and 2, in the size and row of "CLIP" under the clip
    // lights beside them: at the lights' row the LINK light would cover it.
    const auto captionHeight = round (7.0f * u);
    const auto font = VQ_Layout::boldFont (0.735f * (float) captionHeight);
    const auto below = (darkDiodes[1]->getBounds().getCentreX() + darkDiodes[2]->getBounds().getCentreX()) / 2;
    VQ_Layout::placeLabel (descriptionLabel, font, round (1.7f * VQ_Layout::textWidth (descriptionLabel, font)),
                           captionHeight,
                           { getX() + below, getY() + getHeight() - round (9.0f * u) + captionHeight / 2 });

    updateLightDiode();
}
