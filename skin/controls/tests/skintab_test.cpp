// Tab skinners: faces by state and the pane's edge for each tab position,
// closable tabs (the mark, the form's answer, the page freed or kept),
// the strip left off a scroller, button-style tabs, a tab set that skips a
// tab that does not fit, and another vendor's page control given its tab
// backgrounds.
#include "skin/controls/skintab.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "framework/extctrls.h"
#include "framework/guards.h"
#include "framework/strings.h"
#include "skin/controls/classify.h"
#include "skin/controls/skinupdown.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/engine/skinmessages.h"
#include "skin/tests/deletewatch.h"
#include "skin/tests/freedmemory.h"

namespace skin {
namespace {

using test::ControlTest;
using test::FrameColour;
using test::PixelAt;

enum TTabStyleProbe { tsTabs, tsButtons, tsFlatButtons };
FW_ENUM(TTabStyleProbe, "tsTabs", "tsButtons", "tsFlatButtons")

// A system tab control as a framework control.
class TTabWindowProbe : public fw::TWinControl {
    FW_CLASS(TTabWindowProbe, fw::TWinControl)
public:
    explicit TTabWindowProbe(fw::TComponent* owner) : fw::TWinControl(owner) {}
    TTabStyleProbe Style = tsTabs;
    DWORD ExtraStyle = 0;
    void AddTabs(std::initializer_list<const wchar_t*> texts)
    {
        int i = TabCount();
        for (const wchar_t* text : texts) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(text);
            SendMessageW(Handle(), TCM_INSERTITEMW, static_cast<WPARAM>(i++),
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    int TabCount() { return static_cast<int>(SendMessageW(Handle(), TCM_GETITEMCOUNT, 0, 0)); }
    RECT TabRect(int i)
    {
        RECT r{};
        SendMessageW(Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&r));
        return r;
    }

protected:
    void CreateParams(fw::TCreateParams& p) override
    {
        fw::TWinControl::CreateParams(p);
        CreateSubClass(p, WC_TABCONTROLW);
        p.Style |= WS_CLIPCHILDREN | ExtraStyle;
    }
};
FW_IMPLEMENT_CLASS(TTabWindowProbe) { c.Property("Style", &TTabWindowProbe::Style); }

// Page and tab controls of the framework they are written for, known to
// the engine by their class names; a page control's pages are its
// tab-sheet children.
class TPageControlProbe : public TTabWindowProbe {
    FW_CLASS(TPageControlProbe, TTabWindowProbe)
public:
    using TTabWindowProbe::TTabWindowProbe;
};
FW_IMPLEMENT_CLASS_AS(TPageControlProbe, "TPageControl") {}

class TTabSheetProbe : public fw::TPanel {
    FW_CLASS(TTabSheetProbe, fw::TPanel)
public:
    using fw::TPanel::TPanel;
};
FW_IMPLEMENT_CLASS_AS(TTabSheetProbe, "TTabSheet") {}

class TTabControlProbe : public TTabWindowProbe {
    FW_CLASS(TTabControlProbe, TTabWindowProbe)
public:
    using TTabWindowProbe::TTabWindowProbe;
};
FW_IMPLEMENT_CLASS_AS(TTabControlProbe, "TTabControl") {}

// A system up-down, the tab set's scroller.
class TUpDownProbe : public fw::TWinControl {
    FW_CLASS(TUpDownProbe, fw::TWinControl)
public:
    using fw::TWinControl::TWinControl;

protected:
    void CreateParams(fw::TCreateParams& p) override
    {
        fw::TWinControl::CreateParams(p);
        CreateSubClass(p, UPDOWN_CLASSW);
        p.Style |= UDS_HORZ;
    }
};
FW_IMPLEMENT_CLASS(TUpDownProbe) {}

// A tab set: texts, margins, first shown and selected tab, its scroller
// the first component it owns.
class TTabSetProbe : public fw::TPanel {
    FW_CLASS(TTabSetProbe, fw::TPanel)
public:
    explicit TTabSetProbe(fw::TComponent* owner) : fw::TPanel(owner)
    {
        Scroller = new TUpDownProbe(this);
    }
    fw::TStrings* Tabs() const { return tabs_.get(); }
    int StartMargin = 5, EndMargin = 15, FirstIndex = 0, TabIndex = 0;
    TUpDownProbe* Scroller;

private:
    std::unique_ptr<fw::TStringList> tabs_ = std::make_unique<fw::TStringList>();
};
FW_IMPLEMENT_CLASS_AS(TTabSetProbe, "TTabSet")
{
    c.Property("Tabs", &TTabSetProbe::Tabs);
    c.Property("StartMargin", &TTabSetProbe::StartMargin);
    c.Property("EndMargin", &TTabSetProbe::EndMargin);
    c.Property("FirstIndex", &TTabSetProbe::FirstIndex);
    c.Property("TabIndex", &TTabSetProbe::TabIndex);
}

// Another vendor's page control with tab background bitmaps.
class TAdvPageProbe : public fw::TPanel {
    FW_CLASS(TAdvPageProbe, fw::TPanel)
public:
    using fw::TPanel::TPanel;
    fw::TBitmap* TabBackGround() const { return back_.get(); }
    void SetTabBackGround(fw::TBitmap* b) { Keep(back_, b); }
    fw::TBitmap* TabBackGroundActive() const { return active_.get(); }
    void SetTabBackGroundActive(fw::TBitmap* b) { Keep(active_, b); }

private:
    static void Keep(std::unique_ptr<fw::TBitmap>& held, fw::TBitmap* b)
    {
        held.reset();
        if (!b) return;
        held = std::make_unique<fw::TBitmap>();
        held->Assign(b);
    }
    std::unique_ptr<fw::TBitmap> back_, active_;
};
FW_IMPLEMENT_CLASS_AS(TAdvPageProbe, "TAdvPageControl")
{
    c.Property("TabBackGround", &TAdvPageProbe::TabBackGround, &TAdvPageProbe::SetTabBackGround);
    c.Property("TabBackGroundActive", &TAdvPageProbe::TabBackGroundActive,
               &TAdvPageProbe::SetTabBackGroundActive);
}

// The tab faces: 5 frames of 20 x 20 in the frame colours with their top
// 4 rows in kMark, so that a turned face shows where its top went.
constexpr fw::TColor kMark = 0x20F0F0;
// The pane: a 4-pixel edge (the top 5 rows kPaneTop), kPaneMiddle inside.
constexpr fw::TColor kPaneEdge = 0x602060, kPaneTop = 0x206060, kPaneMiddle = 0x808000;
constexpr fw::TColor kBlack = 0;

// buttonsIni: more keys of the Buttons section.
std::string TabSkin(const std::string& buttonsIni = {})
{
    const std::string faces = test::BmpFile(
        5 * 20, 20, [](int x, int y) { return y < 4 ? kMark : FrameColour(x / 20 + 1); });
    const std::string pane = test::BmpFile(20, 20, [](int x, int y) {
        if (y < 5) return kPaneTop;
        return x < 4 || x >= 16 || y >= 16 ? kPaneEdge : kPaneMiddle;
    });
    return test::TestSkin(buttonsIni +
                              "[Tabs]\r\nImage=tabs.bmp\r\nBorder=pane.bmp\r\n"
                              "NormalColour2=128,0,0\r\nMouseOverColour2=0,128,0\r\n",
                          {{"tabs.bmp", faces}, {"pane.bmp", pane}});
}

class SkinTabTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        LoadSkin(TabSkin());
    }
    // A page control on the form with three tabs, the second selected.
    TPageControlProbe* Pages(DWORD style = 0, int w = 240)
    {
        auto* c = new TPageControlProbe(form.get());
        c->ExtraStyle = style;
        c->SetParent(form.get());
        c->SetBounds(10, 10, w, 150);
        c->AddTabs({L"One", L"Two", L"Three"});
        SendMessageW(c->Handle(), TCM_SETCURFOCUS, 1, 0);
        return c;
    }
    TSkinControl* Skin(fw::TControl* c)
    {
        TControlClassifier classifier(list, data.get(), nullptr);
        classifier.SkinControl(c, form.get());
        return list.FindByControl(c);
    }
};

// Tabs at each position: the focused face is frame 2, the others frame 1,
// and the face's top lies on the tab's outer side (the strip is turned
// for tabs at the side); the pane's edge follows the tabs.
TEST_F(SkinTabTest, FacesByStateAndOrientation)
{
    struct Case {
        DWORD style;
        TTabOrientation orientation;
    } cases[] = {
        {0, toTop},
        {TCS_BOTTOM, toBottom},
        {TCS_VERTICAL | TCS_MULTILINE, toLeft},
        {TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, toRight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orientation);
        auto* pages = Pages(c.style);
        auto* s = dynamic_cast<TSkinTab*>(Skin(pages));
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->Orientation, c.orientation);
        auto b = Render(s);
        for (int i = 0; i < 3; ++i) {
            RECT t = pages->TabRect(i);
            const int cx = (t.left + t.right) / 2, cy = (t.top + t.bottom) / 2;
            // Beside the caption, which is centred along the tab.
            const bool across = c.orientation == toTop || c.orientation == toBottom;
            const POINT face = across ? POINT{t.left + 3, cy} : POINT{cx, t.top + 3};
            EXPECT_EQ(PixelAt(b.get(), face.x, face.y), FrameColour(i == 1 ? 2 : 1)) << i;
            // Two pixels in from the outer side.
            POINT outer{cx, t.top + 2};
            if (c.orientation == toBottom) outer = {cx, t.bottom - 3};
            if (c.orientation == toLeft) outer = {t.left + 2, cy};
            if (c.orientation == toRight) outer = {t.right - 3, cy};
            EXPECT_EQ(PixelAt(b.get(), outer.x, outer.y), kMark) << i;
        }
        // The pane's edge: the image's top rows lie by the tabs.
        RECT p{0, 0, pages->Width(), pages->Height()};
        SendMessageW(pages->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&p));
        const int mx = (p.left + p.right) / 2, my = (p.top + p.bottom) / 2;
        EXPECT_EQ(PixelAt(b.get(), mx, my), kPaneMiddle);
        POINT byTabs{mx, p.top - 2}, away{mx, p.bottom + 1};
        if (c.orientation == toBottom) byTabs = {mx, p.bottom + 1}, away = {mx, p.top - 2};
        if (c.orientation == toLeft) byTabs = {p.left - 2, my}, away = {p.right + 1, my};
        if (c.orientation == toRight) byTabs = {p.right + 1, my}, away = {p.left - 2, my};
        EXPECT_EQ(PixelAt(b.get(), byTabs.x, byTabs.y), kPaneTop);
        EXPECT_EQ(PixelAt(b.get(), away.x, away.y), kPaneEdge);
        list.FreeSkinControls();
        pages->Free();
    }
}

