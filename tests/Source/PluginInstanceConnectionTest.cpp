#include "InstanceFixture.h"

#include "Ids.h"
#include "MidiBridge.h"
#include "PresetFile.h"

using namespace instancetest;

namespace
{
double millisecondsSince (double start)
{
    return juce::Time::getMillisecondCounterHiRes() - start;
}

/** The unit whose listener is the instance's bridge, or -1. */
int unitInUse (PlemvoPluginInstance& instance)
{
    if (auto* manager = juce::MidiManager::getInstanceWithoutCreating(); manager != nullptr && instance.getBridge())
    {
        const auto list = manager->getConnectionList();

        for (const auto* row : *list)
            if (row->listener == instance.getBridge())
                return row->serialNo;
    }

    return -1;
}

/** Counts the moments at which "IS CONNECTED" and "CONNECTED DEV SN" say other than the live connection:
    each time either is told, and at every turn of the message loop it runs. */
struct ConnectionSettingsWatch : juce::VqParamsManager::NonAutomatableParamListener
{
    explicit ConnectionSettingsWatch (PlemvoPluginInstance& i)
        : instance (i)
    {
        for (const auto index : { ParamData::isConnected, ParamData::connectedDevSn })
            instance.getPlemvoParams().addNonAutomatableParamListener (this, index,
                                                                       juce::VqParamsManager::registerOnly);
    }

    ~ConnectionSettingsWatch() override
    {
        for (const auto index : { ParamData::isConnected, ParamData::connectedDevSn })
            instance.getPlemvoParams().removeNonAutomatableParamListener (this, index);
    }

    void nonAutomatableParamValueChanged (int, juce::var) override { check(); }

    void check()
    {
        const auto& params = instance.getPlemvoParams();
        const auto inUse = unitInUse (instance);

        if ((bool) params.getNonAutomatableParamValue (ParamData::isConnected)
                ? inUse != (int) params.getNonAutomatableParamValue (ParamData::connectedDevSn)
                : inUse != -1)
            ++disagreements;
    }

    void runFor (int milliseconds)
    {
        vqtest::runMessageLoopUntil (
            [this]
            {
                check();
                return false;
            },
            milliseconds);
    }

    PlemvoPluginInstance& instance;
    int disagreements = 0;
};

/** The two ways a state that names a unit reaches a connected instance. */
struct StateRoute
{
    const char* name;
    std::function<void (PlemvoPluginInstance&, const juce::MemoryBlock&)> apply;
};

const StateRoute stateRoutes[] = {
    { "a preset file",
      [] (PlemvoPluginInstance& instance, const juce::MemoryBlock& state)
      {
          juce::TemporaryFile file (PresetFile::extension);
          ASSERT_TRUE (file.getFile().replaceWithData (state.getData(), state.getSize()));
          ASSERT_TRUE (PresetFile::load (instance, file.getFile()).wasOk());
      } },
    { "a session state the host restores", [] (PlemvoPluginInstance& instance, const juce::MemoryBlock& state)
      { instance.setStateInformation (state.getData(), (int) state.getSize()); } },
};

/** The codes of the controls of both channels the unit holds. */
std::vector<int> channelCodes (const vqsim::SimulatedUnit& unit)
{
    std::vector<int> codes;

    for (const auto channel : { 1, 2 })
        for (const auto id : Protocol::channelControlIds)
            codes.push_back (unit.getCode (channel, id));

    return codes;
}

juce::MemoryBlock stateOf (PlemvoPluginInstance& instance)
{
    juce::MemoryBlock state;
    instance.getStateInformation (state);
    return state;
}
} // namespace

TEST_F (InstanceTest, WithoutAUnitTheTimerTicksAndNothingElseHappens)
{
    auto& instance = createInstance();
    CommandCounter commands;
    instance.addCommandListener (&commands);

    vqtest::runMessageLoopFor (2200);

    EXPECT_FALSE (isConnected (instance));
    EXPECT_EQ ((int) setting (instance, ParamData::connectedDevSn), -1);
    EXPECT_EQ (instance.getBridge(), nullptr);
    EXPECT_TRUE (instance.isTimerRunning());
    EXPECT_TRUE (commands.ids.isEmpty());
    EXPECT_FALSE (instance.hasPendingCommand());
    instance.removeCommandListener (&commands);
}

