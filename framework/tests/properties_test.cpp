// Classes by name, published properties by name, delegates.
#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics.h"
#include "framework/typinfo.h"

namespace fw {
namespace {

enum TGadgetKind { gkPlain, gkFancy, gkOdd };
FW_ENUM(TGadgetKind, "gkPlain", "gkFancy", "gkOdd")

class TGadget : public TComponent {
    FW_CLASS(TGadget, TComponent)
public:
    explicit TGadget(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {}

    int Size() const { return size_; }
    void SetSize(int v) { size_ = v; }
    TGadgetKind Kind() const { return kind_; }
    void SetKind(TGadgetKind k) { kind_ = k; }
    TSet<TGadgetKind> Kinds() const { return kinds_; }
    void SetKinds(TSet<TGadgetKind> k) { kinds_ = k; }
    const std::string& Label() const { return label_; }
    void SetLabel(const std::string& s) { label_ = s; }
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* f) { font_->Assign(f); }
    int Fixed() const { return 7; }

    TColor Shade = clBtnFace;
    bool Shiny = false;
    std::wstring WideLabel;
    TComponent* Buddy = nullptr;
    TNotifyEvent OnPoke;

    void Poked(TObject*) { ++pokes; }
    void Prodded(TObject*) { ++prods; }
    int pokes = 0, prods = 0;

private:
    int size_ = 0;
    TGadgetKind kind_ = gkPlain;
    TSet<TGadgetKind> kinds_;
    std::string label_;
    std::unique_ptr<TFont> font_;
};

FW_IMPLEMENT_CLASS(TGadget)
{
    c.Property("Size", &TGadget::Size, &TGadget::SetSize);
    c.Property("Shade", &TGadget::Shade).WithIdents(ColorIdents());
    c.Property("Shiny", &TGadget::Shiny);
    c.Property("Kind", &TGadget::Kind, &TGadget::SetKind);
    c.Property("Kinds", &TGadget::Kinds, &TGadget::SetKinds);
    c.Property("Label", &TGadget::Label, &TGadget::SetLabel);
    c.Property("WideLabel", &TGadget::WideLabel);
    c.Property("Font", &TGadget::Font, &TGadget::SetFont);
    c.Property("Buddy", &TGadget::Buddy);
    c.Property("Fixed", &TGadget::Fixed);
    c.Property("OnPoke", &TGadget::OnPoke);
}

class TBigGadget : public TGadget {
    FW_CLASS(TBigGadget, TGadget)
public:
    using TGadget::TGadget;
};
FW_IMPLEMENT_CLASS(TBigGadget) {}

TEST(Classes, NamesInheritanceAndCreationByName)
{
    RegisterClass(TBigGadget::StaticClass());
    const TClass* cls = FindClass("TBigGadget");
    ASSERT_NE(cls, nullptr);
    TOwnedPtr<TComponent> made(cls->Create(nullptr));
    EXPECT_EQ(made->ClassName(), "TBigGadget");
    EXPECT_TRUE(made->InheritsFrom("TGadget"));
    EXPECT_TRUE(made->InheritsFrom(TComponent::StaticClass()));
    EXPECT_FALSE(made->InheritsFrom("tgadget"));  // class names are exact text
    EXPECT_EQ(FindClass("TNoSuchThing"), nullptr);
    EXPECT_NE(FindClass("TButton"), nullptr);  // the framework's own are there
}

TEST(Properties, ReadAndWriteEveryKindByName)
{
    TGadget g(nullptr);
    SetOrdProp(&g, "size", 12);
    EXPECT_EQ(GetOrdProp(&g, "SIZE"), 12);
    EXPECT_EQ(GetPropValue(&g, "Size"), "12");

    EXPECT_EQ(GetOrdProp(&g, "Shade"), clBtnFace);
    SetPropValue(&g, "Shade", "$FF");
    EXPECT_EQ(g.Shade, clRed);

    EXPECT_EQ(GetEnumProp(&g, "Shiny"), "False");
    SetEnumProp(&g, "shiny", "TRUE");
    EXPECT_TRUE(g.Shiny);
    SetPropValue(&g, "Kind", "gkOdd");
    EXPECT_EQ(g.Kind(), gkOdd);
    EXPECT_EQ(GetPropValue(&g, "Kind"), "gkOdd");

    SetSetProp(&g, "Kinds", "[gkPlain, gkOdd]");
    EXPECT_EQ(GetSetProp(&g, "Kinds"), "[gkPlain,gkOdd]");
    SetPropValue(&g, "Kinds", "[]");
    EXPECT_EQ(GetSetProp(&g, "Kinds"), "[]");

    SetStrProp(&g, "Label", "\xC4\xEA");  // "年"
    EXPECT_EQ(GetStrProp(&g, "label"), "\xC4\xEA");
    EXPECT_EQ(GetWideStrProp(&g, "Label"), L"\x5E74");
    SetWideStrProp(&g, "WideLabel", L"\x5E74");
    EXPECT_EQ(GetStrProp(&g, "WideLabel"), "\xC4\xEA");

    EXPECT_EQ(GetObjectProp(&g, "Font", TFont::StaticClass()), g.Font());
    EXPECT_EQ(GetObjectProp(&g, "Font", TComponent::StaticClass()), nullptr);  // the class test
    SetStrProp(GetObjectProp(&g, "Font"), "Name", "Arial");
    EXPECT_EQ(g.Font()->Name(), "Arial");
    TGadget buddy(nullptr);
    SetObjectProp(&g, "Buddy", &buddy);
    EXPECT_EQ(g.Buddy, &buddy);
    TFont notAComponent;
    SetObjectProp(&g, "Buddy", &notAComponent);  // wrong class: left alone
    EXPECT_EQ(g.Buddy, &buddy);
}

TEST(Properties, KindsReadAsTheirOwnKindOnly)
{
    TGadget g(nullptr);
    EXPECT_EQ(GetEnumProp(&g, "Size"), "");
    EXPECT_EQ(GetStrProp(&g, "Size"), "");
    EXPECT_EQ(GetObjectProp(&g, "Size"), nullptr);
    EXPECT_EQ(PropKind(&g, "Shiny"), TTypeKind::Enumeration);
    EXPECT_EQ(PropKind(&g, "Shade"), TTypeKind::Integer);
    EXPECT_EQ(GetOrdProp(&g, "Fixed"), 7);
    SetOrdProp(&g, "Fixed", 9);  // read-only: nothing happens
    EXPECT_EQ(GetOrdProp(&g, "Fixed"), 7);
}

TEST(Properties, MissingPropertyOrInstanceReadsAsDefault)
{
    TGadget g(nullptr);
    for (const TObject* obj :
         {static_cast<const TObject*>(&g), static_cast<const TObject*>(nullptr)}) {
        EXPECT_EQ(GetOrdProp(obj, "Nothing"), -1);
        EXPECT_EQ(GetEnumProp(obj, "Nothing"), "");
        EXPECT_EQ(GetStrProp(obj, "Nothing"), "");
        EXPECT_EQ(GetWideStrProp(obj, "Nothing"), L"");
        EXPECT_EQ(GetObjectProp(obj, "Nothing"), nullptr);
        EXPECT_FALSE(GetMethodProp(obj, "Nothing").Assigned());
        EXPECT_FALSE(IsPublishedProp(obj, "Nothing"));
    }
    SetPropValue(&g, "Nothing", "1");
    SetPropValue(nullptr, "Size", "1");
}

TEST(Properties, BadTextRaisesConversionErrors)
{
    TGadget g(nullptr);
    try {
        SetPropValue(&g, "Size", "abc");
        FAIL() << "no exception";
    } catch (const rtl::EConvertError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
    EXPECT_THROW(SetEnumProp(&g, "Kind", "gkNone"), rtl::EConvertError);
    EXPECT_THROW(SetSetProp(&g, "Kinds", "gkOdd"), rtl::EConvertError);
    EXPECT_THROW(SetSetProp(&g, "Kinds", "[gkOdd,gkNone]"), rtl::EConvertError);
    EXPECT_EQ(g.Kind(), gkPlain);
}

TEST(Delegates, SavedComparedRestoredAndSetByName)
{
    TGadget g(nullptr);
    const TNotifyEvent poke(&g, &TGadget::Poked);
    const TNotifyEvent prod(&g, &TGadget::Prodded);
    EXPECT_FALSE(g.OnPoke);
    g.OnPoke(&g);  // an empty delegate does nothing
    g.OnPoke = poke;
    const TNotifyEvent saved = g.OnPoke;
    g.OnPoke = prod;
    EXPECT_FALSE(g.OnPoke == saved);
    g.OnPoke(&g);
    g.OnPoke = saved;
    EXPECT_TRUE(g.OnPoke == poke);
    g.OnPoke(&g);
    EXPECT_EQ(g.pokes, 1);
    EXPECT_EQ(g.prods, 1);

    TGadget other(nullptr);
    EXPECT_FALSE(TNotifyEvent(&other, &TGadget::Poked) == poke);  // same method, other object

    EXPECT_TRUE(GetMethodProp(&g, "onpoke") == poke.Method());
    EXPECT_TRUE(SetMethodProp(&g, "OnPoke", prod));
    EXPECT_TRUE(g.OnPoke == prod);
    using TOtherEvent = TDelegate<void(TObject*, int)>;
    EXPECT_FALSE(SetMethodProp(&g, "OnPoke", TOtherEvent()));  // wrong signature: refused
    EXPECT_TRUE(g.OnPoke == prod);
}

}  // namespace
}  // namespace fw
