#include "SessionLog.h"

SessionLog::SessionLog (std::ostream* outputStream, std::ostream* errorStream, const juce::String& prefix)
    : output (outputStream),
      errors (errorStream),
      errorPrefix (prefix)
{
}

void SessionLog::add (double timeMs, Kind kind, const juce::String& who, const juce::String& text)
{
    jassert (records.empty() || timeMs >= records.back().timeMs);
    records.push_back ({ timeMs, kind, who, text });

    if (output != nullptr)
        *output << format (records.back()) << std::endl;

    if (errors != nullptr && kind == Kind::error)
        *errors << errorPrefix << text << std::endl;
}

juce::StringArray SessionLog::getTexts (Kind kind, const juce::String& who) const
{
    juce::StringArray texts;

    for (const auto& record : records)
        if (record.kind == kind && (who.isEmpty() || record.who == who))
            texts.add (record.text);

    return texts;
}

juce::String SessionLog::format (const Record& record)
{
    if (record.kind == Kind::action)
        return "\n--- " + record.text;

    const auto time = "[" + juce::String (juce::roundToInt (record.timeMs)).paddedLeft (' ', 6) + " ms] ";
    const auto prefix = record.who.isEmpty() ? juce::String() : record.who.paddedRight (' ', 12) + " ";

    if (record.kind == Kind::error)
        return time + "ERROR " + record.text;

    return time + prefix + record.text;
}
