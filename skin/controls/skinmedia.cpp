#include "skin/controls/skinmedia.h"

#include <string>

#include "framework/typinfo.h"
#include "skin/controls/skinpaint.h"
#include "skin/draw/skindraw.h"
#include "skin/engine/skinunit.h"

namespace skin {

FW_IMPLEMENT_CLASS(TWMediaPlayer) {}
FW_IMPLEMENT_CLASS(TSkinMP) {}

namespace {

constexpr const char* kButtonNames[kPlayerButtons] = {
    "btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord", "btEject",
};
constexpr const char* kGlyphNames[kPlayerButtons] = {
    "MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV", "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT",
};
// By TWMediaPlayer::TGlyphKind.
constexpr const char* kGlyphPrefixes[3] = {"EN", "DI", "CL"};
// The glyphs' transparent colour.
constexpr fw::TColor kGlyphKey = 0x008080;

}  // namespace

const char* PlayerButtonName(int button)
{
    return button >= 0 && button < kPlayerButtons ? kButtonNames[button] : "";
}

// ---------------------------------------------------------------------------
// The panel

TWMediaPlayer::TWMediaPlayer(fw::TComponent* owner) : fw::TCustomPanel(owner)
{
    LoadPlayerGlyphs();
}

void TWMediaPlayer::LoadPlayerGlyphs()
{
    HINSTANCE module = ModuleInstance() ? ModuleInstance() : GetModuleHandleW(nullptr);
    for (int i = 0; i < kPlayerButtons; ++i) {
        for (int kind = 0; kind < 3; ++kind) {
            auto glyph = std::make_unique<fw::TBitmap>();
            const std::string name = std::string(kGlyphPrefixes[kind]) + "_" + kGlyphNames[i];
            if (HBITMAP h = LoadBitmapA(module, name.c_str())) glyph->SetHandle(h);
            Buttons[size_t(i)].Glyphs[size_t(kind)] = std::move(glyph);
        }
    }
}

void TWMediaPlayer::AttachPlayer(TSkinMP* skinner, fw::TControl* player)
{
    Player = player;
    Skinner = skinner;
    if (player) player->FreeNotification(this);
    if (skinner) skinner->FreeNotification(this);
    SkinData = skinner ? skinner->SkinData : nullptr;
    // The engine never skins its own panel.
    if (SkinData) SetTag(SkinData->DisableTag());
    PlaceOverPlayer();
    if (!player || !player->Parent()) return;
    SetParent(player->Parent());
    // Right above the player among its siblings, so that the panel takes
    // the mouse (a new sibling goes below the ones made before it).
    auto* windowed = dynamic_cast<fw::TWinControl*>(player);
    if (!windowed || !windowed->HandleAllocated()) return;
    HWND above = GetWindow(windowed->HandleIfAllocated(), GW_HWNDPREV);
    if (above == Handle()) return;
    SetWindowPos(Handle(), above ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TWMediaPlayer::PlaceOverPlayer()
{
    if (Player) SetBounds(Player->Left(), Player->Top(), Player->Width(), Player->Height());
}

void TWMediaPlayer::Notification(fw::TComponent* component, fw::TOperation operation)
{
    fw::TCustomPanel::Notification(component, operation);
    if (operation != fw::opRemove) return;
    // A freed player is neither read nor sent clicks any more, and its
    // panel has nothing left to show.
    if (component == Player) {
        Player = nullptr;
        if (!Destroying()) SetVisible(false);
    }
    if (component == Skinner) Skinner = nullptr;
}

uint8_t TWMediaPlayer::PlayerButtonAt(int x) const
{
    int left = 0;
    for (int i = 0; i < kPlayerButtons; ++i) {
        if (!Buttons[size_t(i)].Visible) continue;
        if (left <= x && x <= left + ButtonWidth) return static_cast<uint8_t>(i);
        left += ButtonWidth;
    }
    return kNoPlayerButton;
}

fw::TColor TWMediaPlayer::FaceColour() const
{
    return SkinData ? SkinData->Skin().Colour(TColourSlot::ButtonFace) : fw::clBtnFace;
}

void TWMediaPlayer::ReadPlayerButtons()
{
    auto text = [this](const char* name) {
        return Player ? fw::GetSetProp(Player, name) : std::string();
    };
    const std::string visible = text("VisibleButtons");
    const std::string enabled = text("EnabledButtons");
    const std::string coloured = text("ColoredButtons");
    VisibleCount = 0;
    for (int i = 0; i < kPlayerButtons; ++i) {
        TButtonState& b = Buttons[size_t(i)];
        // No button's name is part of another's.
        b.Visible = visible.find(kButtonNames[i]) != std::string::npos;
        b.Enabled = enabled.find(kButtonNames[i]) != std::string::npos;
        b.Coloured = coloured.find(kButtonNames[i]) != std::string::npos;
        if (b.Visible) ++VisibleCount;
    }
}

void TWMediaPlayer::Paint()
{
    ReadPlayerButtons();
    fw::TCanvas* canvas = Canvas();
    const int w = Width(), h = Height();
    if (VisibleCount == 0) {
        canvas->Brush()->SetStyle(fw::bsSolid);
        canvas->Brush()->SetColor(FaceColour());
        canvas->FillRect({0, 0, w, h});
        return;
    }
    ButtonWidth = w / VisibleCount;
    fw::TBitmap work;
    work.SetPixelFormat(fw::pf24bit);
    work.SetSize(w, h);
    if (work.Empty()) return;
    fw::TCanvas* wc = work.Canvas();
    wc->Brush()->SetColor(FaceColour());
    wc->FillRect({0, 0, w, h});
    int x = 0;
    for (int i = 0; i < kPlayerButtons; ++i) {
        if (!Buttons[size_t(i)].Visible) continue;
        DrawPlayerButton(wc, i, {x, 0, x + ButtonWidth, h});
        x += ButtonWidth;
    }
    canvas->Draw(0, 0, &work);
}

void TWMediaPlayer::DrawPlayerButton(fw::TCanvas* canvas, int i, const RECT& r)
{
    const TButtonState& b = Buttons[size_t(i)];
    const int glyphKind = !b.Enabled ? gkDisabled : b.Coloured ? gkColoured : gkEnabled;
    int face = 1;
    if (!b.Enabled)
        face = 3;
    else if (MouseDown && i == PressedButton)
        face = 2;
    if (SkinData) {
        TDataSkinButton* buttons = SkinData->Skin().Buttons.get();
        DrawSkinImage(canvas->Handle(), r, buttons->Image.get(), false, buttons->Tile != 0,
                      buttons->Trans != 0, buttons->Frame, face, buttons->Margins());
    }
    fw::TBitmap* glyph = b.Glyphs[size_t(glyphKind)].get();
    if (!glyph || glyph->Empty()) return;
    const int gw = glyph->Width(), gh = glyph->Height();
    int x = r.left + (WidthOf(r) - gw) / 2, y = (HeightOf(r) - gh) / 2;
    if (face == 2) ++x, ++y;  // the pressed look
    // The glyph's key colour shows the face beneath.
    canvas->Brush()->SetStyle(fw::bsClear);
    canvas->BrushCopy({x, y, x + gw, y + gh}, glyph, {0, 0, gw, gh}, kGlyphKey);
    canvas->Brush()->SetStyle(fw::bsSolid);
}

bool TWMediaPlayer::PassToPlayer(const fw::TMessage& m)
{
    return alive_.Survives([&] { Player->Perform(m.Msg, m.WParam, m.LParam); });
}

void TWMediaPlayer::LetGo()
{
    alive_.End();
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    inherited::LetGo();
}

void TWMediaPlayer::WndProc(fw::TMessage& m)
{
    const TBusyScope busy(this);
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
        MouseDown = true;
        fw::TCustomPanel::WndProc(m);
        if (Player && !PassToPlayer(m)) return;
        ReleaseCapture();
        HitButton = PlayerButtonAt(LOWORD(m.LParam));
        PressedButton = HitButton;
        Invalidate();
        return;
    case WM_LBUTTONUP:
        MouseDown = false;
        fw::TCustomPanel::WndProc(m);
        HitButton = PlayerButtonAt(LOWORD(m.LParam));
        // A click released over another button than the one pressed is
        // no click.
        if (HitButton == PressedButton && Player && !PassToPlayer(m)) return;
        PressedButton = HitButton;
        Invalidate();
        return;
    default: fw::TCustomPanel::WndProc(m); return;
    }
}

// ---------------------------------------------------------------------------
// The skinner

void TSkinMP::InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                          fw::TCanvas* workCanvas)
{
    if (Attached) return;
    TSkinControl::InitControl(form, skinData, replaceColor, workCanvas);
    if (!Control) return;
    Panel = new TWMediaPlayer(form ? form->OwnerComponent : nullptr);
    Panel->FreeNotification(this);
    Panel->AttachPlayer(this, Control);
    Panel->SetVisible(Control->Visible());
}

void TSkinMP::UnSkin()
{
    TSkinControl::UnSkin();
    if (SkinState == kDestroyed || !Panel) return;
    TWMediaPlayer* panel = Panel;
    Panel = nullptr;
    panel->Free();
}

void TSkinMP::AfterProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
        if (Panel) Panel->PlaceOverPlayer();
        break;
    case fw::CM_VISIBLECHANGED:
        if (Panel && Control) Panel->SetVisible(Control->Visible());
        break;
    default: TSkinControl::AfterProc(m); break;
    }
}

void TSkinMP::Destroy()
{
    // A panel no form skinner owns goes with its skinner.
    if (Panel && !Panel->Owner()) {
        TWMediaPlayer* panel = Panel;
        Panel = nullptr;
        panel->Free();
    }
    TSkinControl::Destroy();
}

void TSkinMP::Notification(fw::TComponent* component, fw::TOperation operation)
{
    TSkinControl::Notification(component, operation);
    if (operation == fw::opRemove && component == Panel) Panel = nullptr;
}

}  // namespace skin
