#pragma once

#include "AAX_IACFViewContainer.h"
#include "AAX_IViewContainer.h"

/** The host's parent window of the plug-in's view behind one pointer per version. */
class AAX_VViewContainer : public AAX_IViewContainer
{
public:
    explicit AAX_VViewContainer (IACFUnknown* viewContainer);
    ~AAX_VViewContainer() override;

    int32_t GetType() override;
    void* GetPtr() override;
    AAX_Result GetModifiers (uint32_t* outModifiers) override;
    AAX_Result SetViewSize (AAX_Point& inSize) override;
    AAX_Result HandleParameterMouseDown (AAX_CParamID inParamID, uint32_t inModifiers) override;
    AAX_Result HandleParameterMouseDrag (AAX_CParamID inParamID, uint32_t inModifiers) override;
    AAX_Result HandleParameterMouseUp (AAX_CParamID inParamID, uint32_t inModifiers) override;
    AAX_Result HandleParameterMouseEnter (AAX_CParamID inParamID, uint32_t inModifiers) override;
    AAX_Result HandleParameterMouseExit (AAX_CParamID inParamID, uint32_t inModifiers) override;
    AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams,
                                                  uint32_t inModifiers) override;
    AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams,
                                                  uint32_t inModifiers) override;
    AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams,
                                                uint32_t inModifiers) override;

private:
    // Owned references queried from the container at construction, released by the destructor in reverse order.
    IAAXViewContainerV1* v1 = nullptr;
    IAAXViewContainerV2* v2 = nullptr;
    IAAXViewContainerV3* v3 = nullptr;
};
