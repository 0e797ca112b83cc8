#include "AAX_VTransport.h"

#include "AAX_UIDs.h"
#include "AAX_VersionForwarding.h"

using namespace AAX_VersionForwarding;

AAX_VTransport::AAX_VTransport (IACFUnknown* host)
    : v1 (query<IAAXTransportV1> (host, IID_IAAXTransportV1)),
      v2 (query<IAAXTransportV2> (host, IID_IAAXTransportV2)),
      v3 (query<IAAXTransportV3> (host, IID_IAAXTransportV3)),
      v4 (query<IAAXTransportV4> (host, IID_IAAXTransportV4)),
      control (query<IAAXTransportControlV1> (host, IID_IAAXTransportControlV1))
{
}

AAX_VTransport::~AAX_VTransport()
{
    release (control);
    release (v4);
    release (v3);
    release (v2);
    release (v1);
}

AAX_Result AAX_VTransport::GetCurrentTempo (double* tempo) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& t) { return t.GetCurrentTempo (tempo); }, tempo);
}

AAX_Result AAX_VTransport::GetCurrentMeter (int32_t* numerator, int32_t* denominator) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& t) { return t.GetCurrentMeter (numerator, denominator); }, numerator,
        denominator);
}

AAX_Result AAX_VTransport::IsTransportPlaying (bool* isPlaying) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& t) { return t.IsTransportPlaying (isPlaying); }, isPlaying);
}

AAX_Result AAX_VTransport::GetCurrentTickPosition (int64_t* ticks) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& t) { return t.GetCurrentTickPosition (ticks); }, ticks);
}

AAX_Result AAX_VTransport::GetCurrentLoopPosition (bool* looping, int64_t* start, int64_t* end) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& t) { return t.GetCurrentLoopPosition (looping, start, end); }, looping,
        start, end);
}

AAX_Result AAX_VTransport::GetCurrentNativeSampleLocation (int64_t* sampleLocation) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& t) { return t.GetCurrentNativeSampleLocation (sampleLocation); },
        sampleLocation);
}

AAX_Result AAX_VTransport::GetCustomTickPosition (int64_t* ticks, int64_t sampleLocation) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& t) { return t.GetCustomTickPosition (ticks, sampleLocation); }, ticks);
}

AAX_Result AAX_VTransport::GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* displayTicks,
                                               int64_t sampleLocation) const
{
    return forward (
        v1, missingFirstVersion,
        [&] (auto& t) { return t.GetBarBeatPosition (bars, beats, displayTicks, sampleLocation); }, bars, beats,
        displayTicks);
}

AAX_Result AAX_VTransport::GetTicksPerQuarter (uint32_t* ticks) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& t) { return t.GetTicksPerQuarter (ticks); }, ticks);
}

AAX_Result AAX_VTransport::GetCurrentTicksPerBeat (uint32_t* ticks) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& t) { return t.GetCurrentTicksPerBeat (ticks); }, ticks);
}

AAX_Result AAX_VTransport::GetTimelineSelectionStartPosition (int64_t* sampleLocation) const
{
    return forward (
        v2, missingLaterVersion, [&] (auto& t) { return t.GetTimelineSelectionStartPosition (sampleLocation); },
        sampleLocation);
}

AAX_Result AAX_VTransport::GetTimeCodeInfo (AAX_EFrameRate* frameRate, int32_t* offset) const
{
    return forward (
        v2, missingLaterVersion, [&] (auto& t) { return t.GetTimeCodeInfo (frameRate, offset); }, frameRate, offset);
}

AAX_Result AAX_VTransport::GetFeetFramesInfo (AAX_EFeetFramesRate* rate, int64_t* offset) const
{
    return forward (
        v2, missingLaterVersion, [&] (auto& t) { return t.GetFeetFramesInfo (rate, offset); }, rate, offset);
}

AAX_Result AAX_VTransport::IsMetronomeEnabled (int32_t* isEnabled) const
{
    return forward (
        v2, missingLaterVersion, [&] (auto& t) { return t.IsMetronomeEnabled (isEnabled); }, isEnabled);
}

AAX_Result AAX_VTransport::GetHDTimeCodeInfo (AAX_EFrameRate* frameRate, int64_t* offset) const
{
    return forward (
        v3, missingLaterVersion, [&] (auto& t) { return t.GetHDTimeCodeInfo (frameRate, offset); }, frameRate, offset);
}

AAX_Result AAX_VTransport::RequestTransportStart()
{
    return forward (control, missingLaterVersion, [&] (auto& t) { return t.RequestTransportStart(); });
}

AAX_Result AAX_VTransport::RequestTransportStop()
{
    return forward (control, missingLaterVersion, [&] (auto& t) { return t.RequestTransportStop(); });
}

AAX_Result AAX_VTransport::GetTimelineSelectionEndPosition (int64_t* sampleLocation) const
{
    return forward (
        v4, missingLaterVersion, [&] (auto& t) { return t.GetTimelineSelectionEndPosition (sampleLocation); },
        sampleLocation);
}
