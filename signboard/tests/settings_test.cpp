#include "signboard/settings.h"

#include <gtest/gtest.h>

#include "rtl/tests/temp_dir.h"
#include "signboard/messages.h"

namespace {

using rtl_test::ReadAll;
using rtl_test::WriteAll;
using signboard::AreaRecord;

class Settings : public ::testing::Test {
protected:
    std::vector<AreaRecord> Load()
    {
        rtl::TIniFile ini(file);
        return signboard::LoadAreas(ini);
    }

    rtl_test::TempDir dir;
    const std::string file = dir.Name("setprams.ini");
};

// A layout as the program has always written it.
const char kOldFile[] =
    "[SYSTEM]\r\n"
    "LEDWIDTH=192\r\n"
    "LEDHEIGHT=64\r\n"
    "COM=1\r\n"
    "isDebug=1\r\n"
    "TEXTAREANUM=2\r\n"
    "[TEXTAREA1]\r\n"
    "x=0\r\n"
    "y=0\r\n"
    "width=64\r\n"
    "height=16\r\n"
    "statictext=\\ \xC4\xEA\xD4\xC2^col:1^\\x\r\n"
    "areatype=0\r\n"
    "PropertyText={\"fontsize\":1,\"fontcolor\":1,\"speed\":0,\"loop\":0,\"stoptime\":0,\"istime\":0,\"issave\":1}\r\n"
    "[TEXTAREA2]\r\n"
    "x=64\r\n"
    "y=16\r\n"
    "width=128\r\n"
    "height=8\r\n"
    "statictext=\\\r\n"
    "areatype=1\r\n"
    "PropertyText=\r\n";

TEST_F(Settings, ReadsTheFileAsTheProgramWroteIt)
{
    WriteAll(file, kOldFile);
    rtl::TIniFile ini(file);
    const auto system = signboard::ReadSystemSettings(ini);
    EXPECT_EQ(system.LedWidth, 192);
    EXPECT_EQ(system.LedHeight, 64);
    EXPECT_EQ(system.Com, 1);
    EXPECT_EQ(system.IsDebug, 1);

    const std::vector<AreaRecord> expected = {
        {0, 0, 64, 16, " \xC4\xEA\xD4\xC2^col:1^\\x", 0,
         R"({"fontsize":1,"fontcolor":1,"speed":0,"loop":0,"stoptime":0,"istime":0,"issave":1})"},
        {64, 16, 128, 8, "", 1, ""},
    };
    EXPECT_EQ(signboard::LoadAreas(ini), expected);

    // Saving the same layout again leaves the file byte for byte.
    EXPECT_TRUE(signboard::SaveAreas(file, expected).Saved);
    EXPECT_EQ(ReadAll(file), kOldFile);
}

TEST_F(Settings, MissingFileAndMissingKeysGiveTheDefaults)
{
    rtl::TIniFile none(file);
    const auto system = signboard::ReadSystemSettings(none);
    EXPECT_EQ(system.LedWidth, 0);
    EXPECT_EQ(system.LedHeight, 0);
    EXPECT_EQ(system.Com, 0);
    EXPECT_EQ(system.IsDebug, 0);
    EXPECT_TRUE(signboard::LoadAreas(none).empty());

    WriteAll(
        file,
        "[SYSTEM]\r\nTEXTAREANUM=3\r\n[TEXTAREA1]\r\nx=8\r\nheight=abc\r\n[TEXTAREA3]\r\nstatictext=\r\n");
    const auto areas = Load();
    ASSERT_EQ(areas.size(), 3u);
    EXPECT_EQ(areas[0], (AreaRecord{8, 20, 128, 16, "", 0, ""}));
    EXPECT_EQ(areas[1], AreaRecord{});
    EXPECT_EQ(areas[1], (AreaRecord{20, 20, 128, 16, "", 0, ""}));
    EXPECT_EQ(areas[2], AreaRecord{});

    for (const char* count : {"0", "-4", "x"}) {
        WriteAll(file,
                 std::string("[SYSTEM]\r\nTEXTAREANUM=") + count + "\r\n[TEXTAREA1]\r\nx=8\r\n");
        EXPECT_TRUE(Load().empty()) << count;
    }
}

TEST_F(Settings, SaveLoadRoundTrip)
{
    std::string longText(5000, 'A');
    longText += "\xC4\xEA";
    const std::vector<AreaRecord> areas = {
        {0, 3, 16, 5, "\xC4\xEA\xD4\xC2\xC8\xD5 \xCA\xB1", 0, R"({"fontsize":3})"},
        {8, 0, 8, 1, "line 1\r\nline 2\nline 3 ", 0, ""},
        {16, 24, 64, 32, longText, 1, std::string(3000, '1')},
        {24, 0, 8, 8, " blank first, %25 and \\ kept", 7, ""},
        {32, 65535, 8, 65535, std::string("\0\x1F", 2), -5, ""},
    };
    const auto result = signboard::SaveAreas(file, areas);
    EXPECT_TRUE(result.Saved) << result.Message;
    EXPECT_EQ(Load(), areas);

    // Saving 3 areas after 5: TEXTAREANUM=3, sections 4 and 5 stay unread.
    const std::vector<AreaRecord> three(areas.begin(), areas.begin() + 3);
    EXPECT_TRUE(signboard::SaveAreas(file, three).Saved);
    EXPECT_EQ(Load(), three);
    rtl::TIniFile ini(file);
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "TEXTAREANUM", -1), 3);
    EXPECT_EQ(ini.ReadInteger("TEXTAREA5", "y", -1), 65535);

    // A text without line breaks is stored as it always was; every key
    // keeps its name.
    const std::string text = ReadAll(file);
    EXPECT_NE(text.find("\r\nstatictext=\\\xC4\xEA\xD4\xC2\xC8\xD5 \xCA\xB1\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nstatictext=%line 1%0D%0Aline 2%0Aline 3%20\r\n"), std::string::npos);
    for (const char* key :
         {"\r\nx=", "\r\ny=", "\r\nwidth=", "\r\nheight=", "\r\nareatype=", "\r\nPropertyText="})
        EXPECT_NE(text.find(key), std::string::npos) << key;
}

