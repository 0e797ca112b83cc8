#pragma once

#include "ParamTools.h"
#include "StateReader.h"
#include "vq_core/VqParamsManager.h"

#include <array>
#include <atomic>

/** The session state of a parameter manager: written and restored from any thread.

    The host may save or restore on its own thread while the message thread uses the manager, which
    has no lock. So this keeps its own copy of every value, updated as a listener of every parameter
    and setting: the parameters as atomics, since every knob turn and every value from the unit passes
    here, the settings (rare) under a lock. The state tree is filled in from the copy only when it is
    written. A restore is received when it is called: it is parsed on the caller's thread, its values
    and their linking copy take their stamps then and go into the copy and the host parameters at once,
    so a state written and a host parameter read right after it hold them. The parameters themselves are
    set on the message thread (at once when the restore runs there, else on its next turn), each in its
    own gesture with this state as the source, unless a change received later holds the parameter by
    then; the copy then takes the value held back, so it never keeps a value the session no longer
    holds. Settings go through the thread-barrier setters.
*/
class SessionState : private juce::AsyncUpdater,
                     public juce::VqParamsManager::AutomatableParamListener,
                     private juce::VqParamsManager::NonAutomatableParamListener
{
public:
    /** Hands a restored setting to its thread-barrier setter; any thread. */
    using SettingSetter = std::function<void (int index, const juce::var& value)>;

    /** Message thread; registers with every parameter and setting of the manager. */
    SessionState (juce::VqParamsManager& manager, SettingSetter setSetting);
    ~SessionState() override;

    /** Replaces the block's content with the state tree. Any thread. */
    void write (juce::MemoryBlock& destData) const;

    /** Restores what the data holds in any of the accepted forms; false when nothing in it could be
        applied. Any thread. */
    bool restore (const void* data, size_t numBytes);

    /** A restore replays the values it recorded: they are not copied to the other channel. */
    bool replaysRecordedValues() const noexcept override { return true; }

private:
    /** A restored value with the moment its restore was received. */
    struct Received
    {
        int index;
        float value;
        juce::VqParamsManager::ChangeStamp stamp;
    };

    juce::VqParamsManager& manager;
    SettingSetter setSetting;

    std::array<std::atomic<float>, ParamData::numParams> params {};

    // Restores and writes take the lock, so a write sees either all or none of a restore.
    juce::CriticalSection lock;
    std::array<juce::var, ParamData::numSettings> settings;
    std::vector<Received> pending; // restored, not yet set in the manager
    mutable juce::ValueTree tree;  // names and ids only; values filled in by each write

    static juce::ValueTree makeTree();

    void applyPending();
    void handleAsyncUpdate() override;

    // Told of every change, whoever made it.
    void paramValueChanged (AutomatableParamListener* source, int index, float value) override;
    void nonAutomatableParamValueChanged (int index, juce::var value) override;

    using AutomatableParamListener::paramValueChanged;

    JUCE_DECLARE_NON_COPYABLE (SessionState)
};
