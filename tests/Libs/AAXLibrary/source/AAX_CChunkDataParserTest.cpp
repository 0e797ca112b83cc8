#include "AAX_CChunkDataParser.h"
#include "AAX_Errors.h"
#include "ChunkRecord.h"
#include "ControlsChunkRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

using Record = ChunkRecord;

/** The data area the parser writes for its entries. */
Bytes written (AAX_CChunkDataParser& parser)
{
    Record record (Bytes (size_t (parser.GetChunkDataSize()), 0xee), 0);
    EXPECT_EQ (parser.GetChunkData (record.get()), AAX_SUCCESS);

    const auto* data = reinterpret_cast<const uint8_t*> (record.get()->fData);
    return Bytes (data, data + record.get()->fSize);
}

/** The parser with its entries in view. */
struct InspectableParser : AAX_CChunkDataParser
{
    using AAX_CChunkDataParser::FindName;
    using AAX_CChunkDataParser::mDataValues;
};

// Identifiers of 1, 2 and 6 characters: 4, 8 and 12 bytes for tag and name, then 8 value bytes each.
const Bytes golden { 1,    1,   1,   1,                                                       // marker
                     'd',  '_', 'a', 0,   0x3f, 0xe0, 0,   0,   0,    0,    0, 0,             // "a" 0.5
                     'd',  '_', 'a', 'b', 0,    0,    0,   0,   0x3f, 0xf0, 0, 0, 0, 0, 0, 0, // "ab" 1.0
                     'd',  '_', 'a', 'b', 'c',  'd',  'e', 'f', 0,    0,    0, 0,             // "abcdef"
                     0xc0, 0,   0,   0,   0,    0,    0,   0 };                               // -2.0

void addGoldenEntries (AAX_CChunkDataParser& parser)
{
    parser.AddDouble ("a", 0.5);
    parser.AddDouble ("ab", 1.0);
    parser.AddDouble ("abcdef", -2.0);
}

double findDouble (AAX_CChunkDataParser& parser, const char* name)
{
    double value = std::nan ("");
    parser.FindDouble (name, &value);
    return value;
}

Bytes withDouble (const char* name, uint64_t bits)
{
    Bytes data { 1, 1, 1, 1, 'd', '_' };
    data.insert (data.end(), name, name + std::strlen (name) + 1);
    data.resize ((data.size() + 3) & ~size_t (3), 0);

    for (int shift = 56; shift >= 0; shift -= 8)
        data.push_back (uint8_t (bits >> shift));

    return data;
}

Bytes goldenThen (const Bytes& tail)
{
    auto data = golden;
    data.insert (data.end(), tail.begin(), tail.end());
    return data;
}

Bytes followedByGolden (Bytes data)
{
    data.insert (data.end(), golden.begin() + 4, golden.end());
    return data;
}

/** A record with entries damaged or unusual somewhere, and how many entries it holds. */
struct Case
{
    const char* what;
    Bytes data;
    size_t entries;
};

/** The parser after loading the case, checked for its number of entries and for the golden entry
    "abcdef" that stands after the damage or before it. */
std::unique_ptr<InspectableParser> loaded (const Case& c)
{
    auto parser = std::make_unique<InspectableParser>();
    Record record (c.data);
    parser->LoadChunk (record.get());

    EXPECT_EQ (parser->mDataValues.size(), c.entries) << c.what;
    EXPECT_EQ (findDouble (*parser, "abcdef"), -2.0) << c.what;
    return parser;
}
} // namespace

TEST (AAX_CChunkDataParser, DoublesAreWrittenByteExactWithPaddedTaggedNamesAndReadBack)
{
    AAX_CChunkDataParser parser;
    addGoldenEntries (parser);

    EXPECT_EQ (parser.GetChunkDataSize(), int32_t (golden.size()));
    EXPECT_EQ (written (parser), golden);

    Record record (golden);
    EXPECT_EQ (parser.LoadChunk (record.get()), AAX_SUCCESS);
    EXPECT_EQ (parser.GetChunkVersion(), 7);
    EXPECT_EQ (findDouble (parser, "a"), 0.5);
    EXPECT_EQ (findDouble (parser, "ab"), 1.0);
    EXPECT_EQ (findDouble (parser, "abcdef"), -2.0);
    EXPECT_EQ (written (parser), golden);
}

