// Skin objects filled from small packed skins: which section and key fill
// which object, the case and first-match rules, the defaults, images that
// are missing or damaged, caption buttons, and frame counts that never
// come out below 1.
#include <gtest/gtest.h>

#include <memory>

#include "skin/tests/pixels.h"
#include "skin/tests/skinfixture.h"

namespace skin {
namespace {

using test::Apply;
using test::BmpFile;
using test::PackedSkin;
using test::PixelAt;
using test::SolidBmp;

using test::Load;

TEST(SkinObjects, EmptySkinGivesTheConstructorObjectsWithDefaults)
{
    // No ini member at all: every section is missing.
    auto content = std::make_unique<TSkinContent>();
    Apply(*content, skinpack::PackSkin(40000, {{"a.bmp", SolidBmp(2, 2, 0)}}));
    const TSkinContent& s = *content;
    for (const TDataSkinBorder* b : {s.Left.get(), s.Right.get(), s.Top.get(), s.Bottom.get()}) {
        EXPECT_EQ(b->Frame, 1) << b->Name;
        EXPECT_EQ(b->Tile, 1) << b->Name;
        EXPECT_EQ(b->Trans, 1) << b->Name;
        EXPECT_TRUE(b->Image->Empty()) << b->Name;
    }
    EXPECT_EQ(s.Buttons->Frame, 5);
    EXPECT_EQ(s.Buttons->NormalColour, -1);
    EXPECT_EQ(s.Title->Frame, 2);
    EXPECT_EQ(s.Title->FontHeight, 14);
    EXPECT_EQ(s.Title->ActiveColour, fw::clNone);
    EXPECT_EQ(s.Title->InactiveColour, fw::clNone);
    for (const auto* o :
         {s.MenuItem.get(), s.Scrollbar.get(), s.MenuBar.get(), s.SunkEdge.get(), s.ToolBars.get()})
        EXPECT_EQ(o, nullptr);
    EXPECT_EQ(s.Progress, nullptr);
    EXPECT_EQ(s.GroupBox, nullptr);
    EXPECT_EQ(s.ComboButton, nullptr);
    // Only the three MDI child buttons.
    ASSERT_EQ(s.SysButtons.size(), 3u);
    EXPECT_EQ(s.SysButtons[0]->Action, 7);
    EXPECT_EQ(s.SysButtons[2]->Action, 9);
    // The track pictures come from the program's resources.
    for (const TDataSkinObject* t : {s.Track.get(), s.TrackVert.get()}) {
        ASSERT_NE(t, nullptr);
        EXPECT_FALSE(t->Image->Empty()) << t->Name;
        EXPECT_EQ(t->LeftWidth, 3);
        EXPECT_EQ(t->BottomHeight, 3);
        EXPECT_EQ(t->Frame, 1);
        EXPECT_EQ(t->Tile, 0);
    }
    EXPECT_EQ(s.Track->Name, "TRACK");
}

TEST(SkinObjects, GenericObjectKeysAreCaseInsensitiveAndTheFirstOneWins)
{
    auto s = Load(
        "[menuitem]\r\n"
        "IMAGE = items.bmp\r\n"
        "leftwidth=3\r\nLeftWidth=9\r\n"  // the first key wins
        "TopHeight=\r\n"                  // empty: the default
        "RightWidth=x\r\n"                // not a number: the default
        "BottomHeight=0x10\r\n"
        "Tile=2\r\n"  // above 1 reads as 0
        "Trans=1\r\nStyle=7\r\n"
        "NormalColour=255\r\n"
        "MouseOverColour2=1 2 3\r\n"
        "[MenuItem]\r\nLeftWidth=77\r\n"  // a second section of the name is never read
        "[Colours]\r\nButtonText=10,20,30\r\n",
        {{"Items.BMP", SolidBmp(50, 10, 0x123456)}});
    ASSERT_NE(s->MenuItem, nullptr);
    const TDataSkinObject& o = *s->MenuItem;
    EXPECT_EQ(o.Name, "MenuItem");
    EXPECT_EQ(o.Image->Width(), 50);
    EXPECT_EQ(o.LeftWidth, 3);
    EXPECT_EQ(o.TopHeight, 0);
    EXPECT_EQ(o.RightWidth, 0);
    EXPECT_EQ(o.BottomHeight, 16);
    EXPECT_EQ(o.Tile, 0);
    EXPECT_EQ(o.Trans, 1);
    EXPECT_EQ(o.Style, 7);
    EXPECT_EQ(o.Frame, 5);  // fixed for MenuItem
    EXPECT_EQ(o.NormalColour, 255);
    EXPECT_EQ(o.PressedColour, -1);
    EXPECT_EQ(o.MouseOverColour2, 0x030201);
    EXPECT_EQ(o.NormalColour2, 0x1E140A);  // the ButtonText slot
}

TEST(SkinObjects, ImageValues)
{
    const std::string bmp = SolidBmp(4, 3, 0x00FF00);
    struct Case {
        const char* value;
        bool exists, empty;
    } cases[] = {
        {"items.bmp", true, false},
        {"C:\\skins\\Sub\\ITEMS.bmp", true, false},  // the file name alone, in any case
        {"d:items.bmp", true, false},
        {"items.BMP", true, true},   // the extension is compared as written
        {"other.bmp", true, true},   // no such member
        {"broken.bmp", true, true},  // no valid BMP
        {"empty.bmp", true, true},   // a member of no bytes
        {"skins\\", true, true},     // no file name
        {"", false, true},           // no image: no object
    };
    for (const Case& c : cases) {
        auto s = Load(std::string("[Scrollbar]\r\nImage=") + c.value + "\r\n",
                      {{"items.bmp", bmp}, {"broken.bmp", "BM but no bitmap"}, {"empty.bmp", ""}});
        ASSERT_EQ(s->Scrollbar != nullptr, c.exists) << c.value;
        if (c.exists) {
            EXPECT_EQ(s->Scrollbar->Image->Empty(), c.empty) << c.value;
        }
    }
}

TEST(SkinObjects, GbkTrailByteIsNoFolderSeparator)
{
    // 5Ch is the trail byte of the first character: the whole is the name.
    const std::string name =
        "\x81\x5C"
        "a.bmp";
    EXPECT_EQ(SkinImageMember(name), name);
    EXPECT_EQ(SkinImageMember("x\\" + name), name);
}

TEST(SkinObjects, TabPaneMarginsAreAtMostFour)
{
    auto s = Load(
        "[Tab.Pane]\r\nImage=p.bmp\r\nLeftWidth=9\r\nTopHeight=4\r\nRightWidth=5\r\nBottomHeight=-2\r\n",
        {{"p.bmp", SolidBmp(8, 8, 0)}});
    ASSERT_NE(s->TabPane, nullptr);
    EXPECT_EQ(s->TabPane->LeftWidth, 4);
    EXPECT_EQ(s->TabPane->TopHeight, 4);
    EXPECT_EQ(s->TabPane->RightWidth, 4);
    EXPECT_EQ(s->TabPane->BottomHeight, -2);
    EXPECT_EQ(s->TabPane->Frame, 1);
}

TEST(SkinObjects, FramePartsGiveTheFixedEndsAlongTheirLength)
{
    auto s = Load(
        "[Personality]\r\nLeft=l.bmp\r\nLeftTopHeight=30\r\nLeftBotHeight=4\r\nLeftStretch=5\r\nLeftTrans=0\r\n"
        "Top=t.bmp\r\nTopTopHeight=6\r\nTopBotHeight=7\r\nTopFrame=2\r\nTopStretch=0\r\n",
        {{"l.bmp", SolidBmp(8, 40, 0)}, {"t.bmp", SolidBmp(48, 60, 0)}});
    EXPECT_EQ(s->Left->TopHeight, 30);
    EXPECT_EQ(s->Left->BottomHeight, 4);
    EXPECT_EQ(s->Left->LeftWidth, 0);
    EXPECT_EQ(s->Left->Tile, 1);  // above 1 reads as 1
    EXPECT_EQ(s->Left->Trans, 0);
    EXPECT_EQ(s->Left->Image->Height(), 40);
    EXPECT_EQ(s->Top->LeftWidth, 6);
    EXPECT_EQ(s->Top->RightWidth, 7);
    EXPECT_EQ(s->Top->TopHeight, 0);
    EXPECT_EQ(s->Top->Frame, 2);
    EXPECT_EQ(s->Top->Tile, 0);
    EXPECT_TRUE(s->Right->Image->Empty());
}

TEST(SkinObjects, ButtonsTitleProgressAndMenuBar)
{
    auto s = Load(
        "[Buttons]\r\nBitmap=b.bmp\r\nCheckButton=c.bmp\r\nRadioButton=r.bmp\r\nRadioButtonFrame=6\r\n"
        "LeftWidth=4\r\nTile=3\r\nNormalColour2=1,2,3\r\nPressedColour2=\r\n"
        "[Personality]\r\nTextBack=tb.bmp\r\nTextShift=20\r\nTextShiftVert=2\r\nTextRightClip=90\r\n"
        "ActiveTextR=1\r\nActiveTextG=2\r\nActiveTextB=300\r\nInActiveTextR=10\r\n"
        "menuBar=mb.bmp\r\nTileMenu=4\r\nTileLeftMenu=2\r\n"
        "[Fonts]\r\nFontHeight=16\r\n"
        "[Progress]\r\nBitmap=pg.bmp\r\nTile=5\r\nStyle=1\r\nFrame=9\r\n"
        "[Colours]\r\nButtonText=9,9,9\r\n",
        {{"b.bmp", SolidBmp(110, 22, 0)},
         {"c.bmp", SolidBmp(130, 20, 0)},  // 16 high or more: width / 16
         {"r.bmp", SolidBmp(52, 13, 0)},
         {"tb.bmp", SolidBmp(8, 60, 0)},
         {"mb.bmp", SolidBmp(24, 32, 0)},
         {"pg.bmp", SolidBmp(16, 16, 0)}});
    const TDataSkinButton& b = *s->Buttons;
    EXPECT_EQ(b.Image->Width(), 110);
    EXPECT_EQ(b.LeftWidth, 4);
    EXPECT_EQ(b.Tile, 0);
    EXPECT_EQ(b.Frame, 5);
    EXPECT_EQ(b.RadioFrame, 6);  // given
    EXPECT_EQ(b.CheckFrame, 8);  // 130 / 16
    EXPECT_TRUE(b.NormalColour2Given);
    EXPECT_FALSE(b.MouseOverColour2Given);
    EXPECT_FALSE(b.PressedColour2Given);  // empty counts as not given
    EXPECT_EQ(b.NormalColour2, 0x030201);
    EXPECT_EQ(b.PressedColour2, 0x090909);

    const TDataSkinTitle& t = *s->Title;
    EXPECT_EQ(t.Image->Height(), 60);
    EXPECT_EQ(t.LeftWidth, 20);
    EXPECT_EQ(t.TopHeight, 2);
    EXPECT_EQ(t.RightWidth, 90);
    EXPECT_EQ(t.FontHeight, 16);
    EXPECT_EQ(t.ActiveColour, 0x2C0201);      // low 8 bits of each
    EXPECT_EQ(t.InactiveColour, fw::clNone);  // green and blue missing

    ASSERT_NE(s->MenuBar, nullptr);
    EXPECT_EQ(s->MenuBar->Name, "Personality");
    EXPECT_EQ(s->MenuBar->Tile, 1);
    EXPECT_EQ(s->MenuBar->LeftWidth, 2);
    EXPECT_EQ(s->MenuBar->RightWidth, 1);
    EXPECT_EQ(s->MenuBar->Frame, 2);

    ASSERT_NE(s->Progress, nullptr);
    EXPECT_EQ(s->Progress->Tile, 1);          // above 1 reads as 1 here
    EXPECT_EQ(s->Progress->Frame, 1);         // style 1
    EXPECT_EQ(s->Progress->NormalColour, 0);  // no colours are read
}

TEST(SkinObjects, CheckAndRadioStripCounts)
{
    struct Case {
        int w, h, given, frames;
    } cases[] = {
        {52, 13, 0, 4},    // 52 / 13
        {130, 13, 0, 10},  // under 16 high: width / 13
        {130, 16, 0, 8},   // width / 16
        {20, 13, 0, 4},    // at least 4
        {0, 0, 0, 4},      // no image
        {52, 13, -3, 4},   // a negative count is no count
        {52, 13, 7, 7},
    };
    for (const Case& c : cases) {
        std::string ini =
            "[Buttons]\r\nRadioButton=r.bmp\r\nRadioButtonFrame=" + std::to_string(c.given) +
            "\r\n";
        auto s = Load(ini, {{"r.bmp", c.w > 0 ? SolidBmp(c.w, c.h, 0) : std::string()}});
        EXPECT_EQ(s->Buttons->RadioFrame, c.frames) << c.w << "x" << c.h << " " << c.given;
    }
}

TEST(SkinObjects, CaptionButtons)
{
    auto s = Load(
        "[ButtonClose]\r\nAction=0\r\nAlign=1\r\nXcoord=36\r\nYcoord=5\r\nButtonImage=wide.bmp\r\n"
        "[buttons]\r\nBitmap=x.bmp\r\n"  // never a caption button
        "[Button.Radio]\r\n[BUTTON.CHECKBOX]\r\n[Button]\r\n"
        "[ButtonHidden]\r\nAction=-1\r\n"  // dropped: no Visibility
        "[ButtonUser]\r\nAction=-1\r\nVisibility=0\r\nButtonImage=narrow.bmp\r\n"
        "[ButtonMax]\r\nAction=1\r\nVisibility=2\r\nXcoord=68\r\nYcoord=6\r\nframe=4\r\nButtonImage=narrow.bmp\r\n"
        "[ButtonHelp]\r\nAction=4\r\nXcoord=1\r\nYcoord=1\r\n"  // takes the maximise button's place
        "[ButtonSys]\r\nAction=3\r\nButtonImage=narrow.bmp\r\n"  // no frame key: image dropped
        "[ButtonSys2]\r\nAction=11\r\nframe=1\r\nButtonImage=narrow.bmp\r\n"
        "[ButtonOdd]\r\nAction=2\r\nframe=-5\r\nButtonImage=narrow.bmp\r\n"
        "[Button\xB0\x61]\r\nAction=5\r\n",  // a GBK character whose trail byte is 'a'

        {{"wide.bmp", SolidBmp(130, 20, 0)}, {"narrow.bmp", SolidBmp(60, 20, 0)}});
    const auto& b = s->SysButtons;
    ASSERT_EQ(b.size(), 8u + 3u);
    struct Expect {
        const char* name;
        int action, frame, x, y, visibility1;
        bool image;
    } expected[] = {
        {"BUTTONCLOSE", 0, 6, 36, 5, 0, true},  // 130 x 20: ratio above 3.8
        {"BUTTONUSER", -1, 6, 0, 0, -1, true},  // a negative action always 6
        {"BUTTONMAX", 1, 4, 68, 6, 0, true},      {"BUTTONHELP", 4, 6, 68, 6, 0, false},
        {"BUTTONSYS", 3, 3, 0, 0, 0, false},  // 60 x 20 gives 3, then the image goes
        {"BUTTONSYS2", 11, 1, 0, 0, 0, true},     {"BUTTONODD", 2, 3, 0, 0, 0, true},
        {"BUTTON\xB0\x61", 5, 6, 0, 0, 0, false},
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        const Expect& e = expected[i];
        EXPECT_EQ(b[i]->Name, e.name);
        EXPECT_EQ(b[i]->Action, e.action) << e.name;
        EXPECT_EQ(b[i]->Frame, e.frame) << e.name;
        EXPECT_EQ(b[i]->Xcoord, e.x) << e.name;
        EXPECT_EQ(b[i]->Ycoord, e.y) << e.name;
        EXPECT_EQ(b[i]->Visibility1, e.visibility1) << e.name;
        EXPECT_EQ(b[i]->CombineOp, -1) << e.name;
        EXPECT_EQ(!b[i]->Image->Empty(), e.image) << e.name;
    }
    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& m = *b[8 + size_t(i)];
        EXPECT_EQ(m.Action, 7 + i);
        EXPECT_EQ(m.Align, 100);
        EXPECT_EQ(m.Visibility, 100);
        EXPECT_EQ(m.Frame, 4);
        EXPECT_TRUE(m.Image->Empty());  // no [MDICONTROLS]
    }
}

TEST(SkinObjects, MdiButtonsTakeFourFramesEachOfTheStrip)
{
    // 12 frames of 5 x 3; frame f is coloured f.
    auto s = Load("[MDICONTROLS]\r\nImage=mdi.bmp\r\n",
                  {{"mdi.bmp", BmpFile(60, 3, [](int x, int) { return x / 5; })}});
    ASSERT_EQ(s->SysButtons.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        TDataSkinSysButton& m = *s->SysButtons[size_t(i)];
        ASSERT_EQ(m.Image->Width(), 20);
        EXPECT_EQ(m.Image->Height(), 3);
        EXPECT_EQ(m.Xcoord, 9 * (3 - i));
        for (int f = 0; f < 4; ++f) EXPECT_EQ(PixelAt(m.Image.get(), 5 * f + 2, 1), 4 * i + f);
    }
}

TEST(SkinObjects, FrameCountsAreFixedOrAtLeastOne)
{
    const std::string img = SolidBmp(40, 20, 0);
    auto s = Load(
        "[Personality]\r\nLeftFrame=0\r\nRightFrame=-2\r\nTopFrame=3\r\n"
        "[Progress.Chunk]\r\nImage=i.bmp\r\n"  // no Frame key
        "[Track]\r\nImage=i.bmp\r\nFrame=-1\r\n"
        "[Headerbar]\r\nImage=i.bmp\r\nFrame=0\r\n"
        "[HorzScrollThumb]\r\nImage=i.bmp\r\nFrameCount=0\r\n"
        "[VertScrollThumb]\r\nImage=i.bmp\r\n"
        "[Scrollbar]\r\nImage=i.bmp\r\nFrame=0\r\n"
        "[SunkEdge]\r\nImage=i.bmp\r\nFrame=-7\r\n"
        "[StatusBarEdges]\r\nImage=i.bmp\r\n[GroupBoxEdge]\r\nImage=i.bmp\r\n[GroupBox]\r\nImage=i.bmp\r\n"
        "[ToolBars]\r\nImage=i.bmp\r\n[Tabs]\r\nImage=i.bmp\r\n[ExtraImages]\r\nImage=i.bmp\r\n"
        "[MenuBackground]\r\nImage=i.bmp\r\nFrame=9\r\n[HorzScroll]\r\nImage=i.bmp\r\n[VertScroll]\r\nImage=i.bmp\r\n"
        "[UpDown.Horz]\r\nImage=i.bmp\r\n[UpDown.Vert]\r\nImage=i.bmp\r\n"
        "[Trackbar.ThumbHorz]\r\nImage=i.bmp\r\n[Trackbar.ThumbDown]\r\nImage=i.bmp\r\n",
        {{"i.bmp", img}});
    const std::pair<const TDataSkinObject*, int> expected[] = {
        {s->Left.get(), 1},
        {s->Right.get(), 1},
        {s->Top.get(), 3},
        {s->ProgressChunk.get(), 1},
        {s->Track.get(), 1},
        {s->Headerbar.get(), 5},
        {s->HorzScrollThumb.get(), 1},
        {s->VertScrollThumb.get(), 3},
        {s->Scrollbar.get(), 23},
        {s->SunkEdge.get(), 4},
        {s->StatusBarEdges.get(), 3},
        {s->GroupBoxEdge.get(), 2},
        {s->GroupBox.get(), 1},
        {s->ToolBars.get(), 5},
        {s->Tabs.get(), 5},
        {s->ExtraImages.get(), 5},
        {s->MenuBackground.get(), 1},
        {s->HorzScroll.get(), 4},
        {s->VertScroll.get(), 4},
        {s->UpDownHorz.get(), 8},
        {s->UpDownVert.get(), 8},
        {s->ThumbHorz.get(), 5},
        {s->ThumbDown.get(), 5},
        {s->Toolbar.get(), 1},
    };
    for (const auto& [o, frames] : expected) {
        ASSERT_NE(o, nullptr) << frames;
        EXPECT_EQ(o->Frame, frames) << o->Name;
    }
    EXPECT_EQ(s->ThumbUp, nullptr);
}

TEST(SkinObjects, ReloadRefillsTheConstructorObjectsAndDropsTheOthers)
{
    TSkinContent content;
    TDataSkinButton* buttons = content.Buttons.get();
    Apply(content,
          PackedSkin("[Buttons]\r\nBitmap=b.bmp\r\n[MenuItem]\r\nImage=b.bmp\r\n[ButtonA]\r\n",
                     {{"b.bmp", SolidBmp(10, 2, 0)}}));
    ASSERT_NE(content.MenuItem, nullptr);
    EXPECT_EQ(content.SysButtons.size(), 4u);
    Apply(content, PackedSkin("[Buttons]\r\nLeftWidth=2\r\n"));
    EXPECT_EQ(content.Buttons.get(), buttons);
    EXPECT_TRUE(buttons->Image->Empty());
    EXPECT_EQ(buttons->LeftWidth, 2);
    EXPECT_EQ(content.MenuItem, nullptr);
    EXPECT_EQ(content.SysButtons.size(), 3u);
}

}  // namespace
}  // namespace skin