// A raw tab window skinned by its class: tabs at the bottom use the
// flipped faces, and the strip past the last tab is the parent's face.
TEST_F(SkinTabTest, RawTabWindowAtTheBottom)
{
    HWND tab = Raw(WC_TABCONTROLW, TCS_BOTTOM, 200, 100);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"Only");
    SendMessageW(tab, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    TControlClassifier classifier(list, data.get(), nullptr);
    classifier.SkinChildWindow(tab);
    auto* s = dynamic_cast<TSkinTab*>(list.FindByHandle(tab));
    ASSERT_NE(s, nullptr);
    EXPECT_FALSE(s->Closable);
    RECT t{};
    SendMessageW(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&t));
    auto b = Render(s);
    EXPECT_EQ(PixelAt(b.get(), (t.left + t.right) / 2, t.bottom - 3), kMark);
    EXPECT_EQ(PixelAt(b.get(), (t.left + t.right) / 2, t.top + 3), FrameColour(2));
    EXPECT_EQ(PixelAt(b.get(), 195, (t.top + t.bottom) / 2), test::kFace);
}

// A new skin without a pane keeps the pane the tabs had, turned once: a
// refresh does not turn it again.
TEST_F(SkinTabTest, RefreshKeepsAMissingPaneTurnedOnce)
{
    auto* pages = Pages(TCS_BOTTOM);
    auto* s = dynamic_cast<TSkinTab*>(Skin(pages));
    ASSERT_NE(s, nullptr);
    RECT p{0, 0, pages->Width(), pages->Height()};
    SendMessageW(pages->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&p));
    const int mx = (p.left + p.right) / 2;
    EXPECT_EQ(PixelAt(Render(s).get(), mx, p.bottom + 1), kPaneTop);
    LoadSkin(
        test::TestSkin("[Tabs]\r\nImage=tabs.bmp\r\n", {{"tabs.bmp", test::StripBmp(5, 20, 20)}}));
    s->RefreshSkin();
    for (int i = 0; i < 2; ++i) {
        auto b = Render(s);
        EXPECT_EQ(PixelAt(b.get(), mx, p.bottom + 1), kPaneTop);
        EXPECT_EQ(PixelAt(b.get(), mx, p.top - 2), kPaneEdge);
        s->RefreshSkin();
    }
}

