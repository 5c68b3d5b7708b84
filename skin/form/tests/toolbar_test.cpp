// A framework tool bar on a skinned form: the classification makes it
// flat and gives its custom-draw events to the form skinner, which paints
// the skin's toolbar ground and the hot and pressed buttons from the
// Buttons strip through the bar's own custom draw; unskinning takes the
// handlers back and leaves an application's own alone.
#include "framework/winapi.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <uxtheme.h>

#include <memory>

#include "framework/comctrls.h"
#include "framework/guards.h"
#include "framework/menus.h"
#include "framework/typinfo.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/form/tests/skinnedwindow.h"
#include "skin/form/winskinform.h"

namespace skin {
namespace {

using namespace test;

constexpr int kButton = 30;

// A tool bar as a program of the component framework has one, known to
// the engine by its class name: the system's tool bar with two buttons,
// whose custom-draw notifications fire OnCustomDraw and OnCustomDrawButton
// with the paint DC lent to a canvas. A text colour a handler sets on the
// canvas becomes the button's text colour.
class TToolBarProbe : public fw::TWinControl {
    FW_CLASS(TToolBarProbe, fw::TWinControl)
public:
    using fw::TWinControl::TWinControl;

    bool Flat() const { return flat_; }
    void SetFlat(bool flat)
    {
        flat_ = flat;
        if (HWND h = HandleIfAllocated()) {
            const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
            SetWindowLongPtrW(h, GWL_STYLE, flat ? style | TBSTYLE_FLAT : style & ~TBSTYLE_FLAT);
        }
    }
    fw::TMenu* Menu = nullptr;
    fw::TToolBarCustomDrawEvent OnCustomDraw;
    fw::TToolBarCustomDrawButtonEvent OnCustomDrawButton;

    RECT ButtonRect(int index)
    {
        RECT r{};
        SendMessageW(Handle(), TB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
        return r;
    }

    void WndProc(fw::TMessage& m) override
    {
        if (m.Msg == fw::CN_NOTIFY &&
            reinterpret_cast<NMHDR*>(m.LParam)->code == UINT(NM_CUSTOMDRAW)) {
            m.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(m.LParam));
            return;
        }
        fw::TWinControl::WndProc(m);
    }

protected:
    void CreateParams(fw::TCreateParams& p) override
    {
        fw::TWinControl::CreateParams(p);
        CreateSubClass(p, TOOLBARCLASSNAMEW);
        p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
        if (flat_) p.Style |= TBSTYLE_FLAT;
    }
    void CreateWnd() override
    {
        fw::TWinControl::CreateWnd();
        HWND h = HandleIfAllocated();
        SendMessageW(h, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessageW(h, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButton, kButton));
        TBBUTTON buttons[2] = {};
        for (int i = 0; i < 2; ++i) {
            buttons[i].iBitmap = I_IMAGENONE;
            buttons[i].idCommand = 1 + i;
            buttons[i].fsState = TBSTATE_ENABLED;
            buttons[i].fsStyle = BTNS_BUTTON;
        }
        SendMessageW(h, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));
        // The programs use the system's classic tool bar (they carry no
        // manifest for visual styles); Wine would draw it themed.
        SetWindowTheme(h, L"", L"");
    }

private:
    LRESULT CustomDraw(NMTBCUSTOMDRAW& cd)
    {
        fw::TCanvas canvas;
        canvas.SetHandle(cd.nmcd.hdc);
        fw::TScopeExit release([&canvas] { canvas.SetHandle(nullptr); });
        bool defaultDraw = true;
        switch (cd.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            OnCustomDraw(this, &canvas, cd.nmcd.rc, defaultDraw);
            return defaultDraw ? CDRF_NOTIFYITEMDRAW : CDRF_SKIPDEFAULT;
        case CDDS_ITEMPREPAINT:
            canvas.Font()->SetColor(fw::TColor(cd.clrText));
            OnCustomDrawButton(this, &canvas, cd.nmcd.rc, cd.nmcd.uItemState, defaultDraw);
            cd.clrText = fw::ColorToRGB(canvas.Font()->Color());
            return defaultDraw ? CDRF_DODEFAULT | TBCDRF_NOBACKGROUND | TBCDRF_NOEDGES
                               : CDRF_SKIPDEFAULT;
        default: return CDRF_DODEFAULT;
        }
    }

