#include "HostObject.h"

#include "AAX_UIDs.h"
#include "AaxHost.h"

#include <cstdio>

namespace aax_host
{
void CallLog::add (std::string entry)
{
    const std::lock_guard<std::mutex> guard (lock);
    entries.push_back (std::move (entry));
}

void CallLog::clear()
{
    const std::lock_guard<std::mutex> guard (lock);
    entries.clear();
}

std::vector<std::string> CallLog::all() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return entries;
}

std::vector<std::string> CallLog::matching (const std::string& prefix) const
{
    const std::lock_guard<std::mutex> guard (lock);
    std::vector<std::string> found;

    for (const auto& entry : entries)
        if (entry.compare (0, prefix.size(), prefix) == 0)
            found.push_back (entry);

    return found;
}

bool CallLog::contains (const std::string& entry) const
{
    const std::lock_guard<std::mutex> guard (lock);
    for (const auto& e : entries)
        if (e == entry)
            return true;

    return false;
}

HostObject::HostObject (Host& host, std::string name)
    : host (host),
      objectName (std::move (name))
{
}

void HostObject::offer (const acfIID& iid, void* pointer, HostObject* owner)
{
    offers.push_back ({ iid, pointer, owner != nullptr ? owner : this });
}

ACFRESULT HostObject::answer (const acfIID& iid, void** out)
{
    if (out == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *out = nullptr;
    const auto interfaceName = nameOf (iid);
    auto& settings = host.settings;

    if (iid == IID_IACFComponentFactory && settings.nullFactory && settings.withheld.count (interfaceName) == 0)
    {
        host.log.add (objectName + ".QueryInterface " + interfaceName + " null");
        return ACF_OK;
    }

    const auto withheld = settings.withheld.count (interfaceName) != 0;

    for (const auto& o : offers)
    {
        if (o.iid == iid && ! withheld)
        {
            host.log.add (objectName + ".QueryInterface " + interfaceName);
            *out = o.pointer;
            o.owner->addRef();
            return ACF_OK;
        }
    }

    host.log.add (objectName + ".QueryInterface " + interfaceName + " refused");
    return ACF_E_NOINTERFACE;
}

acfUInt32 HostObject::addRef()
{
    return (acfUInt32) ++count;
}

acfUInt32 HostObject::release()
{
    // Over-releasing shows as a negative count in the host's check.
    host.releases.add (objectName);
    return (acfUInt32) --count;
}

AAX_Result HostObject::call (const char* method, const std::string& arguments)
{
    const auto key = objectName + "." + method;
    host.log.add (arguments.empty() ? key : key + " " + arguments);
    const auto failing = host.settings.failing.find (key);
    return failing != host.settings.failing.end() ? failing->second : AAX_SUCCESS;
}

std::string nameOf (const _acfUID& uid)
{
    static const std::pair<const _acfUID*, const char*> names[] = {
        { &IID_IACFUnknown, "IACFUnknown" },
        { &IID_IACFComponentFactory, "IACFComponentFactory" },
        { &IID_IACFDefinition, "IACFDefinition" },
        { &IID_IACFPluginDefinition, "IACFPluginDefinition" },
        { &AAXCompID_HostServices, "AAXCompID_HostServices" },
        { &AAXCompID_AAXCollection, "AAXCompID_AAXCollection" },
        { &AAXCompID_AAXEffectDescriptor, "AAXCompID_AAXEffectDescriptor" },
        { &AAXCompID_AAXComponentDescriptor, "AAXCompID_AAXComponentDescriptor" },
        { &AAXCompID_AAXPropertyMap, "AAXCompID_AAXPropertyMap" },
        { &AAXCompID_PageTable, "AAXCompID_PageTable" },
        { &IID_IAAXHostServicesV1, "IAAXHostServicesV1" },
        { &IID_IAAXHostServicesV2, "IAAXHostServicesV2" },
        { &IID_IAAXHostServicesV3, "IAAXHostServicesV3" },
        { &IID_IAAXCollectionV1, "IAAXCollectionV1" },
        { &IID_IAAXEffectDescriptorV1, "IAAXEffectDescriptorV1" },
        { &IID_IAAXEffectDescriptorV2, "IAAXEffectDescriptorV2" },
        { &IID_IAAXComponentDescriptorV1, "IAAXComponentDescriptorV1" },
        { &IID_IAAXComponentDescriptorV2, "IAAXComponentDescriptorV2" },
        { &IID_IAAXComponentDescriptorV3, "IAAXComponentDescriptorV3" },
        { &IID_IAAXPropertyMapV1, "IAAXPropertyMapV1" },
        { &IID_IAAXPropertyMapV2, "IAAXPropertyMapV2" },
        { &IID_IAAXPropertyMapV3, "IAAXPropertyMapV3" },
        { &IID_IAAXDescriptionHostV1, "IAAXDescriptionHostV1" },
        { &IID_IAAXFeatureInfoV1, "IAAXFeatureInfoV1" },
        { &AAXATTR_ClientFeature_StemFormat, "AAXATTR_ClientFeature_StemFormat" },
        { &IID_IAAXControllerV1, "IAAXControllerV1" },
        { &IID_IAAXControllerV2, "IAAXControllerV2" },
        { &IID_IAAXControllerV3, "IAAXControllerV3" },
        { &IID_IAAXPageTableController, "IAAXPageTableController" },
        { &IID_IAAXPageTableControllerV2, "IAAXPageTableControllerV2" },
        { &IID_IAAXAutomationDelegateV1, "IAAXAutomationDelegateV1" },
        { &IID_IAAXTransportV1, "IAAXTransportV1" },
        { &IID_IAAXTransportV2, "IAAXTransportV2" },
        { &IID_IAAXTransportV3, "IAAXTransportV3" },
        { &IID_IAAXTransportV4, "IAAXTransportV4" },
        { &IID_IAAXTransportControlV1, "IAAXTransportControlV1" },
        { &IID_IAAXViewContainerV1, "IAAXViewContainerV1" },
        { &IID_IAAXViewContainerV2, "IAAXViewContainerV2" },
        { &IID_IAAXViewContainerV3, "IAAXViewContainerV3" },
        { &IID_IAAXPageTableV1, "IAAXPageTableV1" },
        { &IID_IAAXPageTableV2, "IAAXPageTableV2" },
    };

    for (const auto& [known, name] : names)
        if (*known == uid)
            return name;

    char hex[16];
    std::snprintf (hex, sizeof (hex), "%08X", (unsigned) uid.Data1);
    return hex;
}

std::string text (const char* value)
{
    return value != nullptr ? value : "(null)";
}

std::string numbers (std::initializer_list<long long> values)
{
    std::string joined;

    for (auto v : values)
        joined += (joined.empty() ? "" : " ") + std::to_string (v);

    return joined;
}
} // namespace aax_host
