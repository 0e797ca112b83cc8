#include "SessionFiles.h"

#include "FileReplacer.h"
#include "RegularFileReader.h"

juce::String SessionFiles::read (const juce::File& file, size_t maxBytes, juce::MemoryBlock& bytes)
{
    const auto result = RegularFileReader::read (file, maxBytes, bytes);
    return result.wasOk() ? juce::String() : "cannot read " + file.getFullPathName() + ": " + result.getErrorMessage();
}

juce::String SessionFiles::replace (const juce::File& target,
                                    const std::function<bool (juce::OutputStream&)>& writeContent)
{
    const auto result = FileReplacer::replace (target, writeContent);
    return result.wasOk() ? juce::String()
                          : "cannot write " + target.getFullPathName() + ": " + result.getErrorMessage();
}
