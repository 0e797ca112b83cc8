#include "AAX_CParameterManager.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "RecordingAutomationDelegate.h"

#include <gtest/gtest.h>

namespace
{
/** A parameter that writes its identifier into a list when it is deleted. */
class TracedParameter final : public AAX_CParameter<float>
{
public:
    TracedParameter (const char* id, float value, std::vector<std::string>& deleted)
        : AAX_CParameter<float> (id, AAX_CString (id), value, AAX_CLinearTaperDelegate<float, 0>(),
                                 AAX_CNumberDisplayDelegate<float, 3>(), true),
          deleted (deleted)
    {
    }

    ~TracedParameter() override { deleted.push_back (Identifier()); }

private:
    std::vector<std::string>& deleted;
};

float valueOf (const AAX_IParameter* parameter)
{
    float value = -1.0f;
    parameter->GetValueAsFloat (&value);
    return value;
}
} // namespace

TEST (AAX_CParameterManager, ParametersAreRegisteredWithTheHostAndFoundByIndexAndExactIdentifier)
{
    RecordingAutomationDelegate automation;
    std::vector<std::string> deleted;
    AAX_CParameterManager manager;
    manager.Initialize (&automation);

    manager.AddParameter (new TracedParameter ("10", 0.1f, deleted));
    manager.AddParameter (new TracedParameter ("1", 0.2f, deleted));

    EXPECT_EQ (automation.calls, (std::vector<std::string> { "register 10", "register 1" }));
    EXPECT_EQ (manager.NumParameters(), 2);
    EXPECT_STREQ (manager.GetParameter (0)->Identifier(), "10");
    EXPECT_EQ (manager.GetParameter (2), nullptr);
    EXPECT_EQ (manager.GetParameter (-1), nullptr);
    EXPECT_EQ (valueOf (manager.GetParameterByID ("1")), 0.2f);
    EXPECT_EQ (std::as_const (manager).GetParameterByID ("1"), manager.GetParameter (1));
    EXPECT_EQ (manager.GetParameterByID ("1 "), nullptr);
    EXPECT_EQ (manager.GetParameterByID (nullptr), nullptr);
}

TEST (AAX_CParameterManager, ADuplicateIdentifierKeepsTheFirstAndDeletesTheOneHandedOver)
{
    std::vector<std::string> deleted;
    AAX_CParameterManager manager;

    manager.AddParameter (new TracedParameter ("0", 0.1f, deleted));
    manager.AddParameter (new TracedParameter ("0", 0.9f, deleted));
    manager.AddParameter (nullptr);

    EXPECT_EQ (manager.NumParameters(), 1);
    EXPECT_EQ (valueOf (manager.GetParameterByID ("0")), 0.1f);
    EXPECT_EQ (deleted, (std::vector<std::string> { "0" }));
}

TEST (AAX_CParameterManager, RemovingAllDeletesInInsertionOrderAndUnregisters)
{
    RecordingAutomationDelegate automation;
    std::vector<std::string> deleted;
    AAX_CParameterManager manager;
    manager.RemoveAllParameters();
    manager.Initialize (&automation);

    for (const auto* id : { "b", "a", "c" })
        manager.AddParameter (new TracedParameter (id, 0.0f, deleted));

    automation.calls.clear();
    manager.RemoveAllParameters();

    EXPECT_EQ (deleted, (std::vector<std::string> { "b", "a", "c" }));
    EXPECT_EQ (automation.calls, (std::vector<std::string> { "unregister b", "unregister a", "unregister c" }));
    EXPECT_EQ (manager.NumParameters(), 0);
    EXPECT_EQ (manager.GetParameterByID ("a"), nullptr);
}
