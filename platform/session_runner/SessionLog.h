#pragma once

#include <juce_core/juce_core.h>

#include <ostream>
#include <vector>

/** The session runner's log: every line is kept as a record (for tests) and printed at once (for people),
    stamped with the session's time in milliseconds. Lines come in the order things happened, so their
    times never go backwards. */
class SessionLog
{
public:
    enum class Kind
    {
        action,      // a script line being played
        toUnit,      // a message the unit received
        fromUnit,    // a message the unit sent
        hostValue,   // a value the plug-in reported to the host
        hostGesture, // a gesture the plug-in opened or closed on the host
        automation,  // a value the host set
        connection,  // an instance's connection state, the list of units
        command,     // a command an instance sent
        info,        // anything else worth saying
        error        // a script line that could not be played
    };

    struct Record
    {
        double timeMs;
        Kind kind;
        juce::String who;
        juce::String text;
    };

    /** Prints to the stream, or only records when it is null. An error goes to errors as well, after the
        prefix (the script's name), as a wrong script line does before the session plays. */
    explicit SessionLog (std::ostream* output, std::ostream* errors = nullptr, const juce::String& errorPrefix = {});

    void add (double timeMs, Kind kind, const juce::String& who, const juce::String& text);

    const std::vector<Record>& getRecords() const noexcept { return records; }

    /** The records of one kind, optionally of one author, as their texts. */
    juce::StringArray getTexts (Kind kind, const juce::String& who = {}) const;

    static juce::String format (const Record& record);

private:
    std::ostream* output;
    std::ostream* errors;
    const juce::String errorPrefix;
    std::vector<Record> records;
};
