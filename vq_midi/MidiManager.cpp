#include "vq_midi/MidiManager.h"

#include <CoreMIDI/CoreMIDI.h>

#include <algorithm>
#include <cstring>

namespace juce
{
JUCE_IMPLEMENT_SINGLETON (MidiManager)

//==============================================================================
/** The MIDI service's side of the manager: the client, the scan and the units that have been
    queried but have not answered yet. */
class MidiManager::Pimpl : public AsyncUpdater, private Timer
{
public:
    explicit Pimpl (MidiManager& managerToUse)
        : owner (managerToUse)
    {
        if (MIDIClientCreate (CFSTR ("Kestova Remote MIDI"), MIDISetupChangeCallback, this, &client) != noErr)
            client = 0;
    }

    ~Pimpl() override
    {
        // Ports go before their client.
        pendingDevices.clear();
        MIDIClientDispose (client);
        stopTimer();
        cancelPendingUpdate();
    }

    // The scan: drops the units that have vanished and opens the ones not known yet.
    void handleAsyncUpdate() override
    {
        const auto found = findUnits();

        owner.removeVanished (found);
        removeVanishedPending (found);

        for (const auto deviceRef : found)
        {
            if (isKnown (deviceRef))
                continue;

            pendingDevices.push_back ({ std::unique_ptr<MidiDevice> (new MidiDevice (owner, client, deviceRef)), 1,
                                        Time::getMillisecondCounter() });
            startTimer (replyTimeoutMs);
        }
    }

    // The reply timer: moves the units that have answered to the manager's list. One that has not
    // stays waiting while it is present, since a unit may answer late, and is asked again now and
    // then, up to a bound; an answer to any of its queries counts.
    void timerCallback() override
    {
        stopTimer();

        // A unit that answered and then vanished before its scan came round is not moved.
        removeVanishedPending (findUnits());

        const auto now = Time::getMillisecondCounter();

        for (auto it = pendingDevices.begin(); it != pendingDevices.end();)
        {
            if (it->device->getSerialNo() >= 0)
            {
                owner.devices.push_back (std::move (it->device));
                it = pendingDevices.erase (it);
                owner.triggerAsyncUpdate();
                continue;
            }

            if (it->queriesSent < maxQueries && now - it->lastQueryMs >= (uint32) queryRetryMs)
            {
                it->device->sendQuery();
                ++it->queriesSent;
                it->lastQueryMs = now;
            }

            ++it;
        }

        if (! pendingDevices.empty())
            startTimer (replyTimeoutMs);
    }

    static void MIDISetupChangeCallback (const MIDINotification* notification, void* reference)
    {
        if (reference != nullptr && notification != nullptr && notification->messageID == kMIDIMsgSetupChanged)
            static_cast<Pimpl*> (reference)->triggerAsyncUpdate();
    }

    /** A unit opened and asked for its serial number that has not answered yet. */
    struct PendingDevice
    {
        std::unique_ptr<MidiDevice> device;
        int queriesSent;
        uint32 lastQueryMs;
    };

    MidiManager& owner;
    std::vector<PendingDevice> pendingDevices;
    static constexpr int replyTimeoutMs = 500;
    static constexpr int queryRetryMs = 2000;
    static constexpr int maxQueries = 16;
    MIDIClientRef client = 0;

private:
    // The references of the online devices whose name is one of the accepted names, exactly.
    std::vector<std::uint32_t> findUnits() const
    {
        std::vector<std::uint32_t> found;
        const auto numDevices = MIDIGetNumberOfDevices();

        for (ItemCount i = 0; i < numDevices; ++i)
        {
            const auto deviceRef = MIDIGetDevice (i);
            const auto name = readName (deviceRef);

            if (name.isEmpty())
                continue;

            SInt32 offline = 1;

            if (MIDIObjectGetIntegerProperty (deviceRef, kMIDIPropertyOffline, &offline) != noErr || offline != 0)
                continue;

            for (const auto& accepted : owner.acceptedDeviceNames)
                if (name == accepted)
                    found.push_back (deviceRef);
        }

        return found;
    }

    // The device's name in ASCII, or empty when it cannot be read or converted.
    static String readName (MIDIDeviceRef deviceRef)
    {
        CFStringRef name = nullptr;

        if (MIDIObjectGetStringProperty (deviceRef, kMIDIPropertyName, &name) != noErr || name == nullptr)
            return {};

        const auto length = CFStringGetLength (name);
        String result;

        if (length > 0)
        {
            // Zeroed, so terminated whatever the conversion leaves behind.
            HeapBlock<char> buffer ((size_t) length + 1, true);

            // A name with a NUL inside would otherwise pass for its first part.
            if (CFStringGetCString (name, buffer, length + 1, kCFStringEncodingASCII) &&
                std::strlen (buffer) == (size_t) length)
                result = String (CharPointer_ASCII (buffer.get()));
        }

        CFRelease (name);
        return result;
    }

    // A unit still waiting for its answer counts as known, so that two scans close together do
    // not open, list or hand out the same unit twice.
    bool isKnown (std::uint32_t deviceRef) const
    {
        const auto hasRef = [deviceRef] (const auto& device) { return device->getDeviceRef() == deviceRef; };
        return std::any_of (owner.devices.begin(), owner.devices.end(), hasRef) ||
               std::any_of (pendingDevices.begin(), pendingDevices.end(),
                            [&hasRef] (const auto& pending) { return hasRef (pending.device); });
    }

