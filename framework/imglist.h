// TImageList: images of one size in a system image list (comctl32), drawn
// by index with their mask.
#pragma once

#include <string>

#include "framework/bitmaps.h"

namespace fw {

class TCustomImageList : public TComponent {
    FW_CLASS(TCustomImageList, TComponent)
public:
    explicit TCustomImageList(TComponent* owner);

    // Changing the size empties the list.
    int Width() const { return width_; }
    void SetWidth(int width);
    int Height() const { return height_; }
    void SetHeight(int height);

    // The image list, made on demand (24-bit colour with a mask); owned.
    HIMAGELIST Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    int Count() const;

    // Adds the image (a strip wider than Width gives several images);
    // answers the index of the first, -1 on failure.
    int Add(TBitmap* image, TBitmap* mask);
    // The same, with every pixel of maskColor transparent.
    int AddMasked(TBitmap* image, TColor maskColor);
    void Clear();
    // Loads a bitmap resource as a strip of images, maskColor transparent.
    bool ResInstLoad(HINSTANCE instance, const std::string& name, TColor maskColor);

    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);

    TNotifyEvent OnChange;

protected:
    void Destroy() override;

private:
    void Recreate();
    int width_ = 16, height_ = 16;
    HIMAGELIST handle_ = nullptr;
};

class TImageList : public TCustomImageList {
    FW_CLASS(TImageList, TCustomImageList)
public:
    using TCustomImageList::TCustomImageList;
};

}  // namespace fw
