// Ini text, then a section name, key name and value, separated by 01h
// bytes. Parsing and look-ups never fail; a value that may be stored reads
// back as stored (trimmed, a pair of quotes taken off), also after the text
// is written and parsed again.
#include <cstdlib>
#include <string>
#include <string_view>

#include "rtl/initext.h"
#include "rtl/sysutils.h"
#include "rtl/textcase.h"

namespace {

std::string_view Take(std::string_view& rest)
{
    const size_t cut = rest.find('\x01');
    const std::string_view part = rest.substr(0, cut);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    return part;
}

std::string Expected(std::string_view value)
{
    std::string v = rtl::Trim(value);
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
        v = v.substr(1, v.size() - 2);
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string_view text = Take(rest);
    const std::string_view section = Take(rest);
    const std::string_view key = Take(rest);
    const std::string_view value = rest;

    rtl::IniText ini;
    ini.Parse(text);
    for (const std::string& k : ini.Keys(section))
        if (!ini.Value(section, k)) std::abort();
    (void)ini.Value(section, key);

    if (!rtl::IniText::CheckNames(section, key).empty() || !rtl::IniText::CheckValue(value).empty())
        return 0;
    ini.SetValue(section, key, value);
    const std::string want = Expected(value);
    if (ini.Value(section, key) != want) std::abort();
    bool listed = false;
    for (const std::string& k : ini.Keys(section))
        listed = listed || rtl::SameText(k, rtl::Trim(key));
    if (!listed) std::abort();

    rtl::IniText again;
    again.Parse(ini.Text());
    if (again.Value(section, key) != want || again.Text() != ini.Text()) std::abort();
    ini.DeleteKey(section, key);
    ini.EraseSection(section);
    return 0;
}
