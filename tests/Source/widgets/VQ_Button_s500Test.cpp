#include "widgets/VQ_Button_s500.h"
#include "ComponentImages.h"
#include "MessageLoop.h"
#include "Mouse.h"
#include "ParamTools.h"
#include "ParamsTestRig.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
/** A widget laid out in a parent, as the main view holds it. */
template <typename Widget> struct InParent
{
    template <typename... Args>
    explicit InParent (juce::Rectangle<int> bounds, Args&&... args)
        : widget (std::forward<Args> (args)...)
    {
        parent.setSize (400, 300);
        parent.addAndMakeVisible (widget);
        widget.setBounds (bounds);
    }

    void click (juce::Component& c) { vqtest::DirectMouse (c).click (c.getLocalBounds().getCentre().toFloat()); }

    juce::Component parent;
    Widget widget;
};

juce::Image paintedButton (VQ_Button_s500& button, bool down)
{
    juce::Image image (juce::Image::ARGB, 80, 80, true);
    juce::Graphics g (image);
    button.paintButton (g, false, down);
    return image;
}

std::vector<int> visibleLights (VQ_Switch_PLEMVO& s)
{
    std::vector<int> visible;
    for (int i = 0; i < s.lightDiodes.size(); ++i)
        if (s.lightDiodes[i]->isVisible())
            visible.push_back (i);
    return visible;
}

void setDoubleWindow (juce::VqParamsManager& pm, bool on)
{
    pm.setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, on);
}
} // namespace

TEST (VQ_Button_s500, AButtonDrawsNothingBeforeLayoutAndRendersOnLayoutOnly)
{
    VQ_Button_s500 button;
    EXPECT_EQ (button.buttonSize, -1.0f);
    EXPECT_EQ (vqtest::countPixels (paintedButton (button, false), [] (juce::Colour c) { return c.getAlpha() > 0; }),
               0);

    for (const int size : { 1, 3, 20, 40 })
    {
        button.setSize (size, size);
        EXPECT_EQ (vqtest::imageMakerCallsWhilePainting (button), 0) << size;
    }

    EXPECT_GT (paintedButton (button, false).getPixelAt (20, 20).getAlpha(), 200);
}

TEST (VQ_Button_s500, OnlyTheHeldButtonIsDrawnDifferentlyNotTheToggleState)
{
    VQ_Button_s500 button;
    button.setSize (20, 20);
    const auto up = paintedButton (button, false);
    button.setToggleState (true, juce::dontSendNotification);
    const auto on = paintedButton (button, false);
    const auto down = paintedButton (button, true);
    const auto differing = [] (const juce::Image& a, const juce::Image& b)
    {
        int n = 0;
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                n += a.getPixelAt (x, y) != b.getPixelAt (x, y) ? 1 : 0;
        return n;
    };

    EXPECT_EQ (differing (up, on), 0);
    EXPECT_GT (differing (up, down), 0);
    // The cap of a 20 px button sits at least one pixel in, inside its contact shadow.
    EXPECT_GT (up.getPixelAt (10, 10).getAlpha(), 200);
    EXPECT_LT (up.getPixelAt (0, 0).getAlpha(), 40);

    // Held, the drop shadow of a 75 px button rises by 2 px.
    const auto lowestShadedRow = [] (const juce::Image& image)
    {
        for (int y = image.getHeight() - 1; y >= 0; --y)
            if (vqtest::countPixels (image, [] (juce::Colour c) { return c.getAlpha() > 0; }, { 0, y, 80, 1 }) > 0)
                return y;
        return -1;
    };
    button.setSize (75, 75);
    EXPECT_EQ (lowestShadedRow (paintedButton (button, true)), lowestShadedRow (paintedButton (button, false)) - 2);
}

TEST (EngageButton, APressOnTheUnlitLightTogglesTheButtonExactlyAsAClickOnTheButton)
{
    for (const bool onLight : { false, true })
    {
        InParent<EqEngageButton> eq ({ 256, 175, 72, 36 });
        int toggles = 0;
        eq.widget.onToggleStateChanged = [&] { ++toggles; };
        auto& target = onLight ? static_cast<juce::Component&> (*eq.widget.darkDiode) : *eq.widget.button;
        eq.widget.lightDiodes[0]->setVisible (true); // lying over the unlit light, it lets presses through
        EXPECT_EQ (eq.widget.getComponentAt (target.getBounds().getCentre()), &target);
        eq.widget.lightDiodes[0]->setVisible (false);

        eq.click (target);
        EXPECT_TRUE (eq.widget.button->getToggleState()) << onLight;
        EXPECT_TRUE (eq.widget.lightDiodes[0]->isVisible()) << onLight;
        EXPECT_EQ (toggles, 1) << onLight;

        eq.click (target);
        EXPECT_FALSE (eq.widget.button->getToggleState()) << onLight;
        EXPECT_FALSE (eq.widget.lightDiodes[0]->isVisible()) << onLight;
        EXPECT_EQ (toggles, 2) << onLight;
    }
}

