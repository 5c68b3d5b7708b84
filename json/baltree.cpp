#include "json/baltree.h"

namespace json {

TorvBalTree::TorvBalTree()
    : bottom_(new TorvBalNode{nullptr, nullptr, 0, 0, {}}), root_(bottom_)
{
    bottom_->left = bottom_;
    bottom_->right = bottom_;
}

TorvBalTree::~TorvBalTree()
{
    RemoveAllKeys();
    delete bottom_;
}

void TorvBalTree::Skew(TorvBalNode*& t)
{
    TorvBalNode* l = t->left;
    if (l->level == t->level && t != bottom_) {
        t->left = l->right;
        l->right = t;
        t = l;
    }
}

void TorvBalTree::Split(TorvBalNode*& t)
{
    TorvBalNode* r = t->right;
    if (r->right->level == t->level && t != bottom_) {
        t->right = r->left;
        r->left = t;
        ++r->level;
        t = r;
    }
}

bool TorvBalTree::Insert(TorvBalNode*& t, const std::u16string& name, int32_t position)
{
    if (t == bottom_) {
        t = new TorvBalNode{bottom_, bottom_, 1, position, name};
        return true;
    }
    const int order = name.compare(t->name);
    bool inserted = false;
    if (order < 0) inserted = Insert(t->left, name, position);
    else if (order > 0) inserted = Insert(t->right, name, position);
    Skew(t);
    Split(t);
    return inserted;
}

bool TorvBalTree::InsertKey(const std::u16string& name, int32_t position)
{
    return Insert(root_, name, position);
}

int32_t TorvBalTree::FindKey(const std::u16string& name) const
{
    const TorvBalNode* t = root_;
    while (t != bottom_) {
        const int order = name.compare(t->name);
        if (order == 0) return t->position;
        t = order < 0 ? t->left : t->right;
    }
    return -1;
}

void TorvBalTree::FreeSubtree(TorvBalNode* t)
{
    // Depth is bounded by twice the logarithm of the count.
    if (t == bottom_) return;
    FreeSubtree(t->left);
    FreeSubtree(t->right);
    delete t;
}

void TorvBalTree::RemoveAllKeys()
{
    FreeSubtree(root_);
    root_ = bottom_;
}

}  // namespace json
