// Owner-drawn menu items: measuring and painting each item of a skinned
// menu (ground from the popup window's skinned background or the Menu
// colour, the MenuItem strip, check mark or image, caption and short cut,
// separators), for framework items through their OnMeasureItem and
// OnDrawItem events and for native items through WM_MEASUREITEM and
// WM_DRAWITEM; switching a form's menus to and from this drawing; and the
// toolbar custom-draw handlers.
#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/comctrls.h"
#include "framework/forms.h"
#include "framework/guards.h"
#include "framework/menus.h"
#include "framework/patterns.h"
#include "framework/text.h"
#include "framework/typinfo.h"
#include "skin/data/skindata.h"
#include "skin/draw/skindraw.h"
#include "skin/form/skinmanage.h"
#include "skin/form/winskinform.h"

namespace skin {
namespace {

constexpr int kItemFrames = 5;  // the MenuItem strip
constexpr int kFrameAtRest = 1, kFrameSeparator = 2, kFrameSelected = 4;
// Where the items start inside a popup window (its frame).
constexpr int kPopupFrame = 3;
constexpr UINT kCheckBitmap = 32760;  // OBM_CHECK
// Menu texts are read into buffers of this many characters.
constexpr int kMenuTextLength = 80;
// Identifiers the application's own native items use.
constexpr UINT kFirstAppCommand = 1, kLastAppCommand = 4095;
const char* const kRichEditFormClass = "TwwRichEditForm";
// A short cut is one line; a tab in it ("Ctrl+F\tF3") goes to the next
// tab stop, as the text of a native menu item is shown.
constexpr UINT kShortCutFlags = DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
// What separates a short cut from its caption when an item is measured.
const char* const kShortCutGap = "    ";

// The MenuItem strip, when the skin has one with an image.
TDataSkinObject* MenuItemObject(TSkinData* data)
{
    if (!data || data->NoSkin()) return nullptr;
    TDataSkinObject* object = data->Skin().MenuItem.get();
    return object && !object->Image->Empty() ? object : nullptr;
}

int LeftMargin(TSkinData* data)
{
    const TDataSkinObject* object = MenuItemObject(data);
    return object ? std::max(object->LeftWidth, 0) : 0;
}

fw::TFont* MenuFont() { return fw::Screen ? fw::Screen->MenuFont() : nullptr; }

fw::TCustomImageList* ImagesOf(const fw::TMenu* menu) { return menu ? menu->Images() : nullptr; }

// Calls f for every item under root (not root itself), with its depth
// (1 for root's own items).
void ForEachItem(fw::TMenuItem* root, const std::function<void(fw::TMenuItem*, int)>& f,
                 int depth = 1)
{
    for (int i = 0; i < root->Count(); ++i) {
        fw::TMenuItem* item = root->Items(i);
        f(item, depth);
        ForEachItem(item, f, depth + 1);
    }
}

// Clears the item's handlers that are these (an application's own stay).
void TakeBackHandlers(fw::TMenuItem* item, const fw::TMenuDrawItemEvent& draw,
                      const fw::TMenuMeasureItemEvent& measure)
{
    if (item->OnDrawItem == draw) item->OnDrawItem = {};
    if (item->OnMeasureItem == measure) item->OnMeasureItem = {};
}

// A native menu's text of an item by command (searched through its
// submenus).
std::wstring NativeMenuText(HMENU menu, UINT command)
{
    if (!menu) return {};
    wchar_t text[kMenuTextLength] = {};
    const int n = GetMenuStringW(menu, command, text, kMenuTextLength, MF_BYCOMMAND);
    return n > 0 ? std::wstring(text, size_t(n)) : std::wstring();
}

// The room a short cut adds to its caption: the gap and the text measured
// as it is drawn; nothing for an empty short cut.
SIZE ShortCutExtent(fw::TCanvas* canvas, const std::string& shortCut)
{
    if (shortCut.empty() || !canvas) return SIZE{};
    RECT r{};
    canvas->DrawText(shortCut, r, kShortCutFlags | DT_CALCRECT);
    return SIZE{canvas->TextExtent(kShortCutGap).cx + (r.right - r.left), r.bottom - r.top};
}

// Paints one item; the parts are drawn into a bitmap of the item's size
// and copied to the menu's DC in one go.
class TItemPainter {
public:
    TItemPainter(TSkinData* data, fw::TMenu* fallbackMenu) : data_(data), fallback_(fallbackMenu) {}

