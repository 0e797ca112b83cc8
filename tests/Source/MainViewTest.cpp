#include "MainViewFixture.h"
#include "Mouse.h"

#include "vq_core/VqDawParameter.h"
#include "vq_gui/VqDefaultLookAndFeelScope.h"

#include <cmath>

using namespace mainviewtest;
using Slot = PLEMVO_MainView::Slot;

namespace
{
juce::Point<float> centreIn (juce::Component& c)
{
    return c.getLocalBounds().toFloat().getCentre();
}

/** The children the view lays out itself, in the order of its layout. */
std::vector<juce::Component*> laidOut (PLEMVO_MainView& v)
{
    return { &v.panel,      &v.eq1FreqKnob,  &v.eq1GainKnob,   &v.eq2FreqKnob, &v.eq2GainKnob,
             &v.eq1QSwitch, &v.eq2QSwitch,   &v.eq1InButton,   &v.eq2InButton, &v.hpSwitch,
             &v.lpSwitch,   &v.engageButton, &v.channelSwitch, &v.usbLight,    &v.clipLights,
             &v.readOut,    &v.presetKnob,   &v.windowButton,  &v.overlay };
}
} // namespace

TEST_F (MainViewTest, AtThePanelSizeEveryChildLandsOnItsRectangle)
{
    const juce::Rectangle<int> expected[] {
        { 0, 0, 325, 570 },     { 6, 66, 136, 136 },  { 179, 66, 136, 136 }, { 6, 217, 136, 136 },
        { 179, 217, 136, 136 }, { 125, 158, 72, 72 }, { 125, 307, 72, 72 },  { 256, 175, 72, 36 },
        { 256, 324, 72, 36 },   { 13, 348, 112, 49 }, { 202, 348, 112, 49 }, { 12, 398, 62, 49 },
        { 148, 395, 146, 49 },  { 120, 395, 28, 49 }, { 205, 395, 36, 49 },  { 120, 450, 103, 64 },
        { 205, 416, 136, 136 }, { 289, 0, 36, 36 },   { 0, 0, 325, 570 },
    };
    const auto children = laidOut (view());

    for (size_t i = 0; i < children.size(); ++i)
        EXPECT_EQ (children[i]->getBounds(), expected[i]) << "child " << i;
}

TEST_F (MainViewTest, AtTwiceThePanelSizeEveryRectangleIsTwiceAsLargeWithinAPixelAndKnobsStaySquare)
{
    auto& v = view();
    const auto children = laidOut (v);
    std::vector<juce::Rectangle<int>> atOne;
    for (auto* child : children)
        atOne.push_back (child->getBounds());

    v.setSize (650, 1140);

    for (size_t i = 0; i < children.size(); ++i)
    {
        const auto a = atOne[i], b = children[i]->getBounds();
        EXPECT_LE (std::abs (b.getX() - 2 * a.getX()), 1) << i;
        EXPECT_LE (std::abs (b.getY() - 2 * a.getY()), 1) << i;
        EXPECT_LE (std::abs (b.getWidth() - 2 * a.getWidth()), 1) << i;
        EXPECT_LE (std::abs (b.getHeight() - 2 * a.getHeight()), 1) << i;
    }

    for (auto* knob : std::initializer_list<VQ_Knob*> { &v.eq1FreqKnob, &v.eq1GainKnob, &v.eq2FreqKnob, &v.eq2GainKnob,
                                                        &v.presetKnob })
        EXPECT_EQ (knob->getBounds().getWidth(), knob->getBounds().getHeight());
}

