// The main job's scripted session of signboard when nobody watches:
// signboard.exe in its run folder on COM1 with a sign stand-in, an
// operator's round (open the port, clear the sign, send the layout), a
// pause for the screenshot, then the window is closed. Prints each step
// and the message box it gave.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "signboard/tests/operator.h"
#include "tools/windrive/signsim_client.h"

namespace {

using namespace signboard_e2e;

void Step(const char* what, const std::string& message)
{
    windrive::PrintStep("signboard", what, message);
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

    windrive::PutSimMarker("ready");
    for (int i = 0; i < 300 && !windrive::SimMarkerExists("shot-done"); ++i) Sleep(100);
    op.ClickQuietly(kClosePort);
    op.Close();
    return 0;
}