TEST_F (InstanceTest, AnInstanceThatShouldNotBeConnectedLeavesAFreeUnitAlone)
{
    auto& unit = addUnit (17);
    auto& instance = createInstance();
    setSetting (instance, ParamData::shouldBeConnected, false);

    vqtest::runMessageLoopFor (2200);

    EXPECT_FALSE (isConnected (instance));
    EXPECT_TRUE (instance.isTimerRunning());
    EXPECT_EQ (listedUnits(), (std::map<int, bool> { { 17, false } }));
    EXPECT_TRUE (idsSentTo (unit).empty());

    // Wanted again, it is taken on a later tick.
    setSetting (instance, ParamData::shouldBeConnected, true);
    EXPECT_TRUE (waitForConnection (instance));
}

TEST_F (InstanceTest, TheOneFreeUnitIsTakenOnTheFirstTickAndRemembered)
{
    auto& unit = addUnit (17);
    const auto start = juce::Time::getMillisecondCounterHiRes();
    auto& instance = createInstance();

    ASSERT_TRUE (waitForConnection (instance));
    EXPECT_GE (millisecondsSince (start), 900.0);
    EXPECT_EQ ((int) setting (instance, ParamData::connectedDevSn), 17);
    EXPECT_FALSE (instance.isTimerRunning());
    EXPECT_NE (instance.getBridge(), nullptr);
    EXPECT_EQ (listedUnits(), (std::map<int, bool> { { 17, true } }));
    EXPECT_TRUE (waitForFullResend (unit));
}

TEST_F (InstanceTest, TwoFreeUnitsAskForTheDeviceSelectorEveryTickAndTheRequestWaitsForAWindow)
{
    addUnit (17);
    addUnit (23);
    auto& instance = createInstance();
    CommandCounter menuBarLookalike;
    instance.addCommandListener (&menuBarLookalike);

    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return menuBarLookalike.ids.size() >= 2; }, 3500));
    EXPECT_EQ (menuBarLookalike.ids[0], Ids::vqPlemvo::showDeviceSelector.toString());
    EXPECT_FALSE (isConnected (instance));
    EXPECT_EQ (listedUnits(), (std::map<int, bool> { { 17, false }, { 23, false } }));
    EXPECT_TRUE (instance.hasPendingCommand());

    instance.removeCommandListener (&menuBarLookalike);
}

TEST_F (InstanceTest, ARememberedUnitThatIsAbsentIsWaitedForAndNoOtherIsTaken)
{
    addUnit (17);
    auto& remembered = addUnit (23, false);
    auto& instance = createInstance();
    setSetting (instance, ParamData::connectedDevSn, 23);

    // Once unit 17 is listed, a whole connection tick passes without the instance taking it.
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return listedUnits().count (17) == 1; }, 10000));
    vqtest::runMessageLoopFor (1200);
    EXPECT_FALSE (isConnected (instance));
    EXPECT_EQ (listedUnits(), (std::map<int, bool> { { 17, false } }));
    EXPECT_TRUE (instance.isTimerRunning());

    remembered.plugIn();
    ASSERT_TRUE (waitForConnection (instance));
    EXPECT_EQ (listedUnits(), (std::map<int, bool> { { 17, false }, { 23, true } }));
    EXPECT_TRUE (waitForFullResend (remembered));
}

TEST_F (InstanceTest, AnUnpluggedUnitIsTakenAgainWhenItReturnsAndGetsTheWholeStateAgain)
{
    auto& unit = addUnit (17);
    auto& instance = createInstance();
    ASSERT_TRUE (waitForConnection (instance));
    ASSERT_TRUE (waitForFullResend (unit));
    instance.getPlemvoParams().setParamValue (nullptr, ParamData::eq1Gain1, 0.75f);

    unit.unplug();
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return ! isConnected (instance); }));
    EXPECT_TRUE (instance.isTimerRunning());
    vqtest::runMessageLoopFor (1200);
    EXPECT_FALSE (isConnected (instance));

    unit.clearTraffic();
    unit.plugIn();
    ASSERT_TRUE (waitForConnection (instance));
    ASSERT_TRUE (waitForFullResend (unit));
    EXPECT_EQ (unit.getCode (1, Protocol::eq1Gain), 90);
    EXPECT_EQ ((int) setting (instance, ParamData::connectedDevSn), 17);
}

TEST_F (InstanceTest, ConnectingWithAnotherUnitWhileConnectedTakesItOnTheNextTick)
{
    addUnit (17);
    auto& other = addUnit (23);
    auto& instance = createInstance();
    ASSERT_TRUE (waitForListedUnits (2));

    // Not connected: the unit is taken at once.
    instance.connectWithDevice (17);
    EXPECT_TRUE (isConnected (instance));
    EXPECT_EQ (listedUnits(), (std::map<int, bool> { { 17, true }, { 23, false } }));

    const auto start = juce::Time::getMillisecondCounterHiRes();
    instance.connectWithDevice (23);
    EXPECT_EQ ((int) setting (instance, ParamData::connectedDevSn), 23);
    EXPECT_EQ (listedUnits(), (std::map<int, bool> { { 17, false }, { 23, false } }));
    EXPECT_TRUE (instance.isTimerRunning());

    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return listedUnits()[23]; }, 3000));
    EXPECT_GE (millisecondsSince (start), 900.0);
    EXPECT_TRUE (isConnected (instance));
    EXPECT_FALSE (listedUnits()[17]);
    EXPECT_TRUE (waitForFullResend (other));
}

