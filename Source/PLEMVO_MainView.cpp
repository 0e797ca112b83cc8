#include "PLEMVO_MainView.h"

#include "PluginInstance.h"

namespace
{
using Params = juce::VqParamsManager;

// The settings a view registers for, in the order it registers and removes them.
constexpr int settingsOfView[] { ParamData::doubleWindow,       ParamData::isConnected,
                                 ParamData::selectedChannel,    ParamData::clipperDiodeStateL,
                                 ParamData::clipperDiodeStateR, ParamData::mouseOverFreq1Knob,
                                 ParamData::mouseOverGain1Knob, ParamData::mouseOverFreq2Knob,
                                 ParamData::mouseOverGain2Knob };

// The slots a view registers for, in that order; "CHANNEL" follows them.
constexpr int slotsOfView[] { PLEMVO_MainView::engageSlot,    PLEMVO_MainView::eq1FreqSlot,
                              PLEMVO_MainView::eq1GainSlot,   PLEMVO_MainView::eq1QSlot,
                              PLEMVO_MainView::eq1EngageSlot, PLEMVO_MainView::eq2FreqSlot,
                              PLEMVO_MainView::eq2GainSlot,   PLEMVO_MainView::eq2QSlot,
                              PLEMVO_MainView::eq2EngageSlot, PLEMVO_MainView::hpfSlot,
                              PLEMVO_MainView::lpfSlot };

// Channel positions of the channel switch: LINK, then one per channel.
constexpr int linkPosition = 0;

std::array<int, PLEMVO_MainView::numSlots> paramIndicesOf (PLEMVO_MainView::ChannelId channelId)
{
    std::array<int, PLEMVO_MainView::numSlots> indices {};

    for (size_t slot = 0; slot < indices.size(); ++slot)
        indices[slot] = ParamData::engage1 + (int) slot + ParamData::channelTwinOffset * (int) channelId;

    return indices;
}

// "CHANNEL" moves in whole steps; every other parameter in steps of 0.01.
float intervalOf (int index)
{
    return index == ParamData::channel ? 1.0f : 0.01f;
}

struct HostModifiers
{
    juce::ModifierKeys::Flags reset, fineDrag;
};

HostModifiers modifiersFor (juce::AudioProcessor::WrapperType type)
{
    using Keys = juce::ModifierKeys;

    switch (type)
    {
        case juce::AudioProcessor::wrapperType_AAX: return { Keys::altModifier, Keys::commandModifier };
        case juce::AudioProcessor::wrapperType_AudioUnit: return { Keys::altModifier, Keys::shiftModifier };
        default: return { Keys::commandModifier, Keys::shiftModifier };
    }
}

// A selected channel as the switch position it selects; a restored state may hold anything there.
int positionOfSelectedChannel (const juce::var& value)
{
    const auto channel = (double) value;
    return (std::isfinite (channel) ? juce::roundToInt (juce::jlimit (0.0, 1.0, channel)) : 0) + 1;
}

const juce::StringArray gainRuler { "-15", ".", ".", ".", ".", "0", ".", ".", ".", ".", "+15" };
} // namespace

//==============================================================================
void PLEMVO_MainView::OverlayComp::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0x66000000));
}

