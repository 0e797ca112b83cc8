#include "MessageLoop.h"
#include "ParamsTestRig.h"

#include "Ids.h"
#include "ParamTools.h"
#include "PluginInstance.h"
#include "StereoParameterLinker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

namespace
{
/** Records every change and gesture of the parameters it listens to, in the order they come. */
struct EventLog : juce::VqParamsManager::AutomatableParamListener
{
    juce::StringArray events;

    using AutomatableParamListener::paramGestureChanged;
    using AutomatableParamListener::paramValueChanged;

    void paramValueChanged (int index, float value) override
    {
        events.add ("value " + juce::String (index) + " " + juce::String (value));
    }

    void paramGestureChanged (int index, bool starting) override
    {
        events.add ((starting ? "begin " : "end ") + juce::String (index));
    }
};

class PlemvoParams : public testing::Test
{
protected:
    ~PlemvoParams() override
    {
        if (instance == nullptr)
            return;

        for (int index = 0; index < ParamData::numParams; ++index)
            manager.removeParamListener (&log, index);
    }

    juce::AudioProcessorParameter& host (int index) { return *instance->getParameters()[index]; }

    // Distinct values on both channels, set while "DUAL MONO" so that nothing is mirrored.
    void setDistinctChannels()
    {
        manager.setParamValue (nullptr, ParamData::channel, 1.0f);

        for (int k = 0; k < ParamData::channelTwinOffset; ++k)
        {
            manager.setParamValue (nullptr, ParamData::engage1 + k, channelOneValue (k));
            manager.setParamValue (nullptr, ParamData::engage2 + k, channelTwoValue (k));
        }

        vqtest::drainMessageLoop();
    }

    static float channelOneValue (int k) { return 0.05f * (float) k; }
    static float channelTwoValue (int k) { return 0.9f - 0.05f * (float) k; }

    void listenToAll()
    {
        for (int index = 0; index < ParamData::numParams; ++index)
            manager.addParamListener (&log, index, juce::VqParamsManager::registerOnly);
    }

    std::unique_ptr<juce::AudioProcessor> instance { createPluginFilter() };
    PlemvoParamsManager& manager = static_cast<PlemvoPluginInstance&> (*instance).getPlemvoParams();
    vqtest::RecordingListener window;
    EventLog log;
};
} // namespace

TEST_F (PlemvoParams, TheInstancePresentsTheTwentyThreeParametersInIndexOrderWithTheirDefaultsAndTexts)
{
    EXPECT_EQ (instance->getName(), "Kestova PLEMVO");
    EXPECT_TRUE (instance->hasEditor());
    ASSERT_EQ (instance->getParameters().size(), ParamData::numParams);
    ASSERT_EQ (manager.getNumParams(), ParamData::numParams);

    for (int index = 0; index < ParamData::numParams; ++index)
    {
        SCOPED_TRACE (index);
        auto& parameter = host (index);
        const auto defaultValue = ParamData::paramDefault[index];

        EXPECT_EQ (parameter.getParameterIndex(), index);
        EXPECT_EQ (&parameter, manager.getDawParameter (index));
        EXPECT_EQ (parameter.getName (4), ParamData::paramName[index]);
        EXPECT_EQ (parameter.getLabel(), "");
        EXPECT_EQ (parameter.getCategory(), juce::AudioProcessorParameter::genericParameter);
        EXPECT_EQ (parameter.getDefaultValue(), defaultValue);
        EXPECT_EQ (parameter.getValue(), defaultValue);
        EXPECT_EQ (manager.getParamValue (index), defaultValue);
        EXPECT_EQ (parameter.getText (parameter.getValue(), 2), ParamTools::valueToText (index, defaultValue));
        EXPECT_EQ (manager.getCurrentValueAsText (index), ParamTools::valueToText (index, defaultValue));
    }
}

