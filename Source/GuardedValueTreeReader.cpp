#include "GuardedValueTreeReader.h"

namespace
{
// The type markers of juce::var's stream format.
enum VarMarker
{
    intMarker       = 1,
    boolTrueMarker  = 2,
    boolFalseMarker = 3,
    doubleMarker    = 4,
    stringMarker    = 5,
    int64Marker     = 6,
    arrayMarker     = 7,
    binaryMarker    = 8
};

// Smallest encodings, used to reject counts that cannot fit in what is left.
constexpr size_t minNodeBytes = 4;      // one-character type and its end, no properties, no children
constexpr size_t minPropertyBytes = 3;  // one-character name and its end, a void value

/** Walks the stream exactly as JUCE's reader would, without building anything. */
class StreamWalker
{
public:
    StreamWalker (const void* d, size_t n) : data (static_cast<const juce::uint8*> (d)), size (n) {}

    bool readNode (int depth)
    {
        if (depth > GuardedValueTreeReader::maxDepth || ++numNodes > GuardedValueTreeReader::maxNodes)
            return false;

        int numProperties = 0;

        if (! readName() || ! readCount (numProperties, minPropertyBytes))
            return false;

        for (int i = 0; i < numProperties; ++i)
            if (! readName() || ! readVar (depth + 1))
                return false;

        int numChildren = 0;

        if (! readCount (numChildren, minNodeBytes))
            return false;

        for (int i = 0; i < numChildren; ++i)
            if (! readNode (depth + 1))
                return false;

        return true;
    }

private:
    const juce::uint8* data;
    size_t size;
    size_t pos = 0;
    int numNodes = 0;
    int numValues = 0;

    size_t remaining() const noexcept   { return size - pos; }

    bool skip (size_t n) noexcept
    {
        if (n > remaining())
            return false;

        pos += n;
        return true;
    }

    bool readByte (juce::uint8& b) noexcept
    {
        if (remaining() == 0)
            return false;

        b = data[pos++];
        return true;
    }

    // JUCE's compressed int: a size byte (sign in bit 7) and up to four little-endian bytes. Values
    // beyond int's positive range are refused: JUCE would negate INT_MIN, and no count is that big.
    bool readCompressedInt (int& value) noexcept
    {
        juce::uint8 sizeByte = 0;

        if (! readByte (sizeByte))
            return false;

        const auto numBytes = (size_t) (sizeByte & 0x7f);

        if (numBytes > 4 || numBytes > remaining())
            return false;

        juce::uint32 magnitude = 0;

        for (size_t i = 0; i < numBytes; ++i)
            magnitude |= (juce::uint32) data[pos + i] << (8 * i);

        pos += numBytes;

        if (magnitude > (juce::uint32) std::numeric_limits<int>::max())
            return false;

        value = (sizeByte & 0x80) != 0 ? -(int) magnitude : (int) magnitude;
        return true;
    }

    // A count of things that each take at least minBytes must fit in what is left.
    bool readCount (int& count, size_t minBytes) noexcept
    {
        return readCompressedInt (count) && count >= 0 && (size_t) count <= remaining() / minBytes;
    }

    // A type or property name: non-empty, terminated inside the data, valid UTF-8.
    bool readName() noexcept
    {
        const auto* start = data + pos;
        const auto* end = static_cast<const juce::uint8*> (std::memchr (start, 0, remaining()));

        if (end == nullptr || end == start)
            return false;

        const auto length = (size_t) (end - start);

        if (! juce::CharPointer_UTF8::isValidString (reinterpret_cast<const char*> (start), (int) length))
            return false;

        pos += length + 1;
        return true;
    }

    // A var: its byte count must match what JUCE reads for its marker, so the two walks stay in step.
    bool readVar (int depth)
    {
        if (depth > GuardedValueTreeReader::maxDepth || ++numValues > GuardedValueTreeReader::maxValues)
            return false;

        int numBytes = 0;

        if (! readCompressedInt (numBytes) || numBytes < 0)
            return false;

        if (numBytes == 0)
            return true;

        juce::uint8 marker = 0;

        if (! readByte (marker))
            return false;

        const auto payload = (size_t) numBytes - 1;

        switch (marker)
        {
            case intMarker:         return payload == 4 && skip (4);
            case int64Marker:
            case doubleMarker:      return payload == 8 && skip (8);
            case boolTrueMarker:
            case boolFalseMarker:   return payload == 0;

            case arrayMarker:
            {
                const auto start = pos;
                int numElements = 0;

                if (payload > remaining() || ! readCount (numElements, 1))
                    return false;

                for (int i = 0; i < numElements; ++i)
                    if (! readVar (depth + 1))
                        return false;

                return pos - start == payload;
            }

            case stringMarker:
            case binaryMarker:
            default:                return skip (payload);
        }
    }
};
} // namespace

bool GuardedValueTreeReader::isWellFormed (const void* data, size_t numBytes)
{
    if (data == nullptr || numBytes == 0 || numBytes > maxBytes)
        return false;

    StreamWalker walker (data, numBytes);
    return walker.readNode (1);
}

juce::ValueTree GuardedValueTreeReader::read (const void* data, size_t numBytes)
{
    if (! isWellFormed (data, numBytes))
        return {};

    return juce::ValueTree::readFromData (data, numBytes);
}
