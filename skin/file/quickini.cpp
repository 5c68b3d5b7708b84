#include "skin/file/quickini.h"

#include "rtl/sysutils.h"
#include "rtl/textcase.h"

namespace skin {

void TQuickIni::ParseStream(std::string_view text)
{
    lines_.clear();
    sections_.clear();
    size_t p = 0;
    while (p < text.size() && text[p] != '\0') {
        const size_t start = p;
        while (p < text.size() && text[p] != '\r' && text[p] != '\n' && text[p] != '\0') ++p;
        std::string line = rtl::Trim(text.substr(start, p - start));
        if (!line.empty() && line[0] != ';') {
            if (IsSectionLine(line)) sections_.push_back({line, lines_.size()});
            lines_.push_back(std::move(line));
        }
        if (p < text.size() && text[p] == '\r') ++p;
        if (p < text.size() && text[p] == '\n') ++p;
    }
}

std::vector<std::string> TQuickIni::ReadSections() const
{
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const Section& s : sections_)
        names.push_back(rtl::Trim(std::string_view(s.line).substr(1, s.line.size() - 2)));
    return names;
}

int TQuickIni::FindSection(std::string_view name) const
{
    const std::string wanted = "[" + std::string(name) + "]";
    for (const Section& s : sections_)
        if (rtl::SameText(s.line, wanted)) return int(s.index);
    return -1;
}

bool TQuickIni::IsSectionLine(std::string_view line)
{
    if (line.empty()) return false;
    const std::string t = rtl::Trim(line);
    return !t.empty() && t.front() == '[' && t.back() == ']';
}

std::string TQuickIni::KeyOfLine(std::string_view line)
{
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {};
    return rtl::FoldCase(rtl::Trim(line.substr(0, eq)));
}

std::string TQuickIni::ValueOfLine(std::string_view line, std::string_view key)
{
    if (line.empty() || key.empty()) return {};
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos || KeyOfLine(line) != key) return {};
    return rtl::Trim(line.substr(eq + 1));
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const
{
    std::string result(defaultValue);
    const std::string lowKey = rtl::FoldCase(key);
    if (lines_.empty()) return result;
    const int at = FindSection(section);
    if (at < 0) return result;
    for (size_t i = size_t(at) + 1; i < lines_.size(); ++i) {
        const std::string& line = lines_[i];
        if (IsSectionLine(line)) break;
        if (KeyOfLine(line) != lowKey) continue;
        std::string value = ValueOfLine(line, lowKey);
        if (!value.empty()) result = std::move(value);
        break;
    }
    return result;
}

int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key,
                               int32_t defaultValue) const
{
    std::string s = ReadString(section, key, "");
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s.replace(0, 2, "$");
    return rtl::StrToIntDef(s, defaultValue);
}

uint32_t ParseRGB(std::string_view text)
{
    if (text.empty()) return 0;
    const std::string t = rtl::Trim(text);
    int32_t rgb[3] = {0, 0, 0};
    int stored = 0;
    std::string number;
    // A number too large to convert is kept pending, so the digits that
    // follow run on into it and nothing after it is stored.
    auto store = [&] {
        int32_t v = 0;
        if (!rtl::TryStrToInt(number, v)) return;
        if (stored < 3) rgb[stored++] = v;
        number.clear();
    };
    for (const char c : t) {
        if (c >= '0' && c <= '9')
            number += c;
        else if (!number.empty())
            store();
    }
    if (stored == 2 && !number.empty()) store();
    return uint32_t(rgb[0] & 0xFF) | uint32_t(rgb[1] & 0xFF) << 8 | uint32_t(rgb[2] & 0xFF) << 16;
}

}  // namespace skin
