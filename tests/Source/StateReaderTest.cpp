#include <gtest/gtest.h>

#include "CaseNames.h"
#include "ParamTools.h"
#include "StateReader.h"

namespace
{
using Ids = StateReader::Ids;
using ParamList = std::vector<std::pair<int, float>>;

juce::MemoryBlock toBytes (const juce::ValueTree& tree)
{
    juce::MemoryBlock block;
    juce::MemoryOutputStream out (block, false);
    tree.writeToStream (out);
    return block;
}

juce::MemoryBlock toBytes (const juce::String& text)
{
    return { text.toRawUTF8(), text.getNumBytesAsUTF8() };
}

/** The binary XML header: magic, declared length, text. */
juce::MemoryBlock wrapXml (const juce::String& xml, int declaredLength)
{
    juce::MemoryBlock block;
    juce::MemoryOutputStream out (block, false);
    out.writeInt (StateReader::xmlMagic);
    out.writeInt (declaredLength);
    out.write (xml.toRawUTF8(), xml.getNumBytesAsUTF8());
    return block;
}

juce::MemoryBlock wrapXml (const juce::String& xml)
{
    return wrapXml (xml, (int) xml.getNumBytesAsUTF8());
}

juce::ValueTree makeParam (int id, juce::var value)
{
    juce::ValueTree param (Ids::param);
    param.setProperty (Ids::name, ParamData::paramName[id], nullptr);
    param.setProperty (Ids::paramId, id, nullptr);

    if (! value.isVoid())
        param.setProperty (Ids::value, value, nullptr);

    return param;
}

juce::ValueTree makeSetting (juce::var id, juce::var value)
{
    juce::ValueTree setting (Ids::naParam);

    if (! id.isVoid())
        setting.setProperty (Ids::paramId, id, nullptr);

    if (! value.isVoid())
        setting.setProperty (Ids::value, value, nullptr);

    return setting;
}

/** A state as the plug-in writes it: parameter i holds i / 100, the settings their written types. */
juce::ValueTree makeState()
{
    juce::ValueTree preset (Ids::preset);
    preset.setProperty (Ids::presetNo, 0, nullptr);

    for (int i = 0; i < ParamData::numParams; ++i)
        preset.appendChild (makeParam (i, (double) (float) (i / 100.0)), nullptr);

    juce::ValueTree settings (Ids::settings);
    const juce::var values[] = { true, 7, false, 1, true, true, true, true, true, true, true };

    for (int i = 0; i < ParamData::numSettings; ++i)
        settings.appendChild (makeSetting (i, values[i]), nullptr);

    juce::ValueTree root (StateReader::rootType);
    root.appendChild (preset, nullptr);
    root.appendChild (settings, nullptr);
    return root;
}

juce::ValueTree makeStateWithPreset (const std::vector<juce::ValueTree>& children)
{
    auto root = makeState();
    auto preset = root.getChildWithName (Ids::preset);
    preset.removeAllChildren (nullptr);

    for (auto& child : children)
        preset.appendChild (child, nullptr);

    return root;
}

StateReader::Changes read (const juce::MemoryBlock& block)
{
    return StateReader::read (block.getData(), block.getSize());
}

ParamList paramsOf (const StateReader::Changes& changes)
{
    ParamList list;

    for (auto& change : changes.params)
        list.emplace_back (change.index, change.value);

    return list;
}

std::vector<std::pair<int, juce::var>> settingsOf (const StateReader::Changes& changes)
{
    std::vector<std::pair<int, juce::var>> list;

    for (auto& change : changes.settings)
        list.emplace_back (change.index, change.value);

    return list;
}

ParamList allWrittenParams()
{
    ParamList list;

    for (int i = 0; i < ParamData::numParams; ++i)
        list.emplace_back (i, (float) (i / 100.0));

    return list;
}
} // namespace

