// The area dialog (class Tfsettextarea, one instance fsettextarea): one
// display area's type, text, position, size and display properties. The
// main window fills it, calls LoadProperties, shows it modally and then
// reads its controls, Confirmed and PropertyText. Created from its stored
// layout (settextarea.layout); the logic without controls lives in
// properties.h.
#pragma once

#include <string>

#include "framework/dialogs.h"
#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "signboard/properties.h"

namespace signboard {

class Tfsettextarea : public fw::TForm {
    FW_CLASS(Tfsettextarea, fw::TForm)
public:
    explicit Tfsettextarea(fw::TComponent* owner) : TForm(owner) {}

    fw::TComboBox* ctype = nullptr;      // area type
    fw::TCheckBox* cbTime = nullptr;     // live time area
    fw::TCheckBox* Cbsave = nullptr;     // store in the sign
    fw::TMemo* Estatictext = nullptr;    // area text with markup
    fw::TComboBox* ComboBox1 = nullptr;  // font colour
    fw::TComboBox* ComboBox2 = nullptr;  // font size
    fw::TEdit* Edit2 = nullptr;          // speed
    fw::TEdit* Edit3 = nullptr;          // dwell time
    fw::TCheckBox* cbloop = nullptr;
    fw::TEdit* EAX = nullptr;
    fw::TEdit* EAY = nullptr;
    fw::TEdit* Ewidth = nullptr;
    fw::TEdit* Eheight = nullptr;
    fw::TButton* Button1 = nullptr;   // OK
    fw::TButton* Button14 = nullptr;  // Cancel
    fw::TOpenDialog* dlgOpen1 = nullptr;

    // The control whose size bounds the position and size fields (the
    // main window's sign canvas).
    void SetCanvas(fw::TControl* canvas) { canvas_ = canvas; }

    void LoadProperties(const std::string& text);
    std::string BuildProperties() const;
    void InsertTag(const std::string& tag);

    int32_t Confirmed() const { return state_.Confirmed; }
    const std::string& PropertyText() const { return state_.PropertyText; }

    void FormCreate(fw::TObject* Sender);
    void FormShow(fw::TObject* Sender);
    void Button1Click(fw::TObject* Sender);
    void Button14Click(fw::TObject* Sender);
    void Button2Click(fw::TObject* Sender);
    void Button3Click(fw::TObject* Sender);
    void Button4Click(fw::TObject* Sender);
    void Button5Click(fw::TObject* Sender);
    void Button6Click(fw::TObject* Sender);
    void Button7Click(fw::TObject* Sender);
    void Button8Click(fw::TObject* Sender);
    void Button9Click(fw::TObject* Sender);
    void Button10Click(fw::TObject* Sender);
    void Button11Click(fw::TObject* Sender);
    void Button12Click(fw::TObject* Sender);
    void Button13Click(fw::TObject* Sender);

private:
    TAreaPropertyControls PropertyControls() const;
    void ShowPropertyControls(const TAreaPropertyControls& controls);
    // The tag of a tag button (kTagButtons), inserted at the caret.
    void InsertTagOf(const char* button);

    fw::TControl* canvas_ = nullptr;
    TAreaDialogState state_;
};

extern Tfsettextarea* fsettextarea;

}  // namespace signboard
