#include "framework/graphics.h"

#include <cstring>
#include <mutex>
#include <vector>

#include "framework/guards.h"
#include "framework/text.h"

namespace fw {

COLORREF ColorToRGB(TColor color)
{
    if (color < 0) return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

const TIdentMap& ColorIdents()
{
    static const TIdentMap map{{
        {"clBlack", clBlack},
        {"clMaroon", clMaroon},
        {"clGreen", clGreen},
        {"clOlive", clOlive},
        {"clNavy", clNavy},
        {"clPurple", clPurple},
        {"clTeal", clTeal},
        {"clGray", clGray},
        {"clSilver", clSilver},
        {"clRed", clRed},
        {"clLime", clLime},
        {"clYellow", clYellow},
        {"clBlue", clBlue},
        {"clFuchsia", clFuchsia},
        {"clAqua", clAqua},
        {"clWhite", clWhite},
        {"clMoneyGreen", clMoneyGreen},
        {"clSkyBlue", clSkyBlue},
        {"clCream", clCream},
        {"clMedGray", clMedGray},
        {"clNone", clNone},
        {"clDefault", clDefault},
        {"clScrollBar", clScrollBar},
        {"clBackground", clBackground},
        {"clActiveCaption", clActiveCaption},
        {"clInactiveCaption", clInactiveCaption},
        {"clMenu", clMenu},
        {"clWindow", clWindow},
        {"clWindowFrame", clWindowFrame},
        {"clMenuText", clMenuText},
        {"clWindowText", clWindowText},
        {"clCaptionText", clCaptionText},
        {"clActiveBorder", clActiveBorder},
        {"clInactiveBorder", clInactiveBorder},
        {"clAppWorkSpace", clAppWorkSpace},
        {"clHighlight", clHighlight},
        {"clHighlightText", clHighlightText},
        {"clBtnFace", clBtnFace},
        {"clBtnShadow", clBtnShadow},
        {"clGrayText", clGrayText},
        {"clBtnText", clBtnText},
        {"clInactiveCaptionText", clInactiveCaptionText},
        {"clBtnHighlight", clBtnHighlight},
        {"cl3DDkShadow", cl3DDkShadow},
        {"cl3DLight", cl3DLight},
        {"clInfoText", clInfoText},
        {"clInfoBk", clInfoBk},
    }};
    return map;
}

int ScreenPixelsPerInch()
{
    static const int ppi = [] {
        const TWindowDC screen(nullptr);
        const int v = screen.Handle() ? GetDeviceCaps(screen.Handle(), LOGPIXELSY) : 96;
        return v > 0 ? v : 96;
    }();
    return ppi;
}

// ---------------------------------------------------------------------------
// Shared font handles

namespace {

// Fonts of the same values share one handle, counted by its users: a
// screen of controls in one font (2000 display areas) makes one font
// object, not one a control. Few fonts differ, so a list does.
struct SharedFont {
    LOGFONTW values;
    HFONT handle;
    int users;
};

std::mutex& SharedFontsLock()
{
    static auto* lock = new std::mutex;
    return *lock;
}

// Never destroyed: fonts may be freed while the program's statics go away.
std::vector<SharedFont>& SharedFonts()
{
    static auto* list = new std::vector<SharedFont>;
    return *list;
}

HFONT AcquireFont(const LOGFONTW& values)
{
    const std::lock_guard<std::mutex> hold(SharedFontsLock());
    for (SharedFont& f : SharedFonts()) {
        if (std::memcmp(&f.values, &values, sizeof values) == 0) {
            ++f.users;
            return f.handle;
        }
    }
    HFONT handle = CreateFontIndirectW(&values);
    if (handle) SharedFonts().push_back({values, handle, 1});
    return handle;
}

// One more user of a handle that is shared; false for any other handle.
bool AddFontUser(HGDIOBJ handle)
{
    const std::lock_guard<std::mutex> hold(SharedFontsLock());
    for (SharedFont& f : SharedFonts()) {
        if (f.handle == handle) {
            ++f.users;
            return true;
        }
    }
    return false;
}

// Deletes a handle its object no longer uses; a shared font only when its
// last user lets go of it.
void ReleaseHandle(HGDIOBJ handle)
{
    {
        const std::lock_guard<std::mutex> hold(SharedFontsLock());
        std::vector<SharedFont>& fonts = SharedFonts();
        for (auto it = fonts.begin(); it != fonts.end(); ++it) {
            if (it->handle != handle) continue;
            if (--it->users > 0) return;
            fonts.erase(it);
            break;
        }
    }
    DeleteObject(handle);
}

}  // namespace

// ---------------------------------------------------------------------------
// TGraphicsObject

FW_IMPLEMENT_CLASS(TGraphicsObject) {}

TGraphicsObject::~TGraphicsObject()
{
    if (handle_) ReleaseHandle(handle_);
    if (dropped_) ReleaseHandle(dropped_);
}

HGDIOBJ TGraphicsObject::GdiHandle() const
{
    if (!handle_) handle_ = CreateHandle();
    return handle_;
}

void TGraphicsObject::Changed()
{
    DropHandle();
    OnChange(this);
    ReleaseDropped();
}

void TGraphicsObject::AdoptHandle(HGDIOBJ handle)
{
    DropHandle();
    handle_ = handle;
    OnChange(this);
    ReleaseDropped();
}

void TGraphicsObject::DropHandle()
{
    if (dropped_) ReleaseHandle(dropped_);
    dropped_ = handle_;
    handle_ = nullptr;
}

void TGraphicsObject::ReleaseDropped()
{
    if (dropped_) ReleaseHandle(dropped_);
    dropped_ = nullptr;
}

// ---------------------------------------------------------------------------
// TFont

FW_IMPLEMENT_CLASS(TFont)
{
    c.Property("Charset", &TFont::Charset, &TFont::SetCharset);
    c.Property("Color", &TFont::Color, &TFont::SetColor).WithIdents(ColorIdents());
    c.Property("Height", &TFont::Height, &TFont::SetHeight);
    c.Property("Name", &TFont::Name, &TFont::SetName);
    c.Property("Size", &TFont::Size, &TFont::SetSize);
    c.Property("Style", &TFont::Style, &TFont::SetStyle);
}

// The default font. Its character set is GB2312 rather than the machine's
// default, so that the font mapper picks a face with the Chinese glyphs
// whatever the locale: the programs' 8-bit text is always GBK.
TFont::TFont() : name_("MS Sans Serif"), height_(-11), charset_(GB2312_CHARSET) {}

void TFont::SetName(const std::string& name)
{
    if (name.empty() || name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (height == height_) return;
    height_ = height;
    Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, ScreenPixelsPerInch()); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72)); }

