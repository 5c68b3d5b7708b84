// The Win32 serial port beneath the sign link: a COM handle opened
// exclusively and set to 38400 baud 8N1, all other settings (time-outs,
// flow control, queue sizes) left as the driver has them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "signlink/link.h"

namespace signlink {

// A failed system call of a serial port, for a developer: the operator
// sees only the link's three messages, the trace also the call ("CreateFileA",
// "GetCommState", "SetCommState", "WriteFile", "ClearCommError",
// "ReadFile"), the port's device name and the system's error (GetLastError
// and its text). An exception while opening is traced with its text and
// error 0.
struct TPortFailure {
    std::string Call;
    std::string Port;
    DWORD Error = 0;
    std::string ErrorText;
};
using TPortTrace = std::function<void(const TPortFailure& failure)>;

// Hands every later failure of a serial port to trace (none: the default,
// nothing is traced). GUI thread only, like the ports.
void SetPortTrace(TPortTrace trace);

// Owns one open COM handle and closes it when destroyed. The name is the
// device name the handle was opened by, for the trace.
class TWin32SerialPort final : public TSerialPort {
public:
    explicit TWin32SerialPort(HANDLE handle, std::string name = {})
        : handle_(handle), name_(std::move(name))
    {}
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
    std::string name_;
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
