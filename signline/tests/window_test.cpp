// The strip sender's window, made from its stored layout and driven by
// messages to its controls, over a scripted port.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "signline/send.h"
#include "signlink/crc16.h"
#include "signlink/stuffing.h"
#include "signlink/tests/fake_port.h"
#include "skin/controls/skincombo.h"
#include "skin/engine/skinmessages.h"
#include "skin/engine/skinunit.h"
#include "skin/form/skinmanage.h"
#include "skin/form/winskinform.h"

namespace signline {
namespace {

using signlink::testing::Bytes;
using signlink::testing::TFakePort;
using signlink::testing::TFakePortLog;

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::Application->Initialize();
        fw::SetMessageBoxHook([this](const std::string& text, const std::string&, UINT) {
            shown.push_back(text);
            return IDOK;
        });
        form.reset(fw::CreateForm<TStripSenderForm>(nullptr));
    }
    void TearDown() override { fw::SetMessageBoxHook(nullptr); }

    // A port that acknowledges the first frame it is sent.
    void AttachAcknowledging(uint8_t command)
    {
        auto port = std::make_unique<TFakePort>(log);
        Bytes ack = {0x01, 0x02, command};
        const uint16_t fcs = signlink::Crc16(ack.data(), ack.size());
        ack.push_back(static_cast<uint8_t>(fcs));
        ack.push_back(static_cast<uint8_t>(fcs >> 8));
        port->AnswerAttempt(0, signlink::BuildSignFrame(ack.data(), ack.size()));
        form->Link().AttachPort(std::move(port));
    }

