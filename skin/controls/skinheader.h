// Header controls and list views. A header (a list view's column header,
// or one standing alone) is painted entirely from the skin's Headerbar
// strip: frame 1 for an item, frame 2 for the item under the mouse, and
// frame 1 for the space right of the last item; texts and images go on
// top. A list view gets the skinned scroll bars and its header skinned.
#pragma once

#include "framework/winapi.h"

#include <string>
#include <vector>

#include "skin/controls/skinscroll.h"

namespace skin {

class TSkinHeader : public TSkinControl {
    FW_CLASS(TSkinHeader, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                     fw::TCanvas* workCanvas) override;
    void InitHandle(HWND handle, TSkinData* skinData, TSkinControlList* form,
                    fw::TCanvas* workCanvas) override;
    bool BeforeProc(fw::TMessage& message) override;
    void AfterProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;

    // The item under the mouse (-1 none): the mouse position against the
    // item rectangles of the last paint.
    void HotTrackHeader(const fw::TMessage& message);

    int HotItem = -1;
    // Each item's rectangle of the last paint, narrowed by 3 pixels at
    // either side.
    std::vector<RECT> ItemRects;

private:
    // The skin's Headerbar object when it has an image, else null.
    TDataSkinObject* Headerbar() const;
    void DrawHeaderItem(HDC work, const fw::TFont& font, HIMAGELIST images, int index,
                        const RECT& item);
};

// The layout of a header item's content in r: the image (none when the
// list's icons are wider than r) followed by the text, aligned 0 left,
// 1 centre or 2 right, in the canvas's font. A text that does not fit
// ends in an ellipsis.
void DrawHeaderText(TSkinControl* skinner, fw::TCanvas* canvas, const RECT& r, int align,
                    const std::wstring& text, int imageIndex, HIMAGELIST images);
// The alignment of a header item's format, from its justify bits
// (HDF_JUSTIFYMASK): HDF_RIGHT 2 right, HDF_CENTER 1 centre, else 0 left.
int HeaderAlignment(int format);

class TSkinListView : public TSkinScrollbar {
    FW_CLASS(TSkinListView, TSkinScrollbar)
public:
    using TSkinScrollbar::TSkinScrollbar;

    // The scroll bars, then the list view's header, if it has one, gets a
    // header skinner owned by the list view.
    void InitScrollbar(fw::TWinControl* control, TSkinData* skinData, TSkinControlList* form,
                       fw::TCanvas* canvas) override;
    void Notification(fw::TComponent* component, fw::TOperation operation) override;

    // The header's skinner; cleared when it is freed first.
    TSkinHeader* Header = nullptr;
};

}  // namespace skin
