#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <vector>

/** One line of a session script: what to do and its words, checked for their number and form. */
struct ScriptAction
{
    enum class Verb
    {
        addUnit,
        unplug,
        replug,
        turn,
        press,
        panelMode,
        create,
        destroy,
        automate,
        setting,
        connect,
        disconnect,
        saveState,
        restoreState,
        savePreset,
        loadPreset,
        openEditor,
        closeEditor,
        click,
        doubleClick,
        drag,
        select,
        menu,
        snapshot,
        wait,
        print
    };

    int lineNumber = 0;
    Verb verb = Verb::wait;
    juce::StringArray args;
    juce::String text; // the line as written, without its comment
};

/** Reads a session script: one action a line, words separated by spaces, "double quotes" around a word
    that holds spaces, '#' to the end of the line a comment, blank lines ignored.

    Every line is checked before anything runs: a verb that does not exist, a wrong number of words, a
    number that is not one, an unknown parameter, control or mode gives an error naming the line.
*/
class ScriptReader
{
public:
    struct Script
    {
        std::vector<ScriptAction> actions;
        juce::String error; // empty when the whole script was read
    };

    static Script read (const juce::String& text);

    /** Reads a script file's bytes: a line that is not UTF-8 text, byte for byte, is an error, since a name
        read from it would be another name. */
    static Script read (const juce::MemoryBlock& bytes);

    /** Whether the bytes are UTF-8 text that a juce::String gives back byte for byte, so that a path read
        from them names the file meant and no other. */
    static bool isExactUtf8 (const char* data, size_t size);

    /** The longest word a line may hold: a file path, the longest name a script gives, has at most
        this many characters. */
    static constexpr int maxWordLength = 4096;

    enum class Split
    {
        ok,
        quoteNotClosed,
        wordTooLong
    };

    /** The words of one line, in one pass over it. */
    static Split splitWords (const juce::String& line, juce::StringArray& words);

    /** The verbs with the words they take, for the usage text. */
    static juce::String describeVerbs();

    // The words that name things on the unit's front panel.
    static int findControlId (const juce::String& word); // -1 when unknown
    static int findSwitchBit (const juce::String& word); // -1 when unknown
    static int findModeCode (const juce::String& word);  // -1 when unknown

    /** A parameter named by its table name (any case) or its index; -1 when unknown. */
    static int findParameter (const juce::String& word);
    static int findSetting (const juce::String& word);

    /** A whole decimal number that an int holds: digits after at most one '-', nothing else on the
        word; nothing for any other word. */
    static std::optional<int> readInteger (const juce::String& word);

    /** A setting value as written, true, false or a whole number, as a bool or an int; void for any other word. */
    static juce::var readSettingValue (const juce::String& word);

    /** A decimal number without a sign: digits with at most one point. */
    static bool isNumber (const juce::String& word);
};
