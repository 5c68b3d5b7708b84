// The JSON node tree: numbers, strings, Booleans, null, arrays (lists) and
// objects whose children are member records. Containers own their children,
// a member record owns its value; deleting a node frees its whole subtree.
//
// Nodes are handed to containers as raw pointers: on success the container
// takes ownership, when a call refuses the node (nil, a node that already has
// a parent, or a container that would end up inside itself) nothing is taken
// and the caller still owns it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "json/baltree.h"
#include "json/variant.h"

namespace json {

class TorvJSONbase {
public:
    TorvJSONbase() = default;
    virtual ~TorvJSONbase() = default;
    TorvJSONbase(const TorvJSONbase&) = delete;
    TorvJSONbase& operator=(const TorvJSONbase&) = delete;

    virtual Variant VariantValue() const;
    virtual void SetFromVariant(const Variant& v);
    virtual TorvJSONbase* ChildAt(int index) const;
    virtual void ReplaceChildAt(int index, TorvJSONbase* node);
    virtual int ChildCount() const;
    virtual TorvJSONbase* ChildByKey(const Variant& key);
    virtual int KindCode() const;
    virtual std::string KindName() const;

    // The container or member record that owns this node, nil for a root.
    TorvJSONbase* Parent() const { return parent_; }

protected:
    // Moves the owned nodes out (for destruction without recursion).
    virtual void ReleaseChildren(std::vector<TorvJSONbase*>& out);
    // Frees the nodes and everything below them, deepest trees included.
    static void FreeNodes(std::vector<TorvJSONbase*>& pending);
    // True when node may be adopted by this: it has no parent and is neither
    // this nor one of its ancestors.
    bool CanAdopt(const TorvJSONbase* node) const;
    static void SetParent(TorvJSONbase* node, TorvJSONbase* parent) { node->parent_ = parent; }

private:
    TorvJSONbase* parent_ = nullptr;
};

class TorvJSONnumber : public TorvJSONbase {
public:
    TorvJSONnumber() = default;
    explicit TorvJSONnumber(long double value) : value_(value) {}
    static TorvJSONnumber* NewNumber(long double value) { return new TorvJSONnumber(value); }

    long double Value() const { return value_; }
    void SetValue(long double value) { value_ = value; }

    Variant VariantValue() const override;
    void SetFromVariant(const Variant& v) override;
    int KindCode() const override { return 1; }
    std::string KindName() const override { return "jsNumber"; }

private:
    long double value_ = 0;
};

class TorvJSONstring : public TorvJSONbase {
public:
    TorvJSONstring() = default;
    explicit TorvJSONstring(std::u16string value) : value_(std::move(value)) {}

    const std::u16string& Value() const { return value_; }
    void SetValue(std::u16string value) { value_ = std::move(value); }

    Variant VariantValue() const override;
    void SetFromVariant(const Variant& v) override;
    int KindCode() const override { return 2; }
    std::string KindName() const override { return "jsString"; }

private:
    std::u16string value_;
};

class TorvJSONboolean : public TorvJSONbase {
public:
    TorvJSONboolean() = default;
    explicit TorvJSONboolean(bool value) : value_(value) {}

    bool Value() const { return value_; }
    void SetValue(bool value) { value_ = value; }

    Variant VariantValue() const override;
    void SetFromVariant(const Variant& v) override;
    int KindCode() const override { return 3; }
    std::string KindName() const override { return "jsBoolean"; }

private:
    bool value_ = false;
};

class TorvJSONnull : public TorvJSONbase {
public:
    int KindCode() const override { return 4; }
    std::string KindName() const override { return "jsNull"; }
};

// Base of lists and objects: an ordered list of owned children. A nil child
// can only be stored by ReplaceChildAt.
class TorvJSONcustomlist : public TorvJSONbase {
public:
    TorvJSONcustomlist() = default;
    ~TorvJSONcustomlist() override;

