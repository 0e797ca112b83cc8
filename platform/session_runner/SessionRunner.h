#pragma once

#include "HostedInstance.h"
#include "ScriptReader.h"
#include "SessionLog.h"

#include "vq_midi/MidiManager.h"

#include <SimulatedUnit.h>
#include <VirtualMidiSetup.h>

#include <functional>
#include <map>
#include <memory>

/** A headless host of our own: it runs the message loop, plugs simulated units into the MIDI layer,
    creates plug-in instances through the plug-in's factory and plays a session script, logging what
    crosses the cable and what reaches the host.

    After each action it lets the MIDI layer and the message loop settle, so what an action causes at
    once is logged before the next line; "wait" runs the message loop for its time, during which the
    plug-in's timers fire as they would in a host. Message thread only.
*/
class SessionRunner : private juce::MidiManager::ConnectionListListener
{
public:
    /** Relative file names of the script are taken inside filesDirectory. */
    SessionRunner (SessionLog& log, const juce::File& filesDirectory);
    ~SessionRunner() override;

    /** Plays the actions in order; stops at the first that cannot be played, logs why and returns false. */
    bool play (const std::vector<ScriptAction>& actions);

    /** Plays one action; false (with the reason logged) when it cannot be played. */
    bool perform (const ScriptAction& action);

    /** Deletes every instance, then every unit. */
    void shutDown();

    HostedInstance* findInstance (const juce::String& name) const;
    vqsim::SimulatedUnit* findUnit (int serialNo) const;
    vqsim::VirtualMidiSetup& getSetup() noexcept { return setup; }

    /** The session's time in milliseconds. */
    double now() const;

    /** Runs the message loop for the time, logging traffic as it goes. */
    void runFor (int milliseconds);

    /** Runs the message loop, logging traffic, until the condition holds (true) or the time is up (false). */
    bool runUntil (const std::function<bool()>& condition, int timeoutMilliseconds);

    /** Lets what is under way in the MIDI layer and the message loop happen, and logs it. */
    void settle();

private:
    SessionLog& log;
    const juce::File filesDirectory;
    vqsim::VirtualMidiSetup setup;
    std::map<int, std::unique_ptr<vqsim::SimulatedUnit>> units;
    std::map<int, size_t> trafficLogged;
    std::map<juce::String, std::unique_ptr<HostedInstance>> instances;
    juce::MidiManager* watchedManager = nullptr;

    juce::String perform (const ScriptAction& action, const juce::StringArray& args);
    juce::String performOnInstance (const ScriptAction& action, HostedInstance& hosted, const juce::StringArray& args);
    juce::String performInWindow (const ScriptAction& action, HostedInstance& hosted,
                                  PlemvoAudioProcessorEditor& editor, const juce::StringArray& args);
    juce::String selectDevice (HostedInstance& hosted, PlemvoAudioProcessorEditor& editor, int serialNo);
    juce::String chooseMenuItem (HostedInstance& hosted, PlemvoAudioProcessorEditor& editor, const juce::String& item,
                                 const juce::String& fileName);
    juce::String answerFileDialog (HostedInstance& hosted, const juce::String& item, const juce::String& fileName);
    juce::String performOnUnit (const ScriptAction& action, vqsim::SimulatedUnit& unit, const juce::StringArray& args);

    /** The time of a line about to be written: what crossed the cable up to then is logged first, each
        message with the time it crossed, so that the log is in the order things happened. */
    double stampLine();
    void logTrafficUpTo (double timeMs);
    void write (SessionLog::Kind kind, const juce::String& who, const juce::String& text);
    void print (HostedInstance& hosted);
    juce::File resolve (const juce::String& name) const;
    void watchManager();
    void connectionListChanged() override;

    JUCE_DECLARE_NON_COPYABLE (SessionRunner)
};