    static void Click(fw::TWinControl* c) { SendMessageW(c->Handle(), BM_CLICK, 0, 0); }
    static void Type(fw::TWinControl* c, const wchar_t* text)
    {
        SendMessageW(c->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }

    // Started around the window, as the program does.
    skin::TSkinEngineScope engine;
    std::vector<std::string> shown;
    TFakePortLog log;
    fw::TOwnedPtr<TStripSenderForm> form;
};

TEST_F(WindowTest, LayoutGivesEveryControlItsCaptionItemsAndDefault)
{
    EXPECT_EQ(form->ClassName(), "TForm1");
    EXPECT_EQ(form->Caption(), "LED \xB7\xA2\xCB\xCD\xB3\xCC\xD0\xF2");  // "LED 发送程序"
    EXPECT_EQ(form->ClientWidth(), 669);
    EXPECT_EQ(form->ClientHeight(), 295);
    EXPECT_EQ(form->Position(), fw::poScreenCenter);
    EXPECT_EQ(form->Font()->Name(), "MS Sans Serif");

    EXPECT_EQ(form->ComboBox1->Items()->Count(), 101);
    EXPECT_EQ(form->ComboBox1->Items()->Get(100), "100");
    EXPECT_EQ(form->ComboBox1->ItemIndex(), 0);
    EXPECT_EQ(form->ComboBox3->Items()->Count(), 19);
    EXPECT_EQ(form->ComboBox3->Items()->Get(0), "\xCE\xB4\xD1\xA1\xD4\xF1");  // "未选择"
    EXPECT_EQ(form->ComboBox3->Items()->Get(18), "COM18");
    EXPECT_EQ(form->ComboBox3->ItemIndex(), 0);
    EXPECT_EQ(form->ComboBox2->ItemIndex(), 0);
    EXPECT_EQ(form->ComboBox2->Text(), "\xB5\xDA\xD2\xBB\xD0\xD0");  // "第一行"
    EXPECT_EQ(form->ComboBox4->Text(), "12");
    EXPECT_EQ(form->ComboBox4->Items()->Count(), 15);
    EXPECT_EQ(form->Ccolor->Text(), "\xBA\xEC\xC9\xAB");  // "红色"
    EXPECT_EQ(form->Cfontsize->Text(), "16");
    EXPECT_EQ(form->Edit1->MaxLength(), 1000);
    EXPECT_FALSE(form->CheckBox1->Checked());
    EXPECT_FALSE(form->Csave->Checked());

    auto* note = dynamic_cast<fw::TLabel*>(form->FindComponent("Label14"));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->Font()->Color(), fw::clRed);
    EXPECT_TRUE(note->WordWrap());
    auto* help = dynamic_cast<fw::TLabel*>(form->FindComponent("Label24"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->Caption(), "\\14:  \xCF\xD4\xCA\xBE\xC4\xEA\xA3\xBB");  // "\14:  显示年；"

    // Only open, the samples and centring work while the port is closed.
    for (fw::TButton* b : {form->Button4, form->Button6, form->Button7, form->Button8})
        EXPECT_TRUE(b->Enabled());
    for (fw::TButton* b :
         {form->Button1, form->Button2, form->Button3, form->Button5, form->Button15})
        EXPECT_FALSE(b->Enabled());
    // The checksum tool is hidden below the client area.
    for (const char* name : {"Label6", "Edit2", "Label7", "Edit3", "Button15"}) {
        auto* c = dynamic_cast<fw::TControl*>(form->FindComponent(name));
        ASSERT_NE(c, nullptr) << name;
        EXPECT_FALSE(c->Visible()) << name;
        EXPECT_GE(c->Top(), 295) << name;
    }
}

TEST_F(WindowTest, LayoutCarriesTheDefaultSkinInSkinData1)
{
    skin::TSkinData* skinData = form->SkinData1;
    ASSERT_NE(skinData, nullptr);
    EXPECT_EQ(skinData->Owner(), form.get());
    EXPECT_FALSE(skinData->NoSkin());  // loaded while the layout was read
    EXPECT_EQ(skinData->SkinName(), "Slate");
    EXPECT_TRUE(skinData->Active());
    EXPECT_EQ(skinData->SkinFormtype(), skin::sfMainform);
    EXPECT_EQ(skinData->Skin3rd()->Count(), 118);
    EXPECT_EQ(skinData->Skin().SysButtons.size(), 8u);
    ASSERT_NE(skin::SkinManager(), nullptr);
    EXPECT_EQ(skin::SkinManager()->MainSkinData(), skinData);
    // The manager watches activation: the window is skinned when it first
    // becomes active.
    form->Show();
    SetForegroundWindow(form->Handle());
    const DWORD start = GetTickCount();
    while (SendMessageW(form->Handle(), skin::WM_SKINQUERY, 0, 0) != 1 &&
           GetTickCount() - start < 3000)
        fw::Application->ProcessMessages();
    EXPECT_EQ(SendMessageW(form->Handle(), skin::WM_SKINQUERY, 0, 0), 1);
}

// Every windowed control of the window, the hidden checksum tool included.
std::vector<fw::TWinControl*> WindowedControls(fw::TForm* form)
{
    std::vector<fw::TWinControl*> controls;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* c = dynamic_cast<fw::TWinControl*>(form->Components(i))) controls.push_back(c);
    return controls;
}

bool Skinned(HWND window) { return SendMessageW(window, skin::WM_SKINQUERY, 0, 0) == 1; }