TEST_F (InstanceTest, DisconnectGivesTheUnitUpAndALaterTickTakesItAgain)
{
    addUnit (17);
    auto& instance = createInstance();
    ASSERT_TRUE (waitForConnection (instance));

    instance.disconnect();
    EXPECT_EQ (instance.getBridge(), nullptr);
    EXPECT_FALSE (listedUnits()[17]);
    vqtest::drainMessageLoop();
    EXPECT_FALSE (isConnected (instance));

    ASSERT_TRUE (waitForConnection (instance));
    EXPECT_TRUE (listedUnits()[17]);
}

TEST_F (InstanceTest, TwoInstancesContendingForOneUnitTakeItInTurn)
{
    auto& unit = addUnit (17);
    auto& first = createInstance();
    ASSERT_TRUE (waitForConnection (first));

    auto& second = createInstance();
    CommandCounter commands;
    second.addCommandListener (&commands);
    vqtest::runMessageLoopFor (2200);

    // The taken unit is not free: no selector request, no connection.
    EXPECT_FALSE (isConnected (second));
    EXPECT_TRUE (commands.ids.isEmpty());
    EXPECT_EQ ((int) setting (second, ParamData::connectedDevSn), -1);

    second.getPlemvoParams().setParamValue (nullptr, ParamData::hpf1, 1.0f);
    unit.clearTraffic();
    second.removeCommandListener (&commands);
    destroy (first);

    ASSERT_TRUE (waitForConnection (second));
    EXPECT_EQ ((int) setting (second, ParamData::connectedDevSn), 17);
    ASSERT_TRUE (waitForFullResend (unit));
    EXPECT_EQ (unit.getCode (1, Protocol::highPass), 233);
}

TEST_F (InstanceTest, TwoInstancesRememberingTheSameUnitDoNotStealIt)
{
    addUnit (17);
    auto& first = createInstance();
    ASSERT_TRUE (waitForConnection (first));

    auto& second = createInstance();
    setSetting (second, ParamData::connectedDevSn, 17);
    second.connectWithDevice (17);
    vqtest::runMessageLoopFor (1500);

    EXPECT_TRUE (isConnected (first));
    EXPECT_FALSE (isConnected (second));
    ASSERT_NE (first.getBridge(), nullptr);
    EXPECT_EQ (juce::MidiManager::getInstance()->getConnectionList()->getFirst()->listener,
               static_cast<juce::MidiDevice::Listener*> (first.getBridge()));
}

TEST_F (InstanceTest, AllInstancesShareOneDeviceManagerThatGoesWithTheLast)
{
    auto& first = createInstance();
    auto* manager = juce::MidiManager::getInstanceWithoutCreating();
    ASSERT_NE (manager, nullptr);

    auto& second = createInstance();
    EXPECT_EQ (juce::MidiManager::getInstanceWithoutCreating(), manager);

    destroy (first);
    EXPECT_EQ (juce::MidiManager::getInstanceWithoutCreating(), manager);
    destroy (second);
    EXPECT_EQ (juce::MidiManager::getInstanceWithoutCreating(), nullptr);
}

