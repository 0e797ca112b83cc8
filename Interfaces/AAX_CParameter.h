#pragma once

#include "AAX_CHostServices.h"
#include "AAX_CParameterValue.h"
#include "AAX_CStringAbbreviations.h"
#include "AAX_IAutomationDelegate.h"
#include "AAX_IDisplayDelegate.h"
#include "AAX_IParameter.h"
#include "AAX_ITaperDelegate.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <memory>
#include <type_traits>

/** The library's host-visible parameter of real type T.

    The taper delegate maps the real value to the host's 0..1, the display delegate to text. With an
    automation delegate attached, a new value is only requested from the host: it lands when the host
    echoes it through UpdateNormalizedValue, so that the host records every change it makes.
*/
template <typename T> class AAX_CParameter : public AAX_IParameter
{
public:
    AAX_CParameter (AAX_CParamID identifier, const AAX_CString& name, T defaultValue,
                    const AAX_ITaperDelegate<T>& taperDelegate, const AAX_IDisplayDelegate<T>& displayDelegate,
                    bool automatable)
        : mNames (name),
          mAutomatable (automatable),
          mTaperDelegate (taperDelegate.Clone()),
          mDisplayDelegate (displayDelegate.Clone()),
          mValue (identifier, T (0)),
          mDefaultValue (defaultValue)
    {
        if (mType == AAX_eParameterType_Continuous)
            SetNumberOfSteps (128);
        else if (mType == AAX_eParameterType_Discrete)
            SetNumberOfSteps (2);
        else
            AAX_CHostServices::HandleAssertFailure (AAX_CParameterDetail::sourceFile, 699, "0", 1);

        SetToDefaultValue();
    }

    AAX_CParameter (const AAX_CParameter&) = delete;
    AAX_CParameter& operator= (const AAX_CParameter&) = delete;

    ~AAX_CParameter() override { SetAutomationDelegate (nullptr); }

    AAX_IParameterValue* CloneValue() const override { return mValue.Clone(); }

    AAX_CParamID Identifier() const override { return mValue.Identifier(); }

    void SetName (const AAX_CString& name) override
    {
        mNames.SetPrimary (name);

        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->ParameterNameChanged (Identifier());
    }

    const AAX_CString& Name() const override { return mNames.Primary(); }
    void AddShortenedName (const AAX_CString& name) override { mNames.Add (name); }
    const AAX_CString& ShortenedName (int32_t maxNumChars) const override { return mNames.Get (maxNumChars); }
    void ClearShortenedNames() override { mNames.Clear(); }

    bool Automatable() const override { return mAutomatable; }

    void SetAutomationDelegate (AAX_IAutomationDelegate* automationDelegate) override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->UnregisterParameter (Identifier());

        mAutomationDelegate = automationDelegate;

        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->RegisterParameter (Identifier());
    }

    void Touch() override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostTouchRequest (Identifier());
    }

    void Release() override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostReleaseRequest (Identifier());
    }

    // A normalised value that is no finite number is refused before the taper would take a NaN for its
    // minimum; the same holds for the default below.
    void SetNormalizedValue (double newNormalizedValue) override
    {
        if (std::isfinite (newNormalizedValue))
            SetValue (mTaperDelegate->NormalizedToReal (newNormalizedValue));
    }

    double GetNormalizedValue() const override { return mTaperDelegate->RealToNormalized (mValue.Get()); }

    void SetNormalizedDefaultValue (double normalizedDefault) override
    {
        if (std::isfinite (normalizedDefault))
            mDefaultValue = mTaperDelegate->ConstrainRealValue (mTaperDelegate->NormalizedToReal (normalizedDefault));
    }

    double GetNormalizedDefaultValue() const override { return mTaperDelegate->RealToNormalized (mDefaultValue); }
    void SetToDefaultValue() override { SetValue (mDefaultValue); }

    void SetNumberOfSteps (uint32_t numSteps) override
    {
        if (numSteps == 0)
        {
            AAX_CHostServices::HandleAssertFailure (AAX_CParameterDetail::sourceFile, 834, "0 < numSteps", 1);
            return;
        }

        mNumSteps = numSteps;
    }

    uint32_t GetNumberOfSteps() const override { return mNumSteps; }
    uint32_t GetStepValue() const override { return GetStepValueFromNormalizedValue (GetNormalizedValue()); }

    double GetNormalizedValueFromStep (uint32_t step) const override
    {
        if (mNumSteps < 2)
            return 0.0;

        return std::clamp (step * (1.0 / (mNumSteps - 1)), 0.0, 1.0);
    }

    // A NaN gives step 0 rather than an undefined conversion to unsigned.
    uint32_t GetStepValueFromNormalizedValue (double normalizedValue) const override
    {
        if (mNumSteps < 2 || std::isnan (normalizedValue))
            return 0;

        const auto step = normalizedValue / (1.0 / (mNumSteps - 1)) + 0.5;
        return uint32_t (std::clamp (step, 0.0, double (mNumSteps - 1)));
    }

    void SetStepValue (uint32_t step) override
    {
        if (mNumSteps >= 2)
            SetNormalizedValue (GetNormalizedValueFromStep (step));
    }

    bool GetValueString (AAX_CString* valueString) const override
    {
        return valueString != nullptr && mDisplayDelegate->ValueToString (mValue.Get(), valueString);
    }

    bool GetValueString (int32_t maxNumChars, AAX_CString* valueString) const override
    {
        return valueString != nullptr && mDisplayDelegate->ValueToString (mValue.Get(), maxNumChars, valueString);
    }

    bool GetNormalizedValueFromBool (bool value, double* normalizedValue) const override
    {
        return normalizedFromKind (value, normalizedValue);
    }

    bool GetNormalizedValueFromInt32 (int32_t value, double* normalizedValue) const override
    {
        return normalizedFromKind (value, normalizedValue);
    }

    bool GetNormalizedValueFromFloat (float value, double* normalizedValue) const override
    {
        return normalizedFromKind (value, normalizedValue);
    }

    bool GetNormalizedValueFromDouble (double value, double* normalizedValue) const override
    {
        return normalizedFromKind (value, normalizedValue);
    }

    bool GetNormalizedValueFromString (const AAX_CString& valueString, double* normalizedValue) const override
    {
        T value;

        if (normalizedValue == nullptr || ! mDisplayDelegate->StringToValue (valueString, &value))
            return false;

        *normalizedValue = mTaperDelegate->RealToNormalized (value);
        return true;
    }

    bool GetBoolFromNormalizedValue (double normalizedValue, bool* value) const override
    {
        return AAX_CParameterDetail::readAs (mTaperDelegate->NormalizedToReal (normalizedValue), value);
    }

    bool GetInt32FromNormalizedValue (double normalizedValue, int32_t* value) const override
    {
        return AAX_CParameterDetail::readAs (mTaperDelegate->NormalizedToReal (normalizedValue), value);
    }

    bool GetFloatFromNormalizedValue (double normalizedValue, float* value) const override
    {
        return AAX_CParameterDetail::readAs (mTaperDelegate->NormalizedToReal (normalizedValue), value);
    }

    bool GetDoubleFromNormalizedValue (double normalizedValue, double* value) const override
    {
        return AAX_CParameterDetail::readAs (mTaperDelegate->NormalizedToReal (normalizedValue), value);
    }

    // The text is written either way; true only when the value lies within the taper's range.
    bool GetStringFromNormalizedValue (double normalizedValue, AAX_CString& valueString) const override
    {
        const auto real = mTaperDelegate->NormalizedToReal (normalizedValue);
        return mDisplayDelegate->ValueToString (real, &valueString) && isWithinTaper (real);
    }

    bool GetStringFromNormalizedValue (double normalizedValue, int32_t maxNumChars,
                                       AAX_CString& valueString) const override
    {
        const auto real = mTaperDelegate->NormalizedToReal (normalizedValue);
        return mDisplayDelegate->ValueToString (real, maxNumChars, &valueString) && isWithinTaper (real);
    }

    bool SetValueFromString (const AAX_CString& valueString) override
    {
        T value;

        return mDisplayDelegate->StringToValue (valueString, &value) && SetValue (value);
    }

    bool GetValueAsBool (bool* value) const override { return mValue.GetValueAsBool (value); }
    bool GetValueAsInt32 (int32_t* value) const override { return mValue.GetValueAsInt32 (value); }
    bool GetValueAsFloat (float* value) const override { return mValue.GetValueAsFloat (value); }
    bool GetValueAsDouble (double* value) const override { return mValue.GetValueAsDouble (value); }

    bool GetValueAsString (AAX_IString* value) const override
    {
        if (value == nullptr)
            return false;

        AAX_CString text;
        const auto written = GetValueString (&text);

        if (written)
            *value = text;

        return written;
    }

    bool SetValueWithBool (bool value) override { return setValueOfKind (value); }
    bool SetValueWithInt32 (int32_t value) override { return setValueOfKind (value); }
    bool SetValueWithFloat (float value) override { return setValueOfKind (value); }
    bool SetValueWithDouble (double value) override { return setValueOfKind (value); }
    bool SetValueWithString (const AAX_IString& value) override
    {
        return SetValueFromString (AAX_CString (value.Get()));
    }

    void SetType (AAX_EParameterType type) override { mType = type; }
    AAX_EParameterType GetType() const override { return mType; }
    void SetOrientation (AAX_EParameterOrientation orientation) override { mOrientation = orientation; }
    AAX_EParameterOrientation GetOrientation() const override { return mOrientation; }

    // Keeps the real value (posted again through the new taper) or the normalised position.
    void SetTaperDelegate (AAX_ITaperDelegateBase& taperDelegate, bool preserveValue) override
    {
        auto* taper = dynamic_cast<AAX_ITaperDelegate<T>*> (&taperDelegate);

        if (taper == nullptr)
            return;

        const auto normalizedValue = GetNormalizedValue();
        mTaperDelegate.reset (taper->Clone());
        mNeedNotify = true;

        if (preserveValue)
            SetValue (mValue.Get());
        else
            UpdateNormalizedValue (normalizedValue);
    }

    void SetDisplayDelegate (AAX_IDisplayDelegateBase& displayDelegate) override
    {
        auto* display = dynamic_cast<AAX_IDisplayDelegate<T>*> (&displayDelegate);

        if (display == nullptr)
            return;

        mDisplayDelegate.reset (display->Clone());

        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostCurrentValue (Identifier(), GetNormalizedValue());
    }

    /** Stores and reports the host's value; a non-finite one is refused, so nothing is stored or posted. */
    void UpdateNormalizedValue (double newNormalizedValue) override
    {
        if (! std::isfinite (newNormalizedValue))
            return;

        const auto real = mTaperDelegate->NormalizedToReal (newNormalizedValue);

        if (! mNeedNotify && real == mValue.Get())
            return;

        mValue.Set (real);

        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostCurrentValue (Identifier(), newNormalizedValue);

        mNeedNotify = false;
    }

    /** Requests the value from the host when a delegate is attached, else stores it at once; false, with
        nothing requested or stored, for a value that is no finite number. */
    bool SetValue (T newValue)
    {
        if constexpr (std::is_floating_point_v<T>)
            if (! std::isfinite (newValue))
                return false;

        const auto normalizedValue = mTaperDelegate->RealToNormalized (newValue);

        if (mAutomationDelegate != nullptr)
        {
            Touch();
            mAutomationDelegate->PostSetValueRequest (Identifier(), normalizedValue);
            Release();
        }
        else
        {
            mNeedNotify = true;
            UpdateNormalizedValue (normalizedValue);
        }

        return true;
    }

