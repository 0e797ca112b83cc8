#include "MidiLinkFixture.h"

using namespace vqtest;
using Direction = vqsim::SimulatedUnit::Direction;
using Call = vqsim::VirtualMidiSetup::Call;

namespace
{
class MidiManagerTest : public MidiLinkTest
{
protected:
    void SetUp() override
    {
        startManager();
        manager->addConnectionListListener (&listListener);
    }

    void TearDown() override
    {
        if (manager != nullptr)
            manager->removeConnectionListListener (&listListener);

        MidiLinkTest::TearDown();
    }

    // A device of another name plugged in: a setup change that makes the manager scan again.
    void causeScan()
    {
        setup.addDevice ("another device");
        setup.flush();
        drainMessageLoop();
    }

    CountingListListener listListener;
};

double millisecondsSince (double start)
{
    return juce::Time::getMillisecondCounterHiRes() - start;
}
} // namespace

TEST_F (MidiManagerTest, AnAnsweringUnitIsListedAtTheReplyTickAndTheListListenersAreToldOnce)
{
    auto& unit = addUnit (42);
    auto& listener = makeListener();
    const auto start = juce::Time::getMillisecondCounterHiRes();
    unit.plugIn();

    ASSERT_TRUE (waitForUnits (1));
    EXPECT_GE (millisecondsSince (start), 450.0);
    drainMessageLoop();
    EXPECT_EQ (listListener.calls, 1);

    int serialNo = -1;
    ASSERT_TRUE (manager->connectIfOneDevice (&listener, serialNo));
    EXPECT_EQ (serialNo, 42);
    ASSERT_NE (listener.device, nullptr);
    EXPECT_EQ (listener.device->getSerialNo(), 42);

    const auto list = manager->getConnectionList();
    ASSERT_EQ (list->size(), 1);
    EXPECT_EQ (list->getUnchecked (0)->connectionState, juce::MidiManager::ConnectionStatus::taken);
    EXPECT_EQ (list->getUnchecked (0)->listener, &listener);
}

TEST_F (MidiManagerTest, OnlyOnlineDevicesNamedExactlyAsTheUnitAreOpened)
{
    std::vector<vqsim::SimulatedUnit*> lookalikes;

    for (const auto* name :
         { "kestova plem vo", "Kestova PLEM VO ", "Kestova PLEM VO 2", "Kestova PLEMVO", " Kestova PLEM VO" })
    {
        lookalikes.push_back (&addUnit (10 + (int) lookalikes.size(), name));
        lookalikes.back()->plugIn();
    }

    auto& offline = addUnit (20);
    offline.plugIn();
    setup.setOffline (offline.getDevice(), true);

    addUnit (1).plugIn();
    ASSERT_TRUE (waitForUnits (1));
    setup.flush();

    EXPECT_EQ (listedSerialNumbers(), std::vector<int> { 1 });
    EXPECT_EQ (setup.countPorts(), 1);

    for (auto* lookalike : lookalikes)
        EXPECT_TRUE (lookalike->getTraffic (Direction::toUnit).empty());

    // Back online, it is a unit like any other.
    setup.setOffline (offline.getDevice(), false);
    ASSERT_TRUE (waitForUnits (2));
}

TEST_F (MidiManagerTest, OfTwoFreeUnitsNeitherIsTakenWithoutItsSerialNumber)
{
    addUnit (1).plugIn();
    addUnit (2).plugIn();
    ASSERT_TRUE (waitForUnits (2));
    drainMessageLoop();
    EXPECT_EQ (listListener.calls, 1); // both answered within one tick

    auto& first = makeListener();
    auto& second = makeListener();
    int serialNo = -1;
    EXPECT_FALSE (manager->connectIfOneDevice (&first, serialNo));
    EXPECT_EQ (serialNo, -1);
    EXPECT_EQ (first.device, nullptr);

    ASSERT_TRUE (manager->connectIfSerialNo (2, &first));
    EXPECT_EQ (first.device->getSerialNo(), 2);

    // Now exactly one is free.
    ASSERT_TRUE (manager->connectIfOneDevice (&second, serialNo));
    EXPECT_EQ (serialNo, 1);
    EXPECT_FALSE (manager->connectIfSerialNo (1, &makeListener()));
}

TEST_F (MidiManagerTest, TwoUnitsWithOneSerialNumberAreTakenOneAfterTheOther)
{
    addUnit (5).plugIn();
    addUnit (5).plugIn();
    ASSERT_TRUE (waitForUnits (2));

    auto& first = makeListener();
    auto& second = makeListener();
    ASSERT_TRUE (manager->connectIfSerialNo (5, &first));
    ASSERT_TRUE (manager->connectIfSerialNo (5, &second));
    EXPECT_NE (first.device, second.device);
    EXPECT_FALSE (manager->connectIfSerialNo (5, &makeListener()));

    // Each one's values reach its own listener only.
    units[0]->turnControl (1, 11);
    units[1]->turnControl (1, 22);
    setup.flush();
    EXPECT_EQ (first.takeReceived(), (std::vector<Value> { { 1, 11 } }));
    EXPECT_EQ (second.takeReceived(), (std::vector<Value> { { 1, 22 } }));
}

