#include "AAX_CChunkDataParser.h"
#include "AAX_Errors.h"
#include "ChunkRecord.h"

#include <gtest/gtest.h>

#include <vector>

// Records a damaged session hands over: each lies in a heap block of exactly its size field, so any
// read past the size is a read past the block.
namespace
{
using Bytes = std::vector<uint8_t>;

// One entry of every tag. Names and strings end 1 to 3 bytes before a multiple of 4, so cuts fall
// between a NUL and the padding after it.
const Bytes everyTag { 1,    1,    1,   1,                                     // marker
                       'r',  '_',  'x', 'y', 0,    0,    0, 0, 'a', 'b', 0, 0, // "xy" "ab"
                       'd',  '_',  'g', 'a', 'i',  'n',  0, 0,                 // "gain"
                       0xbf, 0xe0, 0,   0,   0,    0,    0, 0,                 // -0.5
                       'f',  '_',  'q', 0,   0x3f, 0x80, 0, 0,                 // "q" 1.0f
                       'l',  '_',  'n', 0,   0,    0,    1, 0,                 // "n" 256
                       's',  '_',  'k', 0,   1,    2,    0, 0,                 // "k" 0x0102
                       'r',  '_',  'a', 'b', 'c',  'd',  0, 0,                 // "abcd"
                       't',  'e',  'x', 't', 0,    0,    0, 0 };               // "text"

/** From which cut on an entry is whole, and the chunk size it then adds up to with the ones before. */
struct WholeEntry
{
    size_t wholeFrom, sizeWithIt;
};

const WholeEntry entries[] = { { 15, 16 }, { 32, 32 }, { 40, 40 }, { 48, 48 }, { 54, 56 }, { 69, 72 } };

int32_t loadedSize (const Bytes& data)
{
    ChunkRecord record (data);
    AAX_CChunkDataParser parser;
    parser.LoadChunk (record.get());
    return parser.GetChunkDataSize();
}
} // namespace

TEST (AAX_CChunkDataParserBounds, ARecordWhoseNameEndsInItsLastByteLoadsNothingAndReadsNothingPastIt)
{
    ChunkRecord record (Bytes { 1, 1, 1, 1, 'r', '_', 'x', 'y', 0 });
    AAX_CChunkDataParser parser;
    AAX_CString text;

    EXPECT_EQ (parser.LoadChunk (record.get()), AAX_SUCCESS);
    EXPECT_EQ (parser.GetChunkDataSize(), 4);
    EXPECT_FALSE (parser.FindString ("xy", &text));
}

TEST (AAX_CChunkDataParserBounds, EveryCutOfAChunkKeepsTheEntriesThatAreWholeBeforeIt)
{
    ASSERT_EQ (loadedSize (everyTag), int32_t (everyTag.size()));

    for (size_t cut = 0; cut <= everyTag.size(); ++cut)
    {
        int32_t expected = 4;

        for (const auto& entry : entries)
            if (cut >= entry.wholeFrom)
                expected = int32_t (entry.sizeWithIt);

        EXPECT_EQ (loadedSize (Bytes (everyTag.begin(), everyTag.begin() + std::ptrdiff_t (cut))), expected)
            << "cut after " << cut << " bytes";
    }
}

TEST (AAX_CChunkDataParserBounds, TheEntriesOfACutChunkHoldTheirValues)
{
    ChunkRecord record (Bytes (everyTag.begin(), everyTag.begin() + 68));
    AAX_CChunkDataParser parser;
    parser.LoadChunk (record.get());
    AAX_CString text;
    double gain = 0.0;
    int32_t n = 0;

    EXPECT_TRUE (parser.FindString ("xy", &text));
    EXPECT_STREQ (text.Get(), "ab");
    EXPECT_TRUE (parser.FindDouble ("gain", &gain));
    EXPECT_EQ (gain, -0.5);
    EXPECT_TRUE (parser.FindInt32 ("n", &n));
    EXPECT_EQ (n, 256);
    EXPECT_FALSE (parser.FindString ("abcd", &text));
}
