#include "json/baltree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using json::TorvBalNode;
using json::TorvBalTree;

int Height(const TorvBalTree& tree, const TorvBalNode* t)
{
    if (t == tree.Sentinel()) return 0;
    return 1 + std::max(Height(tree, t->left), Height(tree, t->right));
}

// AA-tree invariants: leaves at level 1, a left child one level lower, a
// right child equal or one lower, no two right links at the same level.
void CheckLevels(const TorvBalTree& tree, const TorvBalNode* t)
{
    const TorvBalNode* s = tree.Sentinel();
    if (t == s) return;
    if (t->left == s && t->right == s) {
        EXPECT_EQ(t->level, 1);
    }
    EXPECT_EQ(t->left->level + 1, t->level);
    EXPECT_TRUE(t->right->level == t->level || t->right->level + 1 == t->level);
    if (t->right != s) {
        EXPECT_LT(t->right->right->level, t->level);
    }
    CheckLevels(tree, t->left);
    CheckLevels(tree, t->right);
}

TEST(BalTree, DuplicateKeepsFirstPosition)
{
    TorvBalTree tree;
    EXPECT_TRUE(tree.InsertKey(u"b", 0));
    EXPECT_TRUE(tree.InsertKey(u"a", 1));
    EXPECT_TRUE(tree.InsertKey(u"c", 2));
    EXPECT_FALSE(tree.InsertKey(u"a", 3));
    EXPECT_EQ(tree.FindKey(u"a"), 1);
    EXPECT_EQ(tree.FindKey(u"b"), 0);
    EXPECT_EQ(tree.FindKey(u"c"), 2);
    EXPECT_EQ(tree.FindKey(u"d"), -1);
}

TEST(BalTree, EmptyAndCleared)
{
    TorvBalTree tree;
    EXPECT_EQ(tree.Root(), tree.Sentinel());
    EXPECT_EQ(tree.Sentinel()->level, 0);
    EXPECT_EQ(tree.FindKey(u""), -1);
    tree.InsertKey(u"x", 5);
    tree.InsertKey(u"", 6);
    EXPECT_EQ(tree.FindKey(u""), 6);
    tree.RemoveAllKeys();
    EXPECT_EQ(tree.Root(), tree.Sentinel());
    EXPECT_EQ(tree.FindKey(u"x"), -1);
    EXPECT_EQ(tree.FindKey(u""), -1);
    EXPECT_TRUE(tree.InsertKey(u"x", 7));
    EXPECT_EQ(tree.FindKey(u"x"), 7);
}

TEST(BalTree, StaysBalancedOnSortedInput)
{
    for (int count : {10, 1000}) {
        TorvBalTree tree;
        for (int i = 0; i < count; ++i) {
            std::u16string name = u"a";
            for (char c : std::to_string(i + 100000)) name.push_back(char16_t(c));
            ASSERT_TRUE(tree.InsertKey(name, i));
        }
        CheckLevels(tree, tree.Root());
        EXPECT_LE(Height(tree, tree.Root()), 2 * std::log2(count) + 1) << count;
        for (int i = 0; i < count; ++i) {
            std::u16string name = u"a";
            for (char c : std::to_string(i + 100000)) name.push_back(char16_t(c));
            ASSERT_EQ(tree.FindKey(name), i);
        }
    }
}

TEST(BalTree, OrdersByCodeUnit)
{
    // In-order walk of the tree gives the ordinal order of 16-bit units:
    // upper case before lower case, a prefix before its extensions, units
    // above 7FFFh after ASCII.
    TorvBalTree tree;
    const std::u16string names[] = {u"ab", u"a", u"B", u"b", u"A", u"\u4E2D", u"\uFFFF", u"aa"};
    for (int i = 0; i < int(std::size(names)); ++i) ASSERT_TRUE(tree.InsertKey(names[i], i));
    std::vector<std::u16string> walk;
    std::function<void(const TorvBalNode*)> inorder = [&](const TorvBalNode* t) {
        if (t == tree.Sentinel()) return;
        inorder(t->left);
        walk.push_back(t->name);
        inorder(t->right);
    };
    inorder(tree.Root());
    const std::vector<std::u16string> expected = {u"A",  u"B", u"a",      u"aa",
                                                  u"ab", u"b", u"\u4E2D", u"\uFFFF"};
    EXPECT_EQ(walk, expected);
    EXPECT_EQ(tree.FindKey(u"A"), 4);
    EXPECT_EQ(tree.FindKey(u"a"), 1);
}

}  // namespace
