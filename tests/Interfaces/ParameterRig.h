#pragma once

#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "RecordingAutomationDelegate.h"

#include <memory>

using Taper = AAX_CLinearTaperDelegate<float, 0>;
using Display = AAX_CNumberDisplayDelegate<float, 3>;
using Parameter = AAX_CParameter<float>;

inline std::unique_ptr<Parameter> makeParameter (const char* id = "0", float defaultValue = 0.25f)
{
    return std::make_unique<Parameter> (id, AAX_CString ("GAIN 1/STEREO"), defaultValue, Taper(), Display(), true);
}

/** A parameter attached to a recording automation delegate whose echo lands in the parameter, as the effect's update
 * does. */
struct AutomatedParameter
{
    explicit AutomatedParameter (RecordingAutomationDelegate::Echo mode)
        : automation (mode)
    {
        automation.echo = [this] (AAX_CParamID, double value) { parameter->UpdateNormalizedValue (value); };
        parameter->SetAutomationDelegate (&automation);
        automation.calls.clear();
    }

    float value() const
    {
        float v = -1.0f;
        parameter->GetValueAsFloat (&v);
        return v;
    }

    RecordingAutomationDelegate automation;
    std::unique_ptr<Parameter> parameter = makeParameter();
};