TEST_F (MidiManagerTest, AUnitThatAnswersAfterTheReplyTimeIsListedWhenItsAnswerArrives)
{
    auto& late = addUnit (2);
    late.setReplyDelay (std::chrono::milliseconds (700));
    const auto start = juce::Time::getMillisecondCounterHiRes();
    late.plugIn();

    ASSERT_TRUE (waitForUnits (1));
    EXPECT_GE (millisecondsSince (start), 650.0);
    EXPECT_EQ (listedSerialNumbers(), std::vector<int> { 2 });
    drainMessageLoop();
    EXPECT_EQ (listListener.calls, 1);
}

TEST_F (MidiManagerTest, ASilentUnitIsNotListedButAskedAgainWhilePresentAndListedOnceItAnswers)
{
    auto& unit = addUnit (4);
    unit.setAnswersQueries (false);
    const auto start = juce::Time::getMillisecondCounterHiRes();
    unit.plugIn();

    runMessageLoopFor (1200);
    EXPECT_EQ (countUnits(), 0);
    EXPECT_EQ (listListener.calls, 0);
    EXPECT_EQ (setup.countPorts(), 1) << "the unit stays open for its answer";

    unit.setAnswersQueries (true);
    ASSERT_TRUE (waitForUnits (1, 5000));
    EXPECT_GE (millisecondsSince (start), 1900.0);
    EXPECT_EQ (listedSerialNumbers(), std::vector<int> { 4 });
    EXPECT_EQ (unit.getTraffic (Direction::toUnit).size(), 2u);
}

TEST_F (MidiManagerTest, AConnectedUnitThatIsUnpluggedIsTakenAwayAndTakenAgainWhenPluggedBackIn)
{
    auto& unit = addUnit (8);
    auto& listener = makeListener();
    connect (unit, listener, 8);
    drainMessageLoop();
    listListener.calls = 0;

    unit.unplug();
    ASSERT_TRUE (waitForUnits (0));
    EXPECT_EQ (listener.connectionCallbacks, std::vector<bool> { false });
    drainMessageLoop();
    EXPECT_EQ (listListener.calls, 1);
    EXPECT_EQ (setup.countPorts(), 0);

    auto& again = makeListener();
    connect (unit, again, 8);
    unit.turnControl (3, 99);
    setup.flush();
    EXPECT_EQ (again.takeReceived(), (std::vector<Value> { { 3, 99 } }));
    EXPECT_TRUE (listener.takeReceived().empty());
}

TEST_F (MidiManagerTest, AConnectedUnitThatGoesOfflineIsTakenAway)
{
    auto& unit = addUnit (8);
    auto& listener = makeListener();
    connect (unit, listener, 8);

    setup.setOffline (unit.getDevice(), true);
    ASSERT_TRUE (waitForUnits (0));
    EXPECT_EQ (listener.connectionCallbacks, std::vector<bool> { false });
}

TEST_F (MidiManagerTest, AUnitWhoseStateCannotBeReadIsAbsentAtThatScan)
{
    auto& unit = addUnit (8);
    auto& listener = makeListener();
    connect (unit, listener, 8);

    setup.failCall (Call::objectGetIntegerProperty, kMIDIUnknownProperty, -1);
    causeScan();
    ASSERT_TRUE (waitForUnits (0));
    EXPECT_EQ (listener.connectionCallbacks, std::vector<bool> { false });

    setup.clearFailures();
    causeScan();
    ASSERT_TRUE (waitForUnits (1));
}

TEST_F (MidiManagerTest, ANameThatCannotBeConvertedMakesNoUnit)
{
    setup.failCall (Call::stringGetCString);
    auto& unit = addUnit (8);
    unit.plugIn();
    setup.flush();
    drainMessageLoop();
    EXPECT_EQ (setup.countPorts(), 0);

    causeScan();
    ASSERT_TRUE (waitForUnits (1));
}

TEST_F (MidiManagerTest, DisconnectFreesTheUnitAndTellsItsListenerOnly)
{
    auto& unit = addUnit (4);
    auto& listener = makeListener();
    auto& stranger = makeListener();
    connect (unit, listener, 4);
    drainMessageLoop();
    listListener.calls = 0;

    // A listener without a unit changes nothing and nobody hears of it.
    manager->disconnect (&stranger);
    manager->disconnect (nullptr);
    drainMessageLoop();
    EXPECT_EQ (listListener.calls, 0);
    EXPECT_TRUE (stranger.connectionCallbacks.empty());

    manager->disconnect (&listener);
    EXPECT_EQ (listener.connectionCallbacks, std::vector<bool> { false });
    drainMessageLoop();
    EXPECT_EQ (listListener.calls, 1);
    EXPECT_EQ (manager->getConnectionList()->getUnchecked (0)->connectionState,
               juce::MidiManager::ConnectionStatus::free);

    unit.turnControl (1, 5);
    setup.flush();
    EXPECT_TRUE (listener.takeReceived().empty());
}

