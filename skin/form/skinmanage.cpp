#include "skin/form/skinmanage.h"

#include <algorithm>

#include "skin/data/skindata.h"

namespace skin {

namespace {
// A plain pointer: skin datas may still ask for it while the program's
// statics go away, after the engine's end has freed it.
TSkinManage* g_manager = nullptr;
}  // namespace

TSkinManage::TSkinManage(bool moduleMode) : moduleMode_(moduleMode) {}

TSkinManage::~TSkinManage()
{
    State = kClosing;
    Active = false;
}

void TSkinManage::RegisterSkinData(TSkinData* data)
{
    if (std::find(skinDatas_.begin(), skinDatas_.end(), data) != skinDatas_.end()) return;
    skinDatas_.push_back(data);
    if (!mainSkinData_ && data->SkinFormtype() == sfMainform) mainSkinData_ = data;
}

void TSkinManage::UnregisterSkinData(TSkinData* data)
{
    std::erase(skinDatas_, data);
    if (mainSkinData_ == data) mainSkinData_ = nullptr;
    if (CommandSkinData == data) CommandSkinData = nullptr;
}

void TSkinManage::InstallHook() { hookRequested_ = true; }

void TSkinManage::PostSkinCommand(TSkinCommand command, int delay)
{
    pendingCommand_ = command;
    commandDelay_ = delay;
    posted_.push_back(command);
    if (State != kIdle) return;  // the command runs when the timer fires
    if (command == smSkinAll) Active = true;
    if (command == smUnskinAll) Active = false;
}

bool TSkinManage::SkinWindow(HWND) { return false; }

void TSkinManage::FreeSysButtonsOfSkin() {}

TSkinManage* SkinManager() { return g_manager; }

TSkinManage* CreateSkinManager(bool moduleMode)
{
    if (!g_manager) g_manager = new TSkinManage(moduleMode);
    return g_manager;
}

void FreeSkinManager()
{
    TSkinManage* manager = g_manager;
    g_manager = nullptr;
    delete manager;
}

}  // namespace skin
