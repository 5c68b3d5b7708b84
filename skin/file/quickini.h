// Read-only ini text of a skin: string and integer look-ups by section
// and key over text held in memory, and the colour texts of a skin.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skin {

class TQuickIni {
public:
    // Replaces what was read before by the lines of `text`. A NUL byte
    // ends the text.
    void ParseStream(std::string_view text);

    // Section names in text order, without brackets, duplicates kept.
    std::vector<std::string> ReadSections() const;

    // Section and key match case-insensitively; the first section of the
    // name and its first line of the key win. A missing key, or one whose
    // value is empty, gives the default. Each look-up costs the length of
    // the names and the value, whatever the size of the text.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Decimal with an optional sign, or hexadecimal after "0x", "0X" or
    // "$"; anything else, or a number outside 32 bits, gives the default.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;

private:
    static constexpr size_t kNoSection = size_t(-1);

    // The number of the first section whose line is "[" name "]" in any
    // case, or kNoSection.
    size_t FindSection(std::string_view name) const;
    static bool IsSectionLine(std::string_view trimmed);
    static std::string KeyOfLine(std::string_view line);
    // Where the value of a folded key of a section is kept: the key holds
    // no "=", so the number before the first "=" tells the section.
    static std::string ValueIndex(size_t section, std::string_view foldedKey);

    // "[" name "]" as written, in text order.
    std::vector<std::string> sections_;
    // The folded section line to the number of the first section of it.
    std::unordered_map<std::string, size_t> firstSection_;
    // The value of the first line of each key in the first section of each
    // name; the lines of a later section of the same name, and those
    // before the first section, can never be read and are not kept.
    std::unordered_map<std::string, std::string> values_;
};

// A colour text of a skin: up to three decimal numbers red, green, blue,
// separated by anything that is not a digit. A number ends only at a
// character after it, except that a pending number after two stored ones
// becomes blue. Result 00BBGGRRh from the low 8 bits of each; empty is 0.
uint32_t ParseRGB(std::string_view text);

}  // namespace skin
