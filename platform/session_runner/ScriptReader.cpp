#include "ScriptReader.h"

#include "ParamTools.h"
#include "WindowControls.h"
#include "vq_midi/VqSysexProtocol.h"

#include <cstring>

namespace
{
using Verb = ScriptAction::Verb;
using Protocol = juce::VqSysexProtocol;

enum class Word
{
    serial,
    name,
    control,
    switchName,
    mode,
    parameter,
    setting,
    code,
    normalised,
    settingValue,
    file,
    milliseconds,
    unitOption,
    panel,
    panelControl,
    pixels,
    menuItem
};

struct VerbInfo
{
    const char* text;
    const char* syntax;
    Verb verb;
    std::vector<Word> words;
    int optionalWords;
    const char* meaning;
};

const std::vector<VerbInfo>& getVerbs()
{
    static const std::vector<VerbInfo> verbs {
        { "unit",
          "SN [unplugged|silent]",
          Verb::addUnit,
          { Word::serial, Word::unitOption },
          1,
          "adds a unit with that serial number, plugged in (or: unplugged, silent)" },
        { "unplug", "SN", Verb::unplug, { Word::serial }, 0, "pulls the unit's cable" },
        { "replug", "SN", Verb::replug, { Word::serial }, 0, "plugs the unit in (again)" },
        { "turn",
          "SN CONTROL CODE",
          Verb::turn,
          { Word::serial, Word::control, Word::code },
          0,
          "turns a control on the unit's front panel to a code 0..255" },
        { "press",
          "SN SWITCH",
          Verb::press,
          { Word::serial, Word::switchName },
          0,
          "presses a switch on the unit's front panel" },
        { "panel-mode",
          "SN MODE",
          Verb::panelMode,
          { Word::serial, Word::mode },
          0,
          "changes the channel mode on the unit" },
        { "create", "NAME", Verb::create, { Word::name }, 0, "creates a plug-in instance" },
        { "destroy", "NAME", Verb::destroy, { Word::name }, 0, "deletes the instance" },
        { "automate",
          "NAME PARAMETER VALUE",
          Verb::automate,
          { Word::name, Word::parameter, Word::normalised },
          0,
          "the host sets a parameter to a normalised value 0..1" },
        { "setting",
          "NAME SETTING VALUE",
          Verb::setting,
          { Word::name, Word::setting, Word::settingValue },
          0,
          "sets a setting: true or false, a whole number for SELECTED CHANNEL and CONNECTED DEV SN" },
        { "connect", "NAME SN", Verb::connect, { Word::name, Word::serial }, 0, "connects the instance to that unit" },
        { "disconnect", "NAME", Verb::disconnect, { Word::name }, 0, "gives the instance's unit up" },
        { "save-state",
          "NAME FILE",
          Verb::saveState,
          { Word::name, Word::file },
          0,
          "the host saves the session state to a file" },
        { "restore-state",
          "NAME FILE",
          Verb::restoreState,
          { Word::name, Word::file },
          0,
          "the host restores a state from a file" },
        { "save-preset",
          "NAME FILE",
          Verb::savePreset,
          { Word::name, Word::file },
          0,
          "saves a preset as the save dialog would" },
        { "load-preset",
          "NAME FILE",
          Verb::loadPreset,
          { Word::name, Word::file },
          0,
          "loads a preset as the load dialog would" },
        { "open-editor", "NAME", Verb::openEditor, { Word::name }, 0, "the host opens the window" },
        { "close-editor", "NAME", Verb::closeEditor, { Word::name }, 0, "the host closes the window" },
        { "click",
          "NAME PANEL CONTROL",
          Verb::click,
          { Word::name, Word::panel, Word::panelControl },
          0,
          "the mouse clicks a control of panel 1 or 2" },
        { "double-click",
          "NAME PANEL CONTROL",
          Verb::doubleClick,
          { Word::name, Word::panel, Word::panelControl },
          0,
          "the mouse double-clicks a control" },
        { "drag",
          "NAME PANEL CONTROL PIXELS",
          Verb::drag,
          { Word::name, Word::panel, Word::panelControl, Word::pixels },
          0,
          "the mouse drags a control up (or down, negative)" },
        { "select",
          "NAME SN",
          Verb::select,
          { Word::name, Word::serial },
          0,
          "opens the device selector and presses the unit's button" },
        { "menu",
          "NAME ITEM [FILE]",
          Verb::menu,
          { Word::name, Word::menuItem, Word::file },
          1,
          "chooses a main-menu item; FILE goes into the file dialog it opens" },
        { "snapshot", "NAME FILE", Verb::snapshot, { Word::name, Word::file }, 0, "writes the window as a PNG file" },
        { "wait", "MS", Verb::wait, { Word::milliseconds }, 0, "runs the message loop for that time" },
        { "print", "NAME", Verb::print, { Word::name }, 0, "prints the instance's parameters and settings" },
    };

    return verbs;
}

struct Named
{
    const char* word;
    int value;
};

const Named controls[] = {
    { "eq1-gain", Protocol::eq1Gain }, { "eq1-q", Protocol::eq1Q },   { "eq1-freq", Protocol::eq1Frequency },
    { "eq2-gain", Protocol::eq2Gain }, { "eq2-q", Protocol::eq2Q },   { "eq2-freq", Protocol::eq2Frequency },
    { "lpf", Protocol::lowPass },      { "hpf", Protocol::highPass },
};

const Named switches[] = {
    { "engage", Protocol::engageBit },
    { "eq1-engage", Protocol::eq1EngageBit },
    { "eq2-engage", Protocol::eq2EngageBit },
};

const Named modes[] = {
    { "linked", Protocol::channelsLinked },
    { "channel-1", Protocol::channel1Selected },
    { "channel-2", Protocol::channel2Selected },
};

template <size_t n> int findNamed (const Named (&table)[n], const juce::String& word)
{
    for (const auto& entry : table)
        if (word == entry.word)
            return entry.value;

    return -1;
}

template <size_t n> juce::String listNamed (const Named (&table)[n])
{
    juce::StringArray words;

    for (const auto& entry : table)
        words.add (entry.word);

    return words.joinIntoString (", ");
}

int findInTable (const char* const* names, int count, const juce::String& word)
{
    if (const auto index = ScriptReader::readInteger (word))
        return juce::isPositiveAndBelow (*index, count) ? *index : -1;

    for (int i = 0; i < count; ++i)
        if (word.equalsIgnoreCase (names[i]))
            return i;

    return -1;
}

bool isInRange (const juce::String& word, int low, int high)
{
    const auto n = ScriptReader::readInteger (word);
    return n.has_value() && *n >= low && *n <= high;
}

juce::String checkWord (Word kind, const juce::String& word)
{
    const auto quoted = "\"" + word + "\"";

    switch (kind)
    {
        case Word::serial:
            return isInRange (word, 0, juce::VqSysexProtocol::maxSerialNo)
                       ? juce::String()
                       : "a serial number is 0 to " + juce::String (juce::VqSysexProtocol::maxSerialNo) + ", not " +
                             quoted;
        case Word::name:
            if (word.isEmpty())
                return "an instance name is missing";

            return word.containsOnly ("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-")
                       ? juce::String()
                       : "an instance name is letters, digits, '-' and '_', not " + quoted;
        case Word::control:
            return ScriptReader::findControlId (word) >= 0 ? juce::String()
                                                           : "no control " + quoted + " (" + listNamed (controls) + ")";
        case Word::switchName:
            return ScriptReader::findSwitchBit (word) >= 0 ? juce::String()
                                                           : "no switch " + quoted + " (" + listNamed (switches) + ")";
        case Word::mode:
            return ScriptReader::findModeCode (word) >= 0
                       ? juce::String()
                       : "no channel mode " + quoted + " (" + listNamed (modes) + ")";
        case Word::parameter:
            return ScriptReader::findParameter (word) >= 0 ? juce::String() : "no parameter " + quoted;
        case Word::setting: return ScriptReader::findSetting (word) >= 0 ? juce::String() : "no setting " + quoted;
        case Word::code:
            return isInRange (word, 0, Protocol::maxValue) ? juce::String() : "a code is 0 to 255, not " + quoted;
        case Word::normalised:
            return ScriptReader::isNumber (word) && word.getDoubleValue() >= 0.0 && word.getDoubleValue() <= 1.0
                       ? juce::String()
                       : "a normalised value is a number from 0 to 1, not " + quoted;
        case Word::settingValue:
            return word == "true" || word == "false" || ScriptReader::readInteger (word).has_value()
                       ? juce::String()
                       : "a setting value is true, false or a whole number, not " + quoted;
        case Word::file: return word.isNotEmpty() ? juce::String() : "a file name is missing";
        case Word::milliseconds:
            return isInRange (word, 0, 600000) ? juce::String() : "a wait is 0 to 600000 ms, not " + quoted;
        case Word::panel: return word == "1" || word == "2" ? juce::String() : "a panel is 1 or 2, not " + quoted;
        case Word::panelControl:
            return WindowControls::names().contains (word)
                       ? juce::String()
                       : "no control " + quoted + " on a panel (" + WindowControls::names().joinIntoString (", ") + ")";
        case Word::pixels:
            return isInRange (word, -2000, 2000) ? juce::String() : "a drag is -2000 to 2000 pixels, not " + quoted;
        case Word::menuItem: return word.isNotEmpty() ? juce::String() : "a menu item's text is missing";
        case Word::unitOption:
            return word == "unplugged" || word == "silent"
                       ? juce::String()
                       : "a unit is plugged in, \"unplugged\" or \"silent\", not " + quoted;
    }

    return {};
}
// The values the plug-in takes for the setting, which a script cannot go beyond.
juce::String checkSettingValue (int index, const juce::String& word)
{
    // The instance says itself whether it talks to its unit; a value set from outside would stand
    // against the connection it holds.
    if (index == ParamData::isConnected)
        return "\"IS CONNECTED\" is the instance's own report and cannot be set";

    // A script writes an on/off setting as true or false and a number as a number, never one for the other.
    const auto value = ScriptReader::readSettingValue (word);
    const auto onOff = ParamData::getSettingDefault (index).isBool();

    if (value.isBool() == onOff && ParamData::toSettingValue (index, value).has_value())
        return {};

    const auto range = ParamData::getSettingRange (index);
    const auto name = juce::String ("\"") + ParamData::naParamName[index] + "\"";

    if (onOff)
        return name + " is true or false, not \"" + word + "\"";

    return name + " is a whole number from " + juce::String (range.minValue) + " to " + juce::String (range.maxValue) +
           ", not \"" + word + "\"";
}
} // namespace

