// Menus over native menu handles, placed and bound by a layout.
#include <gtest/gtest.h>

#include <string>

#include "framework/application.h"
#include "framework/layout.h"
#include "framework/menus.h"

namespace fw {
namespace {

class TMenuForm : public TForm {
    FW_CLASS(TMenuForm, TForm)
public:
    using TForm::TForm;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* File1 = nullptr;
    TMenuItem* Open1 = nullptr;
    int opened = 0;
    TCanvas* measuredOn = nullptr;
    void Open1Click(TObject*) { ++opened; }
    void Open1Measure(TObject*, TCanvas* canvas, int& width, int& height)
    {
        measuredOn = canvas;
        width = 77;
        height = 21;
    }
};

FW_IMPLEMENT_CLASS(TMenuForm)
{
    c.Field("MainMenu1", &TMenuForm::MainMenu1);
    c.Field("File1", &TMenuForm::File1);
    c.Field("Open1", &TMenuForm::Open1);
    c.Method("Open1Click", &TMenuForm::Open1Click);
    c.Method("Open1Measure", &TMenuForm::Open1Measure);
}

const char* const kLayout = R"(TMenuForm F {
    ClientWidth: 200  ClientHeight: 100
    Menu: MainMenu1
    TMainMenu MainMenu1 {
        TMenuItem File1 {
            Caption: "&File"
            TMenuItem Open1 {
                Caption: "打开"
                ShortCut: 0x404F
                OnClick -> Open1Click
                OnMeasureItem -> Open1Measure
            }
            TMenuItem N1 { Caption: "-" }
            TMenuItem Quit1 { Caption: "Quit" }
        }
    }
})";

class MenusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        form.reset(new TMenuForm(nullptr));
        ReadLayout(form.get(), kLayout);
    }
    static std::wstring Text(HMENU menu, UINT pos)
    {
        wchar_t buf[64] = {};
        GetMenuStringW(menu, pos, buf, 64, MF_BYPOSITION);
        return buf;
    }
    TOwnedPtr<TMenuForm> form;
};

TEST_F(MenusTest, LayoutBuildsTheTreeAndTheFormShowsItsBar)
{
    ASSERT_NE(form->Open1, nullptr);
    EXPECT_EQ(form->Open1->Parent(), form->File1);
    EXPECT_EQ(form->File1->Parent(), form->MainMenu1->Items());
    EXPECT_EQ(form->File1->Count(), 3);
    EXPECT_EQ(form->Open1->GetParentMenu(), form->MainMenu1);
    EXPECT_EQ(form->Menu(), form->MainMenu1);
    EXPECT_EQ(form->ClientHeight(), 100);  // the bar came out of the frame
    const HWND h = form->Handle();
    const HMENU bar = GetMenu(h);
    ASSERT_EQ(bar, form->MainMenu1->Handle());
    EXPECT_EQ(Text(bar, 0), L"&File");
    const HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(file, form->File1->Handle());
    EXPECT_EQ(Text(file, 0), L"\x6253\x5F00\tCtrl+O");
    EXPECT_EQ(GetMenuItemCount(file), 3);
    RECT client{};
    GetClientRect(h, &client);
    EXPECT_EQ(client.bottom, 100);
}

TEST_F(MenusTest, CommandsAndShortCutsClickTheItem)
{
    const HWND h = form->Handle();
    SendMessageW(h, WM_COMMAND, form->Open1->Command(), 0);
    EXPECT_EQ(form->opened, 1);
    EXPECT_TRUE(form->MainMenu1->IsShortCut(scCtrl | 'O'));
    EXPECT_FALSE(form->MainMenu1->IsShortCut(scCtrl | 'P'));
    EXPECT_EQ(form->opened, 2);
    form->Open1->SetEnabled(false);
    EXPECT_FALSE(form->MainMenu1->IsShortCut(scCtrl | 'O'));
    EXPECT_TRUE(GetMenuState(form->File1->Handle(), form->Open1->Command(), MF_BYCOMMAND) &
                MF_GRAYED);
    form->Open1->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(form->File1->Handle()), 2);
}