TEST_F (PlemvoParams, TheInstanceHasOneStereoInputAndOneStereoOutputBus)
{
    ASSERT_EQ (instance->getBusCount (true), 1);
    ASSERT_EQ (instance->getBusCount (false), 1);
    EXPECT_EQ (instance->getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (instance->getBus (false, 0)->getName(), "Output");
    EXPECT_EQ (instance->getBus (true, 0)->getCurrentLayout(), juce::AudioChannelSet::stereo());
    EXPECT_EQ (instance->getBus (false, 0)->getCurrentLayout(), juce::AudioChannelSet::stereo());
}

TEST_F (PlemvoParams, TheElevenSettingsStartAtTheirDefaults)
{
    ASSERT_EQ (manager.getNumNonAutomatableParams(), ParamData::numSettings);

    for (int index = 0; index < ParamData::numSettings; ++index)
    {
        SCOPED_TRACE (index);
        const auto value = manager.getNonAutomatableParamValue (index);
        EXPECT_EQ (value, ParamData::getSettingDefault (index));
        EXPECT_TRUE (value.hasSameTypeAs (ParamData::getSettingDefault (index)));
    }

    EXPECT_EQ (manager.getNonAutomatableParamValue (ParamData::connectedDevSn), juce::var (-1));
    EXPECT_EQ (manager.getNonAutomatableParamValue (ParamData::shouldBeConnected), juce::var (true));
}

TEST_F (PlemvoParams, TheManagersTextFunctionsReadAndTypeTheStoredValue)
{
    manager.setParamValue (nullptr, ParamData::eq1Gain1, 0.5f);
    const auto typeGain = manager.getTextToValueFunction (ParamData::eq1Gain1);

    EXPECT_EQ (manager.getValueToTextFunction (ParamData::eq1Gain1) (typeGain ("10 dB")), "10.0");
    EXPECT_EQ (typeGain ("letters only"), 0.5f);

    manager.setParamValue (nullptr, ParamData::eq1Gain1, 0.25f);
    EXPECT_EQ (typeGain ("letters only"), 0.25f) << "the fallback follows the stored value";

    EXPECT_EQ (manager.getTextToValueFunction (ParamData::lpf2) ("8 kHz"), 0.5f);
    EXPECT_EQ (manager.getTextToValueFunction (ParamData::eq2Q2) ("0.7"), 0.75f);
    EXPECT_EQ (manager.getCurrentValueAsText (-1), "0.00");
    EXPECT_EQ (manager.getCurrentValueAsText (ParamData::numParams), "0.00");
}

TEST_F (PlemvoParams, AHostTypingIntoAFieldGetsTheStepWhoseTextIsNearest)
{
    const struct
    {
        int index;
        const char* typed;
        const char* shows;
    } rows[] = {
        { ParamData::eq1Gain1, "3", "3.0" },
        { ParamData::eq1Gain1, "+3", "3.0" },
        { ParamData::eq2Gain2, "-7.35 dB", "-7.4" },
        { ParamData::eq1Freq2, "1 kHz", "999 Hz" },
        { ParamData::eq2Freq1, "5", "5.0 kHz" },
        { ParamData::eq1Q1, "2", "2.0" },
        { ParamData::lpf1, "BYPASS", "BYPASS" },
        { ParamData::hpf2, "60", "60 Hz" },
        { ParamData::channel, "DUAL MONO", "DUAL MONO" },
        { ParamData::engage2, "OFF", "OFF" },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (juce::String (row.index) + " typed " + row.typed);
        auto& parameter = host (row.index);
        EXPECT_EQ (parameter.getText (parameter.getValueForText (row.typed), 0), row.shows);
    }

    host (ParamData::eq1Gain1).setValue (0.75f);
    EXPECT_EQ (host (ParamData::eq1Gain1).getValueForText ("abc"), 0.75f) << "letters leave the value as it is";
    EXPECT_EQ (host (ParamData::eq1Q1).getValueForText (""), 0.5f);
    vqtest::drainMessageLoop();
}

TEST_F (PlemvoParams, AHostReadsAndTypesTextsOnItsOwnThreadWhileTheValueChanges)
{
    auto& gain = host (ParamData::eq1Gain1);
    std::atomic<bool> valid { true };

    std::thread hostThread (
        [&gain, &valid]
        {
            for (int i = 0; i < 2000; ++i)
            {
                const auto value = gain.getValueForText (i % 2 == 0 ? "3" : "nothing");
                valid = valid && value >= 0.0f && value <= 1.0f && gain.getText (value, 8).isNotEmpty();
            }
        });

    for (int i = 0; i < 2000; ++i)
        manager.setParamValue (&window, ParamData::eq1Gain1, (float) (i % 121) / 120.0f);

    hostThread.join();
    EXPECT_TRUE (valid);
}

TEST_F (PlemvoParams, SwitchingToLinkCopiesTheSelectedChannelOntoTheOtherOne)
{
    enum Copy
    {
        none,
        oneOntoTwo,
        twoOntoOne
    };

    const struct
    {
        const char* rule;
        juce::var selectedChannel;
        float from, to;
        bool fromWindow;
        Copy copy;
    } rows[] = {
        { "channel 1 selected", 0, 1.0f, 0.0f, true, oneOntoTwo },
        { "channel 2 selected", 1, 1.0f, 0.0f, true, twoOntoOne },
        { "exactly 0.5 is LINK", 1, 1.0f, 0.5f, true, twoOntoOne },
        { "a change without a source copies too", 0, 0.7f, 0.2f, false, oneOntoTwo },
        { "a stored double selects as well", 1.0, 1.0f, 0.0f, true, twoOntoOne },
        { "LINK to LINK", 0, 0.0f, 0.0f, true, none },
        { "LINK to LINK below one half", 0, 0.3f, 0.2f, true, none },
        { "0.5 is already LINK", 0, 0.5f, 0.0f, true, none },
        { "LINK to DUAL MONO", 0, 0.0f, 1.0f, true, none },
        { "DUAL MONO to DUAL MONO", 0, 1.0f, 0.6f, true, none },
        { "no channel selected", 2, 1.0f, 0.0f, true, none },
        { "a negative channel", -1, 1.0f, 0.0f, true, none },
        { "a text is no channel", "1", 1.0f, 0.0f, true, none },
        { "a non-finite mode changes nothing", 0, 1.0f, NAN, true, none },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.rule);
        setDistinctChannels();
        // The rows' values are stored past the range check of the manager's setter, which refuses all but 0
        // and 1, so that the copy's own rule for any stored value is seen.
        const auto store = [this] (const juce::var& value)
        {
            manager.juce::VqParamsManager::applyNonAutomatableParamValue (nullptr, ParamData::selectedChannel, value,
                                                                          manager.takeChangeStamp());
        };
        store (2); // no copy on the way
        manager.setParamValue (nullptr, ParamData::channel, row.from);
        store (row.selectedChannel);

        manager.setParamValue (row.fromWindow ? &window : nullptr, ParamData::channel, row.to);

        for (int k = 0; k < ParamData::channelTwinOffset; ++k)
        {
            EXPECT_EQ (manager.getParamValue (ParamData::engage1 + k),
                       row.copy == twoOntoOne ? channelTwoValue (k) : channelOneValue (k));
            EXPECT_EQ (manager.getParamValue (ParamData::engage2 + k),
                       row.copy == oneOntoTwo ? channelOneValue (k) : channelTwoValue (k));
        }

        EXPECT_EQ (manager.getParamValue (ParamData::channel), std::isfinite (row.to) ? row.to : row.from);
    }
}

