// Applies a parsed layout to a root component through the class and
// property registries.
#include "framework/winapi.h"

#include <map>

#include "framework/controls.h"
#include "framework/guards.h"
#include "framework/layout.h"
#include "framework/steptimes.h"
#include "framework/strings.h"
#include "framework/text.h"
#include "rtl/textcase.h"

namespace fw {

namespace {

std::string Gbk(const std::string& utf8) { return ToGbk(Utf8ToWide(utf8)); }

class Reader {
public:
    explicit Reader(TComponent* root) : root_(root) {}

    void ReadRoot(const TLayoutObject& o)
    {
        if (o.className != root_->ClassName())
            Fail(o.line, "the layout is of class " + o.className + ", not " + root_->ClassName());
        Begin(root_);
        {
            // Reading ends for every component begun, also when the layout fails.
            TScopeExit endRead([this] {
                for (TComponent* c : loaded_) c->EndRead();
            });
            if (!o.name.empty()) root_->SetName(o.name);
            ReadItems(root_, o);
            ResolveFixups();
        }
        for (TComponent* c : loaded_) c->Loaded();
    }

private:
    struct Fixup {
        TObject* instance;
        const TPropInfo* prop;
        std::string name;
        int line;
    };

    [[noreturn]] static void Fail(int line, const std::string& what)
    {
        throw EReadError("layout line " + std::to_string(line) + ": " + what);
    }

    void Begin(TComponent* c)
    {
        c->BeginRead();
        loaded_.push_back(c);
    }

    void ReadItems(TComponent* target, const TLayoutObject& o)
    {
        for (const TLayoutItem& item : o.items) {
            switch (item.kind) {
            case TLayoutItem::Property: SetProperty(target, item); break;
            case TLayoutItem::Event: BindEvent(target, item); break;
            case TLayoutItem::Object: ReadChild(target, *item.object); break;
            }
        }
    }

    // A component of the root, placed in the component of the block
    // around it (a control's parent is the nearest windowed control).
    void ReadChild(TComponent* enclosing, const TLayoutObject& o)
    {
        const TClass* cls = FindClass(o.className);
        if (!cls) Fail(o.line, "class " + o.className + " not found");
        if (!cls->Create) Fail(o.line, "class " + o.className + " cannot be created from a layout");
        const TFieldEntry* field = root_->ClassType()->FindField(o.name);
        if (field && !cls->InheritsFrom(field->FieldClass()))
            Fail(o.line, o.name + " is a " + field->FieldClass()->Name + " in " +
                             root_->ClassName() + ", not a " + o.className);
        TComponent* c = cls->Create(root_);
        Begin(c);
        c->SetName(o.name);
        TComponent* place = enclosing;
        if (dynamic_cast<TControl*>(c))
            while (place && !dynamic_cast<TWinControl*>(place)) place = parents_[place];
        if (!c->SetParentComponent(place ? place : enclosing))
            Fail(o.line, o.name + " cannot be placed in " + enclosing->Name());
        parents_[c] = enclosing;
        if (field) field->Set(root_, c);
        ReadItems(c, o);
    }

