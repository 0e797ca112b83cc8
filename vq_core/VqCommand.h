#pragma once

#include <juce_core/juce_core.h>

namespace juce
{
/** A request handed to a CommandManager, named by one identifier. */
class VqCommand
{
public:
    explicit VqCommand (const Identifier& commandId)
        : id (commandId)
    {
    }
    virtual ~VqCommand() = default;

    const Identifier id;

private:
    JUCE_DECLARE_NON_COPYABLE (VqCommand)
};
} // namespace juce
