#pragma once

#include "AAX.h"
#include "AAX_Enums.h"

class IACFUnknown;

/** A host-side map from property numbers to integer or pointer values, describing a component,
    a meter or a feature. */
class AAX_IPropertyMap
{
public:
    virtual ~AAX_IPropertyMap() = default;

    virtual AAX_CBoolean GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue) const = 0;
    virtual AAX_CBoolean GetPointerProperty (AAX_EProperty inProperty, const void** outValue) const = 0;
    virtual AAX_Result AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue) = 0;
    virtual AAX_Result AddPointerProperty (AAX_EProperty inProperty, const void* inValue) = 0;
    virtual AAX_Result AddPointerProperty (AAX_EProperty inProperty, const char* inValue) = 0;
    virtual AAX_Result RemoveProperty (AAX_EProperty inProperty) = 0;
    virtual AAX_Result AddPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad* inPluginIDs,
                                               uint32_t inNumPluginIDs) = 0;
    virtual AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty inProperty,
                                                 const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                                 uint32_t* outNumPluginIDs) const = 0;
    /** The host object behind the map, to hand to the host's own calls. */
    virtual IACFUnknown* GetIUnknown() = 0;
};
