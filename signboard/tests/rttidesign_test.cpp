// The design component on a real form: a container with two memos and a
// button beside it, driven by focus changes and by mouse messages with the
// cursor placed where a person's mouse would be.
#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/stdctrls.h"
#include "signboard/rttidesign.h"
#include "tools/windrive/windrive.h"

namespace signboard {
namespace {

// Records calls and answers the veto events.
class TRecorder : public fw::TObject {
public:
    bool AllowSelect = true, AllowMove = true, AllowResize = true;
    int FocusCalls = 0, OwnMouseDowns = 0;
    void FocusChanged(fw::TObject*) { ++FocusCalls; }
    void OwnMouseDown(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int)
    {
        ++OwnMouseDowns;
    }
    void BeforeSelect(fw::TObject*, fw::TControl*, bool& select) { select = AllowSelect; }
    void CanMove(fw::TObject*, fw::TControl*, bool& canMove) { canMove = AllowMove; }
    void CanResize(fw::TObject*, bool& canResize) { canResize = AllowResize; }
};

class RttiDesignTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::Application->Initialize();
        form.reset(fw::CreateForm<fw::TForm>(nullptr));
        form->SetBounds(100, 100, 400, 300);
        canvas = new fw::TPanel(form.get());
        canvas->SetParent(form.get());
        canvas->SetBounds(10, 20, 192, 64);
        a = NewMemo(16, 8);
        b = NewMemo(96, 32);
        button = new fw::TButton(form.get());
        button->SetParent(form.get());
        button->SetBounds(250, 20, 75, 25);
        design = new TRttiDesign(form.get());
        design->SetDesginControl(canvas);
        design->SetMarkersColor(fw::clYellow);
        design->SetMarkers3D(true);
        a->OnMouseDown = fw::TMouseEvent(&rec, &TRecorder::OwnMouseDown);
        form->Show();
    }
    void TearDown() override { form.reset(); }

    fw::TMemo* NewMemo(int left, int top)
    {
        auto* m = new fw::TMemo(canvas);
        m->SetParent(canvas);
        m->SetReadOnly(true);
        m->SetBounds(left, top, 64, 16);
        return m;
    }

    // The cursor at a point of the container's client area, with the
    // test's own messages run while it settles.
    void CursorAt(int x, int y)
    {
        windrive::MoveCursor(canvas->ClientToScreen({x, y}),
                             [] { fw::Application->ProcessMessages(); });
    }
    static void Send(fw::TWinControl* c, UINT msg)
    {
        SendMessageW(c->Handle(), msg, msg == WM_MOUSEMOVE ? MK_LBUTTON : 0, 0);
    }
    // A press at (x, y), a move to (x + dx, y + dy), a release.
    void Drag(fw::TWinControl* c, int x, int y, int dx, int dy)
    {
        CursorAt(x, y);
        Send(c, WM_LBUTTONDOWN);
        CursorAt(x + dx, y + dy);
        Send(c, WM_MOUSEMOVE);
        Send(c, WM_LBUTTONUP);
    }
    bool Hooked(fw::TControl* c) const
    {
        return c->OnMouseDown == fw::TMouseEvent(design, &TRttiDesign::ControlMouseDown) &&
               c->OnMouseMove == fw::TMouseMoveEvent(design, &TRttiDesign::ControlMouseMove) &&
               c->OnMouseUp == fw::TMouseEvent(design, &TRttiDesign::ControlMouseUp);
    }

    TRecorder rec;
    fw::TOwnedPtr<fw::TForm> form;
    fw::TPanel* canvas = nullptr;
    fw::TMemo* a = nullptr;
    fw::TMemo* b = nullptr;
    fw::TButton* button = nullptr;
    TRttiDesign* design = nullptr;
};

TEST_F(RttiDesignTest, FocusSelectsAndHooksTheChildAndFocusElsewhereGivesEveryChildItsHandlersBack)
{
    a->SetFocus();
    EXPECT_TRUE(design->Active());
    EXPECT_EQ(design->SelectControl(), a);
    EXPECT_TRUE(Hooked(a));
    b->SetFocus();
    EXPECT_EQ(design->SelectControl(), b);
    EXPECT_TRUE(Hooked(b));
    EXPECT_EQ(a->OnMouseDown, fw::TMouseEvent(&rec, &TRecorder::OwnMouseDown));
    button->SetFocus();
    EXPECT_FALSE(design->Active());
    EXPECT_EQ(design->SelectControl(), b);  // the selection stays
    EXPECT_FALSE(Hooked(b));
    EXPECT_FALSE(b->OnMouseDown);
    for (int i = 0; i < TRttiDesign::kMarkerCount; ++i)
        EXPECT_FALSE(design->Marker(i)->Visible()) << i;
}

