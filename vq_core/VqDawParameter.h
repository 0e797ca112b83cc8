#pragma once

#include "VqParamsManager.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace juce
{
/** Presents one automatable parameter of a VqParamsManager to the host.

    The host may write it from any thread: the value is stored atomically and carried into the
    manager on the message thread, several writes between two message-thread turns making one
    update with the last value. Changes and gestures from every other source go out to the host.

    Texts come from the owner: valueToText for the display, and textToValue for what the host's
    user types. The latter is our addition so that a typed text lands on the step whose text is
    nearest (a host would otherwise read "3" in a gain field as a normalised 3); without it the
    text is read as a plain number in range units.
*/
class VqDawParameter : public AudioProcessorParameter,
                       private AsyncUpdater,
                       public VqParamsManager::AutomatableParamListener
{
public:
    using ValueToTextFunction = std::function<String (float normalisedValue)>;
    using TextToValueFunction = std::function<float (const String& text)>;

    VqDawParameter (const String& name, NormalisableRange<double> range, double defaultValue, const String& label,
                    Category category, int numDecimalPlaces, VqParamsManager& manager, int index,
                    ValueToTextFunction valueToText, TextToValueFunction textToValue = {});

    ~VqDawParameter() override;

    float getValue() const override;

    /** The host's entry, any thread. A non-finite value is ignored; others are clamped to 0..1. */
    void setValue (float newValue) override;

    float getDefaultValue() const override;
    String getName (int maximumStringLength) const override;
    String getLabel() const override;
    String getText (float normalisedValue, int maximumStringLength) const override;
    float getValueForText (const String& text) const override;
    Category getCategory() const override;

    using VqParamsManager::AutomatableParamListener::paramGestureChanged;
    using VqParamsManager::AutomatableParamListener::paramValueChanged;

    /** A change from another source: stored and announced to the host. */
    void paramValueChanged (int index, float value) override;

    /** Shows the host a value that the manager will be given on the message thread: from now on
        getValue reports it, so a host that reads the parameters right away, and echoes them, sees
        the value to come instead of the one it replaces. Nothing is carried into the manager, and a
        host write still waiting is dropped as older. Any thread; a non-finite value is ignored.
    */
    void presetValue (float newValue);

    /** Whether the host wrote another value after the last presetValue: the value to come is then
        older than that write and must give way to it. Clears the mark. Message thread.
    */
    bool takeHostWriteSincePreset();

    /** A gesture from another source: the host's touch and release. */
    void paramGestureChanged (int index, bool starting) override;

    int getParamIndex() const noexcept { return index; }
    const NormalisableRange<double>& getRange() const noexcept { return range; }

private:
    enum PresetState
    {
        noPreset,
        presetShown,
        presetOverwritten
    };

    ValueToTextFunction valueToText;
    TextToValueFunction textToValue;
    VqParamsManager* manager;
    int index;
    NormalisableRange<double> range;
    std::atomic<float> value;
    std::atomic<int> presetState { noPreset };
    float defaultValue;
    String name;
    String label;
    Category category;
    int numDecimalPlaces;

    void handleAsyncUpdate() override;
    float normalise (float valueInRangeUnits) const;
    float parseNumber (const String& text) const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VqDawParameter)
};
} // namespace juce
