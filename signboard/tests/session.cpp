// The main job's scripted session of signboard when nobody watches:
// signboard.exe in its run folder on COM1 with a sign stand-in, an
// operator's round (open the port, clear the sign, send the layout), a
// pause for the screenshot, then the window is closed. Prints each step
// and the message box it gave.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "signboard/tests/operator.h"

namespace {

using namespace signboard_e2e;

// Marker files in the stand-in's folder, for the script that takes the
// screenshot.
std::string Marker(const char* name)
{
    const char* dir = std::getenv("SIGNS_SIM_DIR");
    return windrive::WinePath(std::string(dir ? dir : ".") + "/" + name);
}

void Step(const char* what, const std::string& message)
{
    // The console takes UTF-8 under Wine's terminal; the texts are GBK.
    const std::wstring wide = windrive::Wide(message);
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), n, nullptr, nullptr);
    std::printf("signboard: %-28s -> %s\n", what, message.empty() ? "(no message)" : utf8.c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: signboard_session SIGNBOARD.EXE (in its run folder)\n");
        return 2;
    }
    TOperator op;
    if (!op.StartInPlace(argv[1])) {
        std::fprintf(stderr, "signboard_session: signboard did not show its window\n");
        return 1;
    }
    Step("open COM1", op.OpenPort() ? "" : "unexpected message");
    Step("clear the sign", op.ClickForMessage(kClear));
    Step("send the layout", op.ClickForMessage(kSend));
    // One area selected, as an operator looking at the layout would leave it.
    const auto areas = op.Areas();
    if (!areas.empty()) op.ClickArea(areas.back());

    std::ofstream(Marker("ready")) << "ready\n";
    for (int i = 0; i < 300 && GetFileAttributesA(Marker("shot-done").c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(100);
    op.ClickQuietly(kClosePort);
    op.Close();
    return 0;
}
