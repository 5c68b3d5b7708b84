// Sign frames on the wire: 7Eh, the stuffed body, 7Eh. Inside the flags a
// byte below 20h goes out as 7Dh, byte + 20h; 7Eh as 7Dh 5Eh; 7Dh as
// 7Dh 5Dh. Replies are de-stuffed into the 101-byte reply buffer with the
// sign link's own rule (see UnstuffReply).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace signlink {

inline constexpr uint8_t kFlag = 0x7E;
inline constexpr uint8_t kEscape = 0x7D;

// The whole sign frame of a body, both flags included; the vector is
// sized to the frame, so a body of any length is framed whole.
std::vector<uint8_t> BuildSignFrame(const uint8_t* body, size_t length);

inline constexpr size_t kReplyBufSize = 101;
using TReplyBuf = std::array<uint8_t, kReplyBufSize>;

// De-stuffs received bytes, flags included, so index 0 holds the opening
// flag. The previous byte is the raw received byte: after 7Dh 7Dh the byte
// that follows is taken as escaped too (7E 7D 7D 41 7E gives 7E 5D 21 7E);
// an escaped byte of 20h or below stores nothing but still takes its slot.
// Bytes past the 101st de-stuffed byte are dropped. Feeding in pieces gives
// the same result as feeding everything at once.
class TReplyUnstuffer {
public:
    void Feed(const uint8_t* bytes, size_t count);
    // Number of bytes stored (at most kReplyBufSize).
    size_t Count() const { return index_; }
    const TReplyBuf& Reply() const { return reply_; }

private:
    TReplyBuf reply_{};
    size_t index_ = 0;
    uint8_t previous_ = 0;
};

// De-stuffs the first count received bytes into reply (cleared first) and
// returns the number of bytes stored.
size_t UnstuffReply(const uint8_t* bytes, size_t count, TReplyBuf& reply);

// The exact inverse of the stuffing, for the bytes between two flags: every
// 7Dh must be followed by 20h..3Fh, 5Dh or 5Eh. Returns false (body
// incomplete) on any other escape or a 7Dh at the end. Used where a whole
// frame is checked as a sign would check it.
bool UnstuffFrame(const uint8_t* bytes, size_t count, std::vector<uint8_t>& body);

}  // namespace signlink
