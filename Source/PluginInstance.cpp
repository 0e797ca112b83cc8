#include "PluginInstance.h"

#include "PluginEditor.h"

#include "Ids.h"
#include "MidiBridge.h"
#include "ParamTools.h"
#include "PresetFile.h"
#include "vq_midi/MidiManager.h"

namespace
{
constexpr juce::int32 fourCharCode (const char (&code)[5])
{
    return (juce::int32) (((juce::uint32) (juce::uint8) code[0] << 24) | ((juce::uint32) (juce::uint8) code[1] << 16) |
                          ((juce::uint32) (juce::uint8) code[2] << 8) | (juce::uint32) (juce::uint8) code[3]);
}

/** The instances of the process, in the order created; message thread. */
juce::Array<PlemvoPluginInstance*>& liveInstances()
{
    static juce::Array<PlemvoPluginInstance*> instances;
    return instances;
}
} // namespace

PlemvoPluginInstance::PlemvoPluginInstance()
    : juce::VqPluginInstance ("Kestova PLEMVO", new PlemvoParamsManager (*this),
                              BusesProperties()
                                  .withInput ("Input", juce::AudioChannelSet::stereo())
                                  .withOutput ("Output", juce::AudioChannelSet::stereo())),
      plemvoParams (static_cast<PlemvoParamsManager*> (&getParamsManager())),
      connectedFlagSetter (*plemvoParams, ParamData::isConnected)
{
    midiManager = juce::MidiManager::getInstance();

    if (midiManager != nullptr)
        midiManager->registerPluginInstance ({ juce::VqSysexProtocol::unitDeviceName });

    plemvoParams->addNonAutomatableParamListener (this, ParamData::connectedDevSn, juce::VqParamsManager::registerOnly);
    liveInstances().add (this);
    startTimer (connectionIntervalMs);
}

// The unit is given up before the device manager may go with this instance, and both before the
// members and the parameter manager that the bridge's MIDI objects listen to.
PlemvoPluginInstance::~PlemvoPluginInstance()
{
    liveInstances().removeFirstMatchingValue (this);
    plemvoParams->removeNonAutomatableParamListener (this, ParamData::connectedDevSn);
    stopTimer();
    detachBridge();
    stopTimer(); // the detached bridge's loss report restarts it

    if (midiManager != nullptr)
        midiManager->unregisterPluginInstance();

    midiManager = nullptr;
    chooser.reset();
    pendingCommand.reset();
}

//==============================================================================
juce::int32 PlemvoPluginInstance::getAAXPluginIDForMainBusConfig (const juce::AudioChannelSet& mainInputLayout,
                                                                  const juce::AudioChannelSet& mainOutputLayout,
                                                                  bool idForAudioSuite) const
{
    const auto mono = juce::AudioChannelSet::mono();
    const auto stereo = juce::AudioChannelSet::stereo();

    if (mainInputLayout == mono && mainOutputLayout == mono)
        return fourCharCode ("jcaa");

    if (mainInputLayout == stereo && mainOutputLayout == stereo)
        return fourCharCode ("jcab");

    return fourCharCode (idForAudioSuite ? "jyaa" : "jcaa");
}

juce::StringArray PlemvoPluginInstance::getAlternateDisplayNames() const
{
    return { "PLEMVO", "PLEM VO", "Kestova PLEM VO" };
}

void PlemvoPluginInstance::getStateInformation (juce::MemoryBlock& destData)
{
    plemvoParams->getStateInformation (destData);
}

void PlemvoPluginInstance::getCurrentProgramStateInformation (juce::MemoryBlock& destData)
{
    getStateInformation (destData);
}

void PlemvoPluginInstance::setStateInformation (const void* data, int sizeInBytes)
{
    plemvoParams->setStateInformation (data, sizeInBytes);
}

void PlemvoPluginInstance::setCurrentProgramStateInformation (const void* data, int sizeInBytes)
{
    setStateInformation (data, sizeInBytes);
}

bool PlemvoPluginInstance::hasEditor() const
{
    return true;
}

juce::AudioProcessorEditor* PlemvoPluginInstance::createEditor()
{
    auto* editor = new PlemvoAudioProcessorEditor (*this, *plemvoParams);

    // A device-selector request that waited for a window goes to the new window's menu bar.
    sendPendingCommand();
    return editor;
}

