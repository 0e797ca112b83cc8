#pragma once

#include <juce_data_structures/juce_data_structures.h>

/** Reads JUCE's value-tree stream from bytes that anyone may have written.

    JUCE's reader trusts what it reads: a child count allocates at once, nesting recurses, and a
    count beyond the data is not noticed. So the bytes are walked first with the same grammar, and
    the tree that JUCE's reader would give is built from them only when they hold one complete tree
    whose counts fit in the data, with size (StateReader::maxBytes), depth, node and value counts kept below limits far
   above any real state (which also keeps JUCE's property lookups, linear per node, and its pool of names from going
   quadratic). Building it here also spares JUCE's byte-by-byte reads of every name.
*/
class GuardedValueTreeReader
{
public:
    static constexpr int maxDepth = 16;
    static constexpr int maxNodes = 4096;
    static constexpr int maxValues = 16384; // properties and array elements together

    /** The tree in the data, or an invalid tree when the data is not one well-formed tree within
        the limits. Bytes after the tree are ignored, as JUCE's reader ignores them. */
    static juce::ValueTree read (const void* data, size_t numBytes);

    /** Whether the data holds one well-formed tree within the limits. */
    static bool isWellFormed (const void* data, size_t numBytes);
};
