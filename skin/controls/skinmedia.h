// Media players: the engine does not paint inside the player. The skinner
// lays a panel of its own (TWMediaPlayer) exactly over it, paints the
// player's visible buttons there from the skin's Buttons strip, each with
// its glyph, and passes the mouse clicks on the panel on to the player.
// The panel follows the player's place and visibility.
#pragma once

#include "framework/winapi.h"

#include <array>
#include <cstdint>
#include <memory>

#include "framework/extctrls.h"
#include "skin/controls/skincontrol.h"

namespace skin {

// The player's buttons, in the order they stand.
enum TMPBtnType : uint8_t {
    btPlay,
    btPause,
    btStop,
    btNext,
    btPrev,
    btStep,
    btBack,
    btRecord,
    btEject,
};
constexpr int kPlayerButtons = 9;
constexpr uint8_t kNoPlayerButton = kPlayerButtons;
// The identifier of the button in the player's set properties ("btPlay").
const char* PlayerButtonName(int button);

class TSkinMP;

class TWMediaPlayer : public fw::TCustomPanel {
    FW_CLASS(TWMediaPlayer, fw::TCustomPanel)
public:
    // Loads the glyphs; a glyph the program does not carry stays empty.
    explicit TWMediaPlayer(fw::TComponent* owner);

    // Takes the player and its skinner, lies over the player and joins
    // its parent.
    void AttachPlayer(TSkinMP* skinner, fw::TControl* player);
    void PlaceOverPlayer();
    void LoadPlayerGlyphs();
    // The visible button under x (as laid out at the last paint; at a
    // shared edge the earlier one), or kNoPlayerButton.
    uint8_t PlayerButtonAt(int x) const;

    void WndProc(fw::TMessage& message) override;
    void Notification(fw::TComponent* component, fw::TOperation operation) override;

    enum TGlyphKind { gkEnabled, gkDisabled, gkColoured };
    struct TButtonState {
        bool Visible = false;
        bool Enabled = false;
        bool Coloured = false;
        std::array<std::unique_ptr<fw::TBitmap>, 3> Glyphs;  // by TGlyphKind
    };

    TSkinData* SkinData = nullptr;
    std::array<TButtonState, kPlayerButtons> Buttons;
    bool MouseDown = false;
    uint8_t PressedButton = 0;
    uint8_t HitButton = kNoPlayerButton;
    int32_t ButtonWidth = 0;
    fw::TControl* Player = nullptr;
    TSkinMP* Skinner = nullptr;
    int32_t VisibleCount = 0;

protected:
    void Paint() override;
    void LetGo() override;

private:
    void DrawPlayerButton(fw::TCanvas* canvas, int button, const RECT& r);
    void ReadPlayerButtons();
    fw::TColor FaceColour() const;
    // The press or release goes on to the player, whose click may unskin
    // it and free this panel: false when the panel is gone.
    [[nodiscard]] bool PassToPlayer(const fw::TMessage& m);

    TAliveFlag alive_;
};

class TSkinMP : public TSkinControl {
    FW_CLASS(TSkinMP, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                     fw::TCanvas* workCanvas) override;
    // Frees the panel, unless the player's window is gone: then the form
    // skinner frees it with its other components.
    void UnSkin() override;
    void AfterProc(fw::TMessage& message) override;
    void Notification(fw::TComponent* component, fw::TOperation operation) override;

    // The panel over the player (owned by the form skinner).
    TWMediaPlayer* Panel = nullptr;

protected:
    void Destroy() override;
};

}  // namespace skin
