#include "json/nodes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

#include "rtl/casts.h"

namespace {

using namespace json;

template <class F>
void ExpectInvalidCast(F&& f, const char* what)
{
    try {
        f();
        ADD_FAILURE() << what << ": no exception";
    } catch (const rtl::EInvalidCast& e) {
        EXPECT_STREQ(e.what(), "Invalid class typecast") << what;
    }
}

TEST(Nodes, KindsAndInitialValues)
{
    struct Case {
        std::unique_ptr<TorvJSONbase> node;
        int code;
        const char* name;
    };
    Case cases[] = {
        {std::make_unique<TorvJSONbase>(), 0, "jsBase"},
        {std::make_unique<TorvJSONnumber>(), 1, "jsNumber"},
        {std::make_unique<TorvJSONstring>(), 2, "jsString"},
        {std::make_unique<TorvJSONboolean>(), 3, "jsBoolean"},
        {std::make_unique<TorvJSONnull>(), 4, "jsNull"},
        {std::make_unique<TorvJSONcustomlist>(), 0, "jsBase"},
        {std::make_unique<TorvJSONlist>(), 5, "jsList"},
        {std::make_unique<TorvJSONobjectmethod>(u"m"), 0, "jsBase"},
        {std::make_unique<TorvJSONobject>(true), 6, "jsObject"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.node->KindCode(), c.code) << c.name;
        EXPECT_EQ(c.node->KindName(), c.name);
        EXPECT_EQ(c.node->ChildCount(), 0);
        EXPECT_EQ(c.node->ChildAt(0), nullptr);
    }
    EXPECT_EQ(TorvJSONnumber().VariantValue(), Variant(0.0));
    EXPECT_EQ(TorvJSONstring().VariantValue(), Variant(u""));
    EXPECT_EQ(TorvJSONboolean().VariantValue(), Variant(false));
    EXPECT_EQ(TorvJSONnull().VariantValue(), Variant::Null());
}

TEST(Nodes, NilIsNotAdded)
{
    TorvJSONlist list;
    EXPECT_EQ(list.AppendNode(nullptr), -1);
    TorvJSONobject object(true);
    EXPECT_EQ(object.AddMember(u"a", nullptr), -1);
    EXPECT_EQ(list.ChildCount(), 0);
    EXPECT_EQ(object.ChildCount(), 0);
}

TEST(Nodes, RepeatedNameResolvesToFirst)
{
    for (bool indexed : {true, false}) {
        TorvJSONobject object(indexed);
        EXPECT_EQ(object.AddIntegerMember(u"n", 1), 0);
        EXPECT_EQ(object.AddIntegerMember(u"n", 2), 1);
        EXPECT_EQ(object.ChildCount(), 2);
        EXPECT_EQ(object.FindMember(u"n"), 0);
        EXPECT_EQ(object.IntegerAt(1), 1) << indexed;  // position 1 goes through its name
        EXPECT_EQ(object.IntegerMember("n"), 1);
        // Only the member record reaches the second value.
        auto* second = dynamic_cast<TorvJSONobjectmethod*>(object.ChildAt(1));
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(static_cast<TorvJSONnumber*>(second->Value())->Value(), 2);
    }
}

TEST(Nodes, IntegerMemberByGbkName)
{
    TorvJSONobject object(true);
    object.AddIntegerMember(u"\u5B57\u53F7", 12);  // 字号
    object.AddMember(u"s", new TorvJSONstring(u"x"));
    EXPECT_EQ(object.IntegerMember("\xD7\xD6\xBA\xC5"), 12);  // 字号
    EXPECT_EQ(object.IntegerMember("absent"), 0);
    ExpectInvalidCast([&] { object.IntegerMember("s"); }, "string member");
}

TEST(Nodes, IntegerAtTruncates)
{
    const struct {
        long double value;
        int32_t expected;
    } cases[] = {
        {2.5L, 2},
        {-2.5L, -2},
        {3.9L, 3},
        {-3.9L, -3},
        {0.0L, 0},
        {4294967301.0L, 5},  // low 32 bits of the 64-bit integer
        {3e9L, -1294967296},
        {1e30L, -1},  // clamped to the 64-bit maximum
        {-1e30L, 0},  // clamped to the 64-bit minimum
        {std::numeric_limits<long double>::infinity(), -1},
        {std::numeric_limits<long double>::quiet_NaN(), 0},
    };
    for (const auto& c : cases) {
        TorvJSONlist list;
        list.AppendNode(TorvJSONnumber::NewNumber(c.value));
        EXPECT_EQ(list.IntegerAt(0), c.expected) << double(c.value);
    }
}

TEST(Nodes, TypedAccessors)
{
    TorvJSONlist list;
    list.AppendNode(TorvJSONnumber::NewNumber(1.25L));
    list.AppendNode(new TorvJSONstring(u"\u4E2Da"));
    list.AppendNode(new TorvJSONboolean(true));
    list.AppendNode(new TorvJSONnull);
    EXPECT_EQ(list.IntegerAt(0), 1);
    EXPECT_EQ(list.FloatAt(0), 1.25L);
    EXPECT_EQ(list.WideStringAt(1), u"\u4E2Da");
    EXPECT_EQ(list.AnsiStringAt(1),
              "\xD6\xD0"
              "a");  // 中a
    EXPECT_TRUE(list.BooleanAt(2));
    // Out of range: defaults.
    EXPECT_EQ(list.IntegerAt(9), 0);
    EXPECT_EQ(list.FloatAt(-1), 0);
    EXPECT_EQ(list.AnsiStringAt(9), "");
    EXPECT_EQ(list.WideStringAt(9), u"");
    EXPECT_FALSE(list.BooleanAt(9));

    const std::pair<const char*, std::function<void()>> wrong[] = {
        {"IntegerAt string", [&] { list.IntegerAt(1); }},
        {"FloatAt boolean", [&] { list.FloatAt(2); }},
        {"AnsiStringAt number", [&] { list.AnsiStringAt(0); }},
        {"WideStringAt null", [&] { list.WideStringAt(3); }},
        {"BooleanAt number", [&] { list.BooleanAt(0); }},
        {"IntegerAt null", [&] { list.IntegerAt(3); }},
    };
    for (const auto& [what, call] : wrong) ExpectInvalidCast(call, what);
}

TEST(Nodes, ObjectAccessorsGoThroughNames)
{
    TorvJSONobject object(true);
    object.AddMember(u"", TorvJSONnumber::NewNumber(7));  // an empty name is never found
    object.AddMember(u"b", new TorvJSONboolean(true));
    object.AppendNode(TorvJSONnumber::NewNumber(3));  // a child that is no member
    EXPECT_EQ(object.MemberValueAt(0), nullptr);
    EXPECT_EQ(object.IntegerAt(0), 0);
    EXPECT_TRUE(object.BooleanAt(1));
    ExpectInvalidCast([&] { object.IntegerAt(1); }, "IntegerAt boolean member");
    ExpectInvalidCast([&] { object.MemberNameAt(2); }, "MemberNameAt non-member");
    EXPECT_EQ(object.MemberNameAt(5), u"");

    std::string name;
    EXPECT_EQ(object.EntryAt(1, name), object.MemberValue(u"b"));
    EXPECT_EQ(name, "b");
    TorvJSONlist list;
    list.AppendNode(new TorvJSONnull);
    EXPECT_EQ(list.EntryAt(0, name), list.ChildAt(0));
    EXPECT_EQ(name, "0");
}

TEST(Nodes, ChildByKey)
{
    TorvJSONlist list;
    list.AppendNode(TorvJSONnumber::NewNumber(1));
    list.AppendNode(TorvJSONnumber::NewNumber(2));
    EXPECT_EQ(list.ChildByKey(Variant(u"x")), &list);
    EXPECT_EQ(list.ChildByKey(Variant(1)), list.ChildAt(1));
    EXPECT_EQ(list.ChildByKey(Variant(1.0)), list.ChildAt(1));
    EXPECT_EQ(list.ChildByKey(Variant(5)), nullptr);
    EXPECT_EQ(list.ChildByKey(Variant(1e300)), nullptr);

    TorvJSONobject object(true);
    object.AddIntegerMember(u"a", 1);
    EXPECT_EQ(object.ChildByKey(Variant(u"a")), object.MemberValue(u"a"));
    EXPECT_EQ(object.ChildByKey(Variant::FromString("a")), object.MemberValue(u"a"));
    EXPECT_EQ(object.ChildByKey(Variant(u"z")), nullptr);
    EXPECT_EQ(object.ChildByKey(Variant(0)), object.ChildAt(0));  // the member record
    EXPECT_EQ(object.ChildByKey(Variant(true)), &object);

    TorvJSONnull leaf;
    EXPECT_EQ(leaf.ChildByKey(Variant(0)), &leaf);
}

TEST(Nodes, RemoveAtMovesLastIntoPlace)
{
    TorvJSONlist list;
    TorvJSONbase* n[4];
    for (auto*& p : n) list.AppendNode(p = new TorvJSONnull);
    list.RemoveAt(1);
    ASSERT_EQ(list.ChildCount(), 3);
    EXPECT_EQ(list.ChildAt(0), n[0]);
    EXPECT_EQ(list.ChildAt(1), n[3]);
    EXPECT_EQ(list.ChildAt(2), n[2]);
    EXPECT_EQ(list.PositionOf(n[2]), 2);
    list.RemoveAt(2);  // the last one
    list.RemoveAt(-1);
    list.RemoveAt(2);
    EXPECT_EQ(list.ChildCount(), 2);
    EXPECT_EQ(list.PositionOf(n[2]), -1);
}

TEST(Nodes, ReplaceChildAt)
{
    TorvJSONlist list;
    auto* first = new TorvJSONnull;
    list.AppendNode(first);
    list.ReplaceChildAt(0, first);  // the same node: nothing changes, nothing freed
    EXPECT_EQ(list.ChildAt(0), first);
    EXPECT_EQ(first->Parent(), &list);

    auto* outside = new TorvJSONnull;
    list.ReplaceChildAt(1, outside);  // out of range: not taken
    EXPECT_EQ(outside->Parent(), nullptr);
    list.ReplaceChildAt(0, outside);
    EXPECT_EQ(list.ChildAt(0), outside);
    list.ReplaceChildAt(0, nullptr);
    EXPECT_EQ(list.ChildAt(0), nullptr);
    EXPECT_EQ(list.ChildCount(), 1);
}

TEST(Nodes, NodesWithParentOrCyclesAreRefused)
{
    TorvJSONlist a;
    auto* b = new TorvJSONlist;
    auto* leaf = new TorvJSONnull;
    ASSERT_EQ(a.AppendNode(b), 0);
    ASSERT_EQ(b->AppendNode(leaf), 0);

    TorvJSONlist other;
    TorvJSONobject object(true);
    EXPECT_EQ(other.AppendNode(leaf), -1);  // already owned by b
    EXPECT_EQ(object.AddMember(u"x", leaf), -1);
    other.AppendNode(new TorvJSONnull);
    other.ReplaceChildAt(0, leaf);
    EXPECT_NE(other.ChildAt(0), leaf);
    EXPECT_EQ(a.AppendNode(&a), -1);   // into itself
    EXPECT_EQ(b->AppendNode(&a), -1);  // into its own descendant
    EXPECT_EQ(object.AddMember(u"self", &object), -1);
    b->ReplaceChildAt(0, &a);
    EXPECT_EQ(b->ChildAt(0), leaf);

    TorvJSONobjectmethod record(u"m", leaf);  // not taken either
    EXPECT_EQ(record.Value(), nullptr);
    EXPECT_EQ(leaf->Parent(), b);

    // A member record whose value is an ancestor of the target.
    auto* inner = new TorvJSONlist;
    auto* outer = new TorvJSONlist;
    outer->AppendNode(inner);
    auto* member = new TorvJSONobjectmethod(u"m", outer);
    EXPECT_EQ(inner->AppendNode(member), -1);
    delete member;
}

TEST(Nodes, NameIndexFollowsRemoveAndReplace)
{
    TorvJSONobject object(true);
    object.AddIntegerMember(u"a", 1);
    object.AddIntegerMember(u"b", 2);
    object.AddIntegerMember(u"c", 3);
    object.AddIntegerMember(u"a", 4);
    object.RemoveAt(0);  // the last member moves in: a(4), b, c
    EXPECT_EQ(object.FindMember(u"a"), 0);
    EXPECT_EQ(object.IntegerMember("a"), 4);
    EXPECT_EQ(object.FindMember(u"c"), 2);
    object.RemoveAt(2);
    EXPECT_EQ(object.FindMember(u"c"), -1);
    EXPECT_EQ(object.MemberValue(u"c"), nullptr);

    object.ReplaceChildAt(1, new TorvJSONobjectmethod(u"z", TorvJSONnumber::NewNumber(9)));
    EXPECT_EQ(object.FindMember(u"b"), -1);
    EXPECT_EQ(object.FindMember(u"z"), 1);
    EXPECT_EQ(object.IntegerMember("z"), 9);

    // A member record appended directly is indexed too.
    object.AppendNode(new TorvJSONobjectmethod(u"d", TorvJSONnumber::NewNumber(5)));
    EXPECT_EQ(object.IntegerMember("d"), 5);
}

TEST(Nodes, SetFromVariant)
{
    TorvJSONnumber number;
    const std::pair<Variant, double> numbers[] = {
        {Variant(3), 3},
        {Variant(2.5), 2.5},
        {Variant(true), -1},
        {Variant(u" 1.5e2 "), 150},
        {Variant::FromString("-7"), -7},
        {Variant(), 0},
    };
    for (const auto& [v, expected] : numbers) {
        number.SetFromVariant(v);
        EXPECT_EQ(number.Value(), expected);
    }
    TorvJSONstring text;
    const std::pair<Variant, std::u16string> texts[] = {
        {Variant(12), u"12"},
        {Variant(0.5), u"0.5"},
        {Variant(false), u"False"},
        {Variant::FromString("\xD6\xD0"), u"\u4E2D"},
    };
    for (const auto& [v, expected] : texts) {
        text.SetFromVariant(v);
        EXPECT_EQ(text.Value(), expected);
    }
    TorvJSONboolean flag;
    const std::pair<Variant, bool> flags[] = {
        {Variant(u"TRUE"), true},
        {Variant(u"false"), false},
        {Variant(2), true},
        {Variant(u"0"), false},
    };
    for (const auto& [v, expected] : flags) {
        flag.SetFromVariant(v);
        EXPECT_EQ(flag.Value(), expected);
    }
    const std::tuple<TorvJSONbase*, Variant, const char*> failures[] = {
        {&number, Variant(u"abc"), "Could not convert variant of type (OleStr) into type (Double)"},
        {&number, Variant::Null(), "Could not convert variant of type (Null) into type (Double)"},
        {&text, Variant::Null(), "Could not convert variant of type (Null) into type (OleStr)"},
        {&flag, Variant(u"yes"), "Could not convert variant of type (OleStr) into type (Boolean)"},
    };
    for (const auto& [node, v, message] : failures) {
        try {
            node->SetFromVariant(v);
            ADD_FAILURE() << message;
        } catch (const EVariantTypeCastError& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

TEST(Nodes, DeepTreesAreFreedWithoutRecursion)
{
    // Built from the bottom up; 200000 levels of lists and members.
    TorvJSONbase* top = new TorvJSONnull;
    for (int i = 0; i < 200000; ++i) {
        if (i % 2 == 0) {
            auto* list = new TorvJSONlist;
            list->AppendNode(top);
            top = list;
        } else {
            auto* object = new TorvJSONobject(false);
            object->AddMember(u"k", top);
            top = object;
        }
    }
    delete top;

    // A wide list, freed in pieces; LeakSanitizer sees anything left over.
    auto* wide = new TorvJSONlist;
    for (int i = 0; i < 10000; ++i) {
        auto* object = new TorvJSONobject(true);
        object->AddMember(u"k", new TorvJSONlist);
        wide->AppendNode(object);
    }
    delete wide;
}

}  // namespace
