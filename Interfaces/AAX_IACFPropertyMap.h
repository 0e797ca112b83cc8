#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "IACFUnknown.h"

/** A host map of numbered properties, first version. */
class IAAXPropertyMapV1 : public IACFUnknown
{
public:
    virtual AAX_CBoolean GetProperty (AAX_EProperty property, AAX_CPropertyValue* value) = 0;
    virtual AAX_Result AddProperty (AAX_EProperty property, AAX_CPropertyValue value) = 0;
    virtual AAX_Result RemoveProperty (AAX_EProperty property) = 0;
};

/** Second version: properties that hold arrays of plug-in identifiers. */
class IAAXPropertyMapV2 : public IAAXPropertyMapV1
{
public:
    virtual AAX_Result AddPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad* ids,
                                               uint32_t count) = 0;
    virtual AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad** ids,
                                                 uint32_t* count) = 0;
};

/** Third version: properties that hold pointers. */
class IAAXPropertyMapV3 : public IAAXPropertyMapV2
{
public:
    virtual AAX_CBoolean GetPointerProperty (AAX_EProperty property, const void** value) = 0;
    virtual AAX_Result AddPointerProperty (AAX_EProperty property, const void* value) = 0;
};
