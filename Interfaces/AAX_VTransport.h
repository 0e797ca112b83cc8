#pragma once

#include "AAX_IACFTransport.h"
#include "AAX_ITransport.h"

/** The host's transport behind one pointer per version and the transport control. */
class AAX_VTransport : public AAX_ITransport
{
public:
    explicit AAX_VTransport (IACFUnknown* host);
    ~AAX_VTransport() override;

    AAX_Result GetCurrentTempo (double* tempo) const override;
    AAX_Result GetCurrentMeter (int32_t* meterNumerator, int32_t* meterDenominator) const override;
    AAX_Result IsTransportPlaying (bool* isPlaying) const override;
    AAX_Result GetCurrentTickPosition (int64_t* tickPosition) const override;
    AAX_Result GetCurrentLoopPosition (bool* bLooping, int64_t* loopStartTick, int64_t* loopEndTick) const override;
    AAX_Result GetCurrentNativeSampleLocation (int64_t* sampleLocation) const override;
    AAX_Result GetCustomTickPosition (int64_t* oTickPosition, int64_t iSampleLocation) const override;
    AAX_Result GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* displayTicks,
                                   int64_t sampleLocation) const override;
    AAX_Result GetTicksPerQuarter (uint32_t* ticks) const override;
    AAX_Result GetCurrentTicksPerBeat (uint32_t* ticks) const override;
    AAX_Result GetTimelineSelectionStartPosition (int64_t* oSampleLocation) const override;
    AAX_Result GetTimeCodeInfo (AAX_EFrameRate* oFrameRate, int32_t* oOffset) const override;
    AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate* oFeetFramesRate, int64_t* oOffset) const override;
    AAX_Result IsMetronomeEnabled (int32_t* isEnabled) const override;
    AAX_Result GetHDTimeCodeInfo (AAX_EFrameRate* oHDFrameRate, int64_t* oHDOffset) const override;
    AAX_Result RequestTransportStart() override;
    AAX_Result RequestTransportStop() override;
    AAX_Result GetTimelineSelectionEndPosition (int64_t* oSampleLocation) const override;

private:
    // Owned references queried from the host at construction, released by the destructor in reverse order.
    IAAXTransportV1* v1 = nullptr;
    IAAXTransportV2* v2 = nullptr;
    IAAXTransportV3* v3 = nullptr;
    IAAXTransportV4* v4 = nullptr;
    IAAXTransportControlV1* control = nullptr;
};
