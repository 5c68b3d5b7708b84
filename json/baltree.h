// Member name index of a JSON object: an AA-tree from member name to member
// position. Names compare ordinally by their 16-bit code units.
#pragma once

#include <cstdint>
#include <string>

namespace json {

// Fields in record order; not packed, so that the name stays aligned.
struct TorvBalNode {
    TorvBalNode* left;
    TorvBalNode* right;
    uint8_t level;
    int32_t position;
    std::u16string name;
};

class TorvBalTree {
public:
    TorvBalTree();
    ~TorvBalTree();
    TorvBalTree(const TorvBalTree&) = delete;
    TorvBalTree& operator=(const TorvBalTree&) = delete;

    // False (tree unchanged) when an equal name is already there.
    bool InsertKey(const std::u16string& name, int32_t position);
    // The position stored under name, -1 when absent.
    int32_t FindKey(const std::u16string& name) const;
    void RemoveAllKeys();

    // The sentinel stands for every empty subtree: level 0, children itself.
    const TorvBalNode* Root() const { return root_; }
    const TorvBalNode* Sentinel() const { return &sentinel_; }

private:
    // Nodes live in blocks of growing size (the first holds 4), so that an
    // object's index costs a few allocations, not one per member.
    struct Block;
    TorvBalNode* NewNode(const std::u16string& name, int32_t position);

    bool Insert(TorvBalNode*& t, const std::u16string& name, int32_t position);
    void Skew(TorvBalNode*& t);
    void Split(TorvBalNode*& t);

    Block* blocks_ = nullptr;
    TorvBalNode sentinel_;
    TorvBalNode* const bottom_ = &sentinel_;
    TorvBalNode* root_ = &sentinel_;
};

}  // namespace json
