#pragma once

#include "AAX.h"
#include "AAX_CString.h"

#include <vector>

class AAX_IString;

/** The identifier of the controls-state chunk and the name written into it. */
#define CONTROLS_CHUNK_ID 0x656C636Bu // 'elck'
#define CONTROLS_CHUNK_DESCRIPTION "Complete Controls State"

/** Writes and reads the tagged list of parameter values of the controls-state chunk.

    The data area is a marker 01 01 01 01, then per entry a type tag and the identifier ("d_gain"),
    a NUL, zeros to a multiple of 4 and the value big-endian. Reading trusts nothing but the
    record's size field: an entry that is cut off or malformed ends the load with what came before
    it, and a value that is not finite is left out as if absent.
*/
class AAX_CChunkDataParser
{
public:
    AAX_CChunkDataParser();
    virtual ~AAX_CChunkDataParser();

    void AddDouble (const char* name, double value);
    void AddInt32 (const char* name, int32_t value);
    void AddString (const char* name, AAX_CString value);

    /** The value of the entry of that name and kind; false and the value untouched when there is none. */
    bool FindDouble (const char* name, double* value);
    bool FindInt32 (const char* name, int32_t* value);
    bool FindString (const char* name, AAX_IString* value);

    /** Bytes of the data area for the entries; -1 when they would not fit a chunk. */
    int32_t GetChunkDataSize() const;

    /** Writes the data area and the size field: 0, -333 when it does not fit, -20044 for a null record. */
    int32_t GetChunkData (AAX_SPlugInChunk* chunk);

    /** Replaces the entries with those of the record; -20044 for a null record. */
    AAX_Result LoadChunk (const AAX_SPlugInChunk* chunk);

    void Clear();
    int32_t GetChunkVersion() const { return mChunkVersion; }

    /** One entry: its kind (1 float, 2 int32, 3 double, 4 int16, 5 string, 0 unknown), name and value. */
    struct DataValue
    {
        int32_t mDataType = 0;
        AAX_CString mDataName;
        int64_t mIntValue = 0;
        AAX_CString mStringValue;
    };

    enum DataType
    {
        kUnknownType = 0,
        kFloatType,
        kLongType,
        kDoubleType,
        kShortType,
        kStringType
    };

protected:
    /** Searches on from the last hit and wraps around, so lookups in chunk order take one step each. */
    int32_t FindName (const AAX_CString& name);

    int32_t mLastFoundIndex = -1;
    int32_t mChunkVersion = -1;
    std::vector<DataValue> mDataValues;
};