TEST (EngageButton, AStateSetWithoutNotificationMovesTheLightOnlyThroughToggleStateChanged)
{
    MainEngageButton engage;
    int toggles = 0;
    engage.onToggleStateChanged = [&] { ++toggles; };

    engage.button->setToggleState (true, juce::dontSendNotification);
    EXPECT_FALSE (engage.lightDiodes[0]->isVisible());
    engage.toggleStateChanged (*engage.button);
    EXPECT_TRUE (engage.lightDiodes[0]->isVisible());
    EXPECT_EQ (toggles, 0);
}

TEST (EngageButton, ItsCaptionLivesInTheParentAndFollowsItsVisibility)
{
    InParent<EqEngageButton> eq ({ 256, 175, 72, 36 });
    eq.widget.descriptionLabel.setText ("EQ 1 IN", juce::dontSendNotification);
    eq.widget.setBounds (256, 175, 72, 37);

    EXPECT_EQ (eq.widget.descriptionLabel.getParentComponent(), &eq.parent);
    EXPECT_TRUE (eq.widget.descriptionLabel.isVisible());
    EXPECT_LT (eq.widget.descriptionLabel.getBounds().getCentreX(), eq.widget.getX());

    eq.widget.setVisible (false);
    EXPECT_FALSE (eq.widget.descriptionLabel.isVisible());
}

//==============================================================================
TEST (VQ_Switch_PLEMVO, EverySwitchStepsByItsButtonsWrapsOrStopsAtItsLimitsAndTellsOnlyAStepTaken)
{
    struct Case
    {
        const char* name;
        int from, button, to, changes;
    };
    const Case cases[] = { { "q", 0, 0, 1, 1 },       { "q", 7, 0, 8, 1 },       { "q", 8, 0, 8, 0 },
                           { "q", 1, 1, 0, 1 },       { "q", 0, 1, 0, 0 },       { "hp", 0, 0, 1, 1 },
                           { "hp", 3, 0, 4, 1 },      { "hp", 4, 0, 0, 1 },      { "lp", 4, 0, 0, 1 },
                           { "channel", 0, 0, 1, 1 }, { "channel", 1, 0, 2, 1 }, { "channel", 2, 0, 1, 1 } };
    vqtest::RigInstance instance;

    for (const auto& c : cases)
    {
        std::unique_ptr<VQ_Switch_PLEMVO> s;
        const juce::String name (c.name);
        if (name == "q")
            s = std::make_unique<QSwitch>();
        else if (name == "channel")
            s = std::make_unique<ChannelSwitch> (0, instance.getParamsManager());
        else
            s = std::make_unique<FilterSwitch> (name == "hp" ? FilterSwitch::highPass : FilterSwitch::lowPass);

        juce::Component parent;
        parent.setSize (300, 100);
        parent.addAndMakeVisible (*s);
        s->setBounds (0, 0, name == "q" ? 72 : 146, name == "q" ? 72 : 49);
        s->updateCurrentState (c.from, juce::dontSendNotification);
        int changes = 0;
        s->onStateChanged = [&] { ++changes; };

        vqtest::DirectMouse (*s->buttons[c.button])
            .click (s->buttons[c.button]->getLocalBounds().getCentre().toFloat());
        EXPECT_EQ (s->currentState.load(), c.to) << c.name << " from " << c.from << " button " << c.button;
        EXPECT_EQ (changes, c.changes) << c.name << " from " << c.from << " button " << c.button;
    }
}

