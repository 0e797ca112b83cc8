#include "AAX_CEffectParameters.h"

#include "AAX_CHostServices.h"
#include "AAX_CString.h"
#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "AAX_VAutomationDelegate.h"
#include "AAX_VController.h"
#include "AAX_VPageTable.h"
#include "AAX_VTransport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace
{
constexpr AAX_CTypeID previewNotification = 0x41535076; // 'ASPv'
constexpr uint32_t maxNameCharacters = 255;

/** The first of the value kinds a parameter supplies, in the order the controls chunk asks for them. */
enum class ValueKind
{
    none,
    floatValue,
    int32Value,
    boolValue,
    doubleValue,
    stringValue
};

ValueKind kindOf (const AAX_IParameter& parameter)
{
    float f;
    int32_t i;
    bool b;
    double d;
    AAX_CString s;

    if (parameter.GetValueAsFloat (&f))
        return ValueKind::floatValue;
    if (parameter.GetValueAsInt32 (&i))
        return ValueKind::int32Value;
    if (parameter.GetValueAsBool (&b))
        return ValueKind::boolValue;
    if (parameter.GetValueAsDouble (&d))
        return ValueKind::doubleValue;
    if (parameter.GetValueAsString (&s))
        return ValueKind::stringValue;
    return ValueKind::none;
}

/** The chunk's double for a float parameter; one beyond float's range is no value the parameter can take. */
bool findFloat (AAX_CChunkDataParser& parser, const char* identifier, float& value)
{
    double stored = 0.0;

    if (! parser.FindDouble (identifier, &stored) || ! (std::abs (stored) <= std::numeric_limits<float>::max()))
        return false;

    value = float (stored);
    return true;
}

/** Runs the operation on the parameter with that identifier; an absent one gives -20001. */
template <typename Manager, typename Operation>
AAX_Result onParameter (Manager& manager, AAX_CParamID identifier, Operation&& operation)
{
    auto* parameter = manager.GetParameterByID (identifier);
    return parameter != nullptr ? operation (*parameter) : AAX_Result (AAX_ERROR_INVALID_PARAMETER_ID);
}

/** Runs the operation on the parameter with that identifier and the host's normalized value; a value
    outside 0..1 is taken as the nearest end. An absent identifier gives -20001 and a value that is no
    finite number -20043, with nothing changed. */
template <typename Manager, typename Operation>
AAX_Result withNormalizedValue (Manager& manager, AAX_CParamID identifier, double value, Operation&& operation)
{
    return onParameter (manager, identifier,
                        [&] (auto& parameter)
                        {
                            return std::isfinite (value) ? operation (parameter, std::clamp (value, 0.0, 1.0))
                                                         : AAX_Result (AAX_ERROR_INVALID_ARGUMENT);
                        });
}

/** Hands the current value plus the delta to the setter. The identifier and the delta are checked before
    the virtual getter is asked, since an override of it may not bear an identifier it does not know. */
template <typename Setter>
AAX_Result changeRelative (const AAX_CEffectParameters& effect, const AAX_CParameterManager& manager,
                           AAX_CParamID identifier, double delta, Setter&& set)
{
    return onParameter (manager, identifier,
                        [&] (auto&)
                        {
                            double current = 0.0;

                            if (! std::isfinite (delta))
                                return AAX_Result (AAX_ERROR_INVALID_ARGUMENT);

                            if (const auto result = effect.GetParameterNormalizedValue (identifier, &current);
                                result != AAX_SUCCESS)
                                return result;

                            return set (current + delta);
                        });
}
} // namespace

AAX_CEffectParameters::AAX_CEffectParameters() = default;

AAX_CEffectParameters::~AAX_CEffectParameters()
{
    mFilteredParameters.clear();
    // The parameters unregister through the automation delegate, so they go before any proxy left over
    // from a start that was never undone.
    mParameterManager.RemoveAllParameters();
    deleteProxies();
}

void AAX_CEffectParameters::deleteProxies()
{
    mPacketDispatcher.Initialize (nullptr, this);
    mController.reset();
    mAutomationDelegate.reset();
    mTransport.reset();
}

