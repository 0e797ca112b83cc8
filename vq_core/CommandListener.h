#pragma once

#include "VqCommand.h"

namespace juce
{
/** The receiver of commands offered by a CommandManager. */
class CommandListener
{
public:
    virtual ~CommandListener() = default;

    /** Returns true when the command was taken; the command stays owned by the manager. */
    virtual bool commandListenerCallback (VqCommand* command) = 0;
};
} // namespace juce
