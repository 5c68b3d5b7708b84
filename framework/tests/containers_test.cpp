// Memos, radio buttons, panels and the status bar with its panels, placed
// by a layout.
#include <gtest/gtest.h>

#include <vector>

#include "framework/application.h"
#include "framework/bitmaps.h"
#include "framework/comctrls.h"
#include "framework/extctrls.h"
#include "framework/layout.h"
#include "framework/typinfo.h"

namespace fw {
namespace {

const char* const kLayout = R"(
TForm F {
    ClientWidth: 300  ClientHeight: 200
    BorderStyle: bsNone
    TPanel Panel1 {
        Align: alTop  Height: 60
        BevelWidth: 1  BorderWidth: 2
        TMemo Memo1 {
            Align: alClient
            Lines: ["", "第二行"]
            ReadOnly: True
            HelpKeyword: "{}"
        }
    }
    TRadioButton Radio1 { Top: 70  Checked: True }
    TRadioButton Radio2 { Top: 90 }
    TGroupBox Group1 {
        Top: 110  Width: 100  Height: 60
        TRadioButton Radio3 { Top: 20  Checked: True }
    }
    TStatusBar StatusBar1 { SimplePanel: True  SimpleText: "ready" }
}
)";

class ContainersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        form.reset(new TForm(nullptr));
        ReadLayout(form.get(), kLayout);
        form->HandleNeeded();
    }
    template <class T>
    T* Find(const char* name)
    {
        return dynamic_cast<T*>(form->FindComponent(name));
    }
    TOwnedPtr<TForm> form;
};

TEST_F(ContainersTest, ChildrenSitInTheBlockAroundThemAndAlignInsideTheBevels)
{
    auto* panel = Find<TPanel>("Panel1");
    auto* memo = Find<TMemo>("Memo1");
    auto* bar = Find<TStatusBar>("StatusBar1");
    ASSERT_TRUE(panel && memo && bar);
    EXPECT_EQ(memo->Parent(), panel);
    EXPECT_EQ(Find<TRadioButton>("Radio3")->Parent(), Find<TGroupBox>("Group1"));
    EXPECT_EQ(panel->Width(), 300);
    EXPECT_EQ(memo->Left(), 3);  // bevel 1 + border 2
    EXPECT_EQ(memo->Top(), 3);
    EXPECT_EQ(memo->Width(), 294);
    EXPECT_EQ(memo->Height(), 54);
    EXPECT_EQ(bar->Top() + bar->Height(), 200);
    wchar_t text[32] = {};
    EXPECT_TRUE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
    SendMessageW(bar->Handle(), SB_GETTEXTW, 0,
                 reinterpret_cast<LPARAM>(text));  // the simple part reads as part 0
    EXPECT_STREQ(text, L"ready");
}

