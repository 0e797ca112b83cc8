#include "DescriptionObjects.h"

#include "AAX_UIDs.h"
#include "AaxHost.h"

namespace aax_host
{
namespace
{
// Hands an object of the host out through an unknown pointer, with the caller's reference.
AAX_Result handOut (HostObject& object, IACFUnknown* unknown, IACFUnknown** out)
{
    if (out == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    object.addRef();
    *out = unknown;
    return AAX_SUCCESS;
}
} // namespace

//==============================================================================
HostPropertyMap::HostPropertyMap (Host& host, std::string name)
    : HostObjectOf (host, std::move (name))
{
    offer (IID_IACFUnknown, static_cast<IAAXPropertyMapV3*> (this));
    offer (IID_IAAXPropertyMapV1, static_cast<IAAXPropertyMapV1*> (this));
    offer (IID_IAAXPropertyMapV2, static_cast<IAAXPropertyMapV2*> (this));
    offer (IID_IAAXPropertyMapV3, static_cast<IAAXPropertyMapV3*> (this));
}

AAX_CBoolean HostPropertyMap::GetProperty (AAX_EProperty property, AAX_CPropertyValue* value)
{
    const auto found = values.find (property);

    if (call ("GetProperty", numbers ({ property })) != AAX_SUCCESS || found == values.end())
        return false;

    if (value != nullptr)
        *value = found->second;

    return true;
}

AAX_Result HostPropertyMap::AddProperty (AAX_EProperty property, AAX_CPropertyValue value)
{
    return callKeeping ("AddProperty", numbers ({ property, value }), [&] { values[property] = value; });
}

AAX_Result HostPropertyMap::RemoveProperty (AAX_EProperty property)
{
    return callKeeping ("RemoveProperty", numbers ({ property }), [&] { values.erase (property); });
}

AAX_Result HostPropertyMap::AddPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad* ids,
                                                    uint32_t count)
{
    return callKeeping ("AddPropertyWithIDArray", numbers ({ property, count }),
                        [&]
                        {
                            if (ids != nullptr)
                                idArrays[property].assign (ids, ids + count);
                        });
}

AAX_CBoolean HostPropertyMap::GetPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad** ids,
                                                      uint32_t* count)
{
    const auto found = idArrays.find (property);

    if (call ("GetPropertyWithIDArray", numbers ({ property })) != AAX_SUCCESS || found == idArrays.end() ||
        ids == nullptr || count == nullptr)
        return false;

    *ids = found->second.data();
    *count = (uint32_t) found->second.size();
    return true;
}

AAX_CBoolean HostPropertyMap::GetPointerProperty (AAX_EProperty property, const void** value)
{
    const auto found = pointers.find (property);

    if (call ("GetPointerProperty", numbers ({ property })) != AAX_SUCCESS || found == pointers.end() ||
        value == nullptr)
        return false;

    *value = found->second;
    return true;
}

AAX_Result HostPropertyMap::AddPointerProperty (AAX_EProperty property, const void* value)
{
    return callKeeping ("AddPointerProperty", numbers ({ property }), [&] { pointers[property] = value; });
}

//==============================================================================
HostComponentDescriptor::HostComponentDescriptor (Host& host)
    : HostObjectOf (host, "component")
{
    offer (IID_IACFUnknown, static_cast<IAAXComponentDescriptorV3*> (this));
    offer (IID_IAAXComponentDescriptorV1, static_cast<IAAXComponentDescriptorV1*> (this));
    offer (IID_IAAXComponentDescriptorV2, static_cast<IAAXComponentDescriptorV2*> (this));
    offer (IID_IAAXComponentDescriptorV3, static_cast<IAAXComponentDescriptorV3*> (this));
}

AAX_Result HostComponentDescriptor::field (const char* method, AAX_CFieldIndex index, uint32_t size,
                                           const std::string& arguments)
{
    return callKeeping (method, arguments,
                        [&] {
                            fields.push_back ({ std::string (method).substr (3), uint32_t (index), size });
                        });
}