TEST_F (MainViewTest, TheViewsOfBothChannelsDriveTheirElevenParametersSlotForSlot)
{
    for (int channel : { 0, 1 })
        for (int slot = 0; slot < PLEMVO_MainView::numSlots; ++slot)
            EXPECT_EQ (view (channel).getParamIndex (slot), 1 + slot + 11 * channel);

    // Each slot's parameter moves its own widget, in either view.
    struct Case
    {
        Slot slot;
        float value;
        std::function<float (PLEMVO_MainView&)> shown;
    };
    const Case cases[] {
        { Slot::engageSlot, 0.0f, [] (auto& v) { return v.engageButton.button->getToggleState() ? 1.0f : 0.0f; } },
        { Slot::eq1EngageSlot, 1.0f, [] (auto& v) { return v.eq1InButton.button->getToggleState() ? 1.0f : 0.0f; } },
        { Slot::eq1GainSlot, 0.8f, [] (auto& v) { return (float) v.eq1GainKnob.getValue(); } },
        { Slot::eq1FreqSlot, 0.3f, [] (auto& v) { return (float) v.eq1FreqKnob.getValue(); } },
        { Slot::eq1QSlot, 0.75f, [] (auto& v) { return v.eq1QSwitch.getValue(); } },
        { Slot::eq2EngageSlot, 1.0f, [] (auto& v) { return v.eq2InButton.button->getToggleState() ? 1.0f : 0.0f; } },
        { Slot::eq2GainSlot, 0.2f, [] (auto& v) { return (float) v.eq2GainKnob.getValue(); } },
        { Slot::eq2FreqSlot, 0.9f, [] (auto& v) { return (float) v.eq2FreqKnob.getValue(); } },
        { Slot::eq2QSlot, 0.25f, [] (auto& v) { return v.eq2QSwitch.getValue(); } },
        { Slot::lpfSlot, 0.5f, [] (auto& v) { return v.lpSwitch.getValue(); } },
        { Slot::hpfSlot, 0.75f, [] (auto& v) { return v.hpSwitch.getValue(); } },
    };

    setDualMono (true); // so that neither channel is copied onto the other
    for (int channel : { 0, 1 })
        for (auto& c : cases)
        {
            const auto other = c.shown (view (1 - channel));
            params().setParamValue (nullptr, view (channel).getParamIndex (c.slot), c.value);
            EXPECT_NEAR (c.shown (view (channel)), c.value, 1.0e-6f) << "channel " << channel << " slot " << c.slot;
            EXPECT_EQ (c.shown (view (1 - channel)), other) << "channel " << channel << " slot " << c.slot;
        }
}

TEST_F (MainViewTest, OpeningAViewShowsTheCurrentStateAndStartsTheReadOutsBlanking)
{
    setDualMono (true);
    params().setNonAutomatableParamValue (nullptr, ParamData::selectedChannel, 1);
    params().setNonAutomatableParamValue (nullptr, ParamData::isConnected, true);
    params().setNonAutomatableParamValue (nullptr, ParamData::clipperDiodeStateR, true);
    params().setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, true);
    params().setParamValue (nullptr, ParamData::eq2Gain2, 0.7f);
    setDualMono (false);
    makeViews();

    for (int channel : { 0, 1 })
    {
        auto& v = view (channel);
        EXPECT_EQ (v.channelSwitch.currentState.load(), 0);
        EXPECT_TRUE (v.usbLight.lightDiode->isVisible());
        EXPECT_FALSE (v.clipLights.leftLightDiode->isVisible());
        EXPECT_TRUE (v.clipLights.rightLightDiode->isVisible());
        EXPECT_TRUE (v.windowButton.getToggleState());
        EXPECT_TRUE (v.engageButton.button->getToggleState());
        EXPECT_TRUE (v.readOut.isTimerRunning());
    }
    EXPECT_FLOAT_EQ ((float) view (1).eq2GainKnob.getValue(), 0.7f);
}

TEST_F (MainViewTest, TheChannelSwitchSetsChannelInOneGestureThenTheSelectedChannelAndLinkLeavesItAlone)
{
    auto& v = view();
    EventLog log (params(), { ParamData::channel }, { ParamData::selectedChannel });
    log.names.push_back ({ sourceOf (v), "view" });

    v.channelSwitch.getChannelButton().triggerClick(); // LINK to 1
    vqtest::drainMessageLoop();
    v.channelSwitch.getChannelButton().triggerClick(); // 1 to 2
    vqtest::drainMessageLoop();
    v.channelSwitch.updateCurrentState (0, juce::sendNotificationSync); // back to LINK, as a long press does

    const std::vector<std::string> expected { "begin 0 view", "set 0 1.00 view", "end 0 view", "setting 3 0",
                                              "begin 0 view", "set 0 1.00 view", "end 0 view", "setting 3 1",
                                              "begin 0 view", "set 0 0.00 view", "end 0 view" };
    EXPECT_EQ (log.events, expected);
    EXPECT_EQ ((int) params().getNonAutomatableParamValue (ParamData::selectedChannel), 1);
    EXPECT_EQ (v.channelSwitch.currentState.load(), 0);
    EXPECT_EQ (view (1).channelSwitch.currentState.load(), 0);
}

