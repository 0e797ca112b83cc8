#pragma once

#include "AAX.h"
#include "AAX_CString.h"

#include <vector>

class AAX_IString;

/** The name written into the controls-state chunk. */
#define CONTROLS_CHUNK_DESCRIPTION "Complete Controls State"

/** Writes and reads the tagged list of parameter values of the controls-state chunk. */
class AAX_CChunkDataParser
{
public:
    AAX_CChunkDataParser();
    virtual ~AAX_CChunkDataParser();

    void AddDouble (const char* name, double value);
    void AddInt32 (const char* name, int32_t value);
    void AddString (const char* name, AAX_CString value);

    bool FindDouble (const char* name, double* value);
    bool FindInt32 (const char* name, int32_t* value);
    bool FindString (const char* name, AAX_IString* value);

    int32_t GetChunkDataSize();
    int32_t GetChunkData (AAX_SPlugInChunk* chunk);
    void LoadChunk (const AAX_SPlugInChunk* chunk);
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

protected:
    int32_t FindName (const AAX_CString& name);

    int32_t mLastFoundIndex = -1;
    int32_t mChunkVersion = -1;
    std::vector<DataValue> mDataValues;
};
