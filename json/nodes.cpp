#include "json/nodes.h"

#include <algorithm>
#include <cmath>

#include "rtl/casts.h"
#include "rtl/gbk.h"

namespace json {

namespace {

[[noreturn]] void InvalidCast() { throw rtl::EInvalidCast(); }

template <class T>
const T* Required(const TorvJSONbase* node)
{
    const T* typed = dynamic_cast<const T*>(node);
    if (!typed) InvalidCast();
    return typed;
}

// Truncated toward zero to 64 bits (clamped; NaN gives 0), low 32 bits kept.
int32_t IntegerOf(const TorvJSONbase* node)
{
    if (!node) return 0;
    const double d = Required<TorvJSONnumber>(node)->VariantValue().AsDoubleValue();
    int64_t t = 0;
    if (std::isnan(d))
        t = 0;
    else if (d >= 9223372036854775808.0)
        t = INT64_MAX;
    else if (d < -9223372036854775808.0)
        t = INT64_MIN;
    else
        t = static_cast<int64_t>(d);
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(t)));
}

std::u16string WideOf(const TorvJSONbase* node)
{
    if (!node) return {};
    return Required<TorvJSONstring>(node)->Value();
}

std::string AnsiOf(const TorvJSONbase* node)
{
    if (!node) return {};
    return rtl::Utf16ToGbk(Required<TorvJSONstring>(node)->Value());
}

long double FloatOf(const TorvJSONbase* node)
{
    if (!node) return 0;
    return Required<TorvJSONnumber>(node)->VariantValue().AsDoubleValue();
}

bool BooleanOf(const TorvJSONbase* node)
{
    if (!node) return false;
    return Required<TorvJSONboolean>(node)->Value();
}

// A numeric key as a child index (doubles round half to even); false when
// it names no possible index.
bool KeyIndex(const Variant& key, int& index)
{
    if (key.Type() == VarType::Integer) {
        index = key.AsIntegerValue();
        return true;
    }
    const double r = std::nearbyint(key.AsDoubleValue());
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return false;
    index = static_cast<int>(r);
    return true;
}

}  // namespace

// ---- TorvJSONbase --------------------------------------------------------

Variant TorvJSONbase::VariantValue() const { return Variant::Null(); }
void TorvJSONbase::SetFromVariant(const Variant&) {}
TorvJSONbase* TorvJSONbase::ChildAt(int) const { return nullptr; }
void TorvJSONbase::ReplaceChildAt(int, TorvJSONbase*) {}
int TorvJSONbase::ChildCount() const { return 0; }
TorvJSONbase* TorvJSONbase::ChildByKey(const Variant&) { return this; }
int TorvJSONbase::KindCode() const { return 0; }
std::string TorvJSONbase::KindName() const { return "jsBase"; }
void TorvJSONbase::ReleaseChildren(std::vector<TorvJSONbase*>&) {}

void TorvJSONbase::FreeNodes(std::vector<TorvJSONbase*>& pending)
{
    // Each node hands its children to the work list before it is deleted, so
    // no destructor recurses, however deep the tree.
    while (!pending.empty()) {
        TorvJSONbase* node = pending.back();
        pending.pop_back();
        if (!node) continue;
        node->ReleaseChildren(pending);
        delete node;
    }
}

bool TorvJSONbase::CanAdopt(const TorvJSONbase* node) const
{
    if (!node || node->parent_) return false;
    for (const TorvJSONbase* p = this; p; p = p->parent_)
        if (p == node) return false;
    return true;
}

// ---- values --------------------------------------------------------------

Variant TorvJSONnumber::VariantValue() const { return Variant(static_cast<double>(value_)); }
void TorvJSONnumber::SetFromVariant(const Variant& v) { value_ = v.ToDouble(); }

Variant TorvJSONstring::VariantValue() const { return Variant(value_); }
void TorvJSONstring::SetFromVariant(const Variant& v) { value_ = v.ToWideString(); }

Variant TorvJSONboolean::VariantValue() const { return Variant(value_); }
void TorvJSONboolean::SetFromVariant(const Variant& v) { value_ = v.ToBoolean(); }

// ---- TorvJSONcustomlist --------------------------------------------------

