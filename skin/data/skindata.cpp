#include "skin/data/skindata.h"

#include <filesystem>
#include <new>
#include <system_error>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/forms.h"
#include "framework/steptimes.h"
#include "rtl/bytes.h"
#include "rtl/files.h"
#include "skin/data/skinapply.h"
#include "skin/engine/skinunit.h"
#include "skin/file/quickini.h"
#include "skin/file/skinread.h"
#include "skin/form/skinmanage.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinData)
{
    c.Property("Active", &TSkinData::Active, &TSkinData::SetActive);
    c.Property("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag);
    c.Property("SkinControls", &TSkinData::SkinControls, &TSkinData::SetSkinControls);
    c.Property("Options", &TSkinData::Options, &TSkinData::SetOptions);
    c.Property("Skin3rd", &TSkinData::Skin3rd, &TSkinData::SetSkin3rd);
    c.Property("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile);
    c.Property("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore);
    c.Property("SkinFormtype", &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype);
    c.Property("Version", &TSkinData::Version, &TSkinData::SetVersion);
    c.Property("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate);
    c.Property("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge);
    c.Property("OnFormSkin", &TSkinData::OnFormSkin);
    c.Property("OnSkinChanged", &TSkinData::OnSkinChanged);
    c.Property("OnSkinControl", &TSkinData::OnSkinControl);
    c.Property("OnBeforeSkinForm", &TSkinData::OnBeforeSkinForm);
    c.Property("OnAfterSkinForm", &TSkinData::OnAfterSkinForm);
    c.Binary("SkinStream", &TSkinData::ReadSkinStreamBytes);
}

namespace {

constexpr int kCommandDelay = 250;  // ms

}  // namespace

TSkinData::TSkinData(fw::TComponent* owner)
    : TComponent(owner), skin3rd_(std::make_unique<fw::TStringList>()),
      appIcon_(std::make_unique<fw::TBitmap>())
{
    appIcon_->SetPixelFormat(fw::pf24bit);
    FillDefaultSkin3rd(*skin3rd_);
    maximizedSize_ = SIZE{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
}

fw::TImageList* TSkinData::MenuImages() const
{
    // Only a skinned system menu shows them.
    if (!menuImages_) {
        menuImages_.reset(new fw::TImageList(nullptr));
        menuImages_->SetWidth(16);
        menuImages_->SetHeight(16);
        menuImages_->ResInstLoad(ModuleInstance(), "PELTRIXMENU", fw::clWhite);
    }
    return menuImages_.get();
}

void TSkinData::Destroy()
{
    if (TSkinManage* manager = SkinManager()) manager->UnregisterSkinData(this);
    inherited::Destroy();
}

void TSkinData::SetSkin3rd(fw::TStrings* lines) { skin3rd_->Assign(lines); }

std::string TSkinData::SkinStore() const
{
    return Designing() && !skinBytes_.empty() ? "(Good)" : "(none)";
}

void TSkinData::ReadSkinStream(rtl::TStream& stream)
{
    uint8_t length[4];
    if (stream.Read(length, 4) != 4) return;
    const auto n = static_cast<int32_t>(rtl::ReadLe32(length));
    if (n <= 0) return;
    // A length beyond the data is a damaged layout: nothing is taken.
    if (n > stream.Size() - stream.Position()) return;
    skinBytes_.resize(static_cast<size_t>(n));
    stream.ReadBuffer(skinBytes_.data(), n);
    if (!Designing()) LoadSkin();
}

void TSkinData::ReadSkinStreamBytes(std::span<const uint8_t> bytes)
{
    rtl::TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    ReadSkinStream(stream);
}

void TSkinData::WriteSkinStream(rtl::TStream& stream) const
{
    const auto n = static_cast<uint32_t>(skinBytes_.size());
    const uint8_t length[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
    stream.WriteBuffer(length, 4);
    if (n > 0) stream.WriteBuffer(skinBytes_.data(), n);
}

bool TSkinData::ApplyPacked(const std::string& packed)
{
    fw::TStepSpan span("skin load");
    // A skin that memory does not hold is refused as a bad file.
    try {
        TSkinReader reader;
        if (!reader.ReadSkin(packed)) {
            if (reader.Error() == TSkinReadError::OlderVersion)
                fw::ShowMessage(TSkinReader::kOlderSkinMessage);
            return false;
        }
        std::string iniName;
        TQuickIni ini;
        ini.ParseStream(reader.ExtractMemberLike(".ini", iniName));
        // Built apart and taken whole: a skin refused while its objects are
        // made leaves the objects held (and the caption buttons the skinned
        // windows point at) as they were.
        TSkinContent loaded;
        if (!ApplySkinIni(loaded, ini, reader)) return false;
        skin_.Replace(std::move(loaded));
    } catch (const std::bad_alloc&) {
        return false;
    }
    noSkin_ = false;
    return true;
}

bool TSkinData::LoadSkin()
{
    noSkin_ = true;
    if (Designing()) return false;
    return ApplyPacked(skinBytes_);
}

void TSkinData::SetSkinFile(const std::string& path)
{
    skinFile_ = path;
    if (Designing()) {
        noSkin_ = true;
        if (!path.empty()) skinBytes_.clear();
        return;
    }
    // The new file replaces the skin only once it has read as one; until
    // then, and when it fails, the skin held stays loaded. A file larger
    // than any packed skin read is refused before it is read.
    const std::filesystem::path file = rtl::PathFromGbk(path);
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(file, error);
    if (!error && size > uintmax_t(TSkinReader::kMaxPackedSize)) return;
    std::optional<std::string> bytes = rtl::ReadWholeFile(file);
    if (!bytes || !ApplyPacked(*bytes)) return;
    skinBytes_ = std::move(*bytes);
    NotifySkinFileChanged();
}

void TSkinData::NotifySkinFileChanged()
{
    if (Designing() || Reading()) return;
    if (!SkinManager()) Loaded();
    TSkinManage* manager = SkinManager();
    manager->CommandSkinData = this;
    manager->FreeSysButtonsOfSkin();
    if (manager->State == TSkinManage::kActive) manager->PostSkinCommand(smReload, kCommandDelay);
}

void TSkinData::Loaded()
{
    inherited::Loaded();
    if (Designing()) return;
    fw::TStepSpan span("skin data loaded (manager, hook)");
    if (!OptionalUser32().GetScrollBarInfo) skinControls_.Exclude(xcScrollbar);
    TSkinManage* manager = CreateSkinManager(false);
    manager->RegisterSkinData(this);
    GetCaptionFont();
    if (formType_ == sfMainform) {
        manager->InstallHook();
        if (active_) {
            if (noSkin_)
                active_ = false;
            else {
                // The command is about this data, whatever was set before.
                manager->CommandSkinData = this;
                manager->PostSkinCommand(smSkinAll, kCommandDelay);
            }
        }
        if (skinControls_.Contains(xcMainMenu))
            skinControls_.Exclude(xcMenuItem);
        else
            skinControls_.Exclude(xcSystemMenu);
        BuildAppIconBitmap();
        return;
    }
    // The manager runs from now on (never past active into closing); an
    // inactive data does not switch skinning on for everyone.
    if (manager->State < TSkinManage::kActive) manager->State = TSkinManage::kActive;
    if (!active_) return;
    manager->Active = true;
    if (auto* form = dynamic_cast<fw::TForm*>(Owner())) manager->SkinWindow(form->Handle());
}

void TSkinData::SetActive(bool value)
{
    if (value == active_) return;
    active_ = value;
    if (Designing() || Reading()) return;
    // Before the first Loaded there is no manager; Loaded then acts on
    // Active as it finds it.
    TSkinManage* manager = SkinManager();
    if (!manager) return;
    switch (formType_) {
    case sfMainform:
        if (value && noSkin_) return;
        manager->CommandSkinData = this;
        manager->PostSkinCommand(value ? smSkinAll : smUnskinAll, kCommandDelay);
        if (value) manager->State = TSkinManage::kActive;
        return;
    case sfOnlyThisForm:
        manager->CommandSkinData = this;
        if (value && noSkin_) return;
        manager->PostSkinCommand(value ? smSkinAll : smUnskinAll, kCommandDelay);
        return;
    case sfDialog:
    case sfDLL: return;
    }
}

void TSkinData::DoFormSkin(HWND window, const std::string& className, bool& doSkin)
{
    formSkinWindow_ = window;
    if (OnFormSkin) {
        OnFormSkin(this, className, doSkin);
        return;
    }
    if (className == "SysMonthCal32") doSkin = false;
    if (skinControls_.Contains(xcFastReport) && className.starts_with("Tfr")) doSkin = false;
}

void TSkinData::DoSkinChanged() { OnSkinChanged(this); }

void TSkinData::GetCaptionFont()
{
    captionFont_ = std::make_unique<fw::TFont>();
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
    if (HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont)) captionFont_->SetHandle(font);
}

void TSkinData::BuildAppIconBitmap()
{
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    const HWND app = fw::Application ? fw::Application->Handle() : nullptr;
    if (!app) return;
    auto icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_BIG, 0));
    if (!icon) return;
    fw::TBitmap image;
    image.SetPixelFormat(fw::pf24bit);
    image.SetSize(cx, cy);
    image.Canvas()->Brush()->SetColor(fw::clFuchsia);
    image.Canvas()->FillRect(RECT{0, 0, cx, cy});
    const auto copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE));
    DrawIconEx(image.Canvas()->Handle(), 0, 0, copy ? copy : icon, cx, cy, 0, nullptr, DI_NORMAL);
    if (copy) DestroyIcon(copy);
    appIcon_->Assign(&image);
    appIcon_->SetTransparentColor(fw::clFuchsia);
    appIcon_->SetTransparent(true);
}

}  // namespace skin
