#include "framework/text.h"

#include "framework/winapi.h"

#include <cstdio>

#include "rtl/gbk.h"

namespace fw {

// wchar_t is a UTF-16 code unit on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring ToWide(std::string_view gbk)
{
    const std::u16string u = rtl::GbkToUtf16(gbk);
    return std::wstring(u.begin(), u.end());
}

std::string ToGbk(std::wstring_view wide)
{
    return rtl::Utf16ToGbk(std::u16string(wide.begin(), wide.end()));
}

std::wstring Utf8ToWide(std::string_view utf8)
{
    if (utf8.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string SystemErrorText(unsigned long error)
{
    char code[48];
    std::snprintf(code, sizeof code, "system error %lu", error);
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", buffer ? n : 0);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text.empty() ? code : std::string(code) + ": " + ToGbk(text);
}

std::string ProgramFileName()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return ToGbk(path);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace fw
