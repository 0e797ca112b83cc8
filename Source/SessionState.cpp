#include "SessionState.h"

using Ids = StateReader::Ids;

SessionState::SessionState (juce::VqParamsManager& m, SettingSetter setter)
    : manager (m), setSetting (std::move (setter)), tree (makeTree())
{
    for (int i = 0; i < ParamData::numParams; ++i)
        manager.addParamListener (this, i, juce::VqParamsManager::notifyOnAdd);

    for (int i = 0; i < ParamData::numSettings; ++i)
        manager.addNonAutomatableParamListener (this, i, juce::VqParamsManager::notifyOnAdd);
}

SessionState::~SessionState()
{
    cancelPendingUpdate();

    for (int i = 0; i < ParamData::numParams; ++i)
        manager.removeParamListener (this, i);

    for (int i = 0; i < ParamData::numSettings; ++i)
        manager.removeNonAutomatableParamListener (this, i);
}

juce::ValueTree SessionState::makeTree()
{
    juce::ValueTree preset (Ids::preset, { { Ids::presetNo, 0 } });

    for (int i = 0; i < ParamData::numParams; ++i)
        preset.appendChild ({ Ids::param, { { Ids::name, ParamData::paramName[i] },
                                            { Ids::paramId, i },
                                            { Ids::value, 0.0 } } }, nullptr);

    juce::ValueTree settings (Ids::settings);

    for (int i = 0; i < ParamData::numSettings; ++i)
        settings.appendChild ({ Ids::naParam, { { Ids::name, ParamData::naParamName[i] },
                                                { Ids::paramId, i },
                                                { Ids::value, {} } } }, nullptr);

    juce::ValueTree root (StateReader::rootType);
    root.appendChild (preset, nullptr);
    root.appendChild (settings, nullptr);
    return root;
}

void SessionState::write (juce::MemoryBlock& destData) const
{
    juce::MemoryOutputStream out (destData, false);
    const juce::ScopedLock sl (lock);

    auto preset = tree.getChild (0);

    for (int i = 0; i < ParamData::numParams; ++i)
        preset.getChild (i).setProperty (Ids::value, (double) params[(size_t) i].load (std::memory_order_relaxed), nullptr);

    auto settingNodes = tree.getChild (1);

    for (int i = 0; i < ParamData::numSettings; ++i)
    {
        auto node = settingNodes.getChild (i);
        const auto& value = settings[(size_t) i];

        // The tree keeps an equal value of another type (false for 0); the state holds the setting's own.
        if (! node[Ids::value].hasSameTypeAs (value))
            node.removeProperty (Ids::value, nullptr);

        node.setProperty (Ids::value, value, nullptr);
    }

    tree.writeToStream (out);
}

void SessionState::restore (const void* data, size_t numBytes)
{
    auto changes = StateReader::read (data, numBytes);

    if (changes.isEmpty())
        return;

    {
        const juce::ScopedLock sl (lock);

        for (auto& change : changes.params)
            params[(size_t) change.index].store (change.value, std::memory_order_relaxed);

        if (changes.bankDevice.has_value() && (bool) settings[ParamData::isConnected])
        {
            changes.settings.push_back ({ ParamData::shouldBeConnected, true });
            changes.settings.push_back ({ ParamData::connectedDevSn, *changes.bankDevice });
        }

        for (auto& change : changes.settings)
            settings[(size_t) change.index] = change.value;

        pending.insert (pending.end(), changes.params.begin(), changes.params.end());
    }

    for (auto& change : changes.settings)
        setSetting (change.index, change.value);

    // Earlier restores still pending go first, so the last restore wins on every thread.
    if (juce::MessageManager::existsAndIsCurrentThread())
        applyPending();
    else
        triggerAsyncUpdate();
}

void SessionState::applyPending()
{
    cancelPendingUpdate();
    std::vector<StateReader::ParamChange> toApply;

    {
        const juce::ScopedLock sl (lock);
        toApply.swap (pending);
    }

    for (auto& change : toApply)
    {
        // The state itself is the source, so that the linkers leave a restored pair as it was saved.
        manager.beginParamGesture (this, change.index);
        manager.setParamValue (this, change.index, change.value);
        manager.endParamGesture (this, change.index);
    }
}

void SessionState::handleAsyncUpdate()
{
    applyPending();
}

void SessionState::paramValueChanged (AutomatableParamListener*, int index, float value)
{
    // Every knob turn and every value from the unit passes here: no lock, no tree.
    if (juce::isPositiveAndBelow (index, ParamData::numParams))
        params[(size_t) index].store (value, std::memory_order_relaxed);
}

void SessionState::nonAutomatableParamValueChanged (int index, juce::var value)
{
    if (juce::isPositiveAndBelow (index, ParamData::numSettings))
    {
        const juce::ScopedLock sl (lock);
        settings[(size_t) index] = std::move (value);
    }
}
