#include <gtest/gtest.h>

#include "CaseNames.h"
#include "GuardedValueTreeReader.h"
#include "PresetXmlParser.h"
#include "StateReader.h"

namespace
{
/** Writes value-tree stream bytes by hand, so that counts and sizes can lie. */
struct Bytes
{
    juce::MemoryOutputStream out;

    Bytes& name (const char* s)
    {
        out.write (s, std::strlen (s) + 1);
        return *this;
    }
    Bytes& raw (std::initializer_list<int> b)
    {
        for (auto x : b)
            out.writeByte ((char) x);
        return *this;
    }
    Bytes& count (int n)
    {
        out.writeCompressedInt (n);
        return *this;
    }

    Bytes& doubleProperty (const char* propertyName, double value)
    {
        name (propertyName).count (9).raw ({ 4 });
        out.writeDouble (value);
        return *this;
    }

    // A "PARAM" leaf with one VALUE.
    Bytes& param (double value) { return name ("PARAM").count (1).doubleProperty ("VALUE", value).count (0); }

    // The root and a "PRESET" holding one valid parameter; the root announces extraChildren more.
    Bytes& stateStart (int extraChildren)
    {
        return name ("VQ_PLEMVO_3_0_0")
            .count (0)
            .count (1 + extraChildren)
            .name ("PRESET")
            .count (0)
            .count (1)
            .param (0.5);
    }