//==============================================================================
TEST (StateReaderTree, AWrittenStateGivesAllParametersInOrderAndOnlyTheRestoredSettings)
{
    const auto changes = read (toBytes (makeState()));

    EXPECT_EQ (paramsOf (changes), allWrittenParams());

    const std::vector<std::pair<int, juce::var>> expected { { ParamData::connectedDevSn, 7 },
                                                            { ParamData::shouldBeConnected, false },
                                                            { ParamData::selectedChannel, 1 },
                                                            { ParamData::doubleWindow, true } };
    EXPECT_EQ (settingsOf (changes), expected);
    EXPECT_FALSE (changes.bankDevice.has_value());
}

TEST (StateReaderTree, ParametersAreTakenByPositionNotByTheirId)
{
    auto first = makeParam (0, 0.25);
    first.setProperty (Ids::paramId, 5, nullptr);
    auto second = makeParam (1, 0.75);
    second.setProperty (Ids::paramId, 0, nullptr);

    EXPECT_EQ (paramsOf (read (toBytes (makeStateWithPreset ({ first, second })))),
               (ParamList { { 0, 0.25f }, { 1, 0.75f } }));
}

TEST (StateReaderTree, AChildOfAnotherTypeKeepsItsPositionWithoutShiftingTheOthers)
{
    std::vector<juce::ValueTree> children;

    for (int i = 0; i < 5; ++i)
        children.push_back (i == 3 ? juce::ValueTree ("OTHER") : makeParam (i, 0.5));

    EXPECT_EQ (paramsOf (read (toBytes (makeStateWithPreset (children)))),
               (ParamList { { 0, 0.5f }, { 1, 0.5f }, { 2, 0.5f }, { 4, 0.5f } }));
}

TEST (StateReaderTree, AParameterWithoutValueTakesItsDefault)
{
    std::vector<juce::ValueTree> children;

    for (int i = 0; i < ParamData::numParams; ++i)
        children.push_back (makeParam (i, {}));

    const auto params = paramsOf (read (toBytes (makeStateWithPreset (children))));

    ASSERT_EQ (params.size(), (size_t) ParamData::numParams);
    EXPECT_EQ (params[ParamData::engage1].second, 1.0f);
    EXPECT_EQ (params[ParamData::eq1Gain1].second, 0.5f);
    EXPECT_EQ (params[ParamData::lpf2].second, 0.0f);
}

TEST (StateReaderTree, ChildrenBeyondTheLastParameterAreIgnored)
{
    std::vector<juce::ValueTree> children;

    for (int i = 0; i < ParamData::numParams + 3; ++i)
        children.push_back (makeParam (i % ParamData::numParams, 0.5));

    EXPECT_EQ (paramsOf (read (toBytes (makeStateWithPreset (children)))).size(), (size_t) ParamData::numParams);
}

TEST (StateReaderTree, APresetNumberOtherThanZeroOrAnotherRootChangesNothing)
{
    auto otherNumber = makeState();
    otherNumber.getChildWithName (Ids::preset).setProperty (Ids::presetNo, 1, nullptr);
    EXPECT_TRUE (paramsOf (read (toBytes (otherNumber))).empty());

    auto withoutNumber = makeState();
    withoutNumber.getChildWithName (Ids::preset).removeProperty (Ids::presetNo, nullptr);
    EXPECT_EQ (paramsOf (read (toBytes (withoutNumber))), allWrittenParams());

    auto textNumber = makeState();
    textNumber.getChildWithName (Ids::preset).setProperty (Ids::presetNo, "zero", nullptr);
    EXPECT_TRUE (paramsOf (read (toBytes (textNumber))).empty());

    juce::ValueTree otherRoot ("VQ_PLEMVO_2_0_0");
    otherRoot.copyPropertiesAndChildrenFrom (makeState(), nullptr);
    EXPECT_TRUE (read (toBytes (otherRoot)).isEmpty());
}

TEST (StateReaderTree, DuplicatePresetsAreAppliedInTurn)
{
    auto root = makeState();
    auto second = root.getChildWithName (Ids::preset).createCopy();
    second.getChild (3).setProperty (Ids::value, 0.9, nullptr);
    root.appendChild (second, nullptr);

    const auto params = paramsOf (read (toBytes (root)));

    ASSERT_EQ (params.size(), 2 * (size_t) ParamData::numParams);
    EXPECT_EQ (params[3].second, 0.03f);
    EXPECT_EQ (params[ParamData::numParams + 3].second, 0.9f);
}

