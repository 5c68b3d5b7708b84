// "setprams.ini": the sign's size, the chosen port and the area layout.
//
//   [SYSTEM]      LEDWIDTH, LEDHEIGHT (dots), COM (port box index),
//                 TEXTAREANUM (area count), isDebug (read only)
//   [TEXTAREA<n>] x, y, width, height, statictext, areatype, PropertyText
//                 for n = 1 .. TEXTAREANUM
//
// Reading goes through rtl::TIniFile (missing keys give their defaults,
// values are read whole). Each save writes all its values in one
// replacement of the file, so a save either writes everything or leaves the
// old file as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rtl/inifile.h"
#include "signboard/areas.h"
#include "signboard/frames.h"

namespace signboard {

// The file name ("setprams", sic) and the keys listed at the top of this
// header, "isDebug" in its case included, are the file's own: existing
// files are found and read by them.
inline constexpr char kSettingsFileName[] = "setprams.ini";

// The settings file beside the program file: its folder (up to the last
// "\" or "/" that is a character of its own, not the second byte of a
// double-byte one) followed by "setprams.ini".
std::string SettingsFileName(std::string_view programFile);

struct TSystemSettings {
    int32_t LedWidth = 0;
    int32_t LedHeight = 0;
    int32_t Com = 0;      // 0 "未选择", n COM n
    int32_t IsDebug = 0;  // 1 or more: the area-editing buttons are shown
};

// [SYSTEM] LEDWIDTH, LEDHEIGHT, COM and isDebug, in that order, default 0.
TSystemSettings ReadSystemSettings(rtl::TIniFile& ini);

// The most areas a layout may hold: as many as the area table of the
// files this program has always read and written held. Each area is a
// window of its own (a program gets at most 10000 from the system, and
// under Wine 2000 take some seconds to make); a count above this in the
// file is refused with a message instead of being built (a count of
// 2^31-1 would otherwise keep the program from ever starting).
inline constexpr int32_t kMaxAreaCount = 2000;

// The longest area text a layout may hold, in bytes: what an area frame's
// length field can carry. A longer text could never be sent, and the
// window that shows it would take minutes to lay it out.
inline constexpr size_t kMaxAreaTextLength = kMaxMarkupLength;

// [SYSTEM] TEXTAREANUM as the file holds it (default 0).
int32_t ReadAreaCount(rtl::TIniFile& ini);

// TEXTAREANUM areas (none when it is 0 or negative), each from its section
// with the defaults of AreaRecord; sections numbered above the count are
// not read.
std::vector<AreaRecord> LoadAreas(rtl::TIniFile& ini);

struct TLayoutLoad {
    std::vector<AreaRecord> Areas;
    std::string Message;  // when refused: the text to show the operator
    bool Refused() const { return !Message.empty(); }
};

// LoadAreas, refused as a whole (no area) with its message when the file
// names more than kMaxAreaCount areas (kMsgTooManyAreas and that number) or
// holds an area text longer than kMaxAreaTextLength (kMsgAreaTextTooLong
// and the area's number). Nothing is written: the file stays as it is.
TLayoutLoad LoadLayout(rtl::TIniFile& ini);

struct TSaveResult {
    bool Saved = false;
    std::string Message;  // when not saved: the text to show the operator
};

// Checks every area (IsAreaSavable) and, when all pass, writes
// TEXTAREANUM and one section per area in the given order. Not saved, with
// kMsgAreaBad, when an area fails the check; not saved when LoadLayout
// would refuse what it writes (kMsgTooManyAreasToSave or
// kMsgAreaTextTooLongToSave with the number); not saved, with the reason of
// the failure, when the file cannot be written. Either way the file is left
// as it was. Sections numbered above the new count stay in the file.
TSaveResult SaveAreas(const std::string& fileName, const std::vector<AreaRecord>& areas);

struct TSignSize {
    int32_t LedWidth;
    int32_t LedHeight;
};

// The settings button: converts both numbers first (rtl::EConvertError
// for a text that is no integer, nothing written), then writes LEDWIDTH,
// LEDHEIGHT and COM in one replacement (rtl::EIniFileException with the
// reason when that fails; the old file stays whole).
TSignSize SaveSignSettings(const std::string& fileName, std::string_view widthText,
                           std::string_view heightText, int32_t com);

}  // namespace signboard