    juce::MemoryBlock block() const { return out.getMemoryBlock(); }
};

struct TreeCase
{
    const char* rule;
    juce::MemoryBlock (*make)();
};

class StateBadTrees : public testing::TestWithParam<TreeCase>
{
};

TEST_P (StateBadTrees, ATreeThatLiesOrExceedsALimitIsRefusedWhole)
{
    const auto block = GetParam().make();

    EXPECT_FALSE (GuardedValueTreeReader::isWellFormed (block.getData(), block.getSize())) << GetParam().rule;
    EXPECT_TRUE (StateReader::read (block.getData(), block.getSize()).isEmpty()) << GetParam().rule;
}

juce::MemoryBlock nested (int depth)
{
    Bytes b;
    b.stateStart (1);

    for (int i = 2; i < depth; ++i)
        b.name ("N").count (0).count (1);

    b.name ("N").count (0).count (0);
    return b.block();
}

INSTANTIATE_TEST_SUITE_P (
    Table, StateBadTrees,
    testing::Values (
        TreeCase { "a child count far beyond the data", [] { return Bytes().stateStart (100000000).block(); } },
        TreeCase { "a child count one beyond the data", [] { return Bytes().stateStart (1).block(); } },
        TreeCase { "a negative child count",
                   [] { return Bytes().name ("VQ_PLEMVO_3_0_0").count (0).count (-3).block(); } },
        TreeCase { "a property count beyond the data",
                   [] { return Bytes().name ("VQ_PLEMVO_3_0_0").count (1000000).count (0).block(); } },
        TreeCase { "a compressed int of five bytes",
                   [] {
                       return Bytes().name ("VQ_PLEMVO_3_0_0").raw ({ 5, 1, 0, 0, 0, 0 }).count (0).block();
                   } },
        TreeCase { "a compressed int whose negation overflows",
                   [] {
                       return Bytes().name ("VQ_PLEMVO_3_0_0").count (0).raw ({ 0x84, 0, 0, 0, 0x80 }).block();
                   } },
        TreeCase { "an int value whose size lies",
                   []
                   {
                       return Bytes()
                           .stateStart (1)
                           .name ("X")
                           .count (1)
                           .name ("V")
                           .count (9)
                           .raw ({ 1, 0, 0, 0, 0, 0, 0, 0, 0 })
                           .count (0)
                           .block();
                   } },
        TreeCase {
            "a text value longer than the data",
            [] {
                return Bytes().stateStart (1).name ("X").count (1).name ("V").count (5000).raw ({ 5, 'a', 0 }).block();
            } },
        TreeCase { "a blob value of two gigabytes",
                   [] {
                       return Bytes()
                           .stateStart (1)
                           .name ("X")
                           .count (1)
                           .name ("V")
                           .count (0x7fffffff)
                           .raw ({ 8, 1, 2 })
                           .block();
                   } },
        TreeCase { "an array value with a huge count",
                   []
                   {
                       return Bytes()
                           .stateStart (1)
                           .name ("X")
                           .count (1)
                           .name ("V")
                           .count (6)
                           .raw ({ 7 })
                           .count (100000000)
                           .raw ({ 0, 0 })
                           .count (0)
                           .block();
                   } },
        TreeCase { "a negative value size",
                   [] { return Bytes().stateStart (1).name ("X").count (1).name ("V").count (-4).count (0).block(); } },
        TreeCase { "an empty property name",
                   [] { return Bytes().stateStart (1).name ("X").count (1).name ("").count (0).count (0).block(); } },
        TreeCase { "an empty child type", [] { return Bytes().stateStart (1).name ("").count (0).count (0).block(); } },
        TreeCase { "a type without its end",
                   [] {
                       return Bytes().name ("VQ_PLEMVO_3_0_0").count (0).count (1).raw ({ 'P', 'R', 'E' }).block();
                   } },
        TreeCase { "a name that is not UTF-8",
                   [] {
                       return Bytes().stateStart (1).raw ({ 0xc3, 0x28, 0 }).count (0).count (0).block();
                   } },
        TreeCase { "nesting one level deeper than the limit",
                   [] { return nested (GuardedValueTreeReader::maxDepth + 1); } },
        TreeCase { "more nodes than the limit",
                   []
                   {
                       Bytes b;
                       b.name ("VQ_PLEMVO_3_0_0").count (0).count (GuardedValueTreeReader::maxNodes);

                       for (int i = 0; i < GuardedValueTreeReader::maxNodes; ++i)
                           b.name ("N").count (0).count (0);

                       return b.block();
                   } },
        TreeCase { "more values than the limit, all of different names",
                   []
                   {
                       Bytes b;
                       b.name ("VQ_PLEMVO_3_0_0").count (GuardedValueTreeReader::maxValues + 1);

                       for (int i = 0; i <= GuardedValueTreeReader::maxValues; ++i)
                           b.name (juce::String (i).toRawUTF8()).count (0);

                       return b.count (0).block();
                   } },
        TreeCase { "more bytes than the limit",
                   []
                   {
                       Bytes b;
                       b.stateStart (0);
                       b.out.writeRepeatedByte (0, StateReader::maxBytes);
                       return b.block();
                   } }),
    vqtest::NameByRule {});

TEST (StateBadTrees, NestingUpToTheLimitAndTrailingBytesAreAccepted)
{
    const auto deepest = nested (GuardedValueTreeReader::maxDepth);
    EXPECT_TRUE (GuardedValueTreeReader::read (deepest.getData(), deepest.getSize()).isValid());

    auto padded = Bytes().stateStart (0).block();
    padded.append ("\0\0\xff\xff", 4);
    EXPECT_EQ (StateReader::read (padded.getData(), padded.getSize()).params.size(), 1u);
}

juce::MemoryBlock bytesOf (const juce::ValueTree& tree)
{
    juce::MemoryOutputStream out;
    tree.writeToStream (out);
    return out.getMemoryBlock();
}

TEST (StateBadTrees, AnAcceptedTreeIsTheTreeThatJucesOwnReaderBuilds)
{
    juce::ValueTree root ("VQ_PLEMVO_3_0_0");
    const std::pair<const char*, juce::var> values[] = {
        { "int", -7 },
        { "int64", (juce::int64) 1 << 40 },
        { "double", 0.1 },
        { "nan", std::nan ("") },
        { "yes", true },
        { "no", false },
        { "text", juce::String (juce::CharPointer_UTF8 ("t\xc3\xa9xt")) },
        { "void", {} },
        { "array", juce::Array<juce::var> { 1, "a", juce::Array<juce::var>() } },
        { "blob", juce::MemoryBlock ("\0\1\2", 3) },
        { "empty blob", juce::MemoryBlock() }
    };

    for (auto& [name, value] : values)
        root.setProperty (name, value, nullptr);

    root.appendChild (juce::ValueTree ("CHILD", { { "x", 1 } }, { juce::ValueTree ("GRANDCHILD") }), nullptr);
    root.appendChild (juce::ValueTree ("CHILD"), nullptr);

    const std::pair<const char*, juce::MemoryBlock> cases[] = {
        { "every kind of value and nested children", bytesOf (root) },
        { "a repeated property name",
          Bytes().name ("R").count (2).doubleProperty ("V", 0.25).doubleProperty ("V", 0.5).count (0).block() },
        { "an unknown value marker",
          Bytes().name ("R").count (1).name ("V").count (3).raw ({ 9, 1, 2 }).count (0).block() },
        { "text that is not UTF-8 and holds a zero",
          Bytes().name ("R").count (1).name ("V").count (5).raw ({ 5, 0xc3, 0x28, 0, 'x' }).count (0).block() },
    };

    for (auto& [rule, block] : cases)
    {
        const auto ours = GuardedValueTreeReader::read (block.getData(), block.getSize());

        ASSERT_TRUE (ours.isValid()) << rule;
        EXPECT_EQ (bytesOf (ours), bytesOf (juce::ValueTree::readFromData (block.getData(), block.getSize()))) << rule;
    }
}

TEST (StateBadTrees, EveryTruncationOfAStateChangesNothing)
{
    const auto whole = Bytes()
                           .stateStart (1)
                           .name ("SETTINGS")
                           .count (0)
                           .count (1)
                           .name ("NA_PARAM")
                           .count (2)
                           .name ("PARAM_ID")
                           .count (5)
                           .raw ({ 1, 10, 0, 0, 0 })
                           .name ("VALUE")
                           .count (1)
                           .raw ({ 2 })
                           .count (0)
                           .block();

    ASSERT_FALSE (StateReader::read (whole.getData(), whole.getSize()).isEmpty());

    for (size_t length = 0; length < whole.getSize(); ++length)
        EXPECT_TRUE (StateReader::read (whole.getData(), length).isEmpty()) << "cut at " << length;
}

TEST (StateBadTrees, NoDataOrDataInNoFormChangesNothing)
{
    EXPECT_TRUE (StateReader::read (nullptr, 10).isEmpty());
    EXPECT_TRUE (StateReader::read ("x", 0).isEmpty());

    juce::Random random (42);

    for (int i = 0; i < 200; ++i)
    {
        juce::MemoryBlock noise ((size_t) random.nextInt (300));
        random.fillBitsRandomly (noise.getData(), noise.getSize());
        EXPECT_TRUE (StateReader::read (noise.getData(), noise.getSize()).isEmpty());
    }
}

//==============================================================================
struct XmlCase
{
    const char* rule;
    juce::String (*make)();
};

class StateBadXml : public testing::TestWithParam<XmlCase>
{
};

TEST_P (StateBadXml, XmlOutsideThePlainFormOrItsLimitsGivesNoDocument)
{
    const auto text = GetParam().make();

    EXPECT_FALSE (PresetXmlParser::parse (text).has_value()) << GetParam().rule;
    EXPECT_TRUE (StateReader::read (text.toRawUTF8(), text.getNumBytesAsUTF8()).isEmpty()) << GetParam().rule;
}

// A parameter list whose items sit at the given depth.
juce::String nestedXml (int depth)
{
    return juce::String::repeatedString ("<a>", depth - 2) + "<parameters><3 value=\"0.5\"/></parameters>" +
           juce::String::repeatedString ("</a>", depth - 2);
}

INSTANTIATE_TEST_SUITE_P (
    Table, StateBadXml,
    testing::Values (
        XmlCase { "nesting deeper than the limit", [] { return nestedXml (PresetXmlParser::maxDepth + 1); } },
        XmlCase { "deep nesting that would exhaust the stack", [] { return nestedXml (1000000); } },
        XmlCase { "more elements than the limit",
                  []
                  {
                      return "<S><parameters>" +
                             juce::String::repeatedString ("<1 value=\"0.5\"/>", PresetXmlParser::maxElements) +
                             "</parameters></S>";
                  } },
        XmlCase { "a DTD declaring entities",
                  [] {
                      return juce::String (
                          "<!DOCTYPE S [<!ENTITY e \"&e;&e;\">]><S><parameters><3 value=\"&e;\"/></parameters></S>");
                  } },
        XmlCase { "an unknown entity",
                  [] { return juce::String ("<S><parameters><3 value=\"&bogus;\"/></parameters></S>"); } },
        XmlCase { "an entity that hides elements",
                  [] { return juce::String ("<S><parameters>&<3 value=\"0.5\"/>;</parameters></S>"); } },
        XmlCase { "a character reference to nothing",
                  [] { return juce::String ("<S><parameters><3 value=\"&#0;\"/></parameters></S>"); } },
        XmlCase { "a character reference to a surrogate",
                  [] { return juce::String ("<S><parameters><3 value=\"&#xD800;\"/></parameters></S>"); } },
        XmlCase { "a character reference beyond Unicode",
                  [] { return juce::String ("<S><parameters><3 value=\"&#x110000;\"/></parameters></S>"); } },
        XmlCase { "an end tag that does not match",
                  [] { return juce::String ("<S><parameters><3 value=\"0.5\"/></params></S>"); } },
        XmlCase { "a missing end tag", [] { return juce::String ("<S><parameters><3 value=\"0.5\"/></parameters>"); } },
        XmlCase { "an unterminated comment", [] { return juce::String ("<S><parameters><!-- <3 value=\"0.5\"/>"); } },
        XmlCase { "an unterminated CDATA section", [] { return juce::String ("<S><![CDATA[ </S>"); } },
        XmlCase { "an unquoted attribute",
                  [] { return juce::String ("<S><parameters><3 value=0.5/></parameters></S>"); } },
        XmlCase { "a '<' inside an attribute",
                  [] { return juce::String ("<S><parameters><3 value=\"<0.5\"/></parameters></S>"); } },
        XmlCase { "attributes without a space between them", [] { return juce::String ("<S a=\"1\"b=\"2\"/>"); } },
        XmlCase { "a comment inside a tag", [] { return juce::String ("<S <!-- x --> a=\"1\"/>"); } },
        XmlCase { "a non-ASCII name", [] { return juce::String::fromUTF8 ("<S\xc3\xa9/>"); } },
        XmlCase { "text before the document element", [] { return juce::String ("hello <S/>"); } },
        XmlCase { "only a declaration", [] { return juce::String ("<?xml version=\"1.0\"?>"); } }),
    vqtest::NameByRule {});

TEST (StateBadXml, TheLimitsThemselvesAndThePlainFormsAreAccepted)
{
    const auto deepest = PresetXmlParser::parse (nestedXml (PresetXmlParser::maxDepth));
    EXPECT_TRUE (deepest.has_value());

    const auto document = PresetXmlParser::parse (
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- a bank -->\n"
        "<S a='x &amp; &lt;&#65;&#x42;&quot;&apos;&gt;' b=\"2\">text <![CDATA[ <not an element> ]]><?pi ?>"
        "<!-- <c/> --><c/>&amp;</S >trailing text is ignored");

    ASSERT_TRUE (document.has_value());
    EXPECT_EQ (*document->findAttribute ("a"), "x & <AB\"'>");
    EXPECT_EQ (*document->findAttribute ("b"), "2");
    EXPECT_EQ (document->findAttribute ("B"), nullptr);
    ASSERT_EQ (document->children.size(), 1u);
    EXPECT_EQ (document->children[0].tagName, "c");
}

TEST (StateBadXml, AnAttributeOfMillionsOfReferencesIsReadInOnePass)
{
    const int count = (int) StateReader::maxBytes / 6;
    const auto text = "<S a=\"" + juce::String::repeatedString ("&amp;", count) + "\"/>";

    const auto document = PresetXmlParser::parse (text);

    ASSERT_TRUE (document.has_value());
    EXPECT_EQ (document->findAttribute ("a")->length(), count);
}

TEST (StateBadXml, EnormousXmlIsRefusedBeforeParsing)
{
    const auto text = "<S><parameters><3 value=\"0.5\"/></parameters>" +
                      juce::String::repeatedString (" ", (int) StateReader::maxBytes) + "</S>";

    EXPECT_TRUE (StateReader::read (text.toRawUTF8(), text.getNumBytesAsUTF8()).isEmpty());
}
} // namespace
