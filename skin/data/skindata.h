// TSkinData: the component an application places on a form to have the
// skin engine draw its windows. It keeps the packed skin (stored in the
// window layout as the binary property SkinStream, or read from SkinFile),
// turns it into skin objects as soon as it receives the bytes, and once the
// layout of its form is read it registers with the skin manager and
// switches skinning on.
#pragma once

#include "framework/winapi.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "framework/bitmaps.h"
#include "framework/components.h"
#include "framework/controls.h"
#include "framework/imglist.h"
#include "framework/strings.h"
#include "rtl/streams.h"
#include "skin/data/skinobjects.h"

namespace skin {

class TSkinData;
class TSkinReader;

// What is skinned; bit n is the n-th value.
enum TSkinControlType {
    xcMainMenu,
    xcPopupMenu,
    xcMenuItem,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcCheckBox,
    xcRadioButton,
    xcProgress,
    xcScrollbar,
    xcEdit,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcSpin,
    xcPanel,
    xcGroupBox,
    xcStatusBar,
    xcTab,
    xcTrackBar,
    xcSystemMenu,
    xcFastReport
};
FW_ENUM(TSkinControlType, "xcMainMenu", "xcPopupMenu", "xcMenuItem", "xcToolbar", "xcControlbar",
        "xcCombo", "xcCheckBox", "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton",
        "xcBitBtn", "xcSpeedButton", "xcSpin", "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab",
        "xcTrackBar", "xcSystemMenu", "xcFastReport")
using TSkinControlTypes = fw::TSet<TSkinControlType>;

enum TSkinOption {
    xoMDIScrollbar,
    xoMenuMerge,
    xoTransparent,
    xoPreview,
    xoParentBackGround,
    xoNoFocusRect,
    xoToolbarBK,
    xoToolbarButton,
    xoMDIChildBorder,
    xoMenuBG,
    xoFormScrollbar
};
FW_ENUM(TSkinOption, "xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview",
        "xoParentBackGround", "xoNoFocusRect", "xoToolbarBK", "xoToolbarButton", "xoMDIChildBorder",
        "xoMenuBG", "xoFormScrollbar")
using TSkinOptions = fw::TSet<TSkinOption>;

// sfMainform skins every window of the program, sfOnlyThisForm only the
// owner form, sfDialog is chosen for message boxes and dialogs.
enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };
FW_ENUM(TSkinFormType, "sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL")

using TOnFormSkin =
    fw::TDelegate<void(fw::TObject* Sender, const std::string& aName, bool& DoSkin)>;
using TOnSkinControl = fw::TDelegate<void(
    fw::TComponent* Sender, TSkinData* SkinData, fw::TControl* Form, fw::TControl* Control,
    const std::string& ControlClass, fw::TComponent*& SkinnedControl)>;
using TOnSkinForm = fw::TDelegate<void(fw::TObject* Sender, HWND ahwnd, const std::string& aName)>;

// The 118 default lines of Skin3rd.
void FillDefaultSkin3rd(fw::TStrings& lines);

class TSkinData : public fw::TComponent {
    FW_CLASS(TSkinData, fw::TComponent)
public:
    static constexpr TSkinControlTypes kDefaultSkinControls = TSkinControlTypes::FromBits(0x1FFFFB);
    static constexpr TSkinOptions kDefaultOptions = TSkinOptions{xoPreview, xoToolbarBK};
    static constexpr const char kVersion[] = "5.03.07.12";

    explicit TSkinData(fw::TComponent* owner);