TEST_F (MainViewTest, InLinkTheChannelSwitchShowsLinkWhateverTheSelectedChannelAndInDualMonoItFollowsIt)
{
    params().setNonAutomatableParamValue (nullptr, ParamData::selectedChannel, 1);
    EXPECT_EQ (view().channelSwitch.currentState.load(), 0);

    // At exactly 0.5 the unit is linked, so the window says so too.
    params().setParamValue (nullptr, ParamData::channel, 0.5f);
    EXPECT_EQ (view().channelSwitch.currentState.load(), 0);

    setDualMono (true);
    EXPECT_EQ (view().channelSwitch.currentState.load(), 2);
    params().setNonAutomatableParamValue (nullptr, ParamData::selectedChannel, 0);
    EXPECT_EQ (view().channelSwitch.currentState.load(), 1);
}

TEST_F (MainViewTest, ASelectedChannelOutsideZeroToOneFromARestoredStateSelectsTheNearestChannel)
{
    setDualMono (true);
    const std::pair<juce::var, int> cases[] { { 5, 2 },
                                              { -3, 1 },
                                              { 1.4, 2 },
                                              { std::numeric_limits<double>::quiet_NaN(), 1 },
                                              { std::numeric_limits<double>::infinity(), 1 },
                                              { "two", 1 } };

    // The equaliser's manager refuses these values; stored past its check, the view still shows a channel.
    for (auto& [value, position] : cases)
    {
        params().juce::VqParamsManager::applyNonAutomatableParamValue (nullptr, ParamData::selectedChannel, value,
                                                                       params().takeChangeStamp());
        EXPECT_EQ (view().channelSwitch.currentState.load(), position) << value.toString();
        params().setParamValue (nullptr, ParamData::channel, 1.0f);
        EXPECT_EQ (view().channelSwitch.currentState.load(), position) << value.toString();
    }
}

TEST_F (MainViewTest, AHostChangeOfTheSecondChannelsGainWhileItsKnobIsHoveredShowsOnTheReadOutInLinkOnly)
{
    auto& v = view (1);
    vqtest::DirectMouse mouse (v.eq1GainKnob);
    mouse.enter (centreIn (v.eq1GainKnob));
    EXPECT_TRUE ((bool) params().getNonAutomatableParamValue (ParamData::mouseOverGain1Knob));

    params().getDawParameter (ParamData::eq1Gain2)->setValue (0.9f);
    vqtest::drainMessageLoop();
    EXPECT_FLOAT_EQ ((float) v.eq1GainKnob.getValue(), 0.9f);
    EXPECT_TRUE (readOutShows (v.readOut, params().getCurrentValueAsText (ParamData::eq1Gain2)));

    setDualMono (true);
    const auto before = params().getCurrentValueAsText (ParamData::eq1Gain2);
    params().getDawParameter (ParamData::eq1Gain2)->setValue (0.1f);
    vqtest::drainMessageLoop();
    EXPECT_FLOAT_EQ ((float) v.eq1GainKnob.getValue(), 0.1f);
    EXPECT_TRUE (readOutShows (v.readOut, before));
}