void PlemvoPluginInstance::sendPendingCommand()
{
    // A request made while no window existed may have been answered meanwhile, by a connection or
    // by a unit remembered or gone.
    if (pendingCommand != nullptr && ! needsDeviceChoice())
        pendingCommand.reset();

    if (pendingCommand != nullptr)
        sendCommand (std::move (pendingCommand));
}

bool PlemvoPluginInstance::hasPendingCommand() const
{
    return pendingCommand != nullptr && needsDeviceChoice();
}

//==============================================================================
void PlemvoPluginInstance::timerCallback()
{
    if (! (bool) plemvoParams->getNonAutomatableParamValue (ParamData::shouldBeConnected))
        return;

    stopTimer();

    if (isConnected() || midiManager == nullptr)
    {
        startTimer (connectionIntervalMs);
        return;
    }

    // A bridge whose unit was lost is already detached; one still attached must let go before it goes.
    detachBridge();

    auto newBridge = std::make_unique<PlemvoMidiBridge> (*this, *plemvoParams);
    const int remembered = plemvoParams->getNonAutomatableParamValue (ParamData::connectedDevSn);

    if (remembered == -1)
    {
        int serialNo = -1;

        if (midiManager->connectIfOneDevice (newBridge.get(), serialNo, unitsRememberedElsewhere()))
        {
            setSetting (ParamData::connectedDevSn, serialNo);
            bridge = std::move (newBridge);
            setSetting (ParamData::isConnected, true);
            return;
        }

        if (needsDeviceChoice())
            sendCommand (std::make_unique<juce::VqCommand> (Ids::vqPlemvo::showDeviceSelector));
    }
    else if (midiManager->connectIfSerialNo (remembered, newBridge.get()))
    {
        bridge = std::move (newBridge);
        setSetting (ParamData::isConnected, true);
        return;
    }

    startTimer (connectionIntervalMs);
}

void PlemvoPluginInstance::connectWithDevice (int serialNo)
{
    setSetting (ParamData::connectedDevSn, serialNo);

    // "IS CONNECTED" clears only on a later turn, so the step below just restarts the timer and the
    // new unit is taken on the next tick.
    if (isConnected())
        disconnect();

    timerCallback();
}

void PlemvoPluginInstance::disconnect()
{
    detachBridge();
    startTimer (connectionIntervalMs);
}

void PlemvoPluginInstance::chooseDevice (int serialNo, bool connect)
{
    plemvoParams->setNonAutomatableParamValue (nullptr, ParamData::shouldBeConnected, connect);

    if (connect)
        connectWithDevice (serialNo);
    else
        disconnect();
}

void PlemvoPluginInstance::connectionLost()
{
    connectedFlagSetter.setParamValue (false);
    startTimer (connectionIntervalMs);
}

void PlemvoPluginInstance::detachBridge()
{
    if (bridge == nullptr)
        return;

    bridge->giveUpUnit (midiManager);
    bridge.reset();
}

int PlemvoPluginInstance::findUnitInUse() const
{
    if (bridge == nullptr || midiManager == nullptr)
        return -1;

    const auto list = midiManager->getConnectionList();

    for (const auto* row : *list)
        if (row->listener == bridge.get())
            return row->serialNo;

    return -1;
}

void PlemvoPluginInstance::nonAutomatableParamValueChanged (int index, juce::var value)
{
    if (index == ParamData::connectedDevSn)
        followRememberedUnit (value);
}

// The instance's own changes of the remembered unit name itself as their source, so only the others
// arrive here. Without a unit in use the connection step takes the remembered one when it can.
void PlemvoPluginInstance::followRememberedUnit (int serialNo)
{
    const auto inUse = findUnitInUse();

    if (inUse < 0 || inUse == serialNo)
        return;

    auto newBridge = std::make_unique<PlemvoMidiBridge> (*this, *plemvoParams);

    if (serialNo >= 0 && midiManager->connectIfSerialNo (serialNo, newBridge.get()))
    {
        detachBridge();
        bridge = std::move (newBridge);

        // The old bridge reported its loss on the way out; the instance is connected all along.
        connectedFlagSetter.setParamValue (true);
        stopTimer();
        return;
    }

    // Taken by another instance, absent or none: the unit in use stays, and the setting names it.
    setSetting (ParamData::connectedDevSn, inUse);
}

void PlemvoPluginInstance::setSetting (int index, const juce::var& value)
{
    plemvoParams->setNonAutomatableParamValue (this, index, value);
}

