#include "VQ_Label.h"

#include "S500_Knob.h"

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