TEST_F(ContainersTest, MemoLinesAreItsText)
{
    auto* memo = Find<TMemo>("Memo1");
    EXPECT_EQ(memo->Text(), "\r\n\xB5\xDA\xB6\xFE\xD0\xD0\r\n");  // "", "第二行"
    EXPECT_EQ(memo->HelpKeyword(), "{}");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    memo->Lines()->Add("x");
    memo->Lines()->Delete(0);
    EXPECT_EQ(memo->Text(), "\xB5\xDA\xB6\xFE\xD0\xD0\r\nx\r\n");
    SetWindowTextW(memo->Handle(), L"a\r\nb");
    EXPECT_EQ(memo->Lines()->Get(1), "b");
    EXPECT_THROW(memo->Lines()->Get(2), rtl::EStringListError);
    // A memo keeps Tab for moving between controls.
    EXPECT_FALSE(SendMessageW(memo->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
}

struct TPanelPainter : TObject {
    std::vector<int> panels;
    void Draw(TStatusBar* bar, TStatusPanel* panel, RECT r)
    {
        for (int i = 0; i < bar->PanelCount(); ++i)
            if (bar->Panels(i) == panel) panels.push_back(i);
        bar->Canvas()->Brush()->SetColor(0x00FF00);
        bar->Canvas()->FillRect(r);
    }
};

TEST_F(ContainersTest, StatusPanelsReachTheWindowAndOwnerDrawnOnesTheirHandler)
{
    auto* bar = new TStatusBar(form.get());
    bar->SetParent(form.get());
    const struct {
        int width;
        TAlignment align;
        TStatusPanelBevel bevel;
        const wchar_t* text;  // as the window holds it
        int flags;
    } panels[] = {
        {40, taLeftJustify, pbLowered, L"a", 0},
        {50, taCenter, pbRaised, L"\tb", SBT_POPOUT},
        {60, taRightJustify, pbNone, L"\t\tc", SBT_NOBORDERS},
    };
    const char* texts[] = {"a", "b", "c"};
    for (int i = 0; i < 3; ++i) {
        TStatusPanel* p = bar->AddPanel();
        p->SetWidth(panels[i].width);
        p->SetAlignment(panels[i].align);
        p->SetBevel(panels[i].bevel);
        p->SetText(texts[i]);
    }
    bar->AddPanel()->SetStyle(psOwnerDraw);
    const HWND h = bar->Handle();
    int edges[4] = {};
    ASSERT_EQ(SendMessageW(h, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 4);
    EXPECT_EQ(edges[0], 40);
    EXPECT_EQ(edges[1], 90);
    EXPECT_EQ(edges[2], 150);
    EXPECT_EQ(edges[3], -1);
    for (int i = 0; i < 3; ++i) {
        wchar_t text[16] = {};
        const LRESULT got = SendMessageW(h, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, panels[i].text) << i;
        EXPECT_EQ(HIWORD(got) & (SBT_POPOUT | SBT_NOBORDERS), panels[i].flags) << i;
    }
    EXPECT_EQ(GetPropValue(bar->Panels(1), "Text"), "b");

    // The window asks for the owner-drawn panel while it paints (only
    // while it is visible).
    form->Show();
    TPanelPainter painter;
    bar->OnDrawPanel = TDrawPanelEvent(&painter, &TPanelPainter::Draw);
    RECT part{};
    SendMessageW(h, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&part));
    TBitmap image;
    image.SetPixelFormat(pf24bit);
    image.SetSize(bar->Width(), bar->Height());
    SendMessageW(h, WM_PAINT, reinterpret_cast<WPARAM>(image.Canvas()->Handle()), 0);
    EXPECT_EQ(painter.panels, std::vector<int>{3});
    EXPECT_EQ(GetPixel(image.Canvas()->Handle(), (part.left + part.right) / 2,
                       (part.top + part.bottom) / 2),
              0x00FF00u);
}

struct TCounter : TComponent {
    using TComponent::TComponent;
    int clicks = 0;
    void Clicked(TObject*) { ++clicks; }
};

TEST_F(ContainersTest, RadioButtonsAreExclusiveAmongTheirSiblings)
{
    auto* r1 = Find<TRadioButton>("Radio1");
    auto* r2 = Find<TRadioButton>("Radio2");
    auto* r3 = Find<TRadioButton>("Radio3");
    TCounter counter(nullptr);
    r2->OnClick = TNotifyEvent(&counter, &TCounter::Clicked);
    EXPECT_TRUE(r1->Checked());
    SendMessageW(r2->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(r2->Checked());
    EXPECT_FALSE(r1->Checked());
    EXPECT_EQ(SendMessageW(r1->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(r3->Checked());  // another parent
    SendMessageW(r2->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(counter.clicks, 1);
}

TEST(AutoScroll, ChildrenBeyondTheClientAreaAreReachedByScrolling)
{
    Application->Initialize();
    TOwnedPtr<TForm> form(new TForm(nullptr));
    ReadLayout(form.get(), R"(TForm F {
        BorderStyle: bsSingle  AutoScroll: True
        ClientWidth: 200  ClientHeight: 100
        TButton Far { Left: 300  Top: 10 }
    })");
    form->Show();
    auto* distant = dynamic_cast<TButton*>(form->FindComponent("Far"));
    const HWND h = form->Handle();
    EXPECT_TRUE(GetWindowLongPtrW(h, GWL_STYLE) & WS_HSCROLL);
    EXPECT_FALSE(GetWindowLongPtrW(h, GWL_STYLE) & WS_VSCROLL);
    SendMessageW(h, WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(distant->Left(), 292);
    EXPECT_EQ(form->ScrollPos().x, 8);
    SendMessageW(h, WM_HSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(distant->Left() + distant->Width(), form->ClientWidth());  // its right edge in view
    SendMessageW(h, WM_HSCROLL, SB_TOP, 0);
    EXPECT_EQ(distant->Left(), 300);
}

}  // namespace
}  // namespace fw
