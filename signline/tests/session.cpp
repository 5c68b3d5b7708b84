// The scripted session of the main job when nobody watches: signline.exe
// on COM1 with a sign stand-in, an operator's round of commands, a pause
// for the screenshot, one more for a screenshot with a message box and one
// with the system menu open, then the window is closed. Prints each step and the
// message box it gave.
#include <windows.h>

#include <cstdio>
#include <string>

#include "signline/tests/operator.h"
#include "tools/windrive/signsim_client.h"

namespace {

using namespace signline_e2e;

void Step(const char* what, const std::string& message)
{
    windrive::PrintStep("signline", what, message);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: signline_session SIGNLINE.EXE\n");
        return 2;
    }
    TOperator op;
    if (!op.Start(argv[1])) {
        std::fprintf(stderr, "signline_session: signline did not show its window\n");
        return 1;
    }
    windrive::SelectItem(op.Port(), 1);
    op.ClickQuietly(kOpen);
    Step("open COM1", windrive::NoMessageBox(op.ProcessId(), 300) ? "" : "unexpected message");

    windrive::SelectItem(op.Screen(), 1);
    windrive::SetText(op.Text(), "\xBB\xB6\xD3\xAD\xB9\xE2\xC1\xD9 Welcome");  // 欢迎光临 Welcome
    Step("send a text", op.ClickForMessage(kSend));
    Step("set the clock", op.ClickForMessage(kSetClock));
    Step("recall line 1", op.ClickForMessage(kRecall));

    windrive::PutSimMarker("ready");
    for (int i = 0; i < 300 && !windrive::SimMarkerExists("shot-done"); ++i) Sleep(100);

    // A message box over the window for the second screenshot.
    windrive::Click(op.Button(kSend));
    const windrive::TMessageBox box = windrive::WaitMessageBox(op.ProcessId(), 5000);
    if (box.Window) {
        windrive::PutSimMarker("box-ready");
        for (int i = 0; i < 300 && !windrive::SimMarkerExists("box-shot-done"); ++i) Sleep(100);
        windrive::Dismiss(box);
    }
    Step("a message box on screen", box.Text);

    // The skinned system menu (Alt+Space) for the third screenshot.
    PostMessageW(op.Window(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    HWND menu = nullptr;
    if (windrive::WaitUntil([&] { return (menu = windrive::VisiblePopupMenu(op.ProcessId())); },
                            5000)) {
        windrive::PutSimMarker("menu-ready");
        for (int i = 0; i < 300 && !windrive::SimMarkerExists("menu-shot-done"); ++i) Sleep(100);
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        windrive::WaitUntil([&] { return !windrive::VisiblePopupMenu(op.ProcessId()); }, 3000);
    }
    Step("the system menu (Alt+Space)", menu ? "shown" : "did not show");
    op.ClickQuietly(kClose);
    op.Close();
    return 0;
}
