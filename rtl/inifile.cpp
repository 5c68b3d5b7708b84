#include "rtl/inifile.h"

#include <sys/stat.h>

#include "rtl/files.h"

namespace rtl {

TIniFile::TIniFile(const std::string& fileName) : fileName_(fileName), path_(PathFromGbk(fileName))
{}

TIniFile::Stamp TIniFile::CurrentStamp() const
{
    // One status call gives kind, size and time together: every read asks,
    // so that a change made by another program is seen at once.
#ifdef _WIN32
    struct _stat64 st {};
    if (_wstat64(path_.c_str(), &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) return Stamp{};
    return Stamp{true, static_cast<uintmax_t>(st.st_size),
                 static_cast<int64_t>(st.st_mtime) * 1000000000};
#else
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return Stamp{};
    return Stamp{true, static_cast<uintmax_t>(st.st_size),
                 static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
#endif
}

IniText& TIniFile::Current(bool read)
{
    if (read && held_ && loaded_) return text_;
    held_ = holds_ > 0;
    const Stamp stamp = CurrentStamp();
    if (loaded_ && stamp == stamp_) return text_;
    std::string bytes;
    if (stamp.exists) {
        // A file that cannot be read reads as empty, as a missing one does.
        bytes = ReadWholeFile(path_).value_or(std::string());
    }
    text_.Parse(bytes);
    stamp_ = stamp;
    loaded_ = true;
    return text_;
}

void TIniFile::WriteError(const std::string& why) const
{
    throw EIniFileException("Unable to write to \"" + fileName_ + "\": " + why);
}

bool StoreIniText(const std::string& fileName, const IniText& text, std::string& why)
{
    why = text.CheckStorable();
    return why.empty() && ReplaceFile(fileName, text.Text(), why);
}

void TIniFile::Store()
{
    std::string why;
    if (!StoreIniText(fileName_, text_, why)) {
        loaded_ = false;  // the change is dropped: read the file as it is next time
        WriteError(why);
    }
    stamp_ = CurrentStamp();
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue)
{
    const auto value = Current().Value(section, key);
    return value ? *value : std::string(defaultValue);
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue)
{
    std::string s = ReadString(section, key, "");
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = "$" + s.substr(2);
    return StrToIntDef(s, defaultValue);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    std::string why = IniText::CheckNames(section, key);
    if (why.empty()) why = IniText::CheckValue(value);
    if (!why.empty())
        WriteError(why + " ([" + std::string(section) + "] " + std::string(key) + ")");
    if (Current(false).SetValue(section, key, value)) Store();
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value)
{
    WriteString(section, key, IntToStr(value));
}

void TIniFile::ReadSection(std::string_view section, TStrings& strings)
{
    const auto keys = Current().Keys(section);
    strings.BeginUpdate();
    try {
        strings.Clear();
        for (const std::string& key : keys) strings.Add(key);
    } catch (...) {
        strings.EndUpdate();
        throw;
    }
    strings.EndUpdate();
}

bool TIniFile::SectionExists(std::string_view section) { return !Current().Keys(section).empty(); }

bool TIniFile::ValueExists(std::string_view section, std::string_view key)
{
    return Current().Value(section, key).has_value();
}

void TIniFile::EraseSection(std::string_view section)
{
    if (Current(false).EraseSection(section)) Store();
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    if (Current(false).DeleteKey(section, key)) Store();
}

}  // namespace rtl
