// Painting routines the control skinners share: the common WM_PAINT and
// WM_ERASEBKGND handlers, the right-to-left text flag, one frame of a skin
// strip with the magenta key, a sliced frame of a skin object, glyphs and
// their grey copies, and button captions. They hold no state.
#pragma once

#include "framework/winapi.h"

#include <memory>
#include <string>

#include "framework/bitmaps.h"
#include "framework/messages.h"
#include "skin/controls/skincontrol.h"
#include "skin/data/skinobjects.h"

namespace skin {

inline int WidthOf(const RECT& r) { return r.right - r.left; }
inline int HeightOf(const RECT& r) { return r.bottom - r.top; }

// Selects a font (none: the DC's stays) and a text colour into a DC and
// puts the previous ones back when it goes.
class TTextSelection {
public:
    TTextSelection(HDC dc, HFONT font, fw::TColor colour)
        : dc_(dc), font_(font ? SelectObject(dc, font) : nullptr),
          colour_(SetTextColor(dc, fw::ColorToRGB(colour)))
    {}
    ~TTextSelection()
    {
        SetTextColor(dc_, colour_);
        if (font_) SelectObject(dc_, font_);
    }
    TTextSelection(const TTextSelection&) = delete;
    TTextSelection& operator=(const TTextSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ font_;
    COLORREF colour_;
};

// The flags plus DT_RTLREADING when the skinner's control (or graphic
// control) reads right to left.
UINT BiDiTextFlags(const TSkinControl* skinner, UINT flags);

// WM_PAINT (or WM_PRINT, whose WParam is the DC): the skinner's
// DrawControl over the window rectangle. The paint is always ended, and an
// error while drawing is dropped.
void DoPaintMessage(TSkinControl* skinner, fw::TMessage& message);
// WM_ERASEBKGND: the parent's image under a framework control, the
// parent's face colour under a raw window; Result 1.
void DoEraseBackground(TSkinControl* skinner, fw::TMessage& message);

// Frame k of the n-frame object sliced to r by its margins (drawn with the
// magenta key when the object's Trans is 1).
void DrawButtonImage(HDC dc, const RECT& r, int n, int k, TDataSkinObject* obj);

// Frame k of an n-frame horizontal strip stretched to r, magenta left out.
// A frame number outside 1..n is taken as the nearest one; n below 1
// counts as 1. Inverted rectangles draw nothing.
void DrawStripFrame(HDC dc, const RECT& r, int n, int k, fw::TBitmap* image);
void DrawStripFrameCanvas(fw::TCanvas* canvas, const RECT& r, int n, int k, fw::TBitmap* image);
void DrawStripFrameMasked(HDC dc, const RECT& r, int n, int k, fw::TBitmap* image);

// A grey embossed copy of a glyph (the caller owns it).
std::unique_ptr<fw::TBitmap> CreateDisabledGlyph(fw::TBitmap* glyph);
// Glyph k (1 up, 2 disabled, 3 pressed, 4 down) of an n-glyph strip at
// p, its bottom-left colour transparent; a k outside 1..n is glyph 1.
// The disabled glyph is drawn as its grey copy.
void DrawBitGlyph(fw::TCanvas* canvas, POINT p, int n, int k, fw::TBitmap* glyph);

// The skinner's DisplayText as a button caption in r: the first "||" a
// line break, word-wrapped, centred (DT_CENTER) or aligned across r and
// centred vertically, with a focus rectangle while Focused (unless the
// skin's options forbid it). Drawn in the DC's selected font and colour.
void DrawButtonCaption(TSkinControl* skinner, HDC dc, const RECT& r, UINT align);
// One block of text centred vertically in r, grey when disabled.
void DrawStateText(TSkinControl* skinner, fw::TCanvas* canvas, const RECT& r, UINT align,
                   bool enabled, const std::wstring& text);
// An image of the image list (none without a list) followed by the text,
// aligned in r: 0 left, 1 centre, 2 right.
void ImageListDrawGlyph(TSkinControl* skinner, fw::TCanvas* canvas, const RECT& r, int align,
                        const std::wstring& text, int index, HIMAGELIST images);
// The same layout with the caller's text format (DT_* flags), the text in
// the canvas's font and colour, or grey when not enabled. An image wider
// than r is left out.
void DrawImageAndText(TSkinControl* skinner, fw::TCanvas* canvas, const RECT& r, int align,
                      const std::wstring& text, int index, HIMAGELIST images, UINT format,
                      bool enabled);
// One line centred in r, grey when disabled; alignment 0 left, 1 right,
// 2 centre.
void DrawAlignedCaption(fw::TCanvas* canvas, const RECT& r, const std::string& text, int align,
                        bool enabled);
// A small arrow of lines: kind 0 up, 1 down, 2 left, 3 right.
void DrawArrowLines(fw::TCanvas* canvas, int x, int y, int kind);

std::wstring ReplaceFirstWide(const std::wstring& text, const std::wstring& search,
                              const std::wstring& replacement);
void CopyBitmap(fw::TBitmap* source, fw::TBitmap* dest);
// The engine's work bitmap made 24-bit, w x h and filled with the colour,
// for a skinner to compose in; null outside the engine's start or for an
// empty size.
fw::TBitmap* PrepareWorkBitmap(int w, int h, fw::TColor colour);
// The top-left part of the engine's work bitmap to r.
void CopyWorkBitmap(HDC dc, const RECT& r);

}  // namespace skin
