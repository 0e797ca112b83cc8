#include "AAX_CChunkDataParser.h"

#include "AAX_CHostServices.h"
#include "AAX_Errors.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

namespace
{
constexpr AAX_Result chunkDoesNotFit = -333;
constexpr uint8_t marker[] = { 1, 1, 1, 1 };
constexpr int64_t tagLength = 2;
constexpr int64_t maxNameLength = 255;
constexpr const char* tags[] = { "f_", "l_", "d_", "s_", "r_" };

int64_t pad4 (int64_t length)
{
    return (length + 3) & ~int64_t (3);
}

bool isKnownType (int32_t type)
{
    return type >= AAX_CChunkDataParser::kFloatType && type <= AAX_CChunkDataParser::kStringType;
}

int64_t valueLength (const AAX_CChunkDataParser::DataValue& entry)
{
    switch (entry.mDataType)
    {
        case AAX_CChunkDataParser::kDoubleType: return 8;
        case AAX_CChunkDataParser::kStringType: return pad4 (entry.mStringValue.Length() + 1);
        default: return 4;
    }
}

// Tag, identifier and NUL padded to a multiple of 4, then the padded value.
int64_t entryLength (const AAX_CChunkDataParser::DataValue& entry)
{
    return pad4 (entry.mDataName.Length() + tagLength + 1) + valueLength (entry);
}

void writeBigEndian (char* out, uint64_t value, int numBytes)
{
    for (int i = numBytes - 1; i >= 0; --i, value >>= 8)
        out[i] = char (value & 0xff);
}

uint64_t readBigEndian (const char* in, int numBytes)
{
    uint64_t value = 0;

    for (int i = 0; i < numBytes; ++i)
        value = (value << 8) | uint8_t (in[i]);

    return value;
}

template <typename To, typename From> To bitsOf (From value)
{
    static_assert (sizeof (To) == sizeof (From));
    To bits;
    std::memcpy (&bits, &value, sizeof (bits));
    return bits;
}

/** Reads the data area of a record within its size field and nothing beyond. */
class Reader
{
public:
    Reader (const char* data, int64_t size)
        : data (data),
          size (size)
    {
    }

    bool atEnd() const { return offset >= size; }

    /** The NUL-terminated text at the offset, cut to its first maxLength characters; the offset moves past
        its NUL all the same. False when no NUL lies within the size. */
    bool readText (int64_t maxLength, AAX_CString& text)
    {
        // The offset may already lie past the size when the entry's name ended in its last bytes.
        if (size <= offset)
            return false;

        const auto* end = static_cast<const char*> (std::memchr (data + offset, 0, size_t (size - offset)));

        if (end == nullptr)
            return false;

        text = AAX_CString (std::string (data + offset, size_t (std::min<int64_t> (end - (data + offset), maxLength))));
        offset = pad4 (end - data + 1);
        return true;
    }

    /** A big-endian value of numBytes, after which the entry takes advance bytes; false when it is cut off. */
    bool readValue (int numBytes, int64_t advance, uint64_t& value)
    {
        if (offset + numBytes > size)
            return false;

        value = readBigEndian (data + offset, numBytes);
        offset += advance;
        return true;
    }

private:
    const char* data;
    int64_t size;
    int64_t offset = sizeof (marker);
};
} // namespace

AAX_CChunkDataParser::AAX_CChunkDataParser() = default;
AAX_CChunkDataParser::~AAX_CChunkDataParser() = default;

void AAX_CChunkDataParser::AddDouble (const char* name, double value)
{
    mDataValues.push_back ({ kDoubleType, AAX_CString (name), bitsOf<int64_t> (value), {} });
}

void AAX_CChunkDataParser::AddInt32 (const char* name, int32_t value)
{
    mDataValues.push_back ({ kLongType, AAX_CString (name), value, {} });
}

void AAX_CChunkDataParser::AddString (const char* name, AAX_CString value)
{
    mDataValues.push_back ({ kStringType, AAX_CString (name), 0, value });
}

bool AAX_CChunkDataParser::FindDouble (const char* name, double* value)
{
    const auto index = FindName (AAX_CString (name));

    if (index < 0 || mDataValues[size_t (index)].mDataType != kDoubleType)
        return false;

    *value = bitsOf<double> (mDataValues[size_t (index)].mIntValue);
    return true;
}

bool AAX_CChunkDataParser::FindInt32 (const char* name, int32_t* value)
{
    const auto index = FindName (AAX_CString (name));

    if (index < 0 || mDataValues[size_t (index)].mDataType != kLongType)
        return false;

    *value = int32_t (mDataValues[size_t (index)].mIntValue);
    return true;
}

bool AAX_CChunkDataParser::FindString (const char* name, AAX_IString* value)
{
    const auto index = FindName (AAX_CString (name));

    if (value == nullptr || index < 0 || mDataValues[size_t (index)].mDataType != kStringType)
        return false;

    value->Set (mDataValues[size_t (index)].mStringValue.Get());
    return true;
}

