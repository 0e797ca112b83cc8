#pragma once

#include "AAX_IACFAutomationDelegate.h"
#include "AAX_IACFController.h"
#include "AAX_IAutomationDelegate.h"

/** The host's automation of one instance, and the controller that hears of renamed parameters. */
class AAX_VAutomationDelegate : public AAX_IAutomationDelegate
{
public:
    explicit AAX_VAutomationDelegate (IACFUnknown* host);
    ~AAX_VAutomationDelegate() override;

    AAX_Result RegisterParameter (AAX_CParamID iParameterID) override;
    AAX_Result UnregisterParameter (AAX_CParamID iParameterID) override;
    AAX_Result PostSetValueRequest (AAX_CParamID iParameterID, double normalizedValue) const override;
    AAX_Result PostCurrentValue (AAX_CParamID iParameterID, double normalizedValue) const override;
    AAX_Result PostTouchRequest (AAX_CParamID iParameterID) override;
    AAX_Result PostReleaseRequest (AAX_CParamID iParameterID) override;
    AAX_Result GetTouchState (AAX_CParamID iParameterID, AAX_CBoolean* oTouched) override;
    AAX_Result ParameterNameChanged (AAX_CParamID iParameterID) override;

    /** The longest identifier a name-change notification carries, its NUL included. */
    static constexpr uint32_t maxNotifiedIdentifierSize = 32;

private:
    // Owned references queried from the host at construction, released by the destructor in reverse order.
    IAAXAutomationDelegateV1* v1 = nullptr;
    IAAXControllerV2* controllerV2 = nullptr;
};