//==============================================================================
struct BadValueCase
{
    const char* rule;
    juce::var (*makeValue)();
};

class StateReaderBadValues : public testing::TestWithParam<BadValueCase>
{
};

TEST_P (StateReaderBadValues, ABadParameterValueIsSkippedAndTheOthersStillApply)
{
    auto root = makeState();
    root.getChildWithName (Ids::preset).getChild (3).setProperty (Ids::value, GetParam().makeValue(), nullptr);

    auto expected = allWrittenParams();
    expected.erase (expected.begin() + 3);

    EXPECT_EQ (paramsOf (read (toBytes (root))), expected) << GetParam().rule;
}

INSTANTIATE_TEST_SUITE_P (
    Table, StateReaderBadValues,
    testing::Values (BadValueCase { "NaN", [] { return juce::var (std::numeric_limits<double>::quiet_NaN()); } },
                     BadValueCase { "infinity", [] { return juce::var (std::numeric_limits<double>::infinity()); } },
                     BadValueCase { "minus infinity",
                                    [] { return juce::var (-std::numeric_limits<double>::infinity()); } },
                     BadValueCase { "below 0", [] { return juce::var (-0.001); } },
                     BadValueCase { "above 1", [] { return juce::var (1.5); } },
                     BadValueCase { "an int above 1", [] { return juce::var (2); } },
                     BadValueCase { "a number as text", [] { return juce::var ("0.5"); } },
                     BadValueCase { "a bool", [] { return juce::var (true); } },
                     BadValueCase { "an array", [] { return juce::var (juce::Array<juce::var> { 0.5 }); } },
                     BadValueCase { "a blob", [] { return juce::var (juce::MemoryBlock (4, true)); } }),
    vqtest::NameByRule {});

//==============================================================================
struct SettingCase
{
    const char* rule;
    juce::var id;
    juce::var value;
    bool isApplied;
};

class StateReaderSettings : public testing::TestWithParam<SettingCase>
{
};

TEST_P (StateReaderSettings, OnlyTheRestorableSettingsWithValidValuesAreKept)
{
    auto root = makeState();
    auto settings = root.getChildWithName (Ids::settings);
    settings.removeAllChildren (nullptr);
    settings.appendChild (makeSetting (GetParam().id, GetParam().value), nullptr);

    const auto kept = settingsOf (read (toBytes (root)));

    EXPECT_EQ (kept.size(), GetParam().isApplied ? 1u : 0u) << GetParam().rule;
}

INSTANTIATE_TEST_SUITE_P (
    Table, StateReaderSettings,
    testing::Values (
        SettingCase { "the remembered unit", 1, 12, true }, SettingCase { "no unit remembered", 1, -1, true },
        SettingCase { "the connection wish", 2, true, true }, SettingCase { "the selected channel", 3, 1, true },
        SettingCase { "the double window", 10, false, true },
        SettingCase { "an id as an int64", juce::int64 (10), true, true },
        SettingCase { "a bool written as an int", 10, 1, true }, SettingCase { "IS CONNECTED", 0, true, false },
        SettingCase { "a clipper light", 4, true, false }, SettingCase { "a mouse-over flag", 9, true, false },
        SettingCase { "an index past the table", 11, true, false }, SettingCase { "no PARAM_ID", {}, true, false },
        SettingCase { "no VALUE", 2, {}, false }, SettingCase { "a text id that is no number", "two", true, false },
        SettingCase { "a value as text", 1, "5", false }, SettingCase { "a value as double", 3, 1.0, false },
        SettingCase { "a serial number beyond a byte", 1, 256, false }, SettingCase { "a third channel", 3, 2, false },
        SettingCase { "an int bool other than 0 or 1", 2, 7, false }),
    vqtest::NameByRule {});

