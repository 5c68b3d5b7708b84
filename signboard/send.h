// The board sender's main window (class name TForm1): the sign canvas
// Panel2 whose children are the display areas (read-only memos), the sign
// settings row, and the commands that save the layout to "setprams.ini",
// clear the sign and send it every area. Created from its stored layout
// (send.layout); areas are moved and resized by RttiDesign1 and edited in
// the area dialog fsettextarea.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/comctrls.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "rtl/inifile.h"
#include "signboard/areas.h"
#include "signboard/rttidesign.h"
#include "signlink/link.h"

namespace signboard {

class TAreaMemo;
class Tfsettextarea;

class TBoardSenderForm : public fw::TForm {
    FW_CLASS(TBoardSenderForm, fw::TForm)
public:
    explicit TBoardSenderForm(fw::TComponent* owner);

    fw::TPanel* Panel1 = nullptr;
    fw::TEdit* eledwidth = nullptr;
    fw::TEdit* eledheight = nullptr;
    fw::TComboBox* ComboBox1 = nullptr;  // screen number
    fw::TComboBox* ComboBox3 = nullptr;  // serial port
    fw::TButton* Button1 = nullptr;      // 发送
    fw::TButton* Button2 = nullptr;      // 添加显示区域
    fw::TButton* Button3 = nullptr;      // 删除显示区域
    fw::TButton* Button4 = nullptr;      // 打开端口
    fw::TButton* Button5 = nullptr;      // 关闭端口
    fw::TButton* Button6 = nullptr;      // 关闭系统
    fw::TButton* Button7 = nullptr;      // 保存设置
    fw::TButton* Button8 = nullptr;      // 保存所有区域
    fw::TButton* Button9 = nullptr;      // 清屏
    fw::TPanel* Panel2 = nullptr;        // the sign canvas
    fw::TMemo* PPMemo = nullptr;         // template of the areas' events
    fw::TStatusBar* StatusBar1 = nullptr;
    TRttiDesign* RttiDesign1 = nullptr;

    int32_t LedWidth = 0;
    int32_t LedHeight = 0;

    void FormCreate(fw::TObject* Sender);
    void Button1Click(fw::TObject* Sender);
    void Button2Click(fw::TObject* Sender);
    void Button3Click(fw::TObject* Sender);
    void Button4Click(fw::TObject* Sender);
    void Button5Click(fw::TObject* Sender);
    void Button6Click(fw::TObject* Sender);
    void Button7Click(fw::TObject* Sender);
    void Button8Click(fw::TObject* Sender);
    void Button9Click(fw::TObject* Sender);
    void PPMemoClick(fw::TObject* Sender);
    void PPMemoDblClick(fw::TObject* Sender);
    void RttiDesign1CanMove(fw::TObject* Sender, fw::TControl* Control, bool& CanMove);
    void RttiDesign1CanResize(fw::TObject* Sender, bool& CanResize);
    void RttiDesign1BeforeSelect(fw::TObject* Sender, fw::TControl* Selected, bool& Select);

    // The display areas on the canvas, in child order.
    std::vector<AreaRecord> CanvasAreas() const;
    const std::string& IniFileName() const { return iniFileName_; }
    signlink::TSignLink& Link() { return link_; }

    void WndProc(fw::TMessage& message) override;
    void Notification(fw::TComponent* component, fw::TOperation operation) override;

private:
    // Puts the area's text, bounds and type into the area dialog.
    Tfsettextarea* ShowAreaInDialog(fw::TControl* area);
    // One display area on the canvas with the fixed memo settings. An
    // added area keeps the memo's border and is navy before it is coloured
    // by type (an area of another type stays navy); an area loaded at start
    // has no border and keeps the memo's colour for another type.
    TAreaMemo* NewAreaMemo(const AreaRecord& area, bool added);
    void CreateAreaMemos(const std::vector<AreaRecord>& areas);
    // SaveAreas of the canvas; a refusal or a failed write is shown and
    // the caller goes on.
    void SaveLayout();
    void EnableCommands(bool portOpen);
    // The selected area: the one the operator clicked last while it is
    // still lime (a double-click edit colours it navy), else nullptr.
    fw::TControl* SelectedArea() const;
    // Lets go of the selected area; it gets back the colour it had before
    // it was selected.
    void Deselect();
    // Deselects, then selects the area and colours it lime.
    void Select(fw::TControl* area);

    std::string iniFileName_;
    bool layoutRefused_ = false;  // the file's layout was refused at start
    std::unique_ptr<rtl::TIniFile> ini_;
    signlink::TSignLink link_;
    fw::TControl* selected_ = nullptr;        // told of its freeing
    fw::TColor selectedColour_ = fw::clNavy;  // its colour before it was selected
};

extern TBoardSenderForm* Form1;

}  // namespace signboard
