#pragma once

#include "ParamTools.h"
#include "ParamsManager.h"
#include "widgets/S500_Panel.h"
#include "widgets/SevenSegmentDisplay.h"
#include "widgets/VQ_Button.h"
#include "widgets/VQ_Button_s500.h"

#include <array>

class PlemvoPluginInstance;

/** The control panel of one channel: the front-panel picture with the live widgets laid over it,
    each bound to its parameter. A control's change goes to the manager inside a gesture with the
    view as its source; changes from elsewhere (host, unit, the other view, the menu bar) come back
    through the two listener callbacks, which set the widgets without notification.

    The widgets are public so that the editor can show the overlay and tests can reach every control.
    Message thread only.
*/
class PLEMVO_MainView : public juce::Component,
                        public juce::VqParamsManager::AutomatableParamListener,
                        public juce::VqParamsManager::NonAutomatableParamListener
{
public:
    /** Which channel a view drives: the first parameters 1 to 11, the second 12 to 22. */
    enum ChannelId
    {
        channel1 = 0,
        channel2 = 1
    };

    static constexpr int numSlots = ParamData::channelTwinOffset;

    /** Slots of the parameter-index table, one per control of the channel. */
    enum Slot
    {
        engageSlot,
        eq1EngageSlot,
        eq1GainSlot,
        eq1FreqSlot,
        eq1QSlot,
        eq2EngageSlot,
        eq2GainSlot,
        eq2FreqSlot,
        eq2QSlot,
        lpfSlot,
        hpfSlot
    };

    /** Dims the panel of the channel that is not selected; clicks pass through it. */
    class OverlayComp : public juce::Component
    {
    public:
        void paint (juce::Graphics& g) override;
    };

    /** The instance is read only here, for its host type; the flag is the editor's, set before a
        window-button click changes "DOUBLE WINDOW".
    */
    PLEMVO_MainView (PlemvoPluginInstance& instance, PlemvoParamsManager& paramsManager, ChannelId channelId,
                     bool& windowChangeByUser);
    ~PLEMVO_MainView() override;

    void paint (juce::Graphics&) override {}
    void resized() override;

    using AutomatableParamListener::paramValueChanged;
    void paramValueChanged (int index, float value) override;
    void nonAutomatableParamValueChanged (int index, juce::var value) override;

    /** The parameter index of a slot for this view's channel. */
    int getParamIndex (int slot) const noexcept { return paramIndices[(size_t) slot]; }

    PLEMVO_Panel panel;
    VQ_Knob_s500 eq1FreqKnob { VQ_Knob_s500::frequency, false };
    VQ_Knob_s500 eq1GainKnob { VQ_Knob_s500::gain, true };
    VQ_Knob_s500 eq2FreqKnob { VQ_Knob_s500::frequency, false };
    VQ_Knob_s500 eq2GainKnob { VQ_Knob_s500::gain, true };
    QSwitch eq1QSwitch, eq2QSwitch;
    EqEngageButton eq1InButton, eq2InButton;
    FilterSwitch hpSwitch { FilterSwitch::highPass };
    FilterSwitch lpSwitch { FilterSwitch::lowPass };
    MainEngageButton engageButton;
    UsbDiode usbLight;
    ChannelSwitch channelSwitch;
    ClipperDiodes clipLights;
    SevenSegmentDisplay readOut;
    PresetFakeKnob presetKnob { VQ_Knob_s500::centred, false };
    WindowButton windowButton;
    OverlayComp overlay;

private:
    static constexpr int readOutHoldMs = 1000;

    PlemvoParamsManager& params;
    const ChannelId channelId;
    const std::array<int, numSlots> paramIndices;
    bool& windowChangeByUser;

    juce::Array<int> openKnobGestures; // the indices of knob drags begun and not yet ended
    juce::Array<int> hoverSettingsOn;  // the hover settings this view's knobs turned on and not yet off

    juce::VqParamsManager::AutomatableParamListener* asParamSource() noexcept { return this; }
    juce::VqParamsManager::NonAutomatableParamListener* asSettingSource() noexcept { return this; }

    void configureKnob (VQ_Knob_s500& knob, int slot, int hoverSetting, const juce::StringArray& rulerTexts,
                        juce::ModifierKeys::Flags resetModifier, juce::ModifierKeys::Flags fineDragModifier);
    void configureSwitch (VQ_Switch_PLEMVO& widget, int slot);
    void configureButton (PLEMVO_ButtonComp& widget, int slot);
    void changeChannelMode();
    void resetAllParameters();
    void setParamInGesture (juce::VqParamsManager::AutomatableParamListener* source, int index, float value);

    bool isLinked() const;
    juce::var setting (int index) const;
    void showValue (int slot);
    void showValueIfHovered (int slot, int hoverSetting);
    static void showOnState (PLEMVO_ButtonComp& widget, float value);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PLEMVO_MainView)
};
