#pragma once

#include "CommandListener.h"

#include <juce_events/juce_events.h>

namespace juce
{
/** An asynchronous first-in-first-out command queue. Commands are delivered one per message-thread
    turn, outside the sender's call stack; each is offered to the listeners, newest first, and one
    that nobody takes goes to commandFallback. Message thread only.
*/
class CommandManager
{
public:
    CommandManager();

    /** Deletes the commands still queued without delivering them. */
    virtual ~CommandManager();

    /** Queues the command (taking it) for a later delivery. */
    void sendCommand (std::unique_ptr<VqCommand> command);

    /** Registers the listener once; it must remove itself before it is destroyed. */
    void addCommandListener (CommandListener* listener);
    void removeCommandListener (CommandListener* listener);

protected:
    /** Receives a command that no listener took; by default it is deleted. */
    virtual void commandFallback (std::unique_ptr<VqCommand> command);

private:
    /** Delivers on a later message-thread turn. */
    class CommandAsyncCallback : public AsyncUpdater
    {
    public:
        explicit CommandAsyncCallback (CommandManager& owner)
            : manager (owner)
        {
        }
        void handleAsyncUpdate() override;

    private:
        CommandManager& manager;
    };

    CommandAsyncCallback asyncCallback { *this };
    Array<CommandListener*> listeners;
    OwnedArray<VqCommand> commands;

    void deliverNextCommand();

    JUCE_DECLARE_NON_COPYABLE (CommandManager)
};
} // namespace juce