    void removeVanishedPending (const std::vector<std::uint32_t>& found)
    {
        const auto vanished = [&found] (const auto& pending)
        { return std::find (found.begin(), found.end(), pending.device->getDeviceRef()) == found.end(); };

        pendingDevices.erase (std::remove_if (pendingDevices.begin(), pendingDevices.end(), vanished),
                              pendingDevices.end());
    }
};

//==============================================================================
MidiManager::MidiManager() = default;

MidiManager::~MidiManager()
{
    for (auto& device : devices)
        detach (*device);

    devices.clear();
    pimpl.reset();

    clearSingletonInstance();
    cancelPendingUpdate();
}

void MidiManager::registerPluginInstance (const StringArray& acceptedNames)
{
    ++instanceCount;

    if (! initialised)
        initialize (acceptedNames);
}

void MidiManager::unregisterPluginInstance()
{
    if (--instanceCount == 0)
        deleteInstance();
}

void MidiManager::initialize (const StringArray& names)
{
    pimpl.reset();
    acceptedDeviceNames = names;

    auto newPimpl = std::make_unique<Pimpl> (*this);
    newPimpl->triggerAsyncUpdate();

    pimpl = std::move (newPimpl);
    initialised = true;
}

namespace
{
/** Whether a unit is free and not among those the caller leaves to others. */
auto isFreeExcept (const std::vector<int>& passedOver)
{
    return [&passedOver] (const auto& device)
    {
        return device->getListener() == nullptr &&
               std::find (passedOver.begin(), passedOver.end(), device->getSerialNo()) == passedOver.end();
    };
}
} // namespace

int MidiManager::countFreeDevices (const std::vector<int>& passedOver) const
{
    return (int) std::count_if (devices.begin(), devices.end(), isFreeExcept (passedOver));
}

bool MidiManager::connectIfOneDevice (MidiDevice::Listener* listener, int& serialNo, const std::vector<int>& passedOver)
{
    if (listener == nullptr || countFreeDevices (passedOver) != 1)
        return false;

    const auto isFree = isFreeExcept (passedOver);

    auto& device = **std::find_if (devices.begin(), devices.end(), isFree);
    attach (device, *listener);
    serialNo = device.getSerialNo();
    return true;
}

bool MidiManager::connectIfSerialNo (int serialNo, MidiDevice::Listener* listener)
{
    if (listener == nullptr)
        return false;

    const auto entry = std::find_if (devices.begin(), devices.end(),
                                     [serialNo] (const auto& device)
                                     { return device->getSerialNo() == serialNo && device->getListener() == nullptr; });

    if (entry == devices.end())
        return false;

    attach (**entry, *listener);
    return true;
}

void MidiManager::disconnect (MidiDevice::Listener* listener)
{
    if (listener == nullptr)
        return;

    const auto entry = std::find_if (devices.begin(), devices.end(),
                                     [listener] (const auto& device) { return device->getListener() == listener; });

    if (entry == devices.end())
        return;

    detach (**entry);
    triggerAsyncUpdate();
}

std::unique_ptr<OwnedArray<MidiManager::ConnectionStatus>> MidiManager::getConnectionList() const
{
    auto list = std::make_unique<OwnedArray<ConnectionStatus>>();

    for (const auto& device : devices)
    {
        const auto listener = device->getListener();
        list->add (new ConnectionStatus {
            device->getSerialNo(), listener != nullptr ? ConnectionStatus::taken : ConnectionStatus::free, listener });
    }

    return list;
}

void MidiManager::addConnectionListListener (ConnectionListListener* listenerToAdd)
{
    connectionListListeners.add (listenerToAdd);
}

void MidiManager::removeConnectionListListener (ConnectionListListener* listenerToRemove)
{
    connectionListListeners.removeAllInstancesOf (listenerToRemove);
}

void MidiManager::handleAsyncUpdate()
{
    // A listener may remove itself or others while being told.
    const auto toTell = connectionListListeners;

    for (auto* listener : toTell)
        if (connectionListListeners.contains (listener))
            listener->connectionListChanged();
}

void MidiManager::attach (MidiDevice& device, MidiDevice::Listener& listener)
{
    device.attachListener (listener);
    triggerAsyncUpdate();
}

void MidiManager::detach (MidiDevice& device)
{
    if (auto* listener = device.getListener())
    {
        // Cleared before the listener hears of it: its answer may be to delete what deliveries use.
        device.clearListener();
        listener->hidConnectionCallback (false);
    }
}

void MidiManager::removeVanished (const std::vector<std::uint32_t>& found)
{
    // Out of the list first, so that whatever a listener does when told sees the units gone.
    std::vector<std::unique_ptr<MidiDevice>> vanished;

    for (auto it = devices.begin(); it != devices.end();)
    {
        if (std::find (found.begin(), found.end(), (*it)->getDeviceRef()) != found.end())
        {
            ++it;
        }
        else
        {
            vanished.push_back (std::move (*it));
            it = devices.erase (it);
        }
    }

    for (auto& device : vanished)
    {
        detach (*device);
        triggerAsyncUpdate();
    }
}

} // namespace juce
