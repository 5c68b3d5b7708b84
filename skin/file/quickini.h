// Read-only ini text of a skin: string and integer look-ups by section
// and key over text held in memory, and the colour texts of a skin.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
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
    // value is empty, gives the default.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Decimal with an optional sign, or hexadecimal after "0x", "0X" or
    // "$"; anything else, or a number outside 32 bits, gives the default.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;

private:
    struct Section {
        std::string line;  // "[" name "]" as written
        size_t index;      // into lines_
    };

    int FindSection(std::string_view name) const;
    static bool IsSectionLine(std::string_view line);
    static std::string KeyOfLine(std::string_view line);
    static std::string ValueOfLine(std::string_view line, std::string_view key);

    std::vector<std::string> lines_;
    std::vector<Section> sections_;
};

// A colour text of a skin: up to three decimal numbers red, green, blue,
// separated by anything that is not a digit. A number ends only at a
// character after it, except that a pending number after two stored ones
// becomes blue. Result 00BBGGRRh from the low 8 bits of each; empty is 0.
uint32_t ParseRGB(std::string_view text);

}  // namespace skin
