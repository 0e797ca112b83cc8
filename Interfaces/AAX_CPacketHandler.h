#pragma once

#include "AAX_Errors.h"
#include "AAX_IPacketHandler.h"

/** A packet handler that calls a member function of an object, with or without the parameter's identifier. */
template <class TWorker> class AAX_CPacketHandler : public AAX_IPacketHandler
{
public:
    using PacketFunction = AAX_Result (TWorker::*) (AAX_CPacket&);
    using ParamPacketFunction = AAX_Result (TWorker::*) (AAX_CParamID, AAX_CPacket&);

    AAX_CPacketHandler (TWorker* inWorker, PacketFunction inFunction);
    AAX_CPacketHandler (TWorker* inWorker, ParamPacketFunction inFunction);

    AAX_IPacketHandler* Clone() const override;
    AAX_Result Call (AAX_CParamID inParamID, AAX_CPacket& ioPacket) const override;

private:
    TWorker* mWorker;
    PacketFunction mFunction = nullptr;
    ParamPacketFunction mParamFunction = nullptr;
};
