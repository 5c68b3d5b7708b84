// Skin ini text from outside: parse it and look up every section with the
// keys that occur in the text, reading each value as text, integer and
// colour.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/file/quickini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    skin::TQuickIni ini;
    ini.ParseStream(text);

    std::vector<std::string> keys = {"", "Image", "0x"};
    for (size_t p = 0; p < text.size() && keys.size() < 64;) {
        const size_t end = text.find_first_of("\r\n", p);
        const std::string_view line = text.substr(p, end == std::string_view::npos ? end : end - p);
        const size_t eq = line.find('=');
        if (eq != std::string_view::npos) keys.emplace_back(line.substr(0, eq));
        if (end == std::string_view::npos) break;
        p = end + 1;
    }
    std::vector<std::string> sections = ini.ReadSections();
    if (sections.size() > 64) sections.resize(64);
    sections.push_back("");
    for (const std::string& section : sections)
        for (const std::string& key : keys) {
            const std::string value = ini.ReadString(section, key, "d");
            (void)ini.ReadInteger(section, key, -1);
            (void)skin::ParseRGB(value);
        }
    return 0;
}
