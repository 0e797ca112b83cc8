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
    written. A restore is parsed on the caller's thread and its values go into the copy and the host
    parameters at once, so a state written and a host parameter read right after it hold them; the
    parameters themselves are set on the message thread (at once when the restore runs there, else on
    its next turn, or sooner when the manager asks), each in its own gesture with this state as the
    source, so the host parameters, MIDI objects and views are only ever told there. Settings go
    through the thread-barrier setters. Restores are applied in the order they were made. A restored
    value still waiting gives way to a change of its parameter that the host writes after the restore,
    and to one from the unit that reaches the message thread meanwhile.
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

    /** Sets the restored parameters still waiting for the message thread at once. Message thread. */
    using AsyncUpdater::handleUpdateNowIfNeeded;

    /** Whether restored parameters are waiting for the message thread. Any thread. */
    using AsyncUpdater::isUpdatePending;

    /** Whether restored parameters are being set now. Message thread. */
    bool isApplying() const noexcept { return applying; }

private:
    juce::VqParamsManager& manager;
    SettingSetter setSetting;

    std::array<std::atomic<float>, ParamData::numParams> params {};

    // Restores and writes take the lock, so a write sees either all or none of a restore.
    juce::CriticalSection lock;
    std::array<juce::var, ParamData::numSettings> settings;
    std::vector<StateReader::ParamChange> pending; // restored, not yet set in the manager
    std::atomic<bool> anyPending { false };        // so that a knob turn need not take the lock
    bool applying = false;                         // message thread
    mutable juce::ValueTree tree;                  // names and ids only; values filled in by each write

    static juce::ValueTree makeTree();

    /** Stores a restored value in the copy as the manager will hold it, its linking copy included. */
    void storeAsApplied (const StateReader::ParamChange& change, std::array<bool, ParamData::numParams>& touched);

    void applyPending();
    void handleAsyncUpdate() override;

    // Told of every change, whoever made it.
    void paramValueChanged (AutomatableParamListener* source, int index, float value) override;
    void nonAutomatableParamValueChanged (int index, juce::var value) override;

    using AutomatableParamListener::paramValueChanged;

    JUCE_DECLARE_NON_COPYABLE (SessionState)
};
