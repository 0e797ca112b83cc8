#include "AAX_UIDs.h"
#include "AAX_VCollection.h"
#include "AAX_VComponentDescriptor.h"
#include "AAX_VEffectDescriptor.h"
#include "AAX_VFeatureInfo.h"
#include "AAX_VPropertyMap.h"
#include "HostFixture.h"

#include <cstdint>
#include <memory>

namespace
{
constexpr AAX_Result first = AAX_ERROR_NULL_OBJECT;
constexpr AAX_Result later = AAX_ERROR_UNIMPLEMENTED;

#define CALL(...) [] (auto& p) { return Outcome { __VA_ARGS__ }; }

using DescriptionProxies = HostFixture;

std::unique_ptr<AAX_VPropertyMap> newMap (aax_host::Host& host)
{
    return std::unique_ptr<AAX_VPropertyMap> (AAX_VPropertyMap::Create (host.unknown()));
}
} // namespace

TEST_F (DescriptionProxies, EveryCollectionOperationForwardsToItsVersionOrGivesItsFixedResult)
{
    const std::vector<ForwardingCase<AAX_VCollection>> cases {
        { "collection.AddEffect", "IAAXCollectionV1", first, CALL (p.AddEffect ("id", p.NewDescriptor())) },
        { "collection.SetManufacturerName", "IAAXCollectionV1", first, CALL (p.SetManufacturerName ("m")) },
        { "collection.AddPackageName", "IAAXCollectionV1", first, CALL (p.AddPackageName ("p")) },
        { "collection.SetPackageVersion", "IAAXCollectionV1", first, CALL (p.SetPackageVersion (0x30000)) },
        { "collection.SetProperties", "IAAXCollectionV1", first, CALL (p.SetProperties (p.NewPropertyMap())) },
    };

    checkForwarding (cases, [this] { return std::make_unique<AAX_VCollection> (host.unknown()); });
}

TEST_F (DescriptionProxies, EveryEffectDescriptorOperationForwardsToItsVersionOrGivesItsFixedResult)
{
    const std::vector<ForwardingCase<AAX_VEffectDescriptor>> cases {
        { "effect.AddComponent", "IAAXEffectDescriptorV1", first, CALL (p.AddComponent (p.NewComponentDescriptor())) },
        { "effect.AddName", "IAAXEffectDescriptorV1", first, CALL (p.AddName ("n")) },
        { "effect.AddCategory", "IAAXEffectDescriptorV1", first, CALL (p.AddCategory (1)) },
        { "effect.AddCategoryBypassParameter", "IAAXEffectDescriptorV1", first,
          CALL (p.AddCategoryBypassParameter (1, "b")) },
        { "effect.AddProcPtr", "IAAXEffectDescriptorV1", first, CALL (p.AddProcPtr (nullptr, 0)) },
        { "effect.SetProperties", "IAAXEffectDescriptorV1", first, CALL (p.SetProperties (nullptr)) },
        { "effect.AddResourceInfo", "IAAXEffectDescriptorV1", first,
          CALL (p.AddResourceInfo (AAX_eResourceType_PageTable, "f")) },
        { "effect.AddMeterDescription", "IAAXEffectDescriptorV1", first,
          CALL (p.AddMeterDescription ('Metr', "m", p.NewPropertyMap())) },
        { "effect.AddControlMIDINode", "IAAXEffectDescriptorV2", later,
          CALL (p.AddControlMIDINode (1, AAX_eMIDINodeType_LocalInput, "m", 1)) },
    };

    checkForwarding (cases, [this] { return std::make_unique<AAX_VEffectDescriptor> (host.unknown()); });
}

