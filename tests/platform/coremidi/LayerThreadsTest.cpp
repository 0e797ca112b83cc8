#include "LayerRecorder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>

using vqsim::VirtualMidiSetup;
using vqsim::test::LayerRecorder;

namespace
{
class LayerThreads : public ::testing::Test
{
protected:
    VirtualMidiSetup setup;
    LayerRecorder recorder;
    MIDIDeviceRef device = setup.addDevice ("A");
    MIDIEndpointRef source = setup.getSource (device);

    void SetUp() override { ASSERT_EQ (MIDIPortConnectSource (recorder.port, source, &source), noErr); }
};

void countCompletion (MIDISysexSendRequest* request)
{
    auto& completions = *static_cast<std::atomic<int>*> (request->completionRefCon);
    completions += VirtualMidiSetup::isLayerThread() && request->complete ? 1 : 100;
}
} // namespace

TEST_F (LayerThreads, InputReachesTheReadProcedureOnTheLayersThreadWithTheConnectionReference)
{
    setup.emit (source, { 0xF0, 0x01, 0xF7 });
    setup.flush();

    const auto deliveries = recorder.getDeliveries();
    ASSERT_EQ (deliveries.size(), 1u);
    EXPECT_EQ (deliveries[0].packets, (std::vector<VirtualMidiSetup::Bytes> { { 0xF0, 0x01, 0xF7 } }));
    EXPECT_EQ (deliveries[0].connRefCon, &source);
    EXPECT_FALSE (recorder.calledOnCallerThread());
}

TEST_F (LayerThreads, InjectedPacketListsArriveExactlyAsLaidOut)
{
    const std::vector<VirtualMidiSetup::Bytes> packets { { 0xF0, 0x00, 0x12 },
                                                         { 0x34, 0x05, 0x04, 0xF7 },
                                                         {},
                                                         { 0xF0, 0x01, 0xF7, 0xF0, 0x02, 0xF7 },
                                                         VirtualMidiSetup::Bytes (1000, 0x55) };
    setup.injectPacketList (source, packets);
    setup.flush();

    ASSERT_EQ (recorder.getDeliveries().size(), 1u);
    EXPECT_EQ (recorder.getDeliveries()[0].packets, packets);
}

TEST_F (LayerThreads, EveryAddRemoveAndOfflineChangeIsFollowedByASetupChangeOnTheLayersThread)
{
    setup.flush();
    const auto before = recorder.countSetupChanges();

    const auto other = setup.addDevice ("B");
    setup.setOffline (other, true);
    setup.removeDevice (other);
    setup.flush();

    EXPECT_EQ (recorder.countSetupChanges(), before + 3);
    EXPECT_EQ (recorder.getNotifications().back(), kMIDIMsgSetupChanged);
    EXPECT_FALSE (recorder.calledOnCallerThread());
}

TEST_F (LayerThreads, ADisposedClientIsNotNotifiedAnyMore)
{
    setup.flush();
    const auto before = recorder.countSetupChanges();

    MIDIClientDispose (recorder.client);
    setup.addDevice ("B");
    setup.flush();

    EXPECT_EQ (recorder.countSetupChanges(), before);
}

TEST_F (LayerThreads, SentBytesReachTheDestinationAndTheCompletionRunsOnTheLayersThread)
{
    std::atomic<int> completions { 0 };
    std::vector<Byte> bytes { 0xF0, 0x00, 0x12, 0x34, 0x00, 0x04, 0xF7 };
    std::vector<MIDISysexSendRequest> requests (50);

    for (auto& r : requests)
    {
        r.destination = setup.getDestination (device);
        r.data = bytes.data();
        r.bytesToSend = static_cast<UInt32> (bytes.size());
        r.completionProc = countCompletion;
        r.completionRefCon = &completions;
        ASSERT_EQ (MIDISendSysex (&r), noErr);
    }

    setup.flush();
    EXPECT_EQ (completions, 50);
    EXPECT_EQ (setup.getReceived (setup.getDestination (device)).size(), 50u);
    EXPECT_EQ (setup.getReceived (setup.getDestination (device)).back(), bytes);
}