//==============================================================================
TEST (StateReaderXml, AParameterListIsReadPlainWrappedAndWithByteOrderMarks)
{
    const juce::String xml ("<?xml version=\"1.0\"?><STATE><Parameters>"
                            "<3 value=\"0.25\"/><0 value=\"1\"/><22 value=\" 0.5 \"/></Parameters></STATE>");
    const ParamList expected { { 3, 0.25f }, { 0, 1.0f }, { 22, 0.5f } };

    EXPECT_EQ (paramsOf (read (toBytes (xml))), expected);
    EXPECT_EQ (paramsOf (read (wrapXml (xml))), expected);

    juce::MemoryBlock utf8Bom ("\xef\xbb\xbf", 3);
    utf8Bom.append (xml.toRawUTF8(), xml.getNumBytesAsUTF8());
    EXPECT_EQ (paramsOf (read (utf8Bom)), expected);

    for (const bool bigEndian : { false, true })
    {
        juce::MemoryOutputStream utf16;
        utf16.writeShort (bigEndian ? (short) 0xfffe : (short) 0xfeff);

        for (auto c : xml)
            bigEndian ? utf16.writeShortBigEndian ((short) c) : utf16.writeShort ((short) c);

        EXPECT_EQ (paramsOf (read (utf16.getMemoryBlock())), expected) << "UTF-16, big endian " << bigEndian;
    }

    EXPECT_TRUE (read (toBytes (xml)).settings.empty());
}

TEST (StateReaderXml, TheWrappedLengthIsTrustedOnlyWithinTheData)
{
    const juce::String xml ("<S><parameters><4 value=\"0.5\"/></parameters></S>");
    const ParamList expected { { 4, 0.5f } };

    EXPECT_EQ (paramsOf (read (wrapXml (xml, std::numeric_limits<int>::max()))), expected);
    EXPECT_TRUE (read (wrapXml (xml, -5)).isEmpty());
    EXPECT_TRUE (read (wrapXml (xml, 10)).isEmpty());
    EXPECT_TRUE (read (wrapXml ("<", 1)).isEmpty());
}

struct ListItemCase
{
    const char* rule;
    const char* item;
    ParamList expected;
};

class StateReaderListItems : public testing::TestWithParam<ListItemCase>
{
};

TEST_P (StateReaderListItems, EachItemOfAParameterListIsCheckedOnItsOwn)
{
    const auto xml = juce::String ("<S><PARAMETERS>") + GetParam().item + "<5 value=\"0.125\"/></PARAMETERS></S>";
    auto expected = GetParam().expected;
    expected.emplace_back (5, 0.125f);

    EXPECT_EQ (paramsOf (read (toBytes (xml))), expected) << GetParam().rule;
}

INSTANTIATE_TEST_SUITE_P (
    Table, StateReaderListItems,
    testing::Values (ListItemCase { "a valid item", "<7 value=\"0.75\"/>", { { 7, 0.75f } } },
                     ListItemCase { "the bounds", "<0 value=\"0\"/><22 value=\"1\"/>", { { 0, 0.0f }, { 22, 1.0f } } },
                     ListItemCase { "a tag with trailing letters", "<7abc value=\"0.5\"/>", { { 7, 0.5f } } },
                     ListItemCase { "a tag without digits reads as 0", "<param value=\"0.5\"/>", { { 0, 0.5f } } },
                     ListItemCase { "an exponent", "<1 value=\"5e-1\"/>", { { 1, 0.5f } } },
                     ListItemCase { "a value above 1", "<3 value=\"1.5\"/>", {} },
                     ListItemCase { "a value below 0", "<3 value=\"-0.5\"/>", {} },
                     ListItemCase { "an index past the table", "<23 value=\"0.5\"/>", {} },
                     ListItemCase { "a negative index", "<-1 value=\"0.5\"/>", {} },
                     ListItemCase { "an index beyond int", "<99999999999999 value=\"0.5\"/>", {} },
                     ListItemCase { "no value", "<3/>", {} }, ListItemCase { "an empty value", "<3 value=\"\"/>", {} },
                     ListItemCase { "a value that is no number", "<3 value=\"abc\"/>", {} },
                     ListItemCase { "a value with trailing text", "<3 value=\"0.5x\"/>", {} },
                     ListItemCase { "NaN", "<3 value=\"nan\"/>", {} },
                     ListItemCase { "infinity", "<3 value=\"inf\"/>", {} },
                     ListItemCase { "an overflowing exponent", "<3 value=\"1e400\"/>", {} },
                     ListItemCase { "the attribute name in another case", "<3 VALUE=\"0.5\"/>", {} },
                     ListItemCase { "text between items", "some text", {} }),
    vqtest::NameByRule {});

