// Test helper: a plain description of a node tree, independent of the
// writer, for expected values and tree comparison.
#pragma once

#include <cstdio>
#include <string>

#include "json/float_text.h"
#include "json/nodes.h"

namespace json_test {

// Numbers appear by their 15-digit text; SameTree compares them exactly.
inline std::string Dump(const json::TorvJSONbase* node)
{
    using namespace json;
    if (!node) return "nil";
    if (auto* n = dynamic_cast<const TorvJSONnumber*>(node)) return FloatToStr15(n->Value());
    if (auto* b = dynamic_cast<const TorvJSONboolean*>(node)) return b->Value() ? "true" : "false";
    if (dynamic_cast<const TorvJSONnull*>(node)) return "null";
    auto quote = [](const std::u16string& s) {
        std::string out = "\"";
        for (char16_t c : s) {
            if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
                out.push_back(static_cast<char>(c));
            } else {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04X", unsigned(c));
                out += buf;
            }
        }
        return out + "\"";
    };
    if (auto* s = dynamic_cast<const TorvJSONstring*>(node)) return quote(s->Value());
    if (auto* m = dynamic_cast<const TorvJSONobjectmethod*>(node))
        return quote(m->Name()) + ":" + Dump(m->Value());
    if (auto* l = dynamic_cast<const TorvJSONcustomlist*>(node)) {
        const bool object = dynamic_cast<const TorvJSONobject*>(node) != nullptr;
        std::string out = object ? "{" : "[";
        for (int i = 0; i < l->ChildCount(); ++i) {
            if (i) out += ",";
            out += Dump(l->ChildAt(i));
        }
        return out + (object ? "}" : "]");
    }
    return "base";
}

// Same shape, kinds, names and values (numbers compared exactly).
inline bool SameTree(const json::TorvJSONbase* a, const json::TorvJSONbase* b)
{
    using namespace json;
    if (!a || !b) return a == b;
    if (a->KindCode() != b->KindCode() || a->ChildCount() != b->ChildCount()) return false;
    if (auto* n = dynamic_cast<const TorvJSONnumber*>(a))
        return n->Value() == static_cast<const TorvJSONnumber*>(b)->Value();
    if (auto* s = dynamic_cast<const TorvJSONstring*>(a))
        return s->Value() == static_cast<const TorvJSONstring*>(b)->Value();
    if (auto* f = dynamic_cast<const TorvJSONboolean*>(a))
        return f->Value() == static_cast<const TorvJSONboolean*>(b)->Value();
    if (auto* m = dynamic_cast<const TorvJSONobjectmethod*>(a)) {
        auto* o = dynamic_cast<const TorvJSONobjectmethod*>(b);
        return o && m->Name() == o->Name() && SameTree(m->Value(), o->Value());
    }
    for (int i = 0; i < a->ChildCount(); ++i)
        if (!SameTree(a->ChildAt(i), b->ChildAt(i))) return false;
    return true;
}

}  // namespace json_test
