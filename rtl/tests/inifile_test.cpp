#include "rtl/inifile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "rtl/streams.h"
#include "rtl/tests/temp_dir.h"

namespace {

using rtl_test::ReadAll;
using rtl_test::WriteAll;

std::vector<std::string> Items(const rtl::TStrings& list)
{
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
    return out;
}

const char* const kSample =
    "; settings\n"
    "orphan=before any section\n"
    "[SYSTEM]\n"
    "LEDWIDTH=256\n"
    "  Com  =  3  \n"
    "empty=\n"
    "noequals\n"
    ";hidden=1\n"
    "quoted=\"a b\"\n"
    "half=\"a\n"
    "gbk=\xC4\xEA\xB7\xDD x\n"  // 年份 x
    "\xC4\x41=trail A\n"        // key: one double-byte character C4 41
    "LEDWIDTH=999\n"
    "[ TextArea1 ]\n"
    "x = 8\n"
    "[system]\n"
    "late=never seen\n";

TEST(TIniFile, ReadsWithTheProfileRules)
{
    rtl_test::TempDir dir;
    const std::string name = dir.Name("setprams.ini");
    WriteAll(name, kSample);  // LF line ends
    rtl::TIniFile ini(name);
    struct Case {
        const char* section;
        const char* key;
        std::string value;  // "<default>" when missing
    };
    const Case cases[] = {
        {"SYSTEM", "LEDWIDTH", "256"},  // the first of two keys
        {"system", "ledwidth", "256"},  // case-insensitive
        {" System ", " COM ", "3"},     // names and values trimmed
        {"SYSTEM", "empty", ""},        // present but empty: not the default
        {"SYSTEM", "noequals", "<default>"},
        {"SYSTEM", ";hidden", "<default>"},  // comments hold no key
        {"SYSTEM", "quoted", "a b"},         // a pair of quotes comes off
        {"SYSTEM", "half", "\"a"},
        {"SYSTEM", "GBK", "\xC4\xEA\xB7\xDD x"},  // bytes as they are
        {"SYSTEM", "\xC4\x41", "trail A"},
        {"SYSTEM", "\xC4\x61", "<default>"},  // trail bytes never fold
        {"SYSTEM", "late", "<default>"},      // a second [system] is never read
        {"SYSTEM", "x", "<default>"},         // keys stay inside their section
        {"textarea1", "X", "8"},
        {"", "orphan", "<default>"},
        {"NOSUCH", "x", "<default>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, "<default>"), c.value)
            << c.section << "/" << c.key;

    rtl::TStringList keys;
    keys.Add("stale");
    ini.ReadSection("system", keys);
    EXPECT_EQ(Items(keys), (std::vector<std::string>{"LEDWIDTH", "Com", "empty", "quoted", "half",
                                                     "gbk", "\xC4\x41", "LEDWIDTH"}));
    EXPECT_TRUE(ini.SectionExists("SYSTEM"));
    EXPECT_FALSE(ini.SectionExists("nosuch"));
    EXPECT_TRUE(ini.ValueExists("SYSTEM", "EMPTY"));
    EXPECT_FALSE(ini.ValueExists("SYSTEM", "noequals"));
}

TEST(TIniFile, ReadIntegerConvertsTheWholeValue)
{
    rtl_test::TempDir dir;
    const std::string name = dir.Name("n.ini");
    WriteAll(name,
             "[N]\r\na=12\r\nb=12abc\r\nc=0x1F\r\nd=0X1f\r\ne=$10\r\nf=\r\ng= -7 \r\n"
             "h=0x\r\ni=2147483648\r\nj=1.5\r\n");
    rtl::TIniFile ini(name);
    const std::pair<const char*, int32_t> cases[] = {
        {"a", 12}, {"b", -1}, {"c", 31}, {"d", 31}, {"e", 16},       {"f", -1},
        {"g", -7}, {"h", -1}, {"i", -1}, {"j", -1}, {"missing", -1},
    };
    for (const auto& [key, value] : cases) EXPECT_EQ(ini.ReadInteger("N", key, -1), value) << key;
}

TEST(TIniFile, MissingFileReadsEmptyAndTheFirstWriteCreatesIt)
{
    rtl_test::TempDir dir;
    const std::string name = dir.Name("setprams.ini");
    rtl::TIniFile ini(name);
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "LEDWIDTH", 0), 0);
    EXPECT_FALSE(ini.SectionExists("SYSTEM"));
    rtl::TStringList keys;
    ini.ReadSection("SYSTEM", keys);
    EXPECT_EQ(keys.Count(), 0);
    ini.DeleteKey("SYSTEM", "x");  // nothing to change: no file
    ini.EraseSection("SYSTEM");
    EXPECT_FALSE(std::filesystem::exists(name));

    ini.WriteInteger("SYSTEM", "LEDWIDTH", 256);
    ini.WriteString("SYSTEM", "COM", "2");
    ini.WriteString("TEXTAREA1", "statictext", "\\\xC4\xEA ^col:1^");
    EXPECT_EQ(ReadAll(name),
              "[SYSTEM]\r\nLEDWIDTH=256\r\nCOM=2\r\n"
              "[TEXTAREA1]\r\nstatictext=\\\xC4\xEA ^col:1^\r\n");
    EXPECT_FALSE(std::filesystem::exists(name + ".tmp"));
}

TEST(TIniFile, WritesChangeOnlyTheirLine)
{
    rtl_test::TempDir dir;
    const std::string name = dir.Name("w.ini");
    WriteAll(name, "; keep me\n[A]\n  One = 1 \nTwo=2\n\n[B]\nx=1\n[a]\nOne=dup\n");
    rtl::TIniFile ini(name);
    ini.WriteString("a", "ONE", "10");   // replaced in place, name kept as written
    ini.WriteString("A", "three", "3");  // after the last key, before the blank line
    ini.WriteString("C", "y", "");       // a new section at the end
    ini.WriteString("A", "Two", "2");    // unchanged: nothing written
    EXPECT_EQ(ReadAll(name),
              "; keep me\r\n[A]\r\nOne=10\r\nTwo=2\r\nthree=3\r\n\r\n[B]\r\nx=1\r\n[a]\r\n"
              "One=dup\r\n[C]\r\ny=\r\n");
    EXPECT_EQ(ini.ReadString("A", "one", ""), "10");

    ini.DeleteKey("A", "two");
    ini.EraseSection("B");
    EXPECT_EQ(ReadAll(name),
              "; keep me\r\n[A]\r\nOne=10\r\nthree=3\r\n\r\n[a]\r\nOne=dup\r\n[C]\r\ny=\r\n");
    ini.EraseSection("a");  // the first [A]; the second one shows now
    EXPECT_EQ(ini.ReadString("A", "One", ""), "dup");

    // Changes made by others are seen.
    WriteAll(name, "[A]\r\nOne=from outside, longer\r\n");
    EXPECT_EQ(ini.ReadString("A", "One", ""), "from outside, longer");
}

TEST(TIniFile, AHoldKeepsReadsOnTheFileAsItWasButWritesSeeItAsItIs)
{
    rtl_test::TempDir dir;
    const std::string name = dir.Name("h.ini");
    WriteAll(name, "[A]\r\nx=1\r\n");
    rtl::TIniFile ini(name);
    {
        const rtl::TIniFile::THold hold(ini);
        EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
        WriteAll(name, "[A]\r\nx=22\r\n");
        {
            const rtl::TIniFile::THold inner(ini);
        }
        EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);  // the outer hold still holds
        EXPECT_TRUE(ini.ValueExists("A", "x"));
        // A write changes the file as it is now, and reads see that.
        ini.WriteInteger("A", "y", 3);
        EXPECT_EQ(ReadAll(name), "[A]\r\nx=22\r\ny=3\r\n");
        EXPECT_EQ(ini.ReadInteger("A", "x", 0), 22);
        WriteAll(name, "[A]\r\nx=333\r\n");
        EXPECT_EQ(ini.ReadInteger("A", "x", 0), 22);
    }
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 333);  // the hold is over
}