    // The short cut a native item's text (or the system's text of an item
    // of the system menu's copy) gives, shown where an item without a
    // short-cut key of its own has one.
    void SetShortCutText(std::string text) { shortCutText_ = std::move(text); }

    // Ground, MenuItem frame and content; a separator of a framework item
    // gets the separator strip over its ground instead.
    void DrawSkinned(fw::TMenuItem* item, fw::TCanvas* canvas, const RECT& r, bool selected,
                     HMENU menu, bool separatorStrip)
    {
        TDataSkinObject& object = *MenuItemObject(data_);
        const std::unique_ptr<fw::TBitmap> b = ItemBitmap(r);
        if (!b) return;
        Ground(b.get(), menu, r);
        const RECT local{0, 0, b->Width(), b->Height()};
        if (separatorStrip && item->IsLine()) {
            CopyTo(b.get(), canvas, r);
            DrawSeparator(canvas, r);
            return;
        }
        DrawSkinImage(b->Canvas()->Handle(), local, object.Image.get(), false, object.Tile != 0,
                      object.Trans != 0, kItemFrames, selected ? kFrameSelected : kFrameAtRest,
                      object.Margins());
        DrawContent(item, b->Canvas(), selected, local);
        CopyTo(b.get(), canvas, r);
    }

    // A ground of the Hilight (selected) or Menu colour, then the content.
    void DrawPlain(fw::TMenuItem* item, fw::TCanvas* canvas, const RECT& r, bool selected)
    {
        const std::unique_ptr<fw::TBitmap> b = ItemBitmap(r);
        if (!b) return;
        Fill(b.get(), Colour(selected ? TColourSlot::Hilight : TColourSlot::Menu));
        DrawContent(item, b->Canvas(), selected, RECT{0, 0, b->Width(), b->Height()});
        CopyTo(b.get(), canvas, r);
    }

    // Glyph (image or check mark), caption and short cut within r: the
    // glyph at the left, or at the right in a right-to-left menu.
    void DrawContent(fw::TMenuItem* item, fw::TCanvas* canvas, bool selected, const RECT& r)
    {
        const std::string& caption = item->Caption();
        fw::TMenu* menu = item->GetParentMenu();
        if (!menu) menu = fallback_;
        const bool rtl = menu && menu->IsRightToLeft();
        fw::TCustomImageList* images = ImagesOf(menu);
        int gw = images ? images->Width() : 16;
        if (item->Checked()) gw = std::max(gw, 16);
        const int margin = LeftMargin(data_);
        RECT g =
            rtl ? RECT{r.right - 1 - margin - gw, r.top + 1, r.right - 1 - margin, r.top + 1 + gw}
                : RECT{r.left + 1 + margin, r.top + 1, r.left + 1 + margin + gw, r.top + 1 + gw};
        if (item->IsLine())
            g = rtl ? RECT{r.right, r.top, r.right, r.top} : RECT{r.left, r.top, r.left, r.top};
        else
            DrawGlyph(item, canvas, images, g, r, !rtl);

        // The caption box, measured and centred down it as one line.
        const RECT t = rtl ? RECT{r.left + 1, r.top, g.left - 3, r.bottom}
                           : RECT{g.right + 3, r.top, r.right - 1, r.bottom};
        const UINT line = DT_VCENTER | DT_SINGLELINE | (rtl ? DT_RIGHT | DT_RTLREADING : 0);
        RECT text = t;
        DrawText(item, canvas, line | DT_CALCRECT | DT_NOCLIP, selected, text, caption);
        const int textHeight = text.bottom - text.top;
        text.top = t.top + ((t.bottom - t.top) - textHeight) / 2;
        text.bottom = text.top + textHeight;
        // Right-to-left text keeps the box's width to end at its right edge.
        if (rtl) text.right = t.right;
        DrawText(item, canvas, line, selected, text, caption);
        const std::string shortCut =
            item->ShortCutKey() ? fw::ShortCutToText(item->ShortCutKey()) : shortCutText_;
        if (shortCut.empty()) return;
        RECT s = rtl ? RECT{r.left + 11, t.top, t.right, t.bottom}
                     : RECT{text.right, t.top, r.right - 11, t.bottom};
        DrawText(item, canvas, kShortCutFlags | (rtl ? 0 : DT_RIGHT), selected, s, shortCut);
    }

