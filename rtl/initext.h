// The text of an ini file in memory, with the section and key rules of the
// Windows profile functions:
// - a section starts at a line whose first non-blank byte is "["; its name
//   is what lies between that and the last "]" of the line (the rest of the
//   line when there is none), trimmed;
// - a key line is "name=value": the name is the trimmed text before the
//   first "=", the value the trimmed text after it; when the value is
//   enclosed in a pair of equal quotes (" or ') they are taken off;
// - blank lines, lines starting with ";" and lines without "=" hold no
//   key; lines before the first section belong to none;
// - names match case-insensitively (rtl/textcase.h), names given by the
//   caller are trimmed first, and the first match wins: the first section
//   of a name, the first key of a name in it; later ones are never seen;
// - values are GBK bytes as they are.
// The file may be GBK or, marked by its byte-order mark, UTF-8 or UTF-16
// (rtl/textfile.h): its lines are read as GBK, and Text() gives the text
// back in the file's encoding with its mark. Lines end at CR LF, CR or LF;
// Text() ends every line with CR LF. Lines that no change touches keep
// their bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rtl/textfile.h"

namespace rtl {

class IniText {
public:
    void Parse(std::string_view text);
    std::string Text() const;

    // The value of the key, or nothing when the section or key is absent.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Key names of the section in file order, duplicates kept.
    std::vector<std::string> Keys(std::string_view section) const;

    // The change functions answer whether the text changed. Names and value
    // must be fit to store (CheckNames, CheckValue); the value is stored as
    // given: an existing key keeps its name as written, a new key goes after
    // the last line of its section, a new section at the end of the text.
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);
    bool DeleteKey(std::string_view section, std::string_view key);
    bool EraseSection(std::string_view section);

    // Why a section and key name, or a value, cannot be stored in an ini
    // line (a line break, a NUL, an "=" in a key name, ...); empty when they
    // can.
    static std::string CheckNames(std::string_view section, std::string_view key);
    static std::string CheckValue(std::string_view value);
    // Why the text cannot be written back as a whole without mixing
    // encodings: a GBK text holding NUL bytes (as UTF-16 without a
    // byte-order mark does, which the profile functions read as 8-bit text)
    // would get lines of another encoding. Empty when it can.
    std::string CheckStorable() const;

private:
    struct Range {
        size_t header;  // line of the section header
        size_t end;     // one past its last line
    };
    std::optional<Range> FindSection(std::string_view section) const;
    std::optional<size_t> FindKey(const Range& range, std::string_view key) const;
    void Reindex();

    struct Line {
        std::string text;    // GBK
        std::string stored;  // the line as the file holds it, until it is changed
        bool keepStored = false;
    };
    static Line NewLine(std::string text) { return Line{std::move(text), {}, false}; }

    TTextEncoding encoding_ = TTextEncoding::Gbk;
    bool holdsNul_ = false;
    std::vector<Line> lines_;
    // Folded section name -> header line of its first section.
    std::unordered_map<std::string, size_t> sections_;
};

}  // namespace rtl
