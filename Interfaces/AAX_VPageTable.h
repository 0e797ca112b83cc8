#pragma once

#include "AAX_IACFPageTable.h"
#include "AAX_IPageTable.h"

/** A host control-surface page table behind one pointer per version; every missing version gives -20009. */
class AAX_VPageTable : public AAX_IPageTable
{
public:
    explicit AAX_VPageTable (IACFUnknown* pageTable);
    ~AAX_VPageTable() override;

    /** Whether the pointer answered with any version of the table. */
    bool IsSupported() const { return v1 != nullptr || v2 != nullptr; }

    AAX_Result Clear() override;
    AAX_Result Empty (AAX_CBoolean& oEmpty) const override;
    AAX_Result GetNumPages (int32_t& oNumPages) const override;
    AAX_Result InsertPage (int32_t iPage) override;
    AAX_Result RemovePage (int32_t iPage) override;
    AAX_Result GetNumMappedParameterIDs (int32_t iPage, int32_t& oNumParameterIdentifiers) const override;
    AAX_Result ClearMappedParameter (int32_t iPage, int32_t iIndex) override;
    AAX_Result GetMappedParameterID (int32_t iPage, int32_t iIndex, AAX_IString& oParameterIdentifier) const override;
    AAX_Result MapParameterID (AAX_CParamID iParameterIdentifier, int32_t iPage, int32_t iIndex) override;
    AAX_Result GetNumParametersWithNameVariations (int32_t& oNumParameterIdentifiers) const override;
    AAX_Result GetNameVariationParameterIDAtIndex (int32_t iIndex, AAX_IString& oParameterIdentifier) const override;
    AAX_Result GetNumNameVariationsForParameter (AAX_CParamID iParameterIdentifier,
                                                 int32_t& oNumVariations) const override;
    AAX_Result GetParameterNameVariationAtIndex (AAX_CParamID iParameterIdentifier, int32_t iIndex,
                                                 AAX_IString& oNameVariation, int32_t& oLength) const override;
    AAX_Result GetParameterNameVariationOfLength (AAX_CParamID iParameterIdentifier, int32_t iLength,
                                                  AAX_IString& oNameVariation) const override;
    AAX_Result ClearParameterNameVariations() override;
    AAX_Result ClearNameVariationsForParameter (AAX_CParamID iParameterIdentifier) override;
    AAX_Result SetParameterNameVariation (AAX_CParamID iParameterIdentifier, const AAX_IString& iNameVariation,
                                          int32_t iLength) override;

private:
    // Owned references queried from the table at construction, released by the destructor in reverse order.
    IAAXPageTableV1* v1 = nullptr;
    IAAXPageTableV2* v2 = nullptr;
};
