#include "ParameterRig.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>

TEST (AAX_CParameter, EachOperationMovesTheValueAndTellsTheHostOnlyAsItsRuleSays)
{
    struct Case
    {
        const char* name;
        std::function<void (Parameter&)> operation;
        std::vector<std::string> calls;
        float value;
        double normalizedDefault;
    };

    const std::vector<Case> cases {
        { "a new default leaves the current value",
          [] (Parameter& p) { p.SetNormalizedDefaultValue (0.75); },
          {},
          0.25f,
          0.75 },
        { "a step with fewer than two steps changes nothing",
          [] (Parameter& p)
          {
              p.SetNumberOfSteps (1);
              p.SetStepValue (1);
          },
          {},
          0.25f,
          0.25 },
        { "a step with two steps is requested from the host",
          [] (Parameter& p)
          {
              p.SetNumberOfSteps (2);
              p.SetStepValue (1);
          },
          { "touch 0", "set 0 1.000000", "current 0 1.000000", "release 0" },
          1.0f,
          0.25 },
        { "an echo is reported with the value the host gave, not the one stored",
          [] (Parameter& p) { p.UpdateNormalizedValue (1.5); },
          { "current 0 1.500000" },
          1.0f,
          0.25 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        AutomatedParameter rig (RecordingAutomationDelegate::Echo::AtOnce);
        c.operation (*rig.parameter);
        EXPECT_EQ (rig.automation.calls, c.calls);
        EXPECT_EQ (rig.value(), c.value);
        EXPECT_EQ (rig.parameter->GetNormalizedDefaultValue(), c.normalizedDefault);
    }
}

TEST (AAX_CParameter, AReplacedAutomationDelegateIsUnregisteredAndTheNewOneRegistered)
{
    RecordingAutomationDelegate first, second;
    const auto parameter = makeParameter ("4");

    parameter->SetAutomationDelegate (&first);
    parameter->SetAutomationDelegate (&second);
    EXPECT_EQ (first.calls, (std::vector<std::string> { "register 4", "unregister 4" }));
    EXPECT_EQ (second.calls, (std::vector<std::string> { "register 4" }));

    parameter->SetAutomationDelegate (nullptr);
    parameter->Touch();
    EXPECT_EQ (second.calls, (std::vector<std::string> { "register 4", "unregister 4" }));
}

TEST (AAX_CParameter, AValueThatIsNoFiniteNumberIsRefusedByEverySetterWithNothingStoredOrToldToTheHost)
{
    const std::pair<const char*, std::function<void (Parameter&, double)>> setters[] = {
        { "SetValueWithFloat", [] (Parameter& p, double v) { EXPECT_FALSE (p.SetValueWithFloat (float (v))); } },
        { "SetValue", [] (Parameter& p, double v) { EXPECT_FALSE (p.SetValue (float (v))); } },
        { "SetNormalizedValue", [] (Parameter& p, double v) { p.SetNormalizedValue (v); } },
        { "UpdateNormalizedValue", [] (Parameter& p, double v) { p.UpdateNormalizedValue (v); } },
        { "SetNormalizedDefaultValue", [] (Parameter& p, double v) { p.SetNormalizedDefaultValue (v); } },
    };
    constexpr auto infinity = std::numeric_limits<double>::infinity();

    for (const auto& [name, set] : setters)
    {
        for (const auto sent : { std::numeric_limits<double>::quiet_NaN(), infinity, -infinity })
        {
            SCOPED_TRACE (std::string (name) + " " + std::to_string (sent));
            AutomatedParameter rig (RecordingAutomationDelegate::Echo::AtOnce);
            const auto alone = makeParameter();

            set (*rig.parameter, sent);
            set (*alone, sent);
            EXPECT_EQ (rig.automation.calls, std::vector<std::string> {});

            for (const auto* p : { rig.parameter.get(), alone.get() })
            {
                float value = -1.0f;
                p->GetValueAsFloat (&value);
                EXPECT_EQ (value, 0.25f);
                EXPECT_EQ (p->GetNormalizedDefaultValue(), 0.25);
            }
        }
    }
}
