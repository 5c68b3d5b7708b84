// The two sign commands of the main window, after its layout save:
// "清屏" clears the sign, "发送" clears it and sends every area in order.
// Each ends in exactly one outcome message, which the window shows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "signboard/areas.h"
#include "signlink/link.h"

namespace signboard {

// The screen number in the address box: its text as an integer (the frames
// carry its low byte). False for a text that is no integer.
bool ScreenNumber(std::string_view text, int& screen);

// kMsgScreenBad (nothing sent), kMsgClearDone or kMsgClearFailed.
std::string ClearSign(signlink::TSignLink& link, std::string_view screenText);

// "发送": shows its messages through `show`, in order. The outcome comes
// last: kMsgScreenBad (nothing sent), kMsgClearFailed, kMsgSendFailed (the
// areas after the failed one are not sent) or kMsgSendDone. Each area goes
// out with its markup, except an area that fails IsAreaSendable: it is
// passed over, and kMsgAreaNotSent with the numbers (from 1, in the given
// order) of the areas passed over so far is shown just before the outcome.
// A markup error (BuildAreaMarkup's rtl::EInvalidCast) ends the send as its
// outcome: it propagates, after the areas passed over before it are named.
void SendLayout(signlink::TSignLink& link, std::string_view screenText,
                const std::vector<AreaRecord>& areas, const signlink::TMessageFunc& show);

}  // namespace signboard
