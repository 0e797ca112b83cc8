#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "AAX_GUITypes.h"
#include "IACFUnknown.h"

/** The host's window around the plug-in's view, first version. */
class IAAXViewContainerV1 : public IACFUnknown
{
public:
    virtual int32_t GetType() = 0;
    virtual void* GetPtr() = 0;
    virtual AAX_Result GetModifiers (uint32_t* modifiers) = 0;
    virtual AAX_Result SetViewSize (AAX_Point& size) = 0;
    virtual AAX_Result HandleParameterMouseDown (AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleParameterMouseDrag (AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleParameterMouseUp (AAX_CParamID parameterID, uint32_t modifiers) = 0;
};

/** Second version: mouse events for several parameters at once. */
class IAAXViewContainerV2 : public IAAXViewContainerV1
{
public:
    virtual AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID* parameterIDs, uint32_t count,
                                                          uint32_t modifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID* parameterIDs, uint32_t count,
                                                          uint32_t modifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID* parameterIDs, uint32_t count,
                                                        uint32_t modifiers) = 0;
};

/** Third version: mouse enter and exit. */
class IAAXViewContainerV3 : public IAAXViewContainerV2
{
public:
    virtual AAX_Result HandleParameterMouseEnter (AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleParameterMouseExit (AAX_CParamID parameterID, uint32_t modifiers) = 0;
};