//==============================================================================
PLEMVO_MainView::PLEMVO_MainView (PlemvoPluginInstance& instance, PlemvoParamsManager& paramsManager, ChannelId id,
                                  bool& windowChangeFlag)
    : panel (PLEMVO_Panel::loadFrontPanelPicture()),
      channelSwitch ((int) id, paramsManager),
      params (paramsManager),
      channelId (id),
      paramIndices (paramIndicesOf (id)),
      windowChangeByUser (windowChangeFlag)
{
    // The panel picture covers the whole view with opaque pixels: nothing behind it need be painted.
    setOpaque (true);
    addAndMakeVisible (panel);

    const auto modifiers = modifiersFor (instance.wrapperType);
    configureKnob (eq1FreqKnob, eq1FreqSlot, ParamData::mouseOverFreq1Knob,
                   { "45", ".", ".", ".", ".", "360", ".", ".", ".", ".", "1k" }, modifiers.reset, modifiers.fineDrag);
    configureKnob (eq1GainKnob, eq1GainSlot, ParamData::mouseOverGain1Knob, gainRuler, modifiers.reset,
                   modifiers.fineDrag);
    configureKnob (eq2FreqKnob, eq2FreqSlot, ParamData::mouseOverFreq2Knob,
                   { "650", ".", ".", ".", ".", "5k", ".", ".", ".", ".", "15k" }, modifiers.reset, modifiers.fineDrag);
    configureKnob (eq2GainKnob, eq2GainSlot, ParamData::mouseOverGain2Knob, gainRuler, modifiers.reset,
                   modifiers.fineDrag);

    const juce::StringArray qTexts { "3", "", "1/5", "", "3" };
    eq1QSwitch.descriptionLabel.setText ("OCT.", juce::dontSendNotification);
    eq1QSwitch.descriptionLabel.setJustificationType (juce::Justification::centred);
    eq1QSwitch.createSideLabels();
    eq1QSwitch.leftLabel->setText ("SHARP", juce::dontSendNotification);
    eq1QSwitch.rightLabel->setText ("WIDE", juce::dontSendNotification);
    eq1QSwitch.setDiodeLabelsText (qTexts);
    configureSwitch (eq1QSwitch, eq1QSlot);

    eq2QSwitch.descriptionLabel.setText ("OCT.", juce::dontSendNotification);
    eq2QSwitch.setDiodeLabelsText (qTexts);
    configureSwitch (eq2QSwitch, eq2QSlot);

    eq1InButton.descriptionLabel.setText ("EQ 1 IN", juce::dontSendNotification);
    configureButton (eq1InButton, eq1EngageSlot);
    eq2InButton.descriptionLabel.setText ("EQ 2 IN", juce::dontSendNotification);
    configureButton (eq2InButton, eq2EngageSlot);

    hpSwitch.descriptionLabel.setText ("HP", juce::dontSendNotification);
    hpSwitch.setDiodeLabelsText ({ "BYP", "30", "60", "120", "240" });
    configureSwitch (hpSwitch, hpfSlot);
    lpSwitch.descriptionLabel.setText ("LP", juce::dontSendNotification);
    lpSwitch.setDiodeLabelsText ({ "BYP", "12k", "8k", "5k", "3k" });
    configureSwitch (lpSwitch, lpfSlot);

    engageButton.descriptionLabel.setText ("ENGAGE", juce::dontSendNotification);
    configureButton (engageButton, engageSlot);

    channelSwitch.descriptionLabel.setText ("CH.", juce::dontSendNotification);
    channelSwitch.setDiodeLabelsText ({ "LINK", "1", "2" });
    channelSwitch.valueRange = { 0.0f, 2.0f, 1.0f, 1.0f };
    channelSwitch.onStateChanged = [this] { changeChannelMode(); };

    // The clip lights are told off with a bool, the setting's own type.
    clipLights.onLeftDiodeClicked = [this]
    {
        params.setNonAutomatableParamValue (asSettingSource(), ParamData::clipperDiodeStateL, false);
        clipLights.leftLightDiode->setVisible (false);
    };
    clipLights.onRightDiodeClicked = [this]
    {
        params.setNonAutomatableParamValue (asSettingSource(), ParamData::clipperDiodeStateR, false);
        clipLights.rightLightDiode->setVisible (false);
    };

    presetKnob.defineSliderPrms ("PRESET", {}, 0.0f, 1.0f, 0.1f, 0.0f, 0.1f);
    presetKnob.getCaption().setColour (juce::Label::textColourId, juce::Colours::black);
    presetKnob.setPointerVisible (false);
    presetKnob.onMouseDoubleClickFunc = [this] { resetAllParameters(); };

    for (auto* child : std::initializer_list<juce::Component*> { &eq1FreqKnob, &eq1GainKnob, &eq2FreqKnob, &eq2GainKnob,
                                                                 &eq1QSwitch, &eq2QSwitch, &eq1InButton, &eq2InButton,
                                                                 &hpSwitch, &lpSwitch, &engageButton, &usbLight,
                                                                 &channelSwitch, &clipLights, &readOut, &presetKnob })
        addAndMakeVisible (child);

    windowButton.setClickingTogglesState (true);
    windowButton.onClick = [this]
    {
        windowChangeByUser = true;
        params.setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, windowButton.getToggleState());
    };
    addAndMakeVisible (windowButton);

    addChildComponent (overlay);
    overlay.setInterceptsMouseClicks (false, false);

    for (const auto index : settingsOfView)
        params.addNonAutomatableParamListener (this, index, Params::notifyOnAdd);

    for (const auto slot : slotsOfView)
        params.addParamListener (this, getParamIndex (slot), Params::notifyOnAdd);

    params.addParamListener (this, ParamData::channel, Params::notifyOnAdd);

    // The clip lights lie inside the channel switch and take the clicks there.
    clipLights.setAlwaysOnTop (true);
    usbLight.setAlwaysOnTop (true);
    overlay.setAlwaysOnTop (true);
}

