#include "vq_midi/MidiDevice.h"

#include <CoreMIDI/CoreMIDI.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <thread>

namespace juce
{
namespace
{
using Protocol = VqSysexProtocol;
} // namespace

//==============================================================================
/** The MIDI service's side of one device: its port, endpoints and the procedures the service calls. */
class MidiDevice::Pimpl
{
public:
    Pimpl (MidiDevice& device, MidiManager& managerToUse, MIDIDeviceRef unit)
        : deviceRef (unit),
          manager (&managerToUse),
          owner (&device)
    {
    }

    ~Pimpl()
    {
        if (inputPort == 0)
            return;

        // Both return only once a delivery running for the port has finished.
        if (source != 0)
            MIDIPortDisconnectSource (inputPort, source);

        MIDIPortDispose (inputPort);
    }

    /** CoreMIDI's completion procedure of a sent request, on one of its threads: frees the block that
        holds the request and its bytes, and touches nothing else. */
    static void MIDISendingComplete (MIDISysexSendRequest* request) { std::free (request->completionRefCon); }

    // Returns whether the unit could be reached: port created and entity 0 found.
    bool open (MIDIClientRef client)
    {
        if (MIDIInputPortCreate (client, CFSTR ("Kestova Remote MIDI Input"), MIDIReceiveCallback, this, &inputPort) !=
            noErr)
        {
            inputPort = 0;
            return false;
        }

        if (MIDIDeviceGetNumberOfEntities (deviceRef) == 0)
            return false;

        const auto entity = MIDIDeviceGetEntity (deviceRef, 0);

        if (entity == 0)
            return false;

        if (MIDIEntityGetNumberOfSources (entity) > 0)
        {
            source = MIDIEntityGetSource (entity, 0);

            if (source != 0)
                MIDIPortConnectSource (inputPort, source, nullptr);
        }

        if (MIDIEntityGetNumberOfDestinations (entity) > 0)
            destination = MIDIEntityGetDestination (entity, 0);

        return true;
    }

    void sendSysEx (const unsigned char* bytes, int length)
    {
        if (destination != 0)
            MidiDevice::sendSysEx (destination, bytes, length);
    }

    static void MIDIReceiveCallback (const MIDIPacketList* packets, void* readReference, void*)
    {
        auto* pimpl = static_cast<Pimpl*> (readReference);

        if (pimpl == nullptr || packets == nullptr)
            return;

        const auto* packet = &packets->packet[0];

        for (UInt32 i = 0; i < packets->numPackets; ++i)
        {
            pimpl->owner->receive (packet->data, packet->length);
            packet = MIDIPacketNext (packet);
        }
    }

