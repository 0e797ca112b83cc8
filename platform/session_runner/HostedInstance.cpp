#include "HostedInstance.h"

#include "DesktopWindows.h"

#include "ParamTools.h"

#include <utility>

namespace
{
constexpr int watchedSettings[] = { ParamData::isConnected, ParamData::connectedDevSn };
}

HostedInstance::HostedInstance (const juce::String& instanceName, SessionLog& sessionLog, Clock sessionClock)
    : name (instanceName),
      log (sessionLog),
      clock (std::move (sessionClock)),
      instance (static_cast<PlemvoPluginInstance*> (createPluginFilter()))
{
    instance->addListener (this);
    instance->addCommandListener (this);

    for (auto index : watchedSettings)
        instance->getPlemvoParams().addNonAutomatableParamListener (this, index, juce::VqParamsManager::registerOnly);
}

HostedInstance::~HostedInstance()
{
    closeEditor();

    for (auto index : watchedSettings)
        instance->getPlemvoParams().removeNonAutomatableParamListener (this, index);

    instance->removeCommandListener (this);
    instance->removeListener (this);
    instance.reset();
}

void HostedInstance::automate (int index, float value)
{
    write (SessionLog::Kind::automation, "host sets " + describeParameter (index, value));
    instance->getParameters()[index]->setValue (value);
}

PlemvoAudioProcessorEditor& HostedInstance::openEditor()
{
    if (editor == nullptr)
    {
        editor.reset (static_cast<PlemvoAudioProcessorEditor*> (instance->createEditorIfNeeded()));

        if (DesktopWindows::hasDisplay())
        {
            // No title bar of its own, as inside a host's frame: a late move event of a window with one
            // closes any popup menu open over it, and such events come when they come.
            editor->setTopLeftPosition (60, 60);
            editor->addToDesktop (0);
            editor->setVisible (true);

            // A window manager gives a newly shown window the keyboard focus, and JUCE keeps a popup
            // open only while a window of the process has it; this display has no window manager.
            editor->getPeer()->grabFocus();
        }
    }

    return *editor;
}

void HostedInstance::closeEditor()
{
    if (editor == nullptr)
        return;

    instance->editorBeingDeleted (editor.get());
    editor.reset();
}

void HostedInstance::write (SessionLog::Kind kind, const juce::String& text)
{
    log.add (clock(), kind, name, text);
}

juce::String HostedInstance::describeParameter (int index, float value) const
{
    const auto* parameter = instance->getParameters()[index];
    return parameter->getName (100) + " = " + juce::String (value, 3) + " (" + parameter->getText (value, 100) + ")";
}

void HostedInstance::audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value)
{
    write (SessionLog::Kind::hostValue, "host told " + describeParameter (index, value));
}

void HostedInstance::audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index)
{
    write (SessionLog::Kind::hostGesture, "host gesture begins: " + instance->getParameters()[index]->getName (100));
}

void HostedInstance::audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index)
{
    write (SessionLog::Kind::hostGesture, "host gesture ends: " + instance->getParameters()[index]->getName (100));
}

// The manager tells an unchanged value too, and a listener that sets the setting again while it is told
// (the instance refusing a move) makes the rest of that telling repeat the new value: only a change is logged.
void HostedInstance::nonAutomatableParamValueChanged (int index, juce::var value)
{
    const int serialNo = instance->getPlemvoParams().getNonAutomatableParamValue (ParamData::connectedDevSn);
    const auto text = index == ParamData::connectedDevSn ? "remembers unit " + value.toString()
                      : (bool) value                     ? "connected to unit " + juce::String (serialNo)
                                                         : juce::String ("not connected any more");

    if (std::exchange (connectionSaid[index], text) != text)
        write (SessionLog::Kind::connection, text);
}

bool HostedInstance::commandListenerCallback (juce::VqCommand* command)
{
    write (SessionLog::Kind::command, "command \"" + command->id.toString() + "\"");
    return false;
}