TEST_F (MainViewTest, InLinkAHoverOnOneViewShowsTheOtherViewsOwnValueWhichBlanksASecondAfterTheMouseLeaves)
{
    params().setParamValue (nullptr, ParamData::eq2Freq2, 0.9f);
    auto& other = view (1);
    vqtest::DirectMouse mouse (view (0).eq2FreqKnob);

    mouse.enter (centreIn (view (0).eq2FreqKnob));
    EXPECT_TRUE (readOutShows (other.readOut, params().getCurrentValueAsText (ParamData::eq2Freq2)));
    mouse.exit (centreIn (view (0).eq2FreqKnob));
    EXPECT_TRUE (other.readOut.isTimerRunning());
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return ! other.readOut.isTimerRunning(); }, 3000));
    EXPECT_TRUE (readOutShows (other.readOut, {}));

    setDualMono (true);
    other.readOut.setTextToDisplay ("1");
    mouse.enter (centreIn (view (0).eq2FreqKnob));
    mouse.exit (centreIn (view (0).eq2FreqKnob));
    EXPECT_TRUE (readOutShows (other.readOut, "1"));
    EXPECT_FALSE (other.readOut.isTimerRunning());
}

TEST_F (MainViewTest, ADoubleClickOnPresetGivesTwentyThreeTriplesInIndexOrderWithoutASource)
{
    std::vector<int> all;
    for (int i = 0; i < ParamData::numParams; ++i)
        all.push_back (i);
    params().setParamValue (nullptr, ParamData::eq1Gain1, 0.8f);
    EventLog log (params(), all);

    vqtest::DirectMouse (view().presetKnob).doubleClick (centreIn (view().presetKnob));

    std::vector<std::string> expected;
    for (int i = 0; i < ParamData::numParams; ++i)
        for (auto& e : { "begin ", "set ", "end " })
            expected.push_back (e + std::to_string (i) +
                                (e[1] == 'e' && e[2] == 't'
                                     ? " " + juce::String (ParamData::paramDefault[i], 2).toStdString()
                                     : std::string()) +
                                " none");
    EXPECT_EQ (log.events, expected);
    EXPECT_FLOAT_EQ ((float) view().eq1GainKnob.getValue(), 0.5f);
    EXPECT_EQ (view().channelSwitch.currentState.load(), 0);
}

TEST_F (MainViewTest, DraggingOrWheelingPresetChangesNothingAndItsCapHasNoPointer)
{
    auto& preset = view().presetKnob;
    EventLog log (params(), { 0, 1, 2, 3, 4, 5 });
    const auto value = preset.getValue();
    vqtest::DirectMouse mouse (preset);

    mouse.down (centreIn (preset));
    mouse.drag (centreIn (preset).translated (0.0f, -60.0f));
    mouse.up (centreIn (preset).translated (0.0f, -60.0f));
    mouse.wheel (centreIn (preset), 1.0f);

    EXPECT_EQ (preset.getValue(), value);
    EXPECT_TRUE (log.events.empty());
    EXPECT_FALSE (preset.isPointerVisible());
    EXPECT_FALSE (preset.getKnobLookAndFeel()->isPointerVisible());
}

TEST_F (MainViewTest, AClickOnAClipLightClearsItWithABoolAndTheOtherViewHidesItsOwnToo)
{
    params().setNonAutomatableParamValue (nullptr, ParamData::clipperDiodeStateL, true);
    params().setNonAutomatableParamValue (nullptr, ParamData::clipperDiodeStateR, true);
    auto& clip = view().clipLights;

    vqtest::DirectMouse (clip).click (clip.leftDarkDiode->getBounds().toFloat().getCentre());

    const auto left = params().getNonAutomatableParamValue (ParamData::clipperDiodeStateL);
    EXPECT_TRUE (left.isBool());
    EXPECT_FALSE ((bool) left);
    EXPECT_TRUE ((bool) params().getNonAutomatableParamValue (ParamData::clipperDiodeStateR));
    for (int channel : { 0, 1 })
    {
        EXPECT_FALSE (view (channel).clipLights.leftLightDiode->isVisible());
        EXPECT_TRUE (view (channel).clipLights.rightLightDiode->isVisible());
    }
}

