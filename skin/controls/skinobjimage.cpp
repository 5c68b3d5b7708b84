#include "skin/controls/skinobjimage.h"

#include <span>

#include "skin/draw/skindraw.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinObjImage) {}

namespace {

// The strip frame in each glyph cell, left to right.
constexpr int kCheck9Cells[] = {1, 2, 5, 1, 2, 5, 3, 4, 5};
constexpr int kRadio6Cells[] = {1, 2, 1, 2, 3, 4};
constexpr int kCheck6Cells[] = {1, 2, 5, 1, 2, 5};

std::span<const int> Cells(int kind)
{
    switch (kind) {
    case kGlyphCheck9: return kCheck9Cells;
    case kGlyphRadio6: return kRadio6Cells;
    default: return kCheck6Cells;
    }
}

fw::TBitmap* GlyphOf(const fw::TObject* instance)
{
    return dynamic_cast<fw::TBitmap*>(
        GetObjectPropByName(instance, "Glyph", fw::TBitmap::StaticClass()));
}

}  // namespace

void TSkinObjImage::InitControl(TSkinControlList* form, TSkinData* skinData, bool,
                                fw::TCanvas* workCanvas)
{
    if (Attached) return;
    RecordControl(form, skinData, workCanvas);
    ApplyGlyphs();
    Attached = true;
    SkinState = kAttached;
}

void TSkinObjImage::RefreshSkin() { ApplyGlyphs(); }

std::unique_ptr<fw::TBitmap> TSkinObjImage::BuildGlyphs() const
{
    const TDataSkinButton* buttons = SkinData ? SkinData->Skin().Buttons.get() : nullptr;
    if (!buttons) return nullptr;
    const bool radio = ImageKind == kGlyphRadio6;
    fw::TBitmap* strip = radio ? buttons->RadioImage.get() : buttons->CheckImage.get();
    const int n = radio ? buttons->RadioFrame : buttons->CheckFrame;
    if (!strip || strip->Empty() || n < 1) return nullptr;
    const int w = strip->Width() / n, h = strip->Height();
    if (w < 1) return nullptr;
    const std::span<const int> cells = Cells(ImageKind);
    auto glyphs = std::make_unique<fw::TBitmap>();
    glyphs->SetPixelFormat(fw::pf24bit);
    glyphs->SetSize(w * static_cast<int>(cells.size()), h);
    HDC dc = glyphs->Canvas()->Handle();
    HDC source = strip->Canvas()->Handle();
    for (size_t i = 0; i < cells.size(); ++i) {
        const int frame = cells[i];
        // Only a strip of exactly five frames has a frame of its own for
        // the grey state; no cell takes a frame the strip does not have.
        if ((frame == 5 && n != 5) || frame > n) continue;
        const RECT from = SkinFrameRect(strip, false, n, frame);
        BitBlt(dc, static_cast<int>(i) * w, 0, w, h, source, from.left, from.top, SRCCOPY);
    }
    return glyphs;
}

void TSkinObjImage::ApplyGlyphs()
{
    if (!Control) return;
    const std::unique_ptr<fw::TBitmap> glyphs = BuildGlyphs();
    if (!glyphs) return;
    if (ImageKind == kGlyphCheckProperties) {
        fw::TBitmap* glyph = GlyphOf(GetObjectPropByName(Control, "Properties", nullptr));
        if (!glyph) return;
        glyph->Assign(glyphs.get());
        glyph->SetTransparentColor(kSkinKeyColor);
        glyph->SetTransparent(false);
        return;
    }
    auto* custom = dynamic_cast<fw::TBitmap*>(
        GetObjectPropByName(Control, "CustomGlyphs", fw::TBitmap::StaticClass()));
    if (!custom) return;
    custom->Assign(glyphs.get());
    SetPropByName(Control, "transparentcolor", std::to_string(kSkinKeyColor));
    // Off and on again, so that the control reloads its glyphs.
    SetPropByName(Control, "UseCustomGlyphs", "false");
    SetPropByName(Control, "UseCustomGlyphs", "true");
}

void TSkinObjImage::UnSkin()
{
    if (!Control) return;
    if (ImageKind == kGlyphCheckProperties) {
        if (fw::TBitmap* glyph = GlyphOf(GetObjectPropByName(Control, "Properties", nullptr)))
            glyph->Assign(nullptr);
        return;
    }
    SetPropByName(Control, "UseCustomGlyphs", "false");
}

}  // namespace skin
