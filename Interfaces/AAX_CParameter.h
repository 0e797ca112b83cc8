#pragma once

#include "AAX_CParameterValue.h"
#include "AAX_CString.h"
#include "AAX_CStringAbbreviations.h"
#include "AAX_IDisplayDelegate.h"
#include "AAX_IParameter.h"
#include "AAX_ITaperDelegate.h"

/** The library's host-visible parameter of value type T, converting through a taper delegate
    (real to normalised) and a display delegate (real to text). Value changes go through the host's
    automation delegate once one is attached, so that the host records them and echoes them back. */
template <typename T> class AAX_CParameter : public AAX_IParameter
{
public:
    AAX_CParameter (AAX_CParamID identifier, const AAX_CString& name, T defaultValue,
                    const AAX_ITaperDelegate<T>& taperDelegate, const AAX_IDisplayDelegate<T>& displayDelegate,
                    bool automatable = false);
    ~AAX_CParameter() override;

    AAX_CParameter (const AAX_CParameter&) = delete;
    AAX_CParameter& operator= (const AAX_CParameter&) = delete;

    AAX_IParameterValue* CloneValue() const override;
    AAX_CParamID Identifier() const override;
    void SetName (const AAX_CString& name) override;
    const AAX_CString& Name() const override;
    void AddShortenedName (const AAX_CString& name) override;
    const AAX_CString& ShortenedName (int32_t iNumCharacters) const override;
    void ClearShortenedNames() override;
    bool Automatable() const override;
    void SetAutomationDelegate (AAX_IAutomationDelegate* iAutomationDelegate) override;
    void Touch() override;
    void Release() override;

    void SetNormalizedValue (double newNormalizedValue) override;
    double GetNormalizedValue() const override;
    void SetNormalizedDefaultValue (double normalizedDefault) override;
    double GetNormalizedDefaultValue() const override;
    void SetToDefaultValue() override;
    void SetNumberOfSteps (uint32_t numSteps) override;
    uint32_t GetNumberOfSteps() const override;
    uint32_t GetStepValue() const override;
    double GetNormalizedValueFromStep (uint32_t iStep) const override;
    uint32_t GetStepValueFromNormalizedValue (double normalizedValue) const override;
    void SetStepValue (uint32_t iStep) override;

    bool GetValueString (AAX_CString* valueString) const override;
    bool GetValueString (int32_t iMaxNumChars, AAX_CString* valueString) const override;
    bool GetNormalizedValueFromBool (bool value, double* normalizedValue) const override;
    bool GetNormalizedValueFromInt32 (int32_t value, double* normalizedValue) const override;
    bool GetNormalizedValueFromFloat (float value, double* normalizedValue) const override;
    bool GetNormalizedValueFromDouble (double value, double* normalizedValue) const override;
    bool GetNormalizedValueFromString (const AAX_CString& valueString, double* normalizedValue) const override;
    bool GetBoolFromNormalizedValue (double normalizedValue, bool* value) const override;
    bool GetInt32FromNormalizedValue (double normalizedValue, int32_t* value) const override;
    bool GetFloatFromNormalizedValue (double normalizedValue, float* value) const override;
    bool GetDoubleFromNormalizedValue (double normalizedValue, double* value) const override;
    bool GetStringFromNormalizedValue (double normalizedValue, AAX_CString& valueString) const override;
    bool GetStringFromNormalizedValue (double normalizedValue, int32_t iMaxNumChars,
                                       AAX_CString& valueString) const override;
    bool SetValueFromString (const AAX_CString& newValueString) override;

    bool GetValueAsBool (bool* value) const override;
    bool GetValueAsInt32 (int32_t* value) const override;
    bool GetValueAsFloat (float* value) const override;
    bool GetValueAsDouble (double* value) const override;
    bool GetValueAsString (AAX_IString* value) const override;
    bool SetValueWithBool (bool value) override;
    bool SetValueWithInt32 (int32_t value) override;
    bool SetValueWithFloat (float value) override;
    bool SetValueWithDouble (double value) override;
    bool SetValueWithString (const AAX_IString& value) override;

    void SetType (AAX_EParameterType iControlType) override;
    AAX_EParameterType GetType() const override;
    void SetOrientation (AAX_EParameterOrientation iOrientation) override;
    AAX_EParameterOrientation GetOrientation() const override;
    void SetTaperDelegate (AAX_ITaperDelegateBase& iTaperDelegate, bool iPreserveValue) override;
    void SetDisplayDelegate (AAX_IDisplayDelegateBase& iDisplayDelegate) override;

    void UpdateNormalizedValue (double newNormalizedValue) override;

    /** Posts a real value to the host, or stores it at once while no automation delegate is attached. */
    void SetValue (T newValue);

private:
    AAX_CStringAbbreviations mNames;
    bool mAutomatable;
    uint32_t mNumSteps = 0;
    AAX_EParameterType mControlType = AAX_eParameterType_Continuous;
    AAX_EParameterOrientation mOrientation = AAX_eParameterOrientation_Default;
    AAX_ITaperDelegate<T>* mTaperDelegate;                  // owned
    AAX_IDisplayDelegate<T>* mDisplayDelegate;              // owned
    AAX_IAutomationDelegate* mAutomationDelegate = nullptr; // the host's, not owned
    bool mNeedNotify = true;
    AAX_CParameterValue<T> mValue;
    T mDefaultValue;
};
