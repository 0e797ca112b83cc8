#include "VqParamsManager.h"

#include "VqDawParameter.h"

namespace juce
{
void VqParamsManager::AutomatableParamListener::paramValueChanged (AutomatableParamListener* source, int index,
                                                                   float value)
{
    if (source != this)
        paramValueChanged (index, value);
}

void VqParamsManager::AutomatableParamListener::paramValueChanged (int, float) {}

void VqParamsManager::AutomatableParamListener::paramGestureChanged (AutomatableParamListener* source, int index,
                                                                     bool starting)
{
    if (source != this)
        paramGestureChanged (index, starting);
}

void VqParamsManager::AutomatableParamListener::paramGestureChanged (int, bool) {}

//==============================================================================
VqParamsManager::VqParamsManager (VqPluginInstance& ownerInstance)
    : owner (ownerInstance)
{
}

VqParamsManager::~VqParamsManager()
{
    nonAutomatable.clear();
    automatable.clear();
}

VqParamsManager::AutomatableParameter* VqParamsManager::findParameter (int index) const noexcept
{
    return isPositiveAndBelow (index, automatable.size()) ? automatable.getUnchecked (index) : nullptr;
}

VqParamsManager::NonAutomatableParamData* VqParamsManager::findSetting (int index) const noexcept
{
    return isPositiveAndBelow (index, nonAutomatable.size()) ? nonAutomatable.getUnchecked (index) : nullptr;
}

void VqParamsManager::setParamValue (AutomatableParamListener* source, int index, float value)
{
    applyParamValue (source, index, value, takeChangeStamp());
}

bool VqParamsManager::applyParamValue (AutomatableParamListener* source, int index, float value, ChangeStamp received,
                                       Unchanged unchanged)
{
    auto* param = findParameter (index);

    // Value texts index their tables with the stored value, so nothing outside 0..1 gets in.
    if (param == nullptr || received <= param->stamp || ! std::isfinite (value))
        return false;

    param->stamp = received;
    value = jlimit (0.0f, 1.0f, value);

    if (unchanged == Unchanged::keepQuiet && value == param->value)
        return true;

    param->value = value;

    // Re-read on every call: a listener may add another, or set this parameter again.
    for (int i = 0; i < param->listeners.size(); ++i)
        param->listeners.getUnchecked (i)->paramValueChanged (source, param->index, param->value);

    return true;
}

void VqParamsManager::beginParamGesture (AutomatableParamListener* source, int index)
{
    auto* param = findParameter (index);

    if (param == nullptr || param->gestureCount++ != 0)
        return;

    for (int i = 0; i < param->listeners.size(); ++i)
        param->listeners.getUnchecked (i)->paramGestureChanged (source, index, true);
}

void VqParamsManager::endParamGesture (AutomatableParamListener* source, int index)
{
    auto* param = findParameter (index);

    if (param == nullptr || param->gestureCount == 0 || --param->gestureCount != 0)
        return;

    for (int i = 0; i < param->listeners.size(); ++i)
        param->listeners.getUnchecked (i)->paramGestureChanged (source, index, false);
}

void VqParamsManager::setNonAutomatableParamValue (NonAutomatableParamListener* source, int index, var value)
{
    applyNonAutomatableParamValue (source, index, std::move (value), takeChangeStamp());
}

bool VqParamsManager::applyNonAutomatableParamValue (NonAutomatableParamListener* source, int index, var value,
                                                     ChangeStamp received, Unchanged unchanged)
{
    auto* setting = findSetting (index);

    if (setting == nullptr || received <= setting->stamp)
        return false;

    setting->stamp = received;

    if (unchanged == Unchanged::keepQuiet && value == setting->value)
        return true;

    setting->value = std::move (value);

    for (int i = 0; i < setting->listeners.size(); ++i)
        if (auto* listener = setting->listeners.getUnchecked (i); listener != source)
            listener->nonAutomatableParamValueChanged (index, setting->value);

    return true;
}

void VqParamsManager::addParamListener (AutomatableParamListener* listener, int index, ListenerInitState state)
{
    auto* param = findParameter (index);

    if (param == nullptr || listener == nullptr)
        return;

    param->listeners.addIfNotAlreadyThere (listener);

    if (state == notifyOnAdd)
        listener->paramValueChanged (nullptr, index, param->value);
}

void VqParamsManager::removeParamListener (AutomatableParamListener* listener, int index)
{
    if (auto* param = findParameter (index))
        param->listeners.removeAllInstancesOf (listener);
}

void VqParamsManager::addNonAutomatableParamListener (NonAutomatableParamListener* listener, int index,
                                                      ListenerInitState state)
{
    auto* setting = findSetting (index);

    if (setting == nullptr || listener == nullptr)
        return;

    setting->listeners.addIfNotAlreadyThere (listener);

    if (state == notifyOnAdd)
        listener->nonAutomatableParamValueChanged (index, setting->value);
}

void VqParamsManager::removeNonAutomatableParamListener (NonAutomatableParamListener* listener, int index)
{
    if (auto* setting = findSetting (index))
        setting->listeners.removeAllInstancesOf (listener);
}

float VqParamsManager::getParamValue (int index) const noexcept
{
    auto* param = findParameter (index);
    return param != nullptr ? param->value : 0.0f;
}

var VqParamsManager::getNonAutomatableParamValue (int index) const
{
    auto* setting = findSetting (index);
    return setting != nullptr ? setting->value : var (-1);
}

VqParamsManager::ChangeStamp VqParamsManager::getParamStamp (int index) const noexcept
{
    auto* param = findParameter (index);
    return param != nullptr ? param->stamp : 0;
}

bool VqParamsManager::isLaterThanHeld (int index, ChangeStamp received) const noexcept
{
    auto* param = findParameter (index);
    return param != nullptr && received > param->stamp;
}

int VqParamsManager::getNumParamListeners (int index) const noexcept
{
    auto* param = findParameter (index);
    return param != nullptr ? param->listeners.size() : 0;
}

int VqParamsManager::getNumNonAutomatableParamListeners (int index) const noexcept
{
    auto* setting = findSetting (index);
    return setting != nullptr ? setting->listeners.size() : 0;
}

VqDawParameter* VqParamsManager::getDawParameter (int index) const noexcept
{
    auto* param = findParameter (index);
    return param != nullptr ? param->dawParameter : nullptr;
}

void VqParamsManager::addAutomatableParameter (VqDawParameter& dawParameter)
{
    // The index is the identifier every other part uses, so the host parameter must agree.
    jassert (dawParameter.getParamIndex() == automatable.size());

    auto* param = automatable.add (std::make_unique<AutomatableParameter>());
    param->dawParameter = &dawParameter;
    param->listeners.add (&dawParameter);
    param->manager = this;
    param->index = automatable.size() - 1;
    param->value = (float) dawParameter.getRange().convertFrom0to1 ((double) dawParameter.getValue());
}

void VqParamsManager::addNonAutomatableParameter (const var& defaultValue)
{
    nonAutomatable.add (std::make_unique<NonAutomatableParamData>())->value = defaultValue;
}
} // namespace juce