void TFont::SetColor(TColor color)
{
    if (color == color_) return;
    color_ = color;
    OnChange(this);  // the handle does not depend on the colour
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetCharset(int charset)
{
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

HGDIOBJ TFont::CreateHandle() const
{
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic);
    lf.lfUnderline = style_.Contains(fsUnderline);
    lf.lfStrikeOut = style_.Contains(fsStrikeOut);
    lf.lfCharSet = static_cast<BYTE>(charset_);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    const std::wstring face = ToWide(name_);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    return AcquireFont(lf);
}

void TFont::SetHandle(HFONT font)
{
    if (!font || Owns(font)) return;
    // A handle another font shares gets one more user, this font.
    AddFontUser(font);
    LOGFONTW lf{};
    if (GetObjectW(font, sizeof(lf), &lf) == sizeof(lf)) {
        name_ = ToGbk(lf.lfFaceName);
        height_ = lf.lfHeight;
        charset_ = lf.lfCharSet;
        TFontStyles s;
        if (lf.lfWeight >= FW_BOLD) s.Include(fsBold);
        if (lf.lfItalic) s.Include(fsItalic);
        if (lf.lfUnderline) s.Include(fsUnderline);
        if (lf.lfStrikeOut) s.Include(fsStrikeOut);
        style_ = s;
    }
    AdoptHandle(font);
}

void TFont::Assign(const TPersistent* source)
{
    if (auto* f = dynamic_cast<const TFont*>(source)) {
        if (f == this) return;
        name_ = f->name_;
        height_ = f->height_;
        color_ = f->color_;
        style_ = f->style_;
        charset_ = f->charset_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

TEXTMETRICW FontMetrics(const TFont* font)
{
    TEXTMETRICW tm{};
    const TWindowDC screen(nullptr);
    const TSelectObject selected(screen.Handle(), font->Handle());
    GetTextMetricsW(screen.Handle(), &tm);
    return tm;
}

// ---------------------------------------------------------------------------
// TBrush

FW_IMPLEMENT_CLASS(TBrush)
{
    c.Property("Color", &TBrush::Color, &TBrush::SetColor).WithIdents(ColorIdents());
    c.Property("Style", &TBrush::Style, &TBrush::SetStyle);
}

void TBrush::SetColor(TColor color)
{
    if (color == color_) return;
    color_ = color;
    if (style_ == bsClear) style_ = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style == style_) return;
    style_ = style;
    Changed();
}

HGDIOBJ TBrush::CreateHandle() const
{
    LOGBRUSH lb{};
    lb.lbColor = ColorToRGB(color_);
    switch (style_) {
    case bsSolid: lb.lbStyle = BS_SOLID; break;
    case bsClear: lb.lbStyle = BS_HOLLOW; break;
    default:
        lb.lbStyle = BS_HATCHED;
        lb.lbHatch = static_cast<ULONG_PTR>(style_ - bsHorizontal);
        break;
    }
    return CreateBrushIndirect(&lb);
}

void TBrush::Assign(const TPersistent* source)
{
    if (auto* b = dynamic_cast<const TBrush*>(source)) {
        if (b == this) return;
        color_ = b->color_;
        style_ = b->style_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

// ---------------------------------------------------------------------------
// TPen

FW_IMPLEMENT_CLASS(TPen)
{
    c.Property("Color", &TPen::Color, &TPen::SetColor).WithIdents(ColorIdents());
    c.Property("Style", &TPen::Style, &TPen::SetStyle);
    c.Property("Width", &TPen::Width, &TPen::SetWidth);
}

void TPen::SetColor(TColor color)
{
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TPen::SetWidth(int width)
{
    if (width == width_) return;
    width_ = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style)
{
    if (style == style_) return;
    style_ = style;
    Changed();
}

HGDIOBJ TPen::CreateHandle() const
{
    static constexpr int kStyles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                      PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    return CreatePen(kStyles[style_], width_, ColorToRGB(color_));
}

void TPen::Assign(const TPersistent* source)
{
    if (auto* p = dynamic_cast<const TPen*>(source)) {
        if (p == this) return;
        color_ = p->color_;
        width_ = p->width_;
        style_ = p->style_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

// ---------------------------------------------------------------------------
// TGraphic, TCanvas

FW_IMPLEMENT_CLASS(TGraphic) {}

FW_IMPLEMENT_CLASS(TCanvas)
{
    c.Property("Brush", &TCanvas::Brush);
    c.Property("Font", &TCanvas::Font);
    c.Property("Pen", &TCanvas::Pen);
}

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), brush_(std::make_unique<TBrush>()),
      pen_(std::make_unique<TPen>())
{
    font_->OnChange = TNotifyEvent(this, &TCanvas::FontChanged);
    brush_->OnChange = TNotifyEvent(this, &TCanvas::BrushChanged);
    pen_->OnChange = TNotifyEvent(this, &TCanvas::PenChanged);
}

TCanvas::~TCanvas()
{
    // A derived canvas has released its own DC in its destructor; what is
    // still bound here is borrowed.
    Deselect();
    dc_ = nullptr;
}

HDC TCanvas::Handle()
{
    if (!dc_) CreateHandle();
    if (!dc_) throw ECanvasError("Canvas does not allow drawing");
    return dc_;
}

void TCanvas::CreateHandle() {}

void TCanvas::ReleaseHandle(HDC) {}

void TCanvas::Deselect()
{
    if (!dc_) return;
    if (oldFont_) SelectObject(dc_, oldFont_);
    if (oldBrush_) SelectObject(dc_, oldBrush_);
    if (oldPen_) SelectObject(dc_, oldPen_);
    oldFont_ = oldBrush_ = oldPen_ = nullptr;
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc == dc_) return;
    if (dc_) {
        Deselect();
        HDC old = dc_;
        dc_ = nullptr;
        ReleaseHandle(old);
    }
    dc_ = dc;
    if (dc_) {
        oldFont_ = SelectObject(dc_, font_->Handle());
        oldBrush_ = SelectObject(dc_, brush_->Handle());
        oldPen_ = SelectObject(dc_, pen_->Handle());
    }
}

void TCanvas::FontChanged(TObject*)
{
    if (dc_) SelectObject(dc_, font_->Handle());
}

void TCanvas::BrushChanged(TObject*)
{
    if (dc_) SelectObject(dc_, brush_->Handle());
}

void TCanvas::PenChanged(TObject*)
{
    if (dc_) SelectObject(dc_, pen_->Handle());
}

void TCanvas::Lock()
{
    lock_.lock();
    ++lockCount_;
}

void TCanvas::Unlock()
{
    --lockCount_;
    lock_.unlock();
}

bool TCanvas::TryLock()
{
    if (!lock_.try_lock()) return false;
    ++lockCount_;
    return true;
}

void TCanvas::FillRect(const RECT& r)
{
    HDC dc = Handle();
    if (brush_->Style() != bsClear) ::FillRect(dc, &r, brush_->Handle());
}

void TCanvas::FrameRect(const RECT& r) { ::FrameRect(Handle(), &r, brush_->Handle()); }

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    ::Rectangle(Handle(), left, top, right, bottom);
}

void TCanvas::Polygon(std::initializer_list<POINT> points)
{
    ::Polygon(Handle(), points.begin(), static_cast<int>(points.size()));
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(Handle(), x, y, nullptr); }

void TCanvas::DrawFocusRect(const RECT& r) { ::DrawFocusRect(Handle(), &r); }

void TCanvas::LineTo(int x, int y) { ::LineTo(Handle(), x, y); }

void TCanvas::PrepareText()
{
    HDC dc = Handle();
    SetTextColor(dc, ColorToRGB(font_->Color()));
    if (brush_->Style() == bsClear) {
        SetBkMode(dc, TRANSPARENT);
    } else {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, ColorToRGB(brush_->Color()));
    }
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    PrepareText();
    const std::wstring w = ToWide(text);
    ExtTextOutW(dc_, x, y, 0, nullptr, w.c_str(), static_cast<UINT>(w.size()), nullptr);
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& text)
{
    PrepareText();
    const std::wstring w = ToWide(text);
    UINT options = ETO_CLIPPED;
    if (brush_->Style() != bsClear) options |= ETO_OPAQUE;
    ExtTextOutW(dc_, x, y, options, &r, w.c_str(), static_cast<UINT>(w.size()), nullptr);
}

int TCanvas::DrawText(const std::string& text, RECT& r, UINT flags)
{
    PrepareText();
    const std::wstring w = ToWide(text);
    return ::DrawTextW(dc_, w.c_str(), static_cast<int>(w.size()), &r, flags);
}

SIZE TCanvas::TextExtent(const std::string& text)
{
    SIZE size{};
    const std::wstring w = ToWide(text);
    GetTextExtentPoint32W(Handle(), w.c_str(), static_cast<int>(w.size()), &size);
    return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (!graphic || graphic->Empty()) return;
    const RECT r{x, y, x + graphic->Width(), y + graphic->Height()};
    graphic->Draw(this, r);
}

void TCanvas::StretchDraw(const RECT& r, TGraphic* graphic)
{
    if (graphic && !graphic->Empty()) graphic->Draw(this, r);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas* source, const RECT& sourceRect)
{
    StretchBlt(Handle(), dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
               source->Handle(), sourceRect.left, sourceRect.top,
               sourceRect.right - sourceRect.left, sourceRect.bottom - sourceRect.top, copyMode_);
}

TColor TCanvas::Pixel(int x, int y) { return static_cast<TColor>(GetPixel(Handle(), x, y)); }

void TCanvas::SetPixel(int x, int y, TColor color)
{
    ::SetPixel(Handle(), x, y, ColorToRGB(color));
}

void Frame3D(TCanvas* canvas, RECT& r, TColor topLeft, TColor bottomRight, int width)
{
    HDC dc = canvas->Handle();
    for (int i = 0; i < width; ++i) {
        --r.right;
        --r.bottom;
        TBrush* brush = canvas->Brush();
        const TColor saved = brush->Color();
        const TBrushStyle style = brush->Style();
        brush->SetColor(topLeft);
        RECT edge{r.left, r.top, r.right, r.top + 1};
        ::FillRect(dc, &edge, brush->Handle());
        edge = {r.left, r.top, r.left + 1, r.bottom};
        ::FillRect(dc, &edge, brush->Handle());
        brush->SetColor(bottomRight);
        edge = {r.right, r.top, r.right + 1, r.bottom + 1};
        ::FillRect(dc, &edge, brush->Handle());
        edge = {r.left, r.bottom, r.right, r.bottom + 1};
        ::FillRect(dc, &edge, brush->Handle());
        brush->SetColor(saved);
        brush->SetStyle(style);
        ++r.left;
        ++r.top;
    }
}

}  // namespace fw