    bool flat_ = false;
};
FW_IMPLEMENT_CLASS_AS(TToolBarProbe, "TToolBar")
{
    c.Property("Flat", &TToolBarProbe::Flat, &TToolBarProbe::SetFlat);
    c.Property("Menu", &TToolBarProbe::Menu);
    c.Property("OnCustomDraw", &TToolBarProbe::OnCustomDraw);
    c.Property("OnCustomDrawButton", &TToolBarProbe::OnCustomDrawButton);
}

// An application's own ground handler.
struct TAppDraw : fw::TObject {
    void Draw(fw::TObject*, fw::TCanvas*, const RECT&, bool&) {}
};

class ToolbarTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        TSkinOptions options = data->Options();
        options.Exclude(xoToolbarBK);
        data->SetOptions(options);
        spy.Hook(form.get());
        form->Show();
        Pump();
    }
    void TearDown() override
    {
        skinner.reset();
        ControlTest::TearDown();
    }
    TToolBarProbe* Bar(int top)
    {
        auto* bar = Put<TToolBarProbe>(0, top, 200, 40);
        bar->HandleNeeded();
        return bar;
    }
    // Skins the form as the manager does and waits for the notification.
    void Skin()
    {
        skinner.reset(new TWinSkinForm(nullptr));
        skinner->WindowHandle = form->Handle();
        skinner->ClassName = "TForm";
        skinner->InitSkinForm(data.get(), form.get());
        spy.notes.clear();
        PostMessageW(form->Handle(), WM_SKINACTIVATE, 0, 1000);
        ASSERT_TRUE(PumpUntil([&] { return !spy.notes.empty(); }));
    }
    // What the bar shows after painting itself anew.
    static std::unique_ptr<fw::TBitmap> Painted(TToolBarProbe* bar)
    {
        RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        auto b = Solid(bar->Width(), bar->Height(), 0x00FF00);
        HDC dc = GetDC(bar->Handle());
        BitBlt(b->Canvas()->Handle(), 0, 0, bar->Width(), bar->Height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(bar->Handle(), dc);
        return b;
    }

    TNotifySpy spy;
    fw::TOwnedPtr<TWinSkinForm> skinner;
};

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST_F(ToolbarTest, SkinnedFormsBarIsFlatAndDrawnFromTheSkin)
{
    TToolBarProbe* bar = Bar(0);
    Skin();

    EXPECT_TRUE(bar->Flat());
    EXPECT_EQ(bar->OnCustomDraw.Object(), skinner.get());
    EXPECT_EQ(bar->OnCustomDrawButton.Object(), skinner.get());

    // Button 0 hot, button 1 pressed (only a flat bar tracks a hot button).
    SendMessageW(bar->Handle(), TB_SETHOTITEM, 0, 0);
    SendMessageW(bar->Handle(), TB_PRESSBUTTON, 2, TRUE);
    auto shot = Painted(bar);
    SaveShot(shot.get(), "toolbar_hot_pressed.bmp");
    const POINT hot = Centre(bar->ButtonRect(0));
    const POINT pressed = Centre(bar->ButtonRect(1));
    EXPECT_EQ(PixelAt(shot.get(), hot.x, hot.y), FrameColour(4));
    EXPECT_EQ(PixelAt(shot.get(), pressed.x, pressed.y), FrameColour(2));
    // Right of the buttons: the toolbar ground stretched over the bar.
    fw::TBitmap* ground = data->Skin().Toolbar->Image.get();
    const int y = bar->Height() - 3;
    EXPECT_EQ(PixelAt(shot.get(), 180, y), PixelAt(ground, 180 * ground->Width() / bar->Width(),
                                                   y * ground->Height() / bar->Height()));

    // A button at rest is the bar's own, over the ground.
    SendMessageW(bar->Handle(), TB_SETHOTITEM, WPARAM(-1), 0);
    SendMessageW(bar->Handle(), TB_PRESSBUTTON, 2, FALSE);
    auto rest = Painted(bar);
    for (const POINT& p : {hot, pressed}) {
        EXPECT_NE(PixelAt(rest.get(), p.x, p.y), FrameColour(4));
        EXPECT_NE(PixelAt(rest.get(), p.x, p.y), FrameColour(2));
        EXPECT_NE(PixelAt(rest.get(), p.x, p.y), 0x00FF00u);
    }
}

TEST_F(ToolbarTest, UnskinningTakesBackOnlyTheSkinnersHandlers)
{
    for (const bool unhook : {true, false}) {
        SCOPED_TRACE(unhook ? "unhooked" : "skinner freed");
        TToolBarProbe* own = Bar(0);
        TToolBarProbe* plain = Bar(50);
        TAppDraw app;
        own->OnCustomDraw = fw::TToolBarCustomDrawEvent(&app, &TAppDraw::Draw);
        Skin();
        EXPECT_EQ(own->OnCustomDraw.Object(), &app);
        EXPECT_EQ(own->OnCustomDrawButton.Object(), skinner.get());
        EXPECT_EQ(plain->OnCustomDraw.Object(), skinner.get());

        if (unhook)
            skinner->UnhookWindow();
        else
            skinner.reset();
        EXPECT_EQ(own->OnCustomDraw.Object(), &app);
        EXPECT_FALSE(own->OnCustomDrawButton);
        EXPECT_FALSE(plain->OnCustomDraw);
        EXPECT_FALSE(plain->OnCustomDrawButton);
        // Drawing after the skinner went calls nothing of it.
        Painted(plain);
        skinner.reset();
        own->Free();
        plain->Free();
    }
}

}  // namespace
}  // namespace skin