ScriptReader::Split ScriptReader::splitWords (const juce::String& line, juce::StringArray& words)
{
    words.clear();
    auto p = line.getCharPointer();

    for (;;)
    {
        p = p.findEndOfWhitespace();

        if (p.isEmpty() || *p == '#')
            return Split::ok;

        const auto quoted = *p == '"';

        if (quoted)
            ++p;

        const auto start = p;
        size_t length = 0;

        while (! p.isEmpty() && (quoted ? *p != '"' : ! p.isWhitespace() && *p != '#'))
        {
            if (++length > (size_t) maxWordLength)
                return Split::wordTooLong;

            ++p;
        }

        if (quoted && p.isEmpty())
            return Split::quoteNotClosed;

        words.add (juce::String (start, p));

        if (quoted)
            ++p;
    }
}

bool ScriptReader::isExactUtf8 (const char* data, size_t size)
{
    // JUCE reads what is no UTF-8 at all as something else; what is, it may still read as another text
    // (an overlong form, a NUL), which the bytes written back show.
    if (! juce::CharPointer_UTF8::isValidString (data, (int) size))
        return false;

    const auto text = juce::String::fromUTF8 (data, (int) size);
    return text.getNumBytesAsUTF8() == size && std::memcmp (text.toRawUTF8(), data, size) == 0;
}

