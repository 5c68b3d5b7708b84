#include "rtl/streams.h"

#include <gtest/gtest.h>

#include <string>

#include "rtl/tests/temp_dir.h"

namespace {

using rtl::TSeekOrigin;

std::string ReadRest(rtl::TStream& s)
{
    std::string out(static_cast<size_t>(s.Size() - s.Position()), '\0');
    s.ReadBuffer(out.data(), static_cast<int64_t>(out.size()));
    return out;
}

TEST(TMemoryStream, ReadsWritesAndSeeks)
{
    rtl::TMemoryStream m;
    m.WriteBuffer("hello", 5);
    EXPECT_EQ(m.Position(), 5);
    EXPECT_EQ(m.Seek(-3, TSeekOrigin::soCurrent), 2);
    m.WriteBuffer("LL", 2);
    EXPECT_EQ(m.Seek(0, TSeekOrigin::soEnd), 5);
    EXPECT_EQ(m.Seek(2, TSeekOrigin::soEnd), 7);  // past the end: allowed
    char none = 0;
    EXPECT_EQ(m.Read(&none, 1), 0);
    m.WriteBuffer("!", 1);  // the gap fills with zeros
    m.SetPosition(0);
    EXPECT_EQ(ReadRest(m), std::string("heLLo\0\0!", 8));

    m.SetSize(3);
    EXPECT_EQ(m.Position(), 3);
    m.SetPosition(1);
    char two[2];
    EXPECT_EQ(m.Read(two, 5), 2);
    EXPECT_EQ(std::string(two, 2), "eL");

    m.SetPosition(1);
    EXPECT_THROW(m.ReadBuffer(two, 3), rtl::EReadError);  // only 2 bytes left
    EXPECT_THROW(m.Seek(-1, TSeekOrigin::soBeginning), rtl::EStreamError);
    EXPECT_THROW(m.Seek(-4, TSeekOrigin::soEnd), rtl::EStreamError);
    m.Clear();
    EXPECT_EQ(m.Size(), 0);
    EXPECT_EQ(m.Position(), 0);
}

TEST(TMemoryStream, CopiesBetweenStreams)
{
    rtl::TMemoryStream a, b;
    a.WriteBuffer("0123456789", 10);
    a.SetPosition(4);
    EXPECT_EQ(b.CopyFrom(a, 3), 3);
    EXPECT_EQ(b.CopyFrom(a, 0), 10);  // 0: all of it, from the start
    b.SetPosition(0);
    EXPECT_EQ(ReadRest(b), "4560123456789");
    a.SetPosition(8);
    EXPECT_THROW(b.CopyFrom(a, 3), rtl::EReadError);

    rtl::TMemoryStream c;
    b.SetPosition(5);
    c.LoadFromStream(b);
    EXPECT_EQ(c.Size(), 13);
    EXPECT_EQ(c.Position(), 0);
    EXPECT_EQ(c.Memory()[0], '4');
}

TEST(TFileStream, CreatesReadsAndWritesInPlace)
{
    rtl_test::TempDir dir;
    const std::string name = dir.Name("data.bin");
    {
        rtl::TFileStream f(name, rtl::fmCreate);
        f.WriteBuffer("abcdef", 6);
        f.SetPosition(1);
        char c = 0;
        f.ReadBuffer(&c, 1);  // a created file reads too
        EXPECT_EQ(c, 'b');
        EXPECT_EQ(f.Size(), 6);
    }
    {
        rtl::TFileStream f(name, rtl::fmOpenWrite);  // keeps what is there
        EXPECT_EQ(f.Size(), 6);
        f.Seek(-2, TSeekOrigin::soEnd);
        f.WriteBuffer("XYZ", 3);
        char c;
        EXPECT_EQ(f.Read(&c, 1), 0);  // write-only
    }
    {
        rtl::TFileStream f(name, rtl::fmOpenRead | rtl::fmShareDenyWrite);
        EXPECT_EQ(ReadRest(f), "abcdXYZ");
        EXPECT_EQ(f.Write("q", 1), 0);
        EXPECT_THROW(f.WriteBuffer("q", 1), rtl::EWriteError);
        f.SetPosition(5);
        char three[3];
        EXPECT_THROW(f.ReadBuffer(three, 3), rtl::EReadError);
    }
    {
        rtl::TFileStream f(name, rtl::fmOpenReadWrite);
        f.SetPosition(7);
        f.WriteBuffer("!", 1);
        f.SetPosition(0);
        EXPECT_EQ(ReadRest(f), "abcdXYZ!");
    }

    rtl::TMemoryStream m;
    m.LoadFromFile(name);
    EXPECT_EQ(m.Size(), 8);
    const std::string copy = dir.Name("copy.bin");
    m.SaveToFile(copy);
    EXPECT_EQ(rtl_test::ReadAll(copy), "abcdXYZ!");
}

TEST(TFileStream, FailuresNameTheFileAndTheReason)
{
    rtl_test::TempDir dir;
    const std::string missing = dir.Name("missing.bin");
    try {
        rtl::TFileStream f(missing, rtl::fmOpenRead);
        FAIL();
    } catch (const rtl::EFOpenError& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("Cannot open file \"" + missing + "\". "), std::string::npos) << m;
        EXPECT_GT(m.size(), ("Cannot open file \"" + missing + "\". ").size()) << m;
    }
    EXPECT_THROW(rtl::TFileStream(missing, rtl::fmOpenWrite), rtl::EFOpenError);
    EXPECT_FALSE(std::filesystem::exists(missing));  // opening never creates

    const std::string inMissingFolder = dir.Name("no/such/folder.bin");
    try {
        rtl::TFileStream f(inMissingFolder, rtl::fmCreate);
        FAIL();
    } catch (const rtl::EFCreateError& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot create file \"" + inMissingFolder + "\""),
                  std::string::npos);
    }
    try {
        rtl::TFileStream f(dir.Path().string(), rtl::fmOpenRead);
        FAIL();
    } catch (const rtl::EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find("It is a folder"), std::string::npos) << e.what();
    }
}

}  // namespace
