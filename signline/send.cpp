#include "signline/send.h"

#include "framework/dialogs.h"
#include "rtl/sysutils.h"
#include "signline/commands.h"
#include "signline/compose.h"
#include "signlink/crc16.h"
#include "signlink/win32_port.h"

namespace signline {

TStripSenderForm* Form1 = nullptr;

namespace {

// The message texts are the program's own, to the byte: "效正" (set the
// clock) and, on the window, "效验码" (checksum) are its wording and stay so.
constexpr const char kMsgSendOk[] = "\xB7\xA2\xCB\xCD\xB3\xC9\xB9\xA6!";      // 发送成功!
constexpr const char kMsgSendFail[] = "\xB7\xA2\xCB\xCD\xCA\xA7\xB0\xDC!";    // 发送失败!
constexpr const char kMsgClockOk[] = "\xD0\xA7\xD5\xFD\xB3\xC9\xB9\xA6!";     // 效正成功!
constexpr const char kMsgClockFail[] = "\xD0\xA7\xD5\xFD\xCA\xA7\xB0\xDC!";   // 效正失败!
constexpr const char kMsgRecallOk[] = "\xB5\xF7\xD3\xC3\xB3\xC9\xB9\xA6!";    // 调用成功!
constexpr const char kMsgRecallFail[] = "\xB5\xF7\xD3\xC3\xCA\xA7\xB0\xDC!";  // 调用失败!

// 今天是:\14年\15月\16日  \17:\18  星期\19
constexpr const char kTimeSample[] =
    "\xBD\xF1\xCC\xEC\xCA\xC7:\\14\xC4\xEA\\15\xD4\xC2\\16\xC8\xD5  \\17:\\18  \xD0\xC7\xC6\xDA\\19";
// 今天是:\6\14年\7\15月\8\16日  \17:\18  星期\19
constexpr const char kColourSample[] =
    "\xBD\xF1\xCC\xEC\xCA\xC7:\\6\\14\xC4\xEA\\7\\15\xD4\xC2\\8\\16\xC8\xD5  \\17:\\18  \xD0\xC7\xC6\xDA\\19";

}  // namespace

FW_IMPLEMENT_CLASS_AS(TStripSenderForm, "TForm1")
{
    c.Field("ComboBox1", &TStripSenderForm::ComboBox1);
    c.Field("ComboBox2", &TStripSenderForm::ComboBox2);
    c.Field("ComboBox3", &TStripSenderForm::ComboBox3);
    c.Field("ComboBox4", &TStripSenderForm::ComboBox4);
    c.Field("Ccolor", &TStripSenderForm::Ccolor);
    c.Field("Cfontsize", &TStripSenderForm::Cfontsize);
    c.Field("CheckBox1", &TStripSenderForm::CheckBox1);
    c.Field("CheckBox2", &TStripSenderForm::CheckBox2);
    c.Field("Csave", &TStripSenderForm::Csave);
    c.Field("Edit1", &TStripSenderForm::Edit1);
    c.Field("Edit2", &TStripSenderForm::Edit2);
    c.Field("Edit3", &TStripSenderForm::Edit3);
    c.Field("Button1", &TStripSenderForm::Button1);
    c.Field("Button2", &TStripSenderForm::Button2);
    c.Field("Button3", &TStripSenderForm::Button3);
    c.Field("Button4", &TStripSenderForm::Button4);
    c.Field("Button5", &TStripSenderForm::Button5);
    c.Field("Button6", &TStripSenderForm::Button6);
    c.Field("Button7", &TStripSenderForm::Button7);
    c.Field("Button8", &TStripSenderForm::Button8);
    c.Field("Button15", &TStripSenderForm::Button15);
    c.Field("SkinData1", &TStripSenderForm::SkinData1);
    c.Method("FormCreate", &TStripSenderForm::FormCreate);
    c.Method("Button1Click", &TStripSenderForm::Button1Click);
    c.Method("Button2Click", &TStripSenderForm::Button2Click);
    c.Method("Button3Click", &TStripSenderForm::Button3Click);
    c.Method("Button4Click", &TStripSenderForm::Button4Click);
    c.Method("Button5Click", &TStripSenderForm::Button5Click);
    c.Method("Button6Click", &TStripSenderForm::Button6Click);
    c.Method("Button7Click", &TStripSenderForm::Button7Click);
    c.Method("Button8Click", &TStripSenderForm::Button8Click);
    c.Method("Button15Click", &TStripSenderForm::Button15Click);
    c.Method("CheckBox1Click", &TStripSenderForm::CheckBox1Click);
    c.Method("CheckBox2Click", &TStripSenderForm::CheckBox2Click);
}

TStripSenderForm::TStripSenderForm(fw::TComponent* owner) : TForm(owner)
{
    // The stored layout creates the skin data by its class name.
    fw::RegisterClass(skin::TSkinData::StaticClass());
    link_.SetMessageFunc([](const std::string& text) { fw::ShowMessage(text); });
}

void TStripSenderForm::FormCreate(fw::TObject*)
{
    signlink::FillCrcTable();
    ComboBox1->Items()->Clear();
    for (int i = 0; i <= 100; ++i) ComboBox1->Items()->Add(rtl::IntToStr(i));
    ComboBox1->SetItemIndex(0);
    ComboBox2->SetItemIndex(0);
}

void TStripSenderForm::EnableButtons(bool enabled)
{
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<fw::TButton*>(Controls(i))) b->SetEnabled(enabled);
}

