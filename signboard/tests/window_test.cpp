// The board sender's window and area dialog, made from their stored
// layouts with a "setprams.ini" beside the test program, driven by
// messages to their controls.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/text.h"
#include "rtl/files.h"
#include "signboard/messages.h"
#include "signboard/send.h"
#include "signboard/settextarea.h"
#include "signboard/settings.h"

namespace signboard {
namespace {

std::string ReadFile(const std::string& name)
{
    return rtl::ReadWholeFile(rtl::PathFromGbk(name)).value_or(std::string());
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::Application->Initialize();
        iniName = SettingsFileName(fw::ProgramFileName());
        fw::SetMessageBoxHook([this](const std::string& text, const std::string&, UINT) {
            shown.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        form.reset();
        fsettextarea = nullptr;
        dialog.reset();
        fw::SetMessageBoxHook(nullptr);
        DeleteFileW(fw::ToWide(iniName).c_str());
    }

    void Start(const std::string& ini)
    {
        std::ofstream(std::filesystem::path(fw::ToWide(iniName)), std::ios::binary) << ini;
        form.reset(fw::CreateForm<TBoardSenderForm>(nullptr));
        dialog.reset(fw::CreateForm<Tfsettextarea>(nullptr));
        fsettextarea = dialog.get();
        form->Show();
    }
    static void Click(fw::TWinControl* c) { SendMessageW(c->Handle(), BM_CLICK, 0, 0); }
    // A click on a dialog button, answered once the dialog runs its loop.
    static void ClickWhenShown(fw::TWinControl* c) { PostMessageW(c->Handle(), BM_CLICK, 0, 0); }
    // Once the dialog shows, from another thread as a person would: the
    // texts typed into their fields, then a click on the button.
    std::thread Answer(std::vector<std::pair<fw::TWinControl*, std::wstring>> texts,
                       fw::TWinControl* button)
    {
        std::vector<std::pair<HWND, std::wstring>> typed;
        for (auto& [control, text] : texts) typed.emplace_back(control->Handle(), text);
        HWND window = dialog->Handle();
        HWND target = button->Handle();
        return std::thread([window, target, typed] {
            for (int i = 0; i < 500 && !IsWindowVisible(window); ++i) Sleep(10);
            for (const auto& [h, text] : typed)
                SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            PostMessageW(target, BM_CLICK, 0, 0);
        });
    }
    fw::TControl* Area(int i) const { return form->Panel2->Controls(i); }
    // A click on an area as the mouse gives it: a press and its release.
    static void ClickOn(fw::TControl* area)
    {
        HWND h = dynamic_cast<fw::TWinControl*>(area)->Handle();
        SendMessageW(h, WM_LBUTTONDOWN, 0, 0);
        SendMessageW(h, WM_LBUTTONUP, 0, 0);
    }

    std::string iniName;
    std::vector<std::string> shown;
    fw::TOwnedPtr<TBoardSenderForm> form;
    fw::TOwnedPtr<Tfsettextarea> dialog;
};

const char kTwoAreas[] =
    "[SYSTEM]\r\nLEDWIDTH=192\r\nLEDHEIGHT=64\r\nCOM=1\r\nTEXTAREANUM=2\r\nisDebug=1\r\n"
    "[TEXTAREA1]\r\nx=0\r\ny=0\r\nwidth=64\r\nheight=16\r\nstatictext=\\AB\r\nareatype=0\r\n"
    "PropertyText={\"fontsize\":1,\"fontcolor\":1,\"speed\":0,\"loop\":0,\"stoptime\":0,\"istime\":0,\"issave\":1}\r\n"
    "[TEXTAREA2]\r\nx=64\r\ny=32\r\nwidth=128\r\nheight=16\r\nstatictext=\\CD\r\nareatype=1\r\n";

TEST_F(WindowTest, StartsFromTheSettingsFileBesideTheProgram)
{
    Start(kTwoAreas);
    EXPECT_EQ(form->ClassName(), "TForm1");
    EXPECT_EQ(form->IniFileName(), iniName);
    EXPECT_EQ(form->Panel2->Width(), 192);
    EXPECT_EQ(form->Panel2->Height(), 64);
    EXPECT_EQ(form->eledwidth->Text(), "192");
    EXPECT_EQ(form->ComboBox3->ItemIndex(), 1);
    EXPECT_EQ(form->ComboBox1->Text(), "1");
    EXPECT_TRUE(form->Button2->Visible());
    EXPECT_FALSE(form->Button1->Enabled());
    EXPECT_FALSE(form->Button9->Enabled());
    ASSERT_EQ(form->Panel2->ControlCount(), 2);
    EXPECT_EQ(Area(0)->Color(), fw::clNavy);
    EXPECT_EQ(Area(1)->Color(), fw::clYellow);
    EXPECT_EQ(Area(1)->BoundsRect().left, 64);
    EXPECT_EQ(Area(1)->Text(), "CD");
    EXPECT_EQ(form->RttiDesign1->DesginControl(), form->Panel2);
    EXPECT_EQ(form->RttiDesign1->MarkersColor(), fw::clYellow);
    EXPECT_TRUE(shown.empty());
}

TEST_F(WindowTest, WithoutDebugTheEditingButtonsAreHidden)
{
    Start("[SYSTEM]\r\nLEDWIDTH=96\r\nLEDHEIGHT=32\r\n");
    for (fw::TButton* b : {form->Button2, form->Button3, form->Button8}) EXPECT_FALSE(b->Visible());
    EXPECT_EQ(form->Panel2->ControlCount(), 0);
}

TEST_F(WindowTest, AnAreaCountBeyondTheLimitIsRefusedAtOnce)
{
    for (const char* count : {"2001", "2147483647"}) {
        shown.clear();
        const DWORD start = GetTickCount();
        Start(std::string("[SYSTEM]\r\nLEDWIDTH=192\r\nLEDHEIGHT=64\r\nTEXTAREANUM=") + count +
              "\r\n");
        EXPECT_LT(GetTickCount() - start, 5000u) << count;
        EXPECT_EQ(form->Panel2->ControlCount(), 0) << count;
        EXPECT_EQ(shown, std::vector<std::string>{std::string(kMsgTooManyAreas) + "2000"}) << count;
    }
}

TEST_F(WindowTest, SavingSettingsWithABadHeightLeavesTheFileAsItWas)
{
    Start(kTwoAreas);
    SendMessageW(form->eledwidth->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"256"));
    SendMessageW(form->eledheight->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x"));
    Click(form->Button7);
    EXPECT_EQ(shown, std::vector<std::string>{"'x' is not a valid integer value"});
    EXPECT_EQ(ReadFile(iniName), kTwoAreas);
    EXPECT_EQ(form->Panel2->Width(), 192);
}

TEST_F(WindowTest, DeletingTheSelectedAreaLetsTheDesignComponentGoFirst)
{
    Start(kTwoAreas);
    auto* area = dynamic_cast<fw::TWinControl*>(Area(1));
    ASSERT_NE(area, nullptr);
    SendMessageW(area->Handle(), WM_LBUTTONDOWN, 0, 0);
    SendMessageW(area->Handle(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(area->Color(), fw::clLime);
    EXPECT_EQ(form->RttiDesign1->SelectControl(), area);
    EXPECT_EQ(fsettextarea->EAX->Text(), "64");
    Click(form->Button3);
    EXPECT_EQ(form->Panel2->ControlCount(), 1);
    EXPECT_EQ(form->RttiDesign1->SelectControl(), nullptr);
    EXPECT_FALSE(form->RttiDesign1->Dragging());
    Click(form->Button3);  // nothing selected: nothing happens
    EXPECT_EQ(form->Panel2->ControlCount(), 1);
}

// kTwoAreas and a third area of a type without a colour of its own: it
// keeps the memo's colour.
const char kThreeTypes[] =
    "[SYSTEM]\r\nLEDWIDTH=192\r\nLEDHEIGHT=64\r\nTEXTAREANUM=3\r\nisDebug=1\r\n"
    "[TEXTAREA1]\r\nx=0\r\ny=0\r\nwidth=64\r\nheight=16\r\nstatictext=\\AB\r\nareatype=0\r\n"
    "[TEXTAREA2]\r\nx=64\r\ny=32\r\nwidth=128\r\nheight=16\r\nstatictext=\\CD\r\nareatype=1\r\n"
    "[TEXTAREA3]\r\nx=128\r\ny=0\r\nwidth=64\r\nheight=16\r\nstatictext=\\GH\r\nareatype=7\r\n";

// An area whose type has no colour of its own (one loaded so, one with a
// type typed into the type box) is not recoloured by the next selection;
// it is let go all the same, with the colour it had, and the delete takes
// the area selected last.
TEST_F(WindowTest, DeletingTakesTheAreaSelectedLastWhateverTheTypes)
{
    Start(kThreeTypes);
    std::thread person =
        Answer({{dialog->Estatictext, L"A"}, {dialog->ctype, L"x"}}, dialog->Button1);
    Click(form->Button2);
    person.join();
    person = Answer({{dialog->Estatictext, L"C"}, {dialog->EAY, L"48"}}, dialog->Button1);
    Click(form->Button2);
    person.join();
    ASSERT_EQ(form->Panel2->ControlCount(), 5);
    fw::TControl* memo = Area(2);
    fw::TControl* a = Area(3);
    fw::TControl* c = Area(4);
    ASSERT_EQ(memo->Tag(), 7);
    ASSERT_EQ(memo->Color(), fw::clWindow);
    ASSERT_EQ(a->Tag(), -1);
    ASSERT_EQ(c->Tag(), 0);

    ClickOn(memo);
    EXPECT_EQ(memo->Color(), fw::clLime);
    ClickOn(a);
    EXPECT_EQ(a->Color(), fw::clLime);
    EXPECT_EQ(memo->Color(), fw::clWindow);  // its own colour, not navy
    ClickOn(c);
    EXPECT_EQ(c->Color(), fw::clLime);
    EXPECT_EQ(a->Color(), fw::clNavy);  // its colour before it was selected
    Click(form->Button3);
    ASSERT_EQ(form->Panel2->ControlCount(), 4);
    ASSERT_EQ(Area(3), a);
    EXPECT_EQ(Area(3)->Text(), "A");

    // Selected again and again, it is still the one deleted.
    ClickOn(a);
    ClickOn(a);
    Click(form->Button3);
    EXPECT_EQ(form->Panel2->ControlCount(), 3);
    Click(form->Button3);  // nothing selected any more
    EXPECT_EQ(form->Panel2->ControlCount(), 3);
}

// The click of a double click selects the area, letting go of the one
// selected before; a confirmed edit then colours it navy, which lets go of
// it too: the delete after it takes nothing, until an area is clicked.
TEST_F(WindowTest, AfterAConfirmedEditTheDeleteTakesNothing)
{
    Start(kThreeTypes);
    fw::TControl* memo = Area(2);
    fw::TControl* line = Area(1);
    ClickOn(memo);
    std::thread person = Answer({}, dialog->Button1);
    ClickOn(line);
    SendMessageW(dynamic_cast<fw::TWinControl*>(line)->Handle(), WM_LBUTTONDBLCLK, 0, 0);
    person.join();
    fw::Application->ProcessMessages();
    ASSERT_EQ(dialog->Confirmed(), 1);
    EXPECT_EQ(memo->Color(), fw::clWindow);  // let go by the double click's click
    EXPECT_EQ(line->Color(), fw::clNavy);
    Click(form->Button3);
    ASSERT_EQ(form->Panel2->ControlCount(), 3);

    ClickOn(line);
    Click(form->Button3);
    ASSERT_EQ(form->Panel2->ControlCount(), 2);
    EXPECT_EQ(Area(1), memo);
}

TEST_F(WindowTest, AddingAnAreaThroughTheDialogPutsItOnTheCanvas)
{
    Start(kTwoAreas);
    SendMessageW(form->eledwidth->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"96"));
    ClickWhenShown(dialog->Button14);
    Click(form->Button2);
    EXPECT_EQ(dialog->Ewidth->Text(), "96");
    EXPECT_EQ(dialog->Confirmed(), 0);
    EXPECT_EQ(form->Panel2->ControlCount(), 2);

    SendMessageW(form->eledwidth->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"192"));
    std::thread person =
        Answer({{dialog->EAY, L"48"}, {dialog->Estatictext, L"EF"}}, dialog->Button1);
    Click(form->Button2);
    person.join();
    EXPECT_EQ(dialog->Confirmed(), 1);
    ASSERT_EQ(form->Panel2->ControlCount(), 3);
    EXPECT_EQ(Area(2)->Text(), "EF");
    EXPECT_EQ(Area(2)->BoundsRect().top, 48);
    EXPECT_EQ(Area(2)->Width(), 128);
    EXPECT_EQ(
        Area(2)->HelpKeyword(),
        "{\"fontsize\":0,\"fontcolor\":0,\"speed\":0,\"loop\":0,\"stoptime\":0,\"istime\":0,\"issave\":0}");

    // A type typed into the type box (index -1): navy all the same.
    person = Answer({{dialog->ctype, L"x"}}, dialog->Button1);
    Click(form->Button2);
    person.join();
    ASSERT_EQ(form->Panel2->ControlCount(), 4);
    EXPECT_EQ(Area(3)->Tag(), -1);
    EXPECT_EQ(Area(3)->Color(), fw::clNavy);
}

TEST_F(WindowTest, TheDialogConfirmsOnlyOnAnOkThatFitsTheCanvas)
{
    Start(kTwoAreas);
    dialog->SetCanvas(form->Panel2);
    SendMessageW(dialog->EAX->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"72"));
    ClickWhenShown(dialog->Button1);   // 72 + 128 > 192: refused, stays open
    ClickWhenShown(dialog->Button14);  // then cancelled
    dialog->ShowModal();
    EXPECT_EQ(shown, std::vector<std::string>{kMsgAreaCoordsBad});
    EXPECT_EQ(dialog->Confirmed(), 0);
    EXPECT_EQ(dialog->PropertyText(), "");

    dialog->LoadProperties(
        "{\"fontsize\":3,\"fontcolor\":1,\"speed\":100,\"loop\":1,\"stoptime\":5,\"istime\":0,\"issave\":1}");
    SendMessageW(dialog->EAX->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"64"));
    ClickWhenShown(dialog->Button1);
    dialog->ShowModal();
    EXPECT_EQ(dialog->Confirmed(), 1);
    const std::string built =
        "{\"fontsize\":3,\"fontcolor\":1,\"speed\":100,\"loop\":1,\"stoptime\":5,\"istime\":0,\"issave\":1}";
    EXPECT_EQ(dialog->PropertyText(), built);

