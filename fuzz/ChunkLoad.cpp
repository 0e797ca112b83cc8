// Any bytes as a controls-state chunk applied to the 23 host parameters: nothing is read outside the
// record, every value stays finite within 0..1, a chunk without entries leaves the values as they
// were, and the chunk written afterwards carries the same values into a second set of parameters.
//
// The first four bytes are the record's size field, the rest the data area. A host hands over a record
// of exactly the size it claims, so the record's block ends there: bytes given beyond the claim are
// left out, and a claim beyond the bytes given is zero-filled, as a host's zeroed buffer would be. A
// negative claim gets a record without a data area.
#include "../tests/common/ChunkRecord.h"
#include "../tests/common/ControlsChunkRig.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
// Twelve times the product's chunk: room for every kind of entry and damage, while a record of zeros
// (an entry without a name every 4 bytes) keeps the runs quick.
constexpr int32_t largestRecord = 1 << 12;

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

    std::vector<uint8_t> area (size_t (std::max (claimed, 0)), 0);
    std::copy_n (data + sizeof (claimed), std::min (size - sizeof (claimed), area.size()), area.begin());
    ChunkRecord record (area, claimed);
    auto* chunk = record.get();

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
