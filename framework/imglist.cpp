#include "framework/imglist.h"

namespace fw {

FW_IMPLEMENT_CLASS(TCustomImageList) {}

FW_IMPLEMENT_CLASS(TImageList)
{
    c.Property("Width", &TImageList::Width, &TImageList::SetWidth);
    c.Property("Height", &TImageList::Height, &TImageList::SetHeight);
    c.Property("OnChange", &TImageList::OnChange);
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

void TCustomImageList::Destroy()
{
    if (handle_) ImageList_Destroy(handle_);
    handle_ = nullptr;
    inherited::Destroy();
}

void TCustomImageList::Recreate()
{
    if (handle_) ImageList_Destroy(handle_);
    handle_ = nullptr;
    OnChange(this);
}

void TCustomImageList::SetWidth(int width)
{
    if (width == width_ || width <= 0) return;
    width_ = width;
    Recreate();
}

void TCustomImageList::SetHeight(int height)
{
    if (height == height_ || height <= 0) return;
    height_ = height;
    Recreate();
}

HIMAGELIST TCustomImageList::Handle()
{
    if (!handle_) handle_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
    return handle_;
}

int TCustomImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

int TCustomImageList::Add(TBitmap* image, TBitmap* mask)
{
    if (!image || image->Empty()) return -1;
    const int index = ImageList_Add(Handle(), image->Handle(), mask ? mask->Handle() : nullptr);
    OnChange(this);
    return index;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor)
{
    if (!image || image->Empty()) return -1;
    // The bitmap must not be selected into its canvas's DC meanwhile.
    TBitmap copy;
    copy.Assign(image);
    const int index = ImageList_AddMasked(Handle(), copy.Handle(), ColorToRGB(maskColor));
    OnChange(this);
    return index;
}

void TCustomImageList::Clear()
{
    if (handle_) ImageList_RemoveAll(handle_);
    OnChange(this);
}

bool TCustomImageList::ResInstLoad(HINSTANCE instance, const std::string& name, TColor maskColor)
{
    TBitmap strip;
    try {
        strip.LoadFromResourceName(instance, name);
    } catch (const EInvalidGraphic&) {
        return false;
    }
    return AddMasked(&strip, maskColor) >= 0;
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled)
{
    if (!handle_ || index < 0 || index >= Count()) return;
    ImageList_DrawEx(handle_, index, canvas->Handle(), x, y, 0, 0, CLR_NONE, CLR_DEFAULT,
                     enabled ? ILD_NORMAL : ILD_NORMAL | ILD_BLEND50);
}

}  // namespace fw
