// Owner-drawn menu items: the measure handlers, each drawing state read
// back from a memory bitmap, switching a form's menus to the skin's drawing
// and back, native items of a skinned window through WM_MEASUREITEM and
// WM_DRAWITEM, and the toolbar custom-draw handlers (also on a real
// toolbar control).
#include "framework/winapi.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/imglist.h"
#include "framework/menus.h"
#include "skin/form/skinmanage.h"
#include "skin/form/tests/menudriver.h"
#include "skin/form/tests/menufixture.h"
#include "skin/form/tests/skinnedwindow.h"
#include "skin/form/winskinform.h"
#include "skin/tests/pump.h"

namespace skin {
namespace {

using namespace test;

// Handlers an application assigned itself.
class TAppHandlers : public fw::TObject {
public:
    void Measure(fw::TObject*, fw::TCanvas*, int& width, int&) { width = 500; }
    void Draw(fw::TObject*, fw::TCanvas*, RECT, bool) {}
};

class MenuItemTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        LoadSkin(MenuSkin());
        skinner.reset(new TWinSkinForm(nullptr));
        skinner->SkinData = data.get();
        popup = new fw::TPopupMenu(form.get());
    }
    void TearDown() override
    {
        skinner.reset();
        ControlTest::TearDown();
    }
    fw::TMenuItem* Item(const std::string& caption, fw::TMenuItem* parent = nullptr)
    {
        auto* item = new fw::TMenuItem(form.get());
        item->SetCaption(caption);
        (parent ? parent : popup->Items())->Add(item);
        return item;
    }
    SIZE Measure(fw::TMenuItem* item)
    {
        fw::TBitmap b;
        b.SetSize(4, 4);
        b.Canvas()->SetFont(fw::Screen->MenuFont());
        int w = 0, h = 0;
        item->MeasureItem(b.Canvas(), w, h);
        return SIZE{w, h};
    }
    // The item as the skinner draws it into a w x h bitmap that was green.
    std::unique_ptr<fw::TBitmap> Drawn(fw::TMenuItem* item, bool selected, int w = 120, int h = 22)
    {
        auto b = Solid(w, h, 0x00FF00);
        skinner->DrawMenuItem(item, b->Canvas(), RECT{0, 0, w, h}, selected);
        return b;
    }
    // An image list of one 16 x 16 image: a 4 x 4 block of colour in the
    // top-left corner, the rest masked out.
    fw::TImageList* Images(fw::TColor colour)
    {
        auto* images = new fw::TImageList(form.get());
        images->SetWidth(16);
        images->SetHeight(16);
        auto image = MakeBitmap(16, 16, [colour](int x, int y) {
            return x < 4 && y < 4 ? colour : fw::TColor(kMagenta);
        });
        images->AddMasked(image.get(), kMagenta);
        return images;
    }

    fw::TOwnedPtr<TWinSkinForm> skinner;
    fw::TPopupMenu* popup = nullptr;
};

TEST_F(MenuItemTest, MeasureHandlersWidenTheItemsOwnSize)
{
    fw::TMenuItem* open = Item("Open");
    fw::TMenuItem* line = Item("-");
    fw::TMenuItem* empty = Item("");
    fw::TMenuItem* keyed = Item("Open");
    keyed->SetShortCutKey(fw::scCtrl | 'O');
    const SIZE own = Measure(open);
    const SIZE ownKeyed = Measure(keyed);

    skinner->OwnerDrawPopupMenus(form.get(), true);
    // Without images: the strip's margin, 12, and 23 for the image column.
    EXPECT_EQ(Measure(open).cx, own.cx + kItemMargin + 12 + 23);
    EXPECT_EQ(Measure(open).cy, own.cy);
    EXPECT_EQ(Measure(keyed).cx, ownKeyed.cx + kItemMargin + 12 + 23);
    EXPECT_GT(Measure(keyed).cx, Measure(open).cx);
    EXPECT_EQ(Measure(line).cy, 8);
    EXPECT_EQ(Measure(empty).cy, own.cy);  // one line high
    popup->SetImages(Images(0x00FF80));
    EXPECT_EQ(Measure(open).cx, own.cx + kItemMargin + 12);

    // The bar's items: 10, and 25 without images.
    skinner->OwnerDrawMenuItems(popup->Items(), true);
    EXPECT_EQ(Measure(open).cx, own.cx + kItemMargin + 10);
    popup->SetImages(nullptr);
    EXPECT_EQ(Measure(open).cx, own.cx + kItemMargin + 10 + 25);
}

