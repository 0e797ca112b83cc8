#include "AAX_CEffectGUI.h"

#include "AAX_CHostServices.h"
#include "AAX_CString.h"
#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "AAX_VController.h"
#include "AAX_VTransport.h"
#include "AAX_VViewContainer.h"

AAX_CEffectGUI::AAX_CEffectGUI()
    : mNoViewContainer (std::make_unique<AAX_VViewContainer> (nullptr))
{
}

AAX_CEffectGUI::~AAX_CEffectGUI()
{
    // The derived part is gone by now: a container still held is only dropped.
    mViewContainer.reset();
    releaseHostObjects();
}

void AAX_CEffectGUI::releaseHostObjects()
{
    if (mEffectParameters != nullptr)
    {
        mEffectParameters->Release();
        mEffectParameters = nullptr;
    }

    mController.reset();
    mTransport.reset();
}

AAX_Result AAX_CEffectGUI::Initialize (IACFUnknown* iController)
{
    // A second start replaces what the first one held.
    releaseHostObjects();
    mController = std::make_unique<AAX_VController> (iController);

    if (iController == nullptr)
        return AAX_ERROR_NOT_INITIALIZED;

    void* effectParameters = nullptr;
    iController->QueryInterface (IID_IAAXEffectParametersV1, &effectParameters);
    mEffectParameters = static_cast<AAX_IACFEffectParameters*> (effectParameters);

    mTransport = std::make_unique<AAX_VTransport> (iController);
    CreateViewContents();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::Uninitialize()
{
    if (mViewContainer != nullptr)
        SetViewContainer (nullptr);

    releaseHostObjects();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::NotificationReceived (AAX_CTypeID, const void*, uint32_t)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::SetViewContainer (IACFUnknown* iViewContainer)
{
    if (iViewContainer == nullptr)
    {
        DeleteViewContainer();
        mViewContainer.reset();
        return AAX_SUCCESS;
    }

    mViewContainer = std::make_unique<AAX_VViewContainer> (iViewContainer);
    CreateViewContainer();
    UpdateAllParameters();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::GetViewSize (AAX_Point* oViewSize) const
{
    return oViewSize == nullptr ? AAX_ERROR_NULL_ARGUMENT : AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::Draw (AAX_Rect*)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::TimerWakeup()
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::ParameterUpdated (AAX_CParamID)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::GetCustomLabel (AAX_EPlugInStrings, AAX_IString* oString) const
{
    return oString == nullptr ? AAX_ERROR_NULL_ARGUMENT : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_CEffectGUI::SetControlHighlightInfo (AAX_CParamID, AAX_CBoolean, AAX_EHighlightColor)
{
    return AAX_SUCCESS;
}

void AAX_CEffectGUI::UpdateAllParameters()
{
    if (mEffectParameters == nullptr)
        return;

    int32_t numParameters = 0;

    if (mEffectParameters->GetNumberOfParameters (&numParameters) != AAX_SUCCESS)
    {
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical,
                                  "AAX_CEffectGUI::UpdateAllParameters - error getting the number of parameters");
        return;
    }

    for (int32_t i = 0; i < numParameters; ++i)
        if (AAX_CString identifier; mEffectParameters->GetParameterIDFromIndex (i, &identifier) == AAX_SUCCESS)
            ParameterUpdated (identifier.Get());
}

AAX_IViewContainer* AAX_CEffectGUI::GetViewContainer()
{
    return mViewContainer != nullptr ? mViewContainer.get() : mNoViewContainer.get();
}

const AAX_IViewContainer* AAX_CEffectGUI::GetViewContainer() const
{
    return mViewContainer != nullptr ? mViewContainer.get() : mNoViewContainer.get();
}

int32_t AAX_CEffectGUI::GetViewContainerType()
{
    return GetViewContainer()->GetType();
}

void* AAX_CEffectGUI::GetViewContainerPtr()
{
    return GetViewContainer()->GetPtr();
}

ACFRESULT AAX_CEffectGUI::InternalQueryInterface (const acfIID& riid, void** ppvObjOut)
{
    if (ppvObjOut == nullptr)
        return ACF_E_POINTER;

    if (riid == IID_IAAXEffectGUIV1)
    {
        *ppvObjOut = static_cast<AAX_IACFEffectGUI*> (this);
        AddRef();
        return ACF_OK;
    }

    return CACFUnknown::InternalQueryInterface (riid, ppvObjOut);
}
