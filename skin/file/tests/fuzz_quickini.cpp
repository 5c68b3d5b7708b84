// Skin ini text from outside: parse it and look up every key line of the
// text in the section it stands in, a few keys that are not there in the
// first sections, and keys outside any section, reading each value as
// text, integer and colour. (Each look-up scans its section, so looking
// up every key in every section would make an input cost the square of
// its lines and take no path these do not.)
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rtl/sysutils.h"
#include "skin/file/quickini.h"

namespace {

void LookUp(const skin::TQuickIni& ini, const std::string& section, const std::string& key)
{
    const std::string value = ini.ReadString(section, key, "d");
    (void)ini.ReadInteger(section, key, -1);
    (void)skin::ParseRGB(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    skin::TQuickIni ini;
    ini.ParseStream(text);

    std::vector<std::pair<std::string, std::string>> lookups;
    std::string section;
    for (size_t p = 0; p < text.size() && lookups.size() < 64;) {
        const size_t end = text.find_first_of("\r\n", p);
        const std::string_view line = text.substr(p, end == std::string_view::npos ? end : end - p);
        const std::string trimmed = rtl::Trim(line);
        const size_t eq = line.find('=');
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']')
            section = rtl::Trim(std::string_view(trimmed).substr(1, trimmed.size() - 2));
        else if (eq != std::string_view::npos)
            lookups.emplace_back(section, std::string(line.substr(0, eq)));
        if (end == std::string_view::npos) break;
        p = end + 1;
    }
    for (const auto& [name, key] : lookups) LookUp(ini, name, key);

    std::vector<std::string> sections = ini.ReadSections();
    if (sections.size() > 4) sections.resize(4);
    sections.push_back("");
    for (const std::string& name : sections)
        for (const char* key : {"", "Image", "0x"}) LookUp(ini, name, key);
    return 0;
}