TEST_F(RttiDesignTest, MarkersAreNamedSizedAndColouredAndSurroundTheDraggedControl)
{
    for (int i = 0; i < TRttiDesign::kMarkerCount; ++i) {
        fw::TPanel* m = design->Marker(i);
        EXPECT_EQ(m->Name(), "Node" + std::to_string(i));
        EXPECT_EQ(m->Width(), 8);
        EXPECT_EQ(m->Color(), fw::clYellow);
        EXPECT_EQ(m->BevelOuter(), fw::bvRaised);
        EXPECT_EQ(m->Parent(), form.get());
    }
    design->SetMarkersColor(fw::clRed);
    design->SetMarkers3D(false);
    EXPECT_EQ(design->Marker(5)->Color(), fw::clRed);
    EXPECT_EQ(design->Marker(5)->BevelOuter(), fw::bvNone);

    CursorAt(20, 10);
    Send(a, WM_LBUTTONDOWN);
    ASSERT_TRUE(design->Dragging());
    // Each marker starts 2 pixels before the corner or midpoint it marks;
    // the container sits at (10, 20) on the form.
    const int expected[8][2] = {{24, 26}, {56, 26}, {88, 26}, {88, 34},
                                {88, 42}, {56, 42}, {24, 42}, {24, 34}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(design->Marker(i)->Left(), expected[i][0]) << i;
        EXPECT_EQ(design->Marker(i)->Top(), expected[i][1]) << i;
        EXPECT_TRUE(design->Marker(i)->Visible()) << i;
    }
    Send(a, WM_LBUTTONUP);
    EXPECT_FALSE(design->Dragging());
}

TEST_F(RttiDesignTest, ADragMovesByTheCursorAndTheReleaseKeepsTheWholeAreaOnTheContainer)
{
    struct Case {
        int dx, dy, left, top;
    } cases[] = {
        {24, 8, 40, 16},      // inside: moved by the cursor
        {-40, -20, 0, 0},     // past the top-left corner: back to 0
        {200, 100, 128, 48},  // past the right and bottom: 192 - 64, 64 - 16
    };
    for (const Case& c : cases) {
        a->SetBounds(16, 8, 64, 16);
        Drag(a, 20, 10, c.dx, c.dy);
        EXPECT_EQ(a->Left(), c.left) << c.dx;
        EXPECT_EQ(a->Top(), c.top) << c.dx;
        EXPECT_FALSE(design->Dragging());
    }
    EXPECT_TRUE(design->PosChanged);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(rec.OwnMouseDowns, 0);  // hooked: the control's own handler waits
}

TEST_F(RttiDesignTest, VetoesEndTheirStepSilently)
{
    design->OnBeforeSelect = TBeforeSelectEvent(&rec, &TRecorder::BeforeSelect);
    design->OnCanMove = TCanMoveEvent(&rec, &TRecorder::CanMove);
    rec.AllowSelect = false;
    Drag(a, 20, 10, 16, 0);
    EXPECT_EQ(a->Left(), 16);
    EXPECT_FALSE(design->PosChanged);

    rec.AllowSelect = true;
    rec.AllowMove = false;
    Drag(a, 20, 10, 16, 0);
    EXPECT_EQ(a->Left(), 16);
    EXPECT_TRUE(design->PosChanged);  // a vetoed step still counts
}

TEST_F(RttiDesignTest, MarkersResizeTheirEdgesWithoutMinimumOrVeto)
{
    a->SetFocus();
    auto dragMarker = [&](int index, int x, int y) {
        fw::TPanel* m = design->Marker(index);
        const POINT at = canvas->ScreenToClient(m->ClientToScreen({4, 4}));
        CursorAt(at.x, at.y);
        Send(m, WM_LBUTTONDOWN);
        CursorAt(x, y);
        Send(m, WM_MOUSEMOVE);
        Send(m, WM_LBUTTONUP);
    };
    CursorAt(20, 10);
    Send(a, WM_LBUTTONDOWN);
    Send(a, WM_LBUTTONUP);

    dragMarker(0, 8, 0);  // left and top edges
    EXPECT_EQ(a->BoundsRect().left, 8);
    EXPECT_EQ(a->BoundsRect().top, 0);
    EXPECT_EQ(a->Width(), 72);
    EXPECT_EQ(a->Height(), 24);

    dragMarker(4, 2, -4);  // bottom-right corner beyond the top-left one
    EXPECT_EQ(a->Width(), 0);
    EXPECT_EQ(a->Height(), 0);

    a->SetBounds(16, 8, 64, 16);
    design->OnCanResize = TCanResizeControlEvent(&rec, &TRecorder::CanResize);
    rec.AllowResize = false;
    CursorAt(20, 10);
    Send(a, WM_LBUTTONDOWN);
    Send(a, WM_LBUTTONUP);
    dragMarker(3, 120, 12);
    EXPECT_EQ(a->Width(), 64);
    EXPECT_FALSE(design->Dragging());
}

