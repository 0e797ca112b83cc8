#pragma once

#include "AAX.h"

class AAX_CPacket;

/** Fills a data packet for a parameter; the dispatcher keeps one per registration. */
class AAX_IPacketHandler
{
public:
    virtual ~AAX_IPacketHandler() = default;

    virtual AAX_IPacketHandler* Clone() const = 0;
    virtual AAX_Result Call (AAX_CParamID identifier, AAX_CPacket& packet) const = 0;
};
