#pragma once

#include "SessionLog.h"

#include "PluginEditor.h"
#include "PluginInstance.h"
#include "vq_core/CommandListener.h"

#include <functional>
#include <map>

/** One plug-in instance as the session runner hosts it: created through the plug-in's factory, watched as
    a host watches it (values and gestures it reports), and logged with its connection state and the
    commands it sends. The watchers only look: a command is never taken from the instance. */
class HostedInstance : private juce::AudioProcessorListener,
                       private juce::VqParamsManager::NonAutomatableParamListener,
                       private juce::CommandListener
{
public:
    /** The session's time for a line about to be written; the runner logs what happened before it first. */
    using Clock = std::function<double()>;

    HostedInstance (const juce::String& name, SessionLog& log, Clock clock);
    ~HostedInstance() override;

    PlemvoPluginInstance& getInstance() const noexcept { return *instance; }
    const juce::String& getName() const noexcept { return name; }

    /** The host's automation of a parameter, logged with its text. */
    void automate (int index, float value);

    /** The window as a host opens it: on the desktop with the keyboard focus when a display exists,
        else without a peer. */
    PlemvoAudioProcessorEditor& openEditor();

    /** Deletes the window as a host does, telling the instance first. */
    void closeEditor();

    PlemvoAudioProcessorEditor* getEditor() const noexcept { return editor.get(); }

private:
    const juce::String name;
    SessionLog& log;
    Clock clock;
    std::unique_ptr<PlemvoPluginInstance> instance;
    std::unique_ptr<PlemvoAudioProcessorEditor> editor;
    std::map<int, juce::String> connectionSaid; // the last line logged of each watched setting

    void write (SessionLog::Kind kind, const juce::String& text);
    juce::String describeParameter (int index, float value) const;

    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override;
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override;
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override;

    void nonAutomatableParamValueChanged (int index, juce::var value) override;
    bool commandListenerCallback (juce::VqCommand* command) override;

    JUCE_DECLARE_NON_COPYABLE (HostedInstance)
};
