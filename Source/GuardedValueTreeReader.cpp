#include "GuardedValueTreeReader.h"

#include "StateReader.h"

namespace
{
// The type markers of juce::var's stream format.
enum VarMarker
{
    intMarker = 1,
    boolTrueMarker = 2,
    boolFalseMarker = 3,
    doubleMarker = 4,
    stringMarker = 5,
    int64Marker = 6,
    arrayMarker = 7,
    binaryMarker = 8
};

// Smallest encodings, used to reject counts that cannot fit in what is left.
constexpr size_t minNodeBytes = 4;     // one-character type and its end, no properties, no children
constexpr size_t minPropertyBytes = 3; // one-character name and its end, a void value

/** Walks the stream exactly as JUCE's reader would; builds the tree only when asked. */
class StreamWalker
{
public:
    StreamWalker (const void* d, size_t n)
        : data (static_cast<const juce::uint8*> (d)),
          size (n)
    {
    }

    // Without a node only checks; with one, also builds what JUCE's reader would build from the
    // same bytes, without its byte-by-byte reads of every name.
    bool readNode (int depth, juce::ValueTree* node)
    {
        if (depth > GuardedValueTreeReader::maxDepth || ++numNodes > GuardedValueTreeReader::maxNodes)
            return false;

        juce::Identifier type;
        int numProperties = 0;

        if (! readName (node != nullptr ? &type : nullptr) || ! readCount (numProperties, minPropertyBytes))
            return false;

        if (node != nullptr)
            *node = juce::ValueTree (type);

        for (int i = 0; i < numProperties; ++i)
        {
            juce::Identifier name;
            juce::var value;

            if (! readName (node != nullptr ? &name : nullptr) ||
                ! readVar (depth + 1, node != nullptr ? &value : nullptr))
                return false;

            // A repeated name replaces the earlier value, as in JUCE's reader.
            if (node != nullptr)
                node->setProperty (name, value, nullptr);
        }

        int numChildren = 0;

        if (! readCount (numChildren, minNodeBytes))
            return false;

        for (int i = 0; i < numChildren; ++i)
        {
            juce::ValueTree child;

            if (! readNode (depth + 1, node != nullptr ? &child : nullptr))
                return false;

            if (node != nullptr)
                node->appendChild (child, nullptr);
        }

        return true;
    }

private:
    const juce::uint8* data;
    size_t size;
    size_t pos = 0;
    int numNodes = 0;
    int numValues = 0;

    size_t remaining() const noexcept { return size - pos; }

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
    bool readName (juce::Identifier* name) noexcept
    {
        const auto* start = data + pos;
        const auto* end = static_cast<const juce::uint8*> (std::memchr (start, 0, remaining()));

        if (end == nullptr || end == start)
            return false;

        const auto length = (size_t) (end - start);
        const auto* text = reinterpret_cast<const char*> (start);

        if (! juce::CharPointer_UTF8::isValidString (text, (int) length))
            return false;

        if (name != nullptr)
            *name = juce::Identifier (juce::CharPointer_UTF8 (text), juce::CharPointer_UTF8 (text + length));

        pos += length + 1;
        return true;
    }

    // A var: its byte count must match what JUCE reads for its marker, so the two walks stay in step.
    // Filled in as JUCE's reader fills it: void for a size of 0 and for an unknown marker.
    bool readVar (int depth, juce::var* value)
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
        const auto* start = data + pos;
        const auto* text = reinterpret_cast<const char*> (start);

        switch (marker)
        {
            case intMarker:
                if (payload != 4 || ! skip (4))
                    return false;

                if (value != nullptr)
                    *value = (int) juce::ByteOrder::littleEndianInt (start);

                return true;

            case int64Marker:
            case doubleMarker:
            {
                if (payload != 8 || ! skip (8))
                    return false;

                if (value != nullptr)
                {
                    const auto bits = juce::ByteOrder::littleEndianInt64 (start);
                    double d = 0.0;
                    std::memcpy (&d, &bits, sizeof (d));
                    *value = marker == int64Marker ? juce::var ((juce::int64) bits) : juce::var (d);
                }

                return true;
            }

            case boolTrueMarker:
            case boolFalseMarker:
                if (payload != 0)
                    return false;

                if (value != nullptr)
                    *value = (marker == boolTrueMarker);

                return true;

            case arrayMarker:
            {
                const auto arrayStart = pos;
                int numElements = 0;

                if (payload > remaining() || ! readCount (numElements, 1))
                    return false;

                juce::Array<juce::var> elements;

                for (int i = 0; i < numElements; ++i)
                {
                    juce::var element;

                    if (! readVar (depth + 1, value != nullptr ? &element : nullptr))
                        return false;

                    if (value != nullptr)
                        elements.add (std::move (element));
                }

                if (value != nullptr)
                    *value = std::move (elements);

                return pos - arrayStart == payload;
            }

            case stringMarker:
                if (! skip (payload))
                    return false;

                if (value != nullptr)
                    *value = juce::String (juce::CharPointer_UTF8 (text), juce::CharPointer_UTF8 (text + payload));

                return true;

            case binaryMarker:
                if (! skip (payload))
                    return false;

                if (value != nullptr)
                    *value = juce::MemoryBlock (start, payload);

                return true;

            default: return skip (payload);
        }
    }
};
} // namespace

bool GuardedValueTreeReader::isWellFormed (const void* data, size_t numBytes)
{
    if (data == nullptr || numBytes == 0 || numBytes > StateReader::maxBytes)
        return false;

    StreamWalker walker (data, numBytes);
    return walker.readNode (1, nullptr);
}

juce::ValueTree GuardedValueTreeReader::read (const void* data, size_t numBytes)
{
    // Checked whole before anything is built, so refused data allocates nothing and pools no names.
    if (! isWellFormed (data, numBytes))
        return {};

    juce::ValueTree tree;
    StreamWalker builder (data, numBytes);
    builder.readNode (1, &tree);
    return tree;
}
