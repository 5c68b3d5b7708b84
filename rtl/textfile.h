// The encodings a text file may be stored in, told apart by the file's
// byte-order mark as the Windows profile functions tell them apart: EF BB BF
// UTF-8, FF FE UTF-16 little-endian, FE FF UTF-16 big-endian, anything else
// 8-bit text in code page 936 (GBK) taken as it is. The program works on GBK
// text; a file in a Unicode encoding is decoded line by line to GBK and
// written back in its own encoding, with its mark.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rtl {

enum class TTextEncoding { Gbk, Utf8, Utf16LE, Utf16BE };

// The encoding of a file's bytes, and the length of its mark (0 for GBK).
TTextEncoding DetectTextEncoding(std::string_view bytes, size_t& markLength);

// The byte-order mark a file of the encoding starts with (empty for GBK).
std::string ByteOrderMark(TTextEncoding encoding);

// The lines of stored text (after the mark) as they are stored, without
// their line ends: a line ends at CR LF, at a CR or at an LF. A line end at
// the very end of the text starts no further line.
std::vector<std::string_view> SplitStoredLines(std::string_view stored, TTextEncoding encoding);

// One stored line as GBK: Unicode text goes through UTF-16 (a malformed
// UTF-8 sequence or an odd last byte gives U+FFFD), and every character GBK
// lacks becomes "?". GBK lines are returned as they are.
std::string StoredToGbk(std::string_view stored, TTextEncoding encoding);
// GBK text in the encoding (GBK as it is).
std::string GbkToStored(std::string_view gbk, TTextEncoding encoding);

}  // namespace rtl
