#include "AAX_CEffectGUI.h"
#include "AAX_CEffectParameters.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "NullPointerCases.h"

#include <gtest/gtest.h>

namespace
{
/** The library's bodies alone, with the parameter "1" the cases ask about. */
class PlainEffect : public AAX_CEffectParameters
{
public:
    PlainEffect()
    {
        mParameterManager.AddParameter (new AAX_CParameter<float> ("1", AAX_CString ("one"), 0.5f,
                                                                   AAX_CLinearTaperDelegate<float, 0>(),
                                                                   AAX_CNumberDisplayDelegate<float, 3>(), true));
    }
};

class PlainView : public AAX_CEffectGUI
{
    void CreateViewContents() override {}
    void CreateViewContainer() override {}
    void DeleteViewContainer() override {}
};
} // namespace

TEST (NullPointers, EveryEntryOfTheLibrarysEffectAndViewRefusesANullPointer)
{
    auto* effect = new PlainEffect();
    auto* view = new PlainView();
    effect->AddRef();
    view->AddRef();

    for (const auto& c : nullPointerCases())
        EXPECT_EQ (c.call (*effect, *view), c.expected) << c.entry;

    double value = 0.0;
    EXPECT_EQ (effect->GetParameterNormalizedValue ("1", &value), AAX_SUCCESS);
    EXPECT_EQ (value, 0.5) << "no entry changed the parameter";

    view->Release();
    effect->Release();
}
