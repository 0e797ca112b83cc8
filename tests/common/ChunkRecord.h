#pragma once

#include "AAX.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

/** A host chunk record in a heap block of exactly its header and the data it is given, so that a read
    beyond the data is a read beyond the block (which AddressSanitizer reports). */
class ChunkRecord
{
public:
    ChunkRecord (const void* data, size_t size, int32_t sizeField)
        : bytes (offsetof (AAX_SPlugInChunk, fData) + size)
    {
        if (size > 0)
            std::memcpy (bytes.data() + offsetof (AAX_SPlugInChunk, fData), data, size);

        get()->fSize = sizeField;
        get()->fVersion = 7;
        get()->fChunkID = 0x656C636B; // 'elck'
    }

    ChunkRecord (const std::vector<uint8_t>& data, int32_t sizeField)
        : ChunkRecord (data.data(), data.size(), sizeField)
    {
    }

    /** The data, with a size field that tells its length as a host's would. */
    explicit ChunkRecord (const std::vector<uint8_t>& data)
        : ChunkRecord (data, int32_t (data.size()))
    {
    }

    AAX_SPlugInChunk* get() { return reinterpret_cast<AAX_SPlugInChunk*> (bytes.data()); }

private:
    std::vector<char> bytes;
};
