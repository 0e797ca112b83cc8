#include "AAX_CPacketDispatcher.h"

#include "AAX_CPacketHandler.h"
#include "AAX_IController.h"
#include "AAX_IEffectParameters.h"
#include "AAX_IParameter.h"

namespace
{
constexpr size_t initialPacketBytes = 8;

template <typename T> void writeValue (AAX_CPacket& packet, T value)
{
    *packet.GetPtr<T>() = value;
}
} // namespace

AAX_CPacket::SPacketData::SPacketData()
    : mData (initialPacketBytes, 0)
{
}

void* AAX_CPacket::SPacketData::Get (size_t size)
{
    mData.resize (size);
    return &mData.at (0);
}

AAX_CPacketDispatcher::~AAX_CPacketDispatcher()
{
    AAX_StLock_Guard guard (mLock);
    mHandlersByParameter.clear();
    mPacketsByPort.clear();
}

void AAX_CPacketDispatcher::Initialize (AAX_IController* controller, AAX_IEffectParameters* effectParameters)
{
    mController = controller;
    mEffectParameters = effectParameters;
}

AAX_Result AAX_CPacketDispatcher::RegisterPacket (AAX_CParamID identifier, AAX_CFieldIndex portID,
                                                  const AAX_IPacketHandler* handler)
{
    if (identifier == nullptr || handler == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    AAX_StLock_Guard guard (mLock);

    auto& packet = mPacketsByPort[portID];

    if (packet == nullptr)
        packet = std::make_unique<AAX_CPacket> (portID);

    // An equal key goes after the entries already there, so equal identifiers keep their order.
    mHandlersByParameter.emplace (identifier,
                                  Handler (packet.get(), std::unique_ptr<AAX_IPacketHandler> (handler->Clone())));
    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::RegisterPacket (AAX_CParamID identifier, AAX_CFieldIndex portID)
{
    const AAX_CPacketHandler<AAX_CPacketDispatcher> handler (this, &AAX_CPacketDispatcher::GenerateSingleValuePacket);
    return RegisterPacket (identifier, portID, &handler);
}

AAX_Result AAX_CPacketDispatcher::SetDirty (AAX_CParamID identifier, bool dirty)
{
    if (identifier == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    AAX_StLock_Guard guard (mLock);
    const auto range = mHandlersByParameter.equal_range (identifier);

    for (auto entry = range.first; entry != range.second; ++entry)
        entry->second.first->SetDirty (dirty);

    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::Dispatch()
{
    AAX_StLock_Guard guard (mLock);
    AAX_Result result = AAX_SUCCESS;

    for (auto& [identifier, handler] : mHandlersByParameter)
    {
        auto& packet = *handler.first;

        if (! packet.IsDirty())
            continue;

        if (handler.second->Call (identifier.c_str(), packet) == AAX_SUCCESS)
            result = mController != nullptr
                         ? mController->PostPacket (packet.GetID(), packet.GetData(), packet.GetSize())
                         : AAX_ERROR_NULL_OBJECT;

        packet.SetDirty (false);
    }

    return result;
}

AAX_Result AAX_CPacketDispatcher::GenerateSingleValuePacket (AAX_CParamID identifier, AAX_CPacket& packet)
{
    AAX_IParameter* parameter = nullptr;

    if (mEffectParameters == nullptr || mEffectParameters->GetParameter (identifier, &parameter) != AAX_SUCCESS ||
        parameter == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    bool boolValue = false;
    float floatValue = 0.0f;
    int32_t intValue = 0;
    double doubleValue = 0.0;

    if (parameter->GetValueAsBool (&boolValue))
        writeValue<int32_t> (packet, boolValue ? 1 : 0);
    else if (parameter->GetValueAsFloat (&floatValue))
        writeValue (packet, floatValue);
    else if (parameter->GetValueAsInt32 (&intValue))
        writeValue (packet, intValue);
    else if (parameter->GetValueAsDouble (&doubleValue))
        writeValue (packet, doubleValue);
    else
        return AAX_ERROR_NULL_OBJECT;

    return AAX_SUCCESS;
}
