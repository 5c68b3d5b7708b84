// The standard controls: label (windowless), edit, combo box, push button
// and check box. The windowed ones superclass the system classes EDIT,
// COMBOBOX and BUTTON under window classes named after their own classes
// ("TEdit", "TComboBox", "TButton", "TCheckBox").
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/strings.h"

namespace fw {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
FW_ENUM(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")

enum TTextLayout { tlTop, tlCenter, tlBottom };
FW_ENUM(TTextLayout, "tlTop", "tlCenter", "tlBottom")

class TCustomLabel : public TGraphicControl {
    FW_CLASS(TCustomLabel, TGraphicControl)
public:
    explicit TCustomLabel(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout l);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);

protected:
    void Paint() override;
    void Loaded() override;
    void TextChanged() override { AdjustBounds(); }
    void FontChanged() override;
    UINT DrawFlags() const;
    // With AutoSize, fits the bounds to the text (keeping the width when
    // the text wraps).
    void AdjustBounds();

private:
    bool autoSize_ = true;
    bool wordWrap_ = false;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool transparent_ = false;
    bool showAccelChar_ = true;
};

class TLabel : public TCustomLabel {
    FW_CLASS(TLabel, TCustomLabel)
public:
    using TCustomLabel::TCustomLabel;
};

class TCustomEdit : public TWinControl {
    FW_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* owner);

    // Characters (0: no limit).
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    // bsSingle: a border (sunken with Ctl3D); bsNone: none.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle s);
    // The caret or selection, in characters.
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    void SelectAll();

    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    virtual void Change() { OnChange(this); }

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    TBorderStyle borderStyle_ = bsSingle;
};

class TEdit : public TCustomEdit {
    FW_CLASS(TEdit, TCustomEdit)
public:
    using TCustomEdit::TCustomEdit;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
FW_ENUM(TScrollStyle, "ssNone", "ssHorizontal", "ssVertical", "ssBoth")

class TCustomMemo;

// The lines of a memo: its window text split at line breaks (CR LF, CR or
// LF); changing them writes the text back with CR LF after every line.
class TMemoStrings : public TStrings {
    FW_CLASS(TMemoStrings, TStrings)
public:
    explicit TMemoStrings(TCustomMemo* memo) : memo_(memo) {}
    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    rtl::TStringList Read() const;
    void Write(const rtl::TStringList& lines);
    TCustomMemo* memo_;
};

class TCustomMemo : public TCustomEdit {
    FW_CLASS(TCustomMemo, TCustomEdit)
public:
    explicit TCustomMemo(TComponent* owner);

    TStrings* Lines() const { return lines_.get(); }
    void SetLines(TStrings* lines) { lines_->Assign(lines); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle s);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool v) { wantReturns_ = v; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool v) { wantTabs_ = v; }

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    std::unique_ptr<TMemoStrings> lines_;
    TAlignment alignment_ = taLeftJustify;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
};

class TMemo : public TCustomMemo {
    FW_CLASS(TMemo, TCustomMemo)
public:
    using TCustomMemo::TCustomMemo;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };
FW_ENUM(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList")

class TCustomComboBox;

// The items of a combo box: kept by the control, and mirrored into its
// window while it has one.
class TComboBoxStrings : public TStrings {
    FW_CLASS(TComboBoxStrings, TStrings)
public:
    explicit TComboBoxStrings(TCustomComboBox* combo) : combo_(combo) {}
    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    friend class TCustomComboBox;
    struct Item {
        std::string text;
        void* object = nullptr;
    };
    void Check(int index) const;
    TCustomComboBox* combo_;
    std::vector<Item> items_;
};

class TCustomComboBox : public TWinControl {
    FW_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* owner);

    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* items) { items_->Assign(items); }
    // The selected item; -1 when none, or when the text shown is no longer
    // the selected item's (typed text). An index outside the items selects
    // nothing.
    int ItemIndex() const;
    void SetItemIndex(int index);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle s);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int n) { dropDownCount_ = n; }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    int WindowHeight(int height) const override;
    virtual void Change() { OnChange(this); }
    virtual void Select();

private:
    friend class TComboBoxStrings;
    int ItemHeight() const;
    std::unique_ptr<TComboBoxStrings> items_;
    int itemIndex_ = -1;
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    int maxLength_ = 0;
};

class TComboBox : public TCustomComboBox {
    FW_CLASS(TComboBox, TCustomComboBox)
public:
    using TCustomComboBox::TCustomComboBox;
};

class TButtonControl : public TWinControl {
    FW_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* owner);
};

class TButton : public TButtonControl {
    FW_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int v) { modalResult_ = v; }

    // Sets the form's ModalResult when the button has one, then OnClick.
    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
FW_ENUM(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed")

class TCustomCheckBox : public TButtonControl {
    FW_CLASS(TCustomCheckBox, TButtonControl)
public:
    explicit TCustomCheckBox(TComponent* owner);

    TCheckBoxState State() const { return state_; }
    // A change of state (by the user or by code) fires OnClick.
    void SetState(TCheckBoxState s);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v) { allowGrayed_ = v; }
    // taRightJustify: the text right of the box.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    virtual void Toggle();

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    FW_CLASS(TCheckBox, TCustomCheckBox)
public:
    using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TButtonControl {
    FW_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return checked_; }
    // Checking one unchecks the radio buttons beside it (same parent) and
    // fires OnClick.
    void SetChecked(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;
};

// A frame with a caption round a group of controls.
class TCustomGroupBox : public TCustomControl {
    FW_CLASS(TCustomGroupBox, TCustomControl)
public:
    explicit TCustomGroupBox(TComponent* owner);
    bool ParentBackground() const { return controlStyle_.Contains(csParentBackground); }
    void SetParentBackground(bool v);
    void AdjustClientRect(RECT& r) const override;

protected:
    void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
    FW_CLASS(TGroupBox, TCustomGroupBox)
public:
    using TCustomGroupBox::TCustomGroupBox;
};

}  // namespace fw