TorvJSONcustomlist::~TorvJSONcustomlist()
{
    // Children are freed from the last to the first through a work list.
    if (children_.empty()) return;
    constexpr size_t kPiece = 4096;
    std::vector<TorvJSONbase*> pending;
    if (children_.size() <= kPiece) {
        pending.swap(children_);
        FreeNodes(pending);
        return;
    }
    // A long child list is copied into bounded pieces and released first:
    // the heap then frees its one large buffer before the many small nodes
    // instead of after them, which costs far less.
    std::vector<std::vector<TorvJSONbase*>> pieces;
    for (size_t b = 0; b < children_.size(); b += kPiece) {
        const auto first = children_.begin() + static_cast<std::ptrdiff_t>(b);
        const auto count = static_cast<std::ptrdiff_t>(std::min(kPiece, children_.size() - b));
        pieces.emplace_back(first, first + count);
    }
    std::vector<TorvJSONbase*>().swap(children_);
    while (!pieces.empty()) {
        pending.swap(pieces.back());
        pieces.pop_back();
        FreeNodes(pending);
    }
}

void TorvJSONcustomlist::ReleaseChildren(std::vector<TorvJSONbase*>& out)
{
    out.insert(out.end(), children_.begin(), children_.end());
    children_.clear();
}

TorvJSONbase* TorvJSONcustomlist::ChildAt(int index) const
{
    if (index < 0 || index >= ChildCount()) return nullptr;
    return children_[static_cast<size_t>(index)];
}

void TorvJSONcustomlist::ReplaceChildAt(int index, TorvJSONbase* node)
{
    if (index < 0 || index >= ChildCount()) return;
    TorvJSONbase*& slot = children_[static_cast<size_t>(index)];
    if (slot == node) return;
    if (node && !CanAdopt(node)) return;
    TorvJSONbase* old = slot;
    slot = node;
    if (node) SetParent(node, this);
    delete old;
}

TorvJSONbase* TorvJSONcustomlist::ChildByKey(const Variant& key)
{
    if (!key.IsNumeric()) return this;
    int index = 0;
    return KeyIndex(key, index) ? ChildAt(index) : nullptr;
}

TorvJSONbase* TorvJSONcustomlist::EntryAt(int index, std::string& name)
{
    name = rtl::IntToStr(index);
    return ChildAt(index);
}

int TorvJSONcustomlist::AppendNode(TorvJSONbase* node)
{
    if (!CanAdopt(node)) return -1;
    AppendOwned(node);
    return ChildCount() - 1;
}

void TorvJSONcustomlist::AppendOwned(TorvJSONbase* node)
{
    children_.push_back(node);
    SetParent(node, this);
}

void TorvJSONcustomlist::RemoveAt(int index)
{
    if (index < 0 || index >= ChildCount()) return;
    const size_t i = static_cast<size_t>(index);
    TorvJSONbase* old = children_[i];
    children_[i] = children_.back();
    children_.pop_back();
    delete old;
}

int TorvJSONcustomlist::PositionOf(const TorvJSONbase* node) const
{
    for (size_t i = 0; i < children_.size(); ++i)
        if (children_[i] == node) return static_cast<int>(i);
    return -1;
}

int32_t TorvJSONcustomlist::IntegerAt(int index) { return IntegerOf(ChildAt(index)); }
std::string TorvJSONcustomlist::AnsiStringAt(int index) { return AnsiOf(ChildAt(index)); }
std::u16string TorvJSONcustomlist::WideStringAt(int index) { return WideOf(ChildAt(index)); }
long double TorvJSONcustomlist::FloatAt(int index) { return FloatOf(ChildAt(index)); }
bool TorvJSONcustomlist::BooleanAt(int index) { return BooleanOf(ChildAt(index)); }

// ---- TorvJSONobjectmethod ------------------------------------------------

TorvJSONobjectmethod::TorvJSONobjectmethod(std::u16string name, TorvJSONbase* value)
    : name_(std::move(name))
{
    if (CanAdopt(value)) {
        value_ = value;
        SetParent(value, this);
    }
}