// Records WM_SKINTABCLOSE at the form and answers it, after doing what
// the test gives it to do first.
struct TCloseRecorder : fw::TObject {
    void Proc(fw::TMessage& m)
    {
        if (m.Msg == WM_SKINTABCLOSE) {
            calls.push_back({reinterpret_cast<HWND>(m.WParam), static_cast<int>(m.LParam)});
            if (beforeAnswer) beforeAnswer();
            m.Result = answer;
            return;
        }
        old(m);
    }
    fw::TWndMethod old;
    LRESULT answer = 0;
    std::function<void()> beforeAnswer;
    std::vector<std::pair<HWND, int>> calls;
};

TEST_F(SkinTabTest, ClosableTabsAskTheFormAndFreeThePage)
{
    auto* pages = Pages();
    pages->SetTag(kClosableTabsTag);
    std::vector<fw::TControl*> sheets;
    for (int i = 0; i < 3; ++i) {
        auto* sheet = new TTabSheetProbe(form.get());
        sheet->SetParent(pages);
        sheets.push_back(sheet);
    }
    auto* s = dynamic_cast<TSkinTab*>(Skin(pages));
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(s->Closable);
    auto b = Render(s);
    ASSERT_EQ(s->CloseRects.size(), 3u);
    // The mark: a black square in the tab's top-right corner.
    const RECT t = pages->TabRect(2);
    EXPECT_EQ(s->CloseRects[2].right, t.right - 2);
    EXPECT_EQ(PixelAt(b.get(), t.right - 2, t.top + 1 + 5), kBlack);
    EXPECT_EQ(PixelAt(b.get(), t.right - 8, t.top + 1 + 5), kBlack);

    TCloseRecorder recorder;
    recorder.old = form->WindowProc;
    form->WindowProc = fw::TWndMethod(&recorder, &TCloseRecorder::Proc);
    const fw::TScopeExit restore([&] { form->WindowProc = recorder.old; });
    auto click = [&](int i) {
        const RECT m = s->CloseRects[static_cast<size_t>(i)];
        SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM((m.left + m.right) / 2, (m.top + m.bottom) / 2));
        SendMessageW(pages->Handle(), WM_LBUTTONUP, 0,
                     MAKELPARAM((m.left + m.right) / 2, (m.top + m.bottom) / 2));
    };
    // The form keeps the page: nothing freed, and the tab control never
    // saw the click (its selection stays).
    recorder.answer = 1;
    click(0);
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0], std::make_pair(pages->Handle(), 0));
    EXPECT_EQ(pages->ControlCount(), 3);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
    // The form agrees: that page, and only it, is freed.
    recorder.answer = 0;
    click(2);
    ASSERT_EQ(recorder.calls.size(), 2u);
    EXPECT_EQ(recorder.calls[1].second, 2);
    ASSERT_EQ(pages->ControlCount(), 2);
    EXPECT_EQ(pages->Controls(0), sheets[0]);
    EXPECT_EQ(pages->Controls(1), sheets[1]);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
    // A mark whose page is gone asks the form and frees nothing more.
    click(2);
    EXPECT_EQ(recorder.calls.size(), 3u);
    EXPECT_EQ(pages->ControlCount(), 2);
    // A click off the marks reaches the control.
    const RECT first = pages->TabRect(0);
    const LPARAM at = MAKELPARAM(first.left + 4, (first.top + first.bottom) / 2);
    SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(recorder.calls.size(), 3u);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), 0);
}

