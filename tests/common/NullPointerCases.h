#pragma once

#include "AAX_Errors.h"
#include "AAX_IACFEffectGUI.h"
#include "AAX_IACFEffectParameters.h"
#include "AAX_UIDs.h"
#include "HostString.h"

#include <functional>
#include <vector>

/** One entry of an effect's parameters or view, called with a null pointer where it writes its answer,
    reads the host's chunk record or names its parameter, and the result it must give without writing
    or changing anything. */
struct NullPointerCase
{
    const char* entry;
    AAX_Result expected;
    /** JUCE's wrapper overrides the entry, so a module built with it answers with JUCE's code. */
    bool wrapperAnswers;
    std::function<AAX_Result (AAX_IACFEffectParameters_V4&, AAX_IACFEffectGUI&)> call;
};

/** Every entry of the effect parameters and the view that takes such a pointer, for an effect with a
    parameter "1". */
inline std::vector<NullPointerCase> nullPointerCases()
{
    using Effect = AAX_IACFEffectParameters_V4;
    using View = AAX_IACFEffectGUI;
    constexpr auto refused = AAX_ERROR_NULL_ARGUMENT;
    static const aax_host::HostString half ("0.5");
    static AAX_SPlugInChunk record {};
    record.fChunkID = 'elck';

    return {
        { "QueryInterface", ACF_E_POINTER, false,
          [] (Effect& e, View&) { return (AAX_Result) e.QueryInterface (IID_IAAXEffectParametersV1, nullptr); } },
        { "GetNumberOfParameters", refused, false,
          [] (Effect& e, View&) { return e.GetNumberOfParameters (nullptr); } },
        { "GetMasterBypassParameter", refused, false,
          [] (Effect& e, View&) { return e.GetMasterBypassParameter (nullptr); } },
        { "GetParameterIsAutomatable", refused, false,
          [] (Effect& e, View&) { return e.GetParameterIsAutomatable ("1", nullptr); } },
        { "GetParameterNumberOfSteps", refused, false,
          [] (Effect& e, View&) { return e.GetParameterNumberOfSteps ("1", nullptr); } },
        { "GetParameterName", refused, true, [] (Effect& e, View&) { return e.GetParameterName ("1", nullptr); } },
        // The one entry whose null name has a result of its own.
        { "GetParameterNameOfLength", AAX_ERROR_INVALID_STRING_CONVERSION, true,
          [] (Effect& e, View&) { return e.GetParameterNameOfLength ("1", nullptr, 8); } },
        { "GetParameterDefaultNormalizedValue", refused, true,
          [] (Effect& e, View&) { return e.GetParameterDefaultNormalizedValue ("1", nullptr); } },
        { "GetParameterType", refused, false, [] (Effect& e, View&) { return e.GetParameterType ("1", nullptr); } },
        { "GetParameterOrientation", refused, false,
          [] (Effect& e, View&) { return e.GetParameterOrientation ("1", nullptr); } },
        { "GetParameter", refused, false, [] (Effect& e, View&) { return e.GetParameter ("1", nullptr); } },
        { "GetParameterIndex", refused, false, [] (Effect& e, View&) { return e.GetParameterIndex ("1", nullptr); } },
        { "GetParameterIDFromIndex", refused, false,
          [] (Effect& e, View&) { return e.GetParameterIDFromIndex (1, nullptr); } },
        { "GetParameterValueInfo", refused, false,
          [] (Effect& e, View&) { return e.GetParameterValueInfo ("1", 0, nullptr); } },
        { "GetParameterValueFromString", refused, true,
          [] (Effect& e, View&) { return e.GetParameterValueFromString ("1", nullptr, half); } },
        { "GetParameterStringFromValue", refused, true,
          [] (Effect& e, View&) { return e.GetParameterStringFromValue ("1", 0.5, nullptr, 8); } },
        { "GetParameterValueString", refused, false,
          [] (Effect& e, View&) { return e.GetParameterValueString ("1", nullptr, 8); } },
        { "GetParameterNormalizedValue", refused, true,
          [] (Effect& e, View&) { return e.GetParameterNormalizedValue ("1", nullptr); } },
        // A relative change asks the effect's own getter for the current value, which JUCE's wrapper
        // overrides: the identifier is checked before it is asked.
        { "SetParameterNormalizedRelative", AAX_ERROR_INVALID_PARAMETER_ID, true,
          [] (Effect& e, View&) { return e.SetParameterNormalizedRelative (nullptr, 0.1); } },
        { "UpdateParameterNormalizedRelative", AAX_ERROR_INVALID_PARAMETER_ID, false,
          [] (Effect& e, View&) { return e.UpdateParameterNormalizedRelative (nullptr, 0.1); } },
        { "ResetFieldData", refused, true, [] (Effect& e, View&) { return e.ResetFieldData (0, nullptr, 4); } },
        { "GetNumberOfChunks", refused, true, [] (Effect& e, View&) { return e.GetNumberOfChunks (nullptr); } },
        // JUCE's override hands index 0, the controls chunk, to the library's body.
        { "GetChunkIDFromIndex", refused, false, [] (Effect& e, View&) { return e.GetChunkIDFromIndex (0, nullptr); } },
        { "GetChunkSize", refused, false, [] (Effect& e, View&) { return e.GetChunkSize ('elck', nullptr); } },
        { "GetChunk", refused, false, [] (Effect& e, View&) { return e.GetChunk ('elck', nullptr); } },
        { "SetChunk", refused, false, [] (Effect& e, View&) { return e.SetChunk ('elck', nullptr); } },
        { "CompareActiveChunk without a record", refused, false,
          [] (Effect& e, View&)
          {
              AAX_CBoolean equal = 2;
              return e.CompareActiveChunk (nullptr, &equal);
          } },
        { "CompareActiveChunk", refused, false,
          [] (Effect& e, View&) { return e.CompareActiveChunk (&record, nullptr); } },
        { "GetNumberOfChanges", refused, true, [] (Effect& e, View&) { return e.GetNumberOfChanges (nullptr); } },
        { "GetCurveData", refused, true,
          [] (Effect& e, View&)
          {
              const float in = 0.5f;
              return e.GetCurveData ('Curv', &in, 1, nullptr);
          } },
        { "GetCustomData", refused, false,
          [] (Effect& e, View&)
          {
              char data[4] {};
              return e.GetCustomData ('Cust', sizeof (data), data, nullptr);
          } },
        { "GetCurveDataMeterIds", refused, true,
          [] (Effect& e, View&)
          {
              uint32_t x = 0;
              return e.GetCurveDataMeterIds ('Curv', &x, nullptr);
          } },
        { "GetCurveDataDisplayRange", refused, true,
          [] (Effect& e, View&)
          {
              float x = 0.0f;
              return e.GetCurveDataDisplayRange ('Curv', &x, &x, &x, nullptr);
          } },
        { "view QueryInterface", ACF_E_POINTER, false,
          [] (Effect&, View& v) { return (AAX_Result) v.QueryInterface (IID_IAAXEffectGUIV1, nullptr); } },
        { "view GetViewSize", refused, true, [] (Effect&, View& v) { return v.GetViewSize (nullptr); } },
        { "view GetCustomLabel", refused, false,
          [] (Effect&, View& v) { return v.GetCustomLabel (AAX_ePlugInStrings_Analysis, nullptr); } },
    };
}
