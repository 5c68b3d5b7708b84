#include "signlink/stuffing.h"

namespace signlink {

std::vector<uint8_t> BuildSignFrame(const uint8_t* body, size_t length)
{
    size_t size = 2;
    for (size_t i = 0; i < length; ++i) {
        const uint8_t b = body[i];
        size += (b < 0x20 || b == kFlag || b == kEscape) ? 2 : 1;
    }
    std::vector<uint8_t> frame;
    frame.reserve(size);
    frame.push_back(kFlag);
    for (size_t i = 0; i < length; ++i) {
        const uint8_t b = body[i];
        if (b < 0x20) {
            frame.push_back(kEscape);
            frame.push_back(static_cast<uint8_t>(b + 0x20));
        } else if (b == kFlag) {
            frame.push_back(kEscape);
            frame.push_back(0x5E);
        } else if (b == kEscape) {
            frame.push_back(kEscape);
            frame.push_back(0x5D);
        } else {
            frame.push_back(b);
        }
    }
    frame.push_back(kFlag);
    return frame;
}

void TReplyUnstuffer::Feed(const uint8_t* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const uint8_t c = bytes[i];
        if (previous_ == kEscape) {
            if (index_ < reply_.size()) {
                if (c == 0x5E) {
                    reply_[index_] = kFlag;
                } else if (c == 0x5D) {
                    reply_[index_] = kEscape;
                } else if (c > 0x20) {
                    reply_[index_] = static_cast<uint8_t>(c - 0x20);
                }
                ++index_;
            }
        } else if (c != kEscape && index_ < reply_.size()) {
            reply_[index_++] = c;
        }
        previous_ = c;
    }
}

size_t UnstuffReply(const uint8_t* bytes, size_t count, TReplyBuf& reply)
{
    TReplyUnstuffer unstuffer;
    unstuffer.Feed(bytes, count);
    reply = unstuffer.Reply();
    return unstuffer.Count();
}

bool UnstuffFrame(const uint8_t* bytes, size_t count, std::vector<uint8_t>& body)
{
    body.clear();
    body.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        if (bytes[i] != kEscape) {
            body.push_back(bytes[i]);
            continue;
        }
        if (++i == count) return false;
        const uint8_t c = bytes[i];
        if (!((c >= 0x20 && c <= 0x3F) || c == 0x5D || c == 0x5E)) return false;
        body.push_back(c == 0x5E ? kFlag : c == 0x5D ? kEscape : static_cast<uint8_t>(c - 0x20));
    }
    return true;
}

}  // namespace signlink
