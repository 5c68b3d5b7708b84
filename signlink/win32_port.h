// The Win32 serial port beneath the sign link: a COM handle opened
// exclusively and set to 38400 baud 8N1, all other settings (time-outs,
// flow control, queue sizes) left as the driver has them.
#pragma once

#include <windows.h>

#include "signlink/link.h"

namespace signlink {

// Owns one open COM handle and closes it when destroyed.
class TWin32SerialPort final : public TSerialPort {
public:
    explicit TWin32SerialPort(HANDLE handle) : handle_(handle) {}
    ~TWin32SerialPort() override;
    TWin32SerialPort(const TWin32SerialPort&) = delete;
    TWin32SerialPort& operator=(const TWin32SerialPort&) = delete;

    HANDLE Handle() const { return handle_; }

    void Write(const uint8_t* bytes, size_t count) override;
    void Wait(unsigned milliseconds) override;
    bool BytesWaiting(size_t& count) override;
    size_t Read(uint8_t* buffer, size_t count) override;

private:
    HANDLE handle_;
};

// Opens the port of the port box's item index n (SignPortName) and hands
// it to the link, closing any port the link held before. On failure shows
// "打开串口失败！" (no such port, or in use), "设置串口错误！" (the port
// settings cannot be read or set) or "打开串口失败" (anything else went
// wrong) through the link's message function, and leaves the link with no
// port. True when the port is open.
bool OpenSignPort(TSignLink& link, int index);

// Closes the link's port.
void CloseSignPort(TSignLink& link);

}  // namespace signlink