TEST_F (PlemvoParams, EachCopiedValueIsItsOwnGestureToldToEveryListenerBeforeTheModeChanges)
{
    setDistinctChannels();
    manager.setNonAutomatableParamValue (nullptr, ParamData::selectedChannel, 1);
    listenToAll();

    vqtest::HostRecorder hostOfEngage1;
    host (ParamData::engage1).addListener (&hostOfEngage1);

    manager.setParamValue (&window, ParamData::channel, 0.0f);

    juce::StringArray expected;
    for (int k = 0; k < ParamData::channelTwinOffset; ++k)
    {
        const auto target = juce::String (ParamData::engage1 + k);
        expected.add ("begin " + target);
        expected.add ("value " + target + " " + juce::String (channelTwoValue (k)));
        expected.add ("end " + target);
    }
    expected.add ("value 0 0");
    EXPECT_EQ (log.events, expected);

    // The host records the copy as a touch, a value and a release.
    EXPECT_EQ (hostOfEngage1.gestures, (std::vector<bool> { true, false }));
    EXPECT_EQ (hostOfEngage1.values, std::vector<float> { channelTwoValue (0) });
    EXPECT_EQ (host (ParamData::engage1).getValue(), channelTwoValue (0));

    // Once linked, nothing of the copy is mirrored back.
    log.events.clear();
    vqtest::drainMessageLoop();
    vqtest::drainMessageLoop();
    EXPECT_TRUE (log.events.isEmpty()) << log.events.joinIntoString (", ");

    host (ParamData::engage1).removeListener (&hostOfEngage1);
}

