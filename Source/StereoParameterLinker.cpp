#include "StereoParameterLinker.h"

#include "ParamTools.h"
#include "SessionState.h"
#include "vq_core/VqDawParameter.h"

namespace
{
// Host automation and a restored state replay recorded values of each channel on its own.
bool replaysRecordedValues (const juce::VqParamsManager::AutomatableParamListener* source)
{
    return dynamic_cast<const juce::VqDawParameter*> (source) != nullptr
        || dynamic_cast<const SessionState*> (source) != nullptr;
}
} // namespace

StereoParameterLinker::StereoParameterLinker (juce::VqParamsManager& owner, int left, int right)
    : manager (&owner), leftIndex (left), rightIndex (right)
{
    manager->addParamListener (this, leftIndex, juce::VqParamsManager::registerOnly);
    manager->addParamListener (this, rightIndex, juce::VqParamsManager::registerOnly);
    manager->addParamListener (this, ParamData::channel, juce::VqParamsManager::notifyOnAdd);
}

StereoParameterLinker::~StereoParameterLinker()
{
    manager->removeParamListener (this, leftIndex);
    manager->removeParamListener (this, rightIndex);
    manager->removeParamListener (this, ParamData::channel);

    // Undelivered mirrors die with the linker; a twin it still holds must not stay touched.
    for (int side = 0; side < 2; ++side)
        for (; heldGestures[side] > 0; --heldGestures[side])
            manager->endParamGesture (this, side == 0 ? leftIndex : rightIndex);
}

int StereoParameterLinker::sideOf (int index) const noexcept
{
    return index == leftIndex ? 0 : (index == rightIndex ? 1 : -1);
}

int StereoParameterLinker::twinOf (int side) const noexcept
{
    return side == 0 ? rightIndex : leftIndex;
}

void StereoParameterLinker::paramValueChanged (AutomatableParamListener* source, int index, float value)
{
    if (index == ParamData::channel)
    {
        linked = ParamTools::isLinked (value);
        return;
    }

    const auto side = sideOf (index);

    if (source == this || side < 0)
        return;

    // Any later change of the pair makes the mirrors queued before it stale.
    ++pairChangeCount;

    if (linked && ! replaysRecordedValues (source))
        post (MirrorKind::setValue, twinOf (side), value, pairChangeCount);
}

void StereoParameterLinker::paramGestureChanged (AutomatableParamListener* source, int index, bool starting)
{
    const auto side = sideOf (index);

    if (source == this || side < 0 || replaysRecordedValues (source))
        return;

    // The end follows its begin, not the mode: "CHANNEL" may have changed in between.
    if (starting && linked && ! mirroredToTwin[side])
    {
        mirroredToTwin[side] = true;
        post (MirrorKind::beginGesture, twinOf (side));
    }
    else if (! starting && mirroredToTwin[side])
    {
        mirroredToTwin[side] = false;
        post (MirrorKind::endGesture, twinOf (side));
    }
}

void StereoParameterLinker::post (MirrorKind kind, int target, float value, int changeStamp)
{
    // The value travels as the float itself, so the twin gets exactly the same value.
    juce::MessageManager::callAsync (
        [linker = juce::WeakReference<StereoParameterLinker> (this), kind, target, value, changeStamp]
        {
            if (auto* alive = linker.get())
                alive->applyMirror (kind, target, value, changeStamp);
        });
}

void StereoParameterLinker::applyMirror (MirrorKind kind, int target, float value, int changeStamp)
{
    const auto side = sideOf (target);

    if (side < 0)
        return;

    if (kind == MirrorKind::setValue)
    {
        // Applying a stale mirror would undo a later change: both twins set in one turn, or a
        // restore followed by another. Neither may it cross a change of the mode out of "LINK".
        if (linked && changeStamp == pairChangeCount)
            manager->setParamValue (this, target, value);
    }
    else if (kind == MirrorKind::beginGesture)
    {
        ++heldGestures[side];
        manager->beginParamGesture (this, target);
    }
    else if (kind == MirrorKind::endGesture && heldGestures[side] > 0)
    {
        --heldGestures[side];
        manager->endParamGesture (this, target);
    }
}
