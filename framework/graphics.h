// Colours, fonts, brushes, pens and the canvas over a device context.
//
// TColor is 00BBGGRRh for an RGB colour and FF0000nnh for the system colour
// of index nn (resolved with GetSysColor by ColorToRGB before use).
// A TFont, TBrush or TPen owns the GDI handle it makes (or is given);
// fonts of the same values share one handle. A
// TCanvas draws on a DC it is bound to; a DC bound with SetHandle is
// borrowed and never deleted or released by the canvas.
#pragma once

#include "framework/winapi.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>

#include "framework/components.h"

namespace fw {

using TColor = int32_t;

constexpr TColor SysColor(int index)
{
    return static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(index));
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SysColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SysColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SysColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SysColor(COLOR_MENU);
constexpr TColor clWindow = SysColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SysColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SysColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SysColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SysColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SysColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SysColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SysColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SysColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SysColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SysColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SysColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SysColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SysColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SysColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SysColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SysColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SysColor(COLOR_INFOBK);

// The RGB value of a colour (system colours through GetSysColor).
COLORREF ColorToRGB(TColor color);
// Colour names for stored layouts ("clRed", "clBtnFace").
const TIdentMap& ColorIdents();

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
FW_ENUM(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
using TFontStyles = TSet<TFontStyle>;

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
FW_ENUM(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
        "bsBDiagonal", "bsCross", "bsDiagCross")

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
FW_ENUM(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
        "psInsideFrame")

// Logical pixels per inch of the screen.
int ScreenPixelsPerInch();

// Base of fonts, brushes and pens, and the owner of their GDI handle: the
// handle is made on first use (CreateHandle) and deleted with the object.
// Fonts of the same values share one handle, deleted with its last user.
// OnChange fires after every change, while the previous handle still
// exists (so that whoever selected it can select the new one first); it is
// deleted after OnChange.
class TGraphicsObject : public TPersistent {
    FW_CLASS(TGraphicsObject, TPersistent)
public:
    ~TGraphicsObject() override;
    TNotifyEvent OnChange;

protected:
    TGraphicsObject() = default;
    // Makes the handle for the object's current values.
    virtual HGDIOBJ CreateHandle() const = 0;
    // The handle, made on first use.
    HGDIOBJ GdiHandle() const;
    // Drops the handle after a change of a value it depends on.
    void Changed();
    // Takes a handle made elsewhere as the object's own, then OnChange.
    void AdoptHandle(HGDIOBJ handle);
    bool Owns(HGDIOBJ handle) const { return handle == handle_; }

private:
    void DropHandle();  // forgets the handle, keeping it for ReleaseDropped
    void ReleaseDropped();

    mutable HGDIOBJ handle_ = nullptr;
    HGDIOBJ dropped_ = nullptr;
};

class TFont : public TGraphicsObject {
    FW_CLASS(TFont, TGraphicsObject)
public:
    TFont();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    int Charset() const { return charset_; }
    void SetCharset(int charset);

    // The font's handle, made on first use; owned by the font, or shared
    // with the fonts of the same values (never deleted by its user).
    HFONT Handle() const { return static_cast<HFONT>(GdiHandle()); }
    // Adopts a handle (the font owns it from now on) and takes its
    // name, height, style and character set.
    void SetHandle(HFONT font);

    void Assign(const TPersistent* source) override;

protected:
    HGDIOBJ CreateHandle() const override;

private:
    std::string name_;
    int height_;
    TColor color_ = clWindowText;
    TFontStyles style_;
    int charset_;
};

// The metrics of a font as the screen draws it.
TEXTMETRICW FontMetrics(const TFont* font);

class TBrush : public TGraphicsObject {
    FW_CLASS(TBrush, TGraphicsObject)
public:
    TBrush() = default;

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    HBRUSH Handle() const { return static_cast<HBRUSH>(GdiHandle()); }

    void Assign(const TPersistent* source) override;

protected:
    HGDIOBJ CreateHandle() const override;

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

class TPen : public TGraphicsObject {
    FW_CLASS(TPen, TGraphicsObject)
public:
    TPen() = default;

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    HPEN Handle() const { return static_cast<HPEN>(GdiHandle()); }

    void Assign(const TPersistent* source) override;

protected:
    HGDIOBJ CreateHandle() const override;

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
};

class ECanvasError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

class TCanvas;
class TBitmap;

// A picture that a canvas can draw: bitmaps (bitmaps.h).
class TGraphic : public TPersistent {
    FW_CLASS(TGraphic, TPersistent)
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    // Drawn with its transparent colour left out.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { transparent_ = v; }

protected:
    friend class TCanvas;
    // Draws the whole picture into r (stretched when r's size differs).
    virtual void Draw(TCanvas* canvas, const RECT& r) = 0;

private:
    bool transparent_ = false;
};

class TCanvas : public TPersistent {
    FW_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    // The bound DC; a canvas of its own kind (a control's canvas) makes
    // one on demand, a plain canvas raises ECanvasError without one.
    HDC Handle();
    bool HandleAllocated() const { return dc_ != nullptr; }
    // Binds a DC the canvas does not own (null unbinds). The canvas's
    // font, brush and pen are selected into it and the DC's own objects
    // are put back when it is unbound.
    void SetHandle(HDC dc);

    TFont* Font() const { return font_.get(); }
    TBrush* Brush() const { return brush_.get(); }
    TPen* Pen() const { return pen_.get(); }
    void SetFont(const TFont* font) { font_->Assign(font); }

    // The canvas lock held by whoever paints into the canvas.
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return lockCount_; }

    void FillRect(const RECT& r);
    void FrameRect(const RECT& r);
    void Rectangle(int left, int top, int right, int bottom);
    // A closed shape through the points, outlined with the pen and filled
    // with the brush.
    void Polygon(std::initializer_list<POINT> points);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // The dotted focus rectangle (drawn by inverting, so drawing it twice
    // removes it).
    void DrawFocusRect(const RECT& r);
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const RECT& r, int x, int y, const std::string& text);
    // DrawTextW of the text in r with DT_* flags (r receives the measured
    // rectangle with DT_CALCRECT); answers the text height.
    int DrawText(const std::string& text, RECT& r, UINT flags);
    SIZE TextExtent(const std::string& text);

    // Pictures and copies between canvases. CopyMode is the raster
    // operation of Draw, StretchDraw and CopyRect (SRCCOPY at first).
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const RECT& r, TGraphic* graphic);
    void CopyRect(const RECT& dest, TCanvas* source, const RECT& sourceRect);
    // Copies part of a bitmap with one colour replaced by the canvas's brush.
    void BrushCopy(const RECT& dest, TBitmap* bitmap, const RECT& sourceRect, TColor color);
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD rop) { copyMode_ = rop; }
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

protected:
    // Called by Handle() when no DC is bound; binds one with SetHandle.
    virtual void CreateHandle();
    // Called before a bound DC is given up (after the canvas's objects
    // were deselected): a canvas that made its own DC releases it here.
    virtual void ReleaseHandle(HDC dc);

private:
    void FontChanged(TObject* sender);
    void BrushChanged(TObject* sender);
    void PenChanged(TObject* sender);
    void Deselect();
    void PrepareText();

    std::unique_ptr<TFont> font_;
    std::unique_ptr<TBrush> brush_;
    std::unique_ptr<TPen> pen_;
    HDC dc_ = nullptr;
    HGDIOBJ oldFont_ = nullptr, oldBrush_ = nullptr, oldPen_ = nullptr;
    std::recursive_mutex lock_;
    int lockCount_ = 0;
    DWORD copyMode_ = SRCCOPY;
};

// Draws a frame of the given width, top and left edges in one colour,
// bottom and right edges in the other, and moves r inside it.
void Frame3D(TCanvas* canvas, RECT& r, TColor topLeft, TColor bottomRight, int width);

}  // namespace fw