    // Published, in this order.
    bool Active() const { return active_; }
    void SetActive(bool value);
    int32_t DisableTag() const { return disableTag_; }
    void SetDisableTag(int32_t tag) { disableTag_ = tag; }
    TSkinControlTypes SkinControls() const { return skinControls_; }
    void SetSkinControls(TSkinControlTypes value) { skinControls_ = value; }
    TSkinOptions Options() const { return options_; }
    void SetOptions(TSkinOptions value) { options_ = value; }
    fw::TStrings* Skin3rd() const { return skin3rd_.get(); }
    void SetSkin3rd(fw::TStrings* lines);  // copies the lines
    const std::string& SkinFile() const { return skinFile_; }
    void SetSkinFile(const std::string& path);
    // "(Good)" in design mode with skin bytes held, else "(none)"; setting
    // it changes nothing.
    std::string SkinStore() const;
    void SetSkinStore(const std::string&) {}
    TSkinFormType SkinFormtype() const { return formType_; }
    void SetSkinFormtype(TSkinFormType value) { formType_ = value; }
    std::string Version() const { return kVersion; }
    void SetVersion(const std::string&) {}
    bool MenuUpdate() const { return menuUpdate_; }
    void SetMenuUpdate(bool value) { menuUpdate_ = value; }
    bool MenuMerge() const { return menuMerge_; }
    void SetMenuMerge(bool value) { menuMerge_ = value; }

    TOnFormSkin OnFormSkin;
    fw::TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;
    TOnSkinForm OnBeforeSkinForm;
    TOnSkinForm OnAfterSkinForm;

    // SkinStream: a signed 32-bit little-endian length N, then N bytes of
    // the packed skin. Reading takes the bytes only when the stream holds
    // all N of them, and then loads the skin (outside design mode); a
    // length of 0 or below keeps the bytes held.
    void ReadSkinStream(rtl::TStream& stream);
    void WriteSkinStream(rtl::TStream& stream) const;
    // The layout reader's entry for SkinStream.
    void ReadSkinStreamBytes(std::span<const uint8_t> bytes);
    // The packed skin held.
    const std::string& SkinBytes() const { return skinBytes_; }

    // Parses the held bytes and applies them; false (with the skin no
    // longer counting as loaded) when they are no skin of a known version
    // or sizes that fit, their images take more than kMaxSkinImageBytes,
    // or memory runs out; a version outside the known ones is told in a
    // message box. Decoder failures raise ElzhException.
    bool LoadSkin();
    // After a new skin file at run time: the manager reloads the windows.
    void NotifySkinFileChanged();
    // The last word on skinning a top-level window of that class.
    void DoFormSkin(HWND window, const std::string& className, bool& doSkin);
    void DoSkinChanged();

    // True until a skin has been applied (and again while a load fails).
    bool NoSkin() const { return noSkin_; }
    const std::string& SkinName() const { return skin_.SkinName; }
    TSkinContent& Skin() { return skin_; }
    const TSkinContent& Skin() const { return skin_; }

    // The caption font of the system's non-client metrics.
    void GetCaptionFont();
    fw::TFont* CaptionFont() const { return captionFont_.get(); }
    // The application's small icon on magenta (transparent).
    void BuildAppIconBitmap();
    fw::TBitmap* AppIconBitmap() const { return appIcon_.get(); }
    // 16 x 16 system-menu images: 0 restore, 1 maximise, 2 minimise, 3 close
    // (made when first asked for).
    fw::TImageList* MenuImages() const;
    SIZE MaximizedSize() const { return maximizedSize_; }
    // The window recorded by the last DoFormSkin.
    HWND FormSkinWindow() const { return formSkinWindow_; }
    // Frame painting on or off around menu changes.
    bool FramePainting = true;

    void Loaded() override;

protected:
    void Destroy() override;

private:
    // Applies packed bytes that read as a skin; false with nothing changed
    // when they do not.
    bool ApplyPacked(const std::string& packed);

    bool active_ = false;
    int32_t disableTag_ = 99;
    TSkinControlTypes skinControls_ = kDefaultSkinControls;
    TSkinOptions options_ = kDefaultOptions;
    std::unique_ptr<fw::TStringList> skin3rd_;
    std::string skinFile_;
    TSkinFormType formType_ = sfMainform;
    bool menuUpdate_ = true;
    bool menuMerge_ = false;

    std::string skinBytes_;
    bool noSkin_ = true;
    TSkinContent skin_;
    std::unique_ptr<fw::TBitmap> appIcon_;
    std::unique_ptr<fw::TFont> captionFont_;
    mutable fw::TOwnedPtr<fw::TImageList> menuImages_;
    SIZE maximizedSize_{};
    HWND formSkinWindow_ = nullptr;
};

}  // namespace skin
