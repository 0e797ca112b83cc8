#pragma once

#include "AAX_CEffectParameters.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CString.h"
#include "AAX_Init.h"
#include "AAX_UIDs.h"
#include "HostFixture.h"

/** A float parameter that takes a boolean as 0 or 1, as a preview switch would. */
class SwitchParameter : public AAX_CParameter<float>
{
public:
    explicit SwitchParameter (const char* id)
        : AAX_CParameter<float> (id, AAX_CString (id), 0.5f, AAX_CLinearTaperDelegate<float, 0>(),
                                 AAX_CNumberDisplayDelegate<float, 3>(), true)
    {
    }

    bool SetValueWithBool (bool on) override { return SetValueWithFloat (on ? 1.0f : 0.0f); }
};

/** An effect with float parameters of the given identifiers, made in EffectInit. */
class TestEffect : public AAX_CEffectParameters
{
public:
    explicit TestEffect (std::vector<std::string> ids, AAX_Result initResult = AAX_SUCCESS)
        : identifiers (std::move (ids)),
          effectInitResult (initResult)
    {
    }

    AAX_Result EffectInit() override
    {
        for (const auto& id : identifiers)
            mParameterManager.AddParameter (
                id == cPreviewID
                    ? new SwitchParameter (cPreviewID)
                    : new AAX_CParameter<float> (
                          id.c_str(), AAX_CString (id == "freq" ? "Frequency\nFreq\nFq" : id.c_str()), 0.5f,
                          AAX_CLinearTaperDelegate<float, 0>(), AAX_CNumberDisplayDelegate<float, 3>(), true));

        return effectInitResult;
    }

    using AAX_CEffectParameters::mNumChunkedParameters;
    using AAX_CEffectParameters::mPacketDispatcher;

    std::vector<std::string> identifiers;
    AAX_Result effectInitResult;
};

/** A host that echoes every value request back, started with host services for traces and checks. */
class EffectParameters : public HostFixture
{
protected:
    void SetUp() override
    {
        ASSERT_EQ (AAXStartup (host.unknown()), ACF_OK);
        host.automation().echo = [this] (const char* id, double v)
        { effect->UpdateParameterNormalizedValue (id, v, AAX_eUpdateSource_Parameter); };
    }

    void TearDown() override
    {
        if (effect != nullptr)
            effect->Release();

        effect = nullptr;
        AAXShutdown (host.unknown());
        HostFixture::TearDown();
    }

    TestEffect& start (std::vector<std::string> ids, AAX_Result initResult = AAX_SUCCESS)
    {
        effect = new TestEffect (std::move (ids), initResult);
        effect->AddRef();
        lastInit = effect->Initialize (host.instanceUnknown());
        return *effect;
    }

    double value (const char* id) const
    {
        double v = -1.0;
        effect->GetParameterNormalizedValue (id, &v);
        return v;
    }

    TestEffect* effect = nullptr;
    AAX_Result lastInit = AAX_SUCCESS;
};