TEST_F (MainViewTest, TheWindowButtonSetsTheSharedFlagBeforeDoubleWindowAndBothButtonsFollow)
{
    struct FlagAtChange : juce::VqParamsManager::NonAutomatableParamListener
    {
        explicit FlagAtChange (bool& f)
            : flag (f)
        {
        }
        void nonAutomatableParamValueChanged (int, juce::var value) override
        {
            seen.push_back ({ flag, (bool) value });
        }
        bool& flag;
        std::vector<std::pair<bool, bool>> seen;
    } listener (windowChangeByUser);
    params().addNonAutomatableParamListener (&listener, ParamData::doubleWindow, juce::VqParamsManager::registerOnly);

    view().windowButton.triggerClick();
    vqtest::drainMessageLoop();
    params().removeNonAutomatableParamListener (&listener, ParamData::doubleWindow);

    ASSERT_EQ (listener.seen.size(), 1u);
    EXPECT_EQ (listener.seen[0], std::make_pair (true, true));
    EXPECT_TRUE (view (0).windowButton.getToggleState());
    EXPECT_TRUE (view (1).windowButton.getToggleState());
}

TEST_F (MainViewTest, UnderEachHostOnlyItsResetModifierReturnsAKnobToItsDefaultInOneGesture)
{
    using Keys = juce::ModifierKeys;
    const std::pair<juce::AudioProcessor::WrapperType, int> hosts[] {
        { juce::AudioProcessor::wrapperType_AAX, Keys::altModifier },
        { juce::AudioProcessor::wrapperType_AudioUnit, Keys::altModifier },
        { juce::AudioProcessor::wrapperType_VST3, Keys::commandModifier },
    };

    for (auto& [host, reset] : hosts)
    {
        views.clear();
        juce::AudioProcessor::setTypeOfNextNewPlugin (host);
        instance = std::make_unique<PlemvoPluginInstance>();
        makeViews();
        setDualMono (true);
        params().setParamValue (nullptr, ParamData::eq1Freq1, 0.9f);
        auto& knob = view().eq1FreqKnob;
        EventLog log (params(), { ParamData::eq1Freq1 });
        log.names.push_back ({ sourceOf (view()), "view" });

        for (const int mods : { (int) Keys::altModifier, (int) Keys::commandModifier })
        {
            if (mods == reset)
                continue;
            vqtest::DirectMouse (knob).click (centreIn (knob), Keys (mods | Keys::leftButtonModifier));
            EXPECT_FLOAT_EQ ((float) knob.getValue(), 0.9f) << host;
        }

        log.events.clear();
        vqtest::DirectMouse (knob).click (centreIn (knob), Keys (reset | Keys::leftButtonModifier));
        const std::vector<std::string> expected { "begin 4 view", "set 4 0.50 view", "end 4 view" };
        EXPECT_EQ (log.events, expected) << host;
        EXPECT_FLOAT_EQ (params().getParamValue (ParamData::eq1Freq1), 0.5f) << host;
    }
}

TEST_F (MainViewTest, UnderEachHostOnlyItsSwapModifierGivesAnEqKnobTheFineDrag)
{
    using Keys = juce::ModifierKeys;
    struct Case
    {
        juce::AudioProcessor::WrapperType host;
        int swap;
        std::vector<int> plain; // neither the swap nor the reset modifier
    };
    const Case cases[] {
        { juce::AudioProcessor::wrapperType_AAX, Keys::commandModifier, { 0, Keys::shiftModifier } },
        { juce::AudioProcessor::wrapperType_AudioUnit, Keys::shiftModifier, { 0, Keys::commandModifier } },
        { juce::AudioProcessor::wrapperType_VST3, Keys::shiftModifier, { 0, Keys::altModifier } },
    };

    for (const auto& c : cases)
    {
        views.clear();
        juce::AudioProcessor::setTypeOfNextNewPlugin (c.host);
        instance = std::make_unique<PlemvoPluginInstance>();
        makeViews();
        auto& knob = view().eq1GainKnob;

        // 64 pixels up in steps of 8: a plain drag turns a quarter of the range, a fine one a hundredth.
        const auto turnedBy = [&] (int modifiers)
        {
            params().setParamValue (nullptr, ParamData::eq1Gain1, 0.5f);
            vqtest::DirectMouse mouse (knob);
            const auto from = centreIn (knob);
            mouse.down (from, Keys (modifiers | Keys::leftButtonModifier));
            for (int dy = 8; dy <= 64; dy += 8)
                mouse.drag (from.translated (0.0f, (float) -dy));
            mouse.up (from.translated (0.0f, -64.0f));
            return params().getParamValue (ParamData::eq1Gain1) - 0.5f;
        };

        const auto fine = turnedBy (c.swap);
        EXPECT_TRUE (fine > 0.0f && fine < 0.05f) << c.host << ": " << fine;

        for (const auto modifiers : c.plain)
            EXPECT_NEAR (turnedBy (modifiers), 0.25f, 0.02f) << c.host << ", modifiers " << modifiers;
    }
}