    // Shown again and cancelled: the last OK's text stays.
    ClickWhenShown(dialog->Button14);
    dialog->ShowModal();
    EXPECT_EQ(dialog->Confirmed(), 0);
    EXPECT_EQ(dialog->PropertyText(), built);
}

TEST_F(WindowTest, TagButtonsInsertTheirTagAtTheCaret)
{
    Start(kTwoAreas);
    dialog->Estatictext->SetText(
        "AB\xD6\xD0"
        "D");  // AB中D
    dialog->Estatictext->SetSelStart(3);
    Click(dynamic_cast<fw::TButton*>(dialog->FindComponent("Button3")));
    EXPECT_EQ(dialog->Estatictext->Text(), "AB\xD6\xD0^col:1^D");
    EXPECT_EQ(dialog->Estatictext->SelStart(), 10);
    Click(dynamic_cast<fw::TButton*>(dialog->FindComponent("Button11")));
    EXPECT_EQ(dialog->Estatictext->Text(), "AB\xD6\xD0^col:1^^line:0 32 128 32 2^D");
}

TEST_F(WindowTest, ADoubleClickEditsTheAreaAndLeavesNoDragBehind)
{
    Start(kTwoAreas);
    auto* area = dynamic_cast<fw::TWinControl*>(Area(0));
    ASSERT_NE(area, nullptr);
    POINT before;
    GetCursorPos(&before);
    SendMessageW(area->Handle(), WM_LBUTTONDOWN, 0, 0);
    SendMessageW(area->Handle(), WM_LBUTTONUP, 0, 0);
    std::thread person =
        Answer({{dialog->Estatictext, L"XY"}, {dialog->EAY, L"8"}}, dialog->Button1);
    SendMessageW(area->Handle(), WM_LBUTTONDBLCLK, 0, 0);
    person.join();
    EXPECT_TRUE(form->RttiDesign1->Dragging());  // the double click's own press
    fw::Application->ProcessMessages();
    EXPECT_EQ(area->Text(), "XY");
    EXPECT_EQ(area->BoundsRect().top, 8);
    EXPECT_EQ(area->Color(), fw::clNavy);
    EXPECT_EQ(
        area->HelpKeyword(),
        "{\"fontsize\":1,\"fontcolor\":1,\"speed\":0,\"loop\":0,\"stoptime\":0,\"istime\":0,\"issave\":1}");
    EXPECT_FALSE(form->RttiDesign1->Dragging());
    EXPECT_EQ(form->RttiDesign1->SelectControl(), area);
    POINT after;
    GetCursorPos(&after);
    EXPECT_EQ(after.x, before.x);  // no input was made up
}

// An area whose text no window holds as it is (a lone lead byte) keeps it
// when the dialog confirms it untouched, and takes what the operator types.
TEST_F(WindowTest, TheDialogKeepsAnAreaTextItDidNotChange)
{
    Start(
        "[SYSTEM]\r\nLEDWIDTH=192\r\nLEDHEIGHT=64\r\nTEXTAREANUM=1\r\n"
        "[TEXTAREA1]\r\nx=0\r\ny=0\r\nwidth=64\r\nheight=16\r\nstatictext=\\AB\x81\r\n");
    auto* area = dynamic_cast<fw::TWinControl*>(Area(0));
    ASSERT_NE(area, nullptr);
    const std::pair<std::vector<std::pair<fw::TWinControl*, std::wstring>>, std::string> edits[] = {
        {{{dialog->EAY, L"8"}}, "AB\x81"},
        {{{dialog->Estatictext, L"XY"}}, "XY"},
    };
    for (const auto& [typed, text] : edits) {
        std::thread person = Answer(typed, dialog->Button1);
        SendMessageW(area->Handle(), WM_LBUTTONDBLCLK, 0, 0);
        person.join();
        fw::Application->ProcessMessages();
        ASSERT_EQ(form->CanvasAreas().size(), 1u);
        EXPECT_EQ(form->CanvasAreas()[0].statictext, text);
    }
    EXPECT_EQ(area->BoundsRect().top, 8);
}

}  // namespace
}  // namespace signboard
