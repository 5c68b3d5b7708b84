// The sign link: one open serial port, and the exchange that sends a frame
// body and waits for the sign's acknowledgement (drop what an earlier
// exchange left queued; then write, wait, read what is queued, de-stuff,
// test; at most three attempts). Portable: the port is
// reached through TSerialPort, which the Win32 layer implements over a COM
// handle and the tests over a fake.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "signlink/stuffing.h"

namespace signlink {

// The four port operations the exchange uses.
class TSerialPort {
public:
    virtual ~TSerialPort() = default;
    // Writes the whole buffer; the outcome is not examined.
    virtual void Write(const uint8_t* bytes, size_t count) = 0;
    // Blocks for the given time.
    virtual void Wait(unsigned milliseconds) = 0;
    // Number of bytes in the input queue; false when the query fails.
    virtual bool BytesWaiting(size_t& count) = 0;
    // Reads at most count bytes into buffer; returns the number read.
    virtual size_t Read(uint8_t* buffer, size_t count) = 0;
};

inline constexpr int kAttempts = 3;
inline constexpr size_t kReceiveBufSize = 201;

// Strip acknowledgement: type 02h at index 2, the request's command at 3.
bool IsStripAck(const TReplyBuf& reply, uint8_t command);
// Board acknowledgement: type 8Eh at index 2 and "OK" at indexes 4 and 5;
// the command is not looked at.
bool IsBoardAck(const TReplyBuf& reply, uint8_t command);

struct TExchangeParams {
    unsigned WaitMs;     // wait after each write
    bool NoPortMessage;  // show "未打开通信口" when no port is open
    bool (*IsAck)(const TReplyBuf& reply, uint8_t command);
};

inline constexpr TExchangeParams kStripExchange{180, true, IsStripAck};
inline constexpr TExchangeParams kBoardExchange{200, false, IsBoardAck};

// Shows one message text (GBK) to the operator; the window wires it to the
// modal message box.
using TMessageFunc = std::function<void(const std::string& text)>;

class TSignLink {
public:
    // The open port, or none (nullptr) while no port is open.
    TSerialPort* ComHandle() const { return port_.get(); }
    bool PortOpen() const { return port_ != nullptr; }
    // Takes over an opened port, closing the one held before.
    void AttachPort(std::unique_ptr<TSerialPort> port) { port_ = std::move(port); }
    // Closes the port (a no-op when none is open).
    void ClosePort() { port_.reset(); }

    void SetMessageFunc(TMessageFunc show) { show_ = std::move(show); }
    // Shows text through the message function; dropped when none is set.
    void ShowMessage(const std::string& text) const;

    // The de-stuffed reply of the last exchange that read a frame candidate;
    // index 0 holds the opening flag.
    const TReplyBuf& ReplyBuf() const { return reply_; }

    // Sends one body as a sign frame; true when an acknowledgement passing
    // params.IsAck (given command) arrived within the three attempts.
    bool Transact(const uint8_t* body, size_t length, uint8_t command,
                  const TExchangeParams& params);
    bool StripTransact(const uint8_t* body, size_t length, uint8_t command)
    {
        return Transact(body, length, command, kStripExchange);
    }
    bool BoardTransact(const uint8_t* body, size_t length)
    {
        return Transact(body, length, 0, kBoardExchange);
    }

private:
    // Reads the bytes the input queue holds when asked, a receive buffer at
    // a time, handing each piece to take; returns the number read (0 when
    // the query fails or nothing waits).
    size_t ReadQueued(const std::function<void(const uint8_t*, size_t)>& take);
    // One attempt's read: everything queued, through the receive buffer.
    // True when it was a frame candidate; ReplyBuf then holds it de-stuffed.
    bool ReadReply();

    std::unique_ptr<TSerialPort> port_;
    TMessageFunc show_;
    TReplyBuf reply_{};
};

}  // namespace signlink