TEST_F (DescriptionProxies, EveryComponentDescriptorOperationForwardsToItsVersionOrGivesItsFixedResult)
{
    const char* v1 = "IAAXComponentDescriptorV1";
    const std::vector<ForwardingCase<AAX_VComponentDescriptor>> cases {
        { "component.Clear", v1, first, CALL (p.Clear()) },
        { "component.AddAudioIn", v1, first, CALL (p.AddAudioIn (0)) },
        { "component.AddAudioOut", v1, first, CALL (p.AddAudioOut (1)) },
        { "component.AddAudioBufferLength", v1, first, CALL (p.AddAudioBufferLength (2)) },
        { "component.AddSampleRate", v1, first, CALL (p.AddSampleRate (3)) },
        { "component.AddClock", v1, first, CALL (p.AddClock (3)) },
        { "component.AddSideChainIn", v1, first, CALL (p.AddSideChainIn (7)) },
        { "component.AddDataInPort", v1, first, CALL (p.AddDataInPort (3, 4, AAX_eDataInPortType_Buffered)) },
        { "component.AddAuxOutputStem", v1, first, CALL (p.AddAuxOutputStem (0, AAX_eStemFormat_Mono, "aux")) },
        { "component.AddPrivateData", v1, first, CALL (p.AddPrivateData (4, 8, 0)) },
        { "component.AddTemporaryData", "IAAXComponentDescriptorV2", later, CALL (p.AddTemporaryData (4, 8)) },
        { "component.AddDmaInstance", v1, first, CALL (p.AddDmaInstance (4, AAX_eDmaMode_Normal)) },
        { "component.AddMeters", v1, first, CALL (p.AddMeters (6, nullptr, 0)) },
        { "component.AddMIDINode", v1, first, CALL (p.AddMIDINode (5, AAX_eMIDINodeType_LocalInput, "m", 1)) },
        { "component.AddReservedField", v1, first, CALL (p.AddReservedField (5, 1)) },
        { "component.AddProcessProc_Native", v1, first,
          CALL (p.AddProcessProc_Native (nullptr, nullptr, nullptr, nullptr, nullptr)) },
        { "component.AddProcessProc_TI", v1, first,
          CALL (p.AddProcessProc_TI ("dll", "proc", nullptr, nullptr, nullptr, nullptr)) },
        { "component.AddProcessProc", "IAAXComponentDescriptorV3", first,
          CALL (p.AddProcessProc (nullptr, nullptr, 0)) },
    };

    checkForwarding (cases, [this] { return std::make_unique<AAX_VComponentDescriptor> (host.unknown()); });
}

TEST_F (DescriptionProxies, EveryPropertyMapOperationForwardsToItsVersionOrGivesItsFixedResult)
{
    const std::vector<ForwardingCase<AAX_VPropertyMap>> cases {
        { "propertyMap.AddProperty", "IAAXPropertyMapV1", first, CALL (p.AddProperty (AAX_eProperty_ProductID, 1)) },
        { "propertyMap.RemoveProperty", "IAAXPropertyMapV1", first, CALL (p.RemoveProperty (AAX_eProperty_ProductID)) },
        { "propertyMap.AddPropertyWithIDArray", "IAAXPropertyMapV2", later,
          CALL (p.AddPropertyWithIDArray (AAX_eProperty_ProductID, nullptr, 0)) },
        { "propertyMap.GetProperty", "IAAXPropertyMapV1", first,
          [] (auto& p)
          {
              AAX_CPropertyValue value = 7;
              const bool answered = p.GetProperty (AAX_eProperty_ProductID, &value);
              return Outcome { answered ? AAX_SUCCESS : (value == 7 ? hostsOwnResult : first), value == 0 };
          } },
        { "propertyMap.GetPropertyWithIDArray", "IAAXPropertyMapV2", later,
          [] (auto& p)
          {
              static const AAX_SPlugInIdentifierTriad some {};
              const AAX_SPlugInIdentifierTriad* ids = &some;
              uint32_t count = 7;
              const bool answered = p.GetPropertyWithIDArray (AAX_eProperty_ProductID, &ids, &count);
              const bool cleared = ids == nullptr && count == 0;
              return Outcome { answered ? AAX_SUCCESS : (cleared ? later : hostsOwnResult), cleared };
          } },
    };

    checkForwarding (cases, [this] { return newMap (host); });
}