    // The image (checked: in a sunken checkered box) or the check mark in
    // the glyph box g; centred down r when centre is set.
    void DrawGlyph(fw::TMenuItem* item, fw::TCanvas* canvas, fw::TCustomImageList* images, RECT g,
                   const RECT& r, bool centre)
    {
        const int gw = g.right - g.left, height = r.bottom - r.top;
        if (images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count()) {
            if (item->Checked()) {
                FillChecked(canvas->Handle(), g);
                if (centre) g.top = r.top + (height - 16) / 2;
                g.bottom = g.top + gw;
                DrawEdge(canvas->Handle(), &g, BDR_SUNKENOUTER, BF_RECT);
            } else if (centre) {
                g.top = r.top + (height - images->Height()) / 2;
            }
            images->Draw(canvas, g.left, g.top, item->ImageIndex(), item->Enabled());
        } else if (item->Checked()) {
            DrawCheckMark(canvas->Handle(), g, r);
        }
    }

    // One text of an item in its colour (or the etched line of a separator).
    void DrawText(fw::TMenuItem* item, fw::TCanvas* canvas, UINT flags, bool selected, RECT& t,
                  std::string text)
    {
        const bool measuring = (flags & DT_CALCRECT) != 0;
        // An empty caption still measures one line high.
        if (measuring && (text.empty() || text == "&")) text += ' ';
        if (text == "-") {
            if (measuring) return;
            RECT line = t;
            OffsetRect(&line, 0, 4);
            DrawEdge(canvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
            return;
        }
        canvas->Brush()->SetStyle(fw::bsClear);
        if (item->Default())
            canvas->Font()->SetStyle(canvas->Font()->Style() + fw::TFontStyles{fw::fsBold});
        canvas->Font()->SetColor(TextColour(item->Enabled(), selected));
        canvas->DrawText(text, t, flags);
    }

    // The separator strip: the bottom rows of the MenuItem strip's second
    // frame, its margins kept and its middle stretched, magenta left out.
    void DrawSeparator(fw::TCanvas* canvas, const RECT& r)
    {
        TDataSkinObject& object = *MenuItemObject(data_);
        fw::TBitmap* image = object.Image.get();
        const int fw = image->Width() / kItemFrames;
        const int w = r.right - r.left, h = r.bottom - r.top;
        if (fw <= 0 || w <= 0 || h <= 0) return;
        const int ih = image->Height();
        const int sy = ih > h ? ih - h : 0, sh = ih > h ? h : ih;
        const int lw = std::clamp(int(object.LeftWidth), 0, std::min(fw, w));
        const int rw = std::clamp(int(object.RightWidth), 0, std::min(fw - lw, w - lw));
        fw::TBitmap strip;
        strip.SetPixelFormat(fw::pf24bit);
        strip.SetSize(w, h);
        HDC dc = strip.Canvas()->Handle();
        HDC source = image->Canvas()->Handle();
        const int sx = fw * (kFrameSeparator - 1);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, lw, h, source, sx, sy, lw, sh, SRCCOPY);
        StretchBlt(dc, lw, 0, w - lw - rw, h, source, sx + lw, sy, fw - lw - rw, sh, SRCCOPY);
        StretchBlt(dc, w - rw, 0, rw, h, source, sx + fw - rw, sy, rw, sh, SRCCOPY);
        DrawTransparent(canvas->Handle(), r, &strip, kSkinKeyColor);
    }

private:
    fw::TColor Colour(TColourSlot slot) const { return data_->Skin().Colour(slot); }

