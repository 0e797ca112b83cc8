#pragma once

#include "AAX.h"
#include "AAX_CMutex.h"
#include "AAX_CPacket.h"
#include "AAX_IPacketHandler.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class AAX_IController;
class AAX_IEffectParameters;

/** Turns parameter changes into data packets and posts the dirty ones to the host.

    Registration, marking and dispatch come from different host threads and are serialised by one
    owner-aware lock, so that a handler may call back into the dispatcher on the same thread.
*/
class AAX_CPacketDispatcher
{
public:
    AAX_CPacketDispatcher() = default;
    ~AAX_CPacketDispatcher();

    AAX_CPacketDispatcher (const AAX_CPacketDispatcher&) = delete;
    AAX_CPacketDispatcher& operator= (const AAX_CPacketDispatcher&) = delete;

    /** Neither pointer is owned: the host's controller proxy posts, the effect answers GetParameter. */
    void Initialize (AAX_IController* controller, AAX_IEffectParameters* effectParameters);

    /** Feeds the port's packet (made on first use, dirty) from the parameter through a clone of the handler. */
    AAX_Result RegisterPacket (AAX_CParamID identifier, AAX_CFieldIndex portID, const AAX_IPacketHandler* handler);

    /** The same with the single-value generator: the port carries the parameter's current value. */
    AAX_Result RegisterPacket (AAX_CParamID identifier, AAX_CFieldIndex portID);

    AAX_Result SetDirty (AAX_CParamID identifier, bool dirty = true);

    /** Generates and posts every dirty packet once; the result of the last post, 0 when nothing was posted. */
    AAX_Result Dispatch();

    /** Writes the parameter's value (bool as 0/1, float, int32, double, in host byte order) into the packet. */
    AAX_Result GenerateSingleValuePacket (AAX_CParamID identifier, AAX_CPacket& packet);

private:
    using Handler = std::pair<AAX_CPacket*, std::unique_ptr<AAX_IPacketHandler>>;

    std::map<int, std::unique_ptr<AAX_CPacket>> mPacketsByPort;
    std::multimap<std::string, Handler, std::less<>> mHandlersByParameter; // looked up by a C string without a copy
    AAX_IController* mController = nullptr;
    AAX_IEffectParameters* mEffectParameters = nullptr;
    AAX_CMutex mLock;
};
