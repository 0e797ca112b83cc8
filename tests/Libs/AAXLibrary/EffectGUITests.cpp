#include "AAX_CEffectGUI.h"
#include "AAX_CEffectParameters.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CString.h"
#include "AAX_Init.h"
#include "AAX_UIDs.h"
#include "HostFixture.h"

namespace
{
/** An effect with parameters "0".."n-1". */
class CountedEffect : public AAX_CEffectParameters
{
public:
    explicit CountedEffect (int n)
        : count (n)
    {
    }

    AAX_Result EffectInit() override
    {
        for (int i = 0; i < count; ++i)
            mParameterManager.AddParameter (new AAX_CParameter<float> (std::to_string (i).c_str(), AAX_CString ("p"),
                                                                       0.0f, AAX_CLinearTaperDelegate<float, 0>(),
                                                                       AAX_CNumberDisplayDelegate<float, 3>(), true));

        return AAX_SUCCESS;
    }

    int count;
};

/** A view that records what the base asked of it. */
class RecordingGUI : public AAX_CEffectGUI
{
public:
    void CreateViewContents() override { calls.push_back ("contents"); }
    void CreateViewContainer() override { calls.push_back ("create"); }
    void DeleteViewContainer() override { calls.push_back ("delete"); }

    AAX_Result ParameterUpdated (AAX_CParamID id) override
    {
        calls.push_back (std::string ("updated ") + id);
        return AAX_SUCCESS;
    }

    /** Resizes the way JUCE's view does, without asking whether a container is there. */
    AAX_Result resize()
    {
        AAX_Point size { 100.0f, 200.0f };
        return GetViewContainer()->SetViewSize (size);
    }

    bool hasEffectParameters() { return GetEffectParameters() != nullptr; }

    std::vector<std::string> calls;
};

class EffectGUI : public HostFixture
{
protected:
    void SetUp() override
    {
        effect = new CountedEffect (3);
        effect->AddRef();
        effect->Initialize (host.instanceUnknown());
        host.controller().effectParameters = static_cast<AAX_IACFEffectParameters_V4*> (effect);
        gui = new RecordingGUI();
        gui->AddRef();
    }

    void TearDown() override
    {
        gui->Release();
        host.controller().effectParameters = nullptr;
        effect->Uninitialize();
        effect->Release();
        HostFixture::TearDown();
    }

    int count (const std::string& call) const { return (int) std::count (gui->calls.begin(), gui->calls.end(), call); }

    CountedEffect* effect = nullptr;
    RecordingGUI* gui = nullptr;
};
} // namespace

TEST_F (EffectGUI, InitializeWithoutAHostGivesNotInitializedAndBuildsNoView)
{
    EXPECT_EQ (gui->Initialize (nullptr), AAX_ERROR_NOT_INITIALIZED);
    EXPECT_TRUE (gui->calls.empty());
}

TEST_F (EffectGUI, AContainerBuildsTheViewAndRefreshesEveryParameterInIndexOrder)
{
    ASSERT_EQ (gui->Initialize (host.instanceUnknown()), AAX_SUCCESS);
    EXPECT_TRUE (gui->hasEffectParameters());
    ASSERT_EQ (gui->SetViewContainer (host.viewContainerUnknown()), AAX_SUCCESS);
    EXPECT_EQ (gui->calls, (std::vector<std::string> { "contents", "create", "updated 0", "updated 1", "updated 2" }));
    EXPECT_EQ (gui->Uninitialize(), AAX_SUCCESS);
    EXPECT_EQ (count ("delete"), 1);
}

TEST_F (EffectGUI, RemovingTheContainerTwiceDeletesTheViewTwiceAndIsOtherwiseHarmless)
{
    gui->Initialize (host.instanceUnknown());
    EXPECT_EQ (gui->SetViewContainer (nullptr), AAX_SUCCESS);
    EXPECT_EQ (gui->SetViewContainer (nullptr), AAX_SUCCESS);
    EXPECT_EQ (count ("delete"), 2);
    gui->Uninitialize();
    EXPECT_EQ (count ("delete"), 2) << "no container held, so no further delete";
}

TEST_F (EffectGUI, WithoutEffectParametersFromTheHostNothingIsRefreshed)
{
    host.settings.withheld = { aax_host::nameOf (IID_IAAXEffectParametersV1) };
    gui->Initialize (host.instanceUnknown());
    EXPECT_FALSE (gui->hasEffectParameters());
    gui->SetViewContainer (host.viewContainerUnknown());
    EXPECT_EQ (gui->calls, (std::vector<std::string> { "contents", "create" }));
    gui->Uninitialize();
}

TEST_F (EffectGUI, AResizeWithoutAContainerIsHarmlessAndReachesNoHost)
{
    gui->Initialize (host.instanceUnknown());
    gui->resize();
    EXPECT_TRUE (host.log.matching ("viewContainer.").empty());

    gui->SetViewContainer (host.viewContainerUnknown());
    EXPECT_EQ (gui->resize(), AAX_SUCCESS);
    EXPECT_EQ (host.viewContainer().size.horz, 200.0f);
    gui->Uninitialize();
}

TEST_F (EffectGUI, TheBaseOffersNoLabelsAndLeavesTheViewSizeToTheView)
{
    AAX_CString label;
    EXPECT_EQ (gui->GetCustomLabel (AAX_ePlugInStrings_Analysis, &label), AAX_ERROR_NULL_OBJECT);
    AAX_Point size { 7.0f, 9.0f };
    EXPECT_EQ (gui->AAX_CEffectGUI::GetViewSize (&size), AAX_SUCCESS);
    EXPECT_EQ (size.vert, 7.0f);
    EXPECT_EQ (size.horz, 9.0f);
}

TEST_F (EffectGUI, TheGuiInterfaceAnswersWithTheObjectAndOneMoreReference)
{
    void* out = nullptr;
    ASSERT_EQ (gui->QueryInterface (IID_IAAXEffectGUIV1, &out), ACF_OK);
    EXPECT_EQ (out, static_cast<AAX_IACFEffectGUI*> (gui));
    EXPECT_EQ (gui->Release(), 1u);
}

TEST_F (EffectGUI, DestroyingTheGuiWithAContainerHeldGivesEveryHostReferenceBack)
{
    gui->Initialize (host.instanceUnknown());
    gui->SetViewContainer (host.viewContainerUnknown());
    ASSERT_GT (host.viewContainer().references(), 0);
    gui->Release(); // the view's part is gone before the base drops the container: no call into it
    gui = new RecordingGUI();
    gui->AddRef();
    EXPECT_EQ (host.viewContainer().references(), 0);
}
