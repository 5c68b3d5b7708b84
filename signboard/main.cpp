// The board sender's program block.
#include "framework/application.h"
#include "signboard/send.h"
#include "signboard/settextarea.h"
#include "skin/engine/skinunit.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    using fw::Application;
    // The skin engine's unit start-up (control atom and message, optional
    // user32 functions, work bitmap and strings), released at return,
    // although nothing here draws with it.
    skin::TSkinEngineScope skinEngine;
    try {
        Application->Initialize();
        Application->SetTitle(
            "\xB4\xF3\xC6\xC1\xC4\xBB"
            "LED \xB7\xA2\xCB\xCD\xB3\xCC\xD0\xF2");  // 大屏幕LED 发送程序
        Application->CreateForm(signboard::Form1);
        Application->CreateForm(signboard::fsettextarea);
        Application->Run();
    } catch (...) {
        Application->HandleException(nullptr);
    }
    return 0;
}
