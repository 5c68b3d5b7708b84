// Windows of controls: window class, the window property, WindowProc,
// reflected notifications, windowless children, GBK text.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "framework/application.h"
#include "framework/stdctrls.h"

namespace fw {
namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        form.reset(new TForm(nullptr));
        form->SetBounds(100, 100, 400, 300);
    }
    TOwnedPtr<TForm> form;
};

// Records the messages it sees and passes them on to the saved procedure.
class TSpy : public TComponent {
    FW_CLASS(TSpy, TComponent)
public:
    using TComponent::TComponent;
    TWndMethod old;
    std::vector<UINT> seen;
    void Hook(TControl* c)
    {
        old = c->WindowProc;
        c->WindowProc = TWndMethod(this, &TSpy::Proc);
    }
    void Proc(TMessage& m)
    {
        seen.push_back(m.Msg);
        old(m);
    }
    bool Saw(UINT msg) const { return std::find(seen.begin(), seen.end(), msg) != seen.end(); }
    int clicks = 0;
    void Clicked(TObject*) { ++clicks; }
};
FW_IMPLEMENT_CLASS(TSpy) {}

TEST_F(ControlsTest, WindowClassIsNamedAfterTheClassAndSuperclassesTheSystemOne)
{
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    HWND h = button->Handle();
    wchar_t name[64] = {};
    GetClassNameW(h, name, 64);
    EXPECT_STREQ(name, L"TButton");
    GetClassNameW(form->Handle(), name, 64);
    EXPECT_STREQ(name, L"TForm");
    WNDCLASSEXW system{}, ours{};
    system.cbSize = ours.cbSize = sizeof(WNDCLASSEXW);
    ASSERT_TRUE(GetClassInfoExW(nullptr, L"BUTTON", &system));
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"TButton", &ours));
    // the system class's extra bytes, then a slot for the control
    EXPECT_EQ(ours.cbWndExtra, system.cbWndExtra + static_cast<int>(sizeof(LONG_PTR)));
    EXPECT_NE(ours.lpfnWndProc, system.lpfnWndProc);
    EXPECT_TRUE(IsWindowUnicode(h));
}

TEST_F(ControlsTest, WindowPropertyUnderTheControlAtomPointsBack)
{
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    char expected[40];
    std::snprintf(expected, sizeof expected, "ControlOfs%.8X%.8X",
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr))),
                  static_cast<unsigned>(GetCurrentThreadId()));
    EXPECT_EQ(ControlAtomName(), expected);
    const ATOM atom = GlobalFindAtomA(expected);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(GetPropA(edit->Handle(), reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(atom))),
              static_cast<HANDLE>(static_cast<TWinControl*>(edit)));
    EXPECT_EQ(FindControl(edit->Handle()), edit);
    EXPECT_EQ(FindControl(GetDesktopWindow()), nullptr);
}

TEST_F(ControlsTest, ReflectedNotificationClicksTheButton)
{
    TSpy spy(nullptr);
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->OnClick = TNotifyEvent(&spy, &TSpy::Clicked);
    spy.Hook(button);
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(spy.clicks, 1);
    EXPECT_TRUE(spy.Saw(CN_COMMAND));
    button->SetEnabled(false);
    EXPECT_TRUE(spy.Saw(CM_ENABLEDCHANGED));
    EXPECT_FALSE(IsWindowEnabled(button->Handle()));
}

TEST_F(ControlsTest, WindowProcReplacedAndRestored)
{
    TSpy spy(nullptr);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->HandleNeeded();
    const TWndMethod original = edit->WindowProc;
    spy.Hook(edit);
    EXPECT_FALSE(edit->WindowProc == original);
    edit->SetText("abc");
    EXPECT_TRUE(spy.Saw(WM_SETTEXT));
    EXPECT_EQ(edit->Text(), "abc");  // the saved procedure still did its work
    edit->WindowProc = spy.old;
    EXPECT_TRUE(edit->WindowProc == original);
    spy.seen.clear();
    edit->SetText("def");
    EXPECT_TRUE(spy.seen.empty());
    EXPECT_EQ(edit->Text(), "def");
}

