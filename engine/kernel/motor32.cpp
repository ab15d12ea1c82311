// motor32: the engine. Reads its command line, creates the bar and the two
// dialogs, launches the bar and runs the message loop until it closes.

#include <windows.h>

#include "Application.h"
#include "Corvex_Designer.h"
#include "Corvex_Inputs.h"
#include "Corvex_Kernel.h"
#include "Corvex_Options.h"
#include "TreeView.h"
#include "Version.h"
#include "Debug_Zolt2.h"

int main() {
    using namespace corvex;
    Log(1, "main(): <-");
    _application& application = Application();
    if (ParseCorvexInputs() == _OK) {
        Log(1, "main(): Corvex v.%s", CORVEX_VERSION);
        application.SetTitle("Corvex");
        // The forms belong to this root and go, last made first, when the
        // message loop has ended.
        _component forms;
        Log(10, "main(): creating TPULSE");
        TPULSE& pulse = forms.Make<TPULSE>();
        Log(10, "main(): creating TOPTIONS");
        TOPTIONS& options = forms.Make<TOPTIONS>(pulse);
        Log(10, "main(): creating TDESIGNER");
        TDESIGNER& designer = forms.Make<TDESIGNER>(pulse);
        // The menu's "options..." shows the dialog without holding the bar;
        // "designer..." opens the Designer on the bar's Sentinels.
        pulse.OnOptionsRequest = [&options] { options.Show(); };
        pulse.OnDesignerRequest = [&designer] { designer.Open(); };
        // From Launch on the dialog's controls hold the bar's options.
        pulse.SetOptionsHolder(&options);
        // A gauge added or deleted in the dialog is offered by the Designer.
        options.OnTraysChanged = [&designer] { designer.EnterEntity(designer.TREE.Selected()); };
        pulse.Launch();
        // No task-bar button for the program.
        const HWND window = application.Handle();
        SetWindowLongPtrA(window, GWL_EXSTYLE, GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
        Log(10, "main(): Application.Run");
        application.Run();
    }
    Log(1, "main(): ->");
    return 0;
}
