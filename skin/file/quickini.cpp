#include "skin/file/quickini.h"

#include "rtl/sysutils.h"
#include "rtl/textcase.h"

namespace skin {

void TQuickIni::ParseStream(std::string_view text)
{
    sections_.clear();
    firstSection_.clear();
    values_.clear();
    size_t current = kNoSection;  // the section whose keys are kept
    size_t p = 0;
    while (p < text.size() && text[p] != '\0') {
        const size_t start = p;
        while (p < text.size() && text[p] != '\r' && text[p] != '\n' && text[p] != '\0') ++p;
        const std::string_view line = rtl::TrimView(text.substr(start, p - start));
        if (!line.empty() && line[0] != ';') {
            if (IsSectionLine(line)) {
                const auto [at, isFirst] =
                    firstSection_.try_emplace(rtl::FoldCase(line), sections_.size());
                current = isFirst ? at->second : kNoSection;
                sections_.emplace_back(line);
            } else if (current != kNoSection) {
                const std::string key = KeyOfLine(line);
                // A line without "=", or with nothing before it, answers no key.
                if (!key.empty())
                    values_.try_emplace(ValueIndex(current, key),
                                        rtl::TrimView(line.substr(line.find('=') + 1)));
            }
        }
        if (p < text.size() && text[p] == '\r') ++p;
        if (p < text.size() && text[p] == '\n') ++p;
    }
}

std::vector<std::string> TQuickIni::ReadSections() const
{
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const std::string& s : sections_)
        names.emplace_back(rtl::TrimView(std::string_view(s).substr(1, s.size() - 2)));
    return names;
}

size_t TQuickIni::FindSection(std::string_view name) const
{
    // The name is not trimmed: "[ A ]" is not the section "A".
    const auto at = firstSection_.find(rtl::FoldCase("[" + std::string(name) + "]"));
    return at == firstSection_.end() ? kNoSection : at->second;
}

bool TQuickIni::IsSectionLine(std::string_view trimmed)
{
    return !trimmed.empty() && trimmed.front() == '[' && trimmed.back() == ']';
}

std::string TQuickIni::KeyOfLine(std::string_view line)
{
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {};
    return rtl::FoldCase(rtl::TrimView(line.substr(0, eq)));
}

std::string TQuickIni::ValueIndex(size_t section, std::string_view foldedKey)
{
    std::string index = std::to_string(section);
    index += '=';
    index += foldedKey;
    return index;
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const
{
    const size_t at = FindSection(section);
    if (at == kNoSection) return std::string(defaultValue);
    // A key holding "=" finds nothing: no index holds a second "=".
    const auto found = values_.find(ValueIndex(at, rtl::FoldCase(key)));
    if (found == values_.end() || found->second.empty()) return std::string(defaultValue);
    return found->second;
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