// A windowless control that fills itself and records what reaches it.
class TSwatch : public TGraphicControl {
    FW_CLASS(TSwatch, TGraphicControl)
public:
    using TGraphicControl::TGraphicControl;
    int paints = 0, enters = 0, leaves = 0;
    POINT down{-1, -1};
    void WndProc(TMessage& m) override
    {
        if (m.Msg == CM_MOUSEENTER) ++enters;
        if (m.Msg == CM_MOUSELEAVE) ++leaves;
        inherited::WndProc(m);
    }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override
    {
        down = {x, y};
        inherited::MouseDown(b, s, x, y);
    }

protected:
    void Paint() override
    {
        ++paints;
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(ClientRect());
    }
};
FW_IMPLEMENT_CLASS(TSwatch) {}

TEST_F(ControlsTest, WindowlessControlIsPaintedAndFedTheMouseByItsParent)
{
    TSpy spy(nullptr);
    auto* swatch = new TSwatch(form.get());
    swatch->SetParent(form.get());
    swatch->SetBounds(20, 30, 40, 10);
    swatch->OnClick = TNotifyEvent(&spy, &TSpy::Clicked);
    form->SetColor(clWhite);
    HWND h = form->Handle();

    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 200, 100);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageW(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), 0);
    SendMessageW(h, WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
    EXPECT_EQ(swatch->paints, 1);
    EXPECT_EQ(GetPixel(mem, 25, 35), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(mem, 59, 39), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(mem, 60, 35), RGB(255, 255, 255));  // clipped to the control
    EXPECT_EQ(GetPixel(mem, 25, 40), RGB(255, 255, 255));
    swatch->SetVisible(false);
    SendMessageW(h, WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
    EXPECT_EQ(swatch->paints, 1);
    swatch->SetVisible(true);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);

    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(swatch->enters, 0);
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(25, 35));
    EXPECT_EQ(swatch->enters, 1);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 35));
    EXPECT_EQ(swatch->down.x, 5);
    EXPECT_EQ(swatch->down.y, 5);
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(26, 36));
    EXPECT_EQ(spy.clicks, 1);
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(swatch->leaves, 1);
}

TEST_F(ControlsTest, DoubleBufferedFormPaintsThroughABuffer)
{
    auto* swatch = new TSwatch(form.get());
    swatch->SetParent(form.get());
    swatch->SetBounds(20, 30, 40, 10);
    form->SetColor(clWhite);
    form->SetDoubleBuffered(true);
    form->Show();
    const HWND h = form->Handle();
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
    EXPECT_GE(swatch->paints, 1);
    HDC dc = GetDC(h);
    EXPECT_EQ(GetPixel(dc, 25, 35), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 70, 35), RGB(255, 255, 255));
    ReleaseDC(h, dc);
}

TEST_F(ControlsTest, AWindowThatCannotBeMadeSaysWhyInTheException)
{
    // A parent window that no longer exists.
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    auto* button = new TButton(form.get());
    button->SetParentWindow(gone);
    try {
        button->Handle();
        FAIL() << "no exception";
    } catch (const rtl::Exception& e) {
        const std::string text = e.what();
        EXPECT_EQ(text.rfind("Error creating window (system error 1400", 0), 0u) << text;
    }
    EXPECT_FALSE(button->HandleAllocated());
}

TEST_F(ControlsTest, GbkCaptionRoundTripsThroughTheWindowText)
{
    const std::string text = "\xB7\xA2\xCB\xCD\xC4\xDA\xC8\xDD";  // "发送内容"
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetCaption(text);
    form->SetCaption(text);
    wchar_t w[32] = {};
    GetWindowTextW(button->Handle(), w, 32);
    EXPECT_STREQ(w, L"\x53D1\x9001\x5185\x5BB9");
    EXPECT_EQ(button->Caption(), text);
    SetWindowTextW(form->Handle(), L"\x5C4F\x53F7");  // "屏号"
    EXPECT_EQ(form->Caption(), "\xC6\xC1\xBA\xC5");
}

TEST_F(ControlsTest, RecreatedWindowKeepsTheControlsState)
{
    auto* combo = new TComboBox(form.get());
    combo->SetParent(form.get());
    combo->Items()->Add("\xB5\xDA\xD2\xBB\xD0\xD0");  // "第一行"
    combo->Items()->Add("\xB5\xDA\xB6\xFE\xD0\xD0");  // "第二行"
    combo->SetItemIndex(1);
    auto* check = new TCheckBox(form.get());
    check->SetParent(form.get());
    check->SetChecked(true);
    const HWND before = combo->Handle();
    form->RecreateWnd();
    EXPECT_NE(combo->Handle(), before);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(combo->Parent(), form.get());
}

