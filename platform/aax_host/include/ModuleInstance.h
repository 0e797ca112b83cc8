#pragma once

#include "AAX_IACFEffectGUI.h"
#include "AAX_IACFEffectParameters.h"
#include "LoadedModule.h"

#include <cstddef>
#include <vector>

namespace aax_host
{
/** One effect instance of a loaded module, made as a host makes it: the registered procedure 0 gives
    the effect parameters, initialised with a controller, automation delegate and transport of its own
    (one Host per instance) that echoes every value request back; procedure 1 gives the view. Create,
    open and close the window, and destroy it on the thread that runs the module's message loop. */
class ModuleInstance
{
public:
    ModuleInstance (LoadedModule& module, HostEffectDescriptor& effect);
    /** Closes the window, uninitialises and releases every object of the module. */
    ~ModuleInstance();

    ModuleInstance (const ModuleInstance&) = delete;
    ModuleInstance& operator= (const ModuleInstance&) = delete;

    /** The result of Initialize; the instance is usable only at 0. */
    AAX_Result startResult() const noexcept { return started; }
    AAX_IACFEffectParameters_V4& parameters() { return *effect; }
    Host& host() noexcept { return instanceHost; }

    /** Creates and initialises the view and hands it the container (native window or null, headless). */
    AAX_Result openWindow (void* nativeWindow = nullptr);
    /** Takes the container away, uninitialises and releases the view. */
    AAX_Result closeWindow();
    bool isWindowOpen() const noexcept { return gui != nullptr; }
    AAX_IACFEffectGUI* view() noexcept { return gui; }

    /** One process call of the component registered for the controller's stem formats, as the host's
        audio thread makes it: the context's fields filled from the component's description, private
        data reset by the plug-in. Gives false when no component fits. */
    bool process (const std::vector<std::vector<float>>& inputs, std::vector<std::vector<float>>& outputs);

    /** Host automation: the value as the host's automation writes it into the plug-in. */
    AAX_Result automate (const char* parameterID, double normalizedValue);

    /** Every chunk as a host record (header and data), size and data asked on the calling thread. */
    AAX_Result saveChunks (std::vector<std::vector<char>>& records);
    AAX_Result restoreChunks (const std::vector<std::vector<char>>& records);

    /** The host parameters: identifier, name and value text, in index order. */
    struct Parameter
    {
        std::string id, name, value;
        double normalized = 0.0;
    };
    std::vector<Parameter> listParameters();

private:
    Host instanceHost;
    AAX_IACFEffectParameters_V4* effect = nullptr;
    AAX_IACFEffectGUI* gui = nullptr;
    void* createView = nullptr;
    HostEffectDescriptor& description;
    std::vector<std::vector<std::max_align_t>> privateData;
    AAX_Result started = AAX_ERROR_NOT_INITIALIZED;
};
} // namespace aax_host
