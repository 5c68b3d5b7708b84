#include "signlink/link.h"

#include <algorithm>
#include <array>
#include <vector>

#include "signlink/messages.h"
#include "signlink/protocol.h"

namespace signlink {

bool IsStripAck(const TReplyBuf& reply, uint8_t command)
{
    return reply[2] == kStripAck && reply[3] == command;
}

bool IsBoardAck(const TReplyBuf& reply, uint8_t /*command*/)
{
    return reply[2] == kBoardType && reply[4] == 'O' && reply[5] == 'K';
}

void TSignLink::ShowMessage(const std::string& text) const
{
    if (show_) show_(text);
}

bool TSignLink::Transact(const uint8_t* body, size_t length, uint8_t command,
                         const TExchangeParams& params)
{
    const std::vector<uint8_t> frame = BuildSignFrame(body, length);
    if (!port_) {
        if (params.NoPortMessage) ShowMessage(kMsgPortNotOpen);
        return false;
    }
    // Whatever is queued now answers an earlier exchange (a sign that
    // answered after that exchange gave up): it must not be taken for this
    // frame's acknowledgement. Between the attempts nothing is dropped, so
    // a late answer to one attempt still counts in the next.
    ReadQueued([](const uint8_t*, size_t) {});
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        port_->Write(frame.data(), frame.size());
        port_->Wait(params.WaitMs);
        if (ReadReply() && params.IsAck(reply_, command)) return true;
    }
    return false;
}

size_t TSignLink::ReadQueued(const std::function<void(const uint8_t*, size_t)>& take)
{
    size_t waiting = 0;
    if (!port_->BytesWaiting(waiting)) return 0;
    // Only what the query reported is read, a receive buffer at a time, so
    // a sign that keeps sending cannot hold the exchange here.
    std::array<uint8_t, kReceiveBufSize> receive{};
    size_t total = 0;
    while (total < waiting) {
        const size_t want = std::min(waiting - total, receive.size());
        const size_t got = std::min(port_->Read(receive.data(), want), want);
        if (got == 0) break;
        take(receive.data(), got);
        total += got;
    }
    return total;
}

bool TSignLink::ReadReply()
{
    // The candidate test looks at the first and the last byte of all that
    // was read.
    TReplyUnstuffer unstuffer;
    uint8_t first = 0;
    uint8_t last = 0;
    bool any = false;
    const size_t total = ReadQueued([&](const uint8_t* bytes, size_t count) {
        if (!any) first = bytes[0];
        any = true;
        last = bytes[count - 1];
        unstuffer.Feed(bytes, count);
    });
    if (total < 5 || first != kFlag || last != kFlag) return false;
    reply_ = unstuffer.Reply();
    return true;
}

}  // namespace signlink
