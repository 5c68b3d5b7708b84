#include "signlink/win32_port.h"

#include <exception>
#include <limits>
#include <memory>
#include <string>
#include <utility>

#include "framework/text.h"
#include "signlink/messages.h"
#include "signlink/port_name.h"

namespace signlink {

namespace {

constexpr DWORD kPosixSemantics = 0x01000000;  // FILE_FLAG_POSIX_SEMANTICS

TPortTrace& PortTrace()
{
    static TPortTrace trace;
    return trace;
}

void Trace(const char* call, const std::string& port, DWORD error, std::string text)
{
    if (PortTrace()) PortTrace()(TPortFailure{call, port, error, std::move(text)});
}

// Traces the call that just failed with the system's error.
void TraceFailure(const char* call, const std::string& port)
{
    const DWORD error = GetLastError();
    if (PortTrace()) Trace(call, port, error, fw::SystemErrorText(error));
}

DWORD Clamp(size_t count)
{
    return count > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max()
                                                     : static_cast<DWORD>(count);
}

}  // namespace

void SetPortTrace(TPortTrace trace) { PortTrace() = std::move(trace); }

TWin32SerialPort::~TWin32SerialPort()
{
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

void TWin32SerialPort::Write(const uint8_t* bytes, size_t count)
{
    DWORD written = 0;
    if (!WriteFile(handle_, bytes, Clamp(count), &written, nullptr))
        TraceFailure("WriteFile", name_);
}

void TWin32SerialPort::Wait(unsigned milliseconds) { Sleep(milliseconds); }

bool TWin32SerialPort::BytesWaiting(size_t& count)
{
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(handle_, &errors, &status)) {
        TraceFailure("ClearCommError", name_);
        return false;
    }
    count = status.cbInQue;
    return true;
}

size_t TWin32SerialPort::Read(uint8_t* buffer, size_t count)
{
    DWORD read = 0;
    if (!ReadFile(handle_, buffer, Clamp(count), &read, nullptr)) {
        TraceFailure("ReadFile", name_);
        return 0;
    }
    return read;
}

bool OpenSignPort(TSignLink& link, int index)
{
    link.ClosePort();
    std::string name;
    try {
        name = SignPortName(index);
        HANDLE handle = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, kPosixSemantics, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            TraceFailure("CreateFileA", name);
            link.ShowMessage(kMsgOpenFailed);
            return false;
        }
        auto port = std::make_unique<TWin32SerialPort>(handle, name);
        DCB dcb{};
        dcb.DCBlength = sizeof(dcb);
        bool set = GetCommState(handle, &dcb) != 0;
        if (!set) TraceFailure("GetCommState", name);
        if (set) {
            dcb.BaudRate = 38400;
            dcb.ByteSize = 8;
            dcb.Parity = NOPARITY;
            dcb.StopBits = ONESTOPBIT;
            set = SetCommState(handle, &dcb) != 0;
            if (!set) TraceFailure("SetCommState", name);
        }
        if (!set) {
            port.reset();
            link.ShowMessage(kMsgSetupFailed);
            return false;
        }
        link.AttachPort(std::move(port));
        return true;
    } catch (const std::exception& e) {
        Trace("OpenSignPort", name, 0, e.what());
        link.ClosePort();
        link.ShowMessage(kMsgOpenError);
        return false;
    }
}

void CloseSignPort(TSignLink& link) { link.ClosePort(); }

}  // namespace signlink
