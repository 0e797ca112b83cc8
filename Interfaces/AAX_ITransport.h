#pragma once

#include "AAX.h"
#include "AAX_Enums.h"

/** The host's transport: tempo, meter, play state and positions. */
class AAX_ITransport
{
public:
    virtual ~AAX_ITransport() = default;

    virtual AAX_Result GetCurrentTempo (double* tempo) const = 0;
    virtual AAX_Result GetCurrentMeter (int32_t* meterNumerator, int32_t* meterDenominator) const = 0;
    virtual AAX_Result IsTransportPlaying (bool* isPlaying) const = 0;
    virtual AAX_Result GetCurrentTickPosition (int64_t* tickPosition) const = 0;
    virtual AAX_Result GetCurrentLoopPosition (bool* bLooping, int64_t* loopStartTick, int64_t* loopEndTick) const = 0;
    virtual AAX_Result GetCurrentNativeSampleLocation (int64_t* sampleLocation) const = 0;
    virtual AAX_Result GetCustomTickPosition (int64_t* oTickPosition, int64_t iSampleLocation) const = 0;
    virtual AAX_Result GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* displayTicks,
                                           int64_t sampleLocation) const = 0;
    virtual AAX_Result GetTicksPerQuarter (uint32_t* ticks) const = 0;
    virtual AAX_Result GetCurrentTicksPerBeat (uint32_t* ticks) const = 0;
    virtual AAX_Result GetTimelineSelectionStartPosition (int64_t* oSampleLocation) const = 0;
    virtual AAX_Result GetTimeCodeInfo (AAX_EFrameRate* oFrameRate, int32_t* oOffset) const = 0;
    virtual AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate* oFeetFramesRate, int64_t* oOffset) const = 0;
    virtual AAX_Result IsMetronomeEnabled (int32_t* isEnabled) const = 0;
    virtual AAX_Result GetHDTimeCodeInfo (AAX_EFrameRate* oHDFrameRate, int64_t* oHDOffset) const = 0;
    virtual AAX_Result RequestTransportStart() = 0;
    virtual AAX_Result RequestTransportStop() = 0;
    virtual AAX_Result GetTimelineSelectionEndPosition (int64_t* oSampleLocation) const = 0;
};
