// A display area on the sign canvas: a read-only memo that holds the area
// text as its bytes are (GBK; a lone lead byte too, which no window text
// can hold) and gives its window only the part of a long text that the
// area can show.
//
// The word-wrapping edit control lays out its whole text again on every
// change of text or size, in time that grows with the square of the text's
// length (seconds for a few kilobytes in a narrow area). An area shows a few
// lines; the window gets as many characters as those lines and one more can
// hold, with no glyph taken narrower than the narrowest printable ASCII one
// of the font, and so shows what the whole text would.
#pragma once

#include <string>

#include "framework/stdctrls.h"

namespace signboard {

class TAreaMemo : public fw::TMemo {
    FW_CLASS(TAreaMemo, fw::TMemo)
public:
    using fw::TMemo::TMemo;

    const std::string& AreaText() const { return areaText_; }
    void SetAreaText(const std::string& text);

    void SetBounds(int left, int top, int width, int height) override;

private:
    void ShowAreaText();
    // The number of leading characters of the area text the window shows.
    size_t ShownCharacters();

    std::string areaText_;
    bool cut_ = false;  // the window holds less than the area text
};

// The area text of a display area (the text of any other control), and
// its change.
std::string AreaTextOf(const fw::TControl* area);
void SetAreaTextOf(fw::TControl* area, const std::string& text);

}  // namespace signboard
