#pragma once

#include <CoreMIDI/CoreMIDI.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vqsim
{
class MidiServer;

/** The endpoints of one entity of a device. */
struct EntityLayout
{
    int sources = 1;
    int destinations = 1;
};

/** The in-process MIDI setup behind the CoreMIDI calls. While one exists, the calls act on its devices;
    without one, MIDIClientCreate fails as when the MIDI service cannot be reached.

    Like the real service it runs threads of its own: one delivers input to read procedures, one calls
    notification and completion procedures; nothing is ever called back on the thread of the call.
    Tests and tools add and remove devices, take them offline, emit bytes on their sources and receive
    what is sent to their destinations; hooks fail chosen calls, hold a delivery and wait for quiet.

    Time is the setup's own clock: real time, or a manual clock that only `advanceTime` moves, so that
    reply delays and byte rates are tested without sleeping. Only one setup exists at a time. */
class VirtualMidiSetup
{
public:
    enum class ClockMode
    {
        realTime,
        manual
    };

    /** The calls that `failCall` can make fail. */
    enum class Call
    {
        clientCreate,
        clientDispose,
        getNumberOfDevices,
        getDevice,
        objectGetStringProperty,
        objectGetIntegerProperty,
        deviceGetNumberOfEntities,
        deviceGetEntity,
        entityGetNumberOfSources,
        entityGetNumberOfDestinations,
        entityGetSource,
        entityGetDestination,
        inputPortCreate,
        portConnectSource,
        portDisconnectSource,
        portDispose,
        sendSysex,
        stringGetCString
    };

    using Bytes = std::vector<Byte>;
    using Clock = std::chrono::microseconds;
    /** Called on the setup's thread with each system-exclusive message that reaches a destination. */
    using Receiver = std::function<void (const Bytes&)>;

    explicit VirtualMidiSetup (ClockMode mode = ClockMode::realTime);
    /** Runs what is queued, then stops; delayed work not yet due is dropped. References handed out
        stay unknown to every later setup. */
    ~VirtualMidiSetup();

    VirtualMidiSetup (const VirtualMidiSetup&) = delete;
    VirtualMidiSetup& operator= (const VirtualMidiSetup&) = delete;

    //==============================================================================
    /** Plugs a device in and notifies every client. Returns its device reference. The receiver, when
        given, serves every destination of the device from the start. */
    MIDIDeviceRef addDevice (const std::string& name, std::vector<EntityLayout> entities = { EntityLayout() },
                             bool offline = false, Receiver receiver = {});
    /** Unplugs a device: its references become unknown; notifies every client. */
    void removeDevice (MIDIDeviceRef device);
    /** Changes the offline property and notifies every client. */
    void setOffline (MIDIDeviceRef device, bool offline);

    /** Source and destination `index` of the device's entity `entity`, or 0 when there is none. */
    MIDIEndpointRef getSource (MIDIDeviceRef device, int entity = 0, int index = 0) const;
    MIDIEndpointRef getDestination (MIDIDeviceRef device, int entity = 0, int index = 0) const;

    /** Bytes per second on both directions of a device's cable; 0 (the default) is instant. */
    void setByteRate (MIDIDeviceRef device, int bytesPerSecond);

    //==============================================================================
    /** Sends the bytes as one packet from a source to every port connected to it. */
    void emit (MIDIEndpointRef source, const Bytes& bytes);
    /** Sends exactly this packet list: split messages, several messages in one packet, empty packets. */
    void injectPacketList (MIDIEndpointRef source, const std::vector<Bytes>& packets);

    /** Who gets what is sent to a destination; without a receiver, it is only recorded. */
    void setReceiver (MIDIEndpointRef destination, Receiver receiver);
    /** Every message that reached the destination, in order. */
    std::vector<Bytes> getReceived (MIDIEndpointRef destination) const;
    /** Every message sent to the destination, in order: on its way on the cable, or arrived. */
    std::vector<Bytes> getSent (MIDIEndpointRef destination) const;

    //==============================================================================
    /** The next `times` calls (or all, for a negative count) fail: OSStatus calls return `status`,
        reference calls 0, counting calls 0, CFStringGetCString false. */
    void failCall (Call call, OSStatus status = kMIDIUnknownError, int times = 1);
    void clearFailures();

    /** The next delivery stops at the entry of its read procedure, counted as running, until released. */
    void holdNextDelivery();
    /** Waits until a delivery is held. */
    void waitForHeldDelivery();
    void releaseHeldDelivery();
    /** Waits until `count` calls wait for a running read or notification procedure to return. */
    void waitForWaitingCalls (int count);

    /** Waits until every delivery, notification and completion queued now, and what they cause in turn,
        has run; a held delivery must be released for that. Delayed work not yet due stays pending.
        Returns at once on the setup's own threads, which cannot wait for themselves. */
    void flush();
    /** Like flush, and waits for delayed work too (real time only; the manual clock moves by itself
        only through advanceTime). */
    void flushScheduled();

    //==============================================================================
    Clock now() const;
    /** Manual clock: moves time forward, running what falls due in order of time, each followed by a flush. */
    void advanceTime (Clock amount);
    /** Runs the function on the setup's thread after the delay on its clock. */
    void runAfter (Clock delay, std::function<void()> function);

    /** True on the threads that deliver input, notifications and completions. */
    static bool isLayerThread();
    /** CoreFoundation strings created and not yet released, for leak checks. */
    static int countLiveStrings();
    /** Clients and ports that exist. */
    int countClients() const;
    int countPorts() const;

private:
    std::shared_ptr<MidiServer> server;
};
} // namespace vqsim