// The child windows of a window from the top down.
std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> list;
    for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) list.push_back(h);
    return list;
}

TEST_F(ControlsTest, SiblingWindowsKeepTheChildrensOrderWhenOneIsMadeAgain)
{
    std::vector<TEdit*> edits;
    for (int i = 0; i < 4; ++i) {
        edits.push_back(new TEdit(form.get()));
        edits.back()->SetParent(form.get());
    }
    const auto handles = [&] {
        std::vector<HWND> list;
        for (TEdit* e : edits) list.push_back(e->Handle());
        return list;
    };
    EXPECT_EQ(ChildWindows(form->Handle()), handles());
    // A window made again goes back between its neighbours, not to the end.
    edits[1]->SetBorderStyle(bsNone);
    edits[0]->SetBorderStyle(bsNone);
    EXPECT_EQ(ChildWindows(form->Handle()), handles());
    // A control's new window goes just below its windowed sibling, above
    // a window of no control made before it.
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 4, 4, form->Handle(), nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    edits.push_back(new TEdit(form.get()));
    edits.back()->SetParent(form.get());
    std::vector<HWND> expected = handles();
    expected.push_back(other);
    EXPECT_EQ(ChildWindows(form->Handle()), expected);
}

TEST_F(ControlsTest, ComboBoxItemsIndexAndTypedText)
{
    auto* combo = new TComboBox(form.get());
    combo->SetParent(form.get());
    for (const char* s : {"4", "12", "16"}) combo->Items()->Add(s);
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), "12");
    combo->SetItemIndex(7);  // outside the items: no selection
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(0);
    combo->SetText("typed");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "typed");
    SendMessageW(combo->Handle(), CB_SETCURSEL, 2, 0);
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->Items()->Clear();
    EXPECT_EQ(combo->ItemIndex(), -1);

    // The same before the window exists.
    auto* early = new TComboBox(nullptr);
    TOwnedPtr<TComboBox> owned(early);
    early->Items()->Add("a");
    early->Items()->Add("b");
    early->SetItemIndex(1);
    early->Items()->Insert(0, "z");
    EXPECT_EQ(early->ItemIndex(), 2);
    EXPECT_EQ(early->Text(), "b");
    early->SetParent(form.get());
    EXPECT_EQ(SendMessageW(early->Handle(), CB_GETCURSEL, 0, 0), 2);
    early->SetParent(nullptr);
}

TEST_F(ControlsTest, CheckBoxClickTogglesAndFiresOnClick)
{
    TSpy spy(nullptr);
    auto* check = new TCheckBox(form.get());
    check->SetParent(form.get());
    check->OnClick = TNotifyEvent(&spy, &TSpy::Clicked);
    SendMessageW(check->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    check->SetChecked(false);  // a change by code clicks too
    EXPECT_EQ(spy.clicks, 2);
    check->SetChecked(false);
    EXPECT_EQ(spy.clicks, 2);
}

TEST_F(ControlsTest, FreedControlLeavesItsParentAndTheScreen)
{
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    form->Show();
    edit->SetFocus();
    EXPECT_EQ(Screen->ActiveControl(), edit);
    EXPECT_EQ(form->ActiveControl(), edit);
    const HWND h = edit->Handle();
    edit->Free();
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_EQ(form->ComponentCount(), 0);
    EXPECT_EQ(Screen->ActiveControl(), nullptr);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(ControlsTest, ScreenAndClientCoordinates)
{
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 400, 300);
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetAutoSize(false);
    label->SetBounds(10, 20, 50, 15);
    form->Show();
    const POINT p = label->ClientToScreen({1, 2});
    EXPECT_EQ(p.x, 111);
    EXPECT_EQ(p.y, 122);
    const POINT q = form->ScreenToClient({150, 160});
    EXPECT_EQ(q.x, 50);
    EXPECT_EQ(q.y, 60);
}

}  // namespace
}  // namespace fw