private:
    bool isWithinTaper (T real) const
    {
        return mTaperDelegate->GetMinimumValue() <= real && real <= mTaperDelegate->GetMaximumValue();
    }

    /** The normalised value of a value of kind V when T is that kind; the other kinds and a null out are
        refused. */
    template <typename V> bool normalizedFromKind (V value, double* normalizedValue) const
    {
        if constexpr (std::is_same_v<V, T>)
        {
            if (normalizedValue == nullptr)
                return false;

            *normalizedValue = mTaperDelegate->RealToNormalized (value);
            return true;
        }
        else
        {
            (void) value;
            (void) normalizedValue;
            return false;
        }
    }

    /** Sets a value of kind V when T is that kind; the other kinds are refused. */
    template <typename V> bool setValueOfKind (V value)
    {
        if constexpr (std::is_same_v<V, T>)
        {
            return SetValue (value);
        }
        else
        {
            (void) value;
            return false;
        }
    }

    AAX_CStringAbbreviations mNames;
    bool mAutomatable;
    uint32_t mNumSteps = 0;
    AAX_EParameterType mType = AAX_eParameterType_Continuous;
    AAX_EParameterOrientation mOrientation = 0;
    std::unique_ptr<AAX_ITaperDelegate<T>> mTaperDelegate;
    std::unique_ptr<AAX_IDisplayDelegate<T>> mDisplayDelegate;
    AAX_IAutomationDelegate* mAutomationDelegate = nullptr; // the host's proxy, owned by the effect
    std::atomic<bool> mNeedNotify { true };
    AAX_CParameterValue<T> mValue;
    T mDefaultValue;
};