TEST (VQ_Switch_PLEMVO, AStateOutsideTheSwitchIsClampedBeforeTheLightsAreIndexed)
{
    vqtest::RigInstance instance;
    FilterSwitch hp (FilterSwitch::highPass);
    ChannelSwitch channel (1, instance.getParamsManager());
    hp.setBounds (0, 0, 112, 49);

    hp.updateCurrentState (99, juce::dontSendNotification);
    EXPECT_EQ (hp.currentState.load(), 4);
    EXPECT_EQ (visibleLights (hp), std::vector<int> { 4 });

    channel.updateCurrentState (3, juce::dontSendNotification);
    EXPECT_EQ (channel.currentState.load(), 2);
    EXPECT_EQ (visibleLights (channel), std::vector<int> { 2 });

    hp.currentState = 17; // a stored state out of range still steps inside the range
    hp.updateCurrentState (-1, juce::dontSendNotification);
    EXPECT_EQ (hp.currentState.load(), 0);
}

TEST (VQ_Switch_PLEMVO, SetValueSnapsMapsAndRoundsAndDefinesEveryBadValue)
{
    struct Case
    {
        float value;
        int state;
    };
    const auto nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const Case cases[] = { { 0.55f, 4 }, { 0.0f, 0 },  { 1.0f, 8 }, { 0.0625f, 0 }, { 0.19f, 2 }, { 0.57f, 5 },
                           { 2.0f, 8 },  { -3.0f, 0 }, { inf, 8 },  { -inf, 0 },    { nan, 3 } };

    for (const auto& c : cases)
    {
        QSwitch q;
        q.updateCurrentState (3, juce::dontSendNotification);
        int changes = 0;
        q.onStateChanged = [&] { ++changes; };
        q.setValue (c.value, juce::dontSendNotification);
        EXPECT_EQ (q.currentState.load(), c.state) << c.value;
        EXPECT_EQ (changes, 0) << c.value;
    }

    QSwitch q;
    q.setValue (0.38f, juce::sendNotification);
    EXPECT_EQ (q.currentState.load(), 3);
    EXPECT_FLOAT_EQ (q.getValue(), 0.38f);
}

TEST (QSwitch, NineStatesCrossFadeOnFiveLights)
{
    struct Case
    {
        int state;
        float outer, inner, centre;
    };
    const Case cases[] = { { 0, 1.0f, 0.0f, 0.0f }, { 1, 1.0f, 0.5f, 0.0f }, { 2, 1.0f, 1.0f, 0.0f },
                           { 3, 0.5f, 1.0f, 0.0f }, { 4, 0.0f, 1.0f, 0.0f }, { 5, 0.0f, 1.0f, 128.0f / 255.0f },
                           { 6, 0.0f, 1.0f, 1.0f }, { 7, 0.0f, 0.5f, 1.0f }, { 8, 0.0f, 0.0f, 1.0f } };
    QSwitch q;
    const auto near = [] (float a, float b) { return std::abs (a - b) <= 0.5f / 255.0f + 1.0e-6f; };

    for (const auto& c : cases)
    {
        q.updateCurrentState (c.state, juce::dontSendNotification);
        const float expected[] = { c.outer, c.inner, c.centre, c.inner, c.outer };
        for (int i = 0; i < 5; ++i)
            EXPECT_TRUE (near (q.lightDiodes[i]->getAlpha(), expected[i]))
                << "state " << c.state << " light " << i << " alpha " << q.lightDiodes[i]->getAlpha();
    }
}

TEST (QSwitch, APressOnAPositionLightSelectsItsState)
{
    const int stateOfLight[] = { 0, 4, 8, 4, 0 };
    InParent<QSwitch> q ({ 125, 158, 72, 72 });

    for (int light = 0; light < 5; ++light)
    {
        q.widget.updateCurrentState (light == 0 ? 8 : 2, juce::dontSendNotification);
        int changes = 0;
        q.widget.onStateChanged = [&] { ++changes; };
        q.click (*q.widget.darkDiodes[light]);
        EXPECT_EQ (q.widget.currentState.load(), stateOfLight[light]) << light;
        EXPECT_EQ (changes, 1) << light;
    }
}

TEST (QSwitch, OnlyItsButtonsAndItsLightsGrownByThreePixelsTakeTheMouse)
{
    QSwitch q;
    q.setBounds (0, 0, 72, 72);
    const auto light = q.darkDiodes[0]->getBounds();

    EXPECT_TRUE (q.hitTest (q.buttons[0]->getBounds().getCentreX(), q.buttons[0]->getBounds().getCentreY()));
    EXPECT_TRUE (q.hitTest (q.buttons[1]->getBounds().getCentreX(), q.buttons[1]->getBounds().getCentreY()));
    EXPECT_TRUE (q.hitTest (light.getX() - 3, light.getCentreY()));
    EXPECT_FALSE (q.hitTest (light.getX() - 4, light.getCentreY()));
    EXPECT_FALSE (q.hitTest (36, 1));

    juce::Component panel;
    panel.setSize (100, 100);
    panel.setVisible (true);
    panel.addAndMakeVisible (q);
    EXPECT_EQ (panel.getComponentAt (36, 1), &panel);
}