TEST_F(Settings, ABadAreaWritesNothing)
{
    WriteAll(file, kOldFile);
    for (const AreaRecord& bad :
         {AreaRecord{8, 0, 20, 16, "", 0, ""}, AreaRecord{4, 0, 16, 16, "", 0, ""},
          AreaRecord{-4, 0, 16, 16, "", 0, ""}, AreaRecord{0, 0, -20, 16, "", 0, ""}}) {
        const std::vector<AreaRecord> layout = {AreaRecord{0, 0, 8, 8, "ok", 0, ""}, bad};
        const auto result = signboard::SaveAreas(file, layout);
        EXPECT_FALSE(result.Saved);
        EXPECT_EQ(result.Message, signboard::kMsgAreaBad);
        EXPECT_EQ(ReadAll(file), kOldFile);
    }
}

// Only Left and Width are checked: an area above or left of the sign, or
// without a height or width, is written and read back as it is.
TEST_F(Settings, AreasOffTheSignOrWithoutASizeAreKept)
{
    const std::vector<AreaRecord> layout = {
        {0, -16, 64, 16, "above", 0, ""}, {-8, 0, 16, 16, "left", 0, ""},
        {0, 3, 16, 0, "flat", 0, ""},     {0, 0, 0, 16, "narrow", 0, ""},
        {0, 0, 16, -3, "", 1, ""},        {65536, 70000, 8, 16, "far", 0, ""},
    };
    const auto result = signboard::SaveAreas(file, layout);
    ASSERT_TRUE(result.Saved) << result.Message;
    EXPECT_EQ(Load(), layout);
}

// What the next start would refuse is never written, and what it refuses
// is never half-loaded: the limits of area count and text length meet.
TEST_F(Settings, LayoutLimitsHoldForLoadAndSaveAlike)
{
    using signboard::kMaxAreaCount;
    using signboard::kMaxAreaTextLength;
    const std::string longest(kMaxAreaTextLength, 'A');
    const std::string tooLong = longest + "\xC4\xEA";

    // At the limits: saved and loaded whole.
    std::vector<AreaRecord> areas(kMaxAreaCount, AreaRecord{0, 0, 8, 8, "x", 0, ""});
    areas[1].statictext = longest;
    ASSERT_TRUE(signboard::SaveAreas(file, areas).Saved);
    rtl::TIniFile ini(file);
    auto load = signboard::LoadLayout(ini);
    EXPECT_FALSE(load.Refused()) << load.Message;
    EXPECT_EQ(load.Areas, areas);

    // One area more, or one text too long: not saved, the file as it was.
    const std::string before = ReadAll(file);
    auto more = areas;
    more.push_back(areas[0]);
    auto result = signboard::SaveAreas(file, more);
    EXPECT_FALSE(result.Saved);
    EXPECT_EQ(result.Message, signboard::kMsgTooManyAreasToSave + std::to_string(kMaxAreaCount));
    auto longer = areas;
    longer[2].statictext = tooLong;
    result = signboard::SaveAreas(file, longer);
    EXPECT_FALSE(result.Saved);
    EXPECT_EQ(result.Message, std::string(signboard::kMsgAreaTextTooLongToSave) + "3");
    EXPECT_EQ(ReadAll(file), before);

    // The same in a file written by hand: refused whole at load.
    const std::pair<std::string, std::string> refused[] = {
        {"[SYSTEM]\r\nTEXTAREANUM=2001\r\n",
         signboard::kMsgTooManyAreas + std::to_string(kMaxAreaCount)},
        {"[SYSTEM]\r\nTEXTAREANUM=2\r\n[TEXTAREA1]\r\nstatictext=\\ok\r\n[TEXTAREA2]\r\n"
         "statictext=\\" +
             tooLong + "\r\n",
         std::string(signboard::kMsgAreaTextTooLong) + "2"},
    };
    for (const auto& [text, message] : refused) {
        WriteAll(file, text);
        load = signboard::LoadLayout(ini);
        EXPECT_EQ(load.Message, message);
        EXPECT_TRUE(load.Areas.empty());
        EXPECT_EQ(ReadAll(file), text);
    }
}