TEST (AAX_CChunkDataParser, TheTwentyThreeParametersMakeA332ByteChunkThatCarriesTheirValuesToAnotherInstance)
{
    ControlsChunkRig source, target;

    for (int i = 0; i < ParamData::numParams; ++i)
        source.setValue (i, float (i) / 22.0f);

    auto record = source.write();
    const auto* chunk = reinterpret_cast<const AAX_SPlugInChunk*> (record.data());
    EXPECT_EQ (chunk->fSize, 332);

    target.apply (chunk);

    for (int i = 0; i < ParamData::numParams; ++i)
        EXPECT_EQ (target.value (i), float (i) / 22.0f) << i;

    EXPECT_EQ (target.write(), record);
}

TEST (AAX_CChunkDataParser, StringsAndIntegersArePaddedAndTheEntryAfterAStringIsFound)
{
    AAX_CChunkDataParser parser;
    parser.AddString ("s", AAX_CString ("abc"));
    parser.AddString ("t", AAX_CString ("abcd"));
    parser.AddInt32 ("n", -2);

    const Bytes expected { 1,   1,   1,   1,   'r', '_', 's', 0, 'a', 'b', 'c', 0, 'r',  '_',  't',  0,
                           'a', 'b', 'c', 'd', 0,   0,   0,   0, 'l', '_', 'n', 0, 0xff, 0xff, 0xff, 0xfe };
    EXPECT_EQ (written (parser), expected);

    Record record (expected);
    parser.LoadChunk (record.get());

    AAX_CString text;
    int32_t number = 0;
    EXPECT_TRUE (parser.FindString ("t", &text));
    EXPECT_STREQ (text.Get(), "abcd");
    EXPECT_TRUE (parser.FindInt32 ("n", &number));
    EXPECT_EQ (number, -2);
    EXPECT_FALSE (parser.FindDouble ("n", nullptr));
}

TEST (AAX_CChunkDataParser, AShortEntryLoadsItsTwoBytesAndTakesFour)
{
    InspectableParser parser;
    Record record ({ 1, 1, 1, 1, 's', '_', 'x', 0, 1, 2, 0, 0, 'l', '_', 'y', 0, 0, 0, 0, 5 });

    parser.LoadChunk (record.get());

    ASSERT_EQ (parser.mDataValues.size(), 2u);
    EXPECT_EQ (parser.mDataValues[0].mDataType, AAX_CChunkDataParser::kShortType);
    EXPECT_EQ (parser.mDataValues[0].mIntValue, 0x0102);
    EXPECT_EQ (parser.mDataValues[1].mIntValue, 5);
}

TEST (AAX_CChunkDataParser, AFloatStoredAsADoubleNarrowsBackToTheSameFloat)
{
    AAX_CChunkDataParser parser;
    parser.AddDouble ("0", double (0.1f));

    Record record (written (parser));
    parser.LoadChunk (record.get());

    EXPECT_EQ (float (findDouble (parser, "0")), 0.1f);
}

TEST (AAX_CChunkDataParser, NamesAreFoundInChunkOrderAgainFromTheStartAndAnAbsentOneAfterOnePass)
{
    InspectableParser parser;
    addGoldenEntries (parser);

    for (int pass = 0; pass < 2; ++pass)
    {
        EXPECT_EQ (parser.FindName (AAX_CString ("a")), 0);
        EXPECT_EQ (parser.FindName (AAX_CString ("ab")), 1);
        EXPECT_EQ (parser.FindName (AAX_CString ("abcdef")), 2);
    }

    EXPECT_EQ (parser.FindName (AAX_CString ("ab")), 1);
    EXPECT_EQ (parser.FindName (AAX_CString ("a")), 0);
    EXPECT_EQ (parser.FindName (AAX_CString ("zz")), -1);
    EXPECT_EQ (parser.FindName (AAX_CString ("abcdef")), 2);
    EXPECT_TRUE (std::isnan (findDouble (parser, nullptr)));
}

