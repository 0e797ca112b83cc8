#pragma once

#include "AAX_IAutomationDelegate.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

/** Stands in for the host's automation: logs every call in order and echoes set requests.

    The host's own echo arrives later, on a flush from its thread (Later), or inside the request
    itself (AtOnce), or not at all (Never). The echo is handed to `echo`, where the effect would call
    the parameter's UpdateNormalizedValue; the AAX host stand-in's delegate replaces this double once
    it exists.
*/
class RecordingAutomationDelegate final : public AAX_IAutomationDelegate
{
public:
    enum class Echo
    {
        Later,
        AtOnce,
        Never
    };

    explicit RecordingAutomationDelegate (Echo mode = Echo::Later)
        : mode (mode)
    {
    }

    AAX_Result RegisterParameter (AAX_CParamID id) override { return record ("register", id); }
    AAX_Result UnregisterParameter (AAX_CParamID id) override { return record ("unregister", id); }

    AAX_Result PostSetValueRequest (AAX_CParamID id, double value) const override
    {
        record ("set", id, value);

        if (mode == Echo::AtOnce)
            echo (id, value);
        else if (mode == Echo::Later)
            pending.push_back ({ id, value });

        return 0;
    }

    AAX_Result PostCurrentValue (AAX_CParamID id, double value) const override { return record ("current", id, value); }
    AAX_Result PostTouchRequest (AAX_CParamID id) override { return record ("touch", id); }
    AAX_Result PostReleaseRequest (AAX_CParamID id) override { return record ("release", id); }
    AAX_Result GetTouchState (AAX_CParamID, AAX_CBoolean* touched) override { return (void) (*touched = 0), 0; }
    AAX_Result ParameterNameChanged (AAX_CParamID id) override { return record ("name", id); }

    /** Delivers the echoes held back, as the host does from its own thread. */
    void flush()
    {
        for (const auto& [id, value] : std::exchange (pending, {}))
            echo (id.c_str(), value);
    }

    Echo mode;
    std::function<void (AAX_CParamID, double)> echo = [] (AAX_CParamID, double) {};
    mutable std::vector<std::string> calls;

private:
    AAX_Result record (const char* what, AAX_CParamID id, double value = -1.0) const
    {
        calls.push_back (std::string (what) + " " + id + (value >= 0.0 ? " " + std::to_string (value) : ""));
        return 0;
    }

    mutable std::vector<std::pair<std::string, double>> pending;
};
