#include "InstanceFixture.h"

#include "Ids.h"
#include "MidiBridge.h"

using namespace instancetest;

namespace
{
double millisecondsSince (double start)
{
    return juce::Time::getMillisecondCounterHiRes() - start;
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
