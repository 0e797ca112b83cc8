#pragma once

#include "PacketListBuffer.h"
#include "VirtualMidiSetup.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace vqsim::test
{
/** A client of the layer with one input port that records what its procedures are called with and on
    which thread. */
class LayerRecorder
{
public:
    struct Delivery
    {
        std::vector<PacketListBuffer::Packet> packets;
        void* connRefCon;
        std::thread::id thread;
    };

    LayerRecorder()
    {
        client = createClient (this);
        MIDIInputPortCreate (client, CFSTR ("input"), &LayerRecorder::read, this, &port);
    }

    ~LayerRecorder()
    {
        MIDIPortDispose (port);
        MIDIClientDispose (client);
    }

    static MIDIClientRef createClient (LayerRecorder* recorder)
    {
        MIDIClientRef c = 0;
        MIDIClientCreate (CFSTR ("recorder"), &LayerRecorder::notify, recorder, &c);
        return c;
    }

    std::vector<Delivery> getDeliveries() const
    {
        const std::lock_guard<std::mutex> guard (lock);
        return deliveries;
    }

    std::vector<MIDINotificationMessageID> getNotifications() const
    {
        const std::lock_guard<std::mutex> guard (lock);
        return notifications;
    }

    int countSetupChanges() const
    {
        int n = 0;

        for (auto id : getNotifications())
            n += id == kMIDIMsgSetupChanged ? 1 : 0;

        return n;
    }

    bool calledOnCallerThread() const
    {
        const std::lock_guard<std::mutex> guard (lock);
        return sawCallerThread;
    }

    /** Runs inside the read procedure, before it records the delivery. */
    std::function<void()> onRead;

    MIDIClientRef client = 0;
    MIDIPortRef port = 0;
    const std::thread::id callerThread = std::this_thread::get_id();

private:
    static void read (const MIDIPacketList* list, void* refCon, void* connRefCon)
    {
        auto& self = *static_cast<LayerRecorder*> (refCon);

        if (self.onRead)
            self.onRead();

        const std::lock_guard<std::mutex> guard (self.lock);
        self.sawCallerThread |= std::this_thread::get_id() == self.callerThread || ! VirtualMidiSetup::isLayerThread();
        self.deliveries.push_back ({ PacketListBuffer::unpack (*list), connRefCon, std::this_thread::get_id() });
    }

    static void notify (const MIDINotification* message, void* refCon)
    {
        auto& self = *static_cast<LayerRecorder*> (refCon);
        const std::lock_guard<std::mutex> guard (self.lock);
        self.sawCallerThread |= std::this_thread::get_id() == self.callerThread || ! VirtualMidiSetup::isLayerThread();
        self.notifications.push_back (message->messageID);
    }

    mutable std::mutex lock;
    std::vector<Delivery> deliveries;
    std::vector<MIDINotificationMessageID> notifications;
    bool sawCallerThread = false;
};
} // namespace vqsim::test
