#include "AaxHost.h"

namespace aax_host
{
Host::Host()
{
    servicesObject = &make<HostServices>();
    factoryObject = &make<HostFactory> (*servicesObject);
    descriptionHostObject = &make<HostDescriptionHost>();
    definitionObject = &make<HostDefinition>();
    hostUnknown = &make<HostUnknown> (*factoryObject, *descriptionHostObject,
                                      static_cast<IAAXDescriptionHostV1*> (descriptionHostObject), *definitionObject);
    automationObject = &make<HostAutomationDelegate>();
    transportObject = &make<HostTransport>();
    controllerObject = &make<HostController> (*factoryObject, static_cast<IACFComponentFactory*> (factoryObject),
                                              *automationObject, *transportObject);
    viewContainerObject = &make<HostViewContainer>();
}

Host::~Host() = default;

template <typename Object>
static std::vector<Object*> objectsOfType (const std::vector<std::unique_ptr<HostObject>>& objects)
{
    std::vector<Object*> found;

    for (const auto& object : objects)
        if (auto* typed = dynamic_cast<Object*> (object.get()))
            found.push_back (typed);

    return found;
}

std::vector<HostCollection*> Host::collections() const
{
    return objectsOfType<HostCollection> (objects);
}

std::vector<HostPageTable*> Host::pageTables() const
{
    return objectsOfType<HostPageTable> (objects);
}

std::vector<std::string> Host::heldReferences() const
{
    std::vector<std::string> held;

    for (const auto& object : objects)
        if (object->references() != 0)
            held.push_back (object->name() + ": " + std::to_string (object->references()));

    return held;
}
} // namespace aax_host
