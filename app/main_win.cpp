// The program's entry: one copy per logon, one form, one message loop.

#include "app/form1_win.h"
#include "app/single_instance_win.h"
#include "platform/application_win.h"

#include <commctrl.h>
#include <objbase.h>

#include <optional>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    kt::Application application;
    if (kt::app::IsAlreadyRunning()) {
        kt::app::HandOverToRunningCopy();
        return 0;
    }
    // The folder chooser needs COM; the controls need the common control classes.
    ::OleInitialize(nullptr);
    const INITCOMMONCONTROLSEX controls{.dwSize = sizeof(INITCOMMONCONTROLSEX),
                                        .dwICC = ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&controls);

    {
        kt::app::TForm1 form;
        application.run(form);
        // The exit sequence: the form goes off the screen, then writes the settings.
        form.exitSequence();
    }
    ::OleUninitialize();
    return 0;
}
