// Feeds arbitrary packet lists to a connected unit's input port, through the MIDI layer, and checks
// that only values the protocol can carry reach the listener, and that where a driver cuts the bytes
// into packets changes nothing: the same bytes in one packet deliver the same values in the same order.
//
// Input: a sequence of packets, each a length byte followed by that many bytes; a length byte with
// its top bit set takes the next byte as its low byte, for packets longer than 127 bytes. The last
// packet takes whatever is left.

#include "SimulatedUnit.h"
#include "VirtualMidiSetup.h"
#include "vq_midi/MidiManager.h"

#include <juce_events/juce_events.h>

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <utility>
#include <vector>

namespace
{
class CheckingListener : public juce::MidiDevice::Listener
{
public:
    void setConnectedMidiDevice (juce::MidiDevice*) override {}

    void paramReceived (int id, int value) override
    {
        if (id < 0 || id > 0x7F || value < 0 || value > juce::VqSysexProtocol::maxValue)
            std::abort();

        const std::lock_guard<std::mutex> guard (lock);
        received.emplace_back (id, value);
    }

    std::vector<std::pair<int, int>> take()
    {
        const std::lock_guard<std::mutex> guard (lock);
        return std::exchange (received, {});
    }

private:
    std::mutex lock;
    std::vector<std::pair<int, int>> received;
};

/** One unit connected for the whole run, taken down at exit as the last plug-in instance would. */
struct ConnectedUnit
{
    ConnectedUnit()
    {
        manager->registerPluginInstance ({ juce::VqSysexProtocol::unitDeviceName });
        unit.plugIn();

        while (manager->getConnectionList()->isEmpty())
            juce::MessageManager::getInstance()->runDispatchLoopUntil (5);

        if (! manager->connectIfSerialNo (3, &listener))
            std::abort();

        source = setup.getSource (unit.getDevice());
    }

    ~ConnectedUnit() { manager->unregisterPluginInstance(); }

    // Returns what the packets delivered; a status byte after them drops what they left unfinished.
    std::vector<std::pair<int, int>> deliver (const std::vector<vqsim::VirtualMidiSetup::Bytes>& packets)
    {
        setup.injectPacketList (source, packets);
        setup.injectPacketList (source, { { 0x80 } });
        setup.flush();
        return listener.take();
    }

    juce::ScopedJuceInitialiser_GUI juce;
    vqsim::VirtualMidiSetup setup;
    vqsim::SimulatedUnit unit { setup, 3 };
    CheckingListener listener;
    juce::MidiManager* manager = juce::MidiManager::getInstance();
    MIDIEndpointRef source = 0;
};

std::vector<vqsim::VirtualMidiSetup::Bytes> splitIntoPackets (const std::uint8_t* data, std::size_t size)
{
    std::vector<vqsim::VirtualMidiSetup::Bytes> packets;
    std::size_t pos = 0;

    while (pos < size)
    {
        std::size_t length = data[pos++];

        if ((length & 0x80) != 0 && pos < size)
            length = ((length & 0x7F) << 8) | data[pos++];

        const auto available = std::min (length, size - pos);
        packets.emplace_back (data + pos, data + pos + available);
        pos += available;
    }

    return packets;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    static ConnectedUnit link;

    const auto packets = splitIntoPackets (data, size);
    const auto cut = link.deliver (packets);

    vqsim::VirtualMidiSetup::Bytes whole;

    for (const auto& packet : packets)
        whole.insert (whole.end(), packet.begin(), packet.end());

    if (whole.size() <= 0xFFFF && link.deliver ({ whole }) != cut)
        std::abort();

    return 0;
}
