#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "IACFUnknown.h"

/** The host's transport, first version. */
class IAAXTransportV1 : public IACFUnknown
{
public:
    virtual AAX_Result GetCurrentTempo (double* bpm) = 0;
    virtual AAX_Result GetCurrentMeter (int32_t* numerator, int32_t* denominator) = 0;
    virtual AAX_Result IsTransportPlaying (bool* isPlaying) = 0;
    virtual AAX_Result GetCurrentTickPosition (int64_t* ticks) = 0;
    virtual AAX_Result GetCurrentLoopPosition (bool* looping, int64_t* loopStartTick, int64_t* loopEndTick) = 0;
    virtual AAX_Result GetCurrentNativeSampleLocation (int64_t* sampleLocation) = 0;
    virtual AAX_Result GetCustomTickPosition (int64_t* ticks, int64_t sampleLocation) = 0;
    virtual AAX_Result GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* displayTicks,
                                           int64_t sampleLocation) = 0;
    virtual AAX_Result GetTicksPerQuarter (uint32_t* ticks) = 0;
    virtual AAX_Result GetCurrentTicksPerBeat (uint32_t* ticks) = 0;
};

/** Second version: selection, time code, feet and frames, metronome. */
class IAAXTransportV2 : public IAAXTransportV1
{
public:
    virtual AAX_Result GetTimelineSelectionStartPosition (int64_t* sampleLocation) = 0;
    virtual AAX_Result GetTimeCodeInfo (AAX_EFrameRate* frameRate, int32_t* offset) = 0;
    virtual AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate* rate, int64_t* offset) = 0;
    virtual AAX_Result IsMetronomeEnabled (int32_t* enabled) = 0;
};

/** Third version: high-definition time code. */
class IAAXTransportV3 : public IAAXTransportV2
{
public:
    virtual AAX_Result GetHDTimeCodeInfo (AAX_EFrameRate* frameRate, int64_t* offset) = 0;
};

/** Fourth version: end of the timeline selection. */
class IAAXTransportV4 : public IAAXTransportV3
{
public:
    virtual AAX_Result GetTimelineSelectionEndPosition (int64_t* sampleLocation) = 0;
};

/** Requests to start and stop the transport. */
class IAAXTransportControlV1 : public IACFUnknown
{
public:
    virtual AAX_Result RequestTransportStart() = 0;
    virtual AAX_Result RequestTransportStop() = 0;
};
