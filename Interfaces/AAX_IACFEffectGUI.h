#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "AAX_GUITypes.h"
#include "IACFUnknown.h"

class AAX_IString;

/** The host-called interface of an effect's view. */
class AAX_IACFEffectGUI : public IACFUnknown
{
public:
    virtual AAX_Result Initialize (IACFUnknown* iController) = 0;
    virtual AAX_Result Uninitialize() = 0;
    virtual AAX_Result NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData,
                                             uint32_t inNotificationDataSize) = 0;
    virtual AAX_Result SetViewContainer (IACFUnknown* iViewContainer) = 0;
    virtual AAX_Result GetViewSize (AAX_Point* oViewSize) const = 0;
    virtual AAX_Result Draw (AAX_Rect* iDrawRect) = 0;
    virtual AAX_Result TimerWakeup() = 0;
    virtual AAX_Result ParameterUpdated (AAX_CParamID inParamID) = 0;
    virtual AAX_Result GetCustomLabel (AAX_EPlugInStrings iSelector, AAX_IString* oString) const = 0;
    virtual AAX_Result SetControlHighlightInfo (AAX_CParamID iParameterID, AAX_CBoolean iIsHighlighted,
                                                AAX_EHighlightColor iColor) = 0;

protected:
    ~AAX_IACFEffectGUI() = default;
};