TEST (AAX_CChunkDataParser, RecordsWithoutEntriesLoadEmptyAndNullRecordsAreRefused)
{
    struct Case
    {
        const char* what;
        Bytes data;
        int32_t sizeField;
    };

    const Case cases[] = { { "marker only", { 1, 1, 1, 1 }, 4 },
                           { "size zero", golden, 0 },
                           { "negative size", golden, -1 },
                           { "most negative size", golden, std::numeric_limits<int32_t>::min() },
                           { "wrong marker", { 1, 1, 1, 2, 'd', '_', 'a', 0, 0, 0, 0, 0, 0, 0, 0, 0 }, 16 } };

    for (const auto& c : cases)
    {
        AAX_CChunkDataParser parser;
        parser.AddDouble ("stale", 1.0);
        Record record (c.data, c.sizeField);

        EXPECT_EQ (parser.LoadChunk (record.get()), AAX_SUCCESS) << c.what;
        EXPECT_EQ (parser.GetChunkDataSize(), 4) << c.what;
    }

    AAX_CChunkDataParser parser;
    EXPECT_EQ (parser.LoadChunk (nullptr), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_EQ (parser.GetChunkData (nullptr), AAX_ERROR_NULL_ARGUMENT);
}

TEST (AAX_CChunkDataParser, ATruncatedChunkKeepsEveryEntryThatIsWhole)
{
    for (size_t length = 5; length <= golden.size(); ++length)
    {
        InspectableParser parser;
        Record record (Bytes (golden.begin(), golden.begin() + std::ptrdiff_t (length)));

        parser.LoadChunk (record.get());

        const size_t whole = length >= 52 ? 3 : length >= 32 ? 2 : length >= 16 ? 1 : 0;
        EXPECT_EQ (parser.mDataValues.size(), whole) << length;
    }
}

TEST (AAX_CChunkDataParser, MalformedEntriesEndTheLoadAndNonFiniteValuesAreSkipped)
{
    const auto nanBits = 0x7ff8000000000000ull, infinityBits = 0x7ff0000000000000ull;

    const Case cases[] = {
        { "a name without its NUL", goldenThen ({ 'd', '_', 'x', 'y' }), 3 },
        { "a long name without its NUL", goldenThen (Bytes (300, 'd')), 3 },
        { "a string without its NUL", goldenThen ({ 'r', '_', 's', 0, 'a', 'b' }), 3 },
        { "a NaN", followedByGolden (withDouble ("n", nanBits)), 3 },
        { "an infinity", followedByGolden (withDouble ("n", infinityBits)), 3 },
        { "a float NaN", followedByGolden ({ 1, 1, 1, 1, 'f', '_', 'n', 0, 0x7f, 0xc0, 0, 0 }), 3 },
        { "an unknown tag", goldenThen ({ 'q', '_', 'z', 0 }), 4 },
    };

    for (const auto& c : cases)
    {
        const auto parser = loaded (c);
        EXPECT_TRUE (std::isnan (findDouble (*parser, "n"))) << c.what;
    }
}

TEST (AAX_CChunkDataParser, ShortNamesCutLongNamesAndFiniteDoublesBeyondFloatAreEntriesAndTheLoadGoesOnAfterThem)
{
    const auto hugeBits = 0x7e37e43c8800759cull; // 1e300
    const auto longName = std::string (300, 'x');

    const Case cases[] = {
        { "an empty name", followedByGolden ({ 1, 1, 1, 1, 0, 0, 0, 0 }), 4 },
        { "a one-character name", followedByGolden ({ 1, 1, 1, 1, 'd', 0, 0, 0, 0x3f, 0xf0, 0, 0, 0, 0, 0, 0 }), 4 },
        { "zeros after the data", goldenThen ({ 0, 0, 0, 0, 0, 0, 0, 0 }), 5 },
        { "a double beyond float", followedByGolden (withDouble ("n", hugeBits)), 4 },
        { "a name longer than 255 characters", followedByGolden (withDouble (longName.c_str(), hugeBits)), 4 },
    };

    for (const auto& c : cases)
        loaded (c);

    const auto cutName = loaded (cases[4])->mDataValues.at (0).mDataName;
    EXPECT_EQ (std::string (cutName.Get()), longName.substr (0, 253)) << "255 characters, the tag among them";

    const auto oneCharacter = loaded (cases[1]);
    EXPECT_EQ (oneCharacter->mDataValues.at (0).mDataType, AAX_CChunkDataParser::kDoubleType);
    EXPECT_EQ (findDouble (*oneCharacter, ""), 1.0) << "the name is what follows the tag: nothing";
    EXPECT_EQ (loaded (cases[0])->mDataValues.at (0).mDataType, AAX_CChunkDataParser::kUnknownType);
    EXPECT_EQ (findDouble (*loaded (cases[3]), "n"), 1e300);
}

TEST (AAX_CChunkDataParser, ADoubleBeyondFloatLeavesAFloatParameterAsItWasAndTheNextIsSet)
{
    ControlsChunkRig rig;
    const auto before = rig.value (0);
    auto data = withDouble ("0", 0x7e37e43c8800759cull);       // 1e300
    const auto next = withDouble ("1", 0x3fe8000000000000ull); // 0.75
    data.insert (data.end(), next.begin() + 4, next.end());
    Record record (data);

    rig.apply (record.get());

    EXPECT_EQ (rig.value (0), before);
    EXPECT_EQ (rig.value (1), 0.75f);
}
