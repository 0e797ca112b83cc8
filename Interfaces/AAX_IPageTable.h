#pragma once

#include "AAX.h"

class AAX_IString;

/** A control-surface page table of the host: pages of parameter slots and parameter name variations. */
class AAX_IPageTable
{
public:
    virtual ~AAX_IPageTable() = default;

    virtual AAX_Result Clear() = 0;
    virtual AAX_Result Empty (AAX_CBoolean& oEmpty) const = 0;
    virtual AAX_Result GetNumPages (int32_t& oNumPages) const = 0;
    virtual AAX_Result InsertPage (int32_t iPage) = 0;
    virtual AAX_Result RemovePage (int32_t iPage) = 0;
    virtual AAX_Result GetNumMappedParameterIDs (int32_t iPage, int32_t& oNumParameterIdentifiers) const = 0;
    virtual AAX_Result ClearMappedParameter (int32_t iPage, int32_t iIndex) = 0;
    virtual AAX_Result GetMappedParameterID (int32_t iPage, int32_t iIndex,
                                             AAX_IString& oParameterIdentifier) const = 0;
    virtual AAX_Result MapParameterID (AAX_CParamID iParameterIdentifier, int32_t iPage, int32_t iIndex) = 0;
    virtual AAX_Result GetNumParametersWithNameVariations (int32_t& oNumParameterIdentifiers) const = 0;
    virtual AAX_Result GetNameVariationParameterIDAtIndex (int32_t iIndex, AAX_IString& oParameterIdentifier) const = 0;
    virtual AAX_Result GetNumNameVariationsForParameter (AAX_CParamID iParameterIdentifier,
                                                         int32_t& oNumVariations) const = 0;
    virtual AAX_Result GetParameterNameVariationAtIndex (AAX_CParamID iParameterIdentifier, int32_t iIndex,
                                                         AAX_IString& oNameVariation, int32_t& oLength) const = 0;
    virtual AAX_Result GetParameterNameVariationOfLength (AAX_CParamID iParameterIdentifier, int32_t iLength,
                                                          AAX_IString& oNameVariation) const = 0;
    virtual AAX_Result ClearParameterNameVariations() = 0;
    virtual AAX_Result ClearNameVariationsForParameter (AAX_CParamID iParameterIdentifier) = 0;
    virtual AAX_Result SetParameterNameVariation (AAX_CParamID iParameterIdentifier, const AAX_IString& iNameVariation,
                                                  int32_t iLength) = 0;
};