    const MIDIDeviceRef deviceRef;
    MIDIPortRef inputPort = 0;
    MIDIEndpointRef source = 0;
    MIDIEndpointRef destination = 0;
    MidiManager* const manager;
    MidiDevice* const owner;
};

//==============================================================================
void MidiDevice::sendSysEx (std::uint32_t destination, const std::uint8_t* bytes, int length)
{
    if (length <= 0)
        return;

    // One block for the request and its bytes, freed by the completion procedure, so that the
    // caller's buffer may live on its stack and any number of requests may be in flight.
    auto* block = static_cast<unsigned char*> (std::malloc (sizeof (MIDISysexSendRequest) + (size_t) length));

    if (block == nullptr)
        return;

    auto* data = block + sizeof (MIDISysexSendRequest);
    std::memcpy (data, bytes, (size_t) length);

    auto* request = new (block) MIDISysexSendRequest {};
    request->destination = destination;
    request->data = data;
    request->bytesToSend = (UInt32) length;
    request->complete = false;
    request->completionProc = Pimpl::MIDISendingComplete;
    request->completionRefCon = block;

    if (MIDISendSysex (request) != noErr)
        std::free (block);
}

MidiDevice::MidiDevice (MidiManager& ownerToUse, std::uint32_t client, std::uint32_t deviceRef)
    : owner (&ownerToUse),
      pimpl (std::make_unique<Pimpl> (*this, ownerToUse, deviceRef))
{
    if (pimpl->open (client))
        sendQuery();
}

MidiDevice::~MidiDevice()
{
    // The port goes first: after that the receive path no longer runs.
    pimpl.reset();
}

std::uint32_t MidiDevice::getDeviceRef() const noexcept
{
    return pimpl->deviceRef;
}

void MidiDevice::sendQuery()
{
    static constexpr auto query = Protocol::makeQuery();
    pimpl->sendSysEx (query.data(), (int) query.size());
}

int MidiDevice::setValue (int id, int value, bool otherChannel)
{
    const auto serial = serialNo.load();

    // Before the unit has answered, byte 4 would be FF, a status byte inside a system-exclusive
    // message; an id above 7F would be one as well.
    if (serial < 0 || ! isPositiveAndBelow (id, 0x80))
        return -1;

    const auto message = Protocol::makeParameterMessage (
        (std::uint8_t) serial, otherChannel ? Protocol::commandOtherChannel : Protocol::commandSelectedChannel, id,
        value);

    if (attaching)
        heldBackMessages.push_back (message);
    else
        pimpl->sendSysEx (message.data(), (int) message.size());

    // Held-back messages go out as soon as the attachment is done, so they queue all the same.
    const auto now = Time::getMillisecondCounterHiRes();
    cableFreeMs = jmax (cableFreeMs, now) + (double) message.size() * 1000.0 / Protocol::wireBytesPerSecond;
    return (int) std::ceil (cableFreeMs - now);
}

void MidiDevice::attachListener (Listener& newListener)
{
    jassert (listener.load() == nullptr);

    {
        const ScopedValueSetter<bool> holdBack (attaching, true);
        newListener.setConnectedMidiDevice (this);
    }

    listener.store (&newListener);

    for (const auto& message : heldBackMessages)
        pimpl->sendSysEx (message.data(), (int) message.size());

    heldBackMessages.clear();
}

void MidiDevice::clearListener()
{
    listener.store (nullptr);

    // A delivery that read the old listener counted itself before reading it, in one of the two
    // slots. Each wait comes after a flip, so only deliveries that began before it are waited for.
    for (int pass = 0; pass < 2; ++pass)
    {
        const auto oldSlot = deliveryEpoch.fetch_xor (1) & 1;

        while (deliveriesRunning[oldSlot].load() != 0)
            std::this_thread::yield();
    }
}

void MidiDevice::receive (const std::uint8_t* data, int length)
{
    if (data != nullptr && length > 0)
        assembler.feed (data, (std::size_t) length,
                        [this] (const std::uint8_t* message, std::size_t size)
                        { handleMessage (message, (int) size); });
}

void MidiDevice::handleMessage (const std::uint8_t* data, int length)
{
    if (! Protocol::isFramed (data, (std::size_t) length))
        return;

    // The serial number comes only from the answer to the discovery query, and is written once.
    if (Protocol::isAnswer (data, (std::size_t) length))
    {
        auto unknown = -1;
        serialNo.compare_exchange_strong (unknown, (int) data[Protocol::serialByte]);
        return;
    }

    if ((std::size_t) length < Protocol::minParameterLength)
        return;

    // The unit may also mark a value for the selected channel with command 00.
    const auto command = data[Protocol::commandByte];

    if (command != 0x00 && command != Protocol::commandSelectedChannel)
        return;

    // Only MIDI data bytes make a value: a status byte such as an early F7, or a value above the
    // highest the unit sends, is not one.
    const auto id = data[Protocol::idByte];
    const auto low = data[Protocol::valueLowByte];
    const auto high = data[Protocol::valueHighByte];

    if (id >= 0x80 || low >= 0x80 || high >= 0x80)
        return;

    const auto value = low + 0x80 * high;

    if (value <= Protocol::maxValue)
        deliver (id, value);
}

void MidiDevice::deliver (int id, int value)
{
    auto& running = deliveriesRunning[deliveryEpoch.load() & 1];
    ++running;

    if (auto* current = listener.load())
        current->paramReceived (id, value);

    --running;
}

} // namespace juce