TEST_F(MenuItemTest, SwitchingMenusKeepsTheApplicationsOwnHandlers)
{
    TAppHandlers app;
    const fw::TMenuMeasureItemEvent appMeasure(&app, &TAppHandlers::Measure);
    const fw::TMenuDrawItemEvent appDraw(&app, &TAppHandlers::Draw);
    const fw::TMenuDrawItemEvent draw(skinner.get(), &TWinSkinForm::DrawMenuItem);
    fw::TMenuItem* open = Item("Open");
    fw::TMenuItem* measured = Item("Measured");
    measured->OnMeasureItem = appMeasure;
    auto* kept = new fw::TPopupMenu(form.get());
    kept->SetTag(data->DisableTag());
    auto* keptItem = new fw::TMenuItem(form.get());
    kept->Items()->Add(keptItem);

    skinner->OwnerDrawPopupMenus(form.get(), true);
    EXPECT_TRUE(popup->OwnerDraw());
    EXPECT_EQ(open->OnDrawItem, draw);
    EXPECT_EQ(measured->OnDrawItem, draw);
    EXPECT_EQ(measured->OnMeasureItem, appMeasure);
    EXPECT_FALSE(kept->OwnerDraw());  // tagged with DisableTag
    EXPECT_FALSE(keptItem->OnDrawItem);
    skinner->OwnerDrawPopupMenus(form.get(), false);
    EXPECT_FALSE(popup->OwnerDraw());
    EXPECT_FALSE(open->OnDrawItem);
    EXPECT_FALSE(open->OnMeasureItem);
    EXPECT_EQ(measured->OnMeasureItem, appMeasure);

    // A main menu: the bar's entries stay the bar's, an item the
    // application draws keeps its handlers.
    auto* main = new fw::TMainMenu(form.get());
    auto* file = new fw::TMenuItem(form.get());
    main->Items()->Add(file);
    auto* save = new fw::TMenuItem(form.get());
    auto* own = new fw::TMenuItem(form.get());
    own->OnDrawItem = appDraw;
    file->Add(save);
    file->Add(own);
    skinner->OwnerDrawMainMenu(form.get(), true);
    EXPECT_TRUE(main->OwnerDraw());
    EXPECT_FALSE(file->OnDrawItem);
    EXPECT_EQ(save->OnDrawItem, draw);
    EXPECT_EQ(save->OnMeasureItem,
              fw::TMenuMeasureItemEvent(skinner.get(), &TWinSkinForm::MeasureBarMenuItem));
    EXPECT_EQ(own->OnDrawItem, appDraw);
    EXPECT_FALSE(own->OnMeasureItem);
    skinner->OwnerDrawMainMenu(form.get(), false);
    EXPECT_FALSE(save->OnDrawItem);
    EXPECT_EQ(own->OnDrawItem, appDraw);

    // Without the popup-menu flag popups keep their own drawing.
    TSkinControlTypes controls = data->SkinControls();
    controls.Exclude(xcPopupMenu);
    data->SetSkinControls(controls);
    skinner->OwnerDrawPopupMenus(form.get(), true);
    EXPECT_FALSE(popup->OwnerDraw());
}

