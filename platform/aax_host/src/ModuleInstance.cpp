#include "ModuleInstance.h"

#include "AAX_IEffectGUI.h"
#include "AAX_IEffectParameters.h"
#include "AAX_UIDs.h"

#include <cstddef>

namespace aax_host
{
namespace
{
/** The host's own string, as it hands one to the plug-in to fill. */
class HostString : public AAX_IString
{
public:
    uint32_t Length() const override { return uint32_t (value.size()); }
    uint32_t MaxLength() const override { return 0xFFFFFFFEu; }
    const char* Get() const override { return value.c_str(); }
    void Set (const char* text) override { value = text != nullptr ? text : ""; }
    AAX_IString& operator= (const AAX_IString& other) override
    {
        Set (other.Get());
        return *this;
    }
    AAX_IString& operator= (const char* text) override
    {
        Set (text);
        return *this;
    }

    std::string value;
};

constexpr size_t chunkHeaderSize = offsetof (AAX_SPlugInChunk, fData);
constexpr int32_t valueTextLength = 31;
} // namespace

ModuleInstance::ModuleInstance (LoadedModule& module, HostEffectDescriptor& description)
{
    const auto& procedures = description.procPtrs;

    if (auto create = procedures.find (kAAX_ProcPtrID_Create_EffectParameters); create != procedures.end())
    {
        auto* made = reinterpret_cast<AAX_IEffectParameters* (*) ()> (create->second)();
        effect = static_cast<AAX_IACFEffectParameters_V4*> (made);
    }

    if (auto create = procedures.find (kAAX_ProcPtrID_Create_EffectGUI); create != procedures.end())
        createView = create->second;

    if (effect == nullptr)
        return;

    effect->AddRef();

    if (module.collection() != nullptr && ! module.collection()->effects.empty())
        instanceHost.controller().effectID = module.collection()->effects.front().first;

    instanceHost.controller().effectParameters = effect;
    instanceHost.automation().echo = [this] (const char* id, double value)
    { effect->UpdateParameterNormalizedValue (id, value, AAX_eUpdateSource_Parameter); };
    started = effect->Initialize (instanceHost.instanceUnknown());
}

ModuleInstance::~ModuleInstance()
{
    closeWindow();

    if (effect != nullptr)
    {
        effect->Uninitialize();
        instanceHost.automation().echo = nullptr;
        instanceHost.controller().effectParameters = nullptr;
        effect->Release();
    }
}

AAX_Result ModuleInstance::openWindow (void* nativeWindow)
{
    if (gui != nullptr || createView == nullptr || effect == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    gui = static_cast<AAX_IACFEffectGUI*> (reinterpret_cast<AAX_IEffectGUI* (*) ()> (createView)());
    gui->AddRef();

    if (const auto result = gui->Initialize (instanceHost.instanceUnknown()); result != AAX_SUCCESS)
        return result;

    // A host's container on Linux is an X11 window; without a display there is none.
    instanceHost.viewContainer().type = nativeWindow != nullptr ? AAX_eViewContainer_Type_HWND : 0;
    instanceHost.viewContainer().nativeView = nativeWindow;
    return gui->SetViewContainer (instanceHost.viewContainerUnknown());
}

AAX_Result ModuleInstance::closeWindow()
{
    if (gui == nullptr)
        return AAX_SUCCESS;

    gui->SetViewContainer (nullptr);
    const auto result = gui->Uninitialize();
    gui->Release();
    gui = nullptr;
    return result;
}

AAX_Result ModuleInstance::automate (const char* parameterID, double normalizedValue)
{
    return effect->UpdateParameterNormalizedValue (parameterID, normalizedValue, AAX_eUpdateSource_Parameter);
}

AAX_Result ModuleInstance::saveChunks (std::vector<std::vector<char>>& records)
{
    records.clear();
    int32_t count = 0;

    if (const auto result = effect->GetNumberOfChunks (&count); result != AAX_SUCCESS)
        return result;

    for (int32_t i = 0; i < count; ++i)
    {
        AAX_CTypeID id = 0;
        uint32_t size = 0;

        if (const auto result = effect->GetChunkIDFromIndex (i, &id); result != AAX_SUCCESS)
            return result;

        if (const auto result = effect->GetChunkSize (id, &size); result != AAX_SUCCESS)
            return result;

        std::vector<char> record (chunkHeaderSize + size);
        auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (record.data());
        chunk->fChunkID = id;
        chunk->fSize = int32_t (size);

        if (const auto result = effect->GetChunk (id, chunk); result != AAX_SUCCESS)
            return result;

        records.push_back (std::move (record));
    }

    return AAX_SUCCESS;
}

AAX_Result ModuleInstance::restoreChunks (const std::vector<std::vector<char>>& records)
{
    for (const auto& record : records)
    {
        if (record.size() < chunkHeaderSize)
            return AAX_ERROR_INCORRECT_CHUNK_SIZE;

        const auto* chunk = reinterpret_cast<const AAX_SPlugInChunk*> (record.data());

        if (const auto result = effect->SetChunk (chunk->fChunkID, chunk); result != AAX_SUCCESS)
            return result;
    }

    return AAX_SUCCESS;
}

std::vector<ModuleInstance::Parameter> ModuleInstance::listParameters()
{
    std::vector<Parameter> found;
    int32_t count = 0;
    effect->GetNumberOfParameters (&count);

    for (int32_t i = 0; i < count; ++i)
    {
        HostString id, name, value;

        if (effect->GetParameterIDFromIndex (i, &id) != AAX_SUCCESS)
            continue;

        Parameter p;
        p.id = id.value;
        effect->GetParameterName (p.id.c_str(), &name);
        effect->GetParameterValueString (p.id.c_str(), &value, valueTextLength);
        effect->GetParameterNormalizedValue (p.id.c_str(), &p.normalized);
        p.name = name.value;
        p.value = value.value;
        found.push_back (std::move (p));
    }

    return found;
}
} // namespace aax_host