AAX_Result HostComponentDescriptor::Clear()
{
    return callKeeping ("Clear", {}, [&] { fields.clear(); });
}

AAX_Result HostComponentDescriptor::AddAudioIn (AAX_CFieldIndex f)
{
    return field ("AddAudioIn", f, 0, numbers ({ f }));
}

AAX_Result HostComponentDescriptor::AddAudioOut (AAX_CFieldIndex f)
{
    return field ("AddAudioOut", f, 0, numbers ({ f }));
}

AAX_Result HostComponentDescriptor::AddAudioBufferLength (AAX_CFieldIndex f)
{
    return field ("AddAudioBufferLength", f, 0, numbers ({ f }));
}

AAX_Result HostComponentDescriptor::AddSampleRate (AAX_CFieldIndex f)
{
    return field ("AddSampleRate", f, 0, numbers ({ f }));
}

AAX_Result HostComponentDescriptor::AddClock (AAX_CFieldIndex f)
{
    return field ("AddClock", f, 0, numbers ({ f }));
}

AAX_Result HostComponentDescriptor::AddSideChainIn (AAX_CFieldIndex f)
{
    return field ("AddSideChainIn", f, 0, numbers ({ f }));
}

AAX_Result HostComponentDescriptor::AddDataInPort (AAX_CFieldIndex f, uint32_t size, AAX_EDataInPortType type)
{
    return field ("AddDataInPort", f, uint32_t (size), numbers ({ f, size, type }));
}

AAX_Result HostComponentDescriptor::AddAuxOutputStem (AAX_CFieldIndex f, int32_t format, const char* name)
{
    return field ("AddAuxOutputStem", f, 0, numbers ({ f, format }) + " " + text (name));
}

AAX_Result HostComponentDescriptor::AddPrivateData (AAX_CFieldIndex f, int32_t size, uint32_t options)
{
    return field ("AddPrivateData", f, uint32_t (size), numbers ({ f, size, options }));
}

AAX_Result HostComponentDescriptor::AddDmaInstance (AAX_CFieldIndex f, AAX_EDmaMode mode)
{
    return field ("AddDmaInstance", f, 0, numbers ({ f, mode }));
}

AAX_Result HostComponentDescriptor::AddMeters (AAX_CFieldIndex f, const AAX_CTypeID*, uint32_t count)
{
    return field ("AddMeters", f, 0, numbers ({ f, count }));
}

AAX_Result HostComponentDescriptor::AddMIDINode (AAX_CFieldIndex f, AAX_EMIDINodeType type, const char* name,
                                                 uint32_t channelMask)
{
    return field ("AddMIDINode", f, 0, numbers ({ f, type, channelMask }) + " " + text (name));
}

AAX_Result HostComponentDescriptor::AddReservedField (AAX_CFieldIndex f, uint32_t fieldType)
{
    return field ("AddReservedField", f, 0, numbers ({ f, fieldType }));
}

AAX_Result HostComponentDescriptor::AddTemporaryData (AAX_CFieldIndex f, uint32_t size)
{
    return field ("AddTemporaryData", f, uint32_t (size), numbers ({ f, size }));
}

AAX_Result HostComponentDescriptor::AddProcessProc_Native (AAX_CProcessProc processProc, IACFUnknown* properties,
                                                           AAX_CInstanceInitProc, AAX_CBackgroundProc,
                                                           AAX_CSelector* procID)
{
    const auto result = call ("AddProcessProc_Native");

    if (result == AAX_SUCCESS)
    {
        auto* map = dynamic_cast<HostPropertyMap*> (properties);
        nativeProcessProperties.push_back (map != nullptr ? map->values : std::map<int, AAX_CPropertyValue> {});
        nativeProcessProcs.push_back (processProc);

        if (procID != nullptr)
            *procID = nextProcID;

        ++nextProcID;
    }

    return result;
}

