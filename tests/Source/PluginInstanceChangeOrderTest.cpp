#include "ChangeOrderFixture.h"

using namespace instancetest;

namespace
{
/** Runs a function while the host parameter tells its listeners of a change, once. */
struct DuringAnnouncement : juce::AudioProcessorParameter::Listener
{
    void parameterValueChanged (int, float) override
    {
        if (auto f = std::exchange (action, {}))
            f();
    }

    void parameterGestureChanged (int, bool) override {}

    std::function<void()> action;
};

/** Runs a function while the manager tells its listeners of a setting's change, once. */
struct DuringSettingAnnouncement : juce::VqParamsManager::NonAutomatableParamListener
{
    void nonAutomatableParamValueChanged (int, juce::var) override
    {
        if (auto f = std::exchange (action, {}))
            f();
    }

    std::function<void()> action;
};

/** The channel's eleven parameters from its first index. */
std::vector<int> channelParams (int first)
{
    std::vector<int> indices;

    for (int k = 0; k < ParamData::channelTwinOffset; ++k)
        indices.push_back (first + k);

    return indices;
}

/** One interleaving: the changes made, and the values that were received last. */
struct Interleaving
{
    const char* name;
    std::function<void (ChangeOrderTest&)> make;
    std::map<int, float> survivors;
    std::map<int, juce::var> surviving;
};

/** A channel's values: "LINK" restored over "DUAL MONO" whose channels differ, then the host automates
    the channel that the linking copy overwrites. */
Interleaving linkRestoreThenAutomation (int selected)
{
    const auto copied = selected == 0 ? ParamData::engage2 : ParamData::engage1;
    const auto kept = ParamData::engage1 + ParamData::engage2 - copied;
    Interleaving result { selected == 0 ? "a LINK restore, then automation of channel 2"
                                        : "a LINK restore with channel 2 selected, then automation of channel 1",
                          {},
                          {},
                          { { ParamData::selectedChannel, selected } } };

    for (auto index : channelParams (copied))
        result.survivors[index] = stepOf (index, 1);

    for (auto index : channelParams (kept))
        result.survivors[index] = stepOf (index, 4);

    result.make = [selected, copied, kept] (ChangeOrderTest& t)
    {
        std::map<int, float> before { { ParamData::channel, 1.0f } }, restored { { ParamData::channel, 0.0f } };

        for (auto index : channelParams (copied))
        {
            before[index] = stepOf (index, 2);
            restored[index] = stepOf (index, 4);
        }

        for (auto index : channelParams (kept))
        {
            before[index] = stepOf (index, 3);
            restored[index] = stepOf (index, 4);
        }

        t.hostRestores (t.stateWith (before, { { ParamData::selectedChannel, 1 - selected } }));
        t.settle();

        // The automation is already running: its updates wait for the message thread when the state comes.
        for (auto index : channelParams (copied))
            t.hostWrites (index, stepOf (index, 3));

        t.hostRestores (t.stateWith (restored, { { ParamData::selectedChannel, selected } }));

        for (auto index : channelParams (copied))
            t.hostWrites (index, stepOf (index, 1));
    };

    return result;
}

const auto gain = ParamData::eq1Gain1;
const auto gainStep = [] (int step) { return ParamTools::stepToValue (ParamTools::Kind::gain, step); };

std::vector<Interleaving> interleavings()
{
    return {
        { "a value from the unit crosses host automation on the cable",
          [] (ChangeOrderTest& t)
          {
              t.hostWrites (gain, gainStep (100));
              t.unitOnCable->turnControl (Protocol::eq1Gain, 20);
          },
          { { gain, gainStep (20) } },
          {} },
        linkRestoreThenAutomation (0),
        linkRestoreThenAutomation (1),
        { "a restore, then a setting changed in the window",
          [] (ChangeOrderTest& t)
          {
              t.hostRestores (
                  t.stateWith ({}, { { ParamData::doubleWindow, true }, { ParamData::selectedChannel, 1 } }));
              t.params().setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, false);
              t.params().setNonAutomatableParamValue (nullptr, ParamData::selectedChannel, 0);
          },
          {},
          { { ParamData::doubleWindow, false }, { ParamData::selectedChannel, 0 } } },
        { "a restore on a host thread while the window's change is announced, then the host's echo",
          [] (ChangeOrderTest& t)
          {
              DuringAnnouncement host;
              host.action = [&] { t.hostRestores (t.stateWith ({ { gain, gainStep (9) } })); };
              t.hostParameter (gain).addListener (&host);
              t.params().setParamValue (nullptr, gain, gainStep (25));
              t.hostParameter (gain).removeListener (&host);
              const auto read = t.hostParameter (gain).getValue();
              t.hostWrites (gain, read);
          },
          { { gain, gainStep (9) } },
          {} },
        { "a restore on a host thread while the window's change of a setting is announced",
          [] (ChangeOrderTest& t)
          {
              DuringSettingAnnouncement window;
              window.action = [&] { t.hostRestores (t.stateWith ({}, { { ParamData::doubleWindow, false } })); };
              t.params().addNonAutomatableParamListener (&window, ParamData::doubleWindow,
                                                         juce::VqParamsManager::registerOnly);
              t.params().setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, true);
              t.params().removeNonAutomatableParamListener (&window, ParamData::doubleWindow);
          },
          {},
          { { ParamData::doubleWindow, false } } },
        { "a value from the unit received before a restore and applied after it",
          [] (ChangeOrderTest& t)
          {
              t.unitOnCable->turnControl (Protocol::eq1Gain, 20);
              t.busyFor (10);
              t.hostRestores (t.stateWith ({ { gain, gainStep (7) } }));
          },
          { { gain, gainStep (7) } },
          {} },
    };
}

TEST_F (ChangeOrderTest, AfterAnyInterleavingTheHostTheManagerTheStateAndTheUnitHoldTheLastChangeReceived)
{
    for (auto& interleaving : interleavings())
    {
        SCOPED_TRACE (interleaving.name);

        // Each from the plain linked state, the unit agreeing.
        hostRestores (stateWith ({ { ParamData::channel, 0.0f } },
                                 { { ParamData::selectedChannel, 0 }, { ParamData::doubleWindow, false } }));
        settle();
        unitOnCable->clearTraffic();

        interleaving.make (*this);
        settle();

        for (auto& [index, value] : interleaving.survivors)
            EXPECT_EQ (disagreementOn (index, value), "") << ParamData::paramName[index];

        for (auto& [index, value] : interleaving.surviving)
            EXPECT_EQ (disagreementOnSetting (index, value), "") << ParamData::naParamName[index];
    }
}
} // namespace