TEST_F (MidiManagerTest, NoListenerTakesNoUnit)
{
    addUnit (4).plugIn();
    ASSERT_TRUE (waitForUnits (1));

    int serialNo = -1;
    EXPECT_FALSE (manager->connectIfOneDevice (nullptr, serialNo));
    EXPECT_FALSE (manager->connectIfSerialNo (4, nullptr));
    EXPECT_EQ (manager->getConnectionList()->getUnchecked (0)->connectionState,
               juce::MidiManager::ConnectionStatus::free);
}

TEST_F (MidiManagerTest, ChangesCloseTogetherAreToldInOneBatch)
{
    addUnit (1).plugIn();
    addUnit (2).plugIn();
    ASSERT_TRUE (waitForUnits (2));
    drainMessageLoop();
    listListener.calls = 0;

    CountingListListener second;
    manager->addConnectionListListener (&second);
    manager->addConnectionListListener (&second);

    ASSERT_TRUE (manager->connectIfSerialNo (1, &makeListener()));
    ASSERT_TRUE (manager->connectIfSerialNo (2, &makeListener()));
    drainMessageLoop();
    EXPECT_EQ (listListener.calls, 1);
    EXPECT_EQ (second.calls, 2); // added twice, told twice

    manager->removeConnectionListListener (&second);
    manager->disconnect (listeners[0].get());
    drainMessageLoop();
    EXPECT_EQ (second.calls, 2);
}

//==============================================================================
TEST_F (MidiManagerTest, AUnitStillWaitingForItsAnswerIsNotOpenedAgainByASecondScan)
{
    auto& unit = addUnit (6);
    unit.setReplyDelay (std::chrono::milliseconds (200));
    unit.plugIn();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return setup.countPorts() == 1; }));

    causeScan();
    EXPECT_EQ (setup.countPorts(), 1);
    EXPECT_EQ (unit.getTraffic (Direction::toUnit).size(), 1u);

    ASSERT_TRUE (waitForUnits (1));
    runMessageLoopFor (600);
    EXPECT_EQ (listedSerialNumbers(), std::vector<int> { 6 });

    int serialNo = -1;
    EXPECT_TRUE (manager->connectIfOneDevice (&makeListener(), serialNo));
    EXPECT_FALSE (manager->connectIfSerialNo (6, &makeListener()));
}

TEST_F (MidiManagerTest, AUnitThatAnsweredAndVanishedWithinTheReplyTimeIsNeverListed)
{
    auto& unit = addUnit (6);
    unit.plugIn();
    ASSERT_TRUE (runMessageLoopUntil ([&unit] { return ! unit.getTraffic (Direction::fromUnit).empty(); }));

    unit.unplug();
    runMessageLoopFor (700);
    EXPECT_EQ (countUnits(), 0);
    EXPECT_EQ (listListener.calls, 0);
    EXPECT_EQ (setup.countPorts(), 0);
}

//==============================================================================
TEST_F (MidiManagerTest, TheManagerLivesFromTheFirstInstanceToTheLast)
{
    ASSERT_TRUE (manager->isInitialised());
    EXPECT_EQ (juce::MidiManager::getInstance(), manager);
    manager->registerPluginInstance ({ juce::VqSysexProtocol::unitDeviceName });

    auto& unit = addUnit (3);
    auto& listener = makeListener();
    connect (unit, listener, 3);

    manager->unregisterPluginInstance();
    EXPECT_EQ (juce::MidiManager::getInstanceWithoutCreating(), manager);
    EXPECT_TRUE (listener.connectionCallbacks.empty());

    manager->removeConnectionListListener (&listListener);
    manager->unregisterPluginInstance();
    manager = nullptr;
    EXPECT_EQ (juce::MidiManager::getInstanceWithoutCreating(), nullptr);
    EXPECT_EQ (listener.connectionCallbacks, std::vector<bool> { false });
    EXPECT_EQ (setup.countPorts(), 0);
    EXPECT_EQ (setup.countClients(), 0);

    // The next instance makes a new one that finds the unit again.
    startManager();
    ASSERT_TRUE (waitForUnits (1));
}

TEST_F (MidiManagerTest, AManagerDeletedWhileUnitsWaitForTheirAnswerLeavesNoPortBehind)
{
    auto& unit = addUnit (3);
    unit.setAnswersQueries (false);
    unit.plugIn();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return setup.countPorts() == 1; }));

    manager->removeConnectionListListener (&listListener);
    manager->unregisterPluginInstance();
    manager = nullptr;
    EXPECT_EQ (setup.countPorts(), 0);
    EXPECT_EQ (setup.countClients(), 0);
}

TEST_F (MidiLinkTest, WithoutAMidiClientNoUnitIsEverListed)
{
    auto& unit = addUnit (1);
    unit.plugIn();
    setup.failCall (Call::clientCreate);
    startManager();

    runMessageLoopFor (700);
    EXPECT_EQ (countUnits(), 0);
    EXPECT_TRUE (unit.getTraffic (Direction::toUnit).empty());
}