TEST_F(WindowTest, SkinnedWindowSkinsEveryControlAndGivesThemBack)
{
    form->Show();
    // The manager's hook skins the window as it is activated; asked
    // directly, it skins it whether the activation came yet or not.
    skin::TSkinManage* manager = skin::SkinManager();
    manager->SkinWindow(form->Handle());
    skin::TWinSkinForm* skinner = manager->FindSkinForm(form->Handle());
    ASSERT_NE(skinner, nullptr);
    const auto controls = WindowedControls(form.get());
    ASSERT_GE(controls.size(), 20u);
    const DWORD start = GetTickCount();
    MSG msg;
    while (!Skinned(controls.back()->Handle()) && GetTickCount() - start < 3000) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
    for (fw::TWinControl* c : controls) {
        EXPECT_TRUE(Skinned(c->Handle())) << c->Name();
        EXPECT_NE(skinner->Controls().FindByControl(c), nullptr) << c->Name();
    }

    // The 101 screen numbers' list has a skinned scroll bar of its own.
    auto* combo =
        dynamic_cast<skin::TSkinComBox*>(skinner->Controls().FindByControl(form->ComboBox1));
    ASSERT_NE(combo, nullptr);
    ASSERT_NE(combo->DropListSkinner, nullptr);
    const HWND listWindow = combo->ListHandle;
    EXPECT_TRUE(Skinned(listWindow));

    // The operator's typing and clicks still reach the program.
    Type(form->Edit1, L"Hello");
    EXPECT_EQ(form->Edit1->Text(), "Hello");
    form->ComboBox2->SetItemIndex(1);
    EXPECT_EQ(form->ComboBox2->ItemIndex(), 1);
    Click(form->CheckBox1);
    EXPECT_TRUE(form->CheckBox1->Checked());
    Click(form->CheckBox2);
    EXPECT_FALSE(form->CheckBox1->Checked());
    form->Button5->SetEnabled(true);
    Click(form->Button5);  // closes the port: only "open" stays enabled
    EXPECT_TRUE(form->Button4->Enabled());
    EXPECT_FALSE(form->Button5->Enabled());

    skinner->UnhookWindow();
    for (fw::TWinControl* c : controls) EXPECT_FALSE(Skinned(c->Handle())) << c->Name();
    EXPECT_FALSE(Skinned(listWindow));
}

TEST_F(WindowTest, SendComposesTheMessageAndShowsTheOutcome)
{
    AttachAcknowledging('D');
    form->Button1->SetEnabled(true);
    Type(form->ComboBox1, L"1");
    Type(form->Edit1, L"AB");
    Click(form->Button1);
    ASSERT_EQ(log.writes.size(), 1u);
    EXPECT_EQ(log.writes[0], (Bytes{0x7E, 0x7D, 0x21, 0x7D, 0x21, 0x44, 0x7D, 0x21, 0x7D, 0x23,
                                    0x7D, 0x26, 0x41, 0x42, 0x9C, 0x49, 0x7E}));
    EXPECT_EQ(shown, std::vector<std::string>{"\xB7\xA2\xCB\xCD\xB3\xC9\xB9\xA6!"});  // "发送成功!"
}

TEST_F(WindowTest, NoPortOpenGivesTheLinksMessageThenTheFailure)
{
    form->Button1->SetEnabled(true);
    Click(form->Button1);
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "\xCE\xB4\xB4\xF2\xBF\xAA\xCD\xA8\xD0\xC5\xBF\xDA",  // "未打开通信口"
                         "\xB7\xA2\xCB\xCD\xCA\xA7\xB0\xDC!"}));              // "发送失败!"
}

TEST_F(WindowTest, ScreenNumberThatIsNoIntegerShowsTheConversionErrorAndSendsNothing)
{
    AttachAcknowledging('D');
    form->Button1->SetEnabled(true);
    Type(form->ComboBox1, L"abc");
    Click(form->Button1);
    EXPECT_TRUE(log.writes.empty());
    EXPECT_EQ(shown, std::vector<std::string>{"'abc' is not a valid integer value"});
}

TEST_F(WindowTest, RecallTakesTheLineFromTheLineBox)
{
    AttachAcknowledging('W');
    form->Button3->SetEnabled(true);
    Type(form->ComboBox2, L"typed");  // no item: line 0
    Click(form->Button3);
    ASSERT_EQ(log.writes.size(), 1u);
    std::vector<uint8_t> body;
    const Bytes& frame = log.writes[0];
    ASSERT_TRUE(signlink::UnstuffFrame(frame.data() + 1, frame.size() - 2, body));
    ASSERT_GE(body.size(), 4u);
    EXPECT_EQ(body[2], 'W');
    EXPECT_EQ(body[3], 0x00);
    EXPECT_EQ(shown, std::vector<std::string>{"\xB5\xF7\xD3\xC3\xB3\xC9\xB9\xA6!"});  // "调用成功!"
}