TEST_F (LayerThreads, ARequestToADestinationRemovedInFlightStillCompletes)
{
    std::atomic<int> completions { 0 };
    const Byte bytes[] = { 0xF0, 0xF7 };
    MIDISysexSendRequest r {};
    r.destination = setup.getDestination (device);
    r.data = bytes;
    r.bytesToSend = 2;
    r.completionProc = countCompletion;
    r.completionRefCon = &completions;

    setup.setByteRate (device, 100); // 20 ms on the cable
    ASSERT_EQ (MIDISendSysex (&r), noErr);
    setup.removeDevice (device);
    setup.flushScheduled();

    EXPECT_EQ (completions, 1);
}

//==============================================================================
TEST_F (LayerThreads, DisconnectWaitsForARunningReadProcedureAndNothingIsDeliveredAfterIt)
{
    std::atomic<bool> disconnected { false };
    std::atomic<bool> readWhileDisconnected { false };
    recorder.onRead = [&] { readWhileDisconnected = readWhileDisconnected || disconnected; };

    setup.holdNextDelivery();
    setup.emit (source, { 0xF0, 0x01, 0xF7 });
    setup.waitForHeldDelivery();

    auto detach = std::async (std::launch::async,
                              [&]
                              {
                                  const auto status = MIDIPortDisconnectSource (recorder.port, source);
                                  disconnected = true;
                                  return status;
                              });

    setup.waitForWaitingCalls (1);
    EXPECT_FALSE (disconnected);
    EXPECT_TRUE (recorder.getDeliveries().empty());

    setup.releaseHeldDelivery();
    EXPECT_EQ (detach.get(), noErr);
    EXPECT_EQ (recorder.getDeliveries().size(), 1u); // the held one ran to its end before the return

    setup.emit (source, { 0xF0, 0x02, 0xF7 });
    setup.flush();
    EXPECT_EQ (recorder.getDeliveries().size(), 1u);
    EXPECT_FALSE (readWhileDisconnected);
}

TEST_F (LayerThreads, DisposeWaitsForARunningReadProcedure)
{
    setup.holdNextDelivery();
    setup.emit (source, { 0xF0, 0x01, 0xF7 });
    setup.waitForHeldDelivery();

    std::atomic<bool> disposed { false };
    auto dispose = std::async (std::launch::async,
                               [&]
                               {
                                   const auto status = MIDIPortDispose (recorder.port);
                                   disposed = true;
                                   return status;
                               });

    setup.waitForWaitingCalls (1);
    EXPECT_FALSE (disposed);

    setup.releaseHeldDelivery();
    EXPECT_EQ (dispose.get(), noErr);
    EXPECT_EQ (recorder.getDeliveries().size(), 1u);

    setup.emit (source, { 0xF0, 0x02, 0xF7 });
    setup.flush();
    EXPECT_EQ (recorder.getDeliveries().size(), 1u);
}

TEST_F (LayerThreads, AReadProcedureMayDisconnectItsOwnPortWithoutWaitingForItself)
{
    recorder.onRead = [&] { EXPECT_EQ (MIDIPortDisconnectSource (recorder.port, source), noErr); };

    setup.injectPacketList (source, { { 0x90, 0x40, 0x7F } });
    setup.emit (source, { 0x80, 0x40, 0x00 });
    setup.flush();

    EXPECT_EQ (recorder.getDeliveries().size(), 1u);
}

TEST_F (LayerThreads, DeliveriesFromThousandsOfEmitsArriveInOrder)
{
    for (int i = 0; i < 2000; ++i)
        setup.emit (source, { 0xF0, static_cast<Byte> (i & 0x7F), static_cast<Byte> (i >> 7), 0xF7 });

    setup.flush();
    const auto deliveries = recorder.getDeliveries();
    ASSERT_EQ (deliveries.size(), 2000u);

    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ (deliveries[static_cast<std::size_t> (i)].packets[0][1] +
                       128 * deliveries[static_cast<std::size_t> (i)].packets[0][2],
                   i);
}