TEST_F(MenusTest, OwnerDrawnItemsAreMeasuredByTheirEvent)
{
    form->MainMenu1->SetOwnerDraw(true);
    const HWND h = form->Handle();
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_DATA;
    GetMenuItemInfoW(form->File1->Handle(), 0, TRUE, &mii);
    EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
    EXPECT_EQ(TMenuItem::FromItemData(mii.dwItemData), form->Open1);
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = form->Open1->Command();
    mis.itemData = mii.dwItemData;
    EXPECT_TRUE(SendMessageW(h, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
    EXPECT_NE(form->measuredOn, nullptr);
    EXPECT_EQ(mis.itemWidth, 77u);
    EXPECT_EQ(mis.itemHeight, 21u);
    mis.itemData = reinterpret_cast<ULONG_PTR>(&mis);  // no item: left to the system
    EXPECT_FALSE(TMenuItem::FromItemData(mis.itemData));
}

// A handler that adds to the size receives the item's own measure.
class TWidener : public TObject {
public:
    int seenWidth = -1;
    void Measure(TObject*, TCanvas*, int& width, int& height)
    {
        seenWidth = width;
        width += 10;
        height += 1;
    }
};

TEST_F(MenusTest, TheMeasureEventAdjustsTheItemsOwnSize)
{
    TWidener widener;
    TBitmap b;
    b.SetSize(4, 4);
    int ownW = 0, ownH = 0;
    form->File1->MeasureItem(b.Canvas(), ownW, ownH);
    ASSERT_GT(ownW, 32);
    form->File1->OnMeasureItem = TMenuMeasureItemEvent(&widener, &TWidener::Measure);
    int w = 0, h = 0;
    form->File1->MeasureItem(b.Canvas(), w, h);
    EXPECT_EQ(widener.seenWidth, ownW);
    EXPECT_EQ(w, ownW + 10);
    EXPECT_EQ(h, ownH + 1);
}

TEST_F(MenusTest, AnOwnerDrawnItemGivesTheSystemsDCBackAsItFoundIt)
{
    form->MainMenu1->SetOwnerDraw(true);
    const HWND h = form->Handle();
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 100, 30);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    const HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = form->Open1->Command();
    dis.hDC = dc;
    dis.rcItem = {0, 0, 100, 30};
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_DATA;
    GetMenuItemInfoW(form->File1->Handle(), 0, TRUE, &mii);
    dis.itemData = mii.dwItemData;
    EXPECT_TRUE(SendMessageW(h, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
    // The canvas's own font, brush and pen are not left selected (they are
    // gone with the canvas).
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(MenusTest, FreedItemsAndMenusLeaveTheTreeAndTheForm)
{
    const HWND h = form->Handle();
    form->Open1->Free();
    EXPECT_EQ(form->Open1, nullptr);
    EXPECT_EQ(form->File1->Count(), 2);
    EXPECT_EQ(GetMenuItemCount(form->File1->Handle()), 2);
    form->MainMenu1->Free();
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(h), nullptr);
    EXPECT_EQ(form->File1, nullptr);  // freed with its menu
}

TEST_F(MenusTest, AChangedMenuGoesBackOnAWindowThatTookItOff)
{
    const HWND h = form->Handle();
    SetMenu(h, nullptr);
    form->File1->SetCaption("&Datei");
    EXPECT_EQ(GetMenu(h), form->MainMenu1->Handle());
    EXPECT_EQ(Text(GetMenu(h), 0), L"&Datei");
    // A form whose menu was taken away keeps none.
    form->SetMenu(nullptr);
    form->File1->SetCaption("&File");
    EXPECT_EQ(GetMenu(h), nullptr);
}

TEST(Accelerators, CaptionMarksTheKey)
{
    const struct {
        unsigned key;
        const char* caption;
        bool accel;
    } cases[] = {
        {'F', "&File", true},        {'f', "&File", true},
        {'F', "File", false},        {'i', "F&ile", true},
        {'F', "&&File", false},       // a plain ampersand
        {'F', "&&Save &File", true},  // the first single ampersand counts
        {'S', "&Save &File", true},  {'F', "&Save &File", false},
        {'F', "File&", false},       // nothing after the mark
        {'A', "\xB4\xF2&A", true},   // after a GBK character
        {0xB4, "&\xB4\xF2", false},  // a double-byte character is no key
    };
    for (const auto& c : cases) EXPECT_EQ(IsAccel(c.key, c.caption), c.accel) << c.caption;
}

TEST(ShortCuts, Text)
{
    EXPECT_EQ(ShortCutToText(scCtrl | 'S'), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(scShift | scCtrl | VK_F5), "Shift+Ctrl+F5");
    EXPECT_EQ(ShortCutToText(VK_DELETE), "Del");
    EXPECT_EQ(ShortCutToText(scAlt | '1'), "Alt+1");
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(ShortCut('S', TShiftState{ssCtrl}), scCtrl | 'S');
}

}  // namespace
}  // namespace fw