AAX_Result HostComponentDescriptor::AddProcessProc_TI (const char* dllFileName, const char* processProcSymbol,
                                                       IACFUnknown*, const char*, const char*, AAX_CSelector* procID)
{
    return give ("AddProcessProc_TI", procID, nextProcID++, text (dllFileName) + " " + text (processProcSymbol));
}

AAX_Result HostComponentDescriptor::AddProcessProc (IACFUnknown*, AAX_CSelector* procIDs, int32_t capacity)
{
    const auto result = call ("AddProcessProc", numbers ({ capacity }));

    if (result == AAX_SUCCESS && procIDs != nullptr && capacity > 1)
    {
        procIDs[0] = nextProcID++;
        procIDs[1] = 0;
    }

    return result;
}

//==============================================================================
HostEffectDescriptor::HostEffectDescriptor (Host& host)
    : HostObjectOf (host, "effect")
{
    offer (IID_IACFUnknown, static_cast<IAAXEffectDescriptorV2*> (this));
    offer (IID_IAAXEffectDescriptorV1, static_cast<IAAXEffectDescriptorV1*> (this));
    offer (IID_IAAXEffectDescriptorV2, static_cast<IAAXEffectDescriptorV2*> (this));
}

AAX_Result HostEffectDescriptor::AddComponent (IACFUnknown* componentDescriptor)
{
    auto* component = dynamic_cast<HostComponentDescriptor*> (componentDescriptor);
    return callKeeping ("AddComponent", component != nullptr ? "" : "(null)",
                        [&]
                        {
                            if (component != nullptr)
                                components.push_back (component);
                        });
}

AAX_Result HostEffectDescriptor::AddName (const char* name)
{
    return callKeeping ("AddName", text (name), [&] { names.push_back (text (name)); });
}

AAX_Result HostEffectDescriptor::AddCategory (uint32_t category)
{
    return callKeeping ("AddCategory", numbers ({ category }), [&] { categories.push_back (category); });
}

AAX_Result HostEffectDescriptor::AddCategoryBypassParameter (uint32_t category, AAX_CParamID parameterID)
{
    return call ("AddCategoryBypassParameter", numbers ({ category }) + " " + text (parameterID));
}

AAX_Result HostEffectDescriptor::AddProcPtr (void* procPtr, AAX_CProcPtrID procID)
{
    return callKeeping ("AddProcPtr", numbers ({ procID }), [&] { procPtrs[procID] = procPtr; });
}

AAX_Result HostEffectDescriptor::SetProperties (IACFUnknown*)
{
    return call ("SetProperties");
}

AAX_Result HostEffectDescriptor::AddResourceInfo (AAX_EResourceType type, const char* info)
{
    return call ("AddResourceInfo", numbers ({ type }) + " " + text (info));
}

AAX_Result HostEffectDescriptor::AddMeterDescription (AAX_CTypeID meterID, const char* name, IACFUnknown*)
{
    return call ("AddMeterDescription", numbers ({ meterID }) + " " + text (name));
}

AAX_Result HostEffectDescriptor::AddControlMIDINode (AAX_CTypeID nodeID, AAX_EMIDINodeType type, const char* name,
                                                     uint32_t channelMask)
{
    return call ("AddControlMIDINode", numbers ({ nodeID, type, channelMask }) + " " + text (name));
}

//==============================================================================
HostCollection::HostCollection (Host& host)
    : HostObjectOf (host, "collection")
{
    offer (IID_IACFUnknown, static_cast<IAAXCollectionV1*> (this));
    offer (IID_IAAXCollectionV1, static_cast<IAAXCollectionV1*> (this));
    offer (IID_IACFPluginDefinition, static_cast<IACFPluginDefinition*> (this));
}

AAX_Result HostCollection::AddEffect (const char* effectID, IACFUnknown* effectDescriptor)
{
    return callKeeping (
        "AddEffect", text (effectID),
        [&] { effects.emplace_back (text (effectID), dynamic_cast<HostEffectDescriptor*> (effectDescriptor)); });
}

