#include "MidiLinkFixture.h"

#include <atomic>
#include <condition_variable>
#include <future>
#include <thread>

using namespace vqtest;
using Protocol = juce::VqSysexProtocol;

namespace
{
class ListenerHandOverTest : public MidiLinkTest
{
protected:
    void SetUp() override { startManager(); }

    MIDIEndpointRef plugInUnit (int serialNo)
    {
        auto& unit = addUnit (serialNo);
        unit.plugIn();
        EXPECT_TRUE (waitForUnits (1));
        return setup.getSource (unit.getDevice());
    }

    static Bytes valueMessage (int id, int value)
    {
        const auto message = Protocol::makeParameterMessage (0, Protocol::commandSelectedChannel, id, value);
        return { message.begin(), message.end() };
    }
};

/** Holds its first delivery until released, and notes whether it was told of the loss meanwhile. */
class BlockingListener : public RecordingListener
{
public:
    void paramReceived (int, int) override
    {
        running = true;
        entered.set_value();
        release.get_future().wait();
        running = false;
    }

    void hidConnectionCallback (bool connected) override
    {
        toldWhileRunning = running.load();
        {
            const std::lock_guard<std::mutex> guard (lock);
            told = true;
        }
        toldChanged.notify_all();
        RecordingListener::hidConnectionCallback (connected);
    }

    // Waits a while for the loss to be told, which must not happen while the delivery runs.
    void releaseWhenToldOrAfter (std::chrono::milliseconds patience)
    {
        std::unique_lock<std::mutex> guard (lock);
        toldChanged.wait_for (guard, patience, [this] { return told; });
        release.set_value();
    }

    std::promise<void> entered, release;
    std::atomic<bool> running { false }, toldWhileRunning { false };

private:
    std::mutex lock;
    std::condition_variable toldChanged;
    bool told = false;
};
} // namespace

TEST_F (ListenerHandOverTest, ADeliveryHeldBeforeTheListenerIsClearedNeverReachesIt)
{
    const auto source = plugInUnit (3);
    auto& listener = makeListener();
    ASSERT_TRUE (manager->connectIfSerialNo (3, &listener));

    setup.holdNextDelivery();
    setup.emit (source, valueMessage (1, 10));
    setup.waitForHeldDelivery();

    manager->disconnect (&listener);
    setup.releaseHeldDelivery();
    setup.flush();

    EXPECT_TRUE (listener.takeReceived().empty());
    EXPECT_EQ (listener.connectionCallbacks, std::vector<bool> { false });
}

TEST_F (ListenerHandOverTest, ClearingAListenerWaitsForTheDeliveryToItThatIsRunning)
{
    const auto source = plugInUnit (3);
    BlockingListener listener;
    ASSERT_TRUE (manager->connectIfSerialNo (3, &listener));

    setup.emit (source, valueMessage (1, 10));
    listener.entered.get_future().wait();

    std::thread releaser ([&listener] { listener.releaseWhenToldOrAfter (std::chrono::milliseconds (300)); });
    manager->disconnect (&listener);
    releaser.join();

    EXPECT_FALSE (listener.running);
    EXPECT_FALSE (listener.toldWhileRunning);
    EXPECT_EQ (listener.connectionCallbacks, std::vector<bool> { false });
}

TEST_F (ListenerHandOverTest, NoValueReachesAListenerWhileItIsBeingAttached)
{
    struct AttachingListener : public RecordingListener
    {
        void setConnectedMidiDevice (juce::MidiDevice* newDevice) override
        {
            RecordingListener::setConnectedMidiDevice (newDevice);

            // As the bridge does: the channel mode goes out, which the unit answers with its switches.
            newDevice->setValue (Protocol::channelMode, Protocol::channel1Selected, false);
            setup->emit (source, valueMessage (1, 10));
            setup->flush();
            receivedWhileAttaching = ! takeReceived().empty();
        }

        vqsim::VirtualMidiSetup* setup = nullptr;
        MIDIEndpointRef source = 0;
        bool receivedWhileAttaching = false;
    };

    auto& unit = addUnit (3);
    unit.setCode (1, Protocol::switches, Protocol::engageBit);
    unit.plugIn();
    ASSERT_TRUE (waitForUnits (1));

    AttachingListener listener;
    listener.setup = &setup;
    listener.source = setup.getSource (unit.getDevice());
    ASSERT_TRUE (manager->connectIfSerialNo (3, &listener));
    EXPECT_FALSE (listener.receivedWhileAttaching);

    // The unit's answer to what was sent while attaching is not lost.
    setup.flush();
    EXPECT_EQ (listener.takeReceived(), (std::vector<Value> { { Protocol::switches, Protocol::engageBit } }));
    manager->disconnect (&listener);
}

