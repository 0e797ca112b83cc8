#pragma once

#include "AAX_IACFCollection.h"
#include "AAX_IACFComponentDescriptor.h"
#include "AAX_IACFDescriptionHost.h"
#include "AAX_IACFEffectDescriptor.h"
#include "AAX_IACFFeatureInfo.h"
#include "AAX_IACFPropertyMap.h"
#include "HostObject.h"
#include "acfbaseapi.h"

namespace aax_host
{
/** A property map of the host: integer, pointer and identifier-array properties. */
class HostPropertyMap : public HostObjectOf<IAAXPropertyMapV3>
{
public:
    HostPropertyMap (Host& host, std::string name = "propertyMap");

    AAX_CBoolean GetProperty (AAX_EProperty property, AAX_CPropertyValue* value) override;
    AAX_Result AddProperty (AAX_EProperty property, AAX_CPropertyValue value) override;
    AAX_Result RemoveProperty (AAX_EProperty property) override;
    AAX_Result AddPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad* ids,
                                       uint32_t count) override;
    AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad** ids,
                                         uint32_t* count) override;
    AAX_CBoolean GetPointerProperty (AAX_EProperty property, const void** value) override;
    AAX_Result AddPointerProperty (AAX_EProperty property, const void* value) override;

    std::map<int, AAX_CPropertyValue> values;
    std::map<int, const void*> pointers;
    std::map<int, std::vector<AAX_SPlugInIdentifierTriad>> idArrays;
};

/** One processing component as the plug-in described it. */
class HostComponentDescriptor : public HostObjectOf<IAAXComponentDescriptorV3>
{
public:
    explicit HostComponentDescriptor (Host& host);

    AAX_Result Clear() override;
    AAX_Result AddAudioIn (AAX_CFieldIndex field) override;
    AAX_Result AddAudioOut (AAX_CFieldIndex field) override;
    AAX_Result AddAudioBufferLength (AAX_CFieldIndex field) override;
    AAX_Result AddSampleRate (AAX_CFieldIndex field) override;
    AAX_Result AddClock (AAX_CFieldIndex field) override;
    AAX_Result AddSideChainIn (AAX_CFieldIndex field) override;
    AAX_Result AddDataInPort (AAX_CFieldIndex field, uint32_t packetSize, AAX_EDataInPortType type) override;
    AAX_Result AddAuxOutputStem (AAX_CFieldIndex field, int32_t stemFormat, const char* name) override;
    AAX_Result AddPrivateData (AAX_CFieldIndex field, int32_t size, uint32_t options) override;
    AAX_Result AddDmaInstance (AAX_CFieldIndex field, AAX_EDmaMode mode) override;
    AAX_Result AddMeters (AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t count) override;
    AAX_Result AddMIDINode (AAX_CFieldIndex field, AAX_EMIDINodeType type, const char* name,
                            uint32_t channelMask) override;
    AAX_Result AddReservedField (AAX_CFieldIndex field, uint32_t fieldType) override;
    AAX_Result AddProcessProc_Native (AAX_CProcessProc processProc, IACFUnknown* properties,
                                      AAX_CInstanceInitProc instanceInitProc, AAX_CBackgroundProc backgroundProc,
                                      AAX_CSelector* procID) override;
    AAX_Result AddProcessProc_TI (const char* dllFileName, const char* processProcSymbol, IACFUnknown* properties,
                                  const char* instanceInitProcSymbol, const char* backgroundProcSymbol,
                                  AAX_CSelector* procID) override;
    AAX_Result AddTemporaryData (AAX_CFieldIndex field, uint32_t size) override;
    AAX_Result AddProcessProc (IACFUnknown* properties, AAX_CSelector* procIDs, int32_t capacity) override;

    /** A field of the component's context: its kind as the method names it ("AudioIn",
        "PrivateData"), its index, and its size where the method gives one. */
    struct Field
    {
        std::string kind;
        uint32_t index;
        uint32_t size;
    };

