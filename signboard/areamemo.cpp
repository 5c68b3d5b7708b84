#include "signboard/areamemo.h"

#include <algorithm>
#include <cstdint>

#include "rtl/gbk.h"

namespace signboard {

FW_IMPLEMENT_CLASS(TAreaMemo) {}

namespace {

// The first characters of GBK text: a lead byte and the byte after it are
// one character.
std::string LeadingCharacters(const std::string& text, size_t characters)
{
    size_t i = 0;
    for (size_t n = 0; n < characters && i < text.size(); ++n)
        i += rtl::IsGbkLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
                     text[i + 1] != '\0'
                 ? 2
                 : 1;
    return text.substr(0, i);
}

}  // namespace

size_t TAreaMemo::ShownCharacters()
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    INT widths['~' - ' ' + 1] = {};
    GetCharWidth32W(dc, ' ', '~', widths);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);

    const int64_t narrowest =
        std::max<int64_t>(1, *std::min_element(std::begin(widths), std::end(widths)));
    const int64_t lineHeight = std::max<int64_t>(1, metrics.tmHeight);
    // No more lines show than the screen holds; a line break takes two
    // characters of its line.
    const int64_t height = std::min<int64_t>(Height(), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    const int64_t perLine = std::max<int64_t>(0, Width()) / narrowest + 3;
    const int64_t lines = std::max<int64_t>(0, height) / lineHeight + 2;
    return static_cast<size_t>(perLine * lines);
}

void TAreaMemo::ShowAreaText()
{
    // A short text goes whole: laying it out costs nothing.
    const size_t shown = areaText_.size() <= 256 ? areaText_.size() : ShownCharacters();
    std::string text = LeadingCharacters(areaText_, shown);
    cut_ = text.size() < areaText_.size();
    SetText(text);
}

void TAreaMemo::SetAreaText(const std::string& text)
{
    areaText_ = text;
    ShowAreaText();
}

void TAreaMemo::SetBounds(int left, int top, int width, int height)
{
    const bool grows = width > Width() || height > Height();
    TMemo::SetBounds(left, top, width, height);
    if (cut_ && grows) ShowAreaText();
}

std::string AreaTextOf(const fw::TControl* area)
{
    if (const auto* memo = dynamic_cast<const TAreaMemo*>(area)) return memo->AreaText();
    return area->Text();
}

void SetAreaTextOf(fw::TControl* area, const std::string& text)
{
    if (auto* memo = dynamic_cast<TAreaMemo*>(area))
        memo->SetAreaText(text);
    else
        area->SetText(text);
}

}  // namespace signboard
