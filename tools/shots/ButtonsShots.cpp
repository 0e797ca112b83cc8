#include "ParamsTestRig.h"
#include "Shots.h"

#include "widgets/VQ_Button_s500.h"

namespace
{
const juce::Colour darkPanel (0xFF2A2A2A), lightPanel (0xFFB4B4B4);

/** A strip of cells on a panel colour; each widget is a child, so its labels land beside it. */
struct Strip : juce::Component
{
    Strip (juce::Colour colourToUse, juce::Rectangle<int> cellToUse)
        : colour (colourToUse),
          cell (cellToUse)
    {
    }

    template <typename Widget> Widget& add (std::unique_ptr<Widget> widget, juce::Rectangle<int> bounds)
    {
        auto& added = *widget;
        addAndMakeVisible (added);
        added.setBounds (bounds.translated (widgets.size() * cell.getWidth(), 0));
        widgets.add (std::move (widget));
        setSize (widgets.size() * cell.getWidth(), cell.getHeight());
        return added;
    }

    void paint (juce::Graphics& g) override { g.fillAll (colour); }

    vqtest::RigInstance instance; // the channel switch reads DOUBLE WINDOW from its manager
    juce::Colour colour;
    juce::Rectangle<int> cell;
    juce::OwnedArray<juce::Component> widgets;
};

template <typename Button>
std::unique_ptr<juce::Component> engageStrip (juce::Colour colour, const char* caption, juce::Rectangle<int> cell,
                                              juce::Rectangle<int> bounds)
{
    auto strip = std::make_unique<Strip> (colour, cell);

    for (const int state : { 0, 1, 2 }) // off, on, held down
    {
        // The caption is measured at layout, so it comes first, as in the main view.
        auto button = std::make_unique<Button>();
        button->descriptionLabel.setText (caption, juce::dontSendNotification);
        auto& b = strip->add (std::move (button), bounds);
        b.button->setToggleState (state == 1, juce::dontSendNotification);
        b.toggleStateChanged (*b.button);

        if (state == 2)
            b.button->setState (juce::Button::buttonDown);
    }

    return strip;
}

std::unique_ptr<juce::Component> switchStrip (juce::Colour colour, juce::Rectangle<int> cell,
                                              juce::Rectangle<int> bounds, int numStates,
                                              const std::function<std::unique_ptr<VQ_Switch_PLEMVO> (Strip&)>& make)
{
    auto strip = std::make_unique<Strip> (colour, cell);

    for (int state = 0; state < numStates; ++state)
    {
        auto& s = strip->add (make (*strip), bounds);
        s.updateCurrentState (state, juce::dontSendNotification);
    }

    return strip;
}

void caption (VQ_Switch_PLEMVO& s, const juce::String& text, const juce::StringArray& positions)
{
    s.descriptionLabel.setText (text, juce::dontSendNotification);
    s.setDiodeLabelsText (positions);
}

const vqshots::Shot engageButtons {
    "engage-eq-off-on-pressed",
    [] {
        return engageStrip<EqEngageButton> (darkPanel, "EQ 1 IN", { 0, 0, 130, 60 }, { 50, 12, 72, 36 });
    }
};

const vqshots::Shot mainEngageButtons {
    "engage-main-off-on-pressed",
    [] {
        return engageStrip<MainEngageButton> (lightPanel, "ENGAGE", { 0, 0, 150, 60 }, { 8, 6, 62, 49 });
    }
};

const vqshots::Shot qSwitch { "switch-q-states-0-to-8", []
                              {
                                  return switchStrip (darkPanel, { 0, 0, 170, 96 }, { 49, 12, 72, 72 }, 9,
                                                      [] (Strip&)
                                                      {
                                                          auto q = std::make_unique<QSwitch>();
                                                          q->createSideLabels();
                                                          q->leftLabel->setText ("SHARP", juce::dontSendNotification);
                                                          q->rightLabel->setText ("WIDE", juce::dontSendNotification);
                                                          caption (*q, "OCT.", { "3", "", "1/5", "", "3" });
                                                          return q;
                                                      });
                              } };

std::unique_ptr<juce::Component> filterStrip (FilterSwitch::FilterType type)
{
    return switchStrip (darkPanel, { 0, 0, 130, 60 }, { 9, 6, 112, 49 }, 5,
                        [type] (Strip&)
                        {
                            auto f = std::make_unique<FilterSwitch> (type);
                            if (type == FilterSwitch::highPass)
                                caption (*f, "HP", { "BYP", "30", "60", "120", "240" });
                            else
                                caption (*f, "LP", { "BYP", "12k", "8k", "5k", "3k" });
                            return f;
                        });
}

const vqshots::Shot hpSwitch { "switch-hp-positions", [] { return filterStrip (FilterSwitch::highPass); } };
const vqshots::Shot lpSwitch { "switch-lp-positions", [] { return filterStrip (FilterSwitch::lowPass); } };

const vqshots::Shot channelSwitch { "switch-channel-link-1-2", []
                                    {
                                        return switchStrip (lightPanel, { 0, 0, 170, 60 }, { 12, 6, 146, 49 }, 3,
                                                            [] (Strip& strip)
                                                            {
                                                                auto c = std::make_unique<ChannelSwitch> (
                                                                    0, strip.instance.getParamsManager());
                                                                caption (*c, "CH.", { "LINK", "1", "2" });
                                                                return c;
                                                            });
                                    } };

// Clip: none, left, right, both lit; then USB off and on.
const vqshots::Shot clipAndUsb {
    "lights-clip-and-usb",
    []
    {
        auto strip = std::make_unique<Strip> (lightPanel, juce::Rectangle<int> (0, 0, 50, 60));
        for (const int lit : { 0, 1, 2, 3 })
        {
            auto& clip = strip->add (std::make_unique<ClipperDiodes>(), { 7, 5, 36, 49 });
            clip.leftLightDiode->setVisible ((lit & 1) != 0);
            clip.rightLightDiode->setVisible ((lit & 2) != 0);
        }
        for (const bool connected : { false, true })
            strip->add (std::make_unique<UsbDiode>(), { 11, 5, 28, 49 }).lightDiode->setVisible (connected);
        return strip;
    }
};

// Off: normal, highlighted, pressed; then on: the same three.
const vqshots::Shot windowButtons {
    "window-button-states",
    []
    {
        auto strip = std::make_unique<Strip> (darkPanel, juce::Rectangle<int> (0, 0, 46, 46));
        for (const bool on : { false, true })
        {
            for (const auto state : { juce::Button::buttonNormal, juce::Button::buttonOver, juce::Button::buttonDown })
            {
                auto& b = strip->add (std::make_unique<WindowButton>(), { 5, 5, 36, 36 });
                b.setToggleState (on, juce::dontSendNotification);
                b.setState (state);
            }
        }
        return strip;
    }
};
} // namespace
