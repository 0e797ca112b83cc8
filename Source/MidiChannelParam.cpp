#include "MidiChannelParam.h"

#include "ParamTools.h"
#include "vq_midi/MidiDevice.h"
#include "vq_midi/VqSysexProtocol.h"

using Protocol = juce::VqSysexProtocol;

MidiChannelParam::MidiChannelParam (juce::MidiDevice* deviceToUse, juce::VqParamsManager& managerToUse,
                                    int paramIndexToUse, int settingIndexToUse)
    : manager (&managerToUse),
      device (deviceToUse),
      paramIndex (paramIndexToUse),
      settingIndex (settingIndexToUse)
{
    manager->addParamListener (this, paramIndex, juce::VqParamsManager::registerOnly);
    manager->addNonAutomatableParamListener (this, settingIndex, juce::VqParamsManager::registerOnly);

    midiParam.setGestureTarget (*manager, this, paramIndex);
    midiParam.onValueFromDevice = [this] (int code, MidiParam::ChangeStamp received)
    { return applyCodeFromDevice (code, received); };
    midiParam.onSend = [this] (int code) { return send (code); };
    midiParam.onResend = [this] { sendChannelMode(); };
}

MidiChannelParam::~MidiChannelParam()
{
    manager->removeParamListener (this, paramIndex);
    manager->removeNonAutomatableParamListener (this, settingIndex);
}

void MidiChannelParam::addChannelListener (ChannelRecallingListener* listener)
{
    channelListeners.addIfNotAlreadyThere (listener);
}

void MidiChannelParam::removeChannelListener (ChannelRecallingListener* listener)
{
    channelListeners.removeAllInstancesOf (listener);
}

int MidiChannelParam::selectedChannelForCode (int code) noexcept
{
    if (code >= Protocol::channelsLinked)
        return 0;

    return code < Protocol::channel1Selected ? 2 : 1;
}

int MidiChannelParam::codeForSelectedChannel (int channel) noexcept
{
    if (channel == 0)
        return Protocol::channelsLinked;

    return channel == 1 ? Protocol::channel1Selected : Protocol::channel2Selected;
}

void MidiChannelParam::sendSelectedChannelToListeners (int code)
{
    const auto channel = selectedChannelForCode (code);

    for (auto* listener : channelListeners)
        listener->setSelectedChannel (channel);
}

void MidiChannelParam::sendUnitChannelToListeners (int code)
{
    const auto channel = code < 0 ? -1 : selectedChannelForCode (code);
    unitChannel = channel;

    for (auto* listener : channelListeners)
        listener->setUnitChannel (channel);
}

void MidiChannelParam::channelSetUpFinished()
{
    for (auto* listener : channelListeners)
        listener->lockReceiving (false);

    for (auto* listener : channelListeners)
        listener->sendForced();
}

int MidiChannelParam::getChannelModeCode() const
{
    if (ParamTools::isLinked (manager->getParamValue (paramIndex)))
        return codeForSelectedChannel (0);

    return codeForSelectedChannel ((int) manager->getNonAutomatableParamValue (settingIndex) != 0 ? 2 : 1);
}

void MidiChannelParam::sendChannelMode()
{
    midiParam.dawValueChanged (getChannelModeCode());
}

void MidiChannelParam::paramMidiChanged (int code)
{
    // Values sent under the unit's selection before may still be on the cable: the code's turn on the
    // message thread looks, as at this moment, even when a later code has replaced this one by then.
    if (unitChannel.load() != selectedChannelForCode (code))
        unitReselectedMs = MidiParam::now();

    sendSelectedChannelToListeners (code);
    sendUnitChannelToListeners (code);
    midiParam.valueFromDevice (code, [this] { return manager->takeChangeStamp(); });
}

void MidiChannelParam::switchesReceived()
{
    // Only a set-up ends here: outside one, the unit's switches must not make everything go out again.
    if (settingUp.load())
    {
        // The unit answers the mode with its switch byte: what it sends after it comes under that mode.
        sendUnitChannelToListeners (setUpCode.load());
        triggerAsyncUpdate();
    }
}

