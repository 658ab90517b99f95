#pragma once
// The order in which the main form comes up and goes down. Each step is an operation of the
// form; the order lives here, once, so that it can be checked without a window.

#include <string_view>

namespace kt::app {

inline constexpr std::string_view kAppTitle = "Kel Tovrel";
inline constexpr unsigned kHintPauseMs = 10;

class FormOperations {
  public:
    virtual ~FormOperations() = default;

    // FormCreate
    virtual void ReadSettings() = 0;
    virtual void SetAppTitle(std::string_view title) = 0;
    virtual void SetCaptionToAppTitle() = 0;
    virtual void SetApplicationTitleFromCaption() = 0;
    virtual void SetProgramDir() = 0;
    virtual void AlignPanelThenList() = 0;
    virtual void SetListFileName() = 0;
    virtual void LoadListIfPresent() = 0;
    virtual void chbSortClick() = 0;
    virtual void SetHintPause(unsigned milliseconds) = 0;
    virtual void AddTrayIcon() = 0;

    // FormShow
    virtual void FocusList() = 0;
    virtual void HideAppButton() = 0;
    virtual void spAlphaChange() = 0;
    virtual void ChangeFontList() = 0;
    virtual void ChangeColorList() = 0;
    virtual void OpenConfIfEmpty() = 0;

    // FormCloseQuery
    virtual void MinimizeApplication() = 0;
    virtual void RemoveTrayIcon() = 0;

    // FormDestroy
    virtual void SavePos() = 0;
};

// Each runs its steps in order; a step that throws ends the sequence there, and the error
// reaches the error display through the caller.
void FormCreate(FormOperations& form);
void FormShow(FormOperations& form);
// A close request is never refused.
bool FormCloseQuery(FormOperations& form);
void FormDestroy(FormOperations& form);

}  // namespace kt::app
