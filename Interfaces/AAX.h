#pragma once

#include <cstddef>
#include <cstdint>

#include "ACFBaseTypes.h"

/** The basic types that every AAX interface of the library uses. */

// The calling convention of the host's callbacks; the default one on the platforms we build for.
#define AAX_CALLBACK

using AAX_Result = int32_t;
using AAX_CParamID = const char*;
using AAX_CTypeID = uint32_t;
using AAX_CBoolean = uint8_t;
using AAX_CFieldIndex = int32_t;
using AAX_CPropertyValue = int32_t;
using AAX_CSampleRate = float;
using AAX_CSelector = uint32_t;
using AAX_CTimeOfDay = int64_t;
using AAX_CTransportCounter = int64_t;
using AAX_CTargetPlatform = int32_t;
using AAX_CProcPtrID = int32_t;
using AAX_Feature_UID = _acfUID;

/** The procedures an effect registers: ID 0 builds its effect-parameters object, ID 1 its GUI. */
constexpr AAX_CProcPtrID kAAX_ProcPtrID_Create_EffectParameters = 0;
constexpr AAX_CProcPtrID kAAX_ProcPtrID_Create_EffectGUI = 1;

/** The index of a field of an algorithm context: its offset counted in pointer-sized slots. */
#define AAX_FIELD_INDEX(contextType, field)                                                                            \
    (static_cast<AAX_CFieldIndex> (offsetof (contextType, field) / sizeof (void*)))

enum AAX_EComponentInstanceInitAction : int32_t;

using AAX_CProcessProc = void (AAX_CALLBACK*) (void* const inInstancesBegin[], const void* inInstancesEnd);
using AAX_CInstanceInitProc = int32_t (AAX_CALLBACK*) (const void* inInstanceContext,
                                                       AAX_EComponentInstanceInitAction inAction);
using AAX_CBackgroundProc = int32_t (AAX_CALLBACK*)();

/** One chunk of plug-in state as the host stores it; the data area follows the 56-byte header. */
struct AAX_SPlugInChunk
{
    int32_t fSize;
    int32_t fVersion;
    AAX_CTypeID fManufacturerID;
    AAX_CTypeID fProductID;
    AAX_CTypeID fPlugInID;
    AAX_CTypeID fChunkID;
    unsigned char fName[32];
    char fData[1];
};

/** The manufacturer, product and plug-in type of one plug-in variant. */
struct AAX_SPlugInIdentifierTriad
{
    AAX_CTypeID mManufacturerID;
    AAX_CTypeID mProductID;
    AAX_CTypeID mPlugInID;
};

/** One MIDI message of at most four bytes with its sample offset. */
struct AAX_CMidiPacket
{
    uint32_t mTimestamp;
    uint32_t mLength;
    unsigned char mData[4];
    AAX_CBoolean mIsImmediate;
};

/** The packets one MIDI node carries in one processing call. */
struct AAX_CMidiStream
{
    uint32_t mBufferSize;
    AAX_CMidiPacket* mBuffer;
};

struct AAX_SHybridRenderInfo;