void MidiChannelParam::paramValueChanged (int index, float)
{
    if (index == paramIndex)
        startTimer (debounceTimerId, debounceMs);
}

void MidiChannelParam::nonAutomatableParamValueChanged (int index, juce::var)
{
    if (index == settingIndex)
        startTimer (debounceTimerId, debounceMs);
}

void MidiChannelParam::handleAsyncUpdate()
{
    if (! settingUp.exchange (false))
        return;

    stopTimer (setUpTimerId);
    channelSetUpFinished();
}

void MidiChannelParam::timerCallback (int timerId)
{
    stopTimer (timerId);

    if (timerId == setUpTimerId)
    {
        // The unit has not answered the mode, but has had the time to take it.
        if (settingUp.load())
            sendUnitChannelToListeners (setUpCode.load());

        triggerAsyncUpdate();
    }
    else if (timerId == debounceTimerId)
    {
        // A value set again, or a selected channel that changes nothing while linked, is no mode change.
        const auto code = getChannelModeCode();

        if (code != lastCode)
            midiParam.dawValueChanged (code);
    }
}

int MidiChannelParam::send (int code)
{
    const bool unitModeKnown = lastCode >= 0;
    lastCode = code;
    int msToReachUnit = -1;

    if (device != nullptr)
    {
        // A unit just attached may hold any mode: which channel its values are for is unknown until
        // it has taken this one.
        if (! unitModeKnown)
            sendUnitChannelToListeners (-1);

        for (auto* listener : channelListeners)
            listener->lockReceiving (true);

        // Marked before the mode goes out: the unit's switch byte may come back on a MIDI thread
        // before setValue has returned, and must still end this set-up.
        setUpCode = code;
        settingUp = true;
        msToReachUnit = device->setValue (midiId, code, false);
        startTimer (setUpTimerId, setUpLockMs);
    }

    sendSelectedChannelToListeners (code);
    return msToReachUnit;
}

bool MidiChannelParam::mayHaveValuesOnCable (juce::int64 atMs) const
{
    if (midiParam.mayStillBeOnCable (atMs))
        return true;

    for (auto* listener : channelListeners)
        if (listener->mayHaveValuesOnCable (atMs))
            return true;

    return false;
}

bool MidiChannelParam::applyCodeFromDevice (int code, MidiParam::ChangeStamp received)
{
    const auto channel = selectedChannelForCode (code);
    const bool wasLinked = ParamTools::isLinked (manager->getParamValue (paramIndex));

    // Values addressed under the selection before may reach the unit after it changed it, and land on
    // the other channel: then the unit is sent both channels again, under the selection it has now.
    const auto reselectedMs = unitReselectedMs.exchange (notReselected);
    const bool resendBoth = reselectedMs != notReselected && mayHaveValuesOnCable (reselectedMs);
    lastCode = codeForSelectedChannel (channel);

    // Applying the mode may copy one channel onto the other; what that changes goes out below, once
    // the change is complete, instead of control by control.
    for (auto* listener : channelListeners)
        listener->holdSending (true);

    // The same reading of the code as the control objects', so a stray code 3 cannot leave the
    // parameters linked while the traffic is routed to channel 1.
    const bool modeTaken = manager->applyParamValue (this, paramIndex, channel == 0 ? 0.0f : 1.0f, received);
    const bool selectionTaken =
        manager->applyNonAutomatableParamValue (this, settingIndex, channel == 2 ? 1 : 0, received);

    for (auto* listener : channelListeners)
        listener->holdSending (false);

    // A unit that links keeps each channel as it was, while both channels of the parameters now hold
    // one set: channel 1 goes out, which the linked unit applies to both. A unit that unlinks holds
    // that set on both, while channel 2 of the parameters may have been set apart meanwhile (host
    // automation is not linked): channel 2 goes out. Between two channels nothing differs.
    const bool linked = channel == 0;

    if (resendBoth)
    {
        for (auto* listener : channelListeners)
            listener->sendForced();
    }
    else if (linked != wasLinked)
    {
        for (auto* listener : channelListeners)
            listener->sendChannel (linked ? 1 : 2);
    }

    return modeTaken && selectionTaken;
}
