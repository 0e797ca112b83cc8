#pragma once

#include "FolderContents.h"
#include "RepositoryFile.h"
#include "ScriptReader.h"
#include "SessionLog.h"
#include "SessionRunner.h"

#include <gtest/gtest.h>

namespace runnertest
{
using Kind = SessionLog::Kind;

/** The example session shipped with the runner. */
inline juce::File findExample (const juce::String& name)
{
    return vqtest::findRepositoryFile ("platform/session_runner/examples/" + name);
}

class SessionRunnerTest : public testing::Test
{
protected:
    /** Plays the script in a new session; the runner of an earlier one goes first (one MIDI layer at a time). */
    bool play (const juce::String& text)
    {
        runner.reset();
        log = std::make_unique<SessionLog> (nullptr);
        runner = std::make_unique<SessionRunner> (*log, folder);

        const auto script = ScriptReader::read (text);
        EXPECT_TRUE (script.error.isEmpty()) << script.error;
        const auto played = runner->play (script.actions);
        runner->shutDown();
        return played;
    }

    juce::StringArray texts (Kind kind, const juce::String& who = {}) const { return log->getTexts (kind, who); }

    int count (Kind kind, const juce::String& who, const juce::String& text) const
    {
        int n = 0;

        for (const auto& t : texts (kind, who))
            if (t.contains (text))
                ++n;

        return n;
    }

    /** Whether the records hold these texts one right after the other. */
    bool followEachOther (const juce::StringArray& sequence) const
    {
        const auto& records = log->getRecords();

        for (size_t start = 0; start + (size_t) sequence.size() <= records.size(); ++start)
        {
            int matched = 0;

            while (matched < sequence.size() && records[start + (size_t) matched].text.contains (sequence[matched]))
                ++matched;

            if (matched == sequence.size())
                return true;
        }

        return false;
    }

    /** The index of the first record at or after start whose text holds this, or -1. */
    int findRecord (const juce::String& text, int start = 0) const
    {
        const auto& records = log->getRecords();

        for (auto i = (size_t) juce::jmax (0, start); i < records.size(); ++i)
            if (records[i].text.contains (text))
                return (int) i;

        return -1;
    }

    const vqtest::ScratchFolder scratch;
    const juce::File& folder = scratch.folder;
    std::unique_ptr<SessionLog> log;
    std::unique_ptr<SessionRunner> runner;
};
} // namespace runnertest
