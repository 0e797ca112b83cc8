#pragma once

#include "vq_midi/SysexAssembler.h"
#include "vq_midi/VqSysexProtocol.h"

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace juce
{
class MidiManager;

/** One hardware unit found by the MidiManager: its input port and endpoints, the serial number it
    reports in its answer to the discovery query, and the one listener (a plug-in instance's bridge) that receives the
    parameter values the unit sends.

    The manager opens and destroys devices and attaches and clears their listener; a plug-in
    instance only sends values with setValue and receives them through its Listener.
*/
class MidiDevice
{
public:
    /** Receives a device's connection changes and the parameter values it reports. */
    class Listener
    {
    public:
        virtual ~Listener() = default;

        /** Called by the manager when it attaches this listener to a device, and by the owner with
            null when it gives its device up. No value is delivered while this runs. */
        virtual void setConnectedMidiDevice (MidiDevice* device) = 0;

        /** Called with false on the message thread once the device has been taken away from this
            listener; by then no value is being delivered to it and none will be. */
        virtual void hidConnectionCallback (bool connected) { ignoreUnused (connected); }

        /** Called on a MIDI thread for every accepted parameter message, in the order the unit sent
            them. Must be short and must never wait for the message thread. */
        virtual void paramReceived (int id, int value) { ignoreUnused (id, value); }
    };

    /** Opens the unit on the manager's client: creates the input port, connects entity 0's first
        source to it and sends the discovery query to its first destination. Used by the manager's
        scan; a unit that cannot be opened simply never answers. */
    MidiDevice (MidiManager& manager, std::uint32_t client, std::uint32_t deviceRef);

    virtual ~MidiDevice();

    /** Sends one parameter message: to the selected channel (or both while linked), or with
        otherChannel to the one that is not selected. Message thread only. Sends nothing before the
        unit has told its serial number, or when the unit has no destination.

        Returns the milliseconds until the message has reached the unit on a MIDI cable, behind the
        messages sent before it; -1 when nothing was sent. */
    int setValue (int id, int value, bool otherChannel);

    /** Hands one system-exclusive message to the MIDI service for a destination. The bytes are
        copied, so the caller's buffer may live on its stack; nothing is sent for an empty message. */
    static void sendSysEx (std::uint32_t destination, const std::uint8_t* bytes, int length);

    /** The unit's serial number (0 to 127), or -1 until its answer to the discovery query has arrived. */
    int getSerialNo() const noexcept { return serialNo.load(); }

    /** The attached listener, or null. Message thread only. */
    Listener* getListener() const noexcept { return listener.load(); }

private:
    friend class MidiManager;
    class Pimpl;

    std::uint32_t getDeviceRef() const noexcept;

    // Asks the unit for its serial number; used again while it has not answered.
    void sendQuery();

    // The bytes of one packet from the unit's source, on a MIDI thread.
    void receive (const std::uint8_t* data, int length);

    // Runs the listener's setConnectedMidiDevice before the receive path can see it, and holds
    // back what it sends until then, so that the unit's reply cannot overtake the attachment.
    void attachListener (Listener& newListener);

    // Clears the listener and returns once no delivery to it is running any more.
    void clearListener();

    // One whole message, F0 to F7.
    void handleMessage (const std::uint8_t* data, int length);
    void deliver (int id, int value);

    MidiManager* owner;
    std::unique_ptr<Pimpl> pimpl;
    std::atomic<int> serialNo { -1 };
    std::atomic<Listener*> listener { nullptr };

    // The unit has one source, read on one MIDI thread at a time; a message may span its packets.
    SysexAssembler assembler;

    // Deliveries count themselves in the slot of the current epoch. Clearing flips the epoch before
    // it waits for a slot, once per slot, so new deliveries (which see no listener) cannot hold it up.
    std::atomic<int> deliveryEpoch { 0 };
    std::atomic<int> deliveriesRunning[2] {};

    // When what was sent so far has left on the cable; message thread.
    double cableFreeMs = 0.0;

    bool attaching = false;
    std::vector<std::array<std::uint8_t, VqSysexProtocol::parameterMessageLength>> heldBackMessages;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiDevice)
};

} // namespace juce