// Units 10 and 17: a state saved on unit 17 moves an instance on unit 10 there when 17 is free, the
// settings naming the unit in use at every moment.
TEST_F (InstanceTest, AStateNamingAFreeUnitMovesAConnectedInstanceToItAndTheSettingsFollowAtEveryMoment)
{
    auto& unit10 = addUnit (10);
    auto& unit17 = addUnit (17);
    auto& a = createInstance();
    ASSERT_TRUE (waitForListedUnits (2));
    a.connectWithDevice (17);
    ASSERT_EQ (unitInUse (a), 17);
    const auto saved = stateOf (a);
    destroy (a);

    for (const auto& route : stateRoutes)
    {
        auto& b = createInstance(); // the only one, so with a new device manager that lists the units anew
        ASSERT_TRUE (waitForListedUnits (2));
        b.connectWithDevice (10);
        ASSERT_EQ (unitInUse (b), 10) << route.name;

        {
            // The watch goes before the instance it watches.
            ConnectionSettingsWatch watch (b);
            unit17.clearTraffic();

            route.apply (b, saved);
            watch.runFor (1200);

            EXPECT_EQ (watch.disagreements, 0) << route.name;
            EXPECT_TRUE (isConnected (b)) << route.name;
            EXPECT_EQ ((int) setting (b, ParamData::connectedDevSn), 17) << route.name;
            EXPECT_EQ (listedUnits(), (std::map<int, bool> { { 10, false }, { 17, true } })) << route.name;
            EXPECT_TRUE (waitForFullResend (unit17)) << route.name;

            // The host's automation goes to the unit the settings name.
            unit10.clearTraffic();
            unit17.clearTraffic();
            b.getParameters()[ParamData::hpf1]->setValueNotifyingHost (1.0f);
            vqtest::drainMessageLoop();
            EXPECT_TRUE (vqtest::runMessageLoopUntil ([&] { return ! idsSentTo (unit17).empty(); })) << route.name;
            EXPECT_TRUE (idsSentTo (unit10).empty()) << route.name;
        }

        destroy (b);
    }
}

// With unit 17 held by another instance, or no unit named at all, the instance keeps unit 10 and the
// settings go on naming it.
TEST_F (InstanceTest, AStateNamingATakenUnitOrNoneKeepsTheUnitInUseAndTheSettingsNameIt)
{
    auto& unit10 = addUnit (10);
    addUnit (17);
    auto& a = createInstance();
    ASSERT_TRUE (waitForListedUnits (2));
    const auto namingNone = stateOf (a);
    a.connectWithDevice (17);
    ASSERT_EQ (unitInUse (a), 17);
    const auto namingUnit17 = stateOf (a);

    auto& b = createInstance();
    b.connectWithDevice (10);
    ASSERT_EQ (unitInUse (b), 10);
    ConnectionSettingsWatch watch (b);

    for (const auto& route : stateRoutes)
    {
        for (const auto* state : { &namingUnit17, &namingNone })
        {
            route.apply (b, *state);
            watch.runFor (1200);

            EXPECT_EQ (watch.disagreements, 0) << route.name;
            EXPECT_TRUE (isConnected (b)) << route.name;
            EXPECT_EQ ((int) setting (b, ParamData::connectedDevSn), 10) << route.name;
            EXPECT_EQ (unitInUse (b), 10) << route.name;
            EXPECT_EQ (unitInUse (a), 17) << route.name;
        }
    }

    unit10.clearTraffic();
    b.getParameters()[ParamData::hpf1]->setValueNotifyingHost (1.0f);
    EXPECT_TRUE (vqtest::runMessageLoopUntil ([&] { return ! idsSentTo (unit10).empty(); }));

    // The state written now names the unit in use.
    auto& c = createInstance();
    setSetting (c, ParamData::shouldBeConnected, false);
    c.setStateInformation (stateOf (b).getData(), (int) stateOf (b).getSize());
    vqtest::drainMessageLoop();
    EXPECT_EQ ((int) setting (c, ParamData::connectedDevSn), 10);
}

// A drives unit 1 with the user's settings; B, added later, remembers no unit. The cable glitches, and
// whichever instance's connection step comes first once the unit is back, A gets it and sends its values.
TEST_F (InstanceTest, AfterAReplugAnInstanceThatRemembersNoUnitLeavesTheUnitToTheInstanceThatRemembersIt)
{
    for (const bool newcomerFirst : { true, false })
    {
        const auto order = newcomerFirst ? "B's step first" : "A's step first";
        auto& unit = addUnit (1);
        auto& a = createInstance();
        ASSERT_TRUE (waitForConnection (a)) << order;
        ASSERT_TRUE (waitForFullResend (unit)) << order;
        unit.clearTraffic();
        a.getPlemvoParams().setParamValue (nullptr, ParamData::lpf1, 0.5f);
        a.getPlemvoParams().setParamValue (nullptr, ParamData::eq1Gain1, 0.75f);
        ASSERT_TRUE (vqtest::runMessageLoopUntil (
            [&]
            {
                const auto ids = idsSentTo (unit);
                return std::count (ids.begin(), ids.end(), (int) Protocol::lowPass) > 0 &&
                       std::count (ids.begin(), ids.end(), (int) Protocol::eq1Gain) > 0;
            }))
            << order;
        ASSERT_EQ (unit.getCode (1, Protocol::eq1Gain), 90) << order;
        const auto lowPassOfA = unit.getCode (1, Protocol::lowPass);
        auto& b = createInstance();

        unit.unplug();
        ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return ! isConnected (a); })) << order;

        // The two connection steps are taken by hand, in the order under test.
        a.stopTimer();
        b.stopTimer();
        unit.clearTraffic();
        unit.plugIn();
        ASSERT_TRUE (waitForListedUnits (1)) << order;

        for (auto* instance : newcomerFirst ? std::vector { &b, &a } : std::vector { &a, &b })
            instance->timerCallback();

        EXPECT_TRUE (isConnected (a)) << order;
        EXPECT_FALSE (isConnected (b)) << order;
        EXPECT_EQ ((int) setting (b, ParamData::connectedDevSn), -1) << order;
        EXPECT_EQ (unitInUse (a), 1) << order;
        ASSERT_TRUE (waitForFullResend (unit)) << order;
        EXPECT_EQ (unit.getCode (1, Protocol::eq1Gain), 90) << order;
        EXPECT_EQ (unit.getCode (1, Protocol::lowPass), lowPassOfA) << order;

        destroy (b);
        destroy (a);
        units.clear();
        vqtest::drainMessageLoop();
    }
}

