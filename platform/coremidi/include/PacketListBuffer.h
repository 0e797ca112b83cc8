#pragma once

#include <CoreMIDI/CoreMIDI.h>

#include <vector>

namespace vqsim
{
/** Builds a MIDIPacketList in the layout that MIDIPacketNext walks, from any packets at all: empty,
    split or oversized ones, hundreds of them. Used by the layer to deliver input and by tests and fuzz
    targets to call read procedures directly. */
class PacketListBuffer
{
public:
    using Packet = std::vector<Byte>;

    explicit PacketListBuffer (const std::vector<Packet>& packets);

    const MIDIPacketList* get() const { return reinterpret_cast<const MIDIPacketList*> (storage.data()); }
    std::size_t getNumPackets() const { return numPackets; }

    /** Reads a list back into its packets, walking it with MIDIPacketNext. */
    static std::vector<Packet> unpack (const MIDIPacketList& list);

private:
    std::vector<UInt64> storage; // 64-bit cells keep every packet header aligned
    std::size_t numPackets;
};
} // namespace vqsim