    TorvJSONbase* ChildAt(int index) const override;
    // Frees the old child and stores node in its place. Nothing happens (and
    // node is not taken) for an index out of range or a node that cannot be
    // adopted; storing the child that is already there changes nothing.
    void ReplaceChildAt(int index, TorvJSONbase* node) override;
    int ChildCount() const override { return static_cast<int>(children_.size()); }
    TorvJSONbase* ChildByKey(const Variant& key) override;

    virtual TorvJSONbase* EntryAt(int index, std::string& name);
    // The new child's index; -1 (nothing taken) for nil or a refused node.
    virtual int AppendNode(TorvJSONbase* node);
    // Frees the child at index and moves the last child into its place.
    virtual void RemoveAt(int index);
    virtual int PositionOf(const TorvJSONbase* node) const;
    virtual int32_t IntegerAt(int index);
    virtual std::string AnsiStringAt(int index);
    virtual std::u16string WideStringAt(int index);
    virtual long double FloatAt(int index);
    virtual bool BooleanAt(int index);

protected:
    void ReleaseChildren(std::vector<TorvJSONbase*>& out) override;
    // Appends a node known to be adoptable (a fresh node of the reader).
    void AppendOwned(TorvJSONbase* node);
    friend class TorvJSONreader;
    friend class TorvJSONwriter;

    std::vector<TorvJSONbase*> children_;
};

class TorvJSONlist : public TorvJSONcustomlist {
public:
    int KindCode() const override { return 5; }
    std::string KindName() const override { return "jsList"; }
};

// One member of an object: its name and its owned value (nil allowed).
class TorvJSONobjectmethod : public TorvJSONbase {
public:
    // A value that cannot be adopted (it already has a parent) is not taken
    // and the record's value stays nil.
    explicit TorvJSONobjectmethod(std::u16string name, TorvJSONbase* value = nullptr);
    ~TorvJSONobjectmethod() override;

    const std::u16string& Name() const { return name_; }
    TorvJSONbase* Value() const { return value_; }

protected:
    void ReleaseChildren(std::vector<TorvJSONbase*>& out) override;

private:
    friend class TorvJSONreader;
    friend class TorvJSONwriter;
    std::u16string name_;
    TorvJSONbase* value_ = nullptr;
};

// A JSON object. With Indexed on, member names are kept in the name index,
// which always holds each name with the position of its first member.
class TorvJSONobject : public TorvJSONcustomlist {
public:
    explicit TorvJSONobject(bool indexed) : indexed_(indexed) {}

    bool Indexed() const { return indexed_; }
    const TorvBalTree& NameIndex() const { return index_; }

    void ReplaceChildAt(int index, TorvJSONbase* node) override;
    TorvJSONbase* ChildByKey(const Variant& key) override;
    int KindCode() const override { return 6; }
    std::string KindName() const override { return "jsObject"; }

    TorvJSONbase* EntryAt(int index, std::string& name) override;
    int AppendNode(TorvJSONbase* node) override;
    void RemoveAt(int index) override;
    int32_t IntegerAt(int index) override;
    std::string AnsiStringAt(int index) override;
    std::u16string WideStringAt(int index) override;
    long double FloatAt(int index) override;
    bool BooleanAt(int index) override;

    int AddMember(const std::u16string& name, TorvJSONbase* value);
    int AddIntegerMember(const std::u16string& name, int32_t value);
    int FindMember(const std::u16string& name) const;
    TorvJSONbase* MemberValue(const std::u16string& name) const;
    std::u16string MemberNameAt(int index) const;
    TorvJSONbase* MemberValueAt(int index) const;
    // name is 8-bit (GBK) text.
    int32_t IntegerMember(const std::string& name);

private:
    friend class TorvJSONreader;
    friend class TorvJSONwriter;
    void IndexChild(int index);
    void RebuildIndex();

    TorvBalTree index_;
    bool indexed_;
};

}  // namespace json
