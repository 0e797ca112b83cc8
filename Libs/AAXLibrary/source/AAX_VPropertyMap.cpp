#include "AAX_VPropertyMap.h"

#include "AAX_UIDs.h"
#include "AAX_VersionForwarding.h"

#include <set>

using namespace AAX_VersionForwarding;

namespace
{
constexpr AAX_Result undefinedProperty = AAX_ERROR_PROPERTY_UNDEFINED;

// Stem formats at or past this value need a description host to check them.
constexpr uint32_t firstUncheckedStemFormat = 0xD0000;

bool isStemFormatProperty (AAX_EProperty property)
{
    return property == AAX_eProperty_InputStemFormat || property == AAX_eProperty_OutputStemFormat;
}

bool isKeptLocally (AAX_EProperty property)
{
    // The procedure properties, the only pointers a map without a third version keeps.
    static const std::set<int> procedureProperties { 36, 37, 38, 39, 40, 41, 42 };
    return procedureProperties.count (property) != 0;
}
} // namespace

AAX_VPropertyMap::AAX_VPropertyMap (IACFUnknown* properties)
    : v1 (query<IAAXPropertyMapV1> (properties, IID_IAAXPropertyMapV1)),
      v2 (query<IAAXPropertyMapV2> (properties, IID_IAAXPropertyMapV2)),
      v3 (query<IAAXPropertyMapV3> (properties, IID_IAAXPropertyMapV3)),
      descriptionHost (query<IAAXDescriptionHostV1> (properties, IID_IAAXDescriptionHostV1))
{
}

AAX_VPropertyMap::~AAX_VPropertyMap()
{
    release (descriptionHost);
    release (v3);
    release (v2);
    release (v1);
}

AAX_VPropertyMap* AAX_VPropertyMap::Create (IACFUnknown* host)
{
    void* answer = nullptr;

    if (host == nullptr || host->QueryInterface (IID_IACFComponentFactory, &answer) != ACF_OK)
        return nullptr;

    auto* factory = static_cast<IACFComponentFactory*> (answer);
    auto* map = new AAX_VPropertyMap();

    if (factory == nullptr)
        return map;

    factory->CreateComponent (AAXCompID_AAXPropertyMap, nullptr, IID_IAAXPropertyMapV1, (void**) &map->v1);
    map->v2 = query<IAAXPropertyMapV2> (map->v1, IID_IAAXPropertyMapV2);
    map->v3 = query<IAAXPropertyMapV3> (map->v1, IID_IAAXPropertyMapV3);

    for (IACFUnknown* candidate :
         { host, (IACFUnknown*) factory, (IACFUnknown*) map->v2, (IACFUnknown*) map->v3, (IACFUnknown*) map->v1 })
        if ((map->descriptionHost = query<IAAXDescriptionHostV1> (candidate, IID_IAAXDescriptionHostV1)) != nullptr)
            break;

    factory->Release();
    return map;
}

AAX_VPropertyMap* AAX_VPropertyMap::CreateForDescription (IACFUnknown* host)
{
    auto* map = Create (host);
    return map != nullptr ? map : new AAX_VPropertyMap (nullptr);
}

AAX_CBoolean AAX_VPropertyMap::GetProperty (AAX_EProperty property, AAX_CPropertyValue* value) const
{
    return (AAX_CBoolean) forward (
        v1, false, [&] (auto& m) { return (AAX_Result) m.GetProperty (property, value); }, value);
}

AAX_CBoolean AAX_VPropertyMap::GetPointerProperty (AAX_EProperty property, const void** value) const
{
    if (v3 != nullptr)
        return v3->GetPointerProperty (property, value);

    const auto found = localPointerProperties.find (property);

    if (value == nullptr || found == localPointerProperties.end())
        return false;

    *value = found->second;
    return true;
}

AAX_Result AAX_VPropertyMap::AddProperty (AAX_EProperty property, AAX_CPropertyValue value)
{
    const auto format = (uint32_t) value;

    if (isStemFormatProperty (property) && format >= firstUncheckedStemFormat && descriptionHost == nullptr &&
        value != AAX_eStemFormat_Any && value != AAX_eStemFormat_None)
        return undefinedProperty;

    return forward (v1, missingFirstVersion, [&] (auto& m) { return m.AddProperty (property, value); });
}

AAX_Result AAX_VPropertyMap::AddPointerProperty (AAX_EProperty property, const void* value)
{
    if (v3 != nullptr)
        return v3->AddPointerProperty (property, value);

    if (! isKeptLocally (property))
        return missingLaterVersion;

    localPointerProperties[property] = value;
    return AAX_SUCCESS;
}

AAX_Result AAX_VPropertyMap::AddPointerProperty (AAX_EProperty property, const char* value)
{
    return AddPointerProperty (property, static_cast<const void*> (value));
}

AAX_Result AAX_VPropertyMap::RemoveProperty (AAX_EProperty property)
{
    return forward (v1, missingFirstVersion, [&] (auto& m) { return m.RemoveProperty (property); });
}

AAX_Result AAX_VPropertyMap::AddPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad* ids,
                                                     uint32_t count)
{
    return forward (v2, missingLaterVersion, [&] (auto& m) { return m.AddPropertyWithIDArray (property, ids, count); });
}

AAX_CBoolean AAX_VPropertyMap::GetPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad** ids,
                                                       uint32_t* count) const
{
    return (AAX_CBoolean) forward (
        v2, false, [&] (auto& m) { return (AAX_Result) m.GetPropertyWithIDArray (property, ids, count); }, ids, count);
}

IACFUnknown* AAX_VPropertyMap::GetIUnknown()
{
    if (v3 != nullptr)
        return v3;

    if (v2 != nullptr)
        return v2;

    return v1;
}
