#pragma once

#include "AAX.h"

/** What the host's transport-state notification carries. */
struct AAX_TransportStateInfo_V1
{
    AAX_CBoolean mIsPlaying;
    AAX_CBoolean mIsRecording;
};
