#include "PresetXmlParser.h"

const juce::String* PresetXmlParser::Element::findAttribute (juce::StringRef name) const
{
    for (auto& attribute : attributes)
        if (attribute.first == name)
            return &attribute.second;

    return nullptr;
}

const PresetXmlParser::Element* PresetXmlParser::Element::findChildIgnoringCase (juce::StringRef name) const
{
    for (auto& child : children)
        if (child.tagName.equalsIgnoreCase (name))
            return &child;

    return nullptr;
}

namespace
{
bool isNameChar (char c) noexcept
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           c == ':' || c == '.';
}

bool isSpace (char c) noexcept
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

/** A strict recursive-descent reader over the UTF-8 text; every syntax character is ASCII. */
class Reader
{
public:
    using Element = PresetXmlParser::Element;

    explicit Reader (const char* t)
        : text (t)
    {
    }

    std::optional<Element> readDocument()
    {
        Element root;

        if (! skipMisc() || ! (*text == '<' && isNameChar (text[1])) || ! readElement (root, 1))
            return {};

        return root;
    }

private:
    const char* text;
    int numElements = 0;

    bool startsWith (const char* prefix) const noexcept
    {
        return std::strncmp (text, prefix, std::strlen (prefix)) == 0;
    }

    // Moves past the terminator, or fails when it never comes.
    bool skipPast (const char* terminator) noexcept
    {
        const auto* found = std::strstr (text, terminator);

        if (found == nullptr)
            return false;

        text = found + std::strlen (terminator);
        return true;
    }

    // At '<': moves past a comment, CDATA section or processing instruction; false when it is none
    // of them or is not terminated.
    bool skipMarkup (bool allowCData) noexcept
    {
        if (startsWith ("<!--"))
            return (text += 4, skipPast ("-->"));

        if (allowCData && startsWith ("<![CDATA["))
            return (text += 9, skipPast ("]]>"));

        if (startsWith ("<?"))
            return (text += 2, skipPast ("?>"));

        return false;
    }

    void skipSpaces() noexcept
    {
        while (isSpace (*text))
            ++text;
    }

    // White space, comments and processing instructions before the document element.
    bool skipMisc() noexcept
    {
        for (skipSpaces(); *text == '<' && text[1] != 0 && ! isNameChar (text[1]); skipSpaces())
            if (! skipMarkup (false))
                return false;

        return true;
    }

    bool readName (juce::String& name)
    {
        const auto* start = text;

        while (isNameChar (*text))
            ++text;

        name = juce::String (start, (size_t) (text - start));
        return text != start;
    }

    // After '&': one of &amp; &quot; &apos; &lt; &gt;, &#digits; or &#xhex; naming a Unicode scalar
    // value. The character goes to result when there is one.
    bool readReference (juce::MemoryOutputStream* result)
    {
        static constexpr std::pair<const char*, char> named[] = {
            { "amp;", '&' }, { "quot;", '"' }, { "apos;", '\'' }, { "lt;", '<' }, { "gt;", '>' }
        };

        for (auto& entity : named)
        {
            if (startsWith (entity.first))
            {
                text += std::strlen (entity.first);

                if (result != nullptr)
                    result->writeByte (entity.second);

                return true;
            }
        }

        if (*text++ != '#')
            return false;

        const bool isHex = (*text == 'x');
        const int maxDigits = isHex ? 6 : 7;
        juce::int64 code = 0;
        int numDigits = 0;

        if (isHex)
            ++text;

        for (; *text != ';'; ++text, ++numDigits)
        {
            const auto c = (juce::juce_wchar) (juce::uint8) *text;
            const int digit = isHex ? juce::CharacterFunctions::getHexDigitValue (c)
                                    : (juce::CharacterFunctions::isDigit (c) ? (int) (c - '0') : -1);

            if (digit < 0 || numDigits >= maxDigits)
                return false;

            code = code * (isHex ? 16 : 10) + digit;
        }

        ++text;

        if (numDigits == 0 || code <= 0 || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
            return false;

        if (result != nullptr)
            result->appendUTF8Char ((juce::juce_wchar) code);

        return true;
    }

    // Collected in a stream, which grows geometrically: appending to a String copies it every time.
    bool readQuotedValue (juce::String& value)
    {
        const char quote = *text++;
        juce::MemoryOutputStream result;

        while (*text != quote)
        {
            if (*text == 0 || *text == '<')
                return false;

            if (*text == '&')
            {
                ++text;

                if (! readReference (&result))
                    return false;
            }
            else
            {
                result.writeByte (*text++);
            }
        }

        ++text;
        value = result.toUTF8();
        return true;
    }

    // At '<' followed by a name; returns past the element's end.
    bool readElement (Element& element, int depth)
    {
        if (depth > PresetXmlParser::maxDepth || ++numElements > PresetXmlParser::maxElements)
            return false;

        ++text;

        if (! readName (element.tagName))
            return false;

        for (;;)
        {
            const bool hadSpace = isSpace (*text);
            skipSpaces();

            if (text[0] == '/' && text[1] == '>')
                return (text += 2, true);

            if (*text == '>')
            {
                ++text;
                return readContent (element, depth);
            }

            juce::String name, value;

            if (! hadSpace || ! readName (name))
                return false;

            skipSpaces();

            if (*text++ != '=')
                return false;

            skipSpaces();

            if ((*text != '"' && *text != '\'') || ! readQuotedValue (value))
                return false;

            element.attributes.emplace_back (name, value);
        }
    }

    // Children, text, comments, CDATA and processing instructions up to the matching end tag. The
    // text itself is not kept: preset files carry everything in attributes.
    bool readContent (Element& element, int depth)
    {
        for (;;)
        {
            if (*text == 0)
                return false;

            if (*text == '&')
            {
                ++text;

                if (! readReference (nullptr))
                    return false;
            }
            else if (*text != '<')
            {
                ++text;
            }
            else if (text[1] == '/')
            {
                text += 2;
                juce::String name;

                if (! readName (name) || name != element.tagName)
                    return false;

                skipSpaces();
                return *text++ == '>';
            }
            else if (isNameChar (text[1]))
            {
                element.children.emplace_back();

                if (! readElement (element.children.back(), depth + 1))
                    return false;
            }
            else if (! skipMarkup (true))
            {
                return false;
            }
        }
    }
};
} // namespace

std::optional<PresetXmlParser::Element> PresetXmlParser::parse (const juce::String& text)
{
    Reader reader (text.toRawUTF8());
    return reader.readDocument();
}