PLEMVO_MainView::~PLEMVO_MainView()
{
    // A knob deleted in the middle of a drag never ends it: the host would keep a gesture open.
    for (const auto index : openKnobGestures)
        params.endParamGesture (asParamSource(), index);

    for (auto* knob : { &eq1FreqKnob, &eq1GainKnob, &eq2FreqKnob, &eq2GainKnob })
        knob->onDragEnd = nullptr;

    // A knob under the pointer when the window goes never gets its exit: its hover would stay on.
    for (const auto setting : hoverSettingsOn)
        params.setNonAutomatableParamValue (asSettingSource(), setting, false);

    for (const auto index : settingsOfView)
        params.removeNonAutomatableParamListener (this, index);

    for (const auto slot : slotsOfView)
        params.removeParamListener (this, getParamIndex (slot));

    params.removeParamListener (this, ParamData::channel);
}

void PLEMVO_MainView::configureKnob (VQ_Knob_s500& knob, int slot, int hoverSetting,
                                     const juce::StringArray& rulerTexts, juce::ModifierKeys::Flags resetModifier,
                                     juce::ModifierKeys::Flags fineDragModifier)
{
    const auto index = getParamIndex (slot);
    knob.defineSliderPrms ({}, rulerTexts, 0.0f, 1.0f, intervalOf (index), ParamData::paramDefault[index], 0.1f);

    knob.textFromValueFunction = [toText = params.getValueToTextFunction (index)] (double value)
    { return toText ((float) value); };
    knob.valueFromTextFunction = [fromText = params.getTextToValueFunction (index)] (const juce::String& text)
    { return (double) fromText (text); };

    knob.setDoubleClickReturnValue (true, ParamData::paramDefault[index], resetModifier);
    knob.setVelocityModeParameters (1.0, 1, 0.0, true, fineDragModifier);

    knob.onDragStart = [this, index]
    {
        openKnobGestures.add (index);
        params.beginParamGesture (asParamSource(), index);
    };
    knob.onValueChange = [this, &knob, index, slot]
    {
        params.setParamValue (asParamSource(), index, (float) knob.getValue());
        showValue (slot);
    };
    knob.onDragEnd = [this, index]
    {
        openKnobGestures.removeFirstMatchingValue (index);
        params.endParamGesture (asParamSource(), index);
    };

    knob.onMouseEnterFunc = [this, slot, hoverSetting]
    {
        showValue (slot);
        hoverSettingsOn.addIfNotAlreadyThere (hoverSetting);
        params.setNonAutomatableParamValue (asSettingSource(), hoverSetting, true);
    };
    knob.onMouseExitFunc = [this, hoverSetting]
    {
        readOut.startTimer (readOutHoldMs);
        hoverSettingsOn.removeFirstMatchingValue (hoverSetting);
        params.setNonAutomatableParamValue (asSettingSource(), hoverSetting, false);
    };
}

void PLEMVO_MainView::configureSwitch (VQ_Switch_PLEMVO& widget, int slot)
{
    const auto index = getParamIndex (slot);
    widget.valueRange = { 0.0f, 1.0f, intervalOf (index), 1.0f };
    widget.onStateChanged = [this, &widget, index] { setParamInGesture (asParamSource(), index, widget.getValue()); };
}