TEST_F(SkinTabTest, AFormThatUnskinsReloadsOrFreesTheControlWhileItAnswersTheClose)
{
    // The form agrees to the close, but first takes the skin off, applies
    // it again, or frees the whole page control. The skinner, inside its
    // own press, is let go at once and deleted once the press returns; let
    // go (or gone with its control), it closes nothing.
    enum TAnswer { kUnskin, kReload, kFreeControl };
    for (const TAnswer a : {kUnskin, kReload, kFreeControl}) {
        SCOPED_TRACE(a == kUnskin ? "unskin" : a == kReload ? "reload" : "free the control");
        auto* pages = Pages();
        pages->SetTag(kClosableTabsTag);
        for (int i = 0; i < 3; ++i) (new TTabSheetProbe(form.get()))->SetParent(pages);
        auto* s = dynamic_cast<TSkinTab*>(Skin(pages));
        ASSERT_NE(s, nullptr);
        Render(s);
        ASSERT_EQ(s->CloseRects.size(), 3u);
        HWND window = pages->Handle();
        fw::TOwnedPtr<test::TDeleteWatch> gone(new test::TDeleteWatch(s));
        TCloseRecorder recorder;
        recorder.old = form->WindowProc;
        form->WindowProc = fw::TWndMethod(&recorder, &TCloseRecorder::Proc);
        const fw::TScopeExit restore([&] { form->WindowProc = recorder.old; });
        bool skinnedInside = false, deletedInside = true;
        recorder.beforeAnswer = [&] {
            if (a == kUnskin) list.FreeSkinControls();
            if (a == kReload) s->RefreshSkin();
            if (a == kFreeControl) pages->Free();
            skinnedInside = IsWindow(window) && SendMessageW(window, WM_SKINQUERY, 0, 0) == 1;
            deletedInside = gone->Deleted();
        };
        const RECT m = s->CloseRects[1];
        const LPARAM at = MAKELPARAM((m.left + m.right) / 2, (m.top + m.bottom) / 2);
        {
            test::TFreedMemoryWatch watch;
            SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
            EXPECT_EQ(watch.CallsIntoFreed(), 0);
            EXPECT_EQ(watch.WrittenAfterFree(), 0);
        }
        EXPECT_EQ(recorder.calls.size(), 1u);
        EXPECT_FALSE(deletedInside);
        EXPECT_EQ(skinnedInside, a == kReload);
        EXPECT_EQ(gone->Deleted(), a != kReload);
        if (a == kFreeControl) {
            EXPECT_FALSE(IsWindow(window));
            continue;
        }
        SendMessageW(window, WM_LBUTTONUP, 0, at);
        EXPECT_EQ(pages->ControlCount(), a == kReload ? 2 : 3);
        list.FreeSkinControls();
        pages->Free();
    }
}

