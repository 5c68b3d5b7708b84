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

std::string SendLayout(signlink::TSignLink& link, std::string_view screenText,
                       const std::vector<AreaRecord>& areas)
{
    int screen = 0;
    if (!ScreenNumber(screenText, screen)) return kMsgScreenBad;
    if (!ClearScreen(link, screen)) return kMsgClearFailed;
    for (const AreaRecord& area : areas) {
        const TAreaMarkup m = BuildAreaMarkup(area);
        if (!SendArea(link, screen, area.x, area.y, area.width, area.height, m.Save, m.Markup))
            return kMsgSendFailed;
    }
    return kMsgSendDone;
}

}  // namespace signboard