AAX_Result HostCollection::SetManufacturerName (const char* name)
{
    return callKeeping ("SetManufacturerName", text (name), [&] { manufacturer = text (name); });
}

AAX_Result HostCollection::AddPackageName (const char* name)
{
    return callKeeping ("AddPackageName", text (name), [&] { packageNames.push_back (text (name)); });
}

AAX_Result HostCollection::SetPackageVersion (uint32_t version)
{
    return give ("SetPackageVersion", &packageVersion, version, numbers ({ version }));
}

AAX_Result HostCollection::SetProperties (IACFUnknown*)
{
    return call ("SetProperties");
}

//==============================================================================
HostFeatureInfo::HostFeatureInfo (Host& host, const FeatureSupport& support)
    : HostObjectOf (host, "featureInfo"),
      support (support)
{
    offer (IID_IACFUnknown, static_cast<IAAXFeatureInfoV1*> (this));
    offer (IID_IAAXFeatureInfoV1, static_cast<IAAXFeatureInfoV1*> (this));
}

AAX_Result HostFeatureInfo::SupportLevel (AAX_ESupportLevel& level)
{
    return give ("SupportLevel", &level, support.level);
}

AAX_Result HostFeatureInfo::AcquireProperties (IACFUnknown** properties)
{
    const auto result = call ("AcquireProperties");

    if (result != AAX_SUCCESS)
        return result;

    auto& map = host.make<HostPropertyMap> ("featureProperties");

    for (const auto& [format, level] : support.perProperty)
        map.values[format] = level;

    return handOut (map, static_cast<IAAXPropertyMapV3*> (&map), properties);
}

//==============================================================================
HostDescriptionHost::HostDescriptionHost (Host& host)
    : HostObjectOf (host, "descriptionHost")
{
    offer (IID_IACFUnknown, static_cast<IAAXDescriptionHostV1*> (this));
    offer (IID_IAAXDescriptionHostV1, static_cast<IAAXDescriptionHostV1*> (this));
}

const std::vector<int32_t>& FeatureSupport::askedStemFormats()
{
    // The first ambisonic order is asked as the second.
    static const std::vector<int32_t> formats {
        AAX_eStemFormat_Mono,       AAX_eStemFormat_Stereo,   AAX_eStemFormat_LCR,      AAX_eStemFormat_LCRS,
        AAX_eStemFormat_Quad,       AAX_eStemFormat_5_0,      AAX_eStemFormat_5_1,      AAX_eStemFormat_6_0,
        AAX_eStemFormat_6_1,        AAX_eStemFormat_7_0_SDDS, AAX_eStemFormat_7_1_SDDS, AAX_eStemFormat_7_0_DTS,
        AAX_eStemFormat_7_1_DTS,    AAX_eStemFormat_7_0_2,    AAX_eStemFormat_7_1_2,    AAX_eStemFormat_Ambi_2_ACN,
        AAX_eStemFormat_Ambi_3_ACN,
    };
    return formats;
}

FeatureSupport FeatureSupport::onlyStemFormats (const std::set<int32_t>& supported)
{
    FeatureSupport support { true, AAX_eSupportLevel_ByProperty, {} };

    for (auto format : askedStemFormats())
        support.perProperty[format] =
            supported.count (format) != 0 ? AAX_eSupportLevel_Supported : AAX_eSupportLevel_Unsupported;

    return support;
}

AAX_Result HostDescriptionHost::AcquireFeatureProperties (const AAX_Feature_UID& featureID, IACFUnknown** featureInfo)
{
    const auto result = call ("AcquireFeatureProperties", nameOf (featureID));

    if (result != AAX_SUCCESS)
        return result;

    if (featureID != AAXATTR_ClientFeature_StemFormat || ! stemFormats.present)
        return AAX_ERROR_UNIMPLEMENTED;

    auto& info = host.make<HostFeatureInfo> (stemFormats);
    return handOut (info, static_cast<IAAXFeatureInfoV1*> (&info), featureInfo);
}
} // namespace aax_host
