#include "signboard/commands.h"

#include "rtl/sysutils.h"
#include "signboard/frames.h"
#include "signboard/markup.h"
#include "signboard/messages.h"

namespace signboard {

bool ScreenNumber(std::string_view text, int& screen)
{
    int32_t value = 0;
    if (!rtl::TryStrToInt(text, value)) return false;
    screen = value;
    return true;
}

std::string ClearSign(signlink::TSignLink& link, std::string_view screenText)
{
    int screen = 0;
    if (!ScreenNumber(screenText, screen)) return kMsgScreenBad;
    return ClearScreen(link, screen) ? kMsgClearDone : kMsgClearFailed;
}

void SendLayout(signlink::TSignLink& link, std::string_view screenText,
                const std::vector<AreaRecord>& areas, const signlink::TMessageFunc& show)
{
    int screen = 0;
    if (!ScreenNumber(screenText, screen)) return show(kMsgScreenBad);
    if (!ClearScreen(link, screen)) return show(kMsgClearFailed);
    std::string passedOver;
    const auto namePassedOver = [&] {
        if (!passedOver.empty()) show(kMsgAreaNotSent + passedOver);
    };
    for (size_t i = 0; i < areas.size(); ++i) {
        const AreaRecord& area = areas[i];
        // Bounds the frame cannot carry would reach the sign wrapped.
        if (!IsAreaSendable(area)) {
            if (!passedOver.empty()) passedOver += kMsgAreaNumberSeparator;
            passedOver += rtl::IntToStr(static_cast<int64_t>(i + 1));
            continue;
        }
        TAreaMarkup m;
        try {
            m = BuildAreaMarkup(area);
        } catch (...) {
            namePassedOver();
            throw;
        }
        if (!SendArea(link, screen, area.x, area.y, area.width, area.height, m.Save, m.Markup)) {
            namePassedOver();
            return show(kMsgSendFailed);
        }
    }
    namePassedOver();
    show(kMsgSendDone);
}

}  // namespace signboard