    fw::TColor TextColour(bool enabled, bool selected) const
    {
        if (enabled) return Colour(selected ? TColourSlot::HilightText : TColourSlot::MenuText);
        // A shadow that equals the text would not show an item as disabled.
        const fw::TColor shadow = Colour(TColourSlot::ButtonShadow);
        return fw::ColorToRGB(shadow) == fw::ColorToRGB(Colour(TColourSlot::MenuText))
                   ? fw::clBtnShadow
                   : shadow;
    }

    // A bitmap of r's size in the menu font; null for an empty r.
    static std::unique_ptr<fw::TBitmap> ItemBitmap(const RECT& r)
    {
        const int w = r.right - r.left, h = r.bottom - r.top;
        if (w <= 0 || h <= 0) return nullptr;
        auto b = std::make_unique<fw::TBitmap>();
        b->SetPixelFormat(fw::pf24bit);
        b->SetSize(w, h);
        if (fw::TFont* font = MenuFont()) b->Canvas()->SetFont(font);
        return b;
    }

    static void Fill(fw::TBitmap* b, fw::TColor colour)
    {
        b->Canvas()->Brush()->SetStyle(fw::bsSolid);
        b->Canvas()->Brush()->SetColor(colour);
        b->Canvas()->FillRect(RECT{0, 0, b->Width(), b->Height()});
    }

    // The item's part of its popup's skinned ground, or the Menu colour.
    void Ground(fw::TBitmap* b, HMENU menu, const RECT& r) const
    {
        TSkinManage* manager = SkinManager();
        fw::TBitmap* ground = manager ? manager->PopupMenuBitmap(menu) : nullptr;
        if (ground && !ground->Empty()) {
            BitBlt(b->Canvas()->Handle(), 0, 0, b->Width(), b->Height(), ground->Canvas()->Handle(),
                   r.left + kPopupFrame, r.top + kPopupFrame, SRCCOPY);
            return;
        }
        Fill(b, Colour(TColourSlot::Menu));
    }

    static void CopyTo(fw::TBitmap* b, fw::TCanvas* canvas, const RECT& r)
    {
        BitBlt(canvas->Handle(), r.left, r.top, b->Width(), b->Height(), b->Canvas()->Handle(), 0,
               0, SRCCOPY);
    }

    // The checkered ground of a checked item's image.
    static void FillChecked(HDC dc, const RECT& g)
    {
        fw::TBitmap* pattern = fw::AllocPatternBitmap(fw::clBtnFace, fw::clBtnHighlight);
        const fw::TGdiObject<HBRUSH> brush(CreatePatternBrush(pattern->Handle()));
        if (brush.Handle()) FillRect(dc, &g, brush.Handle());
    }

    // The system's check mark in the button-text colour, its white left
    // out: centred in g across, in the row r down.
    static void DrawCheckMark(HDC dc, const RECT& g, const RECT& r)
    {
        const fw::TGdiObject<HBITMAP> mark(LoadBitmapW(nullptr, MAKEINTRESOURCEW(kCheckBitmap)));
        BITMAP info{};
        if (!mark.Handle() || !GetObjectW(mark.Handle(), sizeof info, &info)) return;
        const fw::TMemoryDC source(dc);
        if (!source.Handle()) return;
        const fw::TSelectObject selected(source.Handle(), mark.Handle());
        const fw::TGdiObject<HBRUSH> brush(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
        const fw::TSavedDC saved(dc);
        SelectObject(dc, brush.Handle());
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        const int x = g.left + ((g.right - g.left) - info.bmWidth) / 2 + 1;
        const int y = r.top + ((r.bottom - r.top) - info.bmHeight) / 2 + 1;
        // Brush where the mark is black, the destination where it is white.
        constexpr DWORD kBrushThroughMask = 0xB8074A;
        BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.Handle(), 0, 0, kBrushThroughMask);
    }