    /** The fields in the order they were added. */
    std::vector<Field> fields;
    /** The property map of each native process procedure, in order; the values are copied at the call. */
    std::vector<std::map<int, AAX_CPropertyValue>> nativeProcessProperties;
    std::vector<AAX_CProcessProc> nativeProcessProcs;

private:
    AAX_Result field (const char* method, AAX_CFieldIndex index, uint32_t size, const std::string& arguments);
    AAX_CSelector nextProcID = 1;
};

/** One effect as the plug-in described it. */
class HostEffectDescriptor : public HostObjectOf<IAAXEffectDescriptorV2>
{
public:
    explicit HostEffectDescriptor (Host& host);

    AAX_Result AddComponent (IACFUnknown* componentDescriptor) override;
    AAX_Result AddName (const char* name) override;
    AAX_Result AddCategory (uint32_t category) override;
    AAX_Result AddCategoryBypassParameter (uint32_t category, AAX_CParamID parameterID) override;
    AAX_Result AddProcPtr (void* procPtr, AAX_CProcPtrID procID) override;
    AAX_Result SetProperties (IACFUnknown* properties) override;
    AAX_Result AddResourceInfo (AAX_EResourceType type, const char* info) override;
    AAX_Result AddMeterDescription (AAX_CTypeID meterID, const char* name, IACFUnknown* properties) override;
    AAX_Result AddControlMIDINode (AAX_CTypeID nodeID, AAX_EMIDINodeType type, const char* name,
                                   uint32_t channelMask) override;

    std::vector<std::string> names;
    std::vector<uint32_t> categories;
    std::map<AAX_CProcPtrID, void*> procPtrs;
    std::vector<HostComponentDescriptor*> components; // owned by the host, not counted
};

/** The module's collection; it also answers for the plug-in definition that registration hands back. */
class HostCollection : public HostObjectOf<IAAXCollectionV1, IACFPluginDefinition>
{
public:
    explicit HostCollection (Host& host);

    AAX_Result AddEffect (const char* effectID, IACFUnknown* effectDescriptor) override;
    AAX_Result SetManufacturerName (const char* name) override;
    AAX_Result AddPackageName (const char* name) override;
    AAX_Result SetPackageVersion (uint32_t version) override;
    AAX_Result SetProperties (IACFUnknown* properties) override;

    std::vector<std::pair<std::string, HostEffectDescriptor*>> effects; // owned by the host, not counted
    std::string manufacturer;
    std::vector<std::string> packageNames;
    uint32_t packageVersion = 0;
};

/** What the host tells of a feature: absent, one support level, or a level per stem format. */
struct FeatureSupport
{
    bool present = false;
    AAX_ESupportLevel level = AAX_eSupportLevel_Unsupported;
    /** Stem format to support level, the answer of AcquireProperties when not empty. */
    std::map<int32_t, AAX_CPropertyValue> perProperty;

    /** A host that answers for every stem format a plug-in asks about, supporting only the given ones. */
    static FeatureSupport onlyStemFormats (const std::set<int32_t>& supported);
    /** Every stem format a plug-in is asked about, in order. */
    static const std::vector<int32_t>& askedStemFormats();
};

/** The host's information on one feature. */
class HostFeatureInfo : public HostObjectOf<IAAXFeatureInfoV1>
{
public:
    HostFeatureInfo (Host& host, const FeatureSupport& support);

    AAX_Result SupportLevel (AAX_ESupportLevel& level) override;
    AAX_Result AcquireProperties (IACFUnknown** properties) override;

private:
    const FeatureSupport support;
};

/** The host's description side: the stem-format feature as the settings give it. */
class HostDescriptionHost : public HostObjectOf<IAAXDescriptionHostV1>
{
public:
    explicit HostDescriptionHost (Host& host);

    AAX_Result AcquireFeatureProperties (const AAX_Feature_UID& featureID, IACFUnknown** featureInfo) override;

    FeatureSupport stemFormats;
};
} // namespace aax_host
