// Code page 936 (GBK) and UTF-16, converted as the Windows code page does
// with no flags (MultiByteToWideChar / WideCharToMultiByte, 936):
//
// Decoding, byte by byte:
//   00h..7Fh      the character itself
//   80h           U+20AC, FFh: U+F8F5
//   81h..FEh      a lead byte: together with the next byte, when there is
//                 one and it is not 00h, one code unit; every trail byte
//                 40h..7Eh, 80h..FEh has a character (the user-defined areas
//                 are private-use units), any other second byte gives U+003F
//                 and both bytes are used up. A lead byte at the end of the
//                 text or before 00h gives U+003F by itself.
// Encoding, code unit by code unit: a unit the code page has becomes its one
// or two bytes; any other unit (surrogates included) becomes the default
// character '?'. No best-fit replacement is made: this is
// WideCharToMultiByte with WC_NO_BEST_FIT_CHARS.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rtl {

// 81h..FEh start a double-byte character.
constexpr bool IsGbkLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// True when byte position i of s is a character boundary: 0, s.size(), or a
// position where a character starts (not the second byte of a pair).
// Positions past the end give false.
bool IsGbkCharBoundary(std::string_view s, size_t i);

std::u16string GbkToUtf16(std::string_view s);
std::string Utf16ToGbk(std::u16string_view s);

}  // namespace rtl