//==============================================================================
namespace
{
/** What happens to each listener of the stress test, kept apart from the listeners themselves so
    that it can still be read after they are deleted. */
enum class Stage
{
    created,
    attaching,
    attached,
    told,
    deleted
};

struct StressRecord
{
    // Allocated up front: the MIDI thread reads entries while the message thread uses new ones.
    std::vector<std::atomic<Stage>> stages = std::vector<std::atomic<Stage>> (100000);
    std::size_t used = 0;
    std::atomic<int> delivered { 0 }, misdelivered { 0 };
};

class StressListener : public juce::MidiDevice::Listener
{
public:
    StressListener (StressRecord& recordToUse, std::size_t indexToUse)
        : record (recordToUse),
          index (indexToUse)
    {
    }

    ~StressListener() override { record.stages[index] = Stage::deleted; }

    void setConnectedMidiDevice (juce::MidiDevice* device) override
    {
        if (device == nullptr)
            return;

        record.stages[index] = Stage::attaching;
        std::this_thread::yield(); // give a wrong delivery the chance to come in
        record.stages[index] = Stage::attached;
    }

    void hidConnectionCallback (bool) override { record.stages[index] = Stage::told; }

    void paramReceived (int, int) override
    {
        ++(record.stages[index] == Stage::attached ? record.delivered : record.misdelivered);
    }

private:
    StressRecord& record;
    const std::size_t index;
};
} // namespace

TEST_F (ListenerHandOverTest, ThousandsOfValuesWhileListenersComeAndGoReachOnlyAttachedListeners)
{
    constexpr int numMessages = 5000;
    const auto source = plugInUnit (7);
    StressRecord record;
    std::atomic<bool> sent { false }, stopped { false }, deliverWhileAttached { false };
    std::atomic<std::size_t> cycles { 0 };

    // Asked for by the message thread while it holds a listener attached: one value sent and
    // delivered before the listener may go, so that deliveries to attached listeners do not depend
    // on how the machine happens to schedule the two threads.
    auto deliverIfAsked = [&] (int i)
    {
        if (! deliverWhileAttached)
            return;

        setup.emit (source, valueMessage (1 + i % 15, (i + 128) % 256));
        setup.flush();
        deliverWhileAttached = false;
    };

    // Bursts of values, each once the message thread has gone round at least once more, so that
    // the two interleave however the machine schedules them.
    std::thread sender (
        [&]
        {
            for (int i = 0; i < numMessages; ++i)
            {
                deliverIfAsked (i);
                setup.emit (source, valueMessage (1 + i % 15, i % 256));

                if (i % 50 == 49)
                {
                    const auto seen = cycles.load();

                    while (cycles.load() == seen && ! stopped)
                    {
                        deliverIfAsked (i);
                        std::this_thread::yield();
                    }
                }
            }

            setup.flush();
            sent = true;
        });

    while (! sent && record.used < record.stages.size())
    {
        auto listener = std::make_unique<StressListener> (record, record.used++);

        if (! manager->connectIfSerialNo (7, listener.get()))
        {
            ADD_FAILURE() << "the unit could not be taken";
            break;
        }

        // The first cycle is always served: the sender needs many more cycles before it is done.
        if (record.used % 100 == 1)
        {
            deliverWhileAttached = true;

            while (deliverWhileAttached && ! sent)
                std::this_thread::yield();
        }

        for (auto i = record.used % 4; i > 0; --i)
            std::this_thread::yield();

        // As a plug-in instance gives its bridge up: disconnect, no device, delete.
        manager->disconnect (listener.get());
        listener->setConnectedMidiDevice (nullptr);
        listener.reset();
        ++cycles;
    }

    stopped = true;
    sender.join();
    setup.flush();

    EXPECT_EQ (record.misdelivered, 0);
    EXPECT_GT (record.delivered, 0);
    EXPECT_GE (record.used, (std::size_t) numMessages / 50);
}
