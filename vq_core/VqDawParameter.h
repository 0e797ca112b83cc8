#pragma once

#include "VqParamsManager.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

namespace juce
{
/** Presents one automatable parameter of a VqParamsManager to the host.

    The host may write it from any thread: the value is stored with the stamp of its arrival and
    carried into the manager on the message thread, several writes between two message-thread turns
    making one update with the last value. Changes and gestures from every other source go out to the
    host. What the host reads is the latest change received, wherever it came from: a change only
    replaces a later one that the host sees, never the other way round.

    The host echoes every value announced to it, on its own thread and maybe late, and the host's
    wrapper writes the echo back when it differs from the value shown. A write that repeats a value
    announced and not yet echoed is taken as that echo: it keeps the announcement's stamp, so it never
    wins over a change received after the announcement.

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

    /** The host's entry, any thread. A non-finite value is ignored; others are clamped to 0..1. A value
        that repeats one announced and not yet echoed is that echo, received when it was announced.
    */
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

    /** Shows the host a change received at `received` that reaches the manager by another way (a
        restored state), when it is later than the value the host sees: from now on getValue reports
        it, so a host that reads the parameters right away, and echoes them, sees the value to come.
        Any thread; a non-finite value is ignored.
    */
    void showReceivedValue (float newValue, VqParamsManager::ChangeStamp received);

    /** Host automation replays recorded values. */
    bool replaysRecordedValues() const noexcept override { return true; }

    /** A gesture from another source: the host's touch and release. */
    void paramGestureChanged (int index, bool starting) override;

    int getParamIndex() const noexcept { return index; }
    const NormalisableRange<double>& getRange() const noexcept { return range; }

    /** How long after an announcement a host's echo may still come. An echo that came while its value
        was still shown reaches no setValue (the wrapper writes only what differs), so an announcement
        this old counts as echoed, and a write of its value is a change received now.
    */
    static constexpr uint32 echoWithinMs = 500;

    /** Milliseconds, for the echo horizon. */
    using Clock = std::function<uint32()>;

    /** Replaces the clock of every host parameter, or restores the system's when empty. Meant for tests:
        call it while no host thread writes a parameter.
    */
    static void setClock (Clock clock);

private:
    /** A value announced to the host, with the stamp it was received at and when it was announced. */
    struct Announcement
    {
        float value;
        VqParamsManager::ChangeStamp stamp;
        uint32 announcedMs;
    };

    static constexpr size_t maxUnechoed = 32;

    ValueToTextFunction valueToText;
    TextToValueFunction textToValue;
    VqParamsManager* manager;
    int index;
    NormalisableRange<double> range;
    std::atomic<float> value;
    SpinLock shownLock; // around changes of value and shownStamp together
    VqParamsManager::ChangeStamp shownStamp = 0;
    std::array<Announcement, maxUnechoed> unechoed {}; // oldest first, under shownLock
    size_t numUnechoed = 0;
    float defaultValue;
    String name;
    String label;
    Category category;
    int numDecimalPlaces;

    void handleAsyncUpdate() override;
    // These four are called under shownLock.
    bool show (float normalised, VqParamsManager::ChangeStamp received);
    VqParamsManager::ChangeStamp receivedStampOfWrite (float normalised);
    void noteAnnounced (float normalised, VqParamsManager::ChangeStamp received);
    void forgetEchoedBefore (uint32 now);
    float normalise (float valueInRangeUnits) const;
    float parseNumber (const String& text) const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VqDawParameter)
};
} // namespace juce
