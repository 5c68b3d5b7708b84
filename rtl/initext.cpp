#include "rtl/initext.h"

#include "rtl/sysutils.h"
#include "rtl/textcase.h"

namespace rtl {

namespace {

// The section name of a header line, or nothing for any other line.
std::optional<std::string_view> HeaderName(std::string_view line)
{
    const std::string_view t = TrimView(line);
    if (t.empty() || t[0] != '[') return std::nullopt;
    const size_t close = t.rfind(']');
    const std::string_view inner =
        close == std::string_view::npos ? t.substr(1) : t.substr(1, close - 1);
    return TrimView(inner);
}

struct KeyLine {
    std::string_view name;
    std::string_view rawValue;  // everything after the "="
};

std::optional<KeyLine> ParseKeyLine(std::string_view line)
{
    const std::string_view t = TrimView(line);
    if (t.empty() || t[0] == ';' || t[0] == '[') return std::nullopt;
    const size_t eq = t.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    const std::string_view name = TrimView(t.substr(0, eq));
    if (name.empty()) return std::nullopt;
    // rawValue comes from the untrimmed line so it holds the bytes as stored.
    const size_t lineEq = line.find('=');
    return KeyLine{name, line.substr(lineEq + 1)};
}

std::string ReadValue(std::string_view raw)
{
    std::string_view v = TrimView(raw);
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

bool HasLineBreak(std::string_view s)
{
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

void IniText::Parse(std::string_view text)
{
    size_t mark = 0;
    encoding_ = DetectTextEncoding(text, mark);
    holdsNul_ = encoding_ == TTextEncoding::Gbk && text.find('\0') != std::string_view::npos;
    lines_.clear();
    const bool utf16 = encoding_ == TTextEncoding::Utf16LE || encoding_ == TTextEncoding::Utf16BE;
    for (const std::string_view stored : SplitStoredLines(text.substr(mark), encoding_)) {
        if (encoding_ == TTextEncoding::Gbk) {
            lines_.push_back(NewLine(std::string(stored)));
            continue;
        }
        // A UTF-16 file cut after an odd byte ends in half a unit: kept as it
        // is, that line would put every line end after it off its 16-bit
        // boundary, so it is written again from what it reads as.
        const bool whole = !utf16 || stored.size() % 2 == 0;
        lines_.push_back(Line{StoredToGbk(stored, encoding_), std::string(stored), whole});
    }
    Reindex();
}

std::string IniText::Text() const
{
    const std::string lineEnd = GbkToStored("\r\n", encoding_);
    std::string out = ByteOrderMark(encoding_);
    for (const Line& line : lines_) {
        out += line.keepStored ? line.stored : GbkToStored(line.text, encoding_);
        out += lineEnd;
    }
    return out;
}

std::string IniText::CheckStorable() const
{
    if (holdsNul_)
        return "the file holds NUL bytes (UTF-16 without a byte-order mark?) and is left as it is";
    return {};
}

void IniText::Reindex()
{
    sections_.clear();
    for (size_t i = 0; i < lines_.size(); ++i)
        if (const auto name = HeaderName(lines_[i].text)) sections_.try_emplace(FoldCase(*name), i);
}

std::optional<IniText::Range> IniText::FindSection(std::string_view section) const
{
    const auto it = sections_.find(FoldCase(TrimView(section)));
    if (it == sections_.end()) return std::nullopt;
    size_t end = it->second + 1;
    while (end < lines_.size() && !HeaderName(lines_[end].text)) ++end;
    return Range{it->second, end};
}

std::optional<size_t> IniText::FindKey(const Range& range, std::string_view key) const
{
    const std::string_view wanted = TrimView(key);
    for (size_t i = range.header + 1; i < range.end; ++i) {
        const auto line = ParseKeyLine(lines_[i].text);
        if (line && SameText(line->name, wanted)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniText::Value(std::string_view section, std::string_view key) const
{
    const auto range = FindSection(section);
    if (!range) return std::nullopt;
    const auto at = FindKey(*range, key);
    if (!at) return std::nullopt;
    return ReadValue(ParseKeyLine(lines_[*at].text)->rawValue);
}

std::vector<std::string> IniText::Keys(std::string_view section) const
{
    std::vector<std::string> keys;
    const auto range = FindSection(section);
    if (!range) return keys;
    for (size_t i = range->header + 1; i < range->end; ++i)
        if (const auto line = ParseKeyLine(lines_[i].text)) keys.emplace_back(line->name);
    return keys;
}

bool IniText::SetValue(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string_view s = TrimView(section);
    const std::string_view k = TrimView(key);
    const auto range = FindSection(s);
    if (range) {
        if (const auto at = FindKey(*range, k)) {
            const KeyLine line = *ParseKeyLine(lines_[*at].text);
            if (line.rawValue == value) return false;
            lines_[*at] = NewLine(std::string(line.name) + "=" + std::string(value));
            return true;
        }
        size_t insertAt = range->end;
        while (insertAt > range->header + 1 && TrimView(lines_[insertAt - 1].text).empty())
            --insertAt;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                      NewLine(std::string(k) + "=" + std::string(value)));
        // Headers below the new line move down by one (none when it went
        // at the end, as a whole layout written section by section does).
        for (auto& header : sections_)
            if (header.second >= insertAt) ++header.second;
    } else {
        lines_.push_back(NewLine("[" + std::string(s) + "]"));
        lines_.push_back(NewLine(std::string(k) + "=" + std::string(value)));
        sections_.try_emplace(FoldCase(s), lines_.size() - 2);
    }
    return true;
}

bool IniText::DeleteKey(std::string_view section, std::string_view key)
{
    const auto range = FindSection(section);
    if (!range) return false;
    const auto at = FindKey(*range, key);
    if (!at) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*at));
    Reindex();
    return true;
}

bool IniText::EraseSection(std::string_view section)
{
    const auto range = FindSection(section);
    if (!range) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
    Reindex();
    return true;
}

std::string IniText::CheckNames(std::string_view section, std::string_view key)
{
    const std::string_view s = TrimView(section);
    const std::string_view k = TrimView(key);
    if (s.empty()) return "the section name is empty";
    if (HasLineBreak(s)) return "the section name holds a line break or NUL";
    if (k.empty()) return "the key name is empty";
    if (HasLineBreak(k)) return "the key name holds a line break or NUL";
    if (k.find('=') != std::string_view::npos) return "the key name holds \"=\"";
    if (k[0] == ';' || k[0] == '[') return "the key name starts with \";\" or \"[\"";
    return {};
}

std::string IniText::CheckValue(std::string_view value)
{
    if (HasLineBreak(value)) return "the value holds a line break or NUL";
    return {};
}

}  // namespace rtl
