// Any bytes as a controls-state chunk applied to the 23 host parameters: nothing is read outside the
// record, every value stays finite within 0..1, a chunk without entries leaves the values as they
// were, and the chunk written afterwards carries the same values into a second set of parameters.
//
// The first four bytes are the record's size field (the host's claim, even negative or beyond the
// bytes given: the record is then zero-filled up to it, as a host's zeroed buffer would be); the rest
// is the data area.
#include "../tests/common/ControlsChunkRig.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
constexpr int32_t largestRecord = 1 << 16;

ControlsChunkRig* rig = nullptr;
ControlsChunkRig* copy = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    rig = new ControlsChunkRig();
    copy = new ControlsChunkRig();
    std::atexit (
        []
        {
            delete rig;
            delete copy;
        });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size < sizeof (int32_t))
        return 0;

    int32_t claimed = 0;
    std::memcpy (&claimed, data, sizeof (claimed));
    claimed = std::min (claimed, largestRecord);

    const auto given = std::min (size - sizeof (claimed), size_t (largestRecord));
    std::vector<char> record (offsetof (AAX_SPlugInChunk, fData) + std::max (given, size_t (std::max (claimed, 0))));
    std::memcpy (record.data() + offsetof (AAX_SPlugInChunk, fData), data + sizeof (claimed), given);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (record.data());
    chunk->fSize = claimed;

    float before[ParamData::numParams];

    for (int i = 0; i < ParamData::numParams; ++i)
        before[i] = rig->value (i);

    rig->apply (chunk);
    const auto loadedNothing = rig->parser().GetChunkDataSize() == 4;

    for (int i = 0; i < ParamData::numParams; ++i)
    {
        const auto value = rig->value (i);

        if (! (std::isfinite (value) && value >= 0.0f && value <= 1.0f) || (loadedNothing && value != before[i]))
            __builtin_trap();
    }

    auto written = rig->write();
    copy->apply (reinterpret_cast<const AAX_SPlugInChunk*> (written.data()));

    for (int i = 0; i < ParamData::numParams; ++i)
        if (copy->value (i) != rig->value (i))
            __builtin_trap();

    return 0;
}