TEST_F (DescriptionProxies, ACollectionOverNoHostAnswersEverythingWithNullObject)
{
    AAX_VCollection collection (nullptr);
    auto* descriptor = collection.NewDescriptor();

    ASSERT_NE (descriptor, nullptr);
    EXPECT_EQ (collection.DescriptionHost(), nullptr);
    EXPECT_EQ (collection.AddEffect ("id", descriptor), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (collection.SetPackageVersion (1), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (descriptor->AddName ("n"), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (descriptor->NewComponentDescriptor()->AddAudioIn (0), AAX_ERROR_NULL_OBJECT);
    ASSERT_NE (collection.NewPropertyMap(), nullptr);
    EXPECT_EQ (collection.NewPropertyMap()->AddProperty (AAX_eProperty_ProductID, 1), AAX_ERROR_NULL_OBJECT);
}

TEST_F (DescriptionProxies, AddingANullEffectGivesNullObjectEvenWithAHostCollection)
{
    AAX_VCollection collection (host.unknown());

    EXPECT_EQ (collection.AddEffect ("id", nullptr), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (callsTo ("collection.AddEffect"), 0);
}

TEST_F (DescriptionProxies, AStemFormatTheHostCannotCheckIsRefusedWithoutAHostCall)
{
    struct Case
    {
        AAX_EProperty property;
        uint32_t value;
        bool withDescriptionHost;
        AAX_Result expected;
    };

    const Case cases[] {
        { AAX_eProperty_InputStemFormat, 0xD0000, false, AAX_ERROR_PROPERTY_UNDEFINED },
        { AAX_eProperty_OutputStemFormat, 0xFFFFFFFF, false, AAX_ERROR_PROPERTY_UNDEFINED },
        { AAX_eProperty_InputStemFormat, 0xCFFFF, false, AAX_SUCCESS },
        { AAX_eProperty_InputStemFormat, 0xFF9C0000, false, AAX_SUCCESS },
        { AAX_eProperty_OutputStemFormat, 0xFFFF0000, false, AAX_SUCCESS },
        { (AAX_EProperty) 53, 0xD0000, false, AAX_SUCCESS },
        { AAX_eProperty_InputStemFormat, 0xD0000, true, AAX_SUCCESS },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (std::to_string (c.property) + " = " + std::to_string (c.value));
        host.settings.withheld.clear();

        if (! c.withDescriptionHost)
            host.settings.withheld.insert ("IAAXDescriptionHostV1");

        host.log.clear();
        auto map = newMap (host);
        EXPECT_EQ (map->AddProperty (c.property, (AAX_CPropertyValue) c.value), c.expected);
        EXPECT_EQ (callsTo ("propertyMap.AddProperty"), c.expected == AAX_SUCCESS ? 1 : 0);
    }
}

TEST_F (DescriptionProxies, WithoutAThirdVersionOnlyProcedurePointersAreKeptByTheMap)
{
    host.settings.withheld = { "IAAXPropertyMapV3" };
    auto map = newMap (host);
    int procedure = 0;
    const void* read = nullptr;

    EXPECT_EQ (map->AddPointerProperty (AAX_eProperty_NativeProcessProc, &procedure), AAX_SUCCESS);
    EXPECT_TRUE (map->GetPointerProperty (AAX_eProperty_NativeProcessProc, &read));
    EXPECT_EQ (read, &procedure);
    EXPECT_EQ (map->AddPointerProperty ((AAX_EProperty) 43, &procedure), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_FALSE (map->GetPointerProperty ((AAX_EProperty) 43, &read));
    EXPECT_FALSE (map->GetPointerProperty (AAX_eProperty_NativeProcessProc, nullptr));
    EXPECT_EQ (callsTo ("propertyMap.AddPointerProperty"), 0);
}

TEST_F (DescriptionProxies, ADuplicateCopiesExactlyPropertiesTenToFourHundredAndOne)
{
    AAX_VComponentDescriptor component (host.unknown());
    auto source = newMap (host);

    for (int property : { 9, 10, 200, 401, 402 })
        source->AddProperty ((AAX_EProperty) property, property * 2);

    auto* copy = component.DuplicatePropertyMap (source.get());
    ASSERT_NE (copy, nullptr);
    auto& copied = dynamic_cast<aax_host::HostPropertyMap&> (*copy->GetIUnknown());

    EXPECT_EQ (copied.values, (std::map<int, AAX_CPropertyValue> { { 10, 20 }, { 200, 400 }, { 401, 802 } }));
}

TEST_F (DescriptionProxies, ACopySkipsANullSourceAndNullPointerValues)
{
    AAX_VComponentDescriptor component (host.unknown());
    auto source = newMap (host);
    int procedure = 0;
    source->AddPointerProperty (AAX_eProperty_NativeProcessProc, &procedure);
    source->AddPointerProperty (AAX_eProperty_NativeBackgroundProc, (const void*) nullptr);

    auto& copied =
        dynamic_cast<aax_host::HostPropertyMap&> (*component.DuplicatePropertyMap (source.get())->GetIUnknown());
    EXPECT_EQ (copied.pointers, (std::map<int, const void*> { { AAX_eProperty_NativeProcessProc, &procedure } }));

    auto* empty = component.DuplicatePropertyMap (nullptr);
    ASSERT_NE (empty, nullptr);
    EXPECT_TRUE (dynamic_cast<aax_host::HostPropertyMap&> (*empty->GetIUnknown()).values.empty());
}

TEST_F (DescriptionProxies, HugeNegativeAndUnknownPropertiesGiveDefinedResults)
{
    host.settings.withheld = { "IAAXPropertyMapV3", "IAAXDescriptionHostV1" };
    auto map = newMap (host);
    const void* pointer = &host;

    for (int property : { INT32_MIN, -1, 0, 9, 402, INT32_MAX })
    {
        SCOPED_TRACE (property);
        const auto p = (AAX_EProperty) property;
        AAX_CPropertyValue value = 5;
        EXPECT_FALSE (map->GetProperty (p, &value));
        EXPECT_EQ (value, 5);
        EXPECT_EQ (map->AddProperty (p, INT32_MIN), AAX_SUCCESS);
        EXPECT_EQ (map->AddPointerProperty (p, pointer), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_FALSE (map->GetPointerProperty (p, &pointer));
        EXPECT_EQ (map->RemoveProperty (p), AAX_SUCCESS);
    }

    for (auto value : { INT32_MIN, -1, INT32_MAX })
        EXPECT_EQ (map->AddProperty (AAX_eProperty_InputStemFormat, value), AAX_ERROR_PROPERTY_UNDEFINED);
}

TEST_F (DescriptionProxies, TheManualProcessRegistrationNeedsARoomForItsTerminatingZero)
{
    host.settings.withheld = { "IAAXComponentDescriptorV3" };
    AAX_VComponentDescriptor component (host.unknown());
    auto* map = component.NewPropertyMap();
    int procedure = 0;
    map->AddProperty (AAX_eProperty_PlugInID_Native, 'jcaa');
    map->AddPointerProperty (AAX_eProperty_NativeProcessProc, &procedure);

    AAX_CSelector ids[2] = { 9, 9 };
    EXPECT_EQ (component.AddProcessProc (map, ids, 1), AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW);
    EXPECT_EQ (component.AddProcessProc (map, ids, 2), AAX_SUCCESS);
    EXPECT_NE (ids[0], 0u);
    EXPECT_EQ (ids[1], 0u);
    EXPECT_EQ (component.AddProcessProc (nullptr, ids, 2), AAX_ERROR_NULL_OBJECT);
}

TEST_F (DescriptionProxies, TheManualNativeRegistrationGoesWithoutTheBufferLength)
{
    host.settings.withheld = { "IAAXComponentDescriptorV3" };
    AAX_VComponentDescriptor component (host.unknown());
    auto* map = component.NewPropertyMap();
    map->AddProperty (AAX_eProperty_PlugInID_Native, 'jcaa');
    map->AddProperty (AAX_eProperty_AudioBufferLength, 3);

    EXPECT_EQ (component.AddProcessProc (map, nullptr, 0), AAX_SUCCESS);
    auto& registered = dynamic_cast<aax_host::HostComponentDescriptor&> (*component.HostInterface());
    ASSERT_EQ (registered.nativeProcessProperties.size(), 1u);
    EXPECT_EQ (registered.nativeProcessProperties[0].count (AAX_eProperty_AudioBufferLength), 0u);
    EXPECT_EQ (registered.nativeProcessProperties[0].at (AAX_eProperty_PlugInID_Native), (AAX_CPropertyValue) 'jcaa');
}

TEST_F (DescriptionProxies, FeatureInformationGivesItsLevelAndPerFormatMapAndHoldsNothingAfterwards)
{
    host.descriptionHost().stemFormats = { true, AAX_eSupportLevel_ByProperty, { { AAX_eStemFormat_Mono, 2 } } };
    AAX_VCollection collection (host.unknown());
    ASSERT_NE (collection.DescriptionHost(), nullptr);
    std::unique_ptr<const AAX_IFeatureInfo> info (
        collection.DescriptionHost()->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));
    ASSERT_NE (info, nullptr);

    auto level = AAX_eSupportLevel_Uninitialized;
    EXPECT_EQ (info->SupportLevel (level), AAX_SUCCESS);
    EXPECT_EQ (level, AAX_eSupportLevel_ByProperty);
    std::unique_ptr<const AAX_IPropertyMap> formats (info->AcquireProperties());
    ASSERT_NE (formats, nullptr);
    AAX_CPropertyValue support = 0;
    EXPECT_TRUE (formats->GetProperty ((AAX_EProperty) AAX_eStemFormat_Mono, &support));
    EXPECT_EQ (support, 2);
}

TEST_F (DescriptionProxies, FeatureInformationWithoutItsVersionReportsNullObjectAndClearsTheLevel)
{
    host.descriptionHost().stemFormats = { true, AAX_eSupportLevel_Supported, {} };
    host.settings.withheld = { "IAAXFeatureInfoV1" };
    AAX_VDescriptionHost descriptionHost (host.unknown());
    std::unique_ptr<const AAX_IFeatureInfo> info (
        descriptionHost.AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));
    ASSERT_NE (info, nullptr);

    auto level = AAX_eSupportLevel_ByProperty;
    EXPECT_EQ (info->SupportLevel (level), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (level, AAX_eSupportLevel_Uninitialized);
    EXPECT_EQ (info->AcquireProperties(), nullptr);
}

TEST_F (DescriptionProxies, AFactoryAnsweredWithoutAnObjectRaisesAndLeavesNoReference)
{
    host.settings.nullFactory = true;

    EXPECT_THROW (AAX_VCollection { host.unknown() }, int);
    EXPECT_THROW (AAX_VEffectDescriptor { host.unknown() }, int);
    EXPECT_THROW (AAX_VComponentDescriptor { host.unknown() }, int);
}
