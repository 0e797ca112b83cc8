#pragma once

#include "Scheduler.h"
#include "VirtualMidiSetup.h"

#include <map>
#include <memory>

namespace vqsim
{
class PacketListBuffer;

/** The MIDI service behind the C calls: the objects of the setup, the two callback threads, the clock
    and the test hooks. One is current at a time; the C calls act on it. */
class MidiServer
{
public:
    using Bytes = VirtualMidiSetup::Bytes;
    using Call = VirtualMidiSetup::Call;

    explicit MidiServer (bool manualClock);
    ~MidiServer();

    /** Runs what is queued, then stops the threads; delayed work not yet due is dropped. */
    void shutdown();

    static std::shared_ptr<MidiServer> current();
    static void setCurrent (std::shared_ptr<MidiServer> server);

    /** Consumes one planned failure of the call, if any. */
    bool takeFailure (Call call, OSStatus& status);
    bool takeFailure (Call call);

    //==============================================================================
    OSStatus clientCreate (CFStringRef name, MIDINotifyProc proc, void* refCon, MIDIClientRef* outClient);
    OSStatus clientDispose (MIDIClientRef client);
    ItemCount getNumberOfDevices();
    MIDIDeviceRef getDevice (ItemCount index);
    OSStatus getStringProperty (MIDIObjectRef object, CFStringRef property, CFStringRef* outString);
    OSStatus getIntegerProperty (MIDIObjectRef object, CFStringRef property, SInt32* outValue);
    ItemCount countEntities (MIDIDeviceRef device);
    MIDIEntityRef getEntity (MIDIDeviceRef device, ItemCount index);
    ItemCount countEndpoints (MIDIEntityRef entity, bool sources);
    MIDIEndpointRef getEndpoint (MIDIEntityRef entity, ItemCount index, bool sources);
    OSStatus inputPortCreate (MIDIClientRef client, CFStringRef name, MIDIReadProc proc, void* refCon,
                              MIDIPortRef* outPort);
    OSStatus portConnectSource (MIDIPortRef port, MIDIEndpointRef source, void* connRefCon);
    OSStatus portDisconnectSource (MIDIPortRef port, MIDIEndpointRef source);
    OSStatus portDispose (MIDIPortRef port);
    OSStatus sendSysex (MIDISysexSendRequest* request);

    //==============================================================================
    MIDIDeviceRef addDevice (const std::string& name, const std::vector<EntityLayout>& entities, bool offline,
                             VirtualMidiSetup::Receiver receiver);
    void removeDevice (MIDIDeviceRef device);
    void setOffline (MIDIDeviceRef device, bool offline);
    MIDIEndpointRef findEndpoint (MIDIDeviceRef device, int entity, int index, bool source) const;
    void setByteRate (MIDIDeviceRef device, int bytesPerSecond);
    void injectPacketList (MIDIEndpointRef source, const std::vector<Bytes>& packets);
    void setReceiver (MIDIEndpointRef destination, VirtualMidiSetup::Receiver receiver);
    std::vector<Bytes> getReceived (MIDIEndpointRef destination) const;
    std::vector<Bytes> getSent (MIDIEndpointRef destination) const;

    void failCall (Call call, OSStatus status, int times);
    void clearFailures();
    void holdNextDelivery();
    void waitForHeldDelivery();
    void releaseHeldDelivery();
    void waitForWaitingCalls (int count);

    void flush (bool scheduledToo);
    Scheduler::Clock now() const { return scheduler.now(); }
    void advanceTime (Scheduler::Clock amount);
    void runAfter (Scheduler::Clock delay, std::function<void()> function);

    int countClients() const;
    int countPorts() const;

private:
    struct Client
    {
        MIDINotifyProc proc;
        void* refCon;
    };

    struct Port
    {
        MIDIClientRef client;
        MIDIReadProc proc;
        void* refCon;
        std::map<MIDIEndpointRef, void*> connections;
    };

    struct Device
    {
        std::string name;
        bool offline;
        std::vector<MIDIEntityRef> entities;
        int bytesPerSecond = 0;
        Scheduler::Clock inboundFree { 0 }, outboundFree { 0 }; // when each direction of the cable is free
    };

    struct Entity
    {
        MIDIDeviceRef device;
        std::vector<MIDIEndpointRef> sources, destinations;
    };

    struct Endpoint
    {
        MIDIDeviceRef device;
        bool isSource;
        VirtualMidiSetup::Receiver receiver;
        std::vector<Bytes> received;
        std::vector<Bytes> sent; // on the cable or arrived
    };

    struct Failure
    {
        OSStatus status;
        int remaining;
    };

    static MIDIObjectRef makeRef();
    const Device* findOwningDevice (MIDIObjectRef object) const;
    Scheduler::Clock reserveCable (MIDIDeviceRef device, std::size_t bytes, bool inbound);
    void notifyClients (std::vector<MIDINotificationMessageID> messages);
    void deliver (MIDIEndpointRef source, std::shared_ptr<const PacketListBuffer> list);
    void complete (MIDISysexSendRequest* request);
    void disposePortLocked (std::unique_lock<std::mutex>& guard, MIDIPortRef port);
    void waitUntilNotRunning (std::unique_lock<std::mutex>& guard, MIDIObjectRef object);

    std::atomic<std::uint64_t> generation { 0 };
    TaskThread inputThread { generation };
    TaskThread serviceThread { generation };
    Scheduler scheduler;

    mutable std::mutex lock;
    std::condition_variable changed;
    std::map<MIDIClientRef, Client> clients;
    std::map<MIDIPortRef, Port> ports;
    std::vector<MIDIDeviceRef> deviceOrder;
    std::map<MIDIDeviceRef, Device> devices;
    std::map<MIDIEntityRef, Entity> entities;
    std::map<MIDIEndpointRef, Endpoint> endpoints;
    std::map<MIDIObjectRef, std::thread::id> running; // ports and clients whose procedure is being called
    std::map<Call, Failure> failures;
    bool holdArmed = false, holding = false;
    int waitingCalls = 0;
};
} // namespace vqsim
