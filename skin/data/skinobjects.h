// The skin objects a loaded skin consists of: image strips with their
// margins, frame counts and drawing flags, the caption text layout, the
// caption-button records, and the skin's colours. Every painter of the
// engine reads these; a load (skinapply.h) fills them.
#pragma once

#include "framework/winapi.h"

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/bitmaps.h"

namespace skin {

using fw::TBitmap;
using fw::TColor;

// One image strip and how it is drawn. A new object has every number 0
// and an empty image; the image is always there (empty when the skin has
// no such member).
class TDataSkinObject {
public:
    TDataSkinObject() = default;
    explicit TDataSkinObject(std::string name) : Name(std::move(name)) {}
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;
    // Takes the other's numbers, name and images.
    TDataSkinObject& operator=(TDataSkinObject&&) = default;

    // The margins as a rectangle of widths (left, top, right, bottom), the
    // form the drawing helpers take.
    RECT Margins() const { return RECT{LeftWidth, TopHeight, RightWidth, BottomHeight}; }

    int32_t LeftWidth = 0;
    int32_t TopHeight = 0;
    int32_t RightWidth = 0;
    int32_t BottomHeight = 0;
    std::unique_ptr<TBitmap> Image = std::make_unique<TBitmap>();
    int32_t Trans = 0;  // 1: magenta pixels are transparent
    int32_t Tile = 0;   // 1: middle parts tiled, 0: stretched
    std::string Name;
    int32_t Frame = 0;  // frames in the strip
    int32_t Style = 0;
    int32_t NormalColour = 0;
    int32_t MouseOverColour = 0;
    int32_t PressedColour = 0;
    TColor NormalColour2 = 0;
    TColor MouseOverColour2 = 0;
    TColor PressedColour2 = 0;
};

class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::unique_ptr<TBitmap> Image2 = std::make_unique<TBitmap>();  // the second image
};

// The caption text: where it sits on the caption and its colours.
class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t TextAlignment = 0;
    int32_t Textbackground = 0;
    int32_t FontHeight = 0;
    int32_t TXTBackleft = 0;
    int32_t TXTBackRight = 0;
    TColor ActiveColour = 0;    // fw::clNone: not given
    TColor InactiveColour = 0;  // fw::clNone: not given
};

// Push buttons, with the check-box and radio-button strips.
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::unique_ptr<TBitmap> CheckImage = std::make_unique<TBitmap>();
    std::unique_ptr<TBitmap> RadioImage = std::make_unique<TBitmap>();
    int32_t RadioFrame = 0;
    int32_t CheckFrame = 0;
    bool NormalColour2Given = false;
    bool MouseOverColour2Given = false;
    bool PressedColour2Given = false;
};

// One caption button.
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t Action = 0;
    int32_t Align = 0;
    int32_t Xcoord = 0;
    int32_t Ycoord = 0;
    int32_t CombineOp = 0;
    int32_t Visibility = 0;
    int32_t Visibility1 = 0;
};

// The group box, with its caption background placement.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t BackgroundLeftShift = 0;
    int32_t BackgroundRightShift = 0;
    int32_t BackgroundAlignment = 0;
};

// The colour slots, named after their [Colours] keys. Slots 9 and 10 are
// never filled by a load; Frame is computed from the Top border piece.
enum class TColourSlot : int {
    WindowText = 0,
    TitleTextActive = 1,
    TitleTextNoActive = 2,
    ButtonFace = 3,
    ButtonText = 4,
    ButtonHilight = 5,
    Buttonlight = 6,
    ButtonShadow = 7,
    ButtonDkShadow = 8,
    Unused9 = 9,
    Unused10 = 10,
    HilightText = 11,
    Hilight = 12,
    Menubar = 13,
    MenuBarText = 14,
    MenuText = 15,
    Menu = 16,
    Frame = 17,
    Scrollbar = 18,
};
constexpr int kColourSlots = 19;
constexpr int kCustomColours = 10;

// A GDI solid brush, owned.
class TOwnedBrush {
public:
    TOwnedBrush() = default;
    TOwnedBrush(const TOwnedBrush&) = delete;
    TOwnedBrush& operator=(const TOwnedBrush&) = delete;
    TOwnedBrush& operator=(TOwnedBrush&& other) noexcept
    {
        if (this != &other) {
            Reset(other.brush_);
            other.brush_ = nullptr;
        }
        return *this;
    }
    ~TOwnedBrush() { Reset(nullptr); }
    HBRUSH Handle() const { return brush_; }
    void Reset(HBRUSH brush);

private:
    HBRUSH brush_ = nullptr;
};

// Everything a loaded skin gives. The six objects made at construction
// (Left, Right, Top, Bottom, Buttons, Title) always exist and are refilled
// by each load; the others are null when the skin does not give them.
struct TSkinContent {
    TSkinContent();
    TSkinContent(const TSkinContent&) = delete;
    TSkinContent& operator=(const TSkinContent&) = delete;

    // Takes everything the other content holds. The six objects made at
    // construction stay where they are and take the other's contents, as a
    // load refills them; every other object is the other's own.
    void Replace(TSkinContent&& other);

    TColor Colour(TColourSlot slot) const { return Colours[static_cast<size_t>(slot)]; }
    bool ColourDefined(TColourSlot slot) const { return ColourGiven[static_cast<size_t>(slot)]; }

    std::string SkinName;

    std::unique_ptr<TDataSkinBorder> Left, Right, Top, Bottom;
    std::unique_ptr<TDataSkinButton> Buttons;
    std::unique_ptr<TDataSkinTitle> Title;
    // Caption buttons in ini order, then the three MDI child buttons.
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;

    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> ProgressChunk;  // [Progress.Chunk]
    std::unique_ptr<TDataSkinObject> MenuBar;        // named "Personality"
    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinObject> TabPane;  // [Tab.Pane]
    std::unique_ptr<TDataSkinObject> ToolBars;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> SunkEdge;
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinObject> Headerbar;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar;
    std::unique_ptr<TDataSkinObject> HorzScroll, VertScroll;
    std::unique_ptr<TDataSkinObject> HorzScrollThumb, VertScrollThumb;
    // [Trackbar.ThumbHorz] ... [Trackbar.ThumbDown]
    std::unique_ptr<TDataSkinObject> ThumbHorz, ThumbVert, ThumbLeft, ThumbRight, ThumbUp,
        ThumbDown;
    std::unique_ptr<TDataSkinBorder> UpDownHorz, UpDownVert;  // [UpDown.Horz], [UpDown.Vert]
    std::unique_ptr<TDataSkinObject> Track, TrackVert;        // [Track], [TRACKVERT]
    // Made from other images: Toolbar by each load, ComboxArrow (and the
    // combo box's ComboButton and SunkEdge) when a combo box first asks for
    // them (WithComboParts, skincolours.h), ComboPartsMade telling which.
    std::unique_ptr<TDataSkinObject> ComboxArrow;
    std::unique_ptr<TDataSkinObject> Toolbar;
    bool ComboPartsMade = true;

    std::array<TColor, kColourSlots> Colours{};
    std::array<bool, kColourSlots> ColourGiven{};
    // One per [COLOUR...] section in ini order.
    std::vector<TColor> SectionColours;
    std::array<TColor, kCustomColours> CustomColours{};
    // A solid brush of the ButtonFace slot (system colours resolved).
    TOwnedBrush ButtonFaceBrush;

private:
    TSkinContent& operator=(TSkinContent&&) = default;
};

}  // namespace skin
