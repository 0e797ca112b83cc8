#include "ModuleInstance.h"

#include "AAX_IEffectGUI.h"
#include "AAX_IEffectParameters.h"
#include "AAX_UIDs.h"
#include "HostString.h"

#include <cstddef>

namespace aax_host
{
namespace
{
constexpr size_t chunkHeaderSize = offsetof (AAX_SPlugInChunk, fData);
constexpr int32_t valueTextLength = 31;
} // namespace

ModuleInstance::ModuleInstance (LoadedModule& module, HostEffectDescriptor& effectDescription)
    : description (effectDescription)
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

bool ModuleInstance::process (const std::vector<std::vector<float>>& inputs, std::vector<std::vector<float>>& outputs)
{
    const auto& controller = instanceHost.controller();
    const HostComponentDescriptor* component = nullptr;

    for (const auto* c : description.components)
        if (! c->nativeProcessProperties.empty() && ! c->nativeProcessProcs.empty() &&
            c->nativeProcessProperties[0].count (AAX_eProperty_InputStemFormat) != 0 &&
            c->nativeProcessProperties[0].at (AAX_eProperty_InputStemFormat) == controller.inputFormat &&
            c->nativeProcessProperties[0].at (AAX_eProperty_OutputStemFormat) == controller.outputFormat)
            component = c;

    if (component == nullptr || inputs.empty() || outputs.empty())
        return false;

    // The context is one pointer per field, at the field's index.
    std::vector<void*> context;
    const bool firstCall = privateData.empty();
    size_t nextBlock = 0;
    std::vector<float*> in, out;
    std::vector<float> meters (16, 0.0f);
    int32_t frames = int32_t (outputs[0].size()), bypass = 0;

    for (const auto& i : inputs)
        in.push_back (const_cast<float*> (i.data()));

    for (auto& o : outputs)
        out.push_back (o.data());

    for (const auto& [kind, index, size] : component->fields)
    {

        if (context.size() <= index)
            context.resize (index + 1, nullptr);

        if (kind == "AudioIn")
            context[index] = in.data();
        else if (kind == "AudioOut")
            context[index] = out.data();
        else if (kind == "AudioBufferLength")
            context[index] = &frames;
        else if (kind == "DataInPort")
            context[index] = &bypass;
        else if (kind == "Meters")
            context[index] = meters.data();
        else if (kind == "PrivateData")
        {
            // The host keeps an instance's private data from its first call on, reset by the plug-in once.
            if (firstCall)
                privateData.emplace_back (size / sizeof (std::max_align_t) + 1);

            context[index] = privateData.at (nextBlock++).data();

            if (firstCall)
                effect->ResetFieldData (AAX_CFieldIndex (index), context[index], size);
        }
    }

    void* const instances[] { context.data() };
    component->nativeProcessProcs[0](instances, instances + 1);
    return true;
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
