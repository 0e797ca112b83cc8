#include "SessionState.h"

#include "vq_core/VqDawParameter.h"

#include <algorithm>
#include <cstring>

using Ids = StateReader::Ids;

namespace
{
bool isExactlyEqual (const juce::var& a, const juce::var& b)
{
    if (! a.hasSameTypeAs (b))
        return false;

    if (! a.isDouble())
        return a == b;

    // Bit for bit: var compares doubles within epsilon, and -0.0 is written unlike 0.0.
    const double x = a, y = b;
    return std::memcmp (&x, &y, sizeof (x)) == 0;
}

/** Sets the node's value to exactly this one. A value tree takes a value equal to the stored one
    within its tolerance as unchanged (doubles within epsilon, false for 0) and would keep the old,
    so the old is removed first; the value is the node's last property, so the order stays. */
void setValueExactly (juce::ValueTree node, const juce::var& value)
{
    if (isExactlyEqual (node[Ids::value], value))
        return;

    node.removeProperty (Ids::value, nullptr);
    node.setProperty (Ids::value, value, nullptr);
}
} // namespace

SessionState::SessionState (juce::VqParamsManager& m, SettingSetter setter)
    : manager (m),
      setSetting (std::move (setter)),
      tree (makeTree())
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
        preset.appendChild (
            { Ids::param, { { Ids::name, ParamData::paramName[i] }, { Ids::paramId, i }, { Ids::value, 0.0 } } },
            nullptr);

    juce::ValueTree settings (Ids::settings);

    for (int i = 0; i < ParamData::numSettings; ++i)
        settings.appendChild (
            { Ids::naParam, { { Ids::name, ParamData::naParamName[i] }, { Ids::paramId, i }, { Ids::value, {} } } },
            nullptr);

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
        setValueExactly (preset.getChild (i), (double) params[(size_t) i].load (std::memory_order_relaxed));

    auto settingNodes = tree.getChild (1);

    for (int i = 0; i < ParamData::numSettings; ++i)
        setValueExactly (settingNodes.getChild (i), settings[(size_t) i]);

    tree.writeToStream (out);
}

bool SessionState::restore (const void* data, size_t numBytes)
{
    auto changes = StateReader::read (data, numBytes);

    if (changes.isEmpty())
        return false;

    {
        const juce::ScopedLock sl (lock);

        if (changes.bankDevice.has_value() && (bool) settings[ParamData::isConnected])
        {
            changes.settings.push_back ({ ParamData::shouldBeConnected, true });
            changes.settings.push_back ({ ParamData::connectedDevSn, *changes.bankDevice });
        }

        // A bank's unit alone, while not connected, leaves nothing to apply.
        if (changes.params.empty() && changes.settings.empty())
            return false;

        for (auto& change : changes.settings)
            settings[(size_t) change.index] = change.value;

        // A host reads its parameters as soon as the restore returns: they show what the message
        // thread is about to apply, so an echo of them changes nothing.
        auto receive = [this] (int index, float value)
        {
            const auto stamp = manager.takeChangeStamp();
            params[(size_t) index].store (value, std::memory_order_relaxed);
            pending.push_back ({ index, value, stamp });
            manager.getDawParameter (index)->showReceivedValue (value, stamp);
        };

        for (auto& change : changes.params)
        {
            if (change.index == ParamData::channel)
                for (auto copy : ParamTools::linkingCopy (params[ParamData::channel].load (std::memory_order_relaxed),
                                                          change.value, settings[ParamData::selectedChannel]))
                    receive (copy.target, params[(size_t) copy.origin].load (std::memory_order_relaxed));

            receive (change.index, change.value);
        }
    }

    // The setters post before this state does, so the message thread applies the settings first.
    for (auto& change : changes.settings)
        setSetting (change.index, change.value);

    if (juce::MessageManager::existsAndIsCurrentThread())
        applyPending();
    else
        triggerAsyncUpdate();

    return true;
}

void SessionState::applyPending()
{
    cancelPendingUpdate();
    std::vector<Received> toApply;

    {
        const juce::ScopedLock sl (lock);
        toApply.swap (pending);
    }

    auto isOf = [] (int index) { return [index] (const Received& r) { return r.index == index; }; };

    for (auto change = toApply.begin(); change != toApply.end(); ++change)
    {
        if (manager.isLaterThanHeld (change->index, change->stamp))
        {
            manager.beginParamGesture (this, change->index);
            manager.applyParamValue (this, change->index, change->value, change->stamp);
            manager.endParamGesture (this, change->index);
            continue;
        }

        // A change received later holds the parameter. It may have repeated the value held, which tells
        // nobody, so the copy takes the value held back from this restore unless a later restore waits.
        if (std::any_of (change + 1, toApply.end(), isOf (change->index)))
            continue;

        const juce::ScopedLock sl (lock);

        if (std::none_of (pending.begin(), pending.end(), isOf (change->index)))
            params[(size_t) change->index].store (manager.getParamValue (change->index), std::memory_order_relaxed);
    }
}

void SessionState::handleAsyncUpdate()
{
    applyPending();
}

void SessionState::paramValueChanged (AutomatableParamListener*, int index, float value)
{
    // Every knob turn and every value from the unit passes here: no tree, no lock.
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