// B drives unit 2; a state saved on unit 1 with other values moves it to unit 1, which is free.
TEST_F (InstanceTest, AStateThatMovesAnInstanceToAnotherUnitSendsNothingToTheUnitItLeavesAndAllToTheNewOne)
{
    auto& unit1 = addUnit (1);
    auto& unit2 = addUnit (2);
    auto& a = createInstance();
    ASSERT_TRUE (waitForListedUnits (2));

    for (const auto index : { ParamData::eq1Gain1, ParamData::lpf1, ParamData::eq2Freq1 })
        a.getPlemvoParams().setParamValue (nullptr, index, 0.8f);

    // The state's codes are what its own connection sends: all of them, ending with the switches.
    a.connectWithDevice (1);
    ASSERT_EQ (unitInUse (a), 1);
    ASSERT_TRUE (waitForFullResend (unit1));
    const auto saved = stateOf (a);
    const auto codesOfState = channelCodes (unit1);
    destroy (a);

    for (const auto& route : stateRoutes)
    {
        for (const auto channel : { 1, 2 })
            for (const auto id : Protocol::channelControlIds)
                unit1.setCode (channel, id, 0);

        auto& b = createInstance();
        ASSERT_TRUE (waitForListedUnits (2)) << route.name;
        b.connectWithDevice (2);
        ASSERT_EQ (unitInUse (b), 2) << route.name;
        ASSERT_TRUE (waitForFullResend (unit2)) << route.name;
        vqtest::runMessageLoopFor (600);
        unit1.clearTraffic();
        unit2.clearTraffic();

        route.apply (b, saved);
        ASSERT_TRUE (waitForFullResend (unit1)) << route.name;
        vqtest::runMessageLoopFor (600);

        EXPECT_EQ (unitInUse (b), 1) << route.name;
        EXPECT_TRUE (idsSentTo (unit2).empty()) << route.name;
        EXPECT_EQ (channelCodes (unit1), codesOfState) << route.name;
        destroy (b);
    }
}

// Two free units and none remembered leave a selector request waiting for a window; once the choice
// is made or gone, a window that opens gets no selector.
TEST_F (InstanceTest, AWaitingSelectorRequestIsDroppedOnceTheInstanceIsConnectedOrNoLongerHasAChoice)
{
    struct Case
    {
        const char* what;
        std::function<void (PlemvoPluginInstance&, vqsim::SimulatedUnit& other)> change;
    };

    const Case cases[] {
        { "connected through the selector", [] (auto& instance, auto&) { instance.connectWithDevice (17); } },
        { "remembering a unit", [] (auto& instance, auto&) { setSetting (instance, ParamData::connectedDevSn, 23); } },
        { "one unit left", [] (auto&, auto& other) { other.unplug(); } },
    };

    for (const auto& c : cases)
    {
        addUnit (17);
        auto& other = addUnit (23);
        auto& instance = createInstance();
        ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return instance.hasPendingCommand(); }, 5000)) << c.what;

        c.change (instance, other);
        vqtest::runMessageLoopFor (1200);
        EXPECT_FALSE (instance.hasPendingCommand()) << c.what;

        // What a new window's menu bar would be sent.
        CommandCounter menuBarLookalike;
        instance.addCommandListener (&menuBarLookalike);
        instance.sendPendingCommand();
        vqtest::drainMessageLoop();
        EXPECT_TRUE (menuBarLookalike.ids.isEmpty()) << c.what;
        instance.removeCommandListener (&menuBarLookalike);

        destroy (instance);
        units.clear();
        vqtest::drainMessageLoop();
    }
}
