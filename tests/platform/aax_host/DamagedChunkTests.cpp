#include "ModuleFixture.h"
#include "tests/common/ChunkRecord.h"

#include <cstring>

// A damaged session hands the module controls chunks that end anywhere: each lies in a heap block of
// exactly its size, and the module must apply what is whole or refuse, never read past it.
using DamagedChunk = ModuleFixture;

namespace
{
constexpr AAX_CTypeID controls = 'elck';

/** The data area of the instance's controls chunk. */
std::vector<char> controlsData (aax_host::ModuleInstance& instance)
{
    uint32_t size = 0;
    EXPECT_EQ (instance.parameters().GetChunkSize (controls, &size), AAX_SUCCESS);
    std::vector<char> data (size);
    ChunkRecord record (data.data(), size, 0);
    EXPECT_EQ (instance.parameters().GetChunk (controls, record.get()), AAX_SUCCESS);
    std::memcpy (data.data(), record.get()->fData, size);
    return data;
}

/** Where each entry ends: the product's parameters are all "d_" entries, a padded name and 8 bytes. */
std::vector<size_t> entryEnds (const std::vector<char>& data)
{
    std::vector<size_t> ends;

    for (size_t offset = 4; offset < data.size(); offset += 8)
    {
        offset = (offset + std::strlen (data.data() + offset) + 4) & ~size_t (3);
        ends.push_back (offset + 8);
    }

    return ends;
}

AAX_Result apply (aax_host::ModuleInstance& instance, const std::vector<char>& data, size_t length)
{
    ChunkRecord record (data.data(), length, int32_t (length));
    return instance.parameters().SetChunk (controls, record.get());
}
} // namespace

TEST_F (DamagedChunk, ARecordWhoseNameEndsInItsLastByteChangesNothing)
{
    auto instance = makeInstance();
    const auto before = controlsData (*instance);
    const std::vector<char> damaged { 1, 1, 1, 1, 'r', '_', 'x', 'y', 0 };

    const auto result = apply (*instance, damaged, damaged.size());

    EXPECT_LE (result, AAX_SUCCESS);
    EXPECT_EQ (controlsData (*instance), before);
}

TEST_F (DamagedChunk, EveryCutOfTheControlsChunkAppliesTheEntriesThatAreWholeAndKeepsTheRest)
{
    auto instance = makeInstance();
    const auto baseline = controlsData (*instance);
    const auto ends = entryEnds (baseline);
    ASSERT_EQ (ends.size(), 23u);
    ASSERT_EQ (ends.back(), baseline.size());

    // Every value moved to 1/32 above or below where it was (exact in float and double).
    auto changed = baseline;

    for (auto end : ends)
    {
        double value = 0.0;
        uint64_t bits = 0;

        for (int i = 0; i < 8; ++i)
            bits = (bits << 8) | uint8_t (changed[end - 8 + size_t (i)]);

        std::memcpy (&value, &bits, sizeof (value));
        value += value < 0.5 ? 1.0 / 32.0 : -1.0 / 32.0;
        std::memcpy (&bits, &value, sizeof (bits));

        for (int i = 7; i >= 0; --i, bits >>= 8)
            changed[end - 8 + size_t (i)] = char (bits & 0xff);
    }

    ASSERT_EQ (apply (*instance, changed, changed.size()), AAX_SUCCESS);
    ASSERT_EQ (controlsData (*instance), changed);

    // A text entry of no parameter at the end, so that cuts also fall just after its name.
    auto saved = changed;
    saved.insert (saved.end(), { 'r', '_', 'x', 'y', 0, 0, 0, 0, 'a', 'b', 0, 0 });

    for (size_t cut = 0; cut <= saved.size(); ++cut)
    {
        ASSERT_EQ (apply (*instance, baseline, baseline.size()), AAX_SUCCESS);
        EXPECT_LE (apply (*instance, saved, cut), AAX_SUCCESS);

        auto expected = baseline;

        for (size_t i = 0, start = 4; i < ends.size() && ends[i] <= cut; start = ends[i++])
            std::copy (changed.begin() + std::ptrdiff_t (start), changed.begin() + std::ptrdiff_t (ends[i]),
                       expected.begin() + std::ptrdiff_t (start));

        EXPECT_EQ (controlsData (*instance), expected) << "cut after " << cut << " bytes";
    }
}