TEST (FilterSwitch, APressOnAPositionLightSelectsItAndTheFirstLightIsWhite)
{
    InParent<FilterSwitch> lp ({ 202, 48, 112, 49 }, FilterSwitch::lowPass);
    lp.click (*lp.widget.darkDiodes[3]);
    EXPECT_EQ (lp.widget.currentState.load(), 3);
    EXPECT_EQ (visibleLights (lp.widget), std::vector<int> { 3 });

    // The low-pass switch is mirrored: its button on the right, position 0 next to it.
    EXPECT_GT (lp.widget.buttons[0]->getX(), lp.widget.darkDiodes[0]->getX());
    EXPECT_GT (lp.widget.darkDiodes[0]->getX(), lp.widget.darkDiodes[4]->getX());

    const auto core = [&lp] (int light)
    {
        const auto image = vqtest::renderComponent (*lp.widget.lightDiodes[light]);
        return vqtest::sample (image, image.getBounds().getCentre().toFloat());
    };
    EXPECT_LT (core (3).getBlue(), 0xA0);
    lp.widget.updateCurrentState (0, juce::dontSendNotification);
    EXPECT_GT (core (0).getBlue(), 0xE0);
}

//==============================================================================
struct ChannelButtonTest : ::testing::Test
{
    ChannelButtonTest()
        : channel ({ 148, 95, 146, 49 }, 1, instance.getParamsManager())
    {
        channel.widget.onStateChanged = [this] { states.push_back (channel.widget.currentState.load()); };
    }

    VQ_ChanelButton& button() { return channel.widget.getChannelButton(); }
    juce::Point<float> buttonCentre() { return button().getLocalBounds().getCentre().toFloat(); }

    vqtest::RigInstance instance;
    InParent<ChannelSwitch> channel;
    std::vector<int> states;
};

TEST_F (ChannelButtonTest, AClickStepsTheChannelsOrSelectsTheViewsOwnChannelInTheDoubleWindow)
{
    struct Case
    {
        bool doubleWindow;
        int from, to;
        std::vector<int> lit;
    };
    const Case cases[] = { { false, 0, 1, { 1 } }, { false, 1, 2, { 2 } }, { false, 2, 1, { 1 } },
                           { true, 0, 2, { 2 } },  { true, 1, 2, { 2 } },  { true, 2, 2, { 2 } } };

    for (const auto& c : cases)
    {
        setDoubleWindow (instance.getParamsManager(), c.doubleWindow);
        channel.widget.updateCurrentState (c.from, juce::dontSendNotification);
        states.clear();
        channel.click (button());
        EXPECT_EQ (channel.widget.currentState.load(), c.to) << c.doubleWindow << " from " << c.from;
        EXPECT_EQ (visibleLights (channel.widget), c.lit) << c.doubleWindow << " from " << c.from;
        EXPECT_EQ (states.size(), c.from == c.to ? 0u : 1u) << c.doubleWindow << " from " << c.from;
    }
}

TEST_F (ChannelButtonTest, AManagerWithoutTheDoubleWindowSettingCountsItAsOff)
{
    vqtest::RigInstance small (23, 3);
    InParent<ChannelSwitch> other ({ 0, 0, 146, 49 }, 1, small.getParamsManager());
    other.widget.updateCurrentState (1, juce::dontSendNotification);
    other.click (other.widget.getChannelButton());
    EXPECT_EQ (other.widget.currentState.load(), 2);
}

TEST_F (ChannelButtonTest, HeldForASecondTheButtonSelectsLinkBeforeReleaseAndTheReleaseAddsNoClick)
{
    channel.widget.updateCurrentState (2, juce::dontSendNotification);
    vqtest::DirectMouse mouse (button());
    const auto start = juce::Time::getMillisecondCounterHiRes();

    mouse.down (buttonCentre());
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([this] { return ! states.empty(); }, 5000));
    EXPECT_GE (juce::Time::getMillisecondCounterHiRes() - start, 990.0);
    EXPECT_TRUE (button().isDown());
    EXPECT_EQ (states, std::vector<int> { 0 });

    mouse.up (buttonCentre());
    vqtest::drainMessageLoop();
    EXPECT_EQ (states, std::vector<int> { 0 });
    EXPECT_FALSE (button().buttonTimer.isTimerRunning());
}

