#include "signboard/settextarea.h"

#include <algorithm>
#include <cstring>

#include "framework/text.h"

namespace signboard {

Tfsettextarea* fsettextarea = nullptr;

FW_IMPLEMENT_CLASS(Tfsettextarea)
{
    c.Field("ctype", &Tfsettextarea::ctype);
    c.Field("cbTime", &Tfsettextarea::cbTime);
    c.Field("Cbsave", &Tfsettextarea::Cbsave);
    c.Field("Estatictext", &Tfsettextarea::Estatictext);
    c.Field("ComboBox1", &Tfsettextarea::ComboBox1);
    c.Field("ComboBox2", &Tfsettextarea::ComboBox2);
    c.Field("Edit2", &Tfsettextarea::Edit2);
    c.Field("Edit3", &Tfsettextarea::Edit3);
    c.Field("cbloop", &Tfsettextarea::cbloop);
    c.Field("EAX", &Tfsettextarea::EAX);
    c.Field("EAY", &Tfsettextarea::EAY);
    c.Field("Ewidth", &Tfsettextarea::Ewidth);
    c.Field("Eheight", &Tfsettextarea::Eheight);
    c.Field("Button1", &Tfsettextarea::Button1);
    c.Field("Button14", &Tfsettextarea::Button14);
    c.Field("dlgOpen1", &Tfsettextarea::dlgOpen1);
    c.Method("FormCreate", &Tfsettextarea::FormCreate);
    c.Method("FormShow", &Tfsettextarea::FormShow);
    c.Method("Button1Click", &Tfsettextarea::Button1Click);
    c.Method("Button14Click", &Tfsettextarea::Button14Click);
    c.Method("Button2Click", &Tfsettextarea::Button2Click);
    c.Method("Button3Click", &Tfsettextarea::Button3Click);
    c.Method("Button4Click", &Tfsettextarea::Button4Click);
    c.Method("Button5Click", &Tfsettextarea::Button5Click);
    c.Method("Button6Click", &Tfsettextarea::Button6Click);
    c.Method("Button7Click", &Tfsettextarea::Button7Click);
    c.Method("Button8Click", &Tfsettextarea::Button8Click);
    c.Method("Button9Click", &Tfsettextarea::Button9Click);
    c.Method("Button10Click", &Tfsettextarea::Button10Click);
    c.Method("Button11Click", &Tfsettextarea::Button11Click);
    c.Method("Button12Click", &Tfsettextarea::Button12Click);
    c.Method("Button13Click", &Tfsettextarea::Button13Click);
}

TAreaPropertyControls Tfsettextarea::PropertyControls() const
{
    TAreaPropertyControls c;
    c.FontSizeIndex = ComboBox2->ItemIndex();
    c.FontColorIndex = ComboBox1->ItemIndex();
    c.SpeedText = Edit2->Text();
    c.StopTimeText = Edit3->Text();
    c.Loop = cbloop->Checked();
    c.IsTime = cbTime->Checked();
    c.IsSave = Cbsave->Checked();
    return c;
}

void Tfsettextarea::ShowPropertyControls(const TAreaPropertyControls& c)
{
    ComboBox2->SetItemIndex(c.FontSizeIndex);
    ComboBox1->SetItemIndex(c.FontColorIndex);
    if (Edit2->Text() != c.SpeedText) Edit2->SetText(c.SpeedText);
    if (Edit3->Text() != c.StopTimeText) Edit3->SetText(c.StopTimeText);
    cbloop->SetChecked(c.Loop);
    cbTime->SetChecked(c.IsTime);
    Cbsave->SetChecked(c.IsSave);
}

void Tfsettextarea::LoadProperties(const std::string& text)
{
    TAreaPropertyControls c = PropertyControls();
    // The controls show the defaults even when a member of the wrong kind
    // raises part-way.
    TAreaPropertyControls defaults = c;
    defaults.FontSizeIndex = defaults.FontColorIndex = 0;
    defaults.IsSave = defaults.IsTime = false;
    ShowPropertyControls(defaults);
    signboard::LoadProperties(text, c);
    ShowPropertyControls(c);
}

std::string Tfsettextarea::BuildProperties() const
{
    return signboard::BuildProperties(PropertyControls());
}

void Tfsettextarea::InsertTag(const std::string& tag)
{
    // SelStart counts the characters (UTF-16 units) before the caret.
    const int p = Estatictext->SelStart();
    std::wstring text = fw::ToWide(Estatictext->Text());
    const std::wstring wideTag = fw::ToWide(tag);
    const size_t at = std::min(static_cast<size_t>(p < 0 ? 0 : p), text.size());
    text.insert(at, wideTag);
    Estatictext->SetText(fw::ToGbk(text));
    if (Estatictext->CanFocus()) Estatictext->SetFocus();
    Estatictext->SetSelStart(static_cast<int>(at + wideTag.size()));
}

void Tfsettextarea::InsertTagOf(const char* button)
{
    for (const TTagButton& b : kTagButtons)
        if (std::strcmp(b.Button, button) == 0) InsertTag(b.Tag);
}

void Tfsettextarea::FormCreate(fw::TObject*) {}

void Tfsettextarea::FormShow(fw::TObject*) { state_.Shown(); }

void Tfsettextarea::Button1Click(fw::TObject*)
{
    const int32_t width = canvas_ ? canvas_->Width() : 0;
    const int32_t height = canvas_ ? canvas_->Height() : 0;
    std::string message;
    if (!state_.Ok(EAX->Text(), EAY->Text(), Ewidth->Text(), Eheight->Text(), width, height,
                   PropertyControls(), message)) {
        fw::ShowMessage(message);
        return;
    }
    SetModalResult(fw::mrOk);
}

void Tfsettextarea::Button14Click(fw::TObject*)
{
    state_.Cancelled();
    SetModalResult(fw::mrCancel);
}

void Tfsettextarea::Button2Click(fw::TObject*) { InsertTagOf("Button2"); }
void Tfsettextarea::Button3Click(fw::TObject*) { InsertTagOf("Button3"); }
void Tfsettextarea::Button4Click(fw::TObject*) { InsertTagOf("Button4"); }
void Tfsettextarea::Button5Click(fw::TObject*) { InsertTagOf("Button5"); }
void Tfsettextarea::Button6Click(fw::TObject*) { InsertTagOf("Button6"); }
void Tfsettextarea::Button7Click(fw::TObject*) { InsertTagOf("Button7"); }
void Tfsettextarea::Button8Click(fw::TObject*) { InsertTagOf("Button8"); }
void Tfsettextarea::Button9Click(fw::TObject*) { InsertTagOf("Button9"); }
void Tfsettextarea::Button10Click(fw::TObject*) { InsertTagOf("Button10"); }
void Tfsettextarea::Button11Click(fw::TObject*) { InsertTagOf("Button11"); }
void Tfsettextarea::Button12Click(fw::TObject*) { InsertTagOf("Button12"); }
void Tfsettextarea::Button13Click(fw::TObject*) { InsertTagOf("Button13"); }

}  // namespace signboard
