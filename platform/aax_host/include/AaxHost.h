#pragma once

#include "DescriptionObjects.h"
#include "HostObject.h"
#include "RuntimeObjects.h"

#include <memory>

namespace aax_host
{
/** A host of our own: the objects an AAX host serves, with configurable versions and failures, one
    ordered call log, and a check that every reference handed out came back. It owns every object it
    made until it ends. */
class Host
{
public:
    Host();
    ~Host();

    /** The unknown for ACFStartup and ACFRegisterPlugin. */
    IACFUnknown* unknown() { return hostUnknown; }
    /** The unknown an instance is initialised with: the controller. */
    IACFUnknown* instanceUnknown() { return static_cast<IAAXControllerV3*> (controllerObject); }
    /** The unknown handed to the GUI as its window. */
    IACFUnknown* viewContainerUnknown() { return static_cast<IAAXViewContainerV3*> (viewContainerObject); }

    HostServices& services() { return *servicesObject; }
    HostController& controller() { return *controllerObject; }
    HostAutomationDelegate& automation() { return *automationObject; }
    HostTransport& transport() { return *transportObject; }
    HostViewContainer& viewContainer() { return *viewContainerObject; }
    HostDescriptionHost& descriptionHost() { return *descriptionHostObject; }

    /** The collections the factory made, in order. */
    std::vector<HostCollection*> collections() const;
    /** The page tables the factory made, in order. */
    std::vector<HostPageTable*> pageTables() const;

    /** "name: count" for every object whose count is not back to 0. */
    std::vector<std::string> heldReferences() const;

    template <typename Object, typename... Arguments> Object& make (Arguments&&... arguments)
    {
        auto object = std::make_unique<Object> (*this, std::forward<Arguments> (arguments)...);
        auto& made = *object;
        objects.push_back (std::move (object));
        return made;
    }

    HostSettings settings;
    CallLog log;
    /** The names of the objects, in the order the plug-in gave their references back. */
    CallLog releases;

private:
    std::vector<std::unique_ptr<HostObject>> objects;
    HostServices* servicesObject;
    HostFactory* factoryObject;
    HostDescriptionHost* descriptionHostObject;
    HostDefinition* definitionObject;
    HostUnknown* hostUnknown;
    HostAutomationDelegate* automationObject;
    HostTransport* transportObject;
    HostController* controllerObject;
    HostViewContainer* viewContainerObject;
};
} // namespace aax_host
