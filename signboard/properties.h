// The area property object and the logic of the area dialog that holds no
// control: the dialog wires its controls to these.
//
// The property object is a JSON object with seven integer members, written
// compact in this order:
//   fontsize  (ComboBox2 index: 0 none, 1 16, 2 24, 3 32 dots; -1 none selected)
//   fontcolor (ComboBox1 index: 0 none, 1 red, 2 green, 3 yellow; -1 none)
//   speed     (Edit2, milliseconds)   loop     (cbloop, 1 or 0)
//   stoptime  (Edit3, seconds)        istime   (cbTime, 1 or 0)
//   issave    (Cbsave, 1 or 0)
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace signboard {

// Both combo boxes hold four items.
inline constexpr int kPropertyComboItems = 4;

// What the dialog's property controls show.
struct TAreaPropertyControls {
    int FontSizeIndex = 0;           // ComboBox2.ItemIndex
    int FontColorIndex = 0;          // ComboBox1.ItemIndex
    std::string SpeedText = "0";     // Edit2.Text
    std::string StopTimeText = "0";  // Edit3.Text
    bool Loop = false;               // cbloop
    bool IsTime = false;             // cbTime
    bool IsSave = false;             // Cbsave
    bool operator==(const TAreaPropertyControls&) const = default;
};

// Both combos go to item 0 and Cbsave and cbTime are unchecked; cbloop and
// the two edits keep what they show. Then, when the text is a JSON object,
// every control takes its member (an absent one reads as 0; a combo index
// outside the items selects nothing, -1). A member that is no number
// raises rtl::EInvalidCast.
void LoadProperties(std::string_view text, TAreaPropertyControls& controls);

// The property text of the controls. A speed or dwell text that is no
// integer raises rtl::EConvertError.
std::string BuildProperties(const TAreaPropertyControls& controls);

// The OK button's check of the position and size fields: each an integer,
// x + width within canvasWidth and y + height within canvasHeight (computed
// without overflow). Negative positions and sizes that are no multiple of 8
// pass here; the layout check of the save refuses them.
bool AreaFieldsFit(std::string_view xText, std::string_view yText, std::string_view widthText,
                   std::string_view heightText, int32_t canvasWidth, int32_t canvasHeight);

// The width a new area is offered: the sign width's text when that number
// is 128 or less, else "128". A text that is no integer raises
// rtl::EConvertError.
std::string NewAreaWidthText(std::string_view ledWidthText);

// What the dialog keeps beyond its controls: Confirmed is 1 only after an
// OK that closed the dialog, so every other way of closing counts as
// cancelled; PropertyText is the text built by the last successful OK.
class TAreaDialogState {
public:
    int32_t Confirmed = 0;
    std::string PropertyText;

    // FormShow.
    void Shown() { Confirmed = 0; }
    // OK: true when the dialog closes. False when the position and size
    // fields fail AreaFieldsFit: message is then the text to show and
    // nothing else changes. A speed or dwell text that is no integer
    // raises rtl::EConvertError and changes nothing.
    bool Ok(std::string_view xText, std::string_view yText, std::string_view widthText,
            std::string_view heightText, int32_t canvasWidth, int32_t canvasHeight,
            const TAreaPropertyControls& controls, std::string& message);
    // Cancel.
    void Cancelled() { Confirmed = 0; }
};

// The tag that each markup tag button of the dialog inserts.
struct TTagButton {
    const char* Button;
    const char* Tag;
};
inline constexpr TTagButton kTagButtons[] = {
    {"Button11", "^line:0 32 128 32 2^"},
    {"Button12", "^dly:100^"},
    {"Button8", "^fnt:32^"},
    {"Button2", "^xy:0 0^"},
    {"Button3", "^col:1^"},
    {"Button5", "^col:3^"},
    {"Button4", "^col:2^"},
    {"Button7", "^fnt:24^"},
    {"Button6", "^fnt:16^"},
    {"Button9", "^mde:1 100^"},
    {"Button10", "^mde:2 50^"},
    {"Button13", "^loop:1^"},
};

}  // namespace signboard