//==============================================================================
TEST (LayerClock, TheManualClockRunsDelayedWorkOnlyWhenAdvancedAndInOrderOfTime)
{
    VirtualMidiSetup setup (VirtualMidiSetup::ClockMode::manual);
    std::vector<int> order;
    std::mutex lock;
    auto note = [&] (int n)
    {
        return [&, n]
        {
            const std::lock_guard<std::mutex> guard (lock);
            order.push_back (n);
        };
    };

    setup.runAfter (std::chrono::milliseconds (300), note (3));
    setup.runAfter (std::chrono::milliseconds (100), note (1));
    setup.runAfter (std::chrono::milliseconds (200), note (2));
    setup.flush();
    EXPECT_TRUE (order.empty());

    setup.advanceTime (std::chrono::milliseconds (250));
    EXPECT_EQ (order, (std::vector<int> { 1, 2 }));
    EXPECT_EQ (setup.now(), std::chrono::milliseconds (250));

    setup.advanceTime (std::chrono::milliseconds (50));
    EXPECT_EQ (order, (std::vector<int> { 1, 2, 3 }));
}

TEST (LayerClock, AByteRateDelaysEachMessageByItsLengthAfterThePreviousOne)
{
    VirtualMidiSetup setup (VirtualMidiSetup::ClockMode::manual);
    LayerRecorder recorder;
    const auto device = setup.addDevice ("A");
    MIDIPortConnectSource (recorder.port, setup.getSource (device), nullptr);
    setup.setByteRate (device, 1000); // 10 bytes take 10 ms

    setup.emit (setup.getSource (device), VirtualMidiSetup::Bytes (10, 0));
    setup.emit (setup.getSource (device), VirtualMidiSetup::Bytes (10, 0));
    setup.flush();
    EXPECT_TRUE (recorder.getDeliveries().empty());

    setup.advanceTime (std::chrono::milliseconds (10));
    EXPECT_EQ (recorder.getDeliveries().size(), 1u);
    setup.advanceTime (std::chrono::milliseconds (9));
    EXPECT_EQ (recorder.getDeliveries().size(), 1u);
    setup.advanceTime (std::chrono::milliseconds (1));
    EXPECT_EQ (recorder.getDeliveries().size(), 2u);
}

//==============================================================================
TEST (LayerClients, EveryPortConnectedToASourceGetsItsInputAndEveryClientItsNotifications)
{
    VirtualMidiSetup setup;
    LayerRecorder first, second;
    const auto device = setup.addDevice ("A");
    MIDIPortConnectSource (first.port, setup.getSource (device), nullptr);
    MIDIPortConnectSource (second.port, setup.getSource (device), nullptr);

    setup.emit (setup.getSource (device), { 0xF8 });
    setup.flush();

    EXPECT_EQ (first.getDeliveries().size(), 1u);
    EXPECT_EQ (second.getDeliveries().size(), 1u);
    EXPECT_EQ (first.countSetupChanges(), 1);
    EXPECT_EQ (second.countSetupChanges(), 1);
}

namespace
{
struct BlockingNotification
{
    std::promise<void> entered, release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> calls { 0 };

    static void notify (const MIDINotification*, void* refCon)
    {
        auto& self = *static_cast<BlockingNotification*> (refCon);

        if (self.calls++ == 0)
        {
            self.entered.set_value();
            self.released.wait();
        }
    }
};
} // namespace

TEST (LayerClients, ClientDisposeWaitsForARunningNotificationAndNoneFollowsIt)
{
    VirtualMidiSetup setup;
    BlockingNotification blocking;
    MIDIClientRef client = 0;
    ASSERT_EQ (MIDIClientCreate (CFSTR ("c"), BlockingNotification::notify, &blocking, &client), noErr);

    setup.addDevice ("A"); // two notifications: object added, then setup changed
    blocking.entered.get_future().wait();

    std::atomic<bool> disposed { false };
    auto dispose = std::async (std::launch::async,
                               [&]
                               {
                                   const auto status = MIDIClientDispose (client);
                                   disposed = true;
                                   return status;
                               });

    setup.waitForWaitingCalls (1);
    EXPECT_FALSE (disposed);
    blocking.release.set_value();

    EXPECT_EQ (dispose.get(), noErr);
    setup.flush();
    EXPECT_EQ (blocking.calls, 1);
}
