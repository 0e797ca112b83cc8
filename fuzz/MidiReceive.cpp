// Feeds arbitrary packet lists to a connected unit's input port, through the MIDI layer, and checks
// that only values the protocol can carry reach the listener.
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
    }
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

    link.setup.injectPacketList (link.source, splitIntoPackets (data, size));
    link.setup.flush();
    return 0;
}
