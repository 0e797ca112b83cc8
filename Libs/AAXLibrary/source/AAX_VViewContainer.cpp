#include "AAX_VViewContainer.h"

#include "AAX_UIDs.h"
#include "AAX_VersionForwarding.h"

using namespace AAX_VersionForwarding;

namespace
{
// Without a container a resize succeeds: JUCE would otherwise undo every editor resize.
constexpr AAX_Result resizeWithoutContainer = AAX_SUCCESS;
} // namespace

AAX_VViewContainer::AAX_VViewContainer (IACFUnknown* viewContainer)
    : v1 (query<IAAXViewContainerV1> (viewContainer, IID_IAAXViewContainerV1)),
      v2 (query<IAAXViewContainerV2> (viewContainer, IID_IAAXViewContainerV2)),
      v3 (query<IAAXViewContainerV3> (viewContainer, IID_IAAXViewContainerV3))
{
}

AAX_VViewContainer::~AAX_VViewContainer()
{
    release (v3);
    release (v2);
    release (v1);
}

int32_t AAX_VViewContainer::GetType()
{
    return v1 != nullptr ? v1->GetType() : (int32_t) AAX_eViewContainer_Type_NULL;
}

void* AAX_VViewContainer::GetPtr()
{
    return v1 != nullptr ? v1->GetPtr() : nullptr;
}

AAX_Result AAX_VViewContainer::GetModifiers (uint32_t* modifiers)
{
    return forward (
        v1, missingLaterVersion, [&] (auto& c) { return c.GetModifiers (modifiers); }, modifiers);
}

AAX_Result AAX_VViewContainer::SetViewSize (AAX_Point& size)
{
    return forward (v1, resizeWithoutContainer, [&] (auto& c) { return c.SetViewSize (size); });
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDown (AAX_CParamID id, uint32_t modifiers)
{
    return forward (v1, missingLaterVersion, [&] (auto& c) { return c.HandleParameterMouseDown (id, modifiers); });
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDrag (AAX_CParamID id, uint32_t modifiers)
{
    return forward (v1, missingLaterVersion, [&] (auto& c) { return c.HandleParameterMouseDrag (id, modifiers); });
}

AAX_Result AAX_VViewContainer::HandleParameterMouseUp (AAX_CParamID id, uint32_t modifiers)
{
    return forward (v1, missingLaterVersion, [&] (auto& c) { return c.HandleParameterMouseUp (id, modifiers); });
}

AAX_Result AAX_VViewContainer::HandleParameterMouseEnter (AAX_CParamID id, uint32_t modifiers)
{
    return forward (v3, missingLaterVersion, [&] (auto& c) { return c.HandleParameterMouseEnter (id, modifiers); });
}

AAX_Result AAX_VViewContainer::HandleParameterMouseExit (AAX_CParamID id, uint32_t modifiers)
{
    return forward (v3, missingLaterVersion, [&] (auto& c) { return c.HandleParameterMouseExit (id, modifiers); });
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDown (const AAX_CParamID* ids, uint32_t count,
                                                                  uint32_t modifiers)
{
    return forward (v2, missingLaterVersion,
                    [&] (auto& c) { return c.HandleMultipleParametersMouseDown (ids, count, modifiers); });
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDrag (const AAX_CParamID* ids, uint32_t count,
                                                                  uint32_t modifiers)
{
    return forward (v2, missingLaterVersion,
                    [&] (auto& c) { return c.HandleMultipleParametersMouseDrag (ids, count, modifiers); });
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseUp (const AAX_CParamID* ids, uint32_t count,
                                                                uint32_t modifiers)
{
    return forward (v2, missingLaterVersion,
                    [&] (auto& c) { return c.HandleMultipleParametersMouseUp (ids, count, modifiers); });
}