// The double-click return stays enabled for the reset click, yet a double-click alone resets nothing.
TEST_F (MainViewTest, APlainDoubleClickOnAnEqKnobChangesNothingThoughItsResetClickIsEnabled)
{
    auto& v = view();
    setDualMono (true);
    for (const auto index : { ParamData::eq1Freq1, ParamData::eq1Gain1, ParamData::eq2Freq1, ParamData::eq2Gain1 })
        params().setParamValue (nullptr, index, 0.9f);

    for (auto* knob : { &v.eq1FreqKnob, &v.eq1GainKnob, &v.eq2FreqKnob, &v.eq2GainKnob })
    {
        ASSERT_TRUE (knob->isDoubleClickReturnEnabled());
        EventLog log (params(), { ParamData::eq1Freq1, ParamData::eq1Gain1, ParamData::eq2Freq1, ParamData::eq2Gain1 });

        vqtest::DirectMouse (*knob).doubleClick (centreIn (*knob));

        EXPECT_FLOAT_EQ ((float) knob->getValue(), 0.9f);
        EXPECT_EQ (log.gesturesAndSettings().size(), log.events.size()) << "no value set";
    }
}

TEST_F (MainViewTest, TheChannelSwitchsCaptionAndPositionLabelsArePrintedBlackAsEveryTextOfTheLightPlate)
{
    auto& channelSwitch = view().channelSwitch;
    auto& caption = channelSwitch.descriptionLabel;
    ASSERT_EQ (caption.getText(), "CH.");
    EXPECT_EQ (channelSwitch.labelColour, juce::Colours::black);
    EXPECT_EQ (caption.findColour (juce::Label::textColourId), channelSwitch.labelColour);

    const auto drawn = vqtest::renderComponent (caption);
    const auto dark = [] (juce::Colour c) { return c.getAlpha() > 200 && c.getBrightness() < 0.1f; };
    const auto light = [] (juce::Colour c) { return c.getAlpha() > 100 && c.getBrightness() > 0.5f; };
    EXPECT_GT (vqtest::countPixels (drawn, dark, caption.getLocalBounds()), 5);
    EXPECT_EQ (vqtest::countPixels (drawn, light, caption.getLocalBounds()), 0);

    for (auto* label : channelSwitch.positionLabels)
        EXPECT_EQ (label->findColour (juce::Label::textColourId), juce::Colours::black) << label->getText();
}

namespace
{
/** The box of a text's ink, every pixel of any alpha, as drawn at the scale, in the view's coordinates. */
juce::Rectangle<float> inkBox (PLEMVO_MainView& v, juce::Label& label, float scale)
{
    const auto image = vqtest::renderComponent (label, scale);
    int left = image.getWidth(), right = -1, top = image.getHeight(), bottom = -1;

    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt (x, y).getAlpha() > 0)
            {
                left = juce::jmin (left, x);
                right = juce::jmax (right, x);
                top = juce::jmin (top, y);
                bottom = juce::jmax (bottom, y);
            }

    if (right < left)
        return {};

    const auto ink = juce::Rectangle<int>::leftTopRightBottom (left, top, right + 1, bottom + 1).toFloat() / scale;
    return ink + v.getLocalPoint (&label, juce::Point<int>()).toFloat();
}

template <typename Type> std::vector<Type*> visibleDescendants (juce::Component& parent)
{
    std::vector<Type*> found;

    for (auto* child : parent.getChildren())
    {
        if (! child->isVisible())
            continue;

        if (auto* typed = dynamic_cast<Type*> (child))
            found.push_back (typed);

        for (auto* inner : visibleDescendants<Type> (*child))
            found.push_back (inner);
    }

    return found;
}
} // namespace

