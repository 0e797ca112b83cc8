#pragma once

#include "AAX.h"

/** A MIDI node of an algorithm context: the packets of one processing call, and a way to send more. */
class AAX_IMIDINode
{
public:
    virtual ~AAX_IMIDINode() = default;

    virtual AAX_CMidiStream* GetNodeBuffer() = 0;
    virtual AAX_Result PostMIDIPacket (AAX_CMidiPacket* packet) = 0;
};