TEST_F(MenuItemTest, EachStateIsDrawnFromTheSkin)
{
    const RECT caption{26, 0, 110, 22};
    const RECT glyph{4, 1, 20, 21};
    struct Case {
        const char* what;
        std::function<void(fw::TMenuItem*)> prepare;
        bool selected;
        POINT at;
        fw::TColor ground;  // at the point
        RECT area;          // where the colour below shows
        fw::TColor shown;
    } cases[] = {
        {"at rest", nullptr, false, {115, 11}, FrameColour(1), caption, kMenuText},
        {"selected", nullptr, true, {115, 11}, FrameColour(4), caption, kHilightText},
        {"disabled",
         [](fw::TMenuItem* i) { i->SetEnabled(false); },
         false,
         {115, 11},
         FrameColour(1),
         caption,
         kShadow},
        {"separator",
         [](fw::TMenuItem* i) { i->SetCaption("-"); },
         false,
         {60, 11},
         FrameColour(2),
         RECT{2, 2, 118, 20},
         FrameColour(2)},
        {"checked without image",
         [](fw::TMenuItem* i) { i->SetChecked(true); },
         false,
         {115, 11},
         FrameColour(1),
         glyph,
         fw::TColor(GetSysColor(COLOR_BTNTEXT))},
    };
    for (const Case& c : cases) {
        fw::TMenuItem* item = Item("Item");
        if (c.prepare) c.prepare(item);
        auto b = Drawn(item, c.selected);
        EXPECT_EQ(PixelAt(b.get(), c.at.x, c.at.y), c.ground) << c.what;
        EXPECT_TRUE(AnyPixel(b.get(), c.area, c.shown)) << c.what;
        if (!c.selected) {
            EXPECT_FALSE(AnyPixel(b.get(), caption, kHilightText)) << c.what;
        }
    }

    // An image: drawn at the glyph box; checked, it sits in a sunken box
    // of the checkered pattern, which shows where the image is masked out.
    popup->SetImages(Images(0x00FF80));
    fw::TMenuItem* imaged = Item("Image");
    imaged->SetImageIndex(0);
    auto plain = Drawn(imaged, false);
    EXPECT_EQ(PixelAt(plain.get(), 5, 4), 0x00FF80u);
    EXPECT_EQ(PixelAt(plain.get(), 12, 12), FrameColour(1));
    imaged->SetChecked(true);
    auto checked = Drawn(imaged, false);
    EXPECT_EQ(PixelAt(checked.get(), 5, 4), 0x00FF80u);
    const fw::TColor face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const fw::TColor p1 = PixelAt(checked.get(), 12, 12), p2 = PixelAt(checked.get(), 13, 12);
    EXPECT_TRUE((p1 == face && p2 == light) || (p1 == light && p2 == face)) << std::hex << p1;
    // An index outside the list: the check mark instead.
    imaged->SetImageIndex(5);
    EXPECT_TRUE(AnyPixel(Drawn(imaged, false).get(), glyph, GetSysColor(COLOR_BTNTEXT)));
}

TEST_F(MenuItemTest, ARightToLeftMenuHasItsGlyphAtTheRightAndItsTextBeforeIt)
{
    popup->SetImages(Images(0x00FF80));
    popup->SetBiDiMode(fw::bdRightToLeft);
    fw::TMenuItem* item = Item("Item");
    item->SetImageIndex(0);
    auto b = Drawn(item, false);
    // The glyph box ends 1 pixel and the strip's margin inside the right
    // edge, at the top.
    EXPECT_EQ(PixelAt(b.get(), 120 - 1 - kItemMargin - 16, 1), 0x00FF80u);
    EXPECT_EQ(PixelAt(b.get(), 5, 4), FrameColour(1));
    EXPECT_TRUE(AnyPixel(b.get(), RECT{1, 0, 97, 22}, kMenuText));
    EXPECT_FALSE(AnyPixel(b.get(), RECT{0, 0, 40, 22}, kMenuText));  // set right
}

TEST_F(MenuItemTest, DisabledTextWithAShadowLikeTheTextTakesTheSystemShadow)
{
    LoadSkin(MenuSkin("0,0,0"));
    fw::TMenuItem* item = Item("Item");
    item->SetEnabled(false);
    auto b = Drawn(item, false);
    EXPECT_TRUE(AnyPixel(b.get(), RECT{26, 0, 110, 22}, GetSysColor(COLOR_BTNSHADOW)));
}

TEST_F(MenuItemTest, WithoutAMenuItemStripItemsGetPlainColours)
{
    LoadSkin(MenuSkin("96,96,96", false));
    fw::TMenuItem* item = Item("Item");
    EXPECT_EQ(PixelAt(Drawn(item, false).get(), 115, 11), kMenu);
    auto selected = Drawn(item, true);
    EXPECT_EQ(PixelAt(selected.get(), 115, 11), kHilight);
    EXPECT_TRUE(AnyPixel(selected.get(), RECT{26, 0, 110, 22}, kHilightText));
}