ScriptReader::Script ScriptReader::read (const juce::MemoryBlock& bytes)
{
    const auto* data = static_cast<const char*> (bytes.getData());
    const auto* end = data + bytes.getSize();

    for (int lineNumber = 1; data < end; ++lineNumber)
    {
        const auto* lineEnd = std::find (data, end, '\n');

        if (! isExactUtf8 (data, (size_t) (lineEnd - data)))
            return { {},
                     "line " + juce::String (lineNumber) +
                         ": the line is not UTF-8 text; the runner takes names and paths only as UTF-8, "
                         "byte for byte" };

        data = lineEnd + (lineEnd < end ? 1 : 0);
    }

    return read (juce::String::fromUTF8 (static_cast<const char*> (bytes.getData()), (int) bytes.getSize()));
}

ScriptReader::Script ScriptReader::read (const juce::String& text)
{
    Script script;
    const auto lines = juce::StringArray::fromLines (text);

    for (int i = 0; i < lines.size(); ++i)
    {
        const auto lineNumber = i + 1;
        const auto fail = [&] (const juce::String& message)
        {
            script.actions.clear();
            script.error = "line " + juce::String (lineNumber) + ": " + message;
            return script;
        };

        juce::StringArray words;

        switch (splitWords (lines[i], words))
        {
            case Split::ok: break;
            case Split::quoteNotClosed: return fail ("a quote is not closed");
            case Split::wordTooLong:
                return fail ("a word is longer than " + juce::String (maxWordLength) +
                             " characters, longer than any name or path a script can hold");
        }

        if (words.isEmpty())
            continue;

        const auto verbWord = words[0];
        const auto found = std::find_if (getVerbs().begin(), getVerbs().end(),
                                         [&] (const VerbInfo& info) { return verbWord == info.text; });

        if (found == getVerbs().end())
            return fail ("unknown action \"" + verbWord + "\"");

        words.remove (0);
        const auto maxWords = (int) found->words.size();
        const auto minWords = maxWords - found->optionalWords;

        if (words.size() < minWords || words.size() > maxWords)
            return fail ("\"" + verbWord + "\" takes " + juce::String (minWords) +
                         (minWords == maxWords ? juce::String() : " or " + juce::String (maxWords)) + " word" +
                         (maxWords == 1 ? "" : "s") + " after it, not " + juce::String (words.size()));

        for (int w = 0; w < words.size(); ++w)
        {
            const auto problem = checkWord (found->words[(size_t) w], words[w]);

            if (problem.isNotEmpty())
                return fail (problem);
        }

        if (found->verb == Verb::setting)
            if (const auto problem = checkSettingValue (findSetting (words[1]), words[2]); problem.isNotEmpty())
                return fail (problem);

        script.actions.push_back (
            { lineNumber, found->verb, words, lines[i].upToFirstOccurrenceOf ("#", false, false).trim() });
    }

    return script;
}