TEST_F(WindowTest, ClosingThePortDisablesEveryButtonButOpen)
{
    for (fw::TButton* b : {form->Button1, form->Button2, form->Button3, form->Button5})
        b->SetEnabled(true);
    Click(form->Button5);
    EXPECT_TRUE(form->Button4->Enabled());
    for (fw::TButton* b : {form->Button1, form->Button2, form->Button3, form->Button5,
                           form->Button6, form->Button7, form->Button8, form->Button15})
        EXPECT_FALSE(b->Enabled());
    EXPECT_TRUE(shown.empty());
}

TEST_F(WindowTest, OpeningWithNoPortChosenLeavesTheButtons)
{
    Click(form->Button4);  // index 0: "未选择"
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_TRUE(form->Button4->Enabled());
    EXPECT_FALSE(form->Button1->Enabled());
}

TEST_F(WindowTest, WindowBoxesAreExclusive)
{
    Click(form->CheckBox1);
    EXPECT_TRUE(form->CheckBox1->Checked());
    Click(form->CheckBox2);
    EXPECT_TRUE(form->CheckBox2->Checked());
    EXPECT_FALSE(form->CheckBox1->Checked());
    Click(form->CheckBox2);
    EXPECT_FALSE(form->CheckBox1->Checked());
    EXPECT_FALSE(form->CheckBox2->Checked());
}

TEST_F(WindowTest, SamplesAndCentring)
{
    Click(form->Button6);
    EXPECT_EQ(
        form->Edit1->Text(),
        "\xBD\xF1\xCC\xEC\xCA\xC7:\\14\xC4\xEA\\15\xD4\xC2\\16\xC8\xD5  \\17:\\18  \xD0\xC7\xC6\xDA\\19");
    Click(form->Button7);
    EXPECT_EQ(form->Edit1->Text(),
              "\xBD\xF1\xCC\xEC\xCA\xC7:\\6\\14\xC4\xEA\\7\\15\xD4\xC2\\8\\16\xC8\xD5  "
              "\\17:\\18  \xD0\xC7\xC6\xDA\\19");
    Type(form->Edit1, L"ABCDEFGH");
    Click(form->Button8);  // 12 characters: 24 bytes
    EXPECT_EQ(form->Edit1->Text(), "        ABCDEFGH        ");
    Type(form->ComboBox4, L"x");
    Click(form->Button8);
    EXPECT_EQ(shown, std::vector<std::string>{"'x' is not a valid integer value"});

    // A count far beyond the line fills the box and no more; a count past
    // the integer range is no number.
    Type(form->ComboBox4, L"1000000");
    Click(form->Button8);
    const std::string full = form->Edit1->Text();
    EXPECT_EQ(full.size(), 1000u);
    EXPECT_EQ(full.find("ABCDEFGH"), 496u);
    Type(form->ComboBox4, L"3000000000");
    Click(form->Button8);
    EXPECT_EQ(shown.back(), "'3000000000' is not a valid integer value");
    EXPECT_EQ(form->Edit1->Text(), full);
}

TEST_F(WindowTest, ChecksumTool)
{
    form->Button15->SetEnabled(true);
    Type(form->Edit2, L"31 32 33 34 35 36 37 38 39");
    Click(form->Button15);
    EXPECT_EQ(form->Edit3->Text(), "90 6E");
    Type(form->Edit2, L"");
    Type(form->Edit3, L"kept");
    Click(form->Button15);
    EXPECT_EQ(form->Edit3->Text(), "kept");
}

}  // namespace
}  // namespace signline
