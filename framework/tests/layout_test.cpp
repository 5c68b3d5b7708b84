// Stored layouts: a form made from its layout, with events bound, and the
// errors a layout that does not fit its classes gives.
#include <gtest/gtest.h>

#include <string>

#include "framework/application.h"
#include "framework/layout.h"
#include "framework/stdctrls.h"
#include "framework/typinfo.h"

namespace fw {
namespace {

class TLayoutForm : public TForm {
    FW_CLASS(TLayoutForm, TForm)
public:
    using TForm::TForm;
    TLabel* Label1 = nullptr;
    TEdit* Edit1 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TButton* Button1 = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    int created = 0, clicks = 0, checks = 0;
    void FormCreate(TObject*) { created = ComboBox1 ? ComboBox1->Items()->Count() : -1; }
    void Button1Click(TObject* sender) { clicks += sender == Button1; }
    void CheckBox1Click(TObject*) { ++checks; }
    void Moved(TObject*, TShiftState, int, int) {}
};

FW_IMPLEMENT_CLASS(TLayoutForm)
{
    c.Field("Label1", &TLayoutForm::Label1);
    c.Field("Edit1", &TLayoutForm::Edit1);
    c.Field("ComboBox1", &TLayoutForm::ComboBox1);
    c.Field("Button1", &TLayoutForm::Button1);
    c.Field("CheckBox1", &TLayoutForm::CheckBox1);
    c.Method("FormCreate", &TLayoutForm::FormCreate);
    c.Method("Button1Click", &TLayoutForm::Button1Click);
    c.Method("CheckBox1Click", &TLayoutForm::CheckBox1Click);
    c.Method("Moved", &TLayoutForm::Moved);
}

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
};

void ExpectTheLayout(TLayoutForm* f)
{
    EXPECT_EQ(f->Name(), "LayoutForm");
    EXPECT_EQ(f->Caption(), "\xC6\xC1\xBA\xC5\xB2\xE2\xCA\xD4");  // "屏号测试"
    EXPECT_EQ(f->ClientWidth(), 300);
    EXPECT_EQ(f->ClientHeight(), 200);
    EXPECT_EQ(f->Position(), poScreenCenter);
    EXPECT_EQ(GetSetProp(f, "BorderIcons"), "[biSystemMenu,biMinimize]");
    ASSERT_NE(f->Label1, nullptr);
    EXPECT_EQ(f->Label1->Caption(), "\xCF\xD4\xCA\xBE\xC4\xDA\xC8\xDD\xA3\xBA");  // "显示内容："
    EXPECT_EQ(f->Label1->Font()->Color(), clRed);
    EXPECT_TRUE(f->Label1->WordWrap());
    EXPECT_EQ(f->Label1->Parent(), f);
    ASSERT_NE(f->Edit1, nullptr);
    EXPECT_EQ(f->Edit1->MaxLength(), 1000);
    EXPECT_EQ(f->Edit1->Width(), 120);
    ASSERT_NE(f->ComboBox1, nullptr);
    EXPECT_EQ(f->ComboBox1->Items()->Count(), 3);
    EXPECT_EQ(f->ComboBox1->Items()->Get(2), "\xBB\xC6\xC9\xAB");  // "黄色"
    EXPECT_EQ(f->ComboBox1->ItemIndex(), 0);
    EXPECT_EQ(f->created, 3);  // OnCreate ran after the whole layout was read
    ASSERT_NE(f->Button1, nullptr);
    EXPECT_FALSE(f->Button1->Enabled());
    EXPECT_FALSE(f->CheckBox1->Visible());
    EXPECT_EQ(f->CheckBox1->Color(), clLime);
    EXPECT_FALSE(f->CheckBox1->ParentColor());
    EXPECT_EQ(f->ActiveControl(), f->Edit1);
    EXPECT_EQ(f->ComponentCount(), 5);
    EXPECT_EQ(f->Controls(3), f->Button1);  // creation order

    EXPECT_TRUE(f->Button1->OnClick == TNotifyEvent(f, &TLayoutForm::Button1Click));
    f->Button1->SetEnabled(true);
    SendMessageW(f->Button1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(f->clicks, 1);
    SendMessageW(f->CheckBox1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(f->checks, 1);
    EXPECT_FALSE(IsWindowVisible(f->CheckBox1->Handle()));
}

// tests/layout_form.layout, compiled into the test program as the resource
// TLAYOUTFORM.
TEST_F(LayoutTest, FormMadeFromTheLayoutCompiledIntoTheProgram)
{
    TOwnedPtr<TLayoutForm> f(CreateForm<TLayoutForm>(nullptr));
    ExpectTheLayout(f.get());
}

TEST_F(LayoutTest, FieldsAreClearedWhenTheirComponentIsFreed)
{
    TOwnedPtr<TLayoutForm> f(CreateForm<TLayoutForm>(nullptr));
    f->Edit1->Free();
    EXPECT_EQ(f->Edit1, nullptr);
    EXPECT_EQ(f->ActiveControl(), nullptr);
}

TEST_F(LayoutTest, BinaryDataAndListsParse)
{
    const TLayoutObject o =
        ParseLayout("TX X { Data: hex { 00 1f\n A0ff } L: [a, \"b\\\"\", -3, 0x10] }");
    ASSERT_EQ(o.items.size(), 2u);
    EXPECT_EQ(o.items[0].value.bytes, (std::vector<uint8_t>{0x00, 0x1F, 0xA0, 0xFF}));
    const auto& list = o.items[1].value.items;
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].text, "a");
    EXPECT_EQ(list[1].text, "b\"");
    EXPECT_EQ(list[2].number, -3);
    EXPECT_EQ(list[3].number, 16);
}

TEST_F(LayoutTest, LayoutsThatDoNotFitGiveReadErrorsWithTheLine)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"TOther F { }", "layout line 1: the layout is of class TOther, not TLayoutForm"},
        {"TLayoutForm F {\n TWidget W { } }", "layout line 2: class TWidget not found"},
        {"TLayoutForm F {\n Colour: 1 }", "layout line 2: TLayoutForm has no property Colour"},
        {"TLayoutForm F { Position: poNowhere }", "layout line 1: invalid value for Position"},
        {"TLayoutForm F { Caption: 12 }", "layout line 1: a string expected for Caption"},
        {"TLayoutForm F { TButton Button1 {\n\n OnClick -> Nothing } }",
         "layout line 3: TLayoutForm has no handler Nothing"},
        {"TLayoutForm F { TButton Button1 { OnClick -> Moved } }",
         "layout line 1: Moved does not fit OnClick"},
        {"TLayoutForm F { TButton Button1 { OnClick: Button1Click } }",
         "layout line 1: OnClick is an event: write OnClick -> Handler"},
        {"TLayoutForm F { TEdit Button1 { } }",
         "layout line 1: Button1 is a TButton in TLayoutForm, not a TEdit"},
        {"TLayoutForm F { ActiveControl: Edit9 }", "layout line 1: no component named Edit9"},
        {"TLayoutForm F { BorderIcons: [biSystemMenu, biNone] }",
         "layout line 1: invalid element of BorderIcons"},
        {"TLayoutForm F {\n Caption: \"open }", "layout line 2: unterminated string"},
        {"TLayoutForm F { Left: 1", "layout line 1: '}' expected"},
        {"TLayoutForm F { Data: hex { 0 } }", "layout line 1: odd number of hex digits"},
        {"TLayoutForm F { Caption: hex { 00 } }",
         "layout line 1: TLayoutForm has no binary property Caption"},
    };
    for (const auto& c : cases) {
        TOwnedPtr<TLayoutForm> f(new TLayoutForm(nullptr));
        try {
            ReadLayout(f.get(), c.text);
            ADD_FAILURE() << "no error for: " << c.text;
        } catch (const EReadError& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.text;
        }
    }
}

}  // namespace
}  // namespace fw