int TStripSenderForm::ScreenNumber() const { return rtl::StrToInt(ComboBox1->Text()); }

void TStripSenderForm::Button4Click(fw::TObject*)
{
    if (!signlink::OpenSignPort(link_, ComboBox3->ItemIndex())) return;
    EnableButtons(true);
    Button4->SetEnabled(false);
}

void TStripSenderForm::Button5Click(fw::TObject*)
{
    signlink::CloseSignPort(link_);
    EnableButtons(false);
    Button4->SetEnabled(true);
}

void TStripSenderForm::Button1Click(fw::TObject*)
{
    TComposeChoice choice;
    choice.ColorIndex = Ccolor->ItemIndex();
    choice.FontIndex = Cfontsize->ItemIndex();
    choice.LineIndex = ComboBox2->ItemIndex();
    choice.Window16 = CheckBox1->Checked();
    choice.Window32 = CheckBox2->Checked();
    choice.Save = Csave->Checked();
    const std::string message = ComposeMessage(Edit1->Text(), choice);
    const int screen = ScreenNumber();
    fw::ShowMessage(SendText(link_, message, screen) ? kMsgSendOk : kMsgSendFail);
}

void TStripSenderForm::Button2Click(fw::TObject*)
{
    const int screen = ScreenNumber();
    fw::ShowMessage(SetClock(link_, screen) ? kMsgClockOk : kMsgClockFail);
}

void TStripSenderForm::Button3Click(fw::TObject*)
{
    const int line = ComboBox2->ItemIndex() + 1;
    const int screen = ScreenNumber();
    fw::ShowMessage(RecallContent(link_, screen, line) ? kMsgRecallOk : kMsgRecallFail);
}

void TStripSenderForm::Button8Click(fw::TObject*)
{
    const int32_t count = rtl::StrToInt(ComboBox4->Text());
    Edit1->SetText(CenterToCount(Edit1->Text(), count, static_cast<size_t>(Edit1->MaxLength())));
}

void TStripSenderForm::Button6Click(fw::TObject*) { Edit1->SetText(kTimeSample); }

void TStripSenderForm::Button7Click(fw::TObject*) { Edit1->SetText(kColourSample); }

void TStripSenderForm::CheckBox1Click(fw::TObject*)
{
    if (CheckBox1->Checked()) CheckBox2->SetChecked(false);
}

void TStripSenderForm::CheckBox2Click(fw::TObject*)
{
    if (CheckBox2->Checked()) CheckBox1->SetChecked(false);
}

void TStripSenderForm::Button15Click(fw::TObject*)
{
    const std::string text = Edit2->Text();
    if (text.empty()) return;
    Edit3->SetText(ChecksumText(text));
}

}  // namespace signline
