// Glyph images for check boxes and radio buttons of other libraries: the
// cells each image kind cuts from the skin's strips, the properties they
// are written to and taken back from, and the controls left alone.
#include "skin/controls/skinobjimage.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/extctrls.h"
#include "skin/controls/classify.h"
#include "skin/controls/tests/controlfixture.h"

namespace skin {
namespace {

using test::ControlTest;
using test::FrameColour;
using test::PixelAt;

constexpr int kCell = 13;  // the test skin's check and radio frames are 13 x 13

// A box that takes a replacement glyph strip, as some libraries publish it.
class TCustomGlyphBox : public fw::TCustomControl {
    FW_CLASS(TCustomGlyphBox, fw::TCustomControl)
public:
    using fw::TCustomControl::TCustomControl;
    fw::TBitmap* CustomGlyphs = &glyphs;
    int TransparentColor = 0;
    bool UseCustomGlyphs() const { return use; }
    void SetUseCustomGlyphs(bool v)
    {
        use = v;
        uses.push_back(v);
    }
    fw::TBitmap glyphs;
    bool use = false;
    std::vector<bool> uses;
};
FW_IMPLEMENT_CLASS_AS(TCustomGlyphBox, "TRzCheckBox")
{
    c.Property("CustomGlyphs", &TCustomGlyphBox::CustomGlyphs);
    c.Property("TransparentColor", &TCustomGlyphBox::TransparentColor);
    c.Property("UseCustomGlyphs", &TCustomGlyphBox::UseCustomGlyphs,
               &TCustomGlyphBox::SetUseCustomGlyphs);
}

// The properties object of a box that keeps its glyph there.
class TGlyphProperties : public fw::TPersistent {
    FW_CLASS(TGlyphProperties, fw::TPersistent)
public:
    fw::TBitmap* Glyph = &glyph;
    fw::TBitmap glyph;
};
FW_IMPLEMENT_CLASS(TGlyphProperties) { c.Property("Glyph", &TGlyphProperties::Glyph); }

class TPropertiesBox : public fw::TCustomControl {
    FW_CLASS(TPropertiesBox, fw::TCustomControl)
public:
    using fw::TCustomControl::TCustomControl;
    TGlyphProperties* Properties = &properties;
    TGlyphProperties properties;
};
FW_IMPLEMENT_CLASS_AS(TPropertiesBox, "TcxCheckBox")
{
    c.Property("Properties", &TPropertiesBox::Properties);
}

class SkinObjImageTest : public ControlTest {
protected:
    TSkinObjImage* Attach(fw::TControl* control, int kind)
    {
        auto* s = new TSkinObjImage(control);
        s->ImageKind = kind;
        s->InitControl(&list, data.get(), true, nullptr);
        return s;
    }
    // Cell by cell, the strip frame it shows (0: left as made, black).
    static std::vector<int> CellFrames(fw::TBitmap* glyphs)
    {
        std::vector<int> frames;
        for (int x = kCell / 2; x < glyphs->Width(); x += kCell) {
            const fw::TColor c = PixelAt(glyphs, x, kCell / 2);
            int frame = 0;
            for (int k = 1; k <= 12; ++k)
                if (c == FrameColour(k)) frame = k;
            frames.push_back(frame);
        }
        return frames;
    }
};

TEST_F(SkinObjImageTest, EachKindCutsItsCellsFromItsStrip)
{
    struct Case {
        int kind, checkFrames;
        std::vector<int> cells;
    } cases[] = {
        {kGlyphCheck9, 5, {1, 2, 5, 1, 2, 5, 3, 4, 5}},
        {kGlyphCheck9, 4, {1, 2, 0, 1, 2, 0, 3, 4, 0}},
        {kGlyphCheck9, 12, {1, 2, 0, 1, 2, 0, 3, 4, 0}},
        {kGlyphRadio6, 5, {1, 2, 1, 2, 3, 4}},
        {kGlyphCheckProperties, 5, {1, 2, 5, 1, 2, 5}},
        {kGlyphCheckProperties, 4, {1, 2, 0, 1, 2, 0}},
    };
    for (const Case& c : cases) {
        LoadSkin(test::TestSkin({}, {}, c.checkFrames));
        fw::TOwnedPtr<TSkinObjImage> s(new TSkinObjImage(nullptr));
        s->SkinData = data.get();
        s->ImageKind = c.kind;
        auto glyphs = s->BuildGlyphs();
        ASSERT_TRUE(glyphs);
        EXPECT_EQ(glyphs->Width(), kCell * static_cast<int>(c.cells.size()));
        EXPECT_EQ(glyphs->Height(), kCell);
        EXPECT_EQ(CellFrames(glyphs.get()), c.cells) << c.kind << " of " << c.checkFrames;
    }
}

TEST_F(SkinObjImageTest, CustomGlyphsWrittenReloadedAndSwitchedOffOnUnskin)
{
    for (int kind : {kGlyphCheck9, kGlyphRadio6}) {
        auto* box = Put<TCustomGlyphBox>(10, 10, 80, 20);
        TSkinObjImage* s = Attach(box, kind);
        EXPECT_TRUE(s->Attached);
        EXPECT_EQ(s->SkinState, TSkinControl::kAttached);
        EXPECT_EQ(list.FindByControl(box), s);
        EXPECT_EQ(box->glyphs.Width(), kCell * (kind == kGlyphCheck9 ? 9 : 6));
        EXPECT_EQ(CellFrames(&box->glyphs)[1], 2);
        EXPECT_EQ(box->TransparentColor, 0xFF00FF);
        // Switched off and on, so that the box reloads its glyphs.
        EXPECT_EQ(box->uses, (std::vector<bool>{false, true}));
        // A second attachment does nothing.
        s->InitControl(&list, data.get(), true, nullptr);
        EXPECT_EQ(box->uses.size(), 2u);
        // A refresh writes them again.
        s->RefreshSkin();
        EXPECT_EQ(box->uses.size(), 4u);
        // Unskinned: the box's own glyphs again; the strip stays where it is.
        s->UnSkin();
        EXPECT_FALSE(box->use);
        EXPECT_EQ(box->glyphs.Width(), kCell * (kind == kGlyphCheck9 ? 9 : 6));
    }
}

TEST_F(SkinObjImageTest, PropertiesGlyphWrittenOpaqueAndClearedOnUnskin)
{
    auto* box = Put<TPropertiesBox>(10, 10, 80, 20);
    TSkinObjImage* s = Attach(box, kGlyphCheckProperties);
    fw::TBitmap& glyph = box->properties.glyph;
    EXPECT_EQ(CellFrames(&glyph), (std::vector<int>{1, 2, 0, 1, 2, 0}));  // a 12-frame strip
    EXPECT_EQ(glyph.TransparentColor(), 0xFF00FF);
    EXPECT_FALSE(glyph.Transparent());
    s->UnSkin();
    EXPECT_TRUE(glyph.Empty());
}

TEST_F(SkinObjImageTest, ControlsWithoutThePropertiesOrSkinsWithoutTheStripStayAsTheyAre)
{
    // A panel has none of the glyph properties.
    auto* panel = Put<fw::TPanel>(10, 10, 80, 20);
    for (int kind : {kGlyphCheck9, kGlyphRadio6, kGlyphCheckProperties}) {
        TSkinObjImage* s = Attach(panel, kind);
        EXPECT_TRUE(s->Attached);
        s->UnSkin();
    }
    // A skin whose Buttons have no check strip.
    LoadSkin(
        test::PackedSkin("[TitlebarSkin]\r\nSkinName=Bare\r\n"
                         "[Buttons]\r\nBitmap=buttons.bmp\r\n",
                         {{"buttons.bmp", test::StripBmp(5, 10, 10)}}));
    auto* box = Put<TCustomGlyphBox>(10, 10, 80, 20);
    Attach(box, kGlyphCheck9);
    EXPECT_TRUE(box->glyphs.Empty());
    EXPECT_TRUE(box->uses.empty());
}

TEST_F(SkinObjImageTest, ClassificationGivesTheImageKindOfTheClass)
{
    TControlClassifier classifier(list, data.get(), nullptr);
    auto* box = Put<TCustomGlyphBox>(10, 10, 80, 20);
    auto* cx = Put<TPropertiesBox>(10, 40, 80, 20);
    classifier.SkinControl(box, form.get());
    classifier.SkinControl(cx, form.get());
    auto* s = dynamic_cast<TSkinObjImage*>(list.FindByControl(box));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->ImageKind, kGlyphCheck9);
    EXPECT_EQ(box->uses.size(), 2u);
    auto* t = dynamic_cast<TSkinObjImage*>(list.FindByControl(cx));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->ImageKind, kGlyphCheckProperties);
    EXPECT_FALSE(cx->properties.glyph.Empty());
}

}  // namespace
}  // namespace skin
