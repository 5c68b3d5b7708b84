// The strip sender's window (class name TForm1): the operator's choices,
// the message composed from them, and the sign commands sent over the
// link. Created from its stored layout (send.layout).
#pragma once

#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "signlink/link.h"
#include "skin/data/skindata.h"

namespace signline {

class TStripSenderForm : public fw::TForm {
    FW_CLASS(TStripSenderForm, fw::TForm)
public:
    explicit TStripSenderForm(fw::TComponent* owner);

    // The components keep the names the stored layout gives them, gaps in
    // the numbering included (the layout fills these fields by name), and
    // the handlers the names the layout's event lines give.
    fw::TComboBox* ComboBox1 = nullptr;  // screen number
    fw::TComboBox* ComboBox2 = nullptr;  // line
    fw::TComboBox* ComboBox3 = nullptr;  // serial port
    fw::TComboBox* ComboBox4 = nullptr;  // characters per line
    fw::TComboBox* Ccolor = nullptr;
    fw::TComboBox* Cfontsize = nullptr;
    fw::TCheckBox* CheckBox1 = nullptr;
    fw::TCheckBox* CheckBox2 = nullptr;
    fw::TCheckBox* Csave = nullptr;
    fw::TEdit* Edit1 = nullptr;       // message text
    fw::TEdit* Edit2 = nullptr;       // checksum tool: hex bytes
    fw::TEdit* Edit3 = nullptr;       // checksum tool: result
    fw::TButton* Button1 = nullptr;   // "发送内容": send the text
    fw::TButton* Button2 = nullptr;   // "效正时间": set the sign's clock
    fw::TButton* Button3 = nullptr;   // "调用保存内容": recall the stored text
    fw::TButton* Button4 = nullptr;   // "打开串口": open the port
    fw::TButton* Button5 = nullptr;   // "关闭串口": close the port
    fw::TButton* Button6 = nullptr;   // "时间显示样例": put the clock sample in the text
    fw::TButton* Button7 = nullptr;   // "多颜色显示样例": put the colour sample in the text
    fw::TButton* Button8 = nullptr;   // "按行字数居中": centre the text on the line
    fw::TButton* Button15 = nullptr;  // "生成效验码": checksum tool (hidden)
    skin::TSkinData* SkinData1 = nullptr;  // the window's skin, stored in the layout

    void FormCreate(fw::TObject* Sender);
    void Button1Click(fw::TObject* Sender);
    void Button2Click(fw::TObject* Sender);
    void Button3Click(fw::TObject* Sender);
    void Button4Click(fw::TObject* Sender);
    void Button5Click(fw::TObject* Sender);
    void Button6Click(fw::TObject* Sender);
    void Button7Click(fw::TObject* Sender);
    void Button8Click(fw::TObject* Sender);
    void Button15Click(fw::TObject* Sender);
    void CheckBox1Click(fw::TObject* Sender);
    void CheckBox2Click(fw::TObject* Sender);

    signlink::TSignLink& Link() { return link_; }

private:
    // Every button on the window enabled or disabled.
    void EnableButtons(bool enabled);
    // The text of ComboBox1 as an integer (the conversion error otherwise).
    int ScreenNumber() const;

    signlink::TSignLink link_;
};

extern TStripSenderForm* Form1;

}  // namespace signline
