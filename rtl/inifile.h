// TIniFile: an ini file on disk read and written as the Windows profile
// functions do it (GetPrivateProfileString / WritePrivateProfileString);
// the section, key and value rules are those of rtl/initext.h.
//
// When the file is read and written: every call looks at the file first
// and reads it again when its size or time has changed, so changes made by
// others are seen; every Write*, DeleteKey and EraseSection that changes
// the text writes the whole file at once (a write of the value already
// stored writes nothing). A write goes to a temporary file that is then
// renamed over the old one (rtl/files.h), so a failed write leaves the old
// file whole; it raises EIniFileException saying why. UpdateFile has
// nothing left to do. While a TIniFile::THold lives, the file is looked at
// only by the first read: a run of reads takes the file as it was then
// (a write still looks at the file, so that it changes what is there).
//
// A missing file reads as empty and is created by the first write; its
// folder must exist. A name without a folder is taken relative to the
// current folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "rtl/classes.h"
#include "rtl/initext.h"
#include "rtl/sysutils.h"

namespace rtl {

// Unable to write to "<file>": <reason>
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// Writes the text as the whole of the file (ReplaceFile). False, with the
// reason in why and the file left as it was, when the write fails or when
// the text cannot be written back whole (IniText::CheckStorable).
bool StoreIniText(const std::string& fileName, const IniText& text, std::string& why);

class TIniFile {
public:
    explicit TIniFile(const std::string& fileName);

    const std::string& FileName() const { return fileName_; }

    // A key that is present gives its value, an empty one included; a
    // missing key gives the default.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue);
    // The value as a decimal or hexadecimal integer ("0x" counts as "$"),
    // StrToIntDef style: "12abc", an empty value or a missing key give the
    // default.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue);

    // Stores the value as given; a value with a CR, LF or NUL byte, an empty
    // section or key name, or a key name holding "=" is refused with
    // EIniFileException and nothing is written.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);

    // Clears strings and fills it with the key names of the section.
    void ReadSection(std::string_view section, TStrings& strings);
    // True when the section holds at least one key (an empty section
    // counts as missing).
    bool SectionExists(std::string_view section);
    bool ValueExists(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);
    void UpdateFile() {}

    // Holds the file's text for a run of reads: they look at the file once
    // (each look is a call to the file system: the 14000 keys of 2000
    // areas took 150 ms of looks under Wine) and see one state of it.
    class THold {
    public:
        explicit THold(TIniFile& ini) : ini_(ini) { ++ini_.holds_; }
        ~THold()
        {
            if (--ini_.holds_ == 0) ini_.held_ = false;
        }
        THold(const THold&) = delete;
        THold& operator=(const THold&) = delete;

    private:
        TIniFile& ini_;
    };

private:
    struct Stamp {
        bool exists = false;
        uintmax_t size = 0;
        int64_t time = 0;  // nanoseconds, as fine as the system keeps it
        bool operator==(const Stamp&) const = default;
    };
    Stamp CurrentStamp() const;
    // The text as the file holds it now; for a read under a hold, as it
    // held it at the first call.
    IniText& Current(bool read = true);
    // Writes text_ to the file.
    void Store();
    [[noreturn]] void WriteError(const std::string& why) const;

    std::string fileName_;
    std::filesystem::path path_;
    IniText text_;
    Stamp stamp_;
    bool loaded_ = false;
    int holds_ = 0;      // THold objects alive
    bool held_ = false;  // the file was looked at under them
};

}  // namespace rtl
