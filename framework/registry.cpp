// The framework's own classes, registered for creation by name before the
// first look-up.
#include "framework/application.h"
#include "framework/comctrls.h"
#include "framework/dialogs.h"
#include "framework/extctrls.h"
#include "framework/imglist.h"
#include "framework/menus.h"
#include "framework/stdctrls.h"
#include "framework/timers.h"

namespace fw {

void RegisterFrameworkClasses()
{
    for (const TClass* cls : {
             TComponent::StaticClass(),     TControl::StaticClass(),
             TWinControl::StaticClass(),    TGraphicControl::StaticClass(),
             TCustomControl::StaticClass(), TForm::StaticClass(),
             TLabel::StaticClass(),         TEdit::StaticClass(),
             TComboBox::StaticClass(),      TButton::StaticClass(),
             TCheckBox::StaticClass(),      TTimer::StaticClass(),
             TImageList::StaticClass(),     TMemo::StaticClass(),
             TRadioButton::StaticClass(),   TGroupBox::StaticClass(),
             TPanel::StaticClass(),         TStatusBar::StaticClass(),
             TOpenDialog::StaticClass(),    TMainMenu::StaticClass(),
             TPopupMenu::StaticClass(),     TMenuItem::StaticClass(),
         })
        RegisterClass(cls);
}

}  // namespace fw
