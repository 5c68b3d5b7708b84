#include "rtl/classes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Items(const rtl::TStrings& list)
{
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
    return out;
}

TEST(TStringList, TextSplitsAtEveryKindOfLineBreak)
{
    struct Case {
        std::string text;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR: two breaks
        {"a\r\n\r\n", {"a", ""}},
        {"", {}},
        {"\r\n", {""}},
        {std::string("a\r\nb\0c\r\n", 8), {"a", "b"}},                 // NUL ends the text
        {"\xC4\xEA\xB7\xDD\r\n x \r\n", {"\xC4\xEA\xB7\xDD", " x "}},  // 年份: bytes kept
    };
    for (const auto& c : cases) {
        rtl::TStringList list;
        list.Add("old");
        list.SetText(c.text);
        EXPECT_EQ(Items(list), c.items) << c.text;
    }

    rtl::TStringList list;
    list.SetText("one\ntwo");
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\n");
    rtl::TStringList again;
    again.SetText(list.Text());
    EXPECT_EQ(Items(again), Items(list));
}

TEST(TStringList, IndexOfFoldsAsciiOnlyAndFindsTheFirst)
{
    rtl::TStringList list;
    list.SetText("Alpha\n\xC4\x41\nBETA\nbeta\n");  // C4 41: one double-byte character
    EXPECT_EQ(list.IndexOf("alpha"), 0);
    EXPECT_EQ(list.IndexOf("Beta"), 2);
    EXPECT_EQ(list.IndexOf("\xC4\x41"), 1);
    EXPECT_EQ(list.IndexOf("\xC4\x61"), -1);  // trail byte 'a' is another character
    EXPECT_EQ(list.IndexOf("alph"), -1);
    EXPECT_EQ(list.IndexOf(""), -1);
}

TEST(TStringList, EditsObjectsAndIndexErrors)
{
    int one = 1, two = 2;
    rtl::TStringList list;
    EXPECT_EQ(list.Add("b"), 0);
    list.InsertObject(0, "a", &one);
    EXPECT_EQ(list.AddObject("c", &two), 2);
    list.Delete(1);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(list.GetObject(0), &one);
    EXPECT_EQ(list.IndexOfObject(&two), 1);
    list.Put(1, "z");
    EXPECT_EQ(list.GetObject(1), &two);  // Put keeps the object

    rtl::TStringList copy;
    copy.Add("gone");
    copy.Assign(list);
    EXPECT_EQ(Items(copy), (std::vector<std::string>{"a", "z"}));
    EXPECT_EQ(copy.GetObject(1), &two);

    try {
        list.Get(2);
        FAIL();
    } catch (const rtl::EStringListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (2)");
    }
    EXPECT_THROW(list.Delete(-1), rtl::EStringListError);
    EXPECT_THROW(list.Insert(3, "x"), rtl::EStringListError);
    list.Insert(2, "end");  // Count itself appends
    EXPECT_EQ(list[2], "end");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

// A list as a control keeps it: repaints once per outermost update.
class CountingList : public rtl::TStringList {
public:
    std::vector<bool> states;

protected:
    void SetUpdateState(bool updating) override { states.push_back(updating); }
};

TEST(TStringList, BatchChangesOpenAndCloseOneUpdate)
{
    CountingList list;
    rtl::TStringList source;
    source.SetText("a\nb\nc\n");
    list.Assign(source);  // Assign nests AddStrings
    list.SetText("x\ny\n");
    EXPECT_EQ(list.states, (std::vector<bool>{true, false, true, false}));
}

}  // namespace