TEST_F(RttiDesignTest, AResizePastTheTopOrLeftEdgeStopsAtIt)
{
    a->SetFocus();
    struct Case {
        int marker, x, y;
        RECT bounds;
    } cases[] = {
        {0, -6, -5, {0, 0, 80, 24}},  // from 16, 8, 80, 24
        {1, 30, -5, {16, 0, 80, 24}}, {2, 100, -5, {16, 0, 100, 24}},
        {6, -6, 30, {0, 8, 80, 30}},  {7, -6, 10, {0, 8, 80, 24}},
    };
    for (const Case& c : cases) {
        a->SetBounds(16, 8, 64, 16);
        CursorAt(20, 10);
        Send(a, WM_LBUTTONDOWN);
        Send(a, WM_LBUTTONUP);
        fw::TPanel* m = design->Marker(c.marker);
        const POINT at = canvas->ScreenToClient(m->ClientToScreen({4, 4}));
        CursorAt(at.x, at.y);
        Send(m, WM_LBUTTONDOWN);
        CursorAt(c.x, c.y);
        Send(m, WM_MOUSEMOVE);
        Send(m, WM_LBUTTONUP);
        const RECT r = a->BoundsRect();
        EXPECT_EQ(r.left, c.bounds.left) << c.marker;
        EXPECT_EQ(r.top, c.bounds.top) << c.marker;
        EXPECT_EQ(r.right, c.bounds.right) << c.marker;
        EXPECT_EQ(r.bottom, c.bounds.bottom) << c.marker;
    }
}

TEST_F(RttiDesignTest, AResizeStepRunsNoOtherMessages)
{
    a->SetFocus();
    CursorAt(20, 10);
    Send(a, WM_LBUTTONDOWN);
    Send(a, WM_LBUTTONUP);
    fw::TPanel* m = design->Marker(3);
    Send(m, WM_LBUTTONDOWN);
    CursorAt(100, 10);
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 7, 0, 0);
    Send(m, WM_MOUSEMOVE);
    EXPECT_EQ(a->Width(), 84);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_APP + 7, WM_APP + 7, PM_REMOVE));
    Send(m, WM_LBUTTONUP);
}

TEST_F(RttiDesignTest, ADragEndsWhenTheCaptureIsLostOrOnEndDrag)
{
    CursorAt(20, 10);
    Send(a, WM_LBUTTONDOWN);
    ASSERT_TRUE(design->Dragging());
    ReleaseCapture();
    CursorAt(60, 10);
    Send(a, WM_MOUSEMOVE);
    EXPECT_FALSE(design->Dragging());
    EXPECT_EQ(a->Left(), 16);

    CursorAt(20, 10);
    Send(a, WM_LBUTTONDOWN);
    ASSERT_TRUE(design->Dragging());
    design->EndDrag();
    EXPECT_FALSE(design->Dragging());
    EXPECT_EQ(GetCapture(), nullptr);
    CursorAt(60, 10);
    Send(a, WM_MOUSEMOVE);
    EXPECT_EQ(a->Left(), 16);
    EXPECT_EQ(design->SelectControl(), a);
}

TEST_F(RttiDesignTest, AFreedSelectedControlIsForgotten)
{
    a->SetFocus();
    CursorAt(20, 10);
    Send(a, WM_LBUTTONDOWN);
    a->Free();
    EXPECT_EQ(design->SelectControl(), nullptr);
    EXPECT_EQ(design->FramedControl(), nullptr);
    EXPECT_FALSE(design->Dragging());
    b->SetFocus();
    EXPECT_EQ(design->SelectControl(), b);
    EXPECT_TRUE(Hooked(b));
}

TEST_F(RttiDesignTest, FocusHandlersChainAndComeBackWhateverTheOrderOfDestruction)
{
    const fw::TNotifyEvent before = fw::Screen->OnActiveControlChange;
    fw::Screen->OnActiveControlChange = fw::TNotifyEvent(&rec, &TRecorder::FocusChanged);
    for (bool firstGoesFirst : {true, false}) {
        auto* d1 = new TRttiDesign(form.get());
        auto* d2 = new TRttiDesign(form.get());
        a->SetFocus();
        rec.FocusCalls = 0;
        button->SetFocus();
        a->SetFocus();
        EXPECT_EQ(rec.FocusCalls, 2);
        (firstGoesFirst ? d1 : d2)->Free();
        button->SetFocus();
        EXPECT_EQ(rec.FocusCalls, 3);
        (firstGoesFirst ? d2 : d1)->Free();
        EXPECT_EQ(fw::Screen->OnActiveControlChange,
                  fw::TNotifyEvent(&rec, &TRecorder::FocusChanged));
    }
    fw::Screen->OnActiveControlChange = before;
}

}  // namespace
}  // namespace signboard
