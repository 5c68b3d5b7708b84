#include "skin/engine/skinunit.h"

#include <memory>

#include "framework/controls.h"
#include "skin/form/formgeometry.h"
#include "skin/form/skinmanage.h"

namespace skin {

namespace {

struct TEngineState {
    HMODULE user32 = nullptr;
    TOptionalUser32 functions;
    ATOM atom = 0;
    UINT message = 0;
    std::unique_ptr<fw::TBitmap> workBitmap;
    std::unique_ptr<fw::TStringList> workStrings;
};

int g_starts = 0;
TEngineState g_state;
const TOptionalUser32 kUnbound{};

// GetProcAddress hands out one generic type; void (*)() converts to any.
template <class F>
void Bind(HMODULE module, const char* name, F& function)
{
    function = reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

void StartSkinEngine()
{
    if (g_starts++ > 0) return;
    TEngineState& s = g_state;
    const std::string& name = fw::ControlAtomName();
    s.message = RegisterWindowMessageA(name.c_str());
    s.atom = GlobalAddAtomA(name.c_str());
    s.user32 = LoadLibraryA("user32.dll");
    if (s.user32) {
        Bind(s.user32, "GetScrollBarInfo", s.functions.GetScrollBarInfo);
        Bind(s.user32, "TrackMouseEvent", s.functions.TrackMouseEvent);
        Bind(s.user32, "GetComboBoxInfo", s.functions.GetComboBoxInfo);
        Bind(s.user32, "DisableProcessWindowsGhosting", s.functions.DisableProcessWindowsGhosting);
    }
    s.workBitmap = std::make_unique<fw::TBitmap>();
    SetStretchBltMode(s.workBitmap->Canvas()->Handle(), COLORONCOLOR);
    s.workStrings = std::make_unique<fw::TStringList>();
}

void EndSkinEngine()
{
    if (g_starts == 0 || --g_starts > 0) return;
    FreeSkinManager();
    TEngineState& s = g_state;
    s.workStrings.reset();
    s.workBitmap.reset();
    if (s.user32) FreeLibrary(s.user32);
    if (s.atom) GlobalDeleteAtom(s.atom);
    s = TEngineState{};
}

bool SkinEngineStarted() { return g_starts > 0; }

const TOptionalUser32& OptionalUser32() { return g_starts > 0 ? g_state.functions : kUnbound; }

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }
ATOM ControlAtom() { return g_state.atom; }
UINT ControlMessage() { return g_state.message; }
bool IsNT() { return WindowsVersion().NT; }
bool NotVista() { return WindowsVersion().Major != 6; }
fw::TBitmap* WorkBitmap() { return g_state.workBitmap.get(); }
fw::TStringList* WorkStrings() { return g_state.workStrings.get(); }

}  // namespace skin