    void SetProperty(TComponent* target, const TLayoutItem& item)
    {
        const int line = item.line;
        TObject* obj = target;
        std::string_view path = item.name;
        for (size_t dot; (dot = path.find('.')) != std::string_view::npos;
             path.remove_prefix(dot + 1)) {
            const std::string seg(path.substr(0, dot));
            const TPropInfo* p = obj->ClassType()->FindProp(seg);
            if (!p || p->Kind != TTypeKind::Class)
                Fail(line, obj->ClassName() + " has no object property " + seg);
            obj = p->GetObj(obj);
            if (!obj) Fail(line, seg + " holds no object");
        }
        const std::string name(path);
        const TLayoutValue& v = item.value;
        if (v.kind == TLayoutValue::Bytes) {
            const TBinaryEntry* b = obj->ClassType()->FindBinary(name);
            if (!b) Fail(line, obj->ClassName() + " has no binary property " + name);
            b->Read(obj, v.bytes);
            return;
        }
        const TPropInfo* p = obj->ClassType()->FindProp(name);
        if (!p) Fail(line, obj->ClassName() + " has no property " + name);
        switch (p->Kind) {
        case TTypeKind::Integer: {
            int32_t value = 0;
            if (v.kind == TLayoutValue::Number)
                value = static_cast<int32_t>(v.number);
            else if (v.kind != TLayoutValue::Ident || !p->Idents || !p->Idents->Find(v.text, value))
                Fail(line, "invalid value for " + name);
            Writable(p, line);
            p->SetOrd(obj, value);
            return;
        }
        case TTypeKind::Enumeration: {
            const int ord = v.kind == TLayoutValue::Ident ? p->Enum->IndexOf(v.text) : -1;
            if (ord < 0) Fail(line, "invalid value for " + name);
            Writable(p, line);
            p->SetOrd(obj, ord);
            return;
        }
        case TTypeKind::Set: {
            if (v.kind != TLayoutValue::List) Fail(line, "a set [a, b] expected for " + name);
            uint32_t bits = 0;
            for (const TLayoutValue& e : v.items) {
                const int ord = e.kind == TLayoutValue::Ident ? p->Enum->IndexOf(e.text) : -1;
                if (ord < 0 || ord >= 32) Fail(e.line, "invalid element of " + name);
                bits |= uint32_t{1} << ord;
            }
            Writable(p, line);
            p->SetOrd(obj, bits);
            return;
        }
        case TTypeKind::String:
            if (v.kind != TLayoutValue::String) Fail(line, "a string expected for " + name);
            Writable(p, line);
            p->SetStr(obj, Gbk(v.text));
            return;
        case TTypeKind::WString:
            if (v.kind != TLayoutValue::String) Fail(line, "a string expected for " + name);
            Writable(p, line);
            p->SetWStr(obj, Utf8ToWide(v.text));
            return;
        case TTypeKind::Class:
            if (v.kind == TLayoutValue::List) {
                auto* list = dynamic_cast<TStrings*>(p->GetObj(obj));
                if (!list) Fail(line, name + " holds no string list");
                list->Clear();
                for (const TLayoutValue& e : v.items) {
                    if (e.kind != TLayoutValue::String) Fail(e.line, "strings expected in " + name);
                    list->Add(Gbk(e.text));
                }
                return;
            }
            if (v.kind != TLayoutValue::Ident) Fail(line, "a component name expected for " + name);
            Writable(p, line);
            if (v.text == "nil")
                p->SetObj(obj, nullptr);
            else
                fixups_.push_back({obj, p, v.text, line});
            return;
        case TTypeKind::Method: Fail(line, name + " is an event: write " + name + " -> Handler");
        }
    }

    static void Writable(const TPropInfo* p, int line)
    {
        if (!p->Writable()) Fail(line, p->Name + " is read-only");
    }

    void BindEvent(TComponent* target, const TLayoutItem& item)
    {
        const TPropInfo* p = target->ClassType()->FindProp(item.name);
        if (!p || p->Kind != TTypeKind::Method)
            Fail(item.line, target->ClassName() + " has no event " + item.name);
        const TMethodEntry* m = root_->ClassType()->FindMethod(item.handler);
        if (!m) Fail(item.line, root_->ClassName() + " has no handler " + item.handler);
        if (*m->Signature != *p->Signature)
            Fail(item.line, item.handler + " does not fit " + item.name);
        Writable(p, item.line);
        p->SetMethod(target, TMethod{m->Code, root_});
    }

    void ResolveFixups()
    {
        for (const Fixup& f : fixups_) {
            TComponent* c =
                rtl::SameText(f.name, root_->Name()) ? root_ : root_->FindComponent(f.name);
            if (!c) Fail(f.line, "no component named " + f.name);
            if (!c->InheritsFrom(f.prop->ObjClass()))
                Fail(f.line,
                     f.name + " is no " + f.prop->ObjClass()->Name + " for " + f.prop->Name);
            f.prop->SetObj(f.instance, c);
        }
    }

    TComponent* root_;
    std::map<TComponent*, TComponent*> parents_;  // the block each component was read in
    std::vector<TComponent*> loaded_;
    std::vector<Fixup> fixups_;
};

}  // namespace

void ReadLayout(TComponent* root, std::string_view utf8)
{
    TStepSpan span("layout read");
    const TLayoutObject tree = [&] {
        TStepSpan parse("layout parse");
        return ParseLayout(utf8);
    }();
    Reader(root).ReadRoot(tree);
}

bool ReadLayoutResource(TComponent* root)
{
    HMODULE module = GetModuleHandleW(nullptr);
    const std::wstring name = ToWide(root->ClassName());
    HRSRC res = FindResourceW(module, name.c_str(), RT_RCDATA);
    if (!res) return false;
    HGLOBAL data = LoadResource(module, res);
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) return false;
    ReadLayout(root,
               std::string_view(static_cast<const char*>(bytes), SizeofResource(module, res)));
    return true;
}

}  // namespace fw
