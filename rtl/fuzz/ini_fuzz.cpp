// Ini text, then a section name, key name and value, separated by 01h
// bytes. Parsing and look-ups never fail; a value that may be stored reads
// back as stored (trimmed, a pair of quotes taken off), also after the text
// is written and parsed again, unless the file is in a Unicode encoding
// that cannot hold the names or the value as they are (a lone GBK lead
// byte, say: such bytes are stored as the profile functions store them, by
// what they decode to). The text written and parsed again is written the
// same in every case.
#include <cstdlib>
#include <string>
#include <string_view>

#include "rtl/initext.h"
#include "rtl/sysutils.h"
#include "rtl/textcase.h"
#include "rtl/textfile.h"

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

    size_t markLength = 0;
    const rtl::TTextEncoding encoding = rtl::DetectTextEncoding(text, markLength);
    const auto held = [&](std::string_view s) {
        return rtl::StoredToGbk(rtl::GbkToStored(s, encoding), encoding) == s;
    };
    rtl::IniText again;
    again.Parse(ini.Text());
    if (again.Text() != ini.Text()) std::abort();
    if (held(section) && held(key) && held(value) && again.Value(section, key) != want)
        std::abort();
    ini.DeleteKey(section, key);
    ini.EraseSection(section);
    return 0;
}