// A reader takes texts side by side for one word unless empty columns part them: three pixels do
// ("30" and "60" of the high-pass switch have four), the gap between letters is one.
TEST_F (MainViewTest, EveryTwoTextsSideBySideStandThreePixelsApartAndNoneLiesUnderALightOrAButtonCapAtScaleOneAndTwo)
{
    juce::VqDefaultLookAndFeelScope embeddedFaces;
    makeViews();
    auto& v = view();
    constexpr float minimumGap = 3.0f;

    for (const auto scale : { 1.0f, 2.0f })
    {
        std::vector<std::pair<juce::String, juce::Rectangle<float>>> texts;

        for (auto* label : visibleDescendants<juce::Label> (v))
            if (const auto ink = inkBox (v, *label, scale); ! ink.isEmpty())
                texts.emplace_back (label->getText(), ink);

        ASSERT_GT (texts.size(), 30u);

        for (size_t i = 0; i < texts.size(); ++i)
        {
            for (size_t j = i + 1; j < texts.size(); ++j)
            {
                const auto& [a, inkA] = texts[i];
                const auto& [b, inkB] = texts[j];

                if (inkA.getY() >= inkB.getBottom() || inkB.getY() >= inkA.getBottom())
                    continue; // one above the other

                const auto gap = juce::jmax (inkB.getX() - inkA.getRight(), inkA.getX() - inkB.getRight());
                EXPECT_GE (gap, minimumGap) << "\"" << a << "\" and \"" << b << "\" at scale " << scale;
            }

            // A light's box holds its glow too: a text may touch it, not lie a quarter under it.
            const auto& [text, ink] = texts[i];

            for (auto* light : visibleDescendants<ButtonDiode> (v))
            {
                const auto covered = ink.getIntersection (v.getLocalArea (light, light->getLocalBounds()).toFloat());
                EXPECT_LT (covered.getWidth() * covered.getHeight(), 0.25f * ink.getWidth() * ink.getHeight())
                    << "\"" << text << "\" under a light at scale " << scale;
            }

            // A push button's metal cap is the middle 55/75 of its width; its shadow may lie over a text.
            for (auto* button : visibleDescendants<VQ_Button_s500> (v))
            {
                const auto box = v.getLocalArea (button, button->getLocalBounds()).toFloat();
                const auto centre = box.getCentre();
                const auto nearest = juce::Point<float> (juce::jlimit (ink.getX(), ink.getRight(), centre.x),
                                                         juce::jlimit (ink.getY(), ink.getBottom(), centre.y));
                EXPECT_GE (nearest.getDistanceFrom (centre), 0.5f * box.getWidth() * 55.0f / 75.0f)
                    << "\"" << text << "\" under a button at scale " << scale;
            }
        }
    }
}

TEST_F (MainViewTest, ClicksReachTheControlsBeneathTheOverlay)
{
    auto& v = view();
    v.overlay.setVisible (true);
    const auto at = v.eq1GainKnob.getBounds().getCentre();

    EXPECT_EQ (v.getComponentAt (at), &v.eq1GainKnob);
    EXPECT_TRUE (vqtest::coloursNear (vqtest::sample (vqtest::renderComponent (v.overlay), { 5.0f, 5.0f }),
                                      juce::Colour (0x66000000)));
}

TEST_F (MainViewTest, TheChannelButtonNotPresetTakesTheClicksInsideTheChannelSwitch)
{
    auto& v = view();
    auto& button = v.channelSwitch.getChannelButton();
    const auto buttonCentre = button.getBounds().getCentre() + v.channelSwitch.getPosition();
    const auto presetCentre = v.presetKnob.getBounds().getCentre();

    // PRESET's hit circle covers the button's centre, yet the button is found there.
    ASSERT_TRUE (v.presetKnob.hitTest (buttonCentre.x - v.presetKnob.getX(), buttonCentre.y - v.presetKnob.getY()));
    EXPECT_EQ (v.getComponentAt (buttonCentre), &button);
    EXPECT_EQ (v.getComponentAt (presetCentre), &v.presetKnob);

    // The clip lights lie inside the channel switch and take the clicks there.
    auto* atClip = v.getComponentAt (v.clipLights.getBounds().getCentre());
    EXPECT_TRUE (atClip == &v.clipLights || v.clipLights.isParentOf (atClip));
}

