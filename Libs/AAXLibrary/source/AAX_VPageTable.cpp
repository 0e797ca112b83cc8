#include "AAX_VPageTable.h"

#include "AAX_UIDs.h"
#include "AAX_VersionForwarding.h"

using namespace AAX_VersionForwarding;

AAX_VPageTable::AAX_VPageTable (IACFUnknown* pageTable)
    : v1 (query<IAAXPageTableV1> (pageTable, IID_IAAXPageTableV1)),
      v2 (query<IAAXPageTableV2> (pageTable, IID_IAAXPageTableV2))
{
}

AAX_VPageTable::~AAX_VPageTable()
{
    release (v2);
    release (v1);
}

AAX_Result AAX_VPageTable::Clear()
{
    return forward (v1, missingLaterVersion, [&] (auto& t) { return t.Clear(); });
}

AAX_Result AAX_VPageTable::Empty (AAX_CBoolean& empty) const
{
    return forward (
        v1, missingLaterVersion, [&] (auto& t) { return t.Empty (empty); }, empty);
}

AAX_Result AAX_VPageTable::GetNumPages (int32_t& pages) const
{
    return forward (
        v1, missingLaterVersion, [&] (auto& t) { return t.GetNumPages (pages); }, pages);
}

AAX_Result AAX_VPageTable::InsertPage (int32_t page)
{
    return forward (v1, missingLaterVersion, [&] (auto& t) { return t.InsertPage (page); });
}

AAX_Result AAX_VPageTable::RemovePage (int32_t page)
{
    return forward (v1, missingLaterVersion, [&] (auto& t) { return t.RemovePage (page); });
}

AAX_Result AAX_VPageTable::GetNumMappedParameterIDs (int32_t page, int32_t& count) const
{
    return forward (
        v1, missingLaterVersion, [&] (auto& t) { return t.GetNumMappedParameterIDs (page, count); }, count);
}

AAX_Result AAX_VPageTable::ClearMappedParameter (int32_t page, int32_t index)
{
    return forward (v1, missingLaterVersion, [&] (auto& t) { return t.ClearMappedParameter (page, index); });
}

AAX_Result AAX_VPageTable::GetMappedParameterID (int32_t page, int32_t index, AAX_IString& id) const
{
    return forward (v1, missingLaterVersion, [&] (auto& t) { return t.GetMappedParameterID (page, index, id); });
}

AAX_Result AAX_VPageTable::MapParameterID (AAX_CParamID id, int32_t page, int32_t index)
{
    return forward (v1, missingLaterVersion, [&] (auto& t) { return t.MapParameterID (id, page, index); });
}

AAX_Result AAX_VPageTable::GetNumParametersWithNameVariations (int32_t& count) const
{
    return forward (
        v2, missingLaterVersion, [&] (auto& t) { return t.GetNumParametersWithNameVariations (count); }, count);
}

AAX_Result AAX_VPageTable::GetNameVariationParameterIDAtIndex (int32_t index, AAX_IString& id) const
{
    return forward (v2, missingLaterVersion,
                    [&] (auto& t) { return t.GetNameVariationParameterIDAtIndex (index, id); });
}

AAX_Result AAX_VPageTable::GetNumNameVariationsForParameter (AAX_CParamID id, int32_t& count) const
{
    return forward (
        v2, missingLaterVersion, [&] (auto& t) { return t.GetNumNameVariationsForParameter (id, count); }, count);
}

AAX_Result AAX_VPageTable::GetParameterNameVariationAtIndex (AAX_CParamID id, int32_t index, AAX_IString& name,
                                                             int32_t& length) const
{
    return forward (
        v2, missingLaterVersion, [&] (auto& t) { return t.GetParameterNameVariationAtIndex (id, index, name, length); },
        length);
}

AAX_Result AAX_VPageTable::GetParameterNameVariationOfLength (AAX_CParamID id, int32_t length, AAX_IString& name) const
{
    return forward (v2, missingLaterVersion,
                    [&] (auto& t) { return t.GetParameterNameVariationOfLength (id, length, name); });
}

AAX_Result AAX_VPageTable::ClearParameterNameVariations()
{
    return forward (v2, missingLaterVersion, [&] (auto& t) { return t.ClearParameterNameVariations(); });
}

AAX_Result AAX_VPageTable::ClearNameVariationsForParameter (AAX_CParamID id)
{
    return forward (v2, missingLaterVersion, [&] (auto& t) { return t.ClearNameVariationsForParameter (id); });
}

AAX_Result AAX_VPageTable::SetParameterNameVariation (AAX_CParamID id, const AAX_IString& name, int32_t length)
{
    return forward (v2, missingLaterVersion, [&] (auto& t) { return t.SetParameterNameVariation (id, name, length); });
}
