// Message boxes (modal, centred on the screen, titled with the
// application title unless a caption is given) and the open-file dialog.
#pragma once

#include <functional>
#include <string>

#include "framework/components.h"
#include "framework/winapi.h"

namespace fw {

// Shows text (GBK) with the given MB_* flags; answers the button pressed.
int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);
// One OK button, the application title as caption.
void ShowMessage(const std::string& text);

// Tests replace the box with a function that receives what would be shown
// and answers for the user; an empty function brings the real box back.
using TMessageBoxHook =
    std::function<int(const std::string& text, const std::string& caption, UINT flags)>;
void SetMessageBoxHook(TMessageBoxHook hook);

// The system's modal open-file dialog. Filter is written
// "Description|*.ext|Description|*.a;*.b"; FilterIndex counts from 1.
class TOpenDialog : public TComponent {
    FW_CLASS(TOpenDialog, TComponent)
public:
    explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& s) { fileName_ = s; }
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& s) { filter_ = s; }
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int i) { filterIndex_ = i; }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& s) { initialDir_ = s; }
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& s) { defaultExt_ = s; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& s) { title_ = s; }

    // True when the operator chose a file (FileName then names it).
    bool Execute();

private:
    std::string fileName_, filter_, initialDir_, defaultExt_, title_;
    int filterIndex_ = 1;
};

}  // namespace fw
