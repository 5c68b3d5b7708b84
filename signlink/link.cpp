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
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        port_->Write(frame.data(), frame.size());
        port_->Wait(params.WaitMs);
        if (ReadReply() && params.IsAck(reply_, command)) return true;
    }
    return false;
}

bool TSignLink::ReadReply()
{
    size_t waiting = 0;
    if (!port_->BytesWaiting(waiting) || waiting == 0) return false;

    // Everything queued is read, a receive buffer at a time; the candidate
    // test looks at the first and the last byte of all that was read.
    std::array<uint8_t, kReceiveBufSize> receive{};
    TReplyUnstuffer unstuffer;
    size_t total = 0;
    uint8_t first = 0;
    uint8_t last = 0;
    while (total < waiting) {
        const size_t want = std::min(waiting - total, receive.size());
        const size_t got = std::min(port_->Read(receive.data(), want), want);
        if (got == 0) break;
        if (total == 0) first = receive[0];
        last = receive[got - 1];
        unstuffer.Feed(receive.data(), got);
        total += got;
    }
    if (total < 5 || first != kFlag || last != kFlag) return false;
    reply_ = unstuffer.Reply();
    return true;
}

}  // namespace signlink
