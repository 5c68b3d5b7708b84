#include "signboard/send.h"

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/guards.h"
#include "framework/text.h"
#include "rtl/sysutils.h"
#include "signboard/areamemo.h"
#include "signboard/commands.h"
#include "signboard/messages.h"
#include "signboard/properties.h"
#include "signboard/settextarea.h"
#include "signboard/settings.h"
#include "signlink/crc16.h"
#include "signlink/win32_port.h"

namespace signboard {

TBoardSenderForm* Form1 = nullptr;

namespace {

// Posted after the area dialog of a double click: ends the drag that the
// double click's mouse-down starts once the dialog has closed.
constexpr UINT WM_ENDAREADRAG = WM_APP + 0x51;

constexpr const char kAreaFontName[] = "\xCB\xCE\xCC\xE5";  // 宋体

void ColourByType(fw::TControl* area)
{
    if (area->Tag() == kAreaText)
        area->SetColor(fw::clNavy);
    else if (area->Tag() == kAreaLine)
        area->SetColor(fw::clYellow);
}

}  // namespace

FW_IMPLEMENT_CLASS_AS(TBoardSenderForm, "TForm1")
{
    c.Field("Panel1", &TBoardSenderForm::Panel1);
    c.Field("eledwidth", &TBoardSenderForm::eledwidth);
    c.Field("eledheight", &TBoardSenderForm::eledheight);
    c.Field("ComboBox1", &TBoardSenderForm::ComboBox1);
    c.Field("ComboBox3", &TBoardSenderForm::ComboBox3);
    c.Field("Button1", &TBoardSenderForm::Button1);
    c.Field("Button2", &TBoardSenderForm::Button2);
    c.Field("Button3", &TBoardSenderForm::Button3);
    c.Field("Button4", &TBoardSenderForm::Button4);
    c.Field("Button5", &TBoardSenderForm::Button5);
    c.Field("Button6", &TBoardSenderForm::Button6);
    c.Field("Button7", &TBoardSenderForm::Button7);
    c.Field("Button8", &TBoardSenderForm::Button8);
    c.Field("Button9", &TBoardSenderForm::Button9);
    c.Field("Panel2", &TBoardSenderForm::Panel2);
    c.Field("PPMemo", &TBoardSenderForm::PPMemo);
    c.Field("StatusBar1", &TBoardSenderForm::StatusBar1);
    c.Field("RttiDesign1", &TBoardSenderForm::RttiDesign1);
    c.Method("FormCreate", &TBoardSenderForm::FormCreate);
    c.Method("Button1Click", &TBoardSenderForm::Button1Click);
    c.Method("Button2Click", &TBoardSenderForm::Button2Click);
    c.Method("Button3Click", &TBoardSenderForm::Button3Click);
    c.Method("Button4Click", &TBoardSenderForm::Button4Click);
    c.Method("Button5Click", &TBoardSenderForm::Button5Click);
    c.Method("Button6Click", &TBoardSenderForm::Button6Click);
    c.Method("Button7Click", &TBoardSenderForm::Button7Click);
    c.Method("Button8Click", &TBoardSenderForm::Button8Click);
    c.Method("Button9Click", &TBoardSenderForm::Button9Click);
    c.Method("PPMemoClick", &TBoardSenderForm::PPMemoClick);
    c.Method("PPMemoDblClick", &TBoardSenderForm::PPMemoDblClick);
    c.Method("RttiDesign1CanMove", &TBoardSenderForm::RttiDesign1CanMove);
    c.Method("RttiDesign1CanResize", &TBoardSenderForm::RttiDesign1CanResize);
    c.Method("RttiDesign1BeforeSelect", &TBoardSenderForm::RttiDesign1BeforeSelect);
}

TBoardSenderForm::TBoardSenderForm(fw::TComponent* owner) : TForm(owner)
{
    // The stored layout creates the design component by its class name.
    fw::RegisterClass(TRttiDesign::StaticClass());
    link_.SetMessageFunc([](const std::string& text) { fw::ShowMessage(text); });
}

void TBoardSenderForm::FormCreate(fw::TObject*)
{
    signlink::FillCrcTable();
    SetDoubleBuffered(true);
    iniFileName_ = SettingsFileName(fw::ProgramFileName());
    ini_ = std::make_unique<rtl::TIniFile>(iniFileName_);
    const TSystemSettings settings = ReadSystemSettings(*ini_);
    LedWidth = settings.LedWidth;
    LedHeight = settings.LedHeight;
    Panel2->SetBounds(Panel2->Left(), Panel2->Top(), LedWidth, LedHeight);
    eledwidth->SetText(rtl::IntToStr(LedWidth));
    eledheight->SetText(rtl::IntToStr(LedHeight));
    ComboBox3->SetItemIndex(settings.Com);
    const TLayoutLoad layout = LoadLayout(*ini_);
    layoutRefused_ = layout.Refused();
    if (layoutRefused_)
        fw::ShowMessage(layout.Message);
    else
        CreateAreaMemos(layout.Areas);
    const bool editing = settings.IsDebug >= 1;
    Button2->SetVisible(editing);
    Button3->SetVisible(editing);
    Button8->SetVisible(editing);
}

TAreaMemo* TBoardSenderForm::NewAreaMemo(const AreaRecord& area, bool added)
{
    // Everything that shapes the window, and its text, is set before the
    // memo gets its parent, so that its window is made once and with the
    // text, without the messages and the repaint of a second setting.
    auto* memo = new TAreaMemo(Panel2);
    memo->SetCtl3D(false);
    memo->SetParentColor(false);
    if (!added) memo->SetBorderStyle(fw::bsNone);
    memo->SetReadOnly(true);
    memo->SetTag(area.areatype);
    if (added) memo->SetColor(fw::clNavy);
    ColourByType(memo);
    memo->SetParentFont(false);
    memo->Font()->SetName(kAreaFontName);
    memo->Font()->SetSize(12);
    memo->Font()->SetColor(fw::clRed);
    memo->OnClick = PPMemo->OnClick;
    memo->OnDblClick = PPMemo->OnDblClick;
    memo->OnMouseMove = PPMemo->OnMouseMove;
    memo->SetBounds(area.x, area.y, area.width, area.height);
    memo->SetHelpKeyword(area.PropertyText);
    memo->SetAlignment(fw::taLeftJustify);
    memo->SetAreaText(area.statictext);
    memo->SetParent(Panel2);
    memo->SetSelStart(0);
    return memo;
}

void TBoardSenderForm::CreateAreaMemos(const std::vector<AreaRecord>& areas)
{
    // The memos paint with the window when it is shown, not one by one.
    for (const AreaRecord& area : areas) NewAreaMemo(area, false);
}

std::vector<AreaRecord> TBoardSenderForm::CanvasAreas() const
{
    std::vector<AreaRecord> areas;
    areas.reserve(static_cast<size_t>(Panel2->ControlCount()));
    for (int i = 0; i < Panel2->ControlCount(); ++i) {
        const fw::TControl* c = Panel2->Controls(i);
        AreaRecord a;
        a.x = c->Left();
        a.y = c->Top();
        a.width = c->Width();
        a.height = c->Height();
        a.statictext = AreaTextOf(c);
        a.areatype = c->Tag();
        a.PropertyText = c->HelpKeyword();
        areas.push_back(std::move(a));
    }
    return areas;
}

void TBoardSenderForm::SaveLayout()
{
    // The areas of a refused file are not on the canvas: saving it would
    // write them off.
    if (layoutRefused_) {
        fw::ShowMessage(kMsgLayoutNotLoaded);
        return;
    }
    const TSaveResult result = SaveAreas(iniFileName_, CanvasAreas());
    if (!result.Saved) fw::ShowMessage(result.Message);
}

void TBoardSenderForm::EnableCommands(bool portOpen)
{
    Button1->SetEnabled(portOpen);
    Button5->SetEnabled(portOpen);
    Button9->SetEnabled(portOpen);
    Button4->SetEnabled(!portOpen);
}

void TBoardSenderForm::Button4Click(fw::TObject*)
{
    if (signlink::OpenSignPort(link_, ComboBox3->ItemIndex())) EnableCommands(true);
}

void TBoardSenderForm::Button5Click(fw::TObject*)
{
    signlink::CloseSignPort(link_);
    EnableCommands(false);
}

void TBoardSenderForm::Button6Click(fw::TObject*) { fw::Application->Terminate(); }

void TBoardSenderForm::Button7Click(fw::TObject*)
{
    // Both numbers are converted before anything is written.
    const TSignSize size = SaveSignSettings(iniFileName_, eledwidth->Text(), eledheight->Text(),
                                            ComboBox3->ItemIndex());
    Panel2->SetBounds(Panel2->Left(), Panel2->Top(), size.LedWidth, size.LedHeight);
    LedWidth = size.LedWidth;
    LedHeight = size.LedHeight;
}

void TBoardSenderForm::Button8Click(fw::TObject*) { SaveLayout(); }

void TBoardSenderForm::Button9Click(fw::TObject*)
{
    SaveLayout();
    fw::ShowMessage(ClearSign(link_, ComboBox1->Text()));
}

void TBoardSenderForm::Button1Click(fw::TObject*)
{
    SaveLayout();
    SendLayout(link_, ComboBox1->Text(), CanvasAreas(),
               [](const std::string& message) { fw::ShowMessage(message); });
}

void TBoardSenderForm::Button2Click(fw::TObject*)
{
    if (Panel2->ControlCount() >= kMaxAreaCount) {
        fw::ShowMessage(kMsgAreaLimitReached + rtl::IntToStr(kMaxAreaCount));
        return;
    }
    Tfsettextarea* dialog = fsettextarea;
    dialog->Estatictext->SetText("");
    dialog->EAX->SetText("0");
    dialog->EAY->SetText("0");
    dialog->Ewidth->SetText(NewAreaWidthText(eledwidth->Text()));
    dialog->Eheight->SetText("16");
    dialog->ctype->SetItemIndex(kAreaText);
    dialog->LoadProperties("");
    dialog->SetCanvas(Panel2);
    dialog->ShowModal();
    if (dialog->Confirmed() == 0) return;

    AreaRecord area;
    area.statictext = dialog->Estatictext->Text();
    area.x = rtl::StrToInt(dialog->EAX->Text());
    area.y = rtl::StrToInt(dialog->EAY->Text());
    area.width = rtl::StrToInt(dialog->Ewidth->Text());
    area.height = rtl::StrToInt(dialog->Eheight->Text());
    area.areatype = dialog->ctype->ItemIndex();
    area.PropertyText = dialog->PropertyText();
    TAreaMemo* memo = NewAreaMemo(area, true);
    memo->BringToFront();
    Panel2->Refresh();
}

void TBoardSenderForm::Button3Click(fw::TObject*)
{
    fw::TControl* area = SelectedArea();
    if (!area) return;
    // The design component lets go of the area before it is freed, so
    // that no freed control is hooked or moved.
    if (RttiDesign1->SelectControl() == area) RttiDesign1->SetSelectControl(nullptr);
    area->Free();
    Panel2->Refresh();
}

fw::TControl* TBoardSenderForm::SelectedArea() const
{
    return selected_ && selected_->Color() == fw::clLime ? selected_ : nullptr;
}

void TBoardSenderForm::Deselect()
{
    if (!selected_) return;
    if (selected_->Color() == fw::clLime) selected_->SetColor(selectedColour_);
    selected_->RemoveFreeNotification(this);
    selected_ = nullptr;
}

void TBoardSenderForm::Select(fw::TControl* area)
{
    Deselect();
    selected_ = area;
    selectedColour_ = area->Color();
    area->FreeNotification(this);
    area->SetColor(fw::clLime);
}

void TBoardSenderForm::Notification(fw::TComponent* component, fw::TOperation operation)
{
    inherited::Notification(component, operation);
    if (operation == fw::opRemove && component == selected_) selected_ = nullptr;
}

Tfsettextarea* TBoardSenderForm::ShowAreaInDialog(fw::TControl* area)
{
    Tfsettextarea* dialog = fsettextarea;
    dialog->Estatictext->SetText(AreaTextOf(area));
    dialog->EAX->SetText(rtl::IntToStr(area->Left()));
    dialog->EAY->SetText(rtl::IntToStr(area->Top()));
    dialog->Ewidth->SetText(rtl::IntToStr(area->Width()));
    dialog->Eheight->SetText(rtl::IntToStr(area->Height()));
    dialog->ctype->SetItemIndex(area->Tag());
    return dialog;
}

void TBoardSenderForm::PPMemoClick(fw::TObject* Sender)
{
    auto* area = dynamic_cast<fw::TControl*>(Sender);
    if (!area) return;
    ShowAreaInDialog(area);
    for (int i = 0; i < Panel2->ControlCount(); ++i) ColourByType(Panel2->Controls(i));
    // One area is selected at a time, whatever the types: an area of a type
    // without a colour of its own is not coloured by type, and Select gives
    // the one selected before its own colour back.
    Select(area);
}

void TBoardSenderForm::PPMemoDblClick(fw::TObject* Sender)
{
    auto* area = dynamic_cast<fw::TControl*>(Sender);
    if (!area) return;
    Tfsettextarea* dialog = ShowAreaInDialog(area);
    // The text as the dialog's field gives it back untouched: a byte that
    // no window text holds (a lone lead byte) comes back changed.
    const std::string areaText = AreaTextOf(area);
    const std::string asShown = fw::ToGbk(fw::ToWide(areaText));
    dialog->LoadProperties(area->HelpKeyword());
    dialog->SetCanvas(Panel2);
    {
        // The mouse-down of this double click starts a move drag once this
        // handler returns; it is ended as soon as that has happened, and the
        // area stays selected (also when the dialog fails).
        fw::TScopeExit endDrag([this] {
            if (HWND h = HandleIfAllocated()) PostMessageW(h, WM_ENDAREADRAG, 0, 0);
        });
        dialog->ShowModal();
    }
    if (dialog->Confirmed() == 0) return;

    const int x = rtl::StrToInt(dialog->EAX->Text());
    const int y = rtl::StrToInt(dialog->EAY->Text());
    area->SetTop(y);
    area->SetLeft(x);
    const std::string text = dialog->Estatictext->Text();
    SetAreaTextOf(area, text == asShown ? areaText : text);
    area->SetWidth(rtl::StrToInt(dialog->Ewidth->Text()));
    area->SetHeight(rtl::StrToInt(dialog->Eheight->Text()));
    area->SetTag(dialog->ctype->ItemIndex());
    area->SetHelpKeyword(dialog->PropertyText());
    area->SetColor(fw::clNavy);
}

void TBoardSenderForm::WndProc(fw::TMessage& message)
{
    if (message.Msg == WM_ENDAREADRAG) {
        if (RttiDesign1) RttiDesign1->EndDrag();
        return;
    }
    TForm::WndProc(message);
}

void TBoardSenderForm::RttiDesign1CanMove(fw::TObject*, fw::TControl* Control, bool& CanMove)
{
    if (!AreaWithinCanvas(Control->Left(), Control->Top(), Control->Width(), Control->Height(),
                          Panel2->Width(), Panel2->Height()))
        CanMove = false;
}

void TBoardSenderForm::RttiDesign1CanResize(fw::TObject*, bool& CanResize)
{
    const fw::TControl* c = RttiDesign1->SelectControl();
    if (c && !AreaWithinCanvas(c->Left(), c->Top(), c->Width(), c->Height(), Panel2->Width(),
                               Panel2->Height()))
        CanResize = false;
}

void TBoardSenderForm::RttiDesign1BeforeSelect(fw::TObject*, fw::TControl* Selected, bool&)
{
    const int left = LeftOnSelect(Selected->Left(), Selected->Width(), Panel2->Width());
    if (left != Selected->Left()) Selected->SetLeft(left);
}

}  // namespace signboard