AAX_Result AAX_CEffectParameters::Initialize (IACFUnknown* iController)
{
    // A second start replaces the first one's parameters and proxies.
    if (mController != nullptr)
    {
        mParameterManager.RemoveAllParameters();
        deleteProxies();
        mFilteredParameters.clear();
    }

    mController = std::make_unique<AAX_VController> (iController);
    mAutomationDelegate = std::make_unique<AAX_VAutomationDelegate> (iController);
    mTransport = std::make_unique<AAX_VTransport> (iController);

    mParameterManager.Initialize (mAutomationDelegate.get());
    mPacketDispatcher.Initialize (mController.get(), this);

    if (const auto result = EffectInit(); result != AAX_SUCCESS)
        return result;

    AAX_CString bypassID;
    GetMasterBypassParameter (&bypassID);

    if (bypassID.Length() > 0)
        mFilteredParameters.insert (bypassID.Get());

    int32_t numParameters = 0;

    if (GetNumberOfParameters (&numParameters) != AAX_SUCCESS)
    {
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical,
                                  "AAX_CEffectParameters::Initialize - error getting the number of parameters");
    }
    else if (numParameters > 0)
    {
        mNumChunkedParameters = numParameters - int32_t (mFilteredParameters.size());
        if (mNumChunkedParameters < 0)
            AAX_CHostServices::HandleAssertFailure ("AAX_CEffectParameters", 124, "mNumChunkedParameters >= 0");
    }

    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::Uninitialize()
{
    mParameterManager.RemoveAllParameters();
    deleteProxies();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData,
                                                        uint32_t inNotificationDataSize)
{
    // The preview state is a 32-bit flag; anything shorter is no flag at all.
    if (inNotificationType == previewNotification && inNotificationData != nullptr && inNotificationDataSize >= 4)
    {
        if (auto* preview = mParameterManager.GetParameterByID (cPreviewID))
        {
            int32_t value = 0;
            std::memcpy (&value, inNotificationData, sizeof (value));
            preview->SetValueWithBool (value != 0);
        }
    }

    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfParameters (int32_t* oNumControls) const
{
    if (oNumControls == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *oNumControls = mParameterManager.NumParameters();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetMasterBypassParameter (AAX_IString* oIDString) const
{
    if (oIDString == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    oIDString->Set (mParameterManager.GetParameterByID (cDefaultMasterBypassID) != nullptr ? cDefaultMasterBypassID
                                                                                           : "");
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterIsAutomatable (AAX_CParamID iParameterID,
                                                             AAX_CBoolean* oAutomatable) const
{
    if (oAutomatable == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *oAutomatable = false;
    const auto* parameter = mParameterManager.GetParameterByID (iParameterID);

    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;

    *oAutomatable = parameter->Automatable();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNumberOfSteps (AAX_CParamID iParameterID, int32_t* oNumSteps) const
{
    if (oNumSteps == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    return onParameter (mParameterManager, iParameterID,
                        [&] (auto& parameter)
                        {
                            const auto steps = int32_t (parameter.GetNumberOfSteps());

                            if (steps < 0)
                                return AAX_ERROR_SIGNED_INT_OVERFLOW;

                            *oNumSteps = steps;
                            return AAX_SUCCESS;
                        });
}

AAX_Result AAX_CEffectParameters::GetParameterName (AAX_CParamID iParameterID, AAX_IString* oName) const
{
    if (oName == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    const auto* parameter = mParameterManager.GetParameterByID (iParameterID);
    *oName = parameter != nullptr ? parameter->Name().Get() : "";
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNameOfLength (AAX_CParamID iParameterID, AAX_IString* oName,
                                                            int32_t iNameLength) const
{
    if (oName == nullptr)
        return AAX_ERROR_INVALID_STRING_CONVERSION;

    const auto* parameter = mParameterManager.GetParameterByID (iParameterID);

    if (parameter == nullptr)
    {
        oName->Set ("");
        return AAX_SUCCESS;
    }

    const std::string name (parameter->ShortenedName (iNameLength).Get(),
                            std::min (parameter->ShortenedName (iNameLength).Length(), maxNameCharacters));

    if (name.empty())
        return AAX_SUCCESS;

    // The shortened name holds variants of decreasing length, one a line: the longest that fits wins.
    size_t longest = 0;
    bool chosen = false;

    for (size_t start = 0; start <= name.size();)
    {
        const auto end = std::min (name.find ('\n', start), name.size());
        const auto length = end - start;

        if (length > longest && int64_t (length) <= int64_t (iNameLength))
        {
            longest = length;
            chosen = true;
            oName->Set (name.substr (start, length).c_str());
        }

        start = end + 1;
    }

    if (! chosen)
        oName->Set (iNameLength < 1 ? "" : name.substr (0, size_t (iNameLength)).c_str());

    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double* oValue) const
{
    if (oValue == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    return onParameter (mParameterManager, iParameterID,
                        [&] (auto& parameter)
                        {
                            *oValue = parameter.GetNormalizedDefaultValue();
                            return AAX_SUCCESS;
                        });
}

AAX_Result AAX_CEffectParameters::SetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double iValue)
{
    return withNormalizedValue (mParameterManager, iParameterID, iValue,
                                [] (auto& parameter, double value)
                                {
                                    parameter.SetNormalizedDefaultValue (value);
                                    return AAX_SUCCESS;
                                });
}

AAX_Result AAX_CEffectParameters::GetParameterType (AAX_CParamID iParameterID, AAX_EParameterType* oParameterType) const
{
    if (oParameterType == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    return onParameter (mParameterManager, iParameterID,
                        [&] (auto& parameter)
                        {
                            *oParameterType = parameter.GetType();
                            return AAX_SUCCESS;
                        });
}

AAX_Result AAX_CEffectParameters::GetParameterOrientation (AAX_CParamID iParameterID,
                                                           AAX_EParameterOrientation* oParameterOrientation) const
{
    if (oParameterOrientation == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    return onParameter (mParameterManager, iParameterID,
                        [&] (auto& parameter)
                        {
                            *oParameterOrientation = parameter.GetOrientation();
                            return AAX_SUCCESS;
                        });
}

AAX_Result AAX_CEffectParameters::GetParameter (AAX_CParamID iParameterID, AAX_IParameter** oParameter)
{
    if (oParameter == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *oParameter = mParameterManager.GetParameterByID (iParameterID);
    return *oParameter != nullptr ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterIndex (AAX_CParamID iParameterID, int32_t* oControlIndex) const
{
    if (oControlIndex == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *oControlIndex = -1;

    if (iParameterID == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;

    for (int32_t i = 0; i < mParameterManager.NumParameters(); ++i)
    {
        if (const auto* parameter = mParameterManager.GetParameter (i);
            parameter != nullptr && std::strcmp (parameter->Identifier(), iParameterID) == 0)
        {
            *oControlIndex = i;
            return AAX_SUCCESS;
        }
    }

    return AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterIDFromIndex (int32_t iControlIndex, AAX_IString* oParameterIDString) const
{
    if (oParameterIDString == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (const auto* parameter = mParameterManager.GetParameter (iControlIndex))
    {
        oParameterIDString->Set (parameter->Identifier());
        return AAX_SUCCESS;
    }

    oParameterIDString->Set ("");
    return AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterValueInfo (AAX_CParamID, int32_t, int32_t* oValue) const
{
    if (oValue == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *oValue = 0;
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::GetParameterValueFromString (AAX_CParamID iParameterID, double* oValue,
                                                               const AAX_IString& iValueString) const
{
    if (oValue == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    return onParameter (mParameterManager, iParameterID,
                        [&] (auto& parameter)
                        {
                            return parameter.GetNormalizedValueFromString (AAX_CString (iValueString.Get()), oValue)
                                       ? AAX_SUCCESS
                                       : AAX_ERROR_INVALID_STRING_CONVERSION;
                        });
}

AAX_Result AAX_CEffectParameters::GetParameterStringFromValue (AAX_CParamID iParameterID, double iValue,
                                                               AAX_IString* oValueString, int32_t iMaxLength) const
{
    if (oValueString == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    return onParameter (mParameterManager, iParameterID,
                        [&] (auto& parameter)
                        {
                            AAX_CString text;

                            if (! parameter.GetStringFromNormalizedValue (iValue, iMaxLength, text))
                                return AAX_ERROR_INVALID_STRING_CONVERSION;

                            *oValueString = text;
                            return AAX_SUCCESS;
                        });
}

AAX_Result AAX_CEffectParameters::GetParameterValueString (AAX_CParamID iParameterID, AAX_IString* oValueString,
                                                           int32_t iMaxLength) const
{
    if (oValueString == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    return onParameter (mParameterManager, iParameterID,
                        [&] (auto& parameter)
                        {
                            AAX_CString text;
                            parameter.GetValueString (iMaxLength, &text);
                            *oValueString = text;
                            return AAX_SUCCESS;
                        });
}

AAX_Result AAX_CEffectParameters::GetParameterNormalizedValue (AAX_CParamID iParameterID, double* oValuePtr) const
{
    if (oValuePtr == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    return onParameter (mParameterManager, iParameterID,
                        [&] (auto& parameter)
                        {
                            *oValuePtr = parameter.GetNormalizedValue();
                            return AAX_SUCCESS;
                        });
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedValue (AAX_CParamID iParameterID, double iValue)
{
    return withNormalizedValue (mParameterManager, iParameterID, iValue,
                                [] (auto& parameter, double value)
                                {
                                    parameter.SetNormalizedValue (value);
                                    return AAX_SUCCESS;
                                });
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue)
{
    return changeRelative (*this, mParameterManager, iParameterID, iValue,
                           [&] (double value) { return SetParameterNormalizedValue (iParameterID, value); });
}

AAX_Result AAX_CEffectParameters::TouchParameter (AAX_CParamID iParameterID)
{
    return onParameter (mParameterManager, iParameterID,
                        [&] (auto& parameter)
                        {
                            parameter.Touch();
                            return AAX_SUCCESS;
                        });
}

AAX_Result AAX_CEffectParameters::ReleaseParameter (AAX_CParamID iParameterID)
{
    return onParameter (mParameterManager, iParameterID,
                        [&] (auto& parameter)
                        {
                            parameter.Release();
                            return AAX_SUCCESS;
                        });
}

AAX_Result AAX_CEffectParameters::UpdateParameterTouch (AAX_CParamID, AAX_CBoolean)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedValue (AAX_CParamID iParameterID, double iValue,
                                                                  AAX_EUpdateSource)
{
    return withNormalizedValue (mParameterManager, iParameterID, iValue,
                                [&] (auto& parameter, double value)
                                {
                                    const auto previous = parameter.GetNormalizedValue();
                                    parameter.UpdateNormalizedValue (value);
                                    mPacketDispatcher.SetDirty (iParameterID);

                                    if (previous != value)
                                        ++mNumPlugInChanges;

                                    return AAX_SUCCESS;
                                });
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue)
{
    return changeRelative (*this, mParameterManager, iParameterID, iValue,
                           [&] (double value)
                           { return UpdateParameterNormalizedValue (iParameterID, value, AAX_EUpdateSource (0)); });
}

AAX_Result AAX_CEffectParameters::GenerateCoefficients()
{
    return mPacketDispatcher.Dispatch();
}

AAX_Result AAX_CEffectParameters::ResetFieldData (AAX_CFieldIndex, void* oData, uint32_t iDataSize) const
{
    if (oData == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    std::memset (oData, 0, iDataSize);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfChunks (int32_t* oNumChunks) const
{
    if (oNumChunks == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *oNumChunks = 1;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunkIDFromIndex (int32_t iIndex, AAX_CTypeID* oChunkID) const
{
    if (oChunkID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (iIndex != 0)
    {
        *oChunkID = 0;
        return AAX_ERROR_INVALID_CHUNK_INDEX;
    }

    *oChunkID = CONTROLS_CHUNK_ID;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunkSize (AAX_CTypeID iChunkID, uint32_t* oSize) const
{
    if (oSize == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (iChunkID != CONTROLS_CHUNK_ID)
    {
        *oSize = 0;
        return AAX_ERROR_INVALID_CHUNK_ID;
    }

    BuildChunkData();
    mChunkSize = mChunkParser.GetChunkDataSize();

    if (mChunkSize < 0)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;

    *oSize = uint32_t (mChunkSize);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunk (AAX_CTypeID iChunkID, AAX_SPlugInChunk* oChunk) const
{
    if (oChunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (iChunkID != CONTROLS_CHUNK_ID)
        return AAX_ERROR_INVALID_CHUNK_ID;

    BuildChunkData();

    if (mChunkParser.GetChunkDataSize() != mChunkSize || mChunkSize == 0)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;

    oChunk->fVersion = mChunkParser.GetChunkVersion();
    std::memset (oChunk->fName, 0, sizeof (oChunk->fName));
    std::strncpy (reinterpret_cast<char*> (oChunk->fName), CONTROLS_CHUNK_DESCRIPTION, sizeof (oChunk->fName) - 1);
    return mChunkParser.GetChunkData (oChunk);
}

AAX_Result AAX_CEffectParameters::SetChunk (AAX_CTypeID iChunkID, const AAX_SPlugInChunk* iChunk)
{
    if (iChunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (iChunkID != CONTROLS_CHUNK_ID)
        return AAX_ERROR_INVALID_CHUNK_ID;

    mChunkParser.LoadChunk (iChunk);

    int32_t numParameters = 0;

    if (const auto result = GetNumberOfParameters (&numParameters); result != AAX_SUCCESS)
    {
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical,
                                  "AAX_CEffectParameters::SetChunk - error getting the number of parameters");
        return result;
    }

    for (int32_t i = 0; i < numParameters; ++i)
    {
        auto* parameter = mParameterManager.GetParameter (i);

        if (parameter == nullptr || mFilteredParameters.count (parameter->Identifier()) != 0)
            continue;

        const auto* id = parameter->Identifier();
        double d = 0.0;
        int32_t n = 0;
        AAX_CString s;

        switch (kindOf (*parameter))
        {
            case ValueKind::floatValue:
                if (float f = 0.0f; findFloat (mChunkParser, id, f))
                    parameter->SetValueWithFloat (f);
                break;
            case ValueKind::int32Value:
                if (mChunkParser.FindInt32 (id, &n))
                    parameter->SetValueWithInt32 (n);
                break;
            case ValueKind::boolValue:
                if (mChunkParser.FindInt32 (id, &n))
                    parameter->SetValueWithBool (n != 0);
                break;
            case ValueKind::doubleValue:
                if (mChunkParser.FindDouble (id, &d))
                    parameter->SetValueWithDouble (d);
                break;
            case ValueKind::stringValue:
                if (mChunkParser.FindString (id, &s))
                    parameter->SetValueWithString (s);
                break;
            case ValueKind::none: break;
        }
    }

    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::CompareActiveChunk (const AAX_SPlugInChunk* iChunkP, AAX_CBoolean* oIsEqual) const
{
    if (iChunkP == nullptr || oIsEqual == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (iChunkP->fChunkID != CONTROLS_CHUNK_ID)
    {
        *oIsEqual = true;
        return AAX_SUCCESS;
    }

    *oIsEqual = false;
    mChunkParser.LoadChunk (iChunkP);

    int32_t numParameters = 0;

    if (const auto result = GetNumberOfParameters (&numParameters); result != AAX_SUCCESS)
    {
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical,
                                  "AAX_CEffectParameters::CompareActiveChunk - error getting the number of parameters");
        return result;
    }

    for (int32_t i = 0; i < numParameters; ++i)
    {
        const auto* parameter = mParameterManager.GetParameter (i);

        if (parameter == nullptr)
        {
            AAX_CHostServices::HandleAssertFailure ("AAX_CEffectParameters", 679, "NULL != parameter");
            continue;
        }

        const auto* id = parameter->Identifier();

        if (mFilteredParameters.count (id) != 0)
            continue;

        double d = 0.0;
        int32_t n = 0;
        AAX_CString stored;
        bool equal = true;

        switch (kindOf (*parameter))
        {
            case ValueKind::floatValue:
            {
                float value = 0.0f, f = 0.0f;
                parameter->GetValueAsFloat (&value);
                equal = findFloat (mChunkParser, id, f) && value == f;
                break;
            }
            case ValueKind::int32Value:
            {
                int32_t value = 0;
                parameter->GetValueAsInt32 (&value);
                equal = mChunkParser.FindInt32 (id, &n) && value == n;
                break;
            }
            case ValueKind::boolValue:
            {
                bool value = false;
                parameter->GetValueAsBool (&value);
                equal = mChunkParser.FindInt32 (id, &n) && value == (n != 0);
                break;
            }
            case ValueKind::doubleValue:
            {
                double value = 0.0;
                parameter->GetValueAsDouble (&value);
                equal = mChunkParser.FindDouble (id, &d) && float (value) == float (d);
                break;
            }
            case ValueKind::stringValue:
            {
                AAX_CString value;
                parameter->GetValueAsString (&value);
                equal = mChunkParser.FindString (id, &stored) && std::strcmp (value.Get(), stored.Get()) == 0;
                break;
            }
            case ValueKind::none: break;
        }

        if (! equal)
            return AAX_SUCCESS;
    }

    *oIsEqual = true;
    return AAX_SUCCESS;
}

void AAX_CEffectParameters::BuildChunkData() const
{
    mChunkParser.Clear();

    int32_t numParameters = 0;

    if (GetNumberOfParameters (&numParameters) != AAX_SUCCESS)
    {
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical,
                                  "AAX_CEffectParameters::BuildChunkData - error getting the number of parameters");
        return;
    }

    for (int32_t i = 0; i < numParameters; ++i)
    {
        const auto* parameter = mParameterManager.GetParameter (i);

        if (parameter == nullptr)
        {
            AAX_CHostServices::HandleAssertFailure ("AAX_CEffectParameters", 831, "NULL != parameter");
            continue;
        }

        const auto* id = parameter->Identifier();

        if (mFilteredParameters.count (id) != 0)
            continue;

        float f;
        int32_t n;
        bool b;
        double d;
        AAX_CString s;

        if (parameter->GetValueAsFloat (&f))
            mChunkParser.AddDouble (id, double (f));
        else if (parameter->GetValueAsInt32 (&n))
            mChunkParser.AddInt32 (id, n);
        else if (parameter->GetValueAsBool (&b))
            mChunkParser.AddInt32 (id, b ? 1 : 0);
        else if (parameter->GetValueAsDouble (&d))
            mChunkParser.AddDouble (id, d);
        else if (parameter->GetValueAsString (&s))
            mChunkParser.AddString (id, s);
    }
}

AAX_Result AAX_CEffectParameters::GetNumberOfChanges (int32_t* oNumChanges) const
{
    if (oNumChanges == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (const auto changes = mNumPlugInChanges.load(); changes >= 0)
        *oNumChanges = changes;

    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::TimerWakeup()
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetCurveData (AAX_CTypeID, const float*, uint32_t, float* oValues) const
{
    return oValues == nullptr ? AAX_ERROR_NULL_ARGUMENT : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::GetCustomData (AAX_CTypeID, uint32_t, void* oData, uint32_t* oDataWritten) const
{
    if (oData == nullptr || oDataWritten == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *oDataWritten = 0;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetCustomData (AAX_CTypeID, uint32_t, const void*)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::DoMIDITransfers()
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::RenderAudio_Hybrid (AAX_SHybridRenderInfo*)
{
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::UpdateMIDINodes (AAX_CFieldIndex, AAX_CMidiPacket&)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateControlMIDINodes (AAX_CTypeID, AAX_CMidiPacket&)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetCurveDataMeterIds (AAX_CTypeID, uint32_t* oXMeterId, uint32_t* oYMeterId) const
{
    return oXMeterId == nullptr || oYMeterId == nullptr ? AAX_ERROR_NULL_ARGUMENT : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::GetCurveDataDisplayRange (AAX_CTypeID, float* oXMin, float* oXMax, float* oYMin,
                                                            float* oYMax) const
{
    const auto anyNull = oXMin == nullptr || oXMax == nullptr || oYMin == nullptr || oYMax == nullptr;
    return anyNull ? AAX_ERROR_NULL_ARGUMENT : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::UpdatePageTable (uint32_t inTableType, int32_t inTablePageSize, IACFUnknown*,
                                                   IACFUnknown* ioPageTableUnknown) const
{
    AAX_VPageTable pageTable (ioPageTableUnknown);
    return pageTable.IsSupported() ? UpdatePageTable (inTableType, inTablePageSize, pageTable) : AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdatePageTable (uint32_t, int32_t, AAX_IPageTable&) const
{
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::EffectInit()
{
    return AAX_SUCCESS;
}

ACFRESULT AAX_CEffectParameters::InternalQueryInterface (const acfIID& riid, void** ppvObjOut)
{
    if (ppvObjOut == nullptr)
        return ACF_E_POINTER;

    if (riid == IID_IAAXEffectParametersV1 || riid == IID_IAAXEffectParametersV2 ||
        riid == IID_IAAXEffectParametersV3 || riid == IID_IAAXEffectParametersV4)
    {
        *ppvObjOut = static_cast<AAX_IACFEffectParameters_V4*> (this);
        AddRef();
        return ACF_OK;
    }

    return CACFUnknown::InternalQueryInterface (riid, ppvObjOut);
}
