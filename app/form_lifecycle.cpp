#include "app/form_lifecycle.h"

namespace kt::app {

void FormCreate(FormOperations& form) {
    form.ReadSettings();
    form.SetAppTitle(kAppTitle);
    form.SetCaptionToAppTitle();
    // From here on a second copy finds the application window by this title.
    form.SetApplicationTitleFromCaption();
    form.SetProgramDir();
    // The list lies over the settings panel and hides it.
    form.AlignPanelThenList();
    form.SetListFileName();
    form.LoadListIfPresent();
    form.chbSortClick();
    form.SetHintPause(kHintPauseMs);
    form.AddTrayIcon();
}

void FormShow(FormOperations& form) {
    form.FocusList();
    form.HideAppButton();
    form.spAlphaChange();
    form.ChangeFontList();
    form.ChangeColorList();
    form.OpenConfIfEmpty();
}

bool FormCloseQuery(FormOperations& form) {
    form.MinimizeApplication();
    form.RemoveTrayIcon();
    return true;
}

void FormDestroy(FormOperations& form) {
    form.SavePos();
}

}  // namespace kt::app
