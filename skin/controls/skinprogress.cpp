#include "skin/controls/skinprogress.h"

#include <commctrl.h>

#include <memory>

#include "skin/controls/skinpaint.h"
#include "skin/draw/imgutil.h"
#include "skin/draw/skindraw.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinProgress) {}

namespace {

// A 24-bit bitmap of w x h in the colour.
std::unique_ptr<fw::TBitmap> FilledBitmap(int w, int h, fw::TColor colour)
{
    auto b = std::make_unique<fw::TBitmap>();
    b->SetPixelFormat(fw::pf24bit);
    b->SetSize(w, h);
    if (!b->Empty()) TSkinControl::FillSolidRect(b->Canvas()->Handle(), {0, 0, w, h}, colour);
    return b;
}

// Draws the bitmap onto the target at (x, y), magenta left out.
void DrawKeyed(fw::TBitmap* target, int x, int y, fw::TBitmap* bitmap)
{
    if (bitmap->Empty()) return;
    bitmap->SetTransparent(true);
    bitmap->SetTransparentColor(kSkinKeyColor);
    target->Canvas()->Draw(x, y, bitmap);
}

}  // namespace

bool TSkinProgress::BeforeProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT:
        if (!HasImage()) return true;  // the bar paints itself
        DoPaintMessage(this, m);
        m.Result = 0;
        return false;
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return TSkinControl::BeforeProc(m);
    }
}

bool TSkinProgress::HasImage() const
{
    return SkinData && SkinData->Skin().Progress && !SkinData->Skin().Progress->Image->Empty();
}

bool TSkinProgress::Vertical() const
{
    return (GetWindowLongAuto(Handle, GWL_STYLE) & PBS_VERTICAL) != 0;
}

RECT TSkinProgress::Layout(const RECT& r) const
{
    if (Vertical()) return {0, 0, HeightOf(r), WidthOf(r)};
    return r;
}

void TSkinProgress::Present(HDC dc, const RECT& r, fw::TBitmap* work) const
{
    if (Vertical()) RotateBitmapLeft(work);
    if (work->Empty()) return;
    BitBlt(dc, r.left, r.top, WidthOf(r), HeightOf(r), work->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TSkinProgress::DrawControl(HDC dc, const RECT& r)
{
    if (!HasImage()) return;
    TDataSkinBorder* progress = SkinData->Skin().Progress.get();
    if (progress->Style == 1) {
        DrawProgressChunks(dc, r);
        return;
    }
    const RECT l = Layout(r);
    auto work = FilledBitmap(l.right, l.bottom, SkinColour(TColourSlot::ButtonFace));
    if (work->Empty()) return;
    const bool tile = progress->Tile != 0;
    auto background =
        BuildSkinBitmap(l, progress->Image.get(), progress->Margins(), false, tile, 2, 1);
    DrawKeyed(work.get(), l.left, l.top, background.get());

    const auto pos = static_cast<int>(SendMessageW(Handle, PBM_GETPOS, 0, 0));
    const auto high = static_cast<int>(SendMessageW(Handle, PBM_GETRANGE, 0, 0));
    const auto low = static_cast<int>(SendMessageW(Handle, PBM_GETRANGE, 1, 0));
    // The fill is measured from the low limit; an empty range has none.
    if (high > 0 && pos > 0 && high > low) {
        RECT fill = l;
        fill.right = l.left + MulDiv(WidthOf(l), pos - low, high - low);
        if (fill.right > fill.left) {
            auto bar = BuildSkinBitmap(fill, progress->Image.get(), progress->Margins(), false,
                                       tile, 2, 2);
            DrawKeyed(work.get(), l.left, l.top, bar.get());
        }
    }
    Present(dc, r, work.get());
}

void TSkinProgress::DrawProgressChunks(HDC dc, const RECT& r)
{
    TDataSkinObject* chunk = SkinData->Skin().ProgressChunk.get();
    if (!chunk || chunk->Image->Empty()) return;
    TDataSkinBorder* progress = SkinData->Skin().Progress.get();
    const RECT l = Layout(r);
    auto work = FilledBitmap(l.right, l.bottom, SkinColour(TColourSlot::ButtonFace));
    if (work->Empty()) return;
    // The background's bitmap is then the canvas the chunks are put on.
    auto canvas =
        BuildSkinBitmap(l, progress->Image.get(), progress->Margins(), false, false, 1, 1);
    DrawKeyed(work.get(), l.left, l.top, canvas.get());

    const auto pos = static_cast<int>(SendMessageW(Handle, PBM_GETPOS, 0, 0));
    const auto high = static_cast<int>(SendMessageW(Handle, PBM_GETRANGE, 0, 0));
    // Chunks count from 0 whatever the low limit.
    if (high > 0 && pos > 0) {
        const int fillRight = l.left + MulDiv(WidthOf(l), pos, high);
        fw::TBitmap* image = chunk->Image.get();
        const int cw = image->Width(), ch = image->Height();
        const int y = (l.bottom - ch) / 2;
        if (chunk->Tile == 1) {
            const int fillWidth = fillRight - l.left;
            canvas->SetSize(fillWidth, ch);
            if (!canvas->Empty()) {
                for (int i = 0; i <= fillWidth / cw; ++i) canvas->Canvas()->Draw(i * cw, 0, image);
                DrawKeyed(work.get(), chunk->LeftWidth + 2, r.top + y, canvas.get());
            }
        } else {
            canvas->SetSize(fillRight, l.bottom - 4);
            if (!canvas->Empty()) {
                StretchFromRect(canvas->Canvas()->Handle(), {l.left, l.top, fillRight, l.bottom},
                                image, false, 1, 1, chunk->Margins());
                DrawKeyed(work.get(), 2, 2, canvas.get());
            }
        }
    }
    Present(dc, r, work.get());
}

}  // namespace skin