TEST_F (ChannelButtonTest, ReleasedBeforeTheSecondTheButtonClicksOnceAsUsual)
{
    channel.widget.updateCurrentState (1, juce::dontSendNotification);
    vqtest::DirectMouse mouse (button());

    mouse.down (buttonCentre());
    vqtest::runMessageLoopFor (900);
    if (! button().buttonTimer.isTimerRunning())
        GTEST_SKIP() << "the machine held the message loop past the long press";

    mouse.up (buttonCentre());
    vqtest::runMessageLoopFor (200);
    EXPECT_EQ (states, std::vector<int> { 2 });
    EXPECT_FALSE (button().buttonTimer.isTimerRunning());
}

TEST_F (ChannelButtonTest, InLinkAPressStartsNoLongPress)
{
    vqtest::DirectMouse mouse (button());
    mouse.down (buttonCentre());
    EXPECT_FALSE (button().buttonTimer.isTimerRunning());
    mouse.up (buttonCentre());
    EXPECT_EQ (states, std::vector<int> { 1 });
}

TEST_F (ChannelButtonTest, PositionLightsSelectTheirChannelOnceAndAClickDuringTheLongPressWins)
{
    channel.widget.updateCurrentState (1, juce::dontSendNotification);
    channel.click (*channel.widget.darkDiodes[1]);
    EXPECT_TRUE (states.empty()) << "already selected";

    vqtest::DirectMouse held (button());
    held.down (buttonCentre());
    vqtest::DirectMouse (*channel.widget.darkDiodes[0]).click ({ 2.0f, 2.0f }); // LINK while the button is held
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([this] { return ! button().buttonTimer.isTimerRunning(); }, 5000));
    held.up (buttonCentre());
    EXPECT_EQ (states, std::vector<int> { 0 });
}

TEST (ChannelSwitch, ASwitchDeletedDuringTheLongPressLeavesNoTimerBehind)
{
    vqtest::RigInstance instance;
    juce::Component parent;
    parent.setSize (300, 100);
    auto channel = std::make_unique<ChannelSwitch> (0, instance.getParamsManager());
    parent.addAndMakeVisible (*channel);
    channel->setBounds (0, 0, 146, 49);
    channel->updateCurrentState (1, juce::dontSendNotification);
    int changes = 0;
    channel->onStateChanged = [&] { ++changes; };

    vqtest::DirectMouse (channel->getChannelButton()).down ({ 5.0f, 5.0f });
    ASSERT_TRUE (channel->getChannelButton().buttonTimer.isTimerRunning());
    channel.reset();
    vqtest::runMessageLoopFor (1200);
    EXPECT_EQ (changes, 0);
}

TEST (PushControls, EveryWidgetTakesAZeroSizeAndAnyLabelTextAndPaintsOnlyWhatLayoutRendered)
{
    vqtest::RigInstance instance;
    const juce::String longText = juce::String::repeatedString ("WIDE ", 2000);

    for (const auto& text : { juce::String(), longText })
    {
        juce::Component parent;
        parent.setSize (400, 300);
        juce::OwnedArray<VQ_ButtonComponent_s500> widgets;
        widgets.add (std::make_unique<EqEngageButton>());
        widgets.add (std::make_unique<MainEngageButton>());
        widgets.add (std::make_unique<QSwitch>());
        widgets.add (std::make_unique<FilterSwitch> (FilterSwitch::lowPass));
        widgets.add (std::make_unique<ChannelSwitch> (0, instance.getParamsManager()));

        for (auto* w : widgets)
        {
            w->createSideLabels();
            for (auto* label : { &w->descriptionLabel, w->leftLabel.get(), w->rightLabel.get() })
                label->setText (text, juce::dontSendNotification);
            if (auto* s = dynamic_cast<VQ_Switch_PLEMVO*> (w))
                s->setDiodeLabelsText ({ text, text, text, text, text });

            parent.addAndMakeVisible (w);
            w->setBounds (10, 10, 72, 49);
            EXPECT_EQ (vqtest::imageMakerCallsWhilePainting (*w), 0);
            w->setBounds (10, 10, 0, 0);
            w->renderDefaultSize (-5);
            EXPECT_EQ (vqtest::imageMakerCallsWhilePainting (parent), 0);
        }
    }
}
