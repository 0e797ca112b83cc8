#pragma once

#include "AAX.h"
#include "AAX_GUITypes.h"

/** The host's parent window of the plug-in's view, and the host's handling of parameter clicks in it. */
class AAX_IViewContainer
{
public:
    virtual ~AAX_IViewContainer() = default;

    /** An AAX_EViewContainer_Type. */
    virtual int32_t GetType() = 0;
    /** The native view to attach to. */
    virtual void* GetPtr() = 0;
    virtual AAX_Result GetModifiers (uint32_t* outModifiers) = 0;
    virtual AAX_Result SetViewSize (AAX_Point& inSize) = 0;
    virtual AAX_Result HandleParameterMouseDown (AAX_CParamID inParamID, uint32_t inModifiers) = 0;
    virtual AAX_Result HandleParameterMouseDrag (AAX_CParamID inParamID, uint32_t inModifiers) = 0;
    virtual AAX_Result HandleParameterMouseUp (AAX_CParamID inParamID, uint32_t inModifiers) = 0;
    virtual AAX_Result HandleParameterMouseEnter (AAX_CParamID inParamID, uint32_t inModifiers) = 0;
    virtual AAX_Result HandleParameterMouseExit (AAX_CParamID inParamID, uint32_t inModifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams,
                                                          uint32_t inModifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams,
                                                          uint32_t inModifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams,
                                                        uint32_t inModifiers) = 0;
};
