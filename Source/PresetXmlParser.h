#pragma once

#include <juce_core/juce_core.h>

/** Parses the XML of preset files, which anyone may have written, into a small element tree.

    Preset files name their items by number ("<3 value=...>"), which JUCE's XmlElement refuses as a
    tag; and JUCE's parser recurses once per nesting level, expands entities declared in a DTD and
    goes on after an error. So this parser reads the plain XML that such files use and nothing more:
    elements with quoted attributes, text with the five named and the numeric character
    references, comments, CDATA and processing instructions; no DTD. Names are ASCII. Anything else,
    and text beyond the depth and element limits (far above any real preset file), gives no document.
*/
class PresetXmlParser
{
public:
    static constexpr int maxDepth = 16;
    static constexpr int maxElements = 100000;

    struct Element
    {
        juce::String tagName;
        std::vector<std::pair<juce::String, juce::String>> attributes;
        std::vector<Element> children;

        /** The first attribute of that exact name, or nothing. */
        const juce::String* findAttribute (juce::StringRef name) const;

        /** The first child whose tag matches the name without regard to case, or nullptr. */
        const Element* findChildIgnoringCase (juce::StringRef name) const;
    };

    /** The document element, or nothing when the text is no such document. Text before the document
        element may only be white space, comments and processing instructions; text after it is
        ignored. */
    static std::optional<Element> parse (const juce::String& text);
};
