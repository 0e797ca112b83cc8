#pragma once

#include "vq_midi/VqSysexProtocol.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace juce
{
/** Reads whole system-exclusive messages out of the packets of one source, however a MIDI driver cut
    them: a message split over packets, several in one packet, real-time bytes anywhere, even inside a
    message.

    A message starts at F0 and is complete at F7. Real-time bytes (F8 to FF) are skipped wherever they
    stand; a new F0 or any other status byte drops an unfinished message; a message longer than the
    protocol's longest is dropped whole. What is unfinished at the end of a packet waits for the next.
    One object per source, fed from one thread at a time. */
class SysexAssembler
{
public:
    /** Calls `onMessage (const std::uint8_t* message, std::size_t length)` for each message that the
        bytes complete, F0 to F7 inclusive, in order. */
    template <typename Callback> void feed (const std::uint8_t* data, std::size_t size, Callback&& onMessage)
    {
        for (std::size_t i = 0; i < size; ++i)
        {
            if (take (data[i]))
            {
                onMessage (buffer.data(), length);
                length = 0;
            }
        }
    }

private:
    // Returns true when the byte completed the message in the buffer.
    bool take (std::uint8_t byte) noexcept;

    std::array<std::uint8_t, VqSysexProtocol::maxMessageLength> buffer {};
    std::size_t length = 0; // 0: not inside a message
};
} // namespace juce
