#pragma once

#include "AAX.h"
#include "AAX_IString.h"
#include "IACFUnknown.h"

/** A host control-surface page table, first version. */
class IAAXPageTableV1 : public IACFUnknown
{
public:
    virtual AAX_Result Clear() = 0;
    virtual AAX_Result Empty (AAX_CBoolean& empty) = 0;
    virtual AAX_Result GetNumPages (int32_t& pages) = 0;
    virtual AAX_Result InsertPage (int32_t page) = 0;
    virtual AAX_Result RemovePage (int32_t page) = 0;
    virtual AAX_Result GetNumMappedParameterIDs (int32_t page, int32_t& count) = 0;
    virtual AAX_Result ClearMappedParameter (int32_t page, int32_t slot) = 0;
    virtual AAX_Result GetMappedParameterID (int32_t page, int32_t slot, AAX_IString& parameterID) = 0;
    virtual AAX_Result MapParameterID (AAX_CParamID parameterID, int32_t page, int32_t slot) = 0;
};

/** Second version: parameter name variations. */
class IAAXPageTableV2 : public IAAXPageTableV1
{
public:
    virtual AAX_Result GetNumParametersWithNameVariations (int32_t& count) = 0;
    virtual AAX_Result GetNameVariationParameterIDAtIndex (int32_t index, AAX_IString& parameterID) = 0;
    virtual AAX_Result GetNumNameVariationsForParameter (AAX_CParamID parameterID, int32_t& count) = 0;
    virtual AAX_Result GetParameterNameVariationAtIndex (AAX_CParamID parameterID, int32_t index, AAX_IString& name,
                                                         int32_t& length) = 0;
    virtual AAX_Result GetParameterNameVariationOfLength (AAX_CParamID parameterID, int32_t length,
                                                          AAX_IString& name) = 0;
    virtual AAX_Result ClearParameterNameVariations() = 0;
    virtual AAX_Result ClearNameVariationsForParameter (AAX_CParamID parameterID) = 0;
    virtual AAX_Result SetParameterNameVariation (AAX_CParamID parameterID, const AAX_IString& name,
                                                  int32_t length) = 0;
};
