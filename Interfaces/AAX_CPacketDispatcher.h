#pragma once

#include "AAX.h"
#include "AAX_CMutex.h"

#include <map>
#include <string>
#include <utility>

class AAX_CPacket;
class AAX_IController;
class AAX_IEffectParameters;
class AAX_IPacketHandler;

/** Turns parameter changes into data packets and posts them to the host on the effect's data-in ports. */
class AAX_CPacketDispatcher
{
public:
    AAX_CPacketDispatcher();
    ~AAX_CPacketDispatcher();

    AAX_CPacketDispatcher (const AAX_CPacketDispatcher&) = delete;
    AAX_CPacketDispatcher& operator= (const AAX_CPacketDispatcher&) = delete;

    void Initialize (AAX_IController* inController, AAX_IEffectParameters* inEffectParameters);

    /** Feeds the port's packet from the parameter through a copy of the handler. */
    AAX_Result RegisterPacket (AAX_CParamID paramID, AAX_CFieldIndex portID, const AAX_IPacketHandler* inHandler);
    /** Feeds the port's packet with the parameter's single value (GenerateSingleValuePacket). */
    AAX_Result RegisterPacket (AAX_CParamID paramID, AAX_CFieldIndex portID);

    AAX_Result SetDirty (AAX_CParamID paramID, bool inDirty = true);
    /** Regenerates and posts every dirty packet; the result of the last post. */
    AAX_Result Dispatch();

    AAX_Result GenerateSingleValuePacket (AAX_CParamID inParam, AAX_CPacket& ioPacket);

private:
    std::map<int, AAX_CPacket*> mPacketsHolder;                                                // owned
    std::multimap<std::string, std::pair<AAX_CPacket*, AAX_IPacketHandler*>> mPacketsHandlers; // handlers owned
    AAX_IController* mController = nullptr;
    AAX_IEffectParameters* mEffectParameters = nullptr;
    AAX_CMutex mLockGuard;
};
