// The track bar skinner: its answers to the control's custom-draw
// notifications, and the channel and thumb it draws from the skin in
// both orientations as the position moves.
#include "skin/controls/skintrack.h"

#include <gtest/gtest.h>

#include "skin/controls/classify.h"
#include "skin/controls/tests/controlfixture.h"

namespace skin {
namespace {

using test::ControlTest;
using test::FrameColour;
using test::PixelAt;

// The system's track bar as a control of another library publishes it.
class TTrackBarProbe : public fw::TWinControl {
    FW_CLASS(TTrackBarProbe, fw::TWinControl)
public:
    using fw::TWinControl::TWinControl;
    DWORD ExtraStyle = 0;

protected:
    void CreateParams(fw::TCreateParams& p) override
    {
        fw::TWinControl::CreateParams(p);
        CreateSubClass(p, TRACKBAR_CLASSW);
        p.Style |= ExtraStyle;
    }
};
FW_IMPLEMENT_CLASS_AS(TTrackBarProbe, "TTrackBar") {}

// Channel images: a 3-pixel margin in FrameColour(6), the middle in
// FrameColour(7), the other margin in FrameColour(8); 2 pixels across.
constexpr fw::TColor kStart = FrameColour(6), kMiddle = FrameColour(7), kEnd = FrameColour(8);
fw::TColor Piece(int i, int n) { return i < 3 ? kStart : i >= n - 3 ? kEnd : kMiddle; }

std::string TrackSkin()
{
    return test::TestSkin(
        "[Track]\r\nImage=track.bmp\r\nLeftWidth=3\r\nRightWidth=3\r\n"
        "[TRACKVERT]\r\nImage=trackv.bmp\r\nTopHeight=3\r\nBottomHeight=3\r\n"
        "[Trackbar.ThumbHorz]\r\nImage=thumbh.bmp\r\n"
        "[Trackbar.ThumbVert]\r\nImage=thumbv.bmp\r\n",
        {{"track.bmp", test::BmpFile(20, 2, [](int x, int) { return Piece(x, 20); })},
         {"trackv.bmp", test::BmpFile(2, 20, [](int, int y) { return Piece(y, 20); })},
         {"thumbh.bmp", test::StripBmp(5, 11, 21)},
         {"thumbv.bmp",
          test::BmpFile(105, 11, [](int x, int) { return FrameColour(x / 21 + 11); })}});
}

class SkinTrackTest : public ControlTest {
protected:
    TSkinTrackBar* Track(DWORD style, int w, int h)
    {
        auto* bar = Put<TTrackBarProbe>(10, 10, w, h);
        bar->ExtraStyle = style;
        bar->RecreateWnd();
        auto* s = new TSkinTrackBar(bar);
        s->InitControl(&list, data.get(), false, nullptr);
        SendMessageW(s->Handle, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
        return s;
    }
    // The track bar's own painting (with the skinner's custom draw).
    std::unique_ptr<fw::TBitmap> Paint(TSkinTrackBar* s)
    {
        RECT r;
        GetClientRect(s->Handle, &r);
        auto b = test::Solid(r.right, r.bottom, 0x000000);
        SendMessageW(s->Handle, WM_PAINT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), 0);
        return b;
    }
    static RECT Rect(TSkinTrackBar* s, UINT message)
    {
        RECT r{};
        SendMessageW(s->Handle, message, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
};

TEST_F(SkinTrackTest, CustomDrawAnswers)
{
    LoadSkin(TrackSkin());
    TSkinTrackBar* s = Track(0, 160, 32);
    const RECT thumb = Rect(s, TBM_GETTHUMBRECT);
    struct Case {
        UINT message;
        DWORD stage;
        DWORD_PTR item;
        LRESULT answer;
    } cases[] = {
        {fw::CN_NOTIFY, CDDS_PREPAINT, 0, CDRF_NOTIFYITEMDRAW},
        {fw::CN_NOTIFY, CDDS_ITEMPREPAINT, TBCD_TICS, CDRF_DODEFAULT},
        {fw::CN_NOTIFY, CDDS_ITEMPREPAINT, TBCD_CHANNEL, CDRF_SKIPDEFAULT},
        {fw::CN_NOTIFY, CDDS_ITEMPREPAINT, TBCD_THUMB, CDRF_SKIPDEFAULT},
        {WM_NOTIFY, CDDS_PREPAINT, 0, CDRF_NOTIFYITEMDRAW},
        {WM_NOTIFY, CDDS_ITEMPREPAINT, TBCD_THUMB, CDRF_SKIPDEFAULT},
        {fw::CN_NOTIFY, CDDS_POSTPAINT, 0, CDRF_DODEFAULT},
    };
    for (const Case& c : cases) {
        auto image = test::Solid(160, 32, 0x000000);
        NMCUSTOMDRAW draw{};
        draw.hdr = {s->Handle, 0, static_cast<UINT>(NM_CUSTOMDRAW)};
        draw.dwDrawStage = c.stage;
        draw.dwItemSpec = c.item;
        draw.hdc = image->Canvas()->Handle();
        EXPECT_EQ(SendMessageW(s->Handle, c.message, 0, reinterpret_cast<LPARAM>(&draw)), c.answer)
            << c.message << " " << c.stage << " " << c.item;
        // Only the thumb item draws the thumb, in frame 2 of its strip.
        const bool thumbDrawn = c.stage == CDDS_ITEMPREPAINT && c.item == TBCD_THUMB;
        EXPECT_EQ(PixelAt(image.get(), (thumb.left + thumb.right) / 2, thumb.top + 2),
                  thumbDrawn ? FrameColour(2) : 0x000000);
    }
    // The custom draw of another window (the bar's tooltip) is not the
    // bar's: it reaches the control, which does not answer it.
    NMCUSTOMDRAW other{};
    other.hdr = {form->Handle(), 0, static_cast<UINT>(NM_CUSTOMDRAW)};
    other.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(SendMessageW(s->Handle, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&other)), 0);
}

TEST_F(SkinTrackTest, ChannelAndThumbFromTheSkinInBothOrientations)
{
    LoadSkin(TrackSkin());
    for (const bool vertical : {false, true}) {
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        TSkinTrackBar* s = vertical ? Track(TBS_VERT, 32, 160) : Track(0, 160, 32);
        SendMessageW(s->Handle, TBM_SETPOS, TRUE, 50);
        auto image = Paint(s);
        const RECT c = Rect(s, TBM_GETCHANNELRECT);
        const RECT thumb = Rect(s, TBM_GETTHUMBRECT);
        const POINT centre{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
        const fw::TColor thumbColour = vertical ? FrameColour(12) : FrameColour(2);
        EXPECT_EQ(PixelAt(image.get(), centre.x, centre.y), thumbColour);
        // Margins kept at both ends and the middle stretched between them.
        auto along = [&](int i, int across) {
            return vertical ? PixelAt(image.get(), across, i) : PixelAt(image.get(), i, across);
        };
        const int first = vertical ? c.top : c.left, last = vertical ? c.bottom - 1 : c.right - 1;
        // The 2-pixel image: centred across a vertical channel, half the
        // channel's thickness down a horizontal one.
        const int across = vertical ? c.left + 1 : c.top + 2;
        EXPECT_EQ(along(first + 1, across), kStart);
        EXPECT_EQ(along(first + 4, across), kMiddle);
        EXPECT_EQ(along(last - 1, across), kEnd);
        EXPECT_EQ(along(last - 4, across), kMiddle);
        EXPECT_NE(along(first + 4, vertical ? c.left : c.top + 1), kMiddle);
        EXPECT_EQ(along(first + 4, vertical ? c.left + 2 : c.top + 3), kMiddle);

        // The thumb follows the position.
        SendMessageW(s->Handle, TBM_SETPOS, TRUE, 100);
        image = Paint(s);
        const RECT moved = Rect(s, TBM_GETTHUMBRECT);
        EXPECT_NE(PixelAt(image.get(), centre.x, centre.y), thumbColour);
        EXPECT_EQ(
            PixelAt(image.get(), (moved.left + moved.right) / 2, (moved.top + moved.bottom) / 2),
            thumbColour);
    }
}

TEST_F(SkinTrackTest, RectangleThumbWithoutThumbStrips)
{
    LoadSkin(test::TestSkin("[Track]\r\nImage=track.bmp\r\n",
                            {{"track.bmp", test::StripBmp(1, 20, 2)}}));
    auto* bar = Put<TTrackBarProbe>(10, 10, 160, 32);
    TControlClassifier(list, data.get(), nullptr).SkinControl(bar, form.get());
    auto* s = dynamic_cast<TSkinTrackBar*>(list.FindByControl(bar));
    ASSERT_NE(s, nullptr);
    auto image = Paint(s);
    const RECT thumb = Rect(s, TBM_GETTHUMBRECT);
    EXPECT_EQ(PixelAt(image.get(), thumb.left, thumb.top + 5), 0x404040);  // ButtonShadow
    EXPECT_EQ(PixelAt(image.get(), thumb.right - 1, thumb.top + 5), 0x404040);
    EXPECT_EQ(PixelAt(image.get(), thumb.left + 3, thumb.top + 5), fw::clWhite);
}

}  // namespace
}  // namespace skin
