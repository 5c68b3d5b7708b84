#include "skin/file/skinread.h"

#include <gtest/gtest.h>

#include "tools/skinpack/lzhencode.h"
#include "tools/skinpack/skinwrite.h"

using skin::TSkinReader;
using skin::TSkinReadError;
using skinpack::TSkinMember;

namespace {

void PutU32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(char(v >> (8 * i)));
}

// An unpacked container spelled out field by field, for files the writer
// would not make.
std::string RawContainer(uint32_t version, int32_t nameListSize, const std::string& block,
                         const std::string& names, const std::vector<int32_t>& sizes,
                         const std::string& data)
{
    std::string out;
    PutU32(out, version);
    PutU32(out, uint32_t(nameListSize));
    out.append(8, '\0');
    out += block + names;
    for (const int32_t s : sizes) PutU32(out, uint32_t(s));
    return out + data;
}

const std::vector<TSkinMember> kMembers = {
    {"Buttons.bmp", "BM-buttons"},
    {"Skin.INI", "[Colours]\r\nButtonFace=1,2,3\r\n"},
    {"empty.bmp", ""},
    {"buttons.BMP", "BM-second"},
    {"\xB0\x41Title.bmp", "BM-title"},  // a GBK character whose trail byte is 'A'
};

}  // namespace

TEST(SkinReader, ReadsEveryKnownVersion)
{
    for (const uint32_t version : {20000u, 30000u, 40000u, 50000u, 60000u, 70000u}) {
        TSkinReader reader;
        ASSERT_TRUE(reader.ReadSkin(skinpack::PackSkin(version, kMembers))) << version;
        EXPECT_EQ(reader.Error(), TSkinReadError::None);
        EXPECT_EQ(reader.FormatVersion(), version);
        EXPECT_EQ(reader.MemberCount(), 5);
        EXPECT_EQ(reader.Names()[1], "skin.ini");
        EXPECT_EQ(reader.ExtractMember("empty.bmp"), "");
        EXPECT_EQ(reader.ExtractMember("\xB0\x41TITLE.BMP"), "BM-title");
    }
}

TEST(SkinReader, Version20000HasNoBlock)
{
    const std::string unpacked = skinpack::WriteContainer(20000, {{"a.bmp", "x"}});
    EXPECT_EQ(unpacked.substr(16, 7), "a.bmp\r\n");
    TSkinReader reader;
    ASSERT_TRUE(reader.ReadSkin(skinpack::PackBytes(unpacked)));
    EXPECT_EQ(reader.NameListSize(), 7);
    EXPECT_EQ(reader.ExtractMember("a.bmp"), "x");
}

TEST(SkinReader, LooksUpMembersByName)
{
    TSkinReader reader;
    ASSERT_TRUE(reader.ReadSkin(skinpack::PackSkin(40000, kMembers)));
    struct Case {
        const char* name;
        const char* bytes;
    };
    const Case cases[] = {
        {"buttons.bmp", "BM-buttons"},  // first of two equal names
        {"BUTTONS.BMP", "BM-buttons"},
        {"Buttons.bmp", "BM-buttons"},
        {"skin.ini", "[Colours]\r\nButtonFace=1,2,3\r\n"},
        {"missing.bmp", ""},
        {"buttons", ""},  // whole names only
    };
    for (const Case& c : cases) EXPECT_EQ(reader.ExtractMember(c.name), c.bytes) << c.name;

    std::string name = "stale";
    EXPECT_EQ(reader.ExtractMemberLike(".ini", name), kMembers[1].data);
    EXPECT_EQ(name, "skin.ini");
    EXPECT_EQ(reader.ExtractMemberLike("title", name), "BM-title");
    EXPECT_EQ(name, "\xB0\x41title.bmp");
    for (const char* text : {".INI", "", "nothing"}) {
        EXPECT_EQ(reader.ExtractMemberLike(text, name), "") << text;
        EXPECT_EQ(name, "") << text;
    }
}

TEST(SkinReader, NameListLineEnds)
{
    // Lone CR and LF end lines too; a last line end adds no member.
    const std::string names = "a.bmp\rb.bmp\nc.ini\r\n";
    const std::string unpacked =
        RawContainer(20000, int32_t(names.size()), "", names, {1, 2, 3}, "abbccc");
    TSkinReader reader;
    ASSERT_TRUE(reader.ReadSkin(skinpack::PackBytes(unpacked)));
    ASSERT_EQ(reader.MemberCount(), 3);
    EXPECT_EQ(reader.ExtractMember("b.bmp"), "bb");
    EXPECT_EQ(reader.ExtractMember("c.ini"), "ccc");
}

TEST(SkinReader, UnknownVersionIsReportedAsOlder)
{
    for (const uint32_t version : {0u, 10000u, 40001u, 80000u}) {
        const std::string unpacked = RawContainer(version, 7, "", "a.bmp\r\n", {1}, "x");
        TSkinReader reader;
        EXPECT_FALSE(reader.ReadSkin(skinpack::PackBytes(unpacked))) << version;
        EXPECT_EQ(reader.Error(), TSkinReadError::OlderVersion);
        EXPECT_EQ(reader.MemberCount(), 0);
    }
    EXPECT_STREQ(TSkinReader::kOlderSkinMessage,
                 "This is Older Skin File\rPlease update to new version !");
}

