#include "StereoParameterLinker.h"

#include "ParamTools.h"
#include "vq_core/VqDawParameter.h"

namespace
{
enum MessageKind
{
    setValue = 1,
    beginGesture = 2,
    endGesture = 3
};

juce::String makeMessage (MessageKind kind, int target, double value)
{
    return juce::String ((int) kind) + "|" + juce::String (target) + "|" + juce::String (value);
}
} // namespace

StereoParameterLinker::StereoParameterLinker (juce::VqParamsManager& owner, int left, int right)
    : manager (&owner), leftIndex (left), rightIndex (right)
{
    manager->addParamListener (this, leftIndex, juce::VqParamsManager::registerOnly);
    manager->addParamListener (this, rightIndex, juce::VqParamsManager::registerOnly);
    manager->addParamListener (this, ParamData::channel, juce::VqParamsManager::notifyOnAdd);
    addActionListener (this);
}

StereoParameterLinker::~StereoParameterLinker()
{
    manager->removeParamListener (this, leftIndex);
    manager->removeParamListener (this, rightIndex);
    manager->removeParamListener (this, ParamData::channel);

    // Undelivered messages die with the broadcaster; a twin it still holds must not stay touched.
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

    if (source == this || ! linked || dynamic_cast<juce::VqDawParameter*> (source) != nullptr)
        return;

    if (const auto side = sideOf (index); side >= 0)
    {
        ++pendingMirrors[side];

        if (side == 0)
            channelOneInFlight = true;

        sendActionMessage (makeMessage (setValue, twinOf (side), (double) value));
    }
}

void StereoParameterLinker::paramGestureChanged (AutomatableParamListener* source, int index, bool starting)
{
    const auto side = sideOf (index);

    if (source == this || side < 0)
        return;

    // The end follows its begin, not the mode: "CHANNEL" may have changed in between.
    if (starting && linked && ! mirroredToTwin[side])
    {
        mirroredToTwin[side] = true;
        sendActionMessage (makeMessage (beginGesture, twinOf (side), 0.0));
    }
    else if (! starting && mirroredToTwin[side])
    {
        mirroredToTwin[side] = false;
        sendActionMessage (makeMessage (endGesture, twinOf (side), 0.0));
    }
}

void StereoParameterLinker::actionListenerCallback (const juce::String& message)
{
    const auto tokens = juce::StringArray::fromTokens (message, "|", "\"");

    if (tokens.size() < 3)
        return;

    const auto kind = tokens[0].getIntValue();
    const auto target = tokens[1].getIntValue();
    const auto side = sideOf (target);

    if (side < 0)
        return;

    if (kind == setValue)
    {
        // Only the newest mirror from a side is applied, and when both sides changed within one turn
        // channel 1 (the stereo control) wins: applying crossed mirrors would swap the channels.
        const auto origin = 1 - side;
        const bool apply = --pendingMirrors[origin] == 0 && (origin == 0 || ! channelOneInFlight);

        if (pendingMirrors[0] == 0 && pendingMirrors[1] == 0)
            channelOneInFlight = false;

        if (apply)
            manager->setParamValue (this, target, (float) tokens[2].getDoubleValue());
    }
    else if (kind == beginGesture)
    {
        ++heldGestures[side];
        manager->beginParamGesture (this, target);
    }
    else if (kind == endGesture && heldGestures[side] > 0)
    {
        --heldGestures[side];
        manager->endParamGesture (this, target);
    }
}
