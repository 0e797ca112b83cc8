#pragma once

#include "AAX.h"

class AAX_CPacket;

/** Generates the data of one packet for one parameter. */
class AAX_IPacketHandler
{
public:
    virtual ~AAX_IPacketHandler() = default;

    /** A copy owned by the caller. */
    virtual AAX_IPacketHandler* Clone() const = 0;
    virtual AAX_Result Call (AAX_CParamID inParamID, AAX_CPacket& ioPacket) const = 0;
};
