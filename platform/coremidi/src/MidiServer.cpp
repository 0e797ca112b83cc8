#include "MidiServer.h"

#include "PacketListBuffer.h"
#include "StringRegistry.h"

#include <algorithm>

namespace vqsim
{
namespace
{
std::mutex currentLock;
std::shared_ptr<MidiServer> currentServer;

bool isProperty (CFStringRef property, CFStringRef key)
{
    std::string a, b;
    return stringToStd (property, a) && stringToStd (key, b) && a == b;
}
} // namespace

MidiServer::MidiServer (bool manualClock)
    : scheduler (manualClock, serviceThread)
{
}

MidiServer::~MidiServer()
{
    shutdown();
}

void MidiServer::shutdown()
{
    flush (false);
    scheduler.stop();
    inputThread.stop();
    serviceThread.stop();
}

std::shared_ptr<MidiServer> MidiServer::current()
{
    const std::lock_guard<std::mutex> guard (currentLock);
    return currentServer;
}

void MidiServer::setCurrent (std::shared_ptr<MidiServer> server)
{
    const std::lock_guard<std::mutex> guard (currentLock);
    currentServer = std::move (server);
}

MIDIObjectRef MidiServer::makeRef()
{
    // Never reused, also across setups, so that a stale reference is always unknown.
    static std::atomic<MIDIObjectRef> next { 0x100 };
    return next++;
}

bool MidiServer::takeFailure (Call call, OSStatus& status)
{
    const std::lock_guard<std::mutex> guard (lock);
    const auto found = failures.find (call);

    if (found == failures.end())
        return false;

    status = found->second.status;

    if (found->second.remaining > 0 && --found->second.remaining == 0)
        failures.erase (found);

    return true;
}

bool MidiServer::takeFailure (Call call)
{
    OSStatus ignored;
    return takeFailure (call, ignored);
}

//==============================================================================
OSStatus MidiServer::clientCreate (CFStringRef name, MIDINotifyProc proc, void* refCon, MIDIClientRef* outClient)
{
    if (outClient == nullptr)
        return kMIDIInvalidArgument;

    *outClient = 0;
    OSStatus status;
    std::string text;

    if (takeFailure (Call::clientCreate, status))
        return status;

    if (! stringToStd (name, text))
        return kMIDIInvalidArgument;

    const std::lock_guard<std::mutex> guard (lock);
    *outClient = makeRef();
    clients[*outClient] = { proc, refCon };
    return noErr;
}

OSStatus MidiServer::clientDispose (MIDIClientRef client)
{
    OSStatus status;

    if (takeFailure (Call::clientDispose, status))
        return status;

    std::unique_lock<std::mutex> guard (lock);

    if (clients.erase (client) == 0)
        return kMIDIInvalidClient;

    // The client's ports go with it.
    std::vector<MIDIPortRef> owned;

    for (auto& p : ports)
        if (p.second.client == client)
            owned.push_back (p.first);

    for (auto port : owned)
        disposePortLocked (guard, port);

    waitUntilNotRunning (guard, client);
    return noErr;
}

ItemCount MidiServer::getNumberOfDevices()
{
    if (takeFailure (Call::getNumberOfDevices))
        return 0;

    const std::lock_guard<std::mutex> guard (lock);
    return deviceOrder.size();
}

MIDIDeviceRef MidiServer::getDevice (ItemCount index)
{
    if (takeFailure (Call::getDevice))
        return 0;

    const std::lock_guard<std::mutex> guard (lock);
    return index < deviceOrder.size() ? deviceOrder[index] : 0;
}

const MidiServer::Device* MidiServer::findOwningDevice (MIDIObjectRef object) const
{
    auto device = object;

    if (auto e = entities.find (object); e != entities.end())
        device = e->second.device;
    else if (auto p = endpoints.find (object); p != endpoints.end())
        device = p->second.device;

    const auto found = devices.find (device);
    return found != devices.end() ? &found->second : nullptr;
}

OSStatus MidiServer::getStringProperty (MIDIObjectRef object, CFStringRef property, CFStringRef* outString)
{
    OSStatus status;

    if (outString == nullptr)
        return kMIDIInvalidArgument;

    *outString = nullptr;

    if (takeFailure (Call::objectGetStringProperty, status))
        return status;

    std::string name;
    {
        const std::lock_guard<std::mutex> guard (lock);
        auto* device = findOwningDevice (object);

        if (device == nullptr)
            return kMIDIObjectNotFound;

        if (! isProperty (property, kMIDIPropertyName))
            return kMIDIUnknownProperty;

        name = device->name;
    }

    *outString = createString (name);
    return *outString != nullptr ? noErr : kMIDIUnknownError;
}

OSStatus MidiServer::getIntegerProperty (MIDIObjectRef object, CFStringRef property, SInt32* outValue)
{
    OSStatus status;

    if (outValue == nullptr)
        return kMIDIInvalidArgument;

    if (takeFailure (Call::objectGetIntegerProperty, status))
        return status;

    const std::lock_guard<std::mutex> guard (lock);
    auto* device = findOwningDevice (object);

    if (device == nullptr)
        return kMIDIObjectNotFound;

    if (! isProperty (property, kMIDIPropertyOffline))
        return kMIDIUnknownProperty;

    *outValue = device->offline ? 1 : 0;
    return noErr;
}

ItemCount MidiServer::countEntities (MIDIDeviceRef device)
{
    if (takeFailure (Call::deviceGetNumberOfEntities))
        return 0;

    const std::lock_guard<std::mutex> guard (lock);
    const auto found = devices.find (device);
    return found != devices.end() ? found->second.entities.size() : 0;
}

MIDIEntityRef MidiServer::getEntity (MIDIDeviceRef device, ItemCount index)
{
    if (takeFailure (Call::deviceGetEntity))
        return 0;

    const std::lock_guard<std::mutex> guard (lock);
    const auto found = devices.find (device);
    return found != devices.end() && index < found->second.entities.size() ? found->second.entities[index] : 0;
}

ItemCount MidiServer::countEndpoints (MIDIEntityRef entity, bool sources)
{
    if (takeFailure (sources ? Call::entityGetNumberOfSources : Call::entityGetNumberOfDestinations))
        return 0;

    const std::lock_guard<std::mutex> guard (lock);
    const auto found = entities.find (entity);

    if (found == entities.end())
        return 0;

    return (sources ? found->second.sources : found->second.destinations).size();
}

MIDIEndpointRef MidiServer::getEndpoint (MIDIEntityRef entity, ItemCount index, bool sources)
{
    if (takeFailure (sources ? Call::entityGetSource : Call::entityGetDestination))
        return 0;

    const std::lock_guard<std::mutex> guard (lock);
    const auto found = entities.find (entity);

    if (found == entities.end())
        return 0;

    auto& list = sources ? found->second.sources : found->second.destinations;
    return index < list.size() ? list[index] : 0;
}

OSStatus MidiServer::inputPortCreate (MIDIClientRef client, CFStringRef name, MIDIReadProc proc, void* refCon,
                                      MIDIPortRef* outPort)
{
    if (outPort == nullptr)
        return kMIDIInvalidArgument;

    *outPort = 0;
    OSStatus status;
    std::string text;

    if (takeFailure (Call::inputPortCreate, status))
        return status;

    if (proc == nullptr || ! stringToStd (name, text))
        return kMIDIInvalidArgument;

    const std::lock_guard<std::mutex> guard (lock);

    if (clients.count (client) == 0)
        return kMIDIInvalidClient;

    *outPort = makeRef();
    ports[*outPort] = { client, proc, refCon, {} };
    return noErr;
}

OSStatus MidiServer::portConnectSource (MIDIPortRef port, MIDIEndpointRef source, void* connRefCon)
{
    OSStatus status;

    if (takeFailure (Call::portConnectSource, status))
        return status;

    const std::lock_guard<std::mutex> guard (lock);
    const auto p = ports.find (port);
    const auto e = endpoints.find (source);

    if (p == ports.end())
        return kMIDIInvalidPort;

    if (e == endpoints.end())
        return kMIDIUnknownEndpoint;

    if (! e->second.isSource)
        return kMIDIWrongEndpointType;

    p->second.connections[source] = connRefCon;
    return noErr;
}

OSStatus MidiServer::portDisconnectSource (MIDIPortRef port, MIDIEndpointRef source)
{
    OSStatus status;

    if (takeFailure (Call::portDisconnectSource, status))
        return status;

    std::unique_lock<std::mutex> guard (lock);
    const auto p = ports.find (port);

    if (p == ports.end())
        return kMIDIInvalidPort;

    if (p->second.connections.erase (source) == 0)
        return endpoints.count (source) == 0 ? kMIDIUnknownEndpoint : kMIDINoConnection;

    waitUntilNotRunning (guard, port);
    return noErr;
}

OSStatus MidiServer::portDispose (MIDIPortRef port)
{
    OSStatus status;

    if (takeFailure (Call::portDispose, status))
        return status;

    std::unique_lock<std::mutex> guard (lock);

    if (ports.count (port) == 0)
        return kMIDIInvalidPort;

    disposePortLocked (guard, port);
    return noErr;
}

void MidiServer::disposePortLocked (std::unique_lock<std::mutex>& guard, MIDIPortRef port)
{
    ports.erase (port);
    waitUntilNotRunning (guard, port);
}

void MidiServer::waitUntilNotRunning (std::unique_lock<std::mutex>& guard, MIDIObjectRef object)
{
    const auto isRunningElsewhere = [this, object]
    {
        const auto found = running.find (object);
        return found != running.end() && found->second != std::this_thread::get_id();
    };

    if (! isRunningElsewhere())
        return;

    ++waitingCalls;
    changed.notify_all();
    changed.wait (guard, [&] { return ! isRunningElsewhere(); });
    --waitingCalls;
}

OSStatus MidiServer::sendSysex (MIDISysexSendRequest* request)
{
    OSStatus status;

    if (request == nullptr)
        return kMIDIInvalidArgument;

    if (takeFailure (Call::sendSysex, status))
        return status;

    if (request->data == nullptr && request->bytesToSend > 0)
        return kMIDIInvalidArgument;

    Scheduler::Clock delay;
    {
        const std::lock_guard<std::mutex> guard (lock);
        const auto found = endpoints.find (request->destination);

        if (found == endpoints.end())
            return kMIDIUnknownEndpoint;

        if (found->second.isSource)
            return kMIDIWrongEndpointType;

        delay = reserveCable (found->second.device, request->bytesToSend, true);
        found->second.sent.emplace_back (request->data, request->data + request->bytesToSend);
    }

    runAfter (delay, [this, request] { complete (request); });
    return noErr;
}

void MidiServer::complete (MIDISysexSendRequest* request)
{
    // The bytes are read only now: the sender must keep them until the completion procedure runs.
    const Bytes bytes (request->data, request->data + request->bytesToSend);
    VirtualMidiSetup::Receiver receiver;
    {
        const std::lock_guard<std::mutex> guard (lock);
        const auto found = endpoints.find (request->destination);

        if (found != endpoints.end())
        {
            found->second.received.push_back (bytes);
            receiver = found->second.receiver;
        }
    }

    if (receiver)
        receiver (bytes);

    request->data += request->bytesToSend;
    request->bytesToSend = 0;
    request->complete = true;

    if (request->completionProc != nullptr)
        request->completionProc (request);
}

Scheduler::Clock MidiServer::reserveCable (MIDIDeviceRef device, std::size_t bytes, bool inbound)
{
    auto& d = devices.at (device);

    if (d.bytesPerSecond <= 0)
        return Scheduler::Clock (0);

    const auto now = scheduler.now();
    auto& free = inbound ? d.inboundFree : d.outboundFree;
    const auto transfer = Scheduler::Clock (static_cast<long long> (bytes) * 1000000 / d.bytesPerSecond);
    free = std::max (free, now) + transfer;
    return free - now;
}

//==============================================================================
MIDIDeviceRef MidiServer::addDevice (const std::string& name, const std::vector<EntityLayout>& layout, bool offline,
                                     VirtualMidiSetup::Receiver receiver)
{
    MIDIDeviceRef ref;
    {
        const std::lock_guard<std::mutex> guard (lock);
        ref = makeRef();
        auto& device = devices[ref];
        device.name = name;
        device.offline = offline;

        for (auto& entityLayout : layout)
        {
            const auto entityRef = makeRef();
            auto& entity = entities[entityRef];
            entity.device = ref;
            device.entities.push_back (entityRef);

            for (int i = 0; i < entityLayout.sources + entityLayout.destinations; ++i)
            {
                const auto endpointRef = makeRef();
                const bool isSource = i < entityLayout.sources;
                endpoints[endpointRef] = { ref, isSource, isSource ? VirtualMidiSetup::Receiver() : receiver, {}, {} };
                (isSource ? entity.sources : entity.destinations).push_back (endpointRef);
            }
        }

        deviceOrder.push_back (ref);
    }

    notifyClients ({ kMIDIMsgObjectAdded, kMIDIMsgSetupChanged });
    return ref;
}

void MidiServer::removeDevice (MIDIDeviceRef ref)
{
    {
        const std::lock_guard<std::mutex> guard (lock);
        const auto device = devices.find (ref);

        if (device == devices.end())
            return;

        for (auto entityRef : device->second.entities)
        {
            auto& entity = entities.at (entityRef);

            for (auto* list : { &entity.sources, &entity.destinations })
            {
                for (auto endpointRef : *list)
                {
                    endpoints.erase (endpointRef);

                    for (auto& port : ports)
                        port.second.connections.erase (endpointRef);
                }
            }

            entities.erase (entityRef);
        }

        devices.erase (device);
        deviceOrder.erase (std::find (deviceOrder.begin(), deviceOrder.end(), ref));
    }

    notifyClients ({ kMIDIMsgObjectRemoved, kMIDIMsgSetupChanged });
}

void MidiServer::setOffline (MIDIDeviceRef ref, bool offline)
{
    {
        const std::lock_guard<std::mutex> guard (lock);
        const auto device = devices.find (ref);

        if (device == devices.end())
            return;

        device->second.offline = offline;
    }

    notifyClients ({ kMIDIMsgPropertyChanged, kMIDIMsgSetupChanged });
}

MIDIEndpointRef MidiServer::findEndpoint (MIDIDeviceRef device, int entityIndex, int index, bool source) const
{
    const std::lock_guard<std::mutex> guard (lock);
    const auto d = devices.find (device);

    if (d == devices.end() || entityIndex < 0 || static_cast<std::size_t> (entityIndex) >= d->second.entities.size())
        return 0;

    auto& entity = entities.at (d->second.entities[static_cast<std::size_t> (entityIndex)]);
    auto& list = source ? entity.sources : entity.destinations;
    return index >= 0 && static_cast<std::size_t> (index) < list.size() ? list[static_cast<std::size_t> (index)] : 0;
}

void MidiServer::setByteRate (MIDIDeviceRef device, int bytesPerSecond)
{
    const std::lock_guard<std::mutex> guard (lock);

    if (auto d = devices.find (device); d != devices.end())
        d->second.bytesPerSecond = bytesPerSecond;
}

void MidiServer::notifyClients (std::vector<MIDINotificationMessageID> messages)
{
    std::vector<MIDIClientRef> targets;
    {
        const std::lock_guard<std::mutex> guard (lock);

        for (auto& c : clients)
            targets.push_back (c.first);
    }

    for (auto client : targets)
    {
        serviceThread.post (
            [this, client, messages]
            {
                for (auto id : messages)
                {
                    std::unique_lock<std::mutex> guard (lock);
                    const auto found = clients.find (client);

                    if (found == clients.end() || found->second.proc == nullptr)
                        return;

                    const auto proc = found->second.proc;
                    const auto refCon = found->second.refCon;
                    running[client] = std::this_thread::get_id();
                    guard.unlock();

                    const MIDINotification message { id, sizeof (MIDINotification) };
                    proc (&message, refCon);

                    guard.lock();
                    running.erase (client);
                    changed.notify_all();
                }
            });
    }
}

void MidiServer::injectPacketList (MIDIEndpointRef source, const std::vector<Bytes>& packets)
{
    auto list = std::make_shared<const PacketListBuffer> (packets);
    Scheduler::Clock delay { 0 };
    {
        const std::lock_guard<std::mutex> guard (lock);
        const auto found = endpoints.find (source);

        if (found == endpoints.end() || ! found->second.isSource)
            return;

        std::size_t size = 0;

        for (auto& p : packets)
            size += p.size();

        delay = reserveCable (found->second.device, size, false);
    }

    auto post = [this, source, list] { inputThread.post ([this, source, list] { deliver (source, list); }); };

    if (delay.count() > 0)
        runAfter (delay, std::move (post));
    else
        post();
}

void MidiServer::deliver (MIDIEndpointRef source, std::shared_ptr<const PacketListBuffer> list)
{
    std::unique_lock<std::mutex> guard (lock);
    std::vector<MIDIPortRef> targets;

    for (auto& p : ports)
        if (p.second.connections.count (source) != 0)
            targets.push_back (p.first);

    for (auto port : targets)
    {
        // Checked again for each port: an earlier read procedure may have disconnected this one.
        const auto p = ports.find (port);

        if (p == ports.end() || p->second.connections.count (source) == 0)
            continue;

        const auto proc = p->second.proc;
        const auto refCon = p->second.refCon;
        const auto connRefCon = p->second.connections[source];
        running[port] = std::this_thread::get_id();

        if (holdArmed)
        {
            holdArmed = false;
            holding = true;
            changed.notify_all();
            changed.wait (guard, [this] { return ! holding; });
        }

        guard.unlock();
        proc (list->get(), refCon, connRefCon);
        guard.lock();

        running.erase (port);
        changed.notify_all();
    }
}

void MidiServer::setReceiver (MIDIEndpointRef destination, VirtualMidiSetup::Receiver receiver)
{
    const std::lock_guard<std::mutex> guard (lock);

    if (auto found = endpoints.find (destination); found != endpoints.end())
        found->second.receiver = std::move (receiver);
}

std::vector<MidiServer::Bytes> MidiServer::getReceived (MIDIEndpointRef destination) const
{
    const std::lock_guard<std::mutex> guard (lock);
    const auto found = endpoints.find (destination);
    return found != endpoints.end() ? found->second.received : std::vector<Bytes>();
}

std::vector<MidiServer::Bytes> MidiServer::getSent (MIDIEndpointRef destination) const
{
    const std::lock_guard<std::mutex> guard (lock);
    const auto found = endpoints.find (destination);
    return found != endpoints.end() ? found->second.sent : std::vector<Bytes>();
}

//==============================================================================
void MidiServer::failCall (Call call, OSStatus status, int times)
{
    const std::lock_guard<std::mutex> guard (lock);

    if (times == 0)
        failures.erase (call);
    else
        failures[call] = { status, times };
}

void MidiServer::clearFailures()
{
    const std::lock_guard<std::mutex> guard (lock);
    failures.clear();
}

void MidiServer::holdNextDelivery()
{
    const std::lock_guard<std::mutex> guard (lock);
    holdArmed = true;
}

void MidiServer::waitForHeldDelivery()
{
    std::unique_lock<std::mutex> guard (lock);
    changed.wait (guard, [this] { return holding; });
}

void MidiServer::releaseHeldDelivery()
{
    const std::lock_guard<std::mutex> guard (lock);
    holdArmed = false;
    holding = false;
    changed.notify_all();
}

void MidiServer::waitForWaitingCalls (int count)
{
    std::unique_lock<std::mutex> guard (lock);
    changed.wait (guard, [this, count] { return waitingCalls >= count; });
}

void MidiServer::flush (bool scheduledToo)
{
    if (TaskThread::isCurrentThreadLayer())
        return; // waiting for its own thread would never end

    for (;;)
    {
        const auto before = generation.load();
        scheduler.waitUntilPosted (scheduledToo);
        inputThread.waitUntilIdle();
        serviceThread.waitUntilIdle();

        if (generation.load() == before)
            return;
    }
}

void MidiServer::advanceTime (Scheduler::Clock amount)
{
    const auto target = scheduler.now() + amount;

    while (scheduler.postNextDue (target))
        flush (false);

    flush (false);
}

void MidiServer::runAfter (Scheduler::Clock delay, std::function<void()> function)
{
    if (delay.count() <= 0)
        serviceThread.post (std::move (function));
    else
        scheduler.runAfter (delay, std::move (function));
}

int MidiServer::countClients() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return static_cast<int> (clients.size());
}

int MidiServer::countPorts() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return static_cast<int> (ports.size());
}
} // namespace vqsim
