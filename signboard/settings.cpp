#include "signboard/settings.h"

#include <fstream>
#include <sstream>

#include "rtl/files.h"
#include "rtl/gbk.h"
#include "rtl/initext.h"
#include "rtl/sysutils.h"
#include "signboard/messages.h"

namespace signboard {

namespace {

constexpr char kSystem[] = "SYSTEM";

std::string AreaSection(size_t n) { return "TEXTAREA" + rtl::IntToStr(static_cast<int64_t>(n)); }

// Changes to one ini file, written together: the file's current text with
// every change applied replaces the file at once.
class TIniChanges {
public:
    explicit TIniChanges(const std::string& fileName) : fileName_(fileName)
    {
        const std::filesystem::path path = rtl::PathFromGbk(fileName);
        std::error_code ec;
        const bool exists = std::filesystem::exists(path, ec);
        if (ec) Fail("the file cannot be read (" + ec.message() + ")");
        if (!exists) return;
        std::ifstream in(path, std::ios::binary);
        if (!in) Fail("the file cannot be read");
        std::ostringstream all;
        all << in.rdbuf();
        text_.Parse(all.str());
    }

    void SetString(std::string_view section, std::string_view key, std::string_view value)
    {
        std::string why = rtl::IniText::CheckNames(section, key);
        if (why.empty()) why = rtl::IniText::CheckValue(value);
        if (!why.empty()) Fail(why + " ([" + std::string(section) + "] " + std::string(key) + ")");
        changed_ = text_.SetValue(section, key, value) || changed_;
    }
    void SetInteger(std::string_view section, std::string_view key, int32_t value)
    {
        SetString(section, key, rtl::IntToStr(value));
    }

    void Write()
    {
        if (!changed_) return;
        std::string why;
        if (!rtl::StoreIniText(fileName_, text_, why)) Fail(why);
    }

private:
    [[noreturn]] void Fail(const std::string& why) const
    {
        throw rtl::EIniFileException("Unable to write to \"" + fileName_ + "\": " + why);
    }

    std::string fileName_;
    rtl::IniText text_;
    bool changed_ = false;
};

}  // namespace

std::string SettingsFileName(std::string_view programFile)
{
    size_t folderEnd = 0;
    for (size_t i = 0; i < programFile.size(); ++i) {
        const char c = programFile[i];
        if ((c == '\\' || c == '/') && rtl::IsGbkCharBoundary(programFile, i)) folderEnd = i + 1;
    }
    return std::string(programFile.substr(0, folderEnd)) + kSettingsFileName;
}

TSystemSettings ReadSystemSettings(rtl::TIniFile& ini)
{
    TSystemSettings s;
    s.LedWidth = ini.ReadInteger(kSystem, "LEDWIDTH", 0);
    s.LedHeight = ini.ReadInteger(kSystem, "LEDHEIGHT", 0);
    s.Com = ini.ReadInteger(kSystem, "COM", 0);
    s.IsDebug = ini.ReadInteger(kSystem, "isDebug", 0);
    return s;
}

int32_t ReadAreaCount(rtl::TIniFile& ini) { return ini.ReadInteger(kSystem, "TEXTAREANUM", 0); }

std::vector<AreaRecord> LoadAreas(rtl::TIniFile& ini)
{
    const rtl::TIniFile::THold hold(ini);
    const int32_t count = ReadAreaCount(ini);
    std::vector<AreaRecord> areas;
    for (int32_t n = 1; n <= count; ++n) {
        const std::string section = AreaSection(static_cast<size_t>(n));
        const AreaRecord defaults;
        AreaRecord a;
        a.x = ini.ReadInteger(section, "x", defaults.x);
        a.y = ini.ReadInteger(section, "y", defaults.y);
        a.width = ini.ReadInteger(section, "width", defaults.width);
        a.height = ini.ReadInteger(section, "height", defaults.height);
        a.statictext = AreaTextFromStored(ini.ReadString(section, "statictext", ""));
        a.areatype = ini.ReadInteger(section, "areatype", defaults.areatype);
        a.PropertyText = ini.ReadString(section, "PropertyText", "");
        areas.push_back(std::move(a));
        if (n == INT32_MAX) break;
    }
    return areas;
}

TLayoutLoad LoadLayout(rtl::TIniFile& ini)
{
    // All the areas from one reading of the file.
    const rtl::TIniFile::THold hold(ini);
    TLayoutLoad load;
    if (ReadAreaCount(ini) > kMaxAreaCount) {
        load.Message = kMsgTooManyAreas + rtl::IntToStr(kMaxAreaCount);
        return load;
    }
    load.Areas = LoadAreas(ini);
    for (size_t i = 0; i < load.Areas.size(); ++i) {
        if (load.Areas[i].statictext.size() > kMaxAreaTextLength) {
            load.Message = kMsgAreaTextTooLong + rtl::IntToStr(static_cast<int64_t>(i + 1));
            load.Areas.clear();
            break;
        }
    }
    return load;
}

TSaveResult SaveAreas(const std::string& fileName, const std::vector<AreaRecord>& areas)
{
    for (const AreaRecord& a : areas) {
        if (!IsAreaSavable(a)) return {false, kMsgAreaBad};
    }
    if (areas.size() > static_cast<size_t>(kMaxAreaCount))
        return {false, kMsgTooManyAreasToSave + rtl::IntToStr(kMaxAreaCount)};
    for (size_t i = 0; i < areas.size(); ++i) {
        if (areas[i].statictext.size() > kMaxAreaTextLength)
            return {false, kMsgAreaTextTooLongToSave + rtl::IntToStr(static_cast<int64_t>(i + 1))};
    }
    try {
        TIniChanges ini(fileName);
        ini.SetInteger(kSystem, "TEXTAREANUM", static_cast<int32_t>(areas.size()));
        for (size_t i = 0; i < areas.size(); ++i) {
            const AreaRecord& a = areas[i];
            const std::string section = AreaSection(i + 1);
            ini.SetInteger(section, "x", a.x);
            ini.SetInteger(section, "y", a.y);
            ini.SetInteger(section, "width", a.width);
            ini.SetInteger(section, "height", a.height);
            ini.SetString(section, "statictext", StoredAreaText(a.statictext));
            ini.SetInteger(section, "areatype", a.areatype);
            ini.SetString(section, "PropertyText", a.PropertyText);
        }
        ini.Write();
    } catch (const rtl::EIniFileException& e) {
        return {false, e.Message()};
    }
    return {true, {}};
}

TSignSize SaveSignSettings(const std::string& fileName, std::string_view widthText,
                           std::string_view heightText, int32_t com)
{
    const TSignSize size{rtl::StrToInt(widthText), rtl::StrToInt(heightText)};
    TIniChanges ini(fileName);
    ini.SetInteger(kSystem, "LEDWIDTH", size.LedWidth);
    ini.SetInteger(kSystem, "LEDHEIGHT", size.LedHeight);
    ini.SetInteger(kSystem, "COM", com);
    ini.Write();
    return size;
}

}  // namespace signboard
