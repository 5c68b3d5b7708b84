// The strip sender's program block.
#include "framework/application.h"
#include "framework/steptimes.h"
#include "signline/send.h"
#include "skin/engine/skinunit.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    using fw::Application;
    fw::StepMark("WinMain");
    // The skin engine's start-up; its end (at return) frees the skin manager.
    skin::TSkinEngineScope skinEngine;
    fw::StepMark("skin engine started");
    try {
        Application->Initialize();
        fw::StepMark("application initialised");
        Application->SetTitle(
            "LED\xC4\xDA\xC2\xEB\xCC\xF5\xC6\xC1\xCF\xD4\xCA\xBE\xC6\xC1\xB1\xE0\xBC\xAD");  // LED内码条屏显示屏编辑
        Application->CreateForm(signline::Form1);
        fw::StepMark("form created");
        Application->Run();
    } catch (...) {
        Application->HandleException(nullptr);
    }
    return 0;
}
