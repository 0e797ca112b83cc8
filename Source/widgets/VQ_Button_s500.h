#pragma once

#include "S500_GlobalHelpers.h"
#include "VQ_Button.h"
#include "VQ_Label.h"
#include "VQ_PixelScale.h"

#include "vq_core/VqParamsManager.h"

#include <atomic>

/** The panel's round metal push button. Its cap, contact shadow and drop shadow are rendered once per
    size, at the pixel scale of the context it paints into; while held the cap shrinks a little and the
    shadow moves up. Clicking toggles its state. */
class VQ_Button_s500 : public VQ_Button
{
public:
    VQ_Button_s500();

    void paintButton (juce::Graphics& g, bool isHighlighted, bool isDown) override;
    void prepareButtonImage() override;

private:
    /** Renders the three images for the geometry of the last layout at the current pixel scale. */
    void renderImages();

    juce::Image dropShadowImage, contactShadowImage, capImage;
    float renderScale = 1.0f, capOffset = 10.0f, capSize = 55.0f, pressedShift = 1.0f;
    // The cap's reflections and grain, the button's own for its life.
    const VQ_GuiHelper::CapShading capShading = VQ_GuiHelper::CapShading::random();
    const VQ_Grain grain = VQ_Grain::random();
    VQ_PixelScale pixelScale;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VQ_Button_s500)
};

/** The base of the panel's composite buttons and switches: lit lights of its own, and a description
    label and optional side labels that live in the parent beside it, placed in the parent's
    coordinates and shown while the widget is shown. */
class VQ_ButtonComponent_s500 : public juce::Component
{
public:
    VQ_ButtonComponent_s500();
    ~VQ_ButtonComponent_s500() override;

    /** Renders the buttons' images for a diameter without resizing them. */
    virtual void renderDefaultSize (const int& size) = 0;
    virtual void setDiodeLabelColour (const juce::Colour& c) = 0;

    /** Tells the widget that one of its buttons was clicked; `clickedButtonIndex` says which. */
    virtual void toggleStateChanged (juce::Button& b) = 0;
    virtual void layoutAllComponents() = 0;

    /** Creates the two side labels, right- and left-justified, in the label colour. */
    void createSideLabels();

    void visibilityChanged() override;
    void parentHierarchyChanged() override;
    void paint (juce::Graphics&) override {}
    void resized() override;

    std::function<void()> onParentHierarchyChanged, onVisibilityChanged;
    juce::OwnedArray<ButtonDiode> lightDiodes;
    juce::Label descriptionLabel;
    std::unique_ptr<juce::Label> leftLabel, rightLabel;
    std::atomic<int> clickedButtonIndex { 0 };
    juce::Colour labelColour;

protected:
    /** Places the side labels left and right of the widget, label height g, at the row y + g/2 + dy. */
    void layoutSideLabels (float labelHeight, int dy);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VQ_ButtonComponent_s500)
};

/** A latching on/off button with an unlit light and a lit one that shows while it is on. A press on
    the unlit light toggles the button as a click on it does. */
class PLEMVO_ButtonComp : public VQ_ButtonComponent_s500
{
public:
    PLEMVO_ButtonComp();
    ~PLEMVO_ButtonComp() override;

    void renderDefaultSize (const int& size) override;
    void setDiodeLabelColour (const juce::Colour&) override {}

    /** Shows the lit light exactly while b is on, without calling `onToggleStateChanged`. */
    void toggleStateChanged (juce::Button& b) override;

    std::function<void()> onToggleStateChanged;
    std::unique_ptr<VQ_Button_s500> button;
    std::unique_ptr<ButtonDarkDiode> darkDiode;

protected:
    /** Sizes both lights and puts them on one centre. */
    void placeLights (int size, juce::Point<int> centre);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PLEMVO_ButtonComp)
};

/** A band's engage button ("EQ 1 IN", "EQ 2 IN"): red light left of the button, caption left of the widget. */
class EqEngageButton : public PLEMVO_ButtonComp
{
public:
    EqEngageButton();
    void layoutAllComponents() override;
};

/** The channel's "ENGAGE" button: red light right of the button, black caption beside it. */
class MainEngageButton : public PLEMVO_ButtonComp
{
public:
    MainEngageButton();
    void layoutAllComponents() override;
};

//==============================================================================
/** A selector: a row of position lights with labels, stepped by its push buttons or set by a press on
    a position light. It holds only the selected state index; the owner reads and writes it as a value
    in `valueRange` and hears of the user's changes through `onStateChanged`. */
class VQ_Switch_PLEMVO : public VQ_ButtonComponent_s500, public juce::Timer
{
public:
    VQ_Switch_PLEMVO (const unsigned long& numButtons, const unsigned long& numPositions);
    ~VQ_Switch_PLEMVO() override;

    /** Snaps v to `valueRange`, maps it onto the states and selects the nearest one (halves to even).
        A NaN selects nothing. */
    virtual void setValue (float v, juce::NotificationType notification);