TEST(SkinReader, SizesThatDoNotFitAreABadFile)
{
    const std::string names = "a.bmp\r\nb.bmp\r\n";
    const int32_t n = int32_t(names.size());
    std::string manyNames;
    for (int i = 0; i < 1002; ++i) manyNames += "m\r\n";
    struct Case {
        const char* name;
        std::string unpacked;
    };
    const Case cases[] = {
        {"no header", std::string(15, '\0')},
        {"block beyond the data", RawContainer(30000, 0, std::string(100, '\0'), "", {}, "")},
        {"negative name list", RawContainer(20000, -1, "", names, {1, 1}, "ab")},
        {"name list beyond the data", RawContainer(20000, 1000, "", names, {1, 1}, "ab")},
        {"size table beyond the data", RawContainer(20000, n, "", names, {}, "abcd")},
        {"negative member size", RawContainer(20000, n, "", names, {-1, 3}, "ab")},
        {"members beyond the data", RawContainer(20000, n, "", names, {1, 2}, "ab")},
        {"sizes overflowing", RawContainer(20000, n, "", names, {0x7FFFFFFF, 0x7FFFFFFF}, "ab")},
        {"1002 members", RawContainer(20000, int32_t(manyNames.size()), "", manyNames,
                                      std::vector<int32_t>(1002, 0), "")},
    };
    for (const Case& c : cases) {
        TSkinReader reader;
        EXPECT_FALSE(reader.ReadSkin(skinpack::PackBytes(c.unpacked))) << c.name;
        EXPECT_EQ(reader.Error(), TSkinReadError::BadFile) << c.name;
        EXPECT_EQ(reader.MemberCount(), 0) << c.name;
        EXPECT_EQ(reader.ExtractMember("a.bmp"), "") << c.name;
    }
}

TEST(SkinReader, BadPackedFiles)
{
    // A size field cut short, stated sizes the stream cannot hold (above
    // what its length allows, above the ceiling), and a size of 0 (nothing
    // unpacked, so no header).
    const std::string good = skinpack::PackSkin(40000, kMembers);
    const std::string tooBig = std::string("\x00\x00\x10\x00", 4) + good.substr(4);
    const std::string huge =
        std::string("\x00\x00\x00\x10", 4) + std::string(size_t(8) << 20, '\xFF');
    for (const std::string& packed :
         {std::string("\x05\x00", 2), tooBig, huge, std::string(4, '\0')}) {
        TSkinReader reader;
        EXPECT_FALSE(reader.ReadSkin(packed));
        EXPECT_EQ(reader.Error(), TSkinReadError::BadFile);
    }
}

TEST(SkinReader, LimitsAndSlack)
{
    // 1001 members are accepted; bytes after the last member are kept
    // out of every member.
    std::vector<TSkinMember> many;
    for (int i = 0; i < 1001; ++i)
        many.push_back({"m" + std::to_string(i) + ".bmp", std::to_string(i)});
    TSkinReader reader;
    ASSERT_TRUE(reader.ReadSkin(skinpack::PackSkin(50000, many)));
    EXPECT_EQ(reader.MemberCount(), 1001);
    EXPECT_EQ(reader.ExtractMember("m1000.bmp"), "1000");

    const std::string unpacked = RawContainer(20000, 7, "", "a.bmp\r\n", {2}, "abTRAILING");
    ASSERT_TRUE(reader.ReadSkin(skinpack::PackBytes(unpacked)));
    EXPECT_EQ(reader.ExtractMember("a.bmp"), "ab");

    // A packed file of the largest size reads (the stream is decoded only
    // as far as its stated size); one byte more is refused.
    std::string packed = skinpack::PackSkin(40000, kMembers);
    packed.resize(size_t(TSkinReader::kMaxPackedSize), '\0');
    EXPECT_TRUE(reader.ReadSkin(packed));
    packed.push_back('\0');
    EXPECT_FALSE(reader.ReadSkin(packed));
    EXPECT_EQ(reader.Error(), TSkinReadError::BadFile);
}

TEST(SkinReader, AReadReplacesTheLastOne)
{
    TSkinReader reader;
    ASSERT_TRUE(reader.ReadSkin(skinpack::PackSkin(40000, kMembers)));
    EXPECT_FALSE(reader.ReadSkin(std::string(4, '\0')));
    EXPECT_EQ(reader.ExtractMember("buttons.bmp"), "");
    ASSERT_TRUE(reader.ReadSkin(skinpack::PackSkin(60000, {{"x.ini", "[a]"}})));
    EXPECT_EQ(reader.Names(), std::vector<std::string>{"x.ini"});
}

TEST(SkinWriter, RefusesWhatTheReaderCannotRead)
{
    EXPECT_THROW(skinpack::WriteContainer(12345, {}), std::invalid_argument);
    EXPECT_THROW(skinpack::WriteContainer(40000, {{"a\r\nb", ""}}), std::invalid_argument);
    EXPECT_THROW(skinpack::WriteContainer(40000, {{"", "x"}}), std::invalid_argument);
    EXPECT_THROW(skinpack::WriteContainer(40000, std::vector<TSkinMember>(1002, {"a", ""})),
                 std::invalid_argument);
}
