#include "json/baltree.h"

#include <algorithm>
#include <new>

namespace json {

struct TorvBalTree::Block {
    Block* next;
    uint32_t used;
    uint32_t capacity;
    TorvBalNode* Nodes() { return reinterpret_cast<TorvBalNode*>(this + 1); }
};

TorvBalNode* TorvBalTree::NewNode(const std::u16string& name, int32_t position)
{
    static_assert(sizeof(Block) % alignof(TorvBalNode) == 0);
    if (!blocks_ || blocks_->used == blocks_->capacity) {
        const uint32_t capacity = blocks_ ? std::min<uint32_t>(blocks_->capacity * 2, 256) : 4;
        void* memory = ::operator new(sizeof(Block) + capacity * sizeof(TorvBalNode));
        blocks_ = new (memory) Block{blocks_, 0, capacity};
    }
    TorvBalNode* node = blocks_->Nodes() + blocks_->used;
    new (node) TorvBalNode{bottom_, bottom_, 1, position, name};
    ++blocks_->used;
    return node;
}

TorvBalTree::TorvBalTree() : sentinel_{&sentinel_, &sentinel_, 0, 0, {}} {}

TorvBalTree::~TorvBalTree() { RemoveAllKeys(); }

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
        t = NewNode(name, position);
        return true;
    }
    const int order = name.compare(t->name);
    bool inserted = false;
    if (order < 0)
        inserted = Insert(t->left, name, position);
    else if (order > 0)
        inserted = Insert(t->right, name, position);
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

void TorvBalTree::RemoveAllKeys()
{
    while (Block* block = blocks_) {
        blocks_ = block->next;
        for (uint32_t i = 0; i < block->used; ++i) block->Nodes()[i].~TorvBalNode();
        ::operator delete(block);
    }
    root_ = bottom_;
}

}  // namespace json
