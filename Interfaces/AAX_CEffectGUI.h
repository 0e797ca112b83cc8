#pragma once

#include "AAX_IController.h"
#include "AAX_IEffectGUI.h"
#include "AAX_IEffectParameters.h"
#include "AAX_ITransport.h"
#include "AAX_IViewContainer.h"

#include <memory>

/** The plug-in side of one effect instance's view: it connects to the host's controller and
    transport, reaches the instance's effect parameters, and manages the host's view container.
    A derived class builds the view and puts it into the container and takes it out again. */
class AAX_CEffectGUI : public AAX_IEffectGUI
{
public:
    AAX_CEffectGUI();
    ~AAX_CEffectGUI() override;

    AAX_Result Initialize (IACFUnknown* iController) override;
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData,
                                     uint32_t inNotificationDataSize) override;
    AAX_Result SetViewContainer (IACFUnknown* iViewContainer) override;
    AAX_Result GetViewSize (AAX_Point* oViewSize) const override;
    AAX_Result Draw (AAX_Rect* iDrawRect) override;
    AAX_Result TimerWakeup() override;
    AAX_Result ParameterUpdated (AAX_CParamID inParamID) override;
    AAX_Result GetCustomLabel (AAX_EPlugInStrings iSelector, AAX_IString* oString) const override;
    AAX_Result SetControlHighlightInfo (AAX_CParamID iParameterID, AAX_CBoolean iIsHighlighted,
                                        AAX_EHighlightColor iColor) override;

    ACFRESULT InternalQueryInterface (const acfIID& riid, void** ppvObjOut) override;

protected:
    virtual void CreateViewContents() = 0;
    virtual void CreateViewContainer() = 0;
    virtual void DeleteViewContainer() = 0;
    /** Tells ParameterUpdated of every parameter, in index order. */
    virtual void UpdateAllParameters();

    /** The instance's effect parameters when the host handed out our own object, else null. */
    AAX_IEffectParameters* GetEffectParameters() { return dynamic_cast<AAX_IEffectParameters*> (mEffectParameters); }
    const AAX_IEffectParameters* GetEffectParameters() const
    {
        return dynamic_cast<const AAX_IEffectParameters*> (mEffectParameters);
    }
    /** The host's container, or one with no version behind it while the host has given none, so that a
        view resizing itself before its window arrives does no harm. */
    AAX_IViewContainer* GetViewContainer();
    const AAX_IViewContainer* GetViewContainer() const;
    /** The container's AAX_EViewContainer_Type, or the null type without a container. */
    int32_t GetViewContainerType();
    void* GetViewContainerPtr();
    AAX_IController* GetController() { return mController.get(); }
    const AAX_IController* GetController() const { return mController.get(); }
    AAX_ITransport* Transport() { return mTransport.get(); }
    const AAX_ITransport* Transport() const { return mTransport.get(); }

private:
    void releaseHostObjects();

    std::unique_ptr<AAX_IController> mController;
    AAX_IACFEffectParameters* mEffectParameters =
        nullptr;                                        // a counted reference from the host, released by Uninitialize
    std::unique_ptr<AAX_IViewContainer> mViewContainer; // while the host has given a window
    std::unique_ptr<AAX_ITransport> mTransport;
    std::unique_ptr<AAX_IViewContainer> mNoViewContainer;
};
