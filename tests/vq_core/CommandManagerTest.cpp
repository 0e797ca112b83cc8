#include "MessageLoop.h"

#include "vq_core/CommandManager.h"

#include <gtest/gtest.h>

namespace
{
const juce::Identifier first ("first"), second ("second"), third ("third");

/** Logs what it is offered, under its own name. */
struct LoggingListener : juce::CommandListener
{
    LoggingListener (juce::StringArray& logToUse, juce::String nameToUse, bool takes)
        : log (logToUse),
          name (std::move (nameToUse)),
          takesCommands (takes)
    {
    }

    bool commandListenerCallback (juce::VqCommand* command) override
    {
        log.add (name + ":" + command->id.toString());
        if (onCommand != nullptr)
            std::exchange (onCommand, nullptr)();
        return takesCommands;
    }

    juce::StringArray& log;
    juce::String name;
    bool takesCommands;
    std::function<void()> onCommand;
};

struct RecordingManager : juce::CommandManager
{
    juce::StringArray log;

    void commandFallback (std::unique_ptr<juce::VqCommand> command) override
    {
        log.add ("fallback:" + command->id.toString());
    }
};

/** Tells when it is deleted. */
struct TracedCommand : juce::VqCommand
{
    TracedCommand (const juce::Identifier& id, bool& deletedFlag)
        : VqCommand (id),
          deleted (deletedFlag)
    {
    }
    ~TracedCommand() override { deleted = true; }
    bool& deleted;
};

std::unique_ptr<juce::VqCommand> command (const juce::Identifier& id)
{
    return std::make_unique<juce::VqCommand> (id);
}
} // namespace

TEST (CommandQueue, CommandsAreDeliveredInSendingOrderOnePerMessageThreadTurn)
{
    RecordingManager manager;
    LoggingListener listener (manager.log, "menu", true);
    manager.addCommandListener (&listener);
    listener.onCommand = [&] { juce::MessageManager::callAsync ([&] { manager.log.add ("next turn"); }); };

    manager.sendCommand (command (first));
    manager.sendCommand (command (second));
    manager.sendCommand (command (third));
    EXPECT_TRUE (manager.log.isEmpty());

    vqtest::runMessageLoopUntil ([&] { return manager.log.size() == 4; });

    EXPECT_EQ (manager.log.joinIntoString (","), "menu:first,next turn,menu:second,menu:third");
    manager.removeCommandListener (&listener);
}

TEST (CommandQueue, WithoutListenersEveryCommandReachesTheFallback)
{
    RecordingManager manager;

    manager.sendCommand (command (first));
    manager.sendCommand (command (second));
    vqtest::runMessageLoopUntil ([&] { return manager.log.size() == 2; });

    EXPECT_EQ (manager.log.joinIntoString (","), "fallback:first,fallback:second");
}

TEST (CommandQueue, TheNewestListenerIsOfferedFirstAndTheFirstTakerEndsTheOffer)
{
    RecordingManager manager;
    LoggingListener older (manager.log, "older", true), newer (manager.log, "newer", true);
    manager.addCommandListener (&older);
    manager.addCommandListener (&newer);
    manager.addCommandListener (&older);

    manager.sendCommand (command (first));
    vqtest::drainMessageLoop();

    EXPECT_EQ (manager.log.joinIntoString (","), "newer:first");
    manager.removeCommandListener (&older);
    manager.removeCommandListener (&newer);
}

TEST (CommandQueue, ACommandDeclinedByEveryListenerGoesToTheFallbackAfterAllWereAsked)
{
    RecordingManager manager;
    LoggingListener older (manager.log, "older", false), newer (manager.log, "newer", false);
    manager.addCommandListener (&older);
    manager.addCommandListener (&newer);

    manager.sendCommand (command (first));
    vqtest::drainMessageLoop();

    EXPECT_EQ (manager.log.joinIntoString (","), "newer:first,older:first,fallback:first");
    manager.removeCommandListener (&older);
    manager.removeCommandListener (&newer);
}

TEST (CommandQueue, AListenerRemovingItselfWhileOfferedDoesNotDisturbTheOffer)
{
    RecordingManager manager;
    LoggingListener older (manager.log, "older", true), newer (manager.log, "newer", false);
    manager.addCommandListener (&older);
    manager.addCommandListener (&newer);
    newer.onCommand = [&] { manager.removeCommandListener (&newer); };

    manager.sendCommand (command (first));
    vqtest::drainMessageLoop();

    EXPECT_EQ (manager.log.joinIntoString (","), "newer:first,older:first");
    manager.removeCommandListener (&older);
}

TEST (CommandQueue, ACommandSentFromAListenerIsDeliveredAfterThatCallbackReturned)
{
    RecordingManager manager;
    LoggingListener listener (manager.log, "menu", true);
    manager.addCommandListener (&listener);
    listener.onCommand = [&]
    {
        manager.sendCommand (command (second));
        manager.log.add ("returning");
    };

    manager.sendCommand (command (first));
    vqtest::runMessageLoopUntil ([&] { return manager.log.size() == 3; });

    EXPECT_EQ (manager.log.joinIntoString (","), "menu:first,returning,menu:second");
    manager.removeCommandListener (&listener);
}

TEST (CommandQueue, TakenCommandsAreDeletedAndQueuedOnesDieWithTheManagerUndelivered)
{
    bool takenDeleted = false, queuedDeleted = false;
    juce::StringArray log;
    LoggingListener listener (log, "menu", true);

    {
        RecordingManager manager;
        manager.addCommandListener (&listener);
        manager.sendCommand (std::make_unique<TracedCommand> (first, takenDeleted));
        vqtest::drainMessageLoop();
        EXPECT_TRUE (takenDeleted);

        manager.sendCommand (std::make_unique<TracedCommand> (second, queuedDeleted));
        EXPECT_FALSE (queuedDeleted);
    }

    EXPECT_TRUE (queuedDeleted);
    vqtest::drainMessageLoop();
    EXPECT_EQ (log.joinIntoString (","), "menu:first");
}