juce::String ScriptReader::describeVerbs()
{
    juce::String text;

    for (const auto& info : getVerbs())
        text << "  " << (juce::String (info.text) + " " + info.syntax).paddedRight (' ', 36) << info.meaning << "\n";

    return text;
}

int ScriptReader::findControlId (const juce::String& word)
{
    return findNamed (controls, word);
}
int ScriptReader::findSwitchBit (const juce::String& word)
{
    return findNamed (switches, word);
}
int ScriptReader::findModeCode (const juce::String& word)
{
    return findNamed (modes, word);
}

int ScriptReader::findParameter (const juce::String& word)
{
    return findInTable (ParamData::paramName, ParamData::numParams, word);
}

int ScriptReader::findSetting (const juce::String& word)
{
    return findInTable (ParamData::naParamName, ParamData::numSettings, word);
}

juce::var ScriptReader::readSettingValue (const juce::String& word)
{
    if (word == "true" || word == "false")
        return word == "true";

    if (const auto n = readInteger (word))
        return *n;

    return {};
}

std::optional<int> ScriptReader::readInteger (const juce::String& word)
{
    const auto digits = word.startsWithChar ('-') ? word.substring (1) : word;

    if (digits.isEmpty() || ! digits.containsOnly ("0123456789") || digits.length() > 10)
        return {};

    const auto n = digits.getLargeIntValue() * (word.startsWithChar ('-') ? -1 : 1);

    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        return {};

    return (int) n;
}

bool ScriptReader::isNumber (const juce::String& word)
{
    return word.isNotEmpty() && word.containsOnly ("0123456789.") &&
           word.indexOfChar ('.') == word.lastIndexOfChar ('.') && word != ".";
}