TEST (StateReaderXml, XmlWithoutParametersOrPresetsChangesNothing)
{
    EXPECT_TRUE (read (toBytes ("<S><other><1 value=\"0.5\"/></other></S>")).isEmpty());
    EXPECT_TRUE (read (toBytes ("<S/>")).isEmpty());
}

//==============================================================================
const char* const bankXml = "<BANK active=\"2\" devNo=\"5\"><Presets>"
                            "<1><parameters><3 value=\"0.1\"/></parameters></1>"
                            "<2><PARAMETERS><3 value=\"0.2\"/><4 value=\"0.3\"/></PARAMETERS></2>"
                            "<3><parameters><3 value=\"0.4\"/></parameters></3>"
                            "</Presets></BANK>";

TEST (StateReaderBank, OnlyTheActivePresetIsAppliedAndTheUnitNumberIsKept)
{
    const auto changes = read (toBytes (bankXml));

    EXPECT_EQ (paramsOf (changes), (ParamList { { 3, 0.2f }, { 4, 0.3f } }));
    EXPECT_EQ (changes.bankDevice, std::optional<int> (5));
    EXPECT_TRUE (changes.settings.empty());
}

struct BankDeviceCase
{
    const char* rule;
    const char* attribute;
    std::optional<int> expected;
};

class StateReaderBankDevice : public testing::TestWithParam<BankDeviceCase>
{
};

TEST_P (StateReaderBankDevice, OnlyAReadableUnitNumberIsKept)
{
    const auto xml = juce::String ("<BANK active=\"1\"") + GetParam().attribute +
                     "><presets><1><parameters><3 value=\"0.1\"/></parameters></1></presets></BANK>";
    const auto changes = read (toBytes (xml));

    EXPECT_EQ (changes.bankDevice, GetParam().expected) << GetParam().rule;
    EXPECT_EQ (paramsOf (changes), (ParamList { { 3, 0.1f } })) << GetParam().rule;
}

INSTANTIATE_TEST_SUITE_P (Table, StateReaderBankDevice,
                          testing::Values (BankDeviceCase { "unit 0", " devNo=\"0\"", 0 },
                                           BankDeviceCase { "unit 127", " devNo=\"127\"", 127 },
                                           BankDeviceCase { "no unit has 128", " devNo=\"128\"", std::nullopt },
                                           BankDeviceCase { "a missing devNo is no unit 0", "", std::nullopt },
                                           BankDeviceCase { "no unit", " devNo=\"-1\"", std::nullopt },
                                           BankDeviceCase { "beyond a byte", " devNo=\"256\"", std::nullopt },
                                           BankDeviceCase { "not a number", " devNo=\"abc\"", std::nullopt },
                                           BankDeviceCase { "an empty number", " devNo=\"\"", std::nullopt },
                                           BankDeviceCase { "another case", " DEVNO=\"3\"", std::nullopt }),
                          vqtest::NameByRule {});

TEST (StateReaderBank, ABankWithoutTheActivePresetChangesOnlyTheUnit)
{
    const auto changes = read (toBytes ("<BANK active=\"9\" devNo=\"4\"><presets><1><parameters>"
                                        "<3 value=\"0.1\"/></parameters></1></presets></BANK>"));

    EXPECT_TRUE (changes.params.empty());
    EXPECT_EQ (changes.bankDevice, std::optional<int> (4));
}
