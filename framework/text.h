// Text crossing into and out of Windows. The programs' 8-bit strings hold
// GBK (code page 936) bytes whatever the machine's locale, so every text
// that reaches a W function goes through these, and nothing else in the
// framework converts text.
#pragma once

#include <string>
#include <string_view>

namespace fw {

// GBK bytes to UTF-16, and back, by the runtime's code page 936 codec
// (rtl/gbk.h): characters that GBK lacks become '?'.
std::wstring ToWide(std::string_view gbk);
std::string ToGbk(std::wstring_view wide);

// UTF-8 (the encoding of the stored layout sources) to UTF-16.
std::wstring Utf8ToWide(std::string_view utf8);

// A system error code (GetLastError) with the system's text for it, for
// exception texts and traces: "system error 5: Access is denied." (the
// text in the system's language; the code alone when it has none).
std::string SystemErrorText(unsigned long error);

// The program's own file name (GetModuleFileName), in GBK.
std::string ProgramFileName();

}  // namespace fw
