// The strip sender's composing rules: the message built from the window's
// choices, the backslash control codes, centring, and the hidden checksum
// tool. Portable; 8-bit strings are GBK bytes and lengths count bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace signline {

// The window's choices that shape a message (item indexes; -1 for none).
struct TComposeChoice {
    int ColorIndex = 0;     // Ccolor: 0 red, 1 green, 2 yellow
    int FontIndex = 0;      // Cfontsize: 0 16, 1 24, 2 32 dots
    int LineIndex = 0;      // ComboBox2: 0 gives line byte 01h, anything else 02h
    bool Window16 = false;  // CheckBox1: window byte 09h
    bool Window32 = false;  // CheckBox2: window byte 0Ah
    bool Save = false;      // Csave: the store code at the end
};

// Replaces the 23 control codes ("\3" ... "\19", two-digit codes read as
// hexadecimal) by their bytes, in table order, case-sensitively. A code
// starts only at a character boundary: a backslash that is the second byte
// of a double-byte character is text.
std::string TranslateControlCodes(std::string_view s);

// Font and colour codes, line and window bytes in front of the text, the
// store code after it, then the codes translated.
std::string ComposeMessage(std::string_view text, const TComposeChoice& choice);

// Pads with blanks to width bytes, one after, one before, alternately (an
// odd difference leaves the extra blank on the right), or keeps the first
// width bytes; width 0 or below leaves s as it is.
std::string CenterText(std::string_view s, int width);

// The centring button: count characters per line make a width of 2 x count
// bytes for CenterText, reckoned in 64 bits so that no count overflows. The
// blanks stop where the result would hold more than maxChars characters (a
// double-byte character counts one), the most the text box takes: the text
// itself stays whole, and a count far beyond the box costs no more than the
// box holds.
std::string CenterToCount(std::string_view s, int32_t count, size_t maxChars);

// Two characters as a byte: '0'-'9' and 'A'-'F' give the nibbles, any
// other character (lower case included, or none) counts 0.
uint8_t HexPairToByte(std::string_view pair);
// Two upper-case hexadecimal digits.
std::string HexPad2(unsigned value);

// The checksum tool: two-character hex bytes separated by single blanks
// in, "HH LL" (the CRC of the bytes, high byte first) out; empty text in
// gives empty text out (nothing to do). Bytes after the first
// kChecksumBytes are not taken.
inline constexpr size_t kChecksumBytes = 101;
std::string ChecksumText(std::string_view hexList);

}  // namespace signline
