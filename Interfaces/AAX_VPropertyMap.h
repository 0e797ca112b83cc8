#pragma once

#include "AAX_IACFDescriptionHost.h"
#include "AAX_IACFPropertyMap.h"
#include "AAX_IPropertyMap.h"

#include <map>

/** A host property map behind one pointer per version; pointer properties stay here when the host
    has no third version. */
class AAX_VPropertyMap : public AAX_IPropertyMap
{
public:
    /** A map over the interfaces the object answers (no factory involved); the caller keeps its reference. */
    explicit AAX_VPropertyMap (IACFUnknown* properties);
    ~AAX_VPropertyMap() override;

    /** A new host map made through the host's factory, owned by the caller, or null. */
    static AAX_VPropertyMap* Create (IACFUnknown* host);
    /** As Create, but a host without a factory gives a map whose every version is missing instead of null:
        JUCE's description writes into the maps it asks for without checking them. */
    static AAX_VPropertyMap* CreateForDescription (IACFUnknown* host);

    AAX_CBoolean GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue) const override;
    AAX_CBoolean GetPointerProperty (AAX_EProperty inProperty, const void** outValue) const override;
    AAX_Result AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue) override;
    AAX_Result AddPointerProperty (AAX_EProperty inProperty, const void* inValue) override;
    AAX_Result AddPointerProperty (AAX_EProperty inProperty, const char* inValue) override;
    AAX_Result RemoveProperty (AAX_EProperty inProperty) override;
    AAX_Result AddPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad* inPluginIDs,
                                       uint32_t inNumPluginIDs) override;
    AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                         uint32_t* outNumPluginIDs) const override;
    IACFUnknown* GetIUnknown() override;

private:
    AAX_VPropertyMap() = default;

    // Owned references, released by the destructor in reverse order.
    IAAXPropertyMapV1* v1 = nullptr;
    IAAXPropertyMapV2* v2 = nullptr;
    IAAXPropertyMapV3* v3 = nullptr;
    IAAXDescriptionHostV1* descriptionHost = nullptr;
    std::map<int, const void*> localPointerProperties; // only while the host has no third version
};
