#include "vq_midi/SysexAssembler.h"

namespace juce
{
namespace
{
using Protocol = VqSysexProtocol;

constexpr std::uint8_t firstStatus = 0x80;
constexpr std::uint8_t firstRealTime = 0xF8;
} // namespace

bool SysexAssembler::take (std::uint8_t byte) noexcept
{
    // Real-time bytes may come between any two bytes, and interrupt nothing.
    if (byte >= firstRealTime)
        return false;

    if (byte == Protocol::sysexStart)
    {
        buffer[0] = byte;
        length = 1;
        return false;
    }

    if (length == 0)
        return false;

    if (byte == Protocol::sysexEnd)
    {
        buffer[length++] = byte;
        return true;
    }

    // Another status byte ends the message unfinished; a message with no room left for its F7 is
    // longer than any the protocol knows.
    if (byte >= firstStatus || length + 1 >= buffer.size())
    {
        length = 0;
        return false;
    }

    buffer[length++] = byte;
    return false;
}
} // namespace juce