int32_t AAX_CChunkDataParser::GetChunkDataSize() const
{
    int64_t size = sizeof (marker);

    for (const auto& entry : mDataValues)
        if (isKnownType (entry.mDataType))
            size += entryLength (entry);

    return size <= std::numeric_limits<int32_t>::max() ? int32_t (size) : -1;
}

int32_t AAX_CChunkDataParser::GetChunkData (AAX_SPlugInChunk* chunk)
{
    if (chunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    const auto size = GetChunkDataSize();

    if (size < int32_t (sizeof (marker)))
        return chunkDoesNotFit;

    try
    {
        auto* data = chunk->fData;
        std::memset (data, 0, size_t (size));
        std::memcpy (data, marker, sizeof (marker));
        int64_t offset = sizeof (marker);

        for (const auto& entry : mDataValues)
        {
            if (! isKnownType (entry.mDataType))
                continue;

            if (offset + entryLength (entry) > size)
                throw std::out_of_range ("aborting: chunk data will overflow buffer");

            std::memcpy (data + offset, tags[entry.mDataType - 1], tagLength);
            std::memcpy (data + offset + tagLength, entry.mDataName.Get(), entry.mDataName.Length());
            offset += pad4 (entry.mDataName.Length() + tagLength + 1);

            auto* value = data + offset;
            const auto bits = uint64_t (entry.mIntValue);

            switch (entry.mDataType)
            {
                case kDoubleType: writeBigEndian (value, bits, 8); break;
                case kShortType: writeBigEndian (value, bits, 2); break;
                case kStringType: std::memcpy (value, entry.mStringValue.Get(), entry.mStringValue.Length()); break;
                default: writeBigEndian (value, bits, 4); break;
            }

            offset += valueLength (entry);
        }
    }
    catch (const std::exception& e)
    {
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "AAX_CChunkDataParser::GetChunkData ERROR: %s",
                                  e.what());
        return chunkDoesNotFit;
    }
    catch (...)
    {
        return chunkDoesNotFit;
    }

    chunk->fSize = size;
    return AAX_SUCCESS;
}

AAX_Result AAX_CChunkDataParser::LoadChunk (const AAX_SPlugInChunk* chunk)
{
    Clear();

    if (chunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    mChunkVersion = chunk->fVersion;

    if (chunk->fSize <= int32_t (sizeof (marker)) || std::memcmp (chunk->fData, marker, sizeof (marker)) != 0)
        return AAX_SUCCESS;

    Reader reader (chunk->fData, chunk->fSize);

    while (! reader.atEnd())
    {
        DataValue entry;
        AAX_CString taggedName;

        if (! reader.readText (maxNameLength, taggedName))
            break;

        // A name as short as its tag or shorter is an entry without a name.
        entry.mDataName.Set (taggedName.Length() < tagLength ? "" : taggedName.Get() + tagLength);
        uint64_t bits = 0;
        auto complete = true, usable = true;

        switch (taggedName.Get()[0])
        {
            case 'd':
                entry.mDataType = kDoubleType;
                complete = reader.readValue (8, 8, bits);
                usable = std::isfinite (bitsOf<double> (bits));
                break;
            case 'f':
                entry.mDataType = kFloatType;
                complete = reader.readValue (4, 4, bits);
                usable = std::isfinite (bitsOf<float> (uint32_t (bits)));
                break;
            case 'l':
                entry.mDataType = kLongType;
                complete = reader.readValue (4, 4, bits);
                bits = uint64_t (int64_t (int32_t (uint32_t (bits))));
                break;
            case 's':
                entry.mDataType = kShortType;
                complete = reader.readValue (2, 4, bits);
                break;
            case 'r':
                entry.mDataType = kStringType;
                complete = reader.readText (std::numeric_limits<int32_t>::max(), entry.mStringValue);
                break;
            default: break;
        }

        if (! complete)
            break;

        entry.mIntValue = int64_t (bits);

        if (usable)
            mDataValues.push_back (entry);
    }

    return AAX_SUCCESS;
}

void AAX_CChunkDataParser::Clear()
{
    mLastFoundIndex = -1;
    mChunkVersion = -1;
    mDataValues.clear();
}

int32_t AAX_CChunkDataParser::FindName (const AAX_CString& name)
{
    const auto count = int32_t (mDataValues.size());

    if (mLastFoundIndex >= count - 1)
        mLastFoundIndex = -1;

    if (mLastFoundIndex < -1)
        return -1;

    const auto searchFrom = [&] (int32_t first, int32_t last)
    {
        for (auto i = first; i <= last; ++i)
            if (mDataValues[size_t (i)].mDataName == name)
                return mLastFoundIndex = i;

        return int32_t (-1);
    };

    if (const auto hit = searchFrom (mLastFoundIndex + 1, count - 1); hit >= 0 || mLastFoundIndex == -1)
        return hit;

    return searchFrom (0, mLastFoundIndex);
}
