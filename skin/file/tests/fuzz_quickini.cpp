// Skin ini text from outside: parse it and look up every key line of the
// text in the section it stands in, a few keys that are not there in the
// first sections, and keys outside any section, reading each value as
// text, integer and colour. The first look-ups are also answered by
// walking the lines as the reader's rules say (first section of the name,
// its first line of the key, up to the next section line); the reader's
// index must give the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rtl/sysutils.h"
#include "rtl/textcase.h"
#include "skin/file/quickini.h"

namespace {

// The kept lines of the text: trimmed, neither empty nor a comment.
std::vector<std::string> KeptLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t p = 0;
    while (p < text.size() && text[p] != '\0') {
        const size_t start = p;
        while (p < text.size() && text[p] != '\r' && text[p] != '\n' && text[p] != '\0') ++p;
        std::string line = rtl::Trim(text.substr(start, p - start));
        if (!line.empty() && line[0] != ';') lines.push_back(std::move(line));
        if (p < text.size() && text[p] == '\r') ++p;
        if (p < text.size() && text[p] == '\n') ++p;
    }
    return lines;
}

bool IsSection(const std::string& line) { return line.front() == '[' && line.back() == ']'; }

std::string WalkedValue(const std::vector<std::string>& lines, const std::string& section,
                        const std::string& key)
{
    const std::string wanted = "[" + section + "]";
    size_t i = 0;
    while (i < lines.size() && !(IsSection(lines[i]) && rtl::SameText(lines[i], wanted))) ++i;
    const std::string lowKey = rtl::FoldCase(key);
    if (lowKey.empty()) return "d";
    for (++i; i < lines.size() && !IsSection(lines[i]); ++i) {
        const size_t eq = lines[i].find('=');
        if (eq == std::string::npos) continue;
        if (rtl::FoldCase(rtl::Trim(std::string_view(lines[i]).substr(0, eq))) != lowKey) continue;
        const std::string value = rtl::Trim(std::string_view(lines[i]).substr(eq + 1));
        return value.empty() ? "d" : value;
    }
    return "d";
}

void LookUp(const skin::TQuickIni& ini, const std::vector<std::string>* lines,
            const std::string& section, const std::string& key)
{
    const std::string value = ini.ReadString(section, key, "d");
    if (lines && value != WalkedValue(*lines, section, key)) std::abort();
    (void)ini.ReadInteger(section, key, -1);
    (void)skin::ParseRGB(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    skin::TQuickIni ini;
    ini.ParseStream(text);
    const std::vector<std::string> lines = KeptLines(text);

    std::vector<std::pair<std::string, std::string>> lookups;
    std::string section;
    for (size_t p = 0; p < text.size();) {
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
    // Each walk costs the lines of the text, so only the first look-ups
    // are walked; the reader answers all of them.
    for (size_t i = 0; i < lookups.size(); ++i)
        LookUp(ini, i < 64 ? &lines : nullptr, lookups[i].first, lookups[i].second);

    std::vector<std::string> sections = ini.ReadSections();
    if (sections.size() > 4) sections.resize(4);
    sections.push_back("");
    for (const std::string& name : sections)
        for (const char* key : {"", "Image", "0x"}) LookUp(ini, &lines, name, key);
    return 0;
}