    TSkinData* data_;
    fw::TMenu* fallback_;
    std::string shortCutText_;
};

// A stand-in for a native item that has no framework item: its caption
// ("-" when it has no text), enabled and checked state; the short cut its
// text gives goes to shortCut.
fw::TOwnedPtr<fw::TMenuItem> MenuItemFromNative(HMENU menu, UINT command, std::string& shortCut)
{
    fw::TOwnedPtr<fw::TMenuItem> item(new fw::TMenuItem(nullptr));
    const std::wstring text = NativeMenuText(menu, command);
    TNativeMenuText split = SplitNativeMenuText(text);
    item->SetCaption(text.empty() ? "-" : split.Caption);
    shortCut = std::move(split.ShortCut);
    const UINT state = menu ? GetMenuState(menu, command, MF_BYCOMMAND) : 0;
    if (state != UINT(-1)) {
        item->SetEnabled(!(state & (MFS_GRAYED | MFS_DISABLED)));
        item->SetChecked((state & MFS_CHECKED) != 0);
    }
    return item;
}

}  // namespace

TNativeMenuText SplitNativeMenuText(std::wstring_view text)
{
    const size_t tab = text.find(L'\t');
    if (tab == std::wstring_view::npos) return {fw::ToGbk(text), {}};
    return {fw::ToGbk(text.substr(0, tab)), fw::ToGbk(text.substr(tab + 1))};
}

// -- framework items --------------------------------------------------------

void TWinSkinForm::MeasureMenuItem(fw::TObject* sender, fw::TCanvas* canvas, int& width, int&)
{
    auto* item = dynamic_cast<fw::TMenuItem*>(sender);
    // The item's own measure has its caption and any short-cut key; an
    // item of the system menu's copy adds the short cut of its text.
    if (item && !item->ShortCutKey()) width += ShortCutExtent(canvas, SysMenuShortCut(item)).cx;
    width += LeftMargin(SkinData) + 12;
    if (!item || !ImagesOf(item->GetParentMenu())) width += 23;
}

void TWinSkinForm::MeasureBarMenuItem(fw::TObject* sender, fw::TCanvas*, int& width, int&)
{
    auto* item = dynamic_cast<fw::TMenuItem*>(sender);
    width += LeftMargin(SkinData) + 10;
    if (!item || !ImagesOf(item->GetParentMenu())) width += 25;
}

void TWinSkinForm::DrawMenuItem(fw::TObject* sender, fw::TCanvas* canvas, RECT r, bool selected)
{
    auto* item = dynamic_cast<fw::TMenuItem*>(sender);
    if (!item || !canvas || !SkinData || SkinData->NoSkin()) return;
    TSkinManage* manager = SkinManager();
    if (manager) manager->MarkBarPopups();
    TItemPainter painter(SkinData, FormControl ? FormControl->Menu() : nullptr);
    painter.SetShortCutText(SysMenuShortCut(item));
    if (!MenuItemObject(SkinData)) {
        painter.DrawPlain(item, canvas, r, selected);
        return;
    }
    fw::TMenuItem* parent = item->Parent();
    HMENU menu = parent && parent->HandleAllocated() ? parent->Handle() : nullptr;
    if (manager && menu) manager->SetPopupMenuHandle(menu);
    painter.DrawSkinned(item, canvas, r, selected, menu, true);
}

// -- native items -------------------------------------------------------------

void TWinSkinForm::WMMeasureItem(fw::TMessage& m)
{
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (!mis || mis->CtlType != ODT_MENU || !NativeMenu || !SkinData) {
        CallOld(m);
        return;
    }
    int width = int(mis->itemWidth), height = int(mis->itemHeight);
    if (FormControl) {
        if (TSkinManage* manager = SkinManager()) manager->MarkBarPopups();
        fw::TMainMenu* menu = FormControl->Menu();
        if (fw::TMenuItem* item = menu ? menu->FindItem(mis->itemID, fw::fkCommand) : nullptr) {
            fw::TWindowDC dc(WindowHandle);
            {
                fw::TCanvas canvas;  // gives the DC back before the guard releases it
                canvas.SetHandle(dc.Handle());
                if (fw::TFont* font = MenuFont()) canvas.SetFont(font);
                // The item's own measure, without its handler, widened as
                // the bar's items are.
                const fw::TMenuMeasureItemEvent handler = item->OnMeasureItem;
                item->OnMeasureItem = {};
                {
                    fw::TScopeExit restore([&] { item->OnMeasureItem = handler; });
                    item->MeasureItem(&canvas, width, height);
                }
                MeasureBarMenuItem(item, &canvas, width, height);
            }
            mis->itemWidth = UINT(std::max(width, 0));
            mis->itemHeight = UINT(std::max(height, 0));
            m.Result = TRUE;
            return;
        }
        if (mis->itemID >= kFirstAppCommand && mis->itemID <= kLastAppCommand) {
            CallOld(m);
            return;
        }
    }
    // System commands and items of windows that are not forms: the text
    // in the menu font, a short cut after a tab set apart from the caption
    // as a framework item's is and measured as it is drawn.
    std::wstring native = NativeMenuText(NativeMenu, mis->itemID);
    if (native.empty()) native = NativeMenuText(SysMenuHandle, mis->itemID);
    const TNativeMenuText split = SplitNativeMenuText(native);
    SIZE size{};
    {
        fw::TWindowDC dc(WindowHandle);
        fw::TCanvas canvas;
        canvas.SetHandle(dc.Handle());
        if (fw::TFont* font = MenuFont()) canvas.SetFont(font);
        if (!native.empty()) {
            size = canvas.TextExtent(split.Caption);
            const SIZE shortCut = ShortCutExtent(&canvas, split.ShortCut);
            size.cx += shortCut.cx;
            size.cy = std::max(size.cy, shortCut.cy);
        }
    }
    width = size.cx + 26 + LeftMargin(SkinData);
    // A text item is at least its text high, whatever the system put in.
    height = native.empty() ? 8 : std::max(height, int(size.cy)) + 4;
    if (WindowsVersion().Win95Family) height += 4;
    mis->itemWidth = UINT(width);
    mis->itemHeight = UINT(height);
    m.Result = TRUE;
}

void TWinSkinForm::WMDrawItem(fw::TMessage& m)
{
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    const TWindowsVersion& version = WindowsVersion();
    const bool nt4Frame = FormKind == fkMDIFrame && version.NT && version.Major == 4;
    if (!dis || dis->CtlType != ODT_MENU || !NativeMenu || nt4Frame || !SkinData ||
        SkinData->NoSkin()) {
        CallOld(m);
        return;
    }
    auto menu = reinterpret_cast<HMENU>(dis->hwndItem);
    if (TSkinManage* manager = SkinManager()) {
        manager->SetPopupMenuHandle(menu);
        manager->MarkBarPopups();
    }
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    fw::TMenuItem* item = nullptr;
    if (FormControl) {
        fw::TMainMenu* mainMenu = FormControl->Menu();
        item = mainMenu ? mainMenu->FindItem(dis->itemID, fw::fkCommand) : nullptr;
        if (!item && dis->itemID >= kFirstAppCommand && dis->itemID <= kLastAppCommand) {
            CallOld(m);
            return;
        }
    }
    {
        fw::TSavedDC saved(dis->hDC);
        fw::TCanvas canvas;
        canvas.SetHandle(dis->hDC);
        if (fw::TFont* font = MenuFont()) canvas.SetFont(font);
        TItemPainter painter(SkinData, FormControl ? FormControl->Menu() : nullptr);
        if (item) {
            if (MenuItemObject(SkinData))
                DrawMenuItem(item, &canvas, dis->rcItem, selected);
            else
                painter.DrawPlain(item, &canvas, dis->rcItem, selected);
        } else {
            std::string shortCut;
            const fw::TOwnedPtr<fw::TMenuItem> native =
                MenuItemFromNative(menu, dis->itemID, shortCut);
            painter.SetShortCutText(std::move(shortCut));
            if (MenuItemObject(SkinData))
                painter.DrawSkinned(native.get(), &canvas, dis->rcItem, selected, menu, false);
            else
                painter.DrawPlain(native.get(), &canvas, dis->rcItem, selected);
        }
    }
    m.Result = TRUE;
}

// -- switching menus to the skin's drawing -----------------------------------

void TWinSkinForm::OwnerDrawPopupMenus(fw::TComponent* container, bool on)
{
    if (!container || !SkinData || ClassName == kRichEditFormClass) return;
    const fw::TMenuDrawItemEvent draw(this, &TWinSkinForm::DrawMenuItem);
    const fw::TMenuMeasureItemEvent measure(this, &TWinSkinForm::MeasureMenuItem);
    for (int i = 0; i < container->ComponentCount(); ++i) {
        fw::TComponent* component = container->Components(i);
        if (dynamic_cast<fw::TCustomForm*>(component)) {
            OwnerDrawPopupMenus(component, on);
            continue;
        }
        auto* popup = dynamic_cast<fw::TPopupMenu*>(component);
        if (!popup || !SkinData->SkinControls().Contains(xcPopupMenu) ||
            popup->Tag() == SkinData->DisableTag())
            continue;
        popup->SetOwnerDraw(on);
        ForEachItem(popup->Items(), [&](fw::TMenuItem* item, int) {
            if (on) {
                item->OnDrawItem = draw;
                if (!item->OnMeasureItem) item->OnMeasureItem = measure;
                return;
            }
            TakeBackHandlers(item, draw, measure);
        });
    }
}

void TWinSkinForm::OwnerDrawMainMenu(fw::TComponent* container, bool on)
{
    if (!container) return;
    const fw::TMenuDrawItemEvent draw(this, &TWinSkinForm::DrawMenuItem);
    const fw::TMenuMeasureItemEvent measure(this, &TWinSkinForm::MeasureBarMenuItem);
    for (int i = 0; i < container->ComponentCount(); ++i) {
        auto* menu = dynamic_cast<fw::TMainMenu*>(container->Components(i));
        if (!menu) continue;
        menu->SetOwnerDraw(on);
        // The bar's own entries (depth 1) are the menu bar's to draw.
        ForEachItem(menu->Items(), [&](fw::TMenuItem* item, int depth) {
            if (on) {
                if (depth >= 2 && !item->OnDrawItem) {
                    item->OnDrawItem = draw;
                    item->OnMeasureItem = measure;
                }
                return;
            }
            TakeBackHandlers(item, draw, measure);
        });
    }
}

void TWinSkinForm::OwnerDrawMenuItems(fw::TMenuItem* item, bool on)
{
    if (!item) return;
    const fw::TMenuDrawItemEvent draw(this, &TWinSkinForm::DrawMenuItem);
    const auto one = [&](fw::TMenuItem* i, int) {
        if (on) {
            i->OnDrawItem = draw;
            i->OnMeasureItem = fw::TMenuMeasureItemEvent(this, &TWinSkinForm::MeasureBarMenuItem);
        } else if (i->OnDrawItem == draw) {
            i->OnDrawItem = {};
        }
    };
    one(item, 0);
    ForEachItem(item, one);
}

void TWinSkinForm::ForgetMenuHandlers(fw::TComponent* container)
{
    const auto bound = [this](const auto& event) { return event.Object() == this; };
    for (int i = 0; i < container->ComponentCount(); ++i) {
        fw::TComponent* component = container->Components(i);
        if (auto* menu = dynamic_cast<fw::TMenu*>(component)) {
            ForEachItem(menu->Items(), [&](fw::TMenuItem* item, int) {
                if (bound(item->OnDrawItem)) item->OnDrawItem = {};
                if (bound(item->OnMeasureItem)) item->OnMeasureItem = {};
            });
        }
        ForgetMenuHandlers(component);
    }
}

// -- toolbars ------------------------------------------------------------------

void TWinSkinForm::ToolbarCustomDraw(fw::TCanvas* canvas, const RECT& r)
{
    if (!canvas || !SkinData || SkinData->NoSkin()) return;
    const TDataSkinObject* ground = SkinData->Skin().Toolbar.get();
    if (!ground || ground->Image->Empty() || SkinData->Options().Contains(xoToolbarBK)) return;
    HDC dc = canvas->Handle();
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    fw::TBitmap* image = ground->Image.get();
    StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, image->Canvas()->Handle(), 0,
               0, image->Width(), image->Height(), SRCCOPY);
    SetStretchBltMode(dc, mode);
}

