// The program's entry: one copy per logon, one form, one message loop.

#include "app/form1_win.h"
#include "app/single_instance_win.h"
#include "platform/application_win.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    kt::Application application;
    if (kt::app::IsAlreadyRunning()) {
        kt::app::HandOverToRunningCopy();
        return 0;
    }
    // The spin edit's arrow buttons are a common control.
    const INITCOMMONCONTROLSEX controls{.dwSize = sizeof(INITCOMMONCONTROLSEX),
                                        .dwICC = ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&controls);

    {
        kt::app::TForm1 form;
        application.run(form);
        // The exit sequence: the form goes off the screen, then writes the settings.
        form.exitSequence();
    }
    return 0;
}
