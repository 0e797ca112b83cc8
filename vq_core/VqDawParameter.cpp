#include "VqDawParameter.h"

namespace juce
{
namespace
{
VqDawParameter::Clock& clock()
{
    static VqDawParameter::Clock c;
    return c;
}

uint32 nowMs()
{
    const auto& c = clock();
    return c ? c() : Time::getMillisecondCounter();
}
} // namespace

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

void VqDawParameter::setClock (Clock newClock)
{
    clock() = std::move (newClock);
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

    const auto normalised = jlimit (0.0f, 1.0f, newValue);
    bool shown;

    {
        const SpinLock::ScopedLockType lock (shownLock);

        // Also a write of the value shown goes on: it is later than any change still on its way.
        shown = show (normalised, receivedStampOfWrite (normalised));
    }

    if (shown)
        triggerAsyncUpdate();
}

VqParamsManager::ChangeStamp VqDawParameter::receivedStampOfWrite (float normalised)
{
    forgetEchoedBefore (nowMs());

    // The host echoes in the order it was told, so the echo is of the oldest such announcement, and
    // those before it were echoed already.
    for (size_t i = 0; i < numUnechoed; ++i)
    {
        if (unechoed[i].value == normalised)
        {
            const auto received = unechoed[i].stamp;
            std::move (unechoed.begin() + (ptrdiff_t) i + 1, unechoed.begin() + (ptrdiff_t) numUnechoed,
                       unechoed.begin());
            numUnechoed -= i + 1;
            return received;
        }
    }

    return manager->takeChangeStamp();
}

void VqDawParameter::noteAnnounced (float normalised, VqParamsManager::ChangeStamp received)
{
    const auto now = nowMs();
    forgetEchoedBefore (now);

    if (numUnechoed == maxUnechoed)
        std::move (unechoed.begin() + 1, unechoed.end(), unechoed.begin());
    else
        ++numUnechoed;

    unechoed[numUnechoed - 1] = { normalised, received, now };
}

void VqDawParameter::forgetEchoedBefore (uint32 now)
{
    size_t old = 0;

    while (old < numUnechoed && now - unechoed[old].announcedMs > echoWithinMs)
        ++old;

    std::move (unechoed.begin() + (ptrdiff_t) old, unechoed.begin() + (ptrdiff_t) numUnechoed, unechoed.begin());
    numUnechoed -= old;
}

void VqDawParameter::handleAsyncUpdate()
{
    float latest;
    VqParamsManager::ChangeStamp received;

    {
        const SpinLock::ScopedLockType lock (shownLock);
        latest = value.load();
        received = shownStamp;
    }

    // Several writes make one update with the last; what the manager already holds changes nothing.
    manager->applyParamValue (this, index, (float) range.convertFrom0to1 ((double) latest), received,
                              VqParamsManager::Unchanged::keepQuiet);
}

bool VqDawParameter::show (float normalised, VqParamsManager::ChangeStamp received)
{
    // The change that the host sees already is also announced when the manager applies it.
    if (received < shownStamp)
        return false;

    shownStamp = received;
    value.store (normalised);
    return true;
}

float VqDawParameter::normalise (float valueInRangeUnits) const
{
    return (float) range.convertTo0to1 (range.snapToLegalValue ((double) valueInRangeUnits));
}

void VqDawParameter::paramValueChanged (int, float newValue)
{
    const auto normalised = normalise (newValue);
    const auto received = manager->getParamStamp (index);

    {
        const SpinLock::ScopedLockType lock (shownLock);

        if (! show (normalised, received))
            return;

        // Noted before the host is told: its echo may come back inside the announcement.
        noteAnnounced (normalised, received);
    }

    sendValueChangedMessageToListeners (normalised);
}

void VqDawParameter::showReceivedValue (float newValue, VqParamsManager::ChangeStamp received)
{
    if (! std::isfinite (newValue))
        return;

    const SpinLock::ScopedLockType lock (shownLock);
    show (normalise (newValue), received);
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
