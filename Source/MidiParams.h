#pragma once

// The parameter MIDI objects: the bridge builds one channel object, eight two-channel objects and
// one switch object per connected unit.
#include "MidiBoolParams.h"
#include "MidiChannelParam.h"
#include "MidiControlParam.h"
#include "MidiLRParam.h"
#include "MidiParam.h"
