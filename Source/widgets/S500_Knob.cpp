#include "S500_Knob.h"

#include <charconv>
#include <cmath>

VQ_Knob::VQ_Knob()
    : juce::Slider (juce::Slider::RotaryVerticalDrag, juce::Slider::NoTextBox)
{
}

VQ_Knob::~VQ_Knob()
{
    setLookAndFeel (nullptr);
    knobLookAndFeel.reset();
}

void VQ_Knob::setKnobLookAndFeel (std::unique_ptr<VQ_Knob_LAF> lookAndFeel)
{
    setLookAndFeel (lookAndFeel.get());
    knobLookAndFeel = std::move (lookAndFeel);
    knobLookAndFeel->setPointerVisible (pointerVisible);
}

void VQ_Knob::setPointerVisible (bool shouldShow)
{
    pointerVisible = shouldShow;

    if (knobLookAndFeel != nullptr)
        knobLookAndFeel->setPointerVisible (shouldShow);

    repaint();
}

template <typename Function> void VQ_Knob::forEachSibling (Function&& function)
{
    function (static_cast<juce::Component&> (caption));

    for (auto* label : rulerLabels)
        function (static_cast<juce::Component&> (*label));

    for (auto* diode : rulerDiodes)
        function (static_cast<juce::Component&> (*diode));
}

void VQ_Knob::setSliderAffineTransform (const juce::AffineTransform& transform)
{
    setTransform (transform);
    forEachSibling ([&] (juce::Component& sibling) { sibling.setTransform (transform); });
}

void VQ_Knob::replaceRulerMarks (const juce::StringArray& rulerTexts, float rangeStart, float rangeEnd)
{
    auto markHeld = false;
    auto endGestureOf = [&markHeld] (auto& mark)
    {
        markHeld = markHeld || mark.isMouseButtonDown();
        mark.endPendingGesture();
    };

    for (auto* label : rulerLabels)
        endGestureOf (*label);

    for (auto* diode : rulerDiodes)
        endGestureOf (*diode);

    rulerLabels.clear();
    rulerDiodes.clear();

    // The slider drags along with a press on a mark; once the mark is gone no release reaches it.
    if (markHeld)
        endSliderDrag();

    const auto n = rulerTexts.size();
    auto* parent = getParentComponent();

    for (int i = 0; i < n; ++i)
    {
        const auto value = decimalValue (rangeStart + (float) i * (rangeEnd - rangeStart) / (float) (n - 1));

        auto* label = rulerLabels.add (std::make_unique<SliderRulerLabel> (rulerTexts[i], value));
        label->addMouseListener (this, true);

        auto* diode = rulerDiodes.add (std::make_unique<SliderRulerDiode> (value));
        diode->addMouseListener (this, true);

        // Marks made after the knob joined its parent join it at once, knowing their knob.
        for (auto* mark : { static_cast<juce::Component*> (label), static_cast<juce::Component*> (diode) })
        {
            if (parent != nullptr)
            {
                mark->setVisible (isVisible());
                parent->addChildComponent (mark);
            }
        }
    }
}

void VQ_Knob::endSliderDrag()
{
    // The slider ends its drag on any release; it reads nothing of the event.
    const auto now = juce::Time::getCurrentTime();
    juce::Slider::mouseUp (
        juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), {}, {},
                          juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                          juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                          juce::MouseInputSource::defaultTiltY, this, this, now, {}, now, 1, false));
}

double VQ_Knob::decimalValue (float value)
{
    char text[32];
    const auto written = std::to_chars (text, text + sizeof (text), value);
    double result = value;
    std::from_chars (text, written.ptr, result);
    return result;
}

void VQ_Knob::setKnobRange (float rangeStart, float rangeEnd, float interval)
{
    const juce::NormalisableRange<double> plain (decimalValue (rangeStart), decimalValue (rangeEnd),
                                                 decimalValue (interval));
    juce::NormalisableRange<double> range (
        plain.start, plain.end,
        [plain] (double, double, double proportion) { return plain.convertFrom0to1 (proportion); },
        [plain] (double, double, double value) { return plain.convertTo0to1 (value); },
        [this, plain] (double, double, double value)
        { return plain.snapToLegalValue (std::isnan (value) ? getValue() : value); });
    range.interval = plain.interval;
    setNormalisableRange (range);
}

void VQ_Knob::parentHierarchyChanged()
{
    auto* parent = getParentComponent();

    if (parent == nullptr)
        return;

    if (! parametersDefined)
        defineSliderPrms ({}, { "0", "1" }, 0.0f, 1.0f, 0.01f, 0.0f, 0.1f);

    forEachSibling (
        [&] (juce::Component& sibling)
        {
            sibling.setVisible (isVisible());
            parent->addChildComponent (sibling);
        });
}

void VQ_Knob::visibilityChanged()
{
    juce::Slider::visibilityChanged();
    forEachSibling ([&] (juce::Component& sibling) { sibling.setVisible (isVisible()); });
}

void VQ_Knob::mouseEnter (const juce::MouseEvent& e)
{
    if (onMouseEnterFunc)
        onMouseEnterFunc();

    juce::Slider::mouseEnter (e);
}

void VQ_Knob::mouseExit (const juce::MouseEvent& e)
{
    if (onMouseExitFunc)
        onMouseExitFunc();

    juce::Slider::mouseExit (e);
}

bool VQ_Knob::hitTest (int x, int y)
{
    const auto hw = getWidth() / 2;
    const auto hh = getHeight() / 2;
    return (float) hw > std::hypot ((float) (x - hw), (float) (y - hh));
}

void VQ_Knob::resized()
{
    juce::Slider::resized();

    const auto side = juce::jmax (getWidth(), getHeight());

    if (side >= 2)
        setSliderBounds (getX(), getY(), side);
}

void VQ_Knob::paint (juce::Graphics& g)
{
    if (knobLookAndFeel != nullptr)
        knobLookAndFeel->updateImagesFor (g, *this);

    juce::Slider::paint (g);
}