void TWinSkinForm::DrawToolbar(fw::TObject*, fw::TCanvas* canvas, const RECT& r, bool&)
{
    ToolbarCustomDraw(canvas, r);
}

void TWinSkinForm::DrawToolbarButton(fw::TObject*, fw::TCanvas* canvas, const RECT& button,
                                     UINT state, bool&)
{
    ToolbarButtonCustomDraw(canvas, button, state);
}

void TWinSkinForm::ForgetToolbarHandlers()
{
    if (!FormControl) return;
    const fw::TToolBarCustomDrawEvent draw(this, &TWinSkinForm::DrawToolbar);
    const fw::TToolBarCustomDrawButtonEvent button(this, &TWinSkinForm::DrawToolbarButton);
    std::vector<fw::TWinControl*> controls;
    FormControl->GetTabOrderList(controls);
    for (fw::TWinControl* c : controls) {
        if (fw::GetMethodProp(c, "OnCustomDraw") == draw.Method())
            fw::SetMethodProp(c, "OnCustomDraw", fw::TToolBarCustomDrawEvent());
        if (fw::GetMethodProp(c, "OnCustomDrawButton") == button.Method())
            fw::SetMethodProp(c, "OnCustomDrawButton", fw::TToolBarCustomDrawButtonEvent());
    }
}