void PLEMVO_MainView::configureButton (PLEMVO_ButtonComp& widget, int slot)
{
    const auto index = getParamIndex (slot);
    widget.onToggleStateChanged = [this, &widget, index]
    { setParamInGesture (asParamSource(), index, widget.button->getToggleState() ? 1.0f : 0.0f); };
}

void PLEMVO_MainView::setParamInGesture (Params::AutomatableParamListener* source, int index, float value)
{
    params.beginParamGesture (source, index);
    params.setParamValue (source, index, value);
    params.endParamGesture (source, index);
}

void PLEMVO_MainView::changeChannelMode()
{
    const auto position = juce::roundToInt (channelSwitch.getValue());
    const auto dualMono = position != linkPosition;
    setParamInGesture (asParamSource(), ParamData::channel, dualMono ? 1.0f : 0.0f);

    if (dualMono)
        params.setNonAutomatableParamValue (asSettingSource(), ParamData::selectedChannel, position - 1);
}

void PLEMVO_MainView::resetAllParameters()
{
    // No source: every listener, this view included, follows each change.
    for (int index = 0; index < ParamData::numParams; ++index)
        setParamInGesture (nullptr, index, ParamData::paramDefault[index]);
}

//==============================================================================
void PLEMVO_MainView::resized()
{
    const auto w = getWidth(), h = getHeight();
    panel.setBounds (0, 0, w, h);

    const auto W = (float) panel.getWidth(), H = (float) panel.getHeight();
    const auto r = [] (float value) { return juce::roundToInt (value); };
    const auto knobSide = r (0.42f * W);

    eq1FreqKnob.setBounds (r (0.02f * W), r (0.202f * W), knobSide, knobSide);
    eq1GainKnob.setBounds (r (0.55f * W), r (0.202f * W), knobSide, knobSide);
    eq2FreqKnob.setBounds (r (0.02f * W), r (0.668f * W), knobSide, knobSide);
    eq2GainKnob.setBounds (r (0.55f * W), r (0.668f * W), knobSide, knobSide);
    eq1QSwitch.setBounds (r (0.386f * W), r (0.278f * H), r (0.22f * W), r (0.22f * W));
    eq2QSwitch.setBounds (r (0.386f * W), r (0.538f * H), r (0.22f * W), r (0.22f * W));
    eq1InButton.setBounds (r (0.788f * W), r (0.244f * H + 0.11f * W), r (0.22f * W), r (0.11f * W));
    eq2InButton.setBounds (r (0.788f * W), r (0.506f * H + 0.11f * W), r (0.22f * W), r (0.11f * W));
    hpSwitch.setBounds (r (0.04f * W), r (0.61f * H), r (0.346f * W), r (0.15f * W));
    lpSwitch.setBounds (r (0.62f * W), r (0.61f * H), r (0.346f * W), r (0.15f * W));
    engageButton.setBounds (r (0.037f * W), r (0.698f * H), r (0.19f * W), r (0.15f * W));
    channelSwitch.setBounds (r (0.456f * W), r (0.693f * H), r (0.45f * W), r (0.15f * W));
    usbLight.setBounds (r (0.37f * W), r (0.693f * H), r (0.085f * W), r (0.15f * W));
    clipLights.setBounds (r (0.63f * W), r (0.693f * H), r (0.11f * W), r (0.15f * W));
    readOut.setBounds (r (0.368f * W), r (0.79f * H), r (0.318f * W), r (0.198f * W));
    presetKnob.setBounds (r (0.63f * W), r (0.73f * H), knobSide, knobSide);

    const auto s = r (W * 110.0f / 1000.0f);
    windowButton.setBounds (w - s, 0, s, s);
    overlay.setBounds (0, 0, w, h);
}

//==============================================================================
bool PLEMVO_MainView::isLinked() const
{
    return params.getNumParams() == 0 || ParamTools::isLinked (params.getParamValue (ParamData::channel));
}

juce::var PLEMVO_MainView::setting (int index) const
{
    return juce::isPositiveAndBelow (index, params.getNumNonAutomatableParams())
               ? params.getNonAutomatableParamValue (index)
               : juce::var();
}

