#pragma once
// The main form: it owns every control of the window and connects each control's events to
// the handlers of the subsystems. Read it as the program's wiring diagram.

#include "app/form_lifecycle.h"
#include "folders/hover.h"
#include "platform/controls_win.h"
#include "platform/edits_win.h"
#include "platform/form_win.h"
#include "platform/list_box_win.h"
#include "platform/menus_dialogs_win.h"
#include "settings/settings_holders.h"

#include <memory>
#include <string>

namespace kt::app {

class TForm1 final : public Form, public FormOperations, public settings::SettingsHolders {
  public:
    TForm1();
    ~TForm1() override;

    // Window behaviour
    void HideAppButton() override;
    void RestoreToFront();
    void bConfClick();
    void bOkClick() { bConfClick(); }
    void OpenConfIfEmpty() override;
    void SpeedButton2Click();
    void Panel2MouseDown(MouseButton button);
    void Timer1Timer();
    void WMActivate();

    // Directory list
    void bAddClick();
    void ListBox1MouseMove(int x, int y);
    void ListBox1MouseUp(MouseButton button);
    void ListBox1KeyUp(WORD key);
    void SaveList();

    // Settings
    void SavePos() override;
    void spAlphaChange() override;
    void chbSortClick() override;
    void ChangeFontList() override;
    void ChangeColorList() override;
    void Button1Click();
    void Button2Click();

    // Tray
    void AddTrayIcon() override;
    void RemoveTrayIcon() override;
    void WMTrayNotify(LPARAM mouseMessage);
    void pmTrayPopup() { HideAppButton(); }
    void N2Click();
    void N1Click() { close(); }

    // The exit sequence: the form is hidden, then the settings are written.
    void exitSequence() override;

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onShow() override;
    bool onCloseQuery() override;
    void onActivate(WPARAM state) override;

  private:
    class ListHover;

    // FormOperations: the steps of start-up and shutdown.
    void ReadSettings() override;
    void SetAppTitle(std::string_view title) override;
    void SetCaptionToAppTitle() override;
    void SetApplicationTitleFromCaption() override;
    void SetProgramDir() override;
    void AlignPanelThenList() override;
    void SetListFileName() override;
    void LoadListIfPresent() override;
    void SetHintPause(unsigned milliseconds) override;
    void FocusList() override;
    void MinimizeApplication() override;

    // SettingsHolders: the window's bounds and the settings panel's controls.
    int formLeft() const override;
    void setFormLeft(int value) override;
    int formTop() const override;
    void setFormTop(int value) override;
    int formHeight() const override;
    void setFormHeight(int value) override;
    int formWidth() const override;
    void setFormWidth(int value) override;
    int alphaValue() const override;
    void setAlphaValue(int value) override;
    bool sortChecked() const override;
    void setSortChecked(bool checked) override;
    bool autoHideChecked() const override;
    void setAutoHideChecked(bool checked) override;
    Color listColor() const override;
    void setListColor(Color color) override;
    FontDescription listFont() const override;
    void setListFont(const FontDescription& font) override;
    void refreshFontButton() override;

    int dpi() const { return dpi_; }
    int px(int designPixels) const { return scaled(designPixels, dpi_); }
    void createControls();
    void applyDesignResolution();
    void layout();
    void placeListOverPanel(bool open);
    void layoutPanel();
    bool panelOpen() const;
    void moveOntoScreenIfLost();
    void setBoundsKeeping(int left, int top, int width, int height);

    int dpi_ = kDesignDpi;
    UniqueFont formFont_;
    UniqueFont titleFont_;
    UniqueFont minimizeFont_;
    UniqueFont hideButtonFont_;
    UniqueFont button1Font_;
    UniqueFont listFont_;

    // Controls, by the names of the window's design.
    std::unique_ptr<Panel> Panel2;
    std::unique_ptr<Label> Label2;
    std::unique_ptr<SpeedButton> SpeedButton2;
    std::unique_ptr<ListBox> ListBox1;
    std::unique_ptr<Panel> Panel1;
    std::unique_ptr<DirectoryEdit> Edit1;
    std::unique_ptr<SpeedButton> SpeedButton1;
    std::unique_ptr<CheckBox> AutoHide;
    std::unique_ptr<CheckBox> chbSort;
    std::unique_ptr<SpinEdit> spAlpha;
    std::unique_ptr<Label> Label1;
    std::unique_ptr<PushButton> Button1;
    std::unique_ptr<PushButton> Button2;
    std::unique_ptr<SpeedButton> bOk;
    std::unique_ptr<Timer> Timer1;
    std::unique_ptr<PopupMenu> pmTray;
    std::unique_ptr<ListHover> listHover_;
    UniqueBitmap addPicture_;
    std::vector<UniqueBitmap> menuPictures_;
    UniqueIcon appIcon_;

    // The fonts and colours the settings panel holds and the list and dialogs mirror.
    FontDescription Button1Font;
    FontDescription ListBox1Font;
    FontDescription FontDialog1Font;
    Color Button2FontColor = 0xFFFFFF;
    Color ListBox1Color = 0xFFFFFF;
    Color ColorDialog1Color = 0xFFFFFF;

    // The globals of the form's unit.
    std::string AppTitle;
    std::string ProgramDir;
    std::string ListFileName;
    int LastHoverIndex = folders::kNoHover;

    UINT taskbarCreatedMessage_ = 0;
    bool destroyed_ = false;
};

// The form, valid from the start of its construction.
extern TForm1* Form1;

}  // namespace kt::app