bool TWinSkinForm::ToolbarButtonCustomDraw(fw::TCanvas* canvas, const RECT& bounds, UINT state)
{
    if (!canvas || !SkinData || SkinData->NoSkin() || FormState != fsActive ||
        SkinData->Options().Contains(xoToolbarButton))
        return false;
    TDataSkinButton* button = SkinData->Skin().Buttons.get();
    if (!button || button->Image->Empty()) return false;
    int frame = 0;
    if (state & CDIS_SELECTED)
        frame = 2;
    else if (state & (CDIS_FOCUS | CDIS_HOT))
        frame = 4;
    else if (!(state & (CDIS_GRAYED | CDIS_DISABLED)) && (state & CDIS_DEFAULT))
        frame = 1;
    if (!frame) return false;
    if (frame == 2 && button->PressedColour2Given)
        canvas->Font()->SetColor(button->PressedColour2);
    else if (frame == 4 && button->MouseOverColour2Given)
        canvas->Font()->SetColor(button->MouseOverColour2);
    else if (frame == 1 && button->NormalColour2Given)
        canvas->Font()->SetColor(button->NormalColour2);
    RECT r = bounds;
    InflateRect(&r, -1, -1);
    DrawSkinImage(canvas->Handle(), r, button->Image.get(), false, false, button->Trans != 0,
                  kItemFrames, frame, button->Margins());
    return true;
}

}  // namespace skin