    /** The selected state as a legal value of `valueRange`. */
    virtual float getValue();

    /** Steps the button at `clickedButtonIndex` once more. */
    void timerCallback() override;

    /** Shows the selected state on the lit lights. */
    virtual void updateLightDiode();

    /** Selects state k, clamped to the switch's states; a negative k steps by the clicked button, and a
        step past either end does nothing. Then the lights follow and, unless `notification` is
        dontSendNotification, `onStateChanged` runs. */
    virtual void updateCurrentState (const int& k, juce::NotificationType notification);

    void setDiodeLabelsText (const juce::StringArray& texts);

    void renderDefaultSize (const int& size) override;
    void setDiodeLabelColour (const juce::Colour& c) override;
    void toggleStateChanged (juce::Button& b) override;

    std::function<void()> onStateChanged;
    juce::OwnedArray<VQ_Button_s500> buttons;
    juce::OwnedArray<ButtonDiode> darkDiodes;
    juce::OwnedArray<DiodeLabel> positionLabels;
    juce::NormalisableRange<float> valueRange { 0.0f, 1.0f, 0.01f, 1.0f };
    std::atomic<int> currentState { 0 };

protected:
    /** Adds a button whose click tells `toggleStateChanged` its index; it starts off. */
    VQ_Button_s500& addStepButton (std::unique_ptr<VQ_Button_s500> button);

    /** Appends a hidden lit light of the colour. */
    void addLightDiode (juce::Colour colour);

    /** Stores the state clamped to the switch's states, moves the lights and tells the owner when asked to. */
    void applyState (int state, juce::NotificationType notification);

    /** Applies the state one step up or down; a step past either end does nothing. */
    void stepState (int step, juce::NotificationType notification);

    /** Sizes dark light i and lit light i (when there is one) and centres both on the point. */
    void placePositionLight (int i, int size, juce::Point<int> centre);

    /** Places every position label in the parent at the row `centreY`, each on its light's x and as
        wide as `labelWidth` (of its index and text width) says; where two texts would stand closer
        than `positionTextGap`, the row spreads apart as little as it can. */
    void placePositionLabels (const juce::Font& font, int height, int centreY,
                              const std::function<int (int, float)>& labelWidth);

    /** The room between neighbouring position texts, so that the ink of each stands three pixels
        clear of the next at any scale: narrower, they read as one word. */
    static constexpr float positionTextGap = 3.0f;

    juce::Range<float> stateRange;

private:
    juce::OwnedArray<std::atomic<bool>> buttonStates;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VQ_Switch_PLEMVO)
};

/** A band's Q selector: nine states shown on five lights that cross-fade, the first button stepping
    up, the second down. Only its buttons and lights take the mouse. */
class QSwitch : public VQ_Switch_PLEMVO
{
public:
    QSwitch();

    void layoutAllComponents() override;
    void updateLightDiode() override;
    void updateCurrentState (const int& k, juce::NotificationType notification) override;
    bool hitTest (int x, int y) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QSwitch)
};

/** The high-pass or low-pass selector: five positions cycled by one button; the low-pass one is mirrored. */
class FilterSwitch : public VQ_Switch_PLEMVO
{
public:
    enum FilterType
    {
        highPass,
        lowPass
    };

    explicit FilterSwitch (FilterType type);

    void layoutAllComponents() override;
    void updateLightDiode() override;

private:
    int filterType;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FilterSwitch)
};

/** The channel selector's button: held for a second away from LINK it clicks once more while still
    down, and its release then adds no click. */
class VQ_ChanelButton : public VQ_Button_s500
{
public:
    explicit VQ_ChanelButton (const std::atomic<int>& switchState);

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

    /** Runs while the button is held; `onClick` sees it running during the long-press call. */
    struct ButtonTimer : public juce::Timer
    {
        explicit ButtonTimer (VQ_ChanelButton& b)
            : button (b)
        {
        }
        void timerCallback() override;
        VQ_ChanelButton& button;
    };

    static constexpr int longPressMs = 1000;

    const std::atomic<int>* statePointer;
    ButtonTimer buttonTimer { *this };
    bool longPressFired = false;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VQ_ChanelButton)
};

/** The channel-mode selector "LINK" / "1" / "2" of one channel's view. Its button steps between the
    channels, or selects the view's own channel while both views are shown; held, it selects LINK. */
class ChannelSwitch : public VQ_Switch_PLEMVO
{
public:
    ChannelSwitch (int channelId, juce::VqParamsManager& pm);

    void layoutAllComponents() override;
    void updateLightDiode() override;

    VQ_ChanelButton& getChannelButton() noexcept { return *channelButton; }

private:
    bool isDoubleWindow() const;
    void buttonClicked();

    int channelId;
    juce::VqParamsManager& paramsManager;
    VQ_ChanelButton* channelButton = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ChannelSwitch)
};