TEST_F (MainViewTest, BadValuesFromTheHostLeaveEveryWidgetInItsRangeAndNoGestureOpen)
{
    const float bad[] { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                        -std::numeric_limits<float>::infinity(), -1.0f, 2.0f };

    for (auto value : bad)
    {
        for (int i = 0; i < ParamData::numParams; ++i)
            params().getDawParameter (i)->setValue (value);
        vqtest::drainMessageLoop();

        for (auto& v : views)
        {
            for (auto* knob : { &v->eq1FreqKnob, &v->eq1GainKnob, &v->eq2FreqKnob, &v->eq2GainKnob })
            {
                EXPECT_TRUE (std::isfinite (knob->getValue()));
                EXPECT_GE (knob->getValue(), 0.0);
                EXPECT_LE (knob->getValue(), 1.0);
            }
            const std::pair<VQ_Switch_PLEMVO*, int> switches[] { { &v->eq1QSwitch, 9 },
                                                                 { &v->eq2QSwitch, 9 },
                                                                 { &v->hpSwitch, 5 },
                                                                 { &v->lpSwitch, 5 },
                                                                 { &v->channelSwitch, 3 } };
            for (auto& [s, numStates] : switches)
                EXPECT_TRUE (juce::isPositiveAndBelow (s->currentState.load(), numStates));
        }
    }
}

TEST_F (MainViewTest, AViewResizedToNothingOrToFourTimesItsSizePaintsWithoutFault)
{
    // Every image the view draws scales with its width: four times the panel's size is far beyond any
    // window's and keeps a sanitizer's run short.
    for (auto size : { juce::Point<int> (0, 0), juce::Point<int> (1, 1), juce::Point<int> (1300, 2280),
                       juce::Point<int> (325, 570) })
    {
        view().setSize (size.x, size.y);
        vqtest::renderComponent (view());
    }

    EXPECT_EQ (view().readOut.getBounds(), juce::Rectangle<int> (120, 450, 103, 64));
}

TEST_F (MainViewTest, AViewDeletedInTheMiddleOfADragOrWhileItsReadOutTimerRunsLeavesNoGestureOpen)
{
    EventLog log (params(), { ParamData::eq1Gain1 });
    auto& knob = view().eq1GainKnob;
    vqtest::DirectMouse mouse (knob);
    mouse.enter (centreIn (knob));
    mouse.down (centreIn (knob));
    mouse.drag (centreIn (knob).translated (0.0f, -30.0f));
    mouse.exit (centreIn (knob));
    ASSERT_TRUE (view().readOut.isTimerRunning());

    views.erase (views.begin());
    vqtest::runMessageLoopFor (50);

    const std::vector<std::string> expected { "begin 3 other", "end 3 other" };
    EXPECT_EQ (log.gesturesAndSettings(), expected);
}

TEST_F (MainViewTest, BothViewsShareOneDecodedPictureOfTheDarkFaceAndTheLightPlateAtTwiceThePanelsSize)
{
    const auto& picture = view (0).panel.getImage();
    ASSERT_EQ (picture.getWidth(), 650);
    ASSERT_EQ (picture.getHeight(), 1140);
    EXPECT_EQ (picture.getFormat(), juce::Image::ARGB);
    EXPECT_EQ (juce::Image::BitmapData (picture, juce::Image::BitmapData::readOnly).data,
               juce::Image::BitmapData (view (1).panel.getImage(), juce::Image::BitmapData::readOnly).data);

    // Panel coordinates: the face under the band titles, the plate under the maker's line, a knob's well.
    const auto brightness = [&] (float x, float y) { return vqtest::sample (picture, { x, y }, 2.0f).getBrightness(); };
    EXPECT_LT (brightness (162.0f, 140.0f), 0.25f);
    EXPECT_GT (brightness (60.0f, 460.0f), 0.7f);
    EXPECT_LT (brightness (74.0f, 134.0f), 0.1f);
}
