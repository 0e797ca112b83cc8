#pragma once

#include "AAX.h"

class AAX_IDescriptionHost;
class AAX_IEffectDescriptor;
class AAX_IPropertyMap;
class IACFDefinition;

/** The plug-in collection the module describes to the host: its effects, package names and version. */
class AAX_ICollection
{
public:
    virtual ~AAX_ICollection() = default;

    /** A new effect descriptor owned by the collection. */
    virtual AAX_IEffectDescriptor* NewDescriptor() = 0;
    virtual AAX_Result AddEffect (const char* inEffectID, AAX_IEffectDescriptor* inEffectDescriptor) = 0;
    virtual AAX_Result SetManufacturerName (const char* inPackageName) = 0;
    virtual AAX_Result AddPackageName (const char* inPackageName) = 0;
    virtual AAX_Result SetPackageVersion (uint32_t inVersion) = 0;
    /** A new property map owned by the collection. */
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    virtual AAX_Result SetProperties (AAX_IPropertyMap* inProperties) = 0;
    /** The host's description side, or null when the host offers none. */
    virtual AAX_IDescriptionHost* DescriptionHost() = 0;
    virtual const AAX_IDescriptionHost* DescriptionHost() const = 0;
    virtual IACFDefinition* HostDefinition() const = 0;
};
