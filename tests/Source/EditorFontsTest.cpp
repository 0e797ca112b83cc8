#include "EditorFixture.h"

using namespace editortest;

namespace
{
using juce::Font;

/** Whether text in the font is drawn in the face the window's look-and-feel hands out for it: the
    framework draws with what its default look-and-feel resolves. */
testing::AssertionResult isDrawnInEmbeddedFace (const Font& font)
{
    auto* windowLookAndFeel = dynamic_cast<juce::VqLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel());

    if (windowLookAndFeel == nullptr)
        return testing::AssertionFailure() << "drawn in " << font.getTypefacePtr()->getName();

    if (font.getTypefacePtr() != windowLookAndFeel->getTypefaceForFont (font))
        return testing::AssertionFailure() << "another face than the look-and-feel's";

    return testing::AssertionSuccess();
}

class EditorFontsTest : public EditorTest
{
protected:
    /** The font a label paints its text with. */
    static Font paintedFont (juce::Label& label) { return label.getLookAndFeel().getLabelFont (label); }
};
} // namespace

TEST_F (EditorFontsTest, ThePanelsLabelsInsideAnEditorAreDrawnInTheEmbeddedBoldFace)
{
    auto& view = openEditor (createInstance()).getChannelView (0);

    for (auto* label :
         std::initializer_list<juce::Label*> { &view.engageButton.descriptionLabel, &view.hpSwitch.descriptionLabel,
                                               &view.presetKnob.getCaption(), &view.clipLights.clipLabel })
    {
        const auto font = paintedFont (*label);
        EXPECT_TRUE (isDrawnInEmbeddedFace (font)) << label->getText();
        EXPECT_EQ (font.getTypefacePtr()->getName(), "Lato") << label->getText();
        EXPECT_EQ (font.getTypefacePtr()->getStyle(), "Bold") << label->getText();
    }
}

TEST_F (EditorFontsTest, TextTakesTheEmbeddedFacesWhileAnyEditorLivesAndThePlatformsFaceAgainAfterTheLastCloses)
{
    auto* defaultBefore = &juce::LookAndFeel::getDefaultLookAndFeel();
    const auto platformFace = Font::getDefaultTypefaceForFont (Font (14.0f))->getName();
    ASSERT_EQ (Font (14.0f).getTypefacePtr()->getName(), platformFace) << "text drawn before any editor";

    auto& first = openEditor (createInstance());
    auto& second = openEditor (createInstance());
    EXPECT_TRUE (isDrawnInEmbeddedFace (Font (14.0f)));

    closeEditor (first);
    EXPECT_TRUE (isDrawnInEmbeddedFace (Font (14.0f))) << "while the second editor lives";

    closeEditor (second);
    EXPECT_EQ (&juce::LookAndFeel::getDefaultLookAndFeel(), defaultBefore);
    EXPECT_EQ (Font (14.0f).getTypefacePtr()->getName(), platformFace);
}

TEST_F (EditorFontsTest, ADefaultLookAndFeelSetWhileAnEditorLivesStaysAfterTheEditorCloses)
{
    juce::LookAndFeel_V4 chosenElsewhere;
    auto& editor = openEditor (createInstance());
    juce::LookAndFeel::setDefaultLookAndFeel (&chosenElsewhere);

    closeEditor (editor);

    EXPECT_EQ (&juce::LookAndFeel::getDefaultLookAndFeel(), &chosenElsewhere);
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
}