TorvJSONobjectmethod::~TorvJSONobjectmethod()
{
    std::vector<TorvJSONbase*> pending;
    ReleaseChildren(pending);
    FreeNodes(pending);
}

void TorvJSONobjectmethod::ReleaseChildren(std::vector<TorvJSONbase*>& out)
{
    if (value_) out.push_back(value_);
    value_ = nullptr;
}

// ---- TorvJSONobject ------------------------------------------------------

void TorvJSONobject::IndexChild(int index)
{
    if (!indexed_) return;
    if (const auto* member = dynamic_cast<const TorvJSONobjectmethod*>(ChildAt(index)))
        index_.InsertKey(member->Name(), index);
}

void TorvJSONobject::RebuildIndex()
{
    if (!indexed_) return;
    index_.RemoveAllKeys();
    for (int i = 0; i < ChildCount(); ++i) IndexChild(i);
}

void TorvJSONobject::ReplaceChildAt(int index, TorvJSONbase* node)
{
    const TorvJSONbase* before = ChildAt(index);
    TorvJSONcustomlist::ReplaceChildAt(index, node);
    if (ChildAt(index) != before) RebuildIndex();
}

int TorvJSONobject::AppendNode(TorvJSONbase* node)
{
    const int index = TorvJSONcustomlist::AppendNode(node);
    if (index >= 0) IndexChild(index);
    return index;
}

void TorvJSONobject::RemoveAt(int index)
{
    if (index < 0 || index >= ChildCount()) return;
    TorvJSONcustomlist::RemoveAt(index);
    RebuildIndex();
}

TorvJSONbase* TorvJSONobject::ChildByKey(const Variant& key)
{
    if (key.IsText()) return MemberValue(key.ToWideString());
    return TorvJSONcustomlist::ChildByKey(key);
}

TorvJSONbase* TorvJSONobject::EntryAt(int index, std::string& name)
{
    name = rtl::Utf16ToGbk(MemberNameAt(index));
    return MemberValueAt(index);
}

int32_t TorvJSONobject::IntegerAt(int index) { return IntegerOf(MemberValueAt(index)); }
std::string TorvJSONobject::AnsiStringAt(int index) { return AnsiOf(MemberValueAt(index)); }
std::u16string TorvJSONobject::WideStringAt(int index) { return WideOf(MemberValueAt(index)); }
long double TorvJSONobject::FloatAt(int index) { return FloatOf(MemberValueAt(index)); }
bool TorvJSONobject::BooleanAt(int index) { return BooleanOf(MemberValueAt(index)); }

int TorvJSONobject::AddMember(const std::u16string& name, TorvJSONbase* value)
{
    if (!CanAdopt(value)) return -1;
    return AppendNode(new TorvJSONobjectmethod(name, value));
}

int TorvJSONobject::AddIntegerMember(const std::u16string& name, int32_t value)
{
    return AddMember(name, TorvJSONnumber::NewNumber(value));
}

int TorvJSONobject::FindMember(const std::u16string& name) const
{
    if (indexed_) return index_.FindKey(name);
    for (int i = 0; i < ChildCount(); ++i) {
        const auto* member = dynamic_cast<const TorvJSONobjectmethod*>(ChildAt(i));
        if (member && member->Name() == name) return i;
    }
    return -1;
}

TorvJSONbase* TorvJSONobject::MemberValue(const std::u16string& name) const
{
    const int index = FindMember(name);
    if (index < 0) return nullptr;
    const auto* member = dynamic_cast<const TorvJSONobjectmethod*>(ChildAt(index));
    return member ? member->Value() : nullptr;
}

std::u16string TorvJSONobject::MemberNameAt(int index) const
{
    const TorvJSONbase* child = ChildAt(index);
    if (!child) return {};
    return Required<TorvJSONobjectmethod>(child)->Name();
}

TorvJSONbase* TorvJSONobject::MemberValueAt(int index) const
{
    const std::u16string name = MemberNameAt(index);
    if (name.empty()) return nullptr;
    return MemberValue(name);
}

int32_t TorvJSONobject::IntegerMember(const std::string& name)
{
    return IntegerAt(FindMember(rtl::GbkToUtf16(name)));
}

}  // namespace json
