#include "VqDawParameter.h"

namespace juce
{
VqDawParameter::VqDawParameter (const String& parameterName, NormalisableRange<double> parameterRange,
                                double defaultInRangeUnits, const String& parameterLabel, Category parameterCategory,
                                int decimalPlaces, VqParamsManager& owner, int parameterIndex,
                                ValueToTextFunction valueToTextFunction, TextToValueFunction textToValueFunction)
    : valueToText (std::move (valueToTextFunction)),
      textToValue (std::move (textToValueFunction)),
      manager (&owner),
      index (parameterIndex),
      range (std::move (parameterRange)),
      value ((float) range.convertTo0to1 (range.snapToLegalValue (defaultInRangeUnits))),
      defaultValue (value.load()),
      name (parameterName),
      label (parameterLabel),
      category (parameterCategory),
      numDecimalPlaces (decimalPlaces)
{
}

VqDawParameter::~VqDawParameter()
{
    cancelPendingUpdate();
}

float VqDawParameter::getValue() const
{
    return value.load();
}

void VqDawParameter::setValue (float newValue)
{
    if (! std::isfinite (newValue))
        return;

    newValue = jlimit (0.0f, 1.0f, newValue);

    // Only the last of several writes matters: the update reads the value when it runs.
    if (value.exchange (newValue) != newValue)
    {
        auto shown = (int) presetShown;
        presetState.compare_exchange_strong (shown, presetOverwritten);
        triggerAsyncUpdate();
    }
}

void VqDawParameter::handleAsyncUpdate()
{
    manager->setParamValue (this, index, (float) range.convertFrom0to1 ((double) value.load()));
}

float VqDawParameter::normalise (float valueInRangeUnits) const
{
    return (float) range.convertTo0to1 (range.snapToLegalValue ((double) valueInRangeUnits));
}

void VqDawParameter::paramValueChanged (int, float newValue)
{
    const auto normalised = normalise (newValue);

    // A host write still waiting is older than this change, which wins.
    cancelPendingUpdate();
    value.store (normalised);
    sendValueChangedMessageToListeners (normalised);
}

void VqDawParameter::presetValue (float newValue)
{
    if (! std::isfinite (newValue))
        return;

    cancelPendingUpdate();
    value.store (normalise (newValue));
    presetState.store (presetShown);
}

bool VqDawParameter::takeHostWriteSincePreset()
{
    return presetState.exchange (noPreset) == presetOverwritten;
}

void VqDawParameter::paramGestureChanged (int, bool starting)
{
    if (starting)
        beginChangeGesture();
    else
        endChangeGesture();
}

float VqDawParameter::getDefaultValue() const
{
    return defaultValue;
}

String VqDawParameter::getName (int) const
{
    return name;
}

String VqDawParameter::getLabel() const
{
    return label;
}

AudioProcessorParameter::Category VqDawParameter::getCategory() const
{
    return category;
}

String VqDawParameter::getText (float normalisedValue, int) const
{
    if (valueToText)
        return valueToText (normalisedValue);

    return String ((float) range.snapToLegalValue (range.convertFrom0to1 ((double) normalisedValue)), numDecimalPlaces);
}

float VqDawParameter::getValueForText (const String& text) const
{
    const auto result = textToValue ? textToValue (text) : parseNumber (text);
    return std::isfinite (result) ? jlimit (0.0f, 1.0f, result) : getValue();
}

float VqDawParameter::parseNumber (const String& text) const
{
    auto number = text.trimStart();

    if (label.isNotEmpty() && number.endsWith (label))
        number = number.dropLastCharacters (label.length());

    while (number.startsWithChar ('+'))
        number = number.substring (1).trimStart();

    const auto digits = number.initialSectionContainingOnly ("0123456789.,-").replaceCharacter (',', '.');
    return (float) range.convertTo0to1 (range.snapToLegalValue (digits.getDoubleValue()));
}
} // namespace juce