TEST_F(SkinTabTest, OnlyTopTabsOfATaggedPageControlAreClosable)
{
    auto* bottom = Pages(TCS_BOTTOM);
    bottom->SetTag(kClosableTabsTag);
    auto* tabControl = new TTabControlProbe(form.get());
    tabControl->SetParent(form.get());
    tabControl->SetTag(kClosableTabsTag);
    auto* untagged = Pages();
    for (fw::TControl* c :
         {static_cast<fw::TControl*>(bottom), static_cast<fw::TControl*>(tabControl),
          static_cast<fw::TControl*>(untagged)}) {
        auto* s = dynamic_cast<TSkinTab*>(Skin(c));
        ASSERT_NE(s, nullptr);
        EXPECT_FALSE(s->Closable) << c->ClassName();
    }
    // The plain tab control paints its windowless children after the pane.
    EXPECT_EQ(list.FindByControl(tabControl)->SubKind, 2);
    EXPECT_EQ(list.FindByControl(untagged)->SubKind, 0);
}

// More tabs than fit: the control shows its scroller, which gets the
// up-down skinner, and the strip is copied around it.
TEST_F(SkinTabTest, StripLeavesTheScrollerAlone)
{
    auto* pages = Pages(0, 120);
    pages->AddTabs({L"Four", L"Five", L"Six", L"Seven"});
    auto* s = dynamic_cast<TSkinTab*>(Skin(pages));
    ASSERT_NE(s, nullptr);
    HWND scroller = FindWindowExW(pages->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_NE(scroller, nullptr);
    ASSERT_TRUE(GetWindowLongPtrW(scroller, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(s->FindTabScroller());
    ASSERT_NE(s->UpDown, nullptr);
    EXPECT_EQ(s->UpDown->Handle, scroller);
    EXPECT_EQ(list.FindByHandle(scroller), s->UpDown);
    RECT w{}, u{};
    GetWindowRect(pages->Handle(), &w);
    GetWindowRect(scroller, &u);
    OffsetRect(&u, -w.left, -w.top);
    auto b = Render(s);
    // Render starts black; the skin paints the strip but not the scroller.
    EXPECT_EQ(PixelAt(b.get(), (u.left + u.right) / 2, (u.top + u.bottom) / 2), kBlack);
    EXPECT_NE(PixelAt(b.get(), u.left - 3, u.top + 1), kBlack);
}

TEST_F(SkinTabTest, ButtonTabsUseTheButtonsStrip)
{
    auto* pages = Pages();
    pages->Style = tsButtons;
    auto* s = Skin(pages);
    ASSERT_NE(dynamic_cast<TSkinTabBtn*>(s), nullptr);
    auto b = Render(s);
    for (int i = 0; i < 3; ++i) {
        const RECT t = pages->TabRect(i);
        EXPECT_EQ(PixelAt(b.get(), t.left + 1, t.top + 2), FrameColour(i == 1 ? 2 : 1)) << i;
    }
}

// The skin gives the pressed caption colour only: the focused tab's
// caption is in it, and so is the caption after it (the colour stays),
// while the one before it keeps black.
TEST_F(SkinTabTest, ButtonTabsKeepTheLastGivenCaptionColour)
{
    LoadSkin(TabSkin("PressedColour2=0,255,0\r\n"));
    auto* pages = Pages();
    pages->Style = tsButtons;
    auto* s = Skin(pages);
    ASSERT_NE(dynamic_cast<TSkinTabBtn*>(s), nullptr);
    auto b = Render(s);
    auto greenIn = [&](int i) {
        const RECT t = pages->TabRect(i);
        int n = 0;
        for (int y = t.top + 1; y < t.bottom; ++y)
            for (int x = t.left; x < t.right; ++x) {
                const fw::TColor c = PixelAt(b.get(), x, y);
                const int r = c & 0xFF, g = (c >> 8) & 0xFF, bl = (c >> 16) & 0xFF;
                if (g > 160 && r < 80 && bl < 80) ++n;
            }
        return n;
    };
    EXPECT_EQ(greenIn(0), 0);
    EXPECT_GT(greenIn(2), 0);
}

TEST_F(SkinTabTest, TabSetSkipsATabThatDoesNotFit)
{
    auto* tabSet = new TTabSetProbe(form.get());
    tabSet->SetParent(form.get());
    tabSet->SetBounds(10, 10, 200, 24);
    tabSet->Scroller->SetParent(tabSet);
    tabSet->Scroller->SetVisible(false);
    tabSet->TabIndex = 2;
    fw::TBitmap measure;
    measure.Canvas()->SetFont(tabSet->Font());
    const std::string wide(40, 'W');
    const int w0 = measure.Canvas()->TextWidth("Alpha") + 9;
    const int w2 = measure.Canvas()->TextWidth("Be") + 9;
    ASSERT_GT(5 + w0 + measure.Canvas()->TextWidth(wide) + 9, 200 - 15);
    tabSet->Tabs()->Add("Alpha");
    tabSet->Tabs()->Add(wide);
    tabSet->Tabs()->Add("Be");
    auto* s = dynamic_cast<TSkinTab31*>(Skin(tabSet));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Scroller, tabSet->Scroller);
    auto* arrows = dynamic_cast<TSkinUpDown*>(s->UpDown);
    ASSERT_NE(arrows, nullptr);
    EXPECT_EQ(arrows->Handle, tabSet->Scroller->Handle());
    EXPECT_EQ(arrows->HorizontalMode, 1);
    auto b = Render(s);
    // Start margin, tab 0, then tab 2 (selected: frame 2) right after it;
    // the flipped face has its mark at the bottom.
    EXPECT_EQ(PixelAt(b.get(), 2, 10), test::kFace);
    EXPECT_EQ(PixelAt(b.get(), 5 + 1, 10), FrameColour(1));
    EXPECT_EQ(PixelAt(b.get(), 5 + 1, 22), kMark);
    EXPECT_EQ(PixelAt(b.get(), 5 + w0 + 1, 10), FrameColour(2));
    EXPECT_EQ(PixelAt(b.get(), 5 + w0 + w2 + 1, 10), test::kFace);
}

TEST_F(SkinTabTest, AdvPageGetsTabBackgroundsUntilUnskinned)
{
    data->Skin3rd()->Add("TAdvPageControl=advpagecontrol");
    auto* page = Put<TAdvPageProbe>(10, 10, 200, 100);
    auto* s = dynamic_cast<TSkinAdvPage*>(Skin(page));
    ASSERT_NE(s, nullptr);
    ASSERT_NE(page->TabBackGround(), nullptr);
    ASSERT_NE(page->TabBackGroundActive(), nullptr);
    EXPECT_EQ(page->TabBackGround()->Width(), 100);
    EXPECT_EQ(page->TabBackGround()->Height(), 21);
    EXPECT_EQ(PixelAt(page->TabBackGround(), 50, 15), FrameColour(1));
    EXPECT_EQ(PixelAt(page->TabBackGroundActive(), 50, 15), FrameColour(2));
    EXPECT_EQ(page->Color(), test::kFace);
    s->UnSkin();
    EXPECT_EQ(page->TabBackGround(), nullptr);
    EXPECT_EQ(page->TabBackGroundActive(), nullptr);
}

}  // namespace
}  // namespace skin
