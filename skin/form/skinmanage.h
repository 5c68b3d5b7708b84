// The skin manager: the one object of the process that decides which
// windows are skinned, keeps the registered skin datas and runs the
// commands they post when Active or SkinFile change at run time.
//
// This is the manager's interface as the skin data uses it. Skin datas
// register and unregister, the hook installation is recorded, posted
// commands are kept (and while the manager is idle they only switch
// skinning on or off), and SkinWindow refuses every window: windows are not
// skinned yet.
#pragma once

#include "framework/winapi.h"

#include <vector>

namespace skin {

class TSkinData;

enum TSkinCommand { smNone = 0, smSkinAll = 1, smUnskinAll = 2, smReload = 3 };

class TSkinManage {
public:
    // States: idle until the first activation, active, closing.
    static constexpr int kIdle = 0, kActive = 1, kClosing = 4;

    explicit TSkinManage(bool moduleMode);
    ~TSkinManage();
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    // Appends the data; the first sfMainform data becomes the main one.
    void RegisterSkinData(TSkinData* data);
    // Removes it and drops the main and command references to it.
    void UnregisterSkinData(TSkinData* data);
    const std::vector<TSkinData*>& SkinDatas() const { return skinDatas_; }
    TSkinData* MainSkinData() const { return mainSkinData_; }

    // The WH_CBT hook for the GUI thread (recorded, not installed yet).
    void InstallHook();
    bool HookRequested() const { return hookRequested_; }

    // The caller sets CommandSkinData first. While idle a skin-all only
    // switches skinning on and an unskin-all only switches it off.
    void PostSkinCommand(TSkinCommand command, int delay);
    TSkinCommand PendingCommand() const { return pendingCommand_; }
    int CommandDelay() const { return commandDelay_; }
    // Every command posted, in order.
    const std::vector<TSkinCommand>& PostedCommands() const { return posted_; }
    TSkinData* CommandSkinData = nullptr;

    // Skins one top-level window; true when a skinner was attached.
    bool SkinWindow(HWND window);
    // Frees the caption buttons of the windows skinned with the command
    // skin data, before a reload.
    void FreeSysButtonsOfSkin();

    bool Active = false;
    int State = kIdle;
    bool ModuleMode() const { return moduleMode_; }

private:
    bool moduleMode_;
    bool hookRequested_ = false;
    std::vector<TSkinData*> skinDatas_;
    TSkinData* mainSkinData_ = nullptr;
    TSkinCommand pendingCommand_ = smNone;
    int commandDelay_ = 0;
    std::vector<TSkinCommand> posted_;
};

// The manager of the process, null until the first skin data is loaded.
TSkinManage* SkinManager();
// Makes it when there is none; answers it.
TSkinManage* CreateSkinManager(bool moduleMode);
// Frees it (at the engine's end).
void FreeSkinManager();

}  // namespace skin
