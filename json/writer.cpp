// WriteJson: compact text, no blanks. Strings become UTF-8 one 16-bit unit
// at a time (a surrogate pair gives two three-byte sequences) and are
// escaped byte by byte; numbers have 15 significant digits and '.'.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <typeinfo>
#include <vector>

#include "json/float_text.h"
#include "json/orvjson.h"

namespace json {

class TorvJSONwriter {
public:
    std::string Write(const TorvJSONbase* root);

private:
    struct Frame {
        const TorvJSONcustomlist* list;
        size_t next;
        bool object;
        bool any;
    };

    // Room for n more bytes; returns where they go.
    char* Need(size_t n)
    {
        if (text_.size() - used_ < n) Grow(n);
        return text_.data() + used_;
    }
    [[gnu::noinline]] void Grow(size_t n)
    {
        text_.resize(std::max(text_.size() * 2, used_ + n + 256));
    }
    void Put(const char* s, size_t n)
    {
        std::memcpy(Need(n), s, n);
        used_ += n;
    }
    void Put(char c)
    {
        *Need(1) = c;
        ++used_;
    }
    void WriteValue(const TorvJSONbase* node);
    static void PrefetchChildren(const TorvJSONcustomlist* list);
    void WriteString(const std::u16string& s);

    std::string text_;
    size_t used_ = 0;
    std::vector<Frame> stack_;
};

void TorvJSONwriter::WriteString(const std::u16string& s)
{
    static const char kHex[] = "0123456789ABCDEF";
    char* d = Need(s.size() * 6 + 2);  // \u00XX is the longest form of a unit
    char* const start = d;
    *d++ = '"';
    for (const char16_t unit : s) {
        if (unit >= 0x80) {
            if (unit < 0x800) {
                *d++ = static_cast<char>(0xC0 | (unit >> 6));
            } else {
                *d++ = static_cast<char>(0xE0 | (unit >> 12));
                *d++ = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            }
            *d++ = static_cast<char>(0x80 | (unit & 0x3F));
            continue;
        }
        const char c = static_cast<char>(unit);
        if (unit >= 0x20 && c != '"' && c != '/' && c != '\\') {
            *d++ = c;
            continue;
        }
        *d++ = '\\';
        switch (c) {
        case '\b': *d++ = 'b'; break;
        case '\t': *d++ = 't'; break;
        case '\n': *d++ = 'n'; break;
        case '\f': *d++ = 'f'; break;
        case '\r': *d++ = 'r'; break;
        case '"':
        case '/':
        case '\\': *d++ = c; break;
        default:
            *d++ = 'u';
            *d++ = '0';
            *d++ = '0';
            *d++ = kHex[unit >> 4];
            *d++ = kHex[unit & 0xF];
            break;
        }
    }
    *d++ = '"';
    used_ += static_cast<size_t>(d - start);
}

namespace {

// The member record behind a node, or nil. A plain member record is known
// by its type alone; anything else must be of kind 0 and derive from it.
const TorvJSONobjectmethod* AsMember(const TorvJSONbase* node)
{
    if (typeid(*node) == typeid(TorvJSONobjectmethod))
        return static_cast<const TorvJSONobjectmethod*>(node);
    if (node->KindCode() != 0) return nullptr;
    return dynamic_cast<const TorvJSONobjectmethod*>(node);
}

// Large trees are bound by memory latency: a container's first children
// are asked for together as it is entered, and each step asks for one a
// few places ahead, so that the loads overlap.
constexpr size_t kPrefetchAhead = 8;

}  // namespace

void TorvJSONwriter::PrefetchChildren(const TorvJSONcustomlist* list)
{
    const auto& children = list->children_;
    const size_t n = std::min(children.size(), kPrefetchAhead);
    for (size_t i = 0; i < n; ++i) __builtin_prefetch(children[i]);
}

void TorvJSONwriter::WriteValue(const TorvJSONbase* node)
{
    int kind = node ? node->KindCode() : -1;
    // A member record in the place of a value stands for its value.
    while (kind == 0) {
        const TorvJSONobjectmethod* member = AsMember(node);
        if (!member) break;
        node = member->value_;
        kind = node ? node->KindCode() : -1;
    }
    switch (kind) {
    case 1: {
        const long double v = static_cast<const TorvJSONnumber*>(node)->Value();
        if (!std::isfinite(v)) {
            Put("null", 4);
            break;
        }
        used_ += static_cast<size_t>(FormatExtended15(Need(kFloatTextMax), v));
        break;
    }
    case 2: WriteString(static_cast<const TorvJSONstring*>(node)->Value()); break;
    case 3:
        if (static_cast<const TorvJSONboolean*>(node)->Value())
            Put("true", 4);
        else
            Put("false", 5);
        break;
    case 5:
        Put('[');
        PrefetchChildren(static_cast<const TorvJSONcustomlist*>(node));
        stack_.push_back({static_cast<const TorvJSONcustomlist*>(node), 0, false, false});
        break;
    case 6:
        Put('{');
        PrefetchChildren(static_cast<const TorvJSONcustomlist*>(node));
        stack_.push_back({static_cast<const TorvJSONcustomlist*>(node), 0, true, false});
        break;
    default: Put("null", 4); break;  // null, nil, a bare node
    }
}

std::string TorvJSONwriter::Write(const TorvJSONbase* root)
{
    text_.resize(1024);
    WriteValue(root);
    // Containers are walked with an explicit stack, so depth costs no
    // native stack.
    while (!stack_.empty()) {
        Frame& f = stack_.back();
        const auto& children = f.list->children_;
        if (f.next >= children.size()) {
            Put(f.object ? '}' : ']');
            stack_.pop_back();
            continue;
        }
        const TorvJSONbase* child = children[f.next++];
        if (f.next + kPrefetchAhead <= children.size())
            __builtin_prefetch(children[f.next + kPrefetchAhead - 1]);
        // A member asked for earlier has come in by now: ask for its value.
        if (f.object && f.next + kPrefetchAhead / 2 < children.size()) {
            const TorvJSONbase* ahead = children[f.next + kPrefetchAhead / 2];
            if (ahead && typeid(*ahead) == typeid(TorvJSONobjectmethod))
                __builtin_prefetch(static_cast<const TorvJSONobjectmethod*>(ahead)->value_);
        }
        if (f.object) {
            const auto* member = child ? AsMember(child) : nullptr;
            if (!member) continue;  // no member: left out
            if (f.any) Put(',');
            f.any = true;
            WriteString(member->name_);
            Put(':');
            WriteValue(member->value_);  // may push: f is not used after this
        } else {
            if (f.any) Put(',');
            f.any = true;
            WriteValue(child);
        }
    }
    text_.resize(used_);
    // Small texts give back the unused room; large ones keep it (a copy of
    // megabytes would cost more than the room).
    if (used_ < 65536 && text_.capacity() - used_ > used_ / 4 + 64) text_.shrink_to_fit();
    return std::move(text_);
}

std::string TorvJSON::WriteJson(const TorvJSONbase* root)
{
    if (!root) return {};
    return TorvJSONwriter().Write(root);
}

}  // namespace json
