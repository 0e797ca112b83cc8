#include "StereoParameterLinker.h"

#include "ParamTools.h"

namespace
{
enum MessageKind
{
    setValue = 1,
    beginGesture = 2,
    endGesture = 3
};

juce::String makeMessage (MessageKind kind, int target, double value = 0.0,
                          juce::VqParamsManager::ChangeStamp received = 0)
{
    // Nine significant digits bring back the very float, however small: six could land the twin a
    // step off at a tie.
    return juce::String ((int) kind) + "|" + juce::String (target) + "|" + juce::String (value, 8, true) + "|" +
           juce::String ((juce::int64) received);
}
} // namespace

StereoParameterLinker::StereoParameterLinker (juce::VqParamsManager& owner, int left, int right)
    : manager (&owner),
      leftIndex (left),
      rightIndex (right)
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

    const auto side = sideOf (index);

    if (source == this || side < 0)
        return;

    if (linked && ! isReplay (source))
        sendActionMessage (makeMessage (setValue, twinOf (side), (double) value, manager->getParamStamp (index)));
}

void StereoParameterLinker::paramGestureChanged (AutomatableParamListener* source, int index, bool starting)
{
    const auto side = sideOf (index);

    if (source == this || side < 0 || isReplay (source))
        return;

    // The end follows its begin, not the mode: "CHANNEL" may have changed in between.
    if (starting && linked && ! mirroredToTwin[side])
    {
        mirroredToTwin[side] = true;
        sendActionMessage (makeMessage (beginGesture, twinOf (side)));
    }
    else if (! starting && mirroredToTwin[side])
    {
        mirroredToTwin[side] = false;
        sendActionMessage (makeMessage (endGesture, twinOf (side)));
    }
}

void StereoParameterLinker::actionListenerCallback (const juce::String& message)
{
    const auto tokens = juce::StringArray::fromTokens (message, "|", "\"");

    if (tokens.size() < 4)
        return;

    const auto kind = tokens[0].getIntValue();
    const auto target = tokens[1].getIntValue();
    const auto side = sideOf (target);

    if (side < 0)
        return;

    if (kind == setValue)
    {
        // The manager refuses the mirror when the twin changed after the change it repeats. Neither
        // may it cross a change of the mode out of "LINK".
        if (linked)
            manager->applyParamValue (this, target, (float) tokens[2].getDoubleValue(),
                                      (juce::VqParamsManager::ChangeStamp) tokens[3].getLargeIntValue());
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
