#pragma once

#include "AAX_Errors.h"
#include "AAX_IPacketHandler.h"

/** A packet handler that calls a member function of its worker, with or without the parameter identifier. */
template <typename TWorker> class AAX_CPacketHandler : public AAX_IPacketHandler
{
public:
    using PacketOnlyHandler = AAX_Result (TWorker::*) (AAX_CPacket&);
    using IdentifierHandler = AAX_Result (TWorker::*) (AAX_CParamID, AAX_CPacket&);

    AAX_CPacketHandler (TWorker* worker, PacketOnlyHandler handler)
        : mWorker (worker),
          mPacketOnlyHandler (handler)
    {
    }

    AAX_CPacketHandler (TWorker* worker, IdentifierHandler handler)
        : mWorker (worker),
          mIdentifierHandler (handler)
    {
    }

    AAX_CPacketHandler* Clone() const override { return new AAX_CPacketHandler (*this); }

    AAX_Result Call (AAX_CParamID identifier, AAX_CPacket& packet) const override
    {
        if (mIdentifierHandler != nullptr)
            return (mWorker->*mIdentifierHandler) (identifier, packet);

        if (mPacketOnlyHandler != nullptr)
            return (mWorker->*mPacketOnlyHandler) (packet);

        return AAX_ERROR_NULL_OBJECT;
    }

private:
    TWorker* mWorker; // the dispatcher that made the registration
    PacketOnlyHandler mPacketOnlyHandler = nullptr;
    IdentifierHandler mIdentifierHandler = nullptr;
};