TEST_F(Settings, AFailedSaveLeavesTheOldFileAndSaysWhy)
{
    WriteAll(file, kOldFile);
    const std::vector<AreaRecord> layout = {AreaRecord{0, 0, 8, 8, "new", 0, ""}};

    // The file cannot be replaced: a folder stands where its temporary
    // file goes (folder permissions do not stop root).
    std::filesystem::create_directory(file + ".tmp");
    auto result = signboard::SaveAreas(file, layout);
    EXPECT_FALSE(result.Saved);
    EXPECT_NE(result.Message.find("Unable to write to \"" + file + "\": "), std::string::npos)
        << result.Message;
    EXPECT_EQ(ReadAll(file), kOldFile);
    std::filesystem::remove(file + ".tmp");

    // A property text no ini line can hold: refused before anything is written.
    result = signboard::SaveAreas(file, {AreaRecord{0, 0, 8, 8, "new", 0, "{\n}"}});
    EXPECT_FALSE(result.Saved);
    EXPECT_NE(result.Message.find("Unable to write to"), std::string::npos);
    EXPECT_EQ(ReadAll(file), kOldFile);

    // The folder does not exist.
    result = signboard::SaveAreas(dir.Name("missing/setprams.ini"), layout);
    EXPECT_FALSE(result.Saved);
    EXPECT_FALSE(result.Message.empty());
}

TEST_F(Settings, SignSettingsConvertBothNumbersBeforeWriting)
{
    WriteAll(file, kOldFile);
    EXPECT_THROW(signboard::SaveSignSettings(file, "256", "x", 2), rtl::EConvertError);
    EXPECT_THROW(signboard::SaveSignSettings(file, "", "32", 2), rtl::EConvertError);
    EXPECT_EQ(ReadAll(file), kOldFile);

    const auto size = signboard::SaveSignSettings(file, "256", " 32", 3);
    EXPECT_EQ(size.LedWidth, 256);
    EXPECT_EQ(size.LedHeight, 32);
    rtl::TIniFile ini(file);
    const auto system = signboard::ReadSystemSettings(ini);
    EXPECT_EQ(system.LedWidth, 256);
    EXPECT_EQ(system.LedHeight, 32);
    EXPECT_EQ(system.Com, 3);
    EXPECT_EQ(signboard::LoadAreas(ini).size(), 2u);

    std::filesystem::create_directory(file + ".tmp");
    EXPECT_THROW(signboard::SaveSignSettings(file, "8", "8", 0), rtl::EIniFileException);
    EXPECT_EQ(signboard::ReadSystemSettings(ini).LedWidth, 256);
}

TEST(SettingsFileName, BesideTheProgramFile)
{
    EXPECT_EQ(signboard::SettingsFileName("C:\\signs\\signboard.exe"), "C:\\signs\\setprams.ini");
    EXPECT_EQ(signboard::SettingsFileName("/opt/signs/signboard"), "/opt/signs/setprams.ini");
    EXPECT_EQ(signboard::SettingsFileName("signboard.exe"), "setprams.ini");
    // 5Ch as the second byte of a double-byte character is no separator.
    EXPECT_EQ(signboard::SettingsFileName("C:\\\xB1\x5C\\\xB1\x5Cx.exe"),
              "C:\\\xB1\x5C\\setprams.ini");
}

}  // namespace