TEST(TIniFile, LongValuesComeBackWhole)
{
    rtl_test::TempDir dir;
    const std::string name = dir.Name("long.ini");
    std::string value;
    for (int i = 0; i < 20000; ++i) value += "\xC4\xEA^x" + std::to_string(i % 10);
    rtl::TIniFile ini(name);
    ini.WriteString("TEXTAREA1", "PropertyText", value);
    rtl::TIniFile other(name);
    EXPECT_EQ(other.ReadString("TEXTAREA1", "PropertyText", ""), value);
}

TEST(TIniFile, RefusesWhatAnIniLineCannotHold)
{
    rtl_test::TempDir dir;
    const std::string name = dir.Name("r.ini");
    WriteAll(name, "[S]\r\nk=old\r\nnext=kept\r\n");
    rtl::TIniFile ini(name);
    const std::pair<std::string, std::string> badKeys[] = {
        {"S", "a=b"},  {"S", ""},         {"S", " "},  {"", "k"},
        {"S", "k\nx"}, {"S\r\n[X]", "k"}, {"S", ";k"}, {"S", "[k"},
    };
    for (const auto& [section, key] : badKeys)
        EXPECT_THROW(ini.WriteString(section, key, "v"), rtl::EIniFileException) << key;
    const std::string badValues[] = {"two\r\nlines", "cr\r", "lf\nnext=evil",
                                     std::string("nul\0", 4)};
    for (const auto& value : badValues) {
        try {
            ini.WriteString("S", "k", value);
            FAIL() << value;
        } catch (const rtl::EIniFileException& e) {
            EXPECT_NE(std::string(e.what()).find("line break"), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(ReadAll(name), "[S]\r\nk=old\r\nnext=kept\r\n");
}

// UTF-16 bytes of a text, with the byte order's mark.
std::string Utf16Bytes(std::u16string_view text, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t u : text) {
        const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
    return out;
}

// Files the way Windows' profile functions read and write them: a
// byte-order mark gives the encoding, which a write keeps (mark included);
// CR, LF and CR LF all end a line; values come and go as GBK.
TEST(TIniFile, ReadsAndWritesUnicodeFilesAndAnyLineEndsAsTheProfileFunctionsDo)
{
    // KEEP holds characters GBK lacks (an emoji, a Hangul syllable): a
    // line no write touches keeps them.
    const std::u16string before =
        u"[SYSTEM]\r\nLEDWIDTH=192\r\nNAME=\u4E2D\r\nKEEP=\U0001F600\uD55C\r\n";
    const std::u16string after =
        u"[SYSTEM]\r\nLEDWIDTH=200\r\nNAME=\u4E2D\r\nKEEP=\U0001F600\uD55C\r\nCOM=3\r\n"
        u"[TEXTAREA1]\r\nstatictext=\\\u4E2DA\r\n";
    struct Case {
        const char* name;
        std::string file, written;
    };
    const Case cases[] = {
        {"UTF-8 with its mark",
         "\xEF\xBB\xBF[SYSTEM]\r\nLEDWIDTH=192\r\nNAME=\xE4\xB8\xAD\r\nKEEP=\xF0\x9F\x98\x80\xED\x95\x9C\r\n",
         "\xEF\xBB\xBF[SYSTEM]\r\nLEDWIDTH=200\r\nNAME=\xE4\xB8\xAD\r\nKEEP=\xF0\x9F\x98\x80\xED\x95\x9C\r\n"
         "COM=3\r\n[TEXTAREA1]\r\nstatictext=\\\xE4\xB8\xAD"
         "A\r\n"},
        {"UTF-16 little-endian", Utf16Bytes(before, false), Utf16Bytes(after, false)},
        {"UTF-16 big-endian", Utf16Bytes(before, true), Utf16Bytes(after, true)},
        {"CR only", "[SYSTEM]\rLEDWIDTH=192\rNAME=\xD6\xD0\rKEEP=x\r",
         "[SYSTEM]\r\nLEDWIDTH=200\r\nNAME=\xD6\xD0\r\nKEEP=x\r\nCOM=3\r\n"
         "[TEXTAREA1]\r\nstatictext=\\\xD6\xD0"
         "A\r\n"},
        {"LF, CR and CR LF mixed", "[SYSTEM]\nLEDWIDTH=192\rNAME=\xD6\xD0\r\nKEEP=x",
         "[SYSTEM]\r\nLEDWIDTH=200\r\nNAME=\xD6\xD0\r\nKEEP=x\r\nCOM=3\r\n"
         "[TEXTAREA1]\r\nstatictext=\\\xD6\xD0"
         "A\r\n"},
        {"a UTF-8 mark alone", "\xEF\xBB\xBF",
         "\xEF\xBB\xBF[SYSTEM]\r\nCOM=3\r\nLEDWIDTH=200\r\n[TEXTAREA1]\r\n"
         "statictext=\\\xE4\xB8\xAD"
         "A\r\n"},
    };
    for (const Case& c : cases) {
        rtl_test::TempDir dir;
        const std::string name = dir.Name("setprams.ini");
        WriteAll(name, c.file);
        rtl::TIniFile ini(name);
        const bool markOnly = c.file.size() == 3;
        EXPECT_EQ(ini.ReadInteger("SYSTEM", "LEDWIDTH", 0), markOnly ? 0 : 192) << c.name;
        EXPECT_EQ(ini.ReadString("system", "name", ""), markOnly ? "" : "\xD6\xD0") << c.name;
        ini.WriteInteger("SYSTEM", "COM", 3);
        ini.WriteString("TEXTAREA1", "statictext",
                        "\\\xD6\xD0"
                        "A");  // \中A
        ini.WriteInteger("SYSTEM", "LEDWIDTH", 200);
        EXPECT_EQ(ReadAll(name), c.written) << c.name;
        EXPECT_EQ(rtl::TIniFile(name).ReadString("TEXTAREA1", "statictext", ""),
                  "\\\xD6\xD0"
                  "A")
            << c.name;
    }
}

// UTF-16 without a mark reads as 8-bit text, which finds nothing in it; a
// write would add 8-bit lines to it, so it is refused and the file kept.
TEST(TIniFile, RefusesToWriteIntoUtf16WithoutAMark)
{
    rtl_test::TempDir dir;
    const std::string name = dir.Name("setprams.ini");
    const std::string file = Utf16Bytes(u"[SYSTEM]\r\nLEDWIDTH=192\r\n", false).substr(2);
    WriteAll(name, file);
    rtl::TIniFile ini(name);
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "LEDWIDTH", 0), 0);
    try {
        ini.WriteInteger("SYSTEM", "COM", 3);
        FAIL() << "written";
    } catch (const rtl::EIniFileException& e) {
        EXPECT_NE(std::string(e.what()).find("NUL"), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadAll(name), file);
}

// A UTF-16 file cut after an odd byte: its last line ends in half a unit.
// Lines written after it must still start on a 16-bit boundary, so the
// whole file reads back after a write.
TEST(TIniFile, AUtf16FileCutAfterAnOddByteStaysReadableAfterAWrite)
{
    rtl_test::TempDir dir;
    const std::string name = dir.Name("setprams.ini");
    for (const bool bigEndian : {false, true}) {
        std::string file = Utf16Bytes(u"[SYSTEM]\r\nLEDWIDTH=192", bigEndian);
        file += 'x';
        WriteAll(name, file);
        {
            rtl::TIniFile ini(name);
            ini.WriteInteger("TEXTAREA1", "LEFT", 5);
        }
        rtl::TIniFile ini(name);
        EXPECT_EQ(ini.ReadInteger("TEXTAREA1", "LEFT", 0), 5) << bigEndian;
        EXPECT_EQ(ini.ReadString("SYSTEM", "LEDWIDTH", ""), "192?") << bigEndian;
        EXPECT_EQ(ReadAll(name).size() % 2, 0u) << bigEndian;
    }
}

// A settings file kept elsewhere and linked in: the write goes to the
// file the link points to, and the link stays.
TEST(TIniFile, WritesThroughASymbolicLink)
{
    rtl_test::TempDir dir;
    std::filesystem::create_directory(dir.Path() / "kept");
    const std::string target = dir.Name("kept/setprams.ini");
    const std::string link = dir.Name("setprams.ini");
    WriteAll(target, "[S]\r\nk=old\r\n");
    std::error_code ec;
    std::filesystem::create_symlink(std::filesystem::path("kept") / "setprams.ini", link, ec);
    if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();

    rtl::TIniFile ini(link);
    ini.WriteString("S", "k", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadAll(target), "[S]\r\nk=new\r\n");
    EXPECT_FALSE(std::filesystem::exists(target + ".tmp"));
    EXPECT_FALSE(std::filesystem::exists(link + ".tmp"));
}

// Each way a write can fail raises with the file name and a reason, and
// leaves what was on disk as it was. These do not rely on folder
// permissions, which do not stop a process running as root.
TEST(TIniFile, FailedWritesRaiseAndKeepTheOldFile)
{
    rtl_test::TempDir dir;
    const std::string old = "[S]\r\nk=old\r\n";

    auto expectFailure = [](rtl::TIniFile& ini, const std::string& reason) {
        try {
            ini.WriteString("S", "k", "new");
            FAIL() << ini.FileName();
        } catch (const rtl::EIniFileException& e) {
            const std::string m = e.what();
            EXPECT_NE(m.find("Unable to write to \"" + ini.FileName() + "\": "), std::string::npos)
                << m;
            EXPECT_NE(m.find(reason), std::string::npos) << m;
        }
    };

    // The folder is a regular file.
    const std::string plain = dir.Name("plain");
    WriteAll(plain, "x");
    rtl::TIniFile underFile(dir.Name("plain/setprams.ini"));
    expectFailure(underFile, "temporary file");
    EXPECT_EQ(ReadAll(plain), "x");

    // The temporary file cannot be made: a folder stands in its place.
    const std::string blocked = dir.Name("blocked.ini");
    WriteAll(blocked, old);
    std::filesystem::create_directory(blocked + ".tmp");
    rtl::TIniFile blockedIni(blocked);
    expectFailure(blockedIni, "temporary file");
    EXPECT_EQ(ReadAll(blocked), old);
    EXPECT_EQ(blockedIni.ReadString("S", "k", ""), "old");  // the failed change is dropped

    // A read-only file.
    const std::string locked = dir.Name("locked.ini");
    WriteAll(locked, old);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::group_read |
                                             std::filesystem::perms::others_read);
    rtl::TIniFile lockedIni(locked);
    expectFailure(lockedIni, "read-only");
    EXPECT_EQ(ReadAll(locked), old);

    // A folder of the file's name.
    const std::string folder = dir.Name("folder.ini");
    std::filesystem::create_directory(folder);
    rtl::TIniFile folderIni(folder);
    expectFailure(folderIni, "folder");
}

// File names are GBK: on Windows they reach the file system as UTF-16
// through the 936 codec, elsewhere as their bytes.
TEST(Files, NamesAreGbk)
{
    rtl_test::TempDir dir;
#ifdef _WIN32
    const std::filesystem::path native = dir.Path() / L"\u5E74.ini";  // 年.ini
#else
    const std::filesystem::path native = dir.Path() / "\xC4\xEA.ini";
#endif
    if (!std::ofstream(dir.Path() / native.filename().concat(".probe")))
        GTEST_SKIP() << "this file system cannot hold a Chinese file name here "
                        "(Wine without a generated zh_CN.UTF-8 locale)";

    const std::string name = dir.Name("") + "\xC4\xEA.ini";
    {
        rtl::TFileStream f(name, rtl::fmCreate);
        f.WriteBuffer("x", 1);
    }
    EXPECT_EQ(rtl_test::ReadAll(native), "x");
    rtl::TIniFile ini(name);  // replaced through a temporary file of that name
    ini.WriteString("S", "k", "\xC4\xEA");
    EXPECT_EQ(rtl_test::ReadAll(native), "x\r\n[S]\r\nk=\xC4\xEA\r\n");
}

}  // namespace
