#include "Shots.h"

#include "PLEMVO_MainView.h"
#include "PluginEditor.h"
#include "PluginInstance.h"

namespace
{
/** One channel's view at the panel's size, with the instance it belongs to. */
struct ViewShot : juce::Component
{
    explicit ViewShot (PLEMVO_MainView::ChannelId channelId)
        : view (instance, instance.getPlemvoParams(), channelId, windowChangeByUser)
    {
        addAndMakeVisible (view);
        setSize (325, 570);
        view.setBounds (getLocalBounds());
    }

    PlemvoParamsManager& params() { return instance.getPlemvoParams(); }

    PlemvoPluginInstance instance;
    bool windowChangeByUser = false;
    PLEMVO_MainView view;
};

std::unique_ptr<juce::Component> atDefaults (PLEMVO_MainView::ChannelId channelId)
{
    return std::make_unique<ViewShot> (channelId);
}

// Every control of the view away from its default, all lights on, and a value on the read-out.
void moveEveryControl (PlemvoParamsManager& params, PLEMVO_MainView& view)
{
    using Slot = PLEMVO_MainView::Slot;
    const std::pair<Slot, float> values[] { { Slot::engageSlot, 0.0f },  { Slot::eq1EngageSlot, 1.0f },
                                            { Slot::eq1GainSlot, 0.8f }, { Slot::eq1FreqSlot, 0.25f },
                                            { Slot::eq1QSlot, 0.75f },   { Slot::eq2EngageSlot, 1.0f },
                                            { Slot::eq2GainSlot, 0.2f }, { Slot::eq2FreqSlot, 0.9f },
                                            { Slot::eq2QSlot, 0.13f },   { Slot::lpfSlot, 0.5f },
                                            { Slot::hpfSlot, 0.75f } };

    for (const auto& [slot, value] : values)
        params.setParamValue (nullptr, view.getParamIndex (slot), value);

    for (const auto setting : { ParamData::isConnected, ParamData::clipperDiodeStateL, ParamData::clipperDiodeStateR })
        params.setNonAutomatableParamValue (nullptr, setting, true);

    view.readOut.setTextToDisplay (params.getCurrentValueAsText (view.getParamIndex (Slot::eq1GainSlot)));
}

// The first channel's view selects channel 1, the second channel 2, as each does in the double window.
std::unique_ptr<juce::Component> moved (PLEMVO_MainView::ChannelId channelId)
{
    auto shot = std::make_unique<ViewShot> (channelId);
    auto& params = shot->params();
    params.setParamValue (nullptr, ParamData::channel, 1.0f);
    params.setNonAutomatableParamValue (nullptr, ParamData::selectedChannel, (int) channelId);
    params.setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, true);
    moveEveryControl (params, shot->view);
    return shot;
}

/** The whole window as the host shows it: the editor of an instance, opened with the settings given. */
struct WindowShot : juce::Component
{
    WindowShot (bool dualMono, int selectedChannel, bool doubleWindow)
    {
        auto& params = instance.getPlemvoParams();
        params.setParamValue (nullptr, ParamData::channel, dualMono ? 1.0f : 0.0f);
        params.setNonAutomatableParamValue (nullptr, ParamData::selectedChannel, selectedChannel);
        params.setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, doubleWindow);

        editor = std::make_unique<PlemvoAudioProcessorEditor> (instance, params);
        addAndMakeVisible (*editor);
        setSize (editor->getWidth(), editor->getHeight());

        for (int channel : { 0, 1 })
            moveEveryControl (params, editor->getChannelView (channel));
    }

    ~WindowShot() override
    {
        // As a host does: the window goes before its instance.
        instance.editorBeingDeleted (editor.get());
        editor.reset();
    }

    PlemvoPluginInstance instance;
    std::unique_ptr<PlemvoAudioProcessorEditor> editor;
};

const vqshots::Shot channel1Defaults { "main-view-channel1-defaults",
                                       [] { return atDefaults (PLEMVO_MainView::channel1); } };
const vqshots::Shot channel2Defaults { "main-view-channel2-defaults",
                                       [] { return atDefaults (PLEMVO_MainView::channel2); } };
const vqshots::Shot channel1Moved { "main-view-channel1-moved", [] { return moved (PLEMVO_MainView::channel1); } };
const vqshots::Shot channel2Moved { "main-view-channel2-moved", [] { return moved (PLEMVO_MainView::channel2); } };

const vqshots::Shot windowSingle { "window-single-link",
                                   [] { return std::make_unique<WindowShot> (false, 0, false); } };
const vqshots::Shot windowDoubleChannel1 { "window-double-dual-mono-channel1",
                                           [] { return std::make_unique<WindowShot> (true, 0, true); } };
const vqshots::Shot windowDoubleChannel2 { "window-double-dual-mono-channel2",
                                           [] { return std::make_unique<WindowShot> (true, 1, true); } };
} // namespace