bool PlemvoPluginInstance::isConnected() const
{
    return (bool) plemvoParams->getNonAutomatableParamValue (ParamData::isConnected);
}

std::vector<int> PlemvoPluginInstance::unitsRememberedElsewhere() const
{
    std::vector<int> serialNumbers;

    for (const auto* other : liveInstances())
        if (other != this)
            if (const int remembered = other->plemvoParams->getNonAutomatableParamValue (ParamData::connectedDevSn);
                remembered >= 0)
                serialNumbers.push_back (remembered);

    return serialNumbers;
}

// The free units this instance may take without being told which: not those other instances remember.
int PlemvoPluginInstance::countUnitsToChooseFrom() const
{
    return midiManager != nullptr ? midiManager->countFreeDevices (unitsRememberedElsewhere()) : 0;
}

// With one unit to take the connection step takes it; only between several must the user choose.
bool PlemvoPluginInstance::needsDeviceChoice() const
{
    return ! isConnected() && (int) plemvoParams->getNonAutomatableParamValue (ParamData::connectedDevSn) == -1 &&
           countUnitsToChooseFrom() > 1;
}

//==============================================================================
void PlemvoPluginInstance::commandFallback (std::unique_ptr<juce::VqCommand> command)
{
    if (command->id == Ids::vqPlemvo::savePreset)
    {
        launchChooser (saveTitle, juce::String ("*") + PresetFile::extension,
                       juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles |
                           juce::FileBrowserComponent::warnAboutOverwriting,
                       [this] (const juce::File& file) { savePreset (file); });
    }
    else if (command->id == Ids::vqPlemvo::loadPreset)
    {
        launchChooser (loadTitle, juce::String ("*") + PresetFile::extension + "; *" + PresetFile::bankExtension,
                       juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles,
                       [this] (const juce::File& file) { tellIfFailed (loadTitle, PresetFile::load (*this, file)); });
    }
    else if (command->id == Ids::vqPlemvo::showDeviceSelector)
    {
        pendingCommand = std::move (command);
    }
}

void PlemvoPluginInstance::savePreset (const juce::File& chosen)
{
    if (! PresetFile::replacesAnotherFile (chosen))
    {
        tellIfFailed (saveTitle, PresetFile::save (*this, chosen));
        return;
    }

    // The name written differs from the one chosen, and the dialog asked only about the chosen one.
    const auto target = PresetFile::getSaveTarget (chosen);
    const auto options = juce::MessageBoxOptions()
                             .withIconType (juce::MessageBoxIconType::QuestionIcon)
                             .withTitle (saveTitle)
                             .withMessage (target.getFileName() + " already exists. Replace it?")
                             .withButton ("Replace")
                             .withButton ("Cancel");

    juce::AlertWindow::showAsync (options,
                                  [safeThis = juce::WeakReference<PlemvoPluginInstance> (this), chosen] (int button)
                                  {
                                      if (button == 1 && safeThis != nullptr)
                                          safeThis->tellIfFailed (saveTitle,
                                                                  PresetFile::save (*safeThis, chosen, true));
                                  });
}

// The reason goes over the window the dialog was opened from; with no window showing there is none to
// tell it in.
void PlemvoPluginInstance::tellIfFailed (const juce::String& title, const juce::Result& result)
{
    auto* editor = getActiveEditor();

    if (result.wasOk() || editor == nullptr || ! editor->isShowing())
        return;

    juce::AlertWindow::showAsync (juce::MessageBoxOptions()
                                      .withIconType (juce::MessageBoxIconType::WarningIcon)
                                      .withTitle (title)
                                      .withMessage (result.getErrorMessage() + ".")
                                      .withButton ("OK")
                                      .withAssociatedComponent (editor),
                                  nullptr);
}

void PlemvoPluginInstance::launchChooser (const juce::String& title, const juce::String& patterns, int flags,
                                          std::function<void (const juce::File&)> onChosen)
{
    chooser = std::make_unique<juce::FileChooser> (title, juce::File::getCurrentWorkingDirectory(), patterns, true);

    // A cancelled dialog yields no file and does nothing.
    chooser->launchAsync (flags,
                          [onChosen] (const juce::FileChooser& fc)
                          {
                              const auto file = fc.getResult();

                              if (file != juce::File())
                                  onChosen (file);
                          });
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new PlemvoPluginInstance();
}
