#include "CommandManager.h"

namespace juce
{
CommandManager::CommandManager() = default;

CommandManager::~CommandManager()
{
    asyncCallback.cancelPendingUpdate();
    commands.clear(); // newest first
}

void CommandManager::sendCommand (std::unique_ptr<VqCommand> command)
{
    jassert (MessageManager::existsAndIsCurrentThread());

    if (command == nullptr)
        return;

    commands.add (std::move (command));
    asyncCallback.triggerAsyncUpdate();
}

void CommandManager::addCommandListener (CommandListener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void CommandManager::removeCommandListener (CommandListener* listener)
{
    listeners.removeAllInstancesOf (listener);
}

void CommandManager::commandFallback (std::unique_ptr<VqCommand>) {}

void CommandManager::CommandAsyncCallback::handleAsyncUpdate()
{
    manager.deliverNextCommand();
}

void CommandManager::deliverNextCommand()
{
    if (commands.isEmpty())
        return;

    std::unique_ptr<VqCommand> command (commands.removeAndReturn (0));
    bool taken = false;

    // Newest listener first; a listener may remove itself or others while it is offered the command.
    for (int i = listeners.size(); --i >= 0 && ! taken;)
        if (i < listeners.size())
            taken = listeners.getUnchecked (i)->commandListenerCallback (command.get());

    if (! taken)
        commandFallback (std::move (command));

    // One command per turn, so each is handled outside the stack of the one before.
    if (! commands.isEmpty())
        asyncCallback.triggerAsyncUpdate();
}
} // namespace juce