TEST_F (PlemvoParams, AModeChangeFromTheHostCopiesNothing)
{
    setDistinctChannels();
    manager.setNonAutomatableParamValue (nullptr, ParamData::selectedChannel, 0);

    host (ParamData::channel).setValue (0.0f);
    vqtest::drainMessageLoop();

    EXPECT_EQ (manager.getParamValue (ParamData::channel), 0.0f);
    EXPECT_EQ (manager.getCurrentValueAsText (ParamData::channel), "LINK");

    for (int k = 0; k < ParamData::channelTwinOffset; ++k)
    {
        EXPECT_EQ (manager.getParamValue (ParamData::engage1 + k), channelOneValue (k));
        EXPECT_EQ (manager.getParamValue (ParamData::engage2 + k), channelTwoValue (k));
    }
}

TEST_F (PlemvoParams, EveryChannelPairIsLinkedInLinkModeOnly)
{
    for (int k = 0; k < ParamData::channelTwinOffset; ++k)
    {
        SCOPED_TRACE (k);
        const int left = ParamData::engage1 + k, right = ParamData::engage2 + k;

        manager.setParamValue (nullptr, ParamData::channel, 0.5f); // exactly 0.5 is LINK
        manager.setParamValue (&window, right, 0.25f);
        vqtest::drainMessageLoop();
        EXPECT_EQ (manager.getParamValue (left), 0.25f);

        manager.setParamValue (nullptr, ParamData::channel, 1.0f);
        manager.setParamValue (&window, left, 0.75f);
        vqtest::drainMessageLoop();
        EXPECT_EQ (manager.getParamValue (right), 0.25f);
    }
}

TEST (ChannelLinkers, LinkersThatGoWithMirrorsStillQueuedLeaveTheManagerAndItsListenersUntouched)
{
    // The manager and the log outlive the linkers, so a mirror delivered late would show here.
    vqtest::RigInstance instance;
    auto& manager = instance.getParamsManager();
    EventLog log;
    vqtest::RecordingListener window;

    for (int index = 0; index < ParamData::numParams; ++index)
        manager.addParamListener (&log, index, juce::VqParamsManager::registerOnly);

    // Every pair as the equaliser links it, "CHANNEL" at "LINK"; each channel 1 change queues its mirror.
    juce::OwnedArray<StereoParameterLinker> linkers;

    for (int k = 1; k <= ParamData::channelTwinOffset; ++k)
        linkers.add (new StereoParameterLinker (manager, k, k + ParamData::channelTwinOffset));

    for (int k = 1; k <= ParamData::channelTwinOffset; ++k)
        manager.setParamValue (&window, k, 0.25f);

    log.events.clear();
    linkers.clear();
    vqtest::drainMessageLoop();

    EXPECT_TRUE (log.events.isEmpty()) << log.events.joinIntoString (", ");

    for (int index = 0; index < ParamData::numParams; ++index)
        manager.removeParamListener (&log, index);
}

TEST (CommandIds, TheCommandIdentifiersHaveTheirTexts)
{
    EXPECT_EQ (Ids::vqPlemvo::showDeviceSelector.toString(), "showDeviceSelector");
    EXPECT_EQ (Ids::vqPlemvo::loadPreset.toString(), "loadPreset");
    EXPECT_EQ (Ids::vqPlemvo::savePreset.toString(), "savePreset");
    EXPECT_EQ (Ids::vqPlemvo::loadPreset, juce::Identifier ("loadPreset"));
}
