#include "SysexText.h"

#include <gtest/gtest.h>

TEST (SysexText, EveryMessageIsShownInHexWithItsMeaningInTheParametersTexts)
{
    struct Case
    {
        SysexText::Bytes bytes;
        bool toUnit;
        const char* hex;
        const char* meaning;
    };

    const Case cases[] = {
        { { 0xF0, 0x00, 0x12, 0x34, 0x00, 0x04, 0xF7 }, true, "F0 00 12 34 00 04 F7", "discovery query" },
        { { 0xF0, 0x00, 0x12, 0x34, 0x11, 0x04, 0xF7 }, false, "F0 00 12 34 11 04 F7", "answer: serial number 17" },
        { { 0xF0, 0x00, 0x12, 0x34, 0x11, 0x01, 0x01, 0x5A, 0x00, 0xF7 },
          true,
          "F0 00 12 34 11 01 01 5A 00 F7",
          "band 1 gain, selected channel: 6.0 (code 90)" },
        { { 0xF0, 0x00, 0x12, 0x34, 0x11, 0x08, 0x0A, 0x08, 0x00, 0xF7 },
          true,
          "F0 00 12 34 11 08 0A 08 00 F7",
          "low-pass filter, other channel: 3 kHz (code 8)" },
        { { 0xF0, 0x00, 0x12, 0x34, 0x11, 0x01, 0x03, 0x48, 0x01, 0xF7 },
          false,
          "F0 00 12 34 11 01 03 48 01 F7",
          "band 1 frequency, from the panel: 624 Hz (code 200)" },
        { { 0xF0, 0x00, 0x12, 0x34, 0x11, 0x01, 0x0E, 0x01, 0x00, 0xF7 },
          true,
          "F0 00 12 34 11 01 0E 01 00 F7",
          "channel mode, selected channel: channel 2 selected (code 1)" },
        { { 0xF0, 0x00, 0x12, 0x34, 0x11, 0x01, 0x0F, 0x44, 0x00, 0xF7 },
          true,
          "F0 00 12 34 11 01 0F 44 00 F7",
          "switches, selected channel: ENGAGE on, EQ1 ENGAGE on, EQ2 ENGAGE off (code 68)" },
        { { 0xF0, 0x00, 0x12, 0x34, 0x11, 0x01, 0x05, 0x00, 0x00, 0xF7 },
          false,
          "F0 00 12 34 11 01 05 00 00 F7",
          "unknown control 5, code 0" },
        { { 0xF0, 0x00, 0x12, 0x34, 0x11, 0x01 }, false, "F0 00 12 34 11 01", "short message" },
        { { 0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7 }, false, "F0 7E 00 06 01 F7", "not ours" },
        { {}, false, "", "not ours" },
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ (SysexText::toHex (c.bytes), c.hex);
        EXPECT_EQ (SysexText::describe (c.bytes, c.toUnit), c.meaning) << c.hex;
    }
}