void PLEMVO_MainView::showValue (int slot)
{
    readOut.setTextToDisplay (params.getCurrentValueAsText (getParamIndex (slot)));
}

void PLEMVO_MainView::showValueIfHovered (int slot, int hoverSetting)
{
    if (isLinked() && (bool) setting (hoverSetting))
        showValue (slot);
}

void PLEMVO_MainView::showOnState (PLEMVO_ButtonComp& widget, float value)
{
    widget.button->setToggleState (ParamTools::isOn (value), juce::dontSendNotification);
    widget.toggleStateChanged (*widget.button);
}

void PLEMVO_MainView::paramValueChanged (int index, float value)
{
    if (! juce::isPositiveAndBelow (index, ParamData::numParams))
        return;

    const auto own = index > ParamData::channelTwinOffset ? index - ParamData::channelTwinOffset : index;

    switch (own)
    {
        case ParamData::channel:
            channelSwitch.setValue (
                (float) (isLinked() ? linkPosition : positionOfSelectedChannel (setting (ParamData::selectedChannel))),
                juce::dontSendNotification);
            break;
        case ParamData::engage1: showOnState (engageButton, value); break;
        case ParamData::eq1Engage1: showOnState (eq1InButton, value); break;
        case ParamData::eq1Gain1:
            eq1GainKnob.setValue (value, juce::dontSendNotification);
            showValueIfHovered (eq1GainSlot, ParamData::mouseOverGain1Knob);
            break;
        case ParamData::eq1Freq1:
            eq1FreqKnob.setValue (value, juce::dontSendNotification);
            showValueIfHovered (eq1FreqSlot, ParamData::mouseOverFreq1Knob);
            break;
        case ParamData::eq1Q1: eq1QSwitch.setValue (value, juce::dontSendNotification); break;
        case ParamData::eq2Engage1: showOnState (eq2InButton, value); break;
        case ParamData::eq2Gain1:
            eq2GainKnob.setValue (value, juce::dontSendNotification);
            showValueIfHovered (eq2GainSlot, ParamData::mouseOverGain2Knob);
            break;
        case ParamData::eq2Freq1:
            eq2FreqKnob.setValue (value, juce::dontSendNotification);
            showValueIfHovered (eq2FreqSlot, ParamData::mouseOverFreq2Knob);
            break;
        case ParamData::eq2Q1: eq2QSwitch.setValue (value, juce::dontSendNotification); break;
        case ParamData::lpf1: lpSwitch.setValue (value, juce::dontSendNotification); break;
        case ParamData::hpf1: hpSwitch.setValue (value, juce::dontSendNotification); break;
        default: break;
    }

    // Each widget repaints what of it changed; the rest of the view stays as it is painted.
}

void PLEMVO_MainView::nonAutomatableParamValueChanged (int index, juce::var value)
{
    switch (index)
    {
        case ParamData::isConnected: usbLight.lightDiode->setVisible ((bool) value); break;
        case ParamData::selectedChannel:
            if (! isLinked())
                channelSwitch.setValue ((float) positionOfSelectedChannel (value), juce::dontSendNotification);
            break;
        case ParamData::clipperDiodeStateL: clipLights.leftLightDiode->setVisible ((bool) value); break;
        case ParamData::clipperDiodeStateR: clipLights.rightLightDiode->setVisible ((bool) value); break;
        case ParamData::mouseOverFreq1Knob:
        case ParamData::mouseOverGain1Knob:
        case ParamData::mouseOverFreq2Knob:
        case ParamData::mouseOverGain2Knob:
        {
            if (! isLinked())
                break;

            constexpr int slotOfHover[] { eq1FreqSlot, eq1GainSlot, eq2FreqSlot, eq2GainSlot };

            if ((bool) value)
                showValue (slotOfHover[index - ParamData::mouseOverFreq1Knob]);
            else
                readOut.startTimer (readOutHoldMs);

            break;
        }
        case ParamData::doubleWindow:
            windowButton.setToggleState ((bool) value, juce::dontSendNotification);
            // Side by side each panel lights its own channel, alone the selected one, whoever changed it.
            channelSwitch.updateLightDiode();
            break;
        default: break;
    }
}
