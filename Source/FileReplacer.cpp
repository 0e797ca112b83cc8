#include "FileReplacer.h"

FileReplacer::Outcome FileReplacer::replace (const juce::File& target, const WriteContent& writeContent)
{
    juce::TemporaryFile temporary (target, juce::TemporaryFile::useHiddenFile);
    Outcome outcome;
    bool contentWritten = false;

    {
        juce::FileOutputStream out (temporary.getFile());

        if (! out.openedOk())
        {
            outcome.failure = Failure::notOpened;
            outcome.status = out.getStatus();
            return outcome;
        }

        contentWritten = writeContent (out);
        out.flush();
        outcome.written = out.getPosition();
        outcome.status = out.getStatus();
    }

    // A short write sets no error on the stream: the file's length tells.
    outcome.onDisk = temporary.getFile().getSize();

    if (outcome.status.failed())
        outcome.failure = Failure::notWritten;
    else if (outcome.onDisk != outcome.written)
        outcome.failure = Failure::cutShort;
    else if (! contentWritten)
        outcome.failure = Failure::contentFailed;
    else if (! temporary.overwriteTargetFileWithTemporary())
        outcome.failure = Failure::notReplaced;

    return outcome;
}
