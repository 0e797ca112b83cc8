#include "PacketListBuffer.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace
{
constexpr std::size_t packetHeaderSize = offsetof (MIDIPacket, data);
constexpr std::size_t listHeaderSize = offsetof (MIDIPacketList, packet);
constexpr std::size_t maxPacketLength = 0xFFFF; // what the length field holds

std::size_t alignedToPacket (std::size_t offset)
{
    constexpr auto alignment = alignof (MIDIPacket);
    return (offset + alignment - 1) / alignment * alignment;
}
} // namespace

extern "C" MIDIPacket* MIDIPacketNext (const MIDIPacket* packet)
{
    auto* start = reinterpret_cast<const Byte*> (packet);
    return reinterpret_cast<MIDIPacket*> (
        const_cast<Byte*> (start + alignedToPacket (packetHeaderSize + packet->length)));
}

namespace vqsim
{
PacketListBuffer::PacketListBuffer (const std::vector<Packet>& packets)
    : numPackets (packets.size())
{
    std::size_t size = listHeaderSize;

    for (auto& p : packets)
        size += alignedToPacket (packetHeaderSize + std::min (p.size(), maxPacketLength));

    // Room for one whole packet past the end, so that a reader that looks at a full header never
    // leaves the buffer.
    size += sizeof (MIDIPacket);
    storage.assign ((size + sizeof (UInt64) - 1) / sizeof (UInt64), 0);

    auto* list = reinterpret_cast<MIDIPacketList*> (storage.data());
    list->numPackets = static_cast<UInt32> (packets.size());
    auto* packet = &list->packet[0];

    for (auto& p : packets)
    {
        packet->timeStamp = 0;
        packet->length = static_cast<UInt16> (std::min (p.size(), maxPacketLength));

        // Written through the raw bytes: a packet may run past the declared size of `data`.
        if (packet->length > 0)
            std::memcpy (reinterpret_cast<Byte*> (packet) + packetHeaderSize, p.data(), packet->length);

        packet = MIDIPacketNext (packet);
    }
}

std::vector<PacketListBuffer::Packet> PacketListBuffer::unpack (const MIDIPacketList& list)
{
    std::vector<Packet> packets;
    auto* packet = &list.packet[0];

    for (UInt32 i = 0; i < list.numPackets; ++i)
    {
        packets.emplace_back (packet->data, packet->data + packet->length);
        packet = MIDIPacketNext (packet);
    }

    return packets;
}
} // namespace vqsim
