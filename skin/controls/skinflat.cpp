#include "skin/controls/skinflat.h"

#include "skin/controls/skinpaint.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinSizer) {}
FW_IMPLEMENT_CLASS(TSkinTabSheet) {}

namespace {

HBRUSH FaceBrush(const TSkinControl* skinner)
{
    return skinner->SkinData ? skinner->SkinData->Skin().ButtonFaceBrush.Handle() : nullptr;
}

}  // namespace

void TSkinSizer::DrawControl(HDC dc, const RECT& r) { FillSkinFace(dc, r); }

bool TSkinTabSheet::BeforeProc(fw::TMessage& m)
{
    const bool pass = TSkinControl::BeforeProc(m);
    if (ParentBackgroundCleared) return pass;
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINT: DoPaintMessage(this, m); return false;
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(Handle, &r);
        if (HBRUSH brush = FaceBrush(this))
            FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush);
        else
            FillSkinFace(reinterpret_cast<HDC>(m.WParam), r);
        m.Result = 1;
        return false;
    }
    default: return pass;
    }
}

void TSkinTabSheet::DrawControl(HDC dc, const RECT& r)
{
    FillSkinFace(dc, r);
    if (auto* sheet = dynamic_cast<fw::TWinControl*>(Control)) sheet->PaintControls(dc);
}

}  // namespace skin