TEST_F(MenuItemTest, NativeItemsOfASkinnedWindow)
{
    TSkinManage* manager = CreateSkinManager(false);
    manager->RegisterSkinData(data.get());
    manager->Active = true;
    HMENU bar = CreateMenu();
    HMENU sub = CreatePopupMenu();
    constexpr UINT kNative = 0x5000, kApp = 100;
    AppendMenuW(sub, MF_STRING, kNative, L"Native");
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), L"File");
    OwnerDrawSubmenus(bar);
    MENUITEMINFOW type{};
    type.cbSize = sizeof type;
    type.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(sub, kNative, FALSE, &type);
    EXPECT_TRUE(type.fType & MFT_OWNERDRAW);
    form->Show();
    SetMenu(form->Handle(), bar);
    ASSERT_TRUE(manager->SkinWindow(form->Handle()));
    TWinSkinForm* skinned = manager->FindSkinForm(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return skinned->FormState == fsActive; }));

    // A native item's width: its text, 26 and the strip's margin.
    fw::TBitmap b;
    b.SetSize(4, 4);
    b.Canvas()->SetFont(fw::Screen->MenuFont());
    const SIZE text = b.Canvas()->TextExtent("Native");
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = kNative;
    EXPECT_TRUE(SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
    EXPECT_EQ(int(mis.itemWidth), text.cx + 26 + kItemMargin);
    EXPECT_EQ(int(mis.itemHeight), text.cy + 4);
    // A native item without text is 8 high, 12 on the Windows 95 family.
    constexpr UINT kBlank = 0x5001;
    AppendMenuW(sub, MF_OWNERDRAW, kBlank, nullptr);
    for (const bool win95 : {false, true}) {
        TWindowsVersion version = WindowsVersion();
        version.Win95Family = win95;
        SetWindowsVersion(version);
        mis = MEASUREITEMSTRUCT{ODT_MENU, 0, kBlank, 0, 0, 0};
        SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        EXPECT_EQ(mis.itemHeight, win95 ? 12u : 8u);
    }
    ResetWindowsVersion();
    // An identifier of the application's without framework item is its own.
    mis = MEASUREITEMSTRUCT{ODT_MENU, 0, kApp, 0, 0, 0};
    SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(mis.itemWidth, 0u);

    auto drawn = Solid(120, 22, 0x00FF00);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = kNative;
    dis.itemState = ODS_SELECTED;
    dis.hwndItem = reinterpret_cast<HWND>(sub);
    dis.hDC = drawn->Canvas()->Handle();
    dis.rcItem = RECT{0, 0, 120, 22};
    EXPECT_TRUE(SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
    EXPECT_EQ(PixelAt(drawn.get(), 115, 11), FrameColour(4));
    EXPECT_TRUE(AnyPixel(drawn.get(), RECT{26, 0, 110, 22}, kHilightText));

    // "Copy\tCtrl+C": the caption at the left and the short cut at the
    // right, as an item with that short-cut key of its own shows them;
    // nothing stands for the tab.
    constexpr UINT kCopy = 0x5002;
    AppendMenuW(sub, MF_STRING, kCopy, L"Copy\tCtrl+C");
    OwnerDrawSubmenus(sub);
    mis = MEASUREITEMSTRUCT{ODT_MENU, 0, kCopy, 0, 0, 0};
    SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(int(mis.itemWidth), b.Canvas()->TextExtent("Copy    Ctrl+C").cx + 26 + kItemMargin);
    constexpr int kW = 160, kH = 22;
    auto copy = Solid(kW, kH, 0x00FF00);
    dis.itemID = kCopy;
    dis.itemState = 0;
    dis.hDC = copy->Canvas()->Handle();
    dis.rcItem = RECT{0, 0, kW, kH};
    EXPECT_TRUE(SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
    SaveShot(copy.get(), "native_item_shortcut.bmp");
    fw::TMenuItem* keyed = Item("Copy");
    keyed->SetShortCutKey(fw::scCtrl | 'C');
    ASSERT_EQ(fw::ShortCutToText(keyed->ShortCutKey()), "Ctrl+C");
    auto framework = Solid(kW, kH, 0x00FF00);
    skinned->DrawMenuItem(keyed, framework->Canvas(), RECT{0, 0, kW, kH}, false);
    EXPECT_EQ(test::DifferingPixels(copy.get(), framework.get()), 0);
    // Ink: the caption from its box after the glyph (1 + margin + 16 + 3),
    // the short cut ending 11 pixels from the right, none between them.
    auto inkIn = [&](int left, int right) {
        for (int x = left; x < right; ++x)
            for (int y = 0; y < kH; ++y)
                if (PixelAt(copy.get(), x, y) != FrameColour(1)) return true;
        return false;
    };
    const int captionLeft = 1 + kItemMargin + 16 + 3;
    const int captionRight = captionLeft + b.Canvas()->TextExtent("Copy").cx;
    const int shortCutLeft = kW - 11 - b.Canvas()->TextExtent("Ctrl+C").cx;
    EXPECT_FALSE(inkIn(0, captionLeft));
    EXPECT_TRUE(inkIn(captionLeft, captionLeft + 4));
    EXPECT_FALSE(inkIn(captionRight + 1, shortCutLeft - 1));
    EXPECT_TRUE(inkIn(kW - 15, kW - 11));
    EXPECT_FALSE(inkIn(kW - 11, kW));

    // "Find\tCtrl+F\tF3": all after the first tab is the short cut, and
    // its own tab goes to the next tab stop (eight average characters from
    // the short cut's start) rather than showing as a box. Expected: the
    // caption as a framework item draws it, "Ctrl+F" and "F3" drawn apart
    // at the stop, the two ending 11 pixels from the right.
    constexpr UINT kFind = 0x5003;
    AppendMenuW(sub, MF_STRING, kFind, L"Find\tCtrl+F\tF3");
    OwnerDrawSubmenus(sub);
    TEXTMETRICW metrics{};
    GetTextMetricsW(b.Canvas()->Handle(), &metrics);
    const int tabStop = 8 * metrics.tmAveCharWidth;
    const int f3At = (b.Canvas()->TextExtent("Ctrl+F").cx / tabStop + 1) * tabStop;
    const int findShortCut = f3At + b.Canvas()->TextExtent("F3").cx;
    mis = MEASUREITEMSTRUCT{ODT_MENU, 0, kFind, 0, 0, 0};
    SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(int(mis.itemWidth),
              b.Canvas()->TextExtent("Find    ").cx + findShortCut + 26 + kItemMargin);
    auto find = Solid(kW, kH, 0x00FF00);
    dis.itemID = kFind;
    dis.hDC = find->Canvas()->Handle();
    EXPECT_TRUE(SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
    SaveShot(find.get(), "native_item_two_tabs.bmp");
    auto expected = Solid(kW, kH, 0x00FF00);
    skinned->DrawMenuItem(Item("Find"), expected->Canvas(), RECT{0, 0, kW, kH}, false);
    fw::TCanvas* e = expected->Canvas();
    e->SetFont(fw::Screen->MenuFont());
    e->Font()->SetColor(kMenuText);
    e->Brush()->SetStyle(fw::bsClear);
    const int shortCutAt = kW - 11 - findShortCut;
    RECT piece{shortCutAt, 0, kW, kH};
    e->DrawText("Ctrl+F", piece, DT_SINGLELINE | DT_VCENTER);
    piece.left = shortCutAt + f3At;
    e->DrawText("F3", piece, DT_SINGLELINE | DT_VCENTER);
    SaveShot(expected.get(), "native_item_two_tabs_expected.bmp");
    EXPECT_EQ(test::DifferingPixels(find.get(), expected.get()), 0);

    // On screen, in the popup of the skinned window.
    {
        TMenuDriver driver(
            {TMenuDriver::Shot(form->Handle(), "native_popup_shortcut.bmp", TMenuDriver::End())});
        const RECT w = WindowRectOf(form->Handle());
        TrackPopupMenu(sub, TPM_RIGHTBUTTON, w.left + 40, w.top + 60, 0, form->Handle(), nullptr);
        EXPECT_EQ(driver.Opened.size(), 1u);
    }
    SetMenu(form->Handle(), nullptr);
    DestroyMenu(bar);
}

TEST_F(MenuItemTest, ToolbarHandlersDrawTheGroundAndButtonStates)
{
    skinner->FormState = fsActive;
    TSkinOptions options = data->Options();
    options.Exclude(xoToolbarBK);
    data->SetOptions(options);
    fw::TBitmap* ramp = data->Skin().Toolbar->Image.get();
    auto ground = Solid(100, 40, 0x00FF00);
    skinner->ToolbarCustomDraw(ground->Canvas(), RECT{0, 0, 100, 40});
    EXPECT_EQ(PixelAt(ground.get(), 50, 0), PixelAt(ramp, 5, 0));
    EXPECT_EQ(PixelAt(ground.get(), 50, 39), PixelAt(ramp, 5, 39));
    options.Include(xoToolbarBK);
    data->SetOptions(options);
    auto none = Solid(100, 40, 0x00FF00);
    skinner->ToolbarCustomDraw(none->Canvas(), RECT{0, 0, 100, 40});
    EXPECT_EQ(PixelAt(none.get(), 50, 20), 0x00FF00u);

    struct Case {
        UINT state;
        int frame;  // 0: left to the toolbar
    } cases[] = {
        {CDIS_SELECTED, 2},
        {CDIS_HOT, 4},
        {CDIS_FOCUS, 4},
        {CDIS_DEFAULT, 1},
        {CDIS_DEFAULT | CDIS_DISABLED, 0},
        {0, 0},
    };
    for (const Case& c : cases) {
        auto b = Solid(30, 30, 0x00FF00);
        EXPECT_EQ(skinner->ToolbarButtonCustomDraw(b->Canvas(), RECT{0, 0, 30, 30}, c.state),
                  c.frame != 0)
            << c.state;
        EXPECT_EQ(PixelAt(b.get(), 15, 15), c.frame ? FrameColour(c.frame) : 0x00FF00u) << c.state;
        EXPECT_EQ(PixelAt(b.get(), 0, 0), 0x00FF00u) << c.state;  // the bounds less 1
    }
    skinner->FormState = fsInstalled;
    auto b = Solid(30, 30, 0x00FF00);
    EXPECT_FALSE(skinner->ToolbarButtonCustomDraw(b->Canvas(), RECT{0, 0, 30, 30}, CDIS_HOT));
}

// A parent window that answers its toolbar's custom-draw notifications
// with the skinner's handlers.
TWinSkinForm* g_toolbarSkinner = nullptr;

LRESULT CALLBACK ToolbarParentProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(l)->code == UINT(NM_CUSTOMDRAW)) {
        auto* cd = reinterpret_cast<NMTBCUSTOMDRAW*>(l);
        fw::TCanvas canvas;
        canvas.SetHandle(cd->nmcd.hdc);
        switch (cd->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            g_toolbarSkinner->ToolbarCustomDraw(&canvas, cd->nmcd.rc);
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return g_toolbarSkinner->ToolbarButtonCustomDraw(&canvas, cd->nmcd.rc,
                                                             cd->nmcd.uItemState)
                       ? CDRF_SKIPDEFAULT
                       : CDRF_DODEFAULT;
        default: return CDRF_DODEFAULT;
        }
    }
    return DefWindowProcW(h, msg, w, l);
}

TEST_F(MenuItemTest, ARealToolbarIsDrawnThroughTheHandlers)
{
    skinner->FormState = fsActive;
    TSkinOptions options = data->Options();
    options.Exclude(xoToolbarBK);
    data->SetOptions(options);
    g_toolbarSkinner = skinner.get();
    WNDCLASSW wc{};
    wc.lpfnWndProc = ToolbarParentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MenuItemsToolbarParent";
    RegisterClassW(&wc);
    HWND parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 60, 60, 200, 60,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    raws.push_back(parent);
    HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE | CCS_NODIVIDER,
                               0, 0, 200, 40, parent, nullptr, wc.hInstance, nullptr);
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(30, 30));
    TBBUTTON buttons[2] = {};
    for (int i = 0; i < 2; ++i) {
        buttons[i].iBitmap = I_IMAGENONE;
        buttons[i].idCommand = 1 + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
    }
    SendMessageW(bar, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));
    SendMessageW(bar, TB_SETHOTITEM, 1, 0);
    RECT hot{}, cold{};
    SendMessageW(bar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&hot));
    SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&cold));
    auto b = Solid(200, 40, 0x00FF00);
    SendMessageW(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    g_toolbarSkinner = nullptr;
    EXPECT_EQ(PixelAt(b.get(), (hot.left + hot.right) / 2, (hot.top + hot.bottom) / 2),
              FrameColour(4));
    // The button at rest is left to the toolbar, over the skin's ground.
    const fw::TColor rest =
        PixelAt(b.get(), (cold.left + cold.right) / 2, (cold.top + cold.bottom) / 2);
    EXPECT_NE(rest, FrameColour(4));
    EXPECT_NE(rest, 0x00FF00u);
}

}  // namespace
}  // namespace skin
