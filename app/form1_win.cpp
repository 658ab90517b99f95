#include "app/form1_win.h"

#include "app/settings_panel_geometry.h"
#include "folders/directory_list.h"
#include "folders/list_file_format.h"
#include "platform/application_win.h"
#include "platform/file_io_win.h"
#include "platform/ini_file_win.h"
#include "platform/lazy_library_win.h"
#include "platform/paths.h"
#include "platform/text_win.h"
#include "settings/opacity_value.h"
#include "settings/settings_file.h"
#include "tray/tray_icon_win.h"
#include "tray/tray_notify.h"

#include <shellapi.h>

namespace kt::app {

TForm1* Form1 = nullptr;

namespace {

Application& application() {
    return Application::instance();
}

// The window's design, in pixels at 96 dots per inch.
namespace design {
constexpr int kStripHeight = 21;
constexpr POINT kTitleLabel{4, 4};  // sized to its text
constexpr int kMinimizeWidth = 23;
constexpr int kMinimizeHeight = 20;
constexpr int kMinimizeRightMargin = 2;
constexpr int kHideButtonTop = 170;
constexpr int kHideButtonHeight = 23;
constexpr int kFormCharHeight = 11;
constexpr int kMinimizeCharHeight = 13;
constexpr wchar_t kFormFace[] = L"MS Sans Serif";
constexpr int kAlphaBlendValue = 180;
constexpr int kDesignOpacity = 220;
constexpr int kDefaultLeft = 0;
constexpr int kDefaultTop = 0;
constexpr int kDefaultWidth = 164;
constexpr int kDefaultHeight = 452;
}  // namespace design

constexpr UINT_PTR kTimer1Id = 1;
constexpr UINT kTimer1Interval = 100;
constexpr Color kRed = 0x0000FF;
constexpr Color kBlue = 0xFF0000;

// A control of the settings panel: its design bounds and how it stretches.
struct PanelPlace {
    int left, top, width, height;
    int rightMargin;  // < 0: keeps its width; otherwise keeps this margin to the right edge
};
constexpr PanelPlace kEdit1{1, 1, 241, 21, 1};
constexpr PanelPlace kSpeedButton1{2, 24, 239, 22, 2};
constexpr PanelPlace kAutoHide{4, 46, 173, 17, -1};
constexpr PanelPlace kChbSort{4, 64, 157, 17, -1};
constexpr PanelPlace kSpAlpha{4, 82, 41, 22, -1};
constexpr PanelPlace kLabel1{50, 86, 111, 13, -1};
constexpr PanelPlace kButton1{4, 108, 137, 25, -1};
constexpr PanelPlace kButton2{4, 134, 137, 25, -1};
constexpr PanelPlace kBOk{2, design::kHideButtonTop, 239, design::kHideButtonHeight, 2};

RECT toRect(const Bounds& bounds) {
    return RECT{bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};
}

int windowDpi(HWND hwnd) {
    // Per-window resolution arrived with Windows 10; older systems have one for the screen.
    static const auto getDpiForWindow =
        lazyFunction<decltype(::GetDpiForWindow)>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        if (const UINT dpi = getDpiForWindow(hwnd); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    WindowDC screen(nullptr);
    return ::GetDeviceCaps(screen, LOGPIXELSY);
}

// The program's pictures: 16 x 16 at the design's 96 dots per inch.
constexpr int kPictureSize = 16;
constexpr const wchar_t* kMenuPictures[] = {L"MENUTITLE", L"MENUSETTINGS", L"MENUABOUT",
                                            L"MENUCLOSE"};

UniqueBitmap loadPicture(const wchar_t* name, int size) {
    const UniqueBitmap design(static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return scaledPicture(design.get(), size);
}

}  // namespace

// The list as the hover rules see it.
class TForm1::ListHover final : public folders::HoverView {
  public:
    explicit ListHover(TForm1& form) : form_(form) {}

    int itemAt(int x, int y) const override { return list().itemAt(x, y); }
    int count() const override { return list().count(); }
    const Entry& entry(int index) const override {
        return list().entries().at(static_cast<std::size_t>(index));
    }
    int textWidth(int index) const override { return list().textWidth(index); }
    int outerWidth() const override { return list().width(); }
    int itemIndex() const override { return list().itemIndex(); }
    void setItemIndex(int index) override { list().setItemIndex(index); }
    void setHandCursor(bool hand) override {
        HCURSOR cursor = ::LoadCursorW(nullptr, hand ? IDC_HAND : IDC_ARROW);
        list().setCursor(cursor);
        ::SetCursor(cursor);
    }
    void processWaitingMessages() override { application().processMessages(); }
    void cancelHint() override { application().cancelHint(); }
    void setHint(const Entry& text) override { list().setHint(widen(text)); }
    void focusList() override { ::SetFocus(list().hwnd()); }
    void enableTimer() override { form_.Timer1->setEnabled(true); }

  private:
    ListBox& list() const { return *form_.ListBox1; }
    TForm1& form_;
};

// Construction ---------------------------------------------------------------------------------

TForm1::TForm1() {
    Form1 = this;
    // A sizeable tool window without border icons, made an owned pop-up without a caption bar:
    // WS_POPUP added, WS_DLGFRAME taken away, so that WS_BORDER alone draws no caption.
    constexpr DWORD kToolWindowStyle =
        WS_CAPTION | WS_THICKFRAME | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    constexpr DWORD kStyle = (kToolWindowStyle | WS_POPUP) & ~static_cast<DWORD>(WS_DLGFRAME);
    createForm(L"TForm1", WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kStyle,
               RECT{design::kDefaultLeft, design::kDefaultTop,
                    design::kDefaultLeft + design::kDefaultWidth,
                    design::kDefaultTop + design::kDefaultHeight});
    dpi_ = windowDpi(hwnd());
    setAlphaBlendValue(design::kAlphaBlendValue);
    taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    appIcon_.reset(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON",
                                                   IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                   ::GetSystemMetrics(SM_CYSMICON), 0)));
    createControls();
    guarded([this] { FormCreate(*this); });
}

TForm1::~TForm1() {
    Form1 = nullptr;
}

void TForm1::createControls() {
    // Children are created in tab order: the list first, then the panel's fields.
    ListBox1 = std::make_unique<ListBox>(hwnd());
    ListBox1->onMouseMove = [this](int x, int y) { ListBox1MouseMove(x, y); };
    ListBox1->onMouseUp = [this](MouseButton button, int, int) { ListBox1MouseUp(button); };
    ListBox1->onKeyUp = [this](WORD key) { ListBox1KeyUp(key); };
    ListBox1->onContextMenu = [this](POINT at) { pmTray->popup(hwnd(), at); };
    listHover_ = std::make_unique<ListHover>(*this);

    Panel1 = std::make_unique<Panel>(hwnd(), false);
    Edit1 = std::make_unique<DirectoryEdit>(Panel1->hwnd(), 255);
    chbSort = std::make_unique<CheckBox>(Panel1->hwnd(), L"Сортировать список", false);
    chbSort->setHint(L"Сортировать список директорий");
    chbSort->onClick = [this] { chbSortClick(); };
    spAlpha = std::make_unique<SpinEdit>(
        Panel1->hwnd(), settings::kMinOpacity, settings::kMaxOpacity,
        [](const std::string& text) { return settings::spinValue(text); });
    spAlpha->setHint(L"Прозрачность формы");
    spAlpha->setValue(design::kDesignOpacity);
    spAlpha->onChange = [this] { spAlphaChange(); };
    AutoHide = std::make_unique<CheckBox>(Panel1->hwnd(), L"Сворачивать после выбора", true);
    AutoHide->setHint(L"После выбора каталога сворачивать программу");
    Button1 = std::make_unique<PushButton>(Panel1->hwnd(), L"Шрифт списка", true);
    Button1->onClick = [this] { Button1Click(); };
    Button2 = std::make_unique<PushButton>(Panel1->hwnd(), L"Фон списка", false);
    Button2->onClick = [this] { Button2Click(); };
    SpeedButton1 = std::make_unique<SpeedButton>(Panel1->hwnd(), L"Добавить директорию");
    SpeedButton1->onClick = [this] { bAddClick(); };
    Label1 = std::make_unique<Label>(Panel1->hwnd(), L"Прозрачность формы");
    bOk = std::make_unique<SpeedButton>(Panel1->hwnd(), L"Скрыть настройки");
    bOk->setColor(kBlue);
    bOk->setHint(L"Скрыть настройки");
    bOk->onClick = [this] { bOkClick(); };

    Panel2 = std::make_unique<Panel>(hwnd(), true);
    Panel2->onMouseDown = [this](MouseButton button) { Panel2MouseDown(button); };
    Label2 = std::make_unique<Label>(Panel2->hwnd(), L"KEL Tovrel");
    Label2->setColor(kRed);
    SpeedButton2 = std::make_unique<SpeedButton>(Panel2->hwnd(), L"_");
    SpeedButton2->setColor(kBlue);
    SpeedButton2->setHint(L"Свернуть");
    SpeedButton2->onClick = [this] { SpeedButton2Click(); };

    // The list lies above the panel and hides it.
    ::SetWindowPos(ListBox1->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    Timer1 = std::make_unique<Timer>(hwnd(), kTimer1Id, kTimer1Interval);
    Timer1->onTimer = [this] { Timer1Timer(); };
    Timer1->setEnabled(true);

    pmTray = std::make_unique<PopupMenu>(std::vector<PopupMenu::Item>{
        {L"Kel Tovrel", false, nullptr, nullptr},
        {L"Настройки", true, nullptr, [this] { bConfClick(); }},
        {L"О программе", true, nullptr, [this] { N2Click(); }},
        {L"Закрыть", true, nullptr, [this] { N1Click(); }},
    });
    pmTray->onPopup = [this] { pmTrayPopup(); };

    applyDesignResolution();
    setActiveControl(ListBox1->hwnd());
    layout();
}

// The window's own fonts and pictures, at the screen's resolution; made anew when the
// resolution changes.
void TForm1::applyDesignResolution() {
    formFont_ = createDesignFont(design::kFormFace, design::kFormCharHeight, false, dpi_);
    titleFont_ = createDesignFont(design::kFormFace, design::kFormCharHeight, true, dpi_);
    minimizeFont_ = createDesignFont(design::kFormFace, design::kMinimizeCharHeight, true, dpi_);
    hideButtonFont_ = createDesignFont(design::kFormFace, design::kFormCharHeight, true, dpi_);
    for (Window* control : std::initializer_list<Window*>{
             Edit1.get(), SpeedButton1.get(), AutoHide.get(), chbSort.get(), spAlpha.get(),
             Label1.get(), Button2.get()}) {
        control->setFont(formFont_.get());
    }
    Label2->setFont(titleFont_.get());
    SpeedButton2->setFont(minimizeFont_.get());
    bOk->setFont(hideButtonFont_.get());

    // The pictures, scaled like the text beside them.
    UniqueBitmap addPicture = loadPicture(L"ADDDIRECTORY", px(kPictureSize));
    SpeedButton1->setGlyph(addPicture.get());
    addPicture_ = std::move(addPicture);
    std::vector<UniqueBitmap> menuPictures;
    for (std::size_t i = 0; i < std::size(kMenuPictures); ++i) {
        menuPictures.push_back(loadPicture(kMenuPictures[i], px(kPictureSize)));
        pmTray->setPicture(i, menuPictures.back().get());
    }
    menuPictures_ = std::move(menuPictures);
}

// Layout ---------------------------------------------------------------------------------------

bool TForm1::panelOpen() const {
    return app::panelOpen(ListBox1->top(), Panel2->height());
}

void TForm1::layout() {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const int stripHeight = px(design::kStripHeight);
    Panel2->setBounds(RECT{0, 0, client.right, stripHeight});
    {
        WindowDC dc(Label2->hwnd());
        SelectObjectScope font(dc, titleFont_.get());
        SIZE size{};
        const std::wstring caption = Label2->text();
        ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        Label2->setBounds(RECT{px(design::kTitleLabel.x), px(design::kTitleLabel.y),
                               px(design::kTitleLabel.x) + size.cx,
                               px(design::kTitleLabel.y) + size.cy});
    }
    const int minimizeLeft =
        client.right - px(design::kMinimizeRightMargin) - px(design::kMinimizeWidth);
    SpeedButton2->setBounds(RECT{minimizeLeft, 0, minimizeLeft + px(design::kMinimizeWidth),
                                 px(design::kMinimizeHeight)});

    placeListOverPanel(panelOpen());
}

// The list fills the client area below the strip and covers the panel, or, with the panel
// open, runs from 2 px below the panel's hide button to the bottom.
void TForm1::placeListOverPanel(bool open) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const int stripHeight = px(design::kStripHeight);
    const int reserve = px(panelReserve(design::kHideButtonTop, design::kHideButtonHeight));
    const Bounds list = listBounds(client.right, client.bottom, stripHeight, open, reserve);
    ListBox1->setBounds(toRect(list));
    Panel1->setBounds(toRect(panelBounds(client.right, client.bottom, stripHeight, list)));
    layoutPanel();
}

void TForm1::layoutPanel() {
    RECT panel{};
    ::GetClientRect(Panel1->hwnd(), &panel);
    const auto place = [&](Window& control, const PanelPlace& at) {
        const int left = px(at.left);
        const int top = px(at.top);
        const int right =
            at.rightMargin < 0 ? left + px(at.width) : panel.right - px(at.rightMargin);
        control.setBounds(RECT{left, top, std::max(left, right), top + px(at.height)});
    };
    place(*Edit1, kEdit1);
    place(*SpeedButton1, kSpeedButton1);
    place(*AutoHide, kAutoHide);
    place(*chbSort, kChbSort);
    place(*spAlpha, kSpAlpha);
    place(*Label1, kLabel1);
    place(*Button1, kButton1);
    place(*Button2, kButton2);
    place(*bOk, kBOk);
}

void TForm1::moveOntoScreenIfLost() {
    RECT bounds = this->bounds();
    if (::MonitorFromRect(&bounds, MONITOR_DEFAULTTONULL) != nullptr) {
        return;  // at least partly on a screen: stays exactly where it was stored
    }
    MONITORINFO monitor{.cbSize = sizeof(MONITORINFO)};
    ::GetMonitorInfoW(::MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const int left =
        std::clamp<int>(bounds.left, area.left, std::max(area.left, area.right - width));
    const int top = std::clamp<int>(bounds.top, area.top, std::max(area.top, area.bottom - height));
    setBoundsKeeping(left, top, width, height);
}

// Window messages -----------------------------------------------------------------------------

LRESULT TForm1::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == tray::kTrayCallbackMessage) {
        WMTrayNotify(lParam);
        return 0;
    }
    if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ != 0) {
        // The notification area was made anew (its host restarted): without the icon a window
        // that has no taskbar button could not be reached again.
        AddTrayIcon();
        return 0;
    }
    switch (message) {
        case WM_SIZE:
            layout();
            return 0;
        case WM_GETMINMAXINFO:
            // The stored size applies as it is, however small: the system's minimum tracking
            // size would silently enlarge it. The next save gives a collapsed window its size
            // back.
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{0, 0};
            return 0;
        case WM_TIMER:
            if (wParam == kTimer1Id) {
                Timer1Timer();
            }
            return 0;
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wParam);
            applyDesignResolution();
            setListFont(Button1Font);
            ChangeFontList();
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            setBounds(*suggested);
            layout();
            return 0;
        }
        default:
            return Form::handle(message, wParam, lParam);
    }
}

void TForm1::onActivate(WPARAM) {
    WMActivate();
}

void TForm1::WMActivate() {
    // From the first activation on, only the application window bears the application title,
    // so a second copy of the program finds that window and not this one.
    setText(L"Kel_Tovrel");
    ::ShowWindow(application().handle(), SW_HIDE);
}

void TForm1::onShow() {
    guarded([this] { FormShow(*this); });
}

bool TForm1::onCloseQuery() {
    bool canClose = true;
    guarded([&] { canClose = FormCloseQuery(*this); });
    return canClose;
}

void TForm1::exitSequence() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    ::ShowWindow(hwnd(), SW_HIDE);
    guarded([this] { app::FormDestroy(*this); });
}

// Start-up steps -------------------------------------------------------------------------------

void TForm1::ReadSettings() {
    IniFile settingsFile(settings::settingsFileName(application().exeName()));
    settings::readSettings(settingsFile, *this);
    moveOntoScreenIfLost();
}

void TForm1::SetAppTitle(std::string_view title) {
    AppTitle = title;
}

void TForm1::SetCaptionToAppTitle() {
    setText(widen(AppTitle));
}

void TForm1::SetApplicationTitleFromCaption() {
    application().setTitle(text());
}

void TForm1::SetProgramDir() {
    ProgramDir = directoryOf(application().exeName());
}

void TForm1::AlignPanelThenList() {
    // Both fill the client area below the title strip; the list covers the panel.
    placeListOverPanel(false);
}

void TForm1::SetListFileName() {
    ListFileName = ProgramDir + "list.txt";
}

void TForm1::LoadListIfPresent() {
    if (auto bytes = readWholeFile(ListFileName)) {
        folders::loadEntries(*ListBox1, folders::parseListText(*bytes));
    }
}

void TForm1::SetHintPause(unsigned milliseconds) {
    application().setHintPause(milliseconds);
}

void TForm1::FocusList() {
    ::SetFocus(ListBox1->hwnd());
}

void TForm1::MinimizeApplication() {
    application().minimize();
}

// Window behaviour -----------------------------------------------------------------------------

void TForm1::HideAppButton() {
    ::ShowWindow(application().handle(), SW_HIDE);
}

void TForm1::RestoreToFront() {
    application().restore();
    ::SetForegroundWindow(hwnd());
    ::ShowWindow(application().handle(), SW_HIDE);
}

void TForm1::SpeedButton2Click() {
    SavePos();
    application().minimize();
    HideAppButton();
}

void TForm1::Panel2MouseDown(MouseButton button) {
    // Any button: the system's own move loop moves the window, as if by a caption bar.
    moveByCaption(button);
}

void TForm1::Timer1Timer() {
    POINT pointer{};
    ::GetCursorPos(&pointer);
    HWND under = ::WindowFromPoint(pointer);
    if (under == ListBox1->hwnd() || under == hwnd()) {
        // The top-level window is what comes forward; Wine ignores the call for a child.
        ::SetForegroundWindow(hwnd());
        Timer1->setEnabled(false);
    }
}

void TForm1::bConfClick() {
    RestoreToFront();
    placeListOverPanel(!panelOpen());
}

void TForm1::OpenConfIfEmpty() {
    if (ListBox1->count() < 1) {
        bConfClick();
    }
}

// Directory list -------------------------------------------------------------------------------

void TForm1::bAddClick() {
    std::string text = Edit1->value();
    const folders::AddOutcome outcome = folders::addDirectory(*ListBox1, text);
    Edit1->setValue(text);
    if (outcome != folders::AddOutcome::Added) {
        return;
    }
    SaveList();
    SavePos();
}

void TForm1::SaveList() {
    writeFileAtomically(ListFileName, folders::serializeList(ListBox1->entries()));
}

void TForm1::ListBox1MouseMove(int x, int y) {
    folders::onListMouseMove(*listHover_, LastHoverIndex, x, y);
}

void TForm1::ListBox1MouseUp(MouseButton button) {
    OpenConfIfEmpty();
    const int selected = ListBox1->itemIndex();
    if (button != MouseButton::Left || selected < 0) {
        return;
    }
    const Entry& directory = ListBox1->entries().at(static_cast<std::size_t>(selected));
    ::ShellExecuteA(nullptr, nullptr, "explorer", directory.c_str(), nullptr, SW_SHOWNORMAL);
    SavePos();
    if (AutoHide->checked()) {
        application().minimize();
        HideAppButton();
    }
}

void TForm1::ListBox1KeyUp(WORD key) {
    if (key == VK_DELETE) {
        folders::deleteSelected(*ListBox1);
    }
    SaveList();
}

// Settings -------------------------------------------------------------------------------------

void TForm1::SavePos() {
    IniFile settingsFile(settings::settingsFileName(application().exeName()));
    settings::savePos(settingsFile, *this);
}

void TForm1::spAlphaChange() {
    setAlphaBlendValue(static_cast<unsigned char>(alphaValue()));
}

void TForm1::chbSortClick() {
    folders::setSorted(*ListBox1, chbSort->checked());
}

void TForm1::ChangeFontList() {
    ListBox1Font = Button1Font;
    listFont_ = createFont(ListBox1Font, dpi_);
    ListBox1->setListFont(listFont_.get());
    ListBox1->setColors(ListBox1Font.color, ListBox1Color);
    ListBox1->repaint();
    FontDialog1Font = ListBox1Font;
}

void TForm1::ChangeColorList() {
    ListBox1Color = Button2FontColor;
    ListBox1->setColors(ListBox1Font.color, ListBox1Color);
    ListBox1->repaint();
    ColorDialog1Color = ListBox1Color;
}

void TForm1::Button1Click() {
    if (auto chosen = chooseFont(hwnd(), FontDialog1Font, dpi_)) {
        setListFont(*chosen);
        ChangeFontList();
    }
}

void TForm1::Button2Click() {
    if (auto chosen = chooseColor(hwnd(), ColorDialog1Color)) {
        Button2FontColor = *chosen;
        ChangeColorList();
    }
}

// Tray -----------------------------------------------------------------------------------------

void TForm1::AddTrayIcon() {
    tray::addTrayIcon(hwnd(), appIcon_.get(), AppTitle);
}

void TForm1::RemoveTrayIcon() {
    tray::removeTrayIcon(hwnd());
}

void TForm1::WMTrayNotify(LPARAM mouseMessage) {
    switch (tray::trayActionFor(static_cast<std::uint32_t>(mouseMessage))) {
        case tray::TrayAction::RestoreToFront:
            RestoreToFront();
            break;
        case tray::TrayAction::RestoreAndOpenMenu: {
            RestoreToFront();
            POINT pointer{};
            ::GetCursorPos(&pointer);
            ::SetForegroundWindow(hwnd());
            pmTray->popup(hwnd(),
                          POINT{pointer.x - tray::kMenuOffsetX, pointer.y - tray::kMenuOffsetY});
            break;
        }
        case tray::TrayAction::Nothing:
            break;
    }
}

void TForm1::N2Click() {
    const std::string readMe = ProgramDir + "ReadMe.txt";
    const std::string directory = directoryOf(application().exeName());
    ::ShellExecuteA(nullptr, nullptr, readMe.c_str(), directory.c_str(), nullptr, SW_SHOWNORMAL);
}

// Settings holders -----------------------------------------------------------------------------

void TForm1::setBoundsKeeping(int left, int top, int width, int height) {
    ::SetWindowPos(hwnd(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TForm1::formLeft() const {
    return bounds().left;
}
void TForm1::setFormLeft(int value) {
    setBoundsKeeping(value, formTop(), formWidth(), formHeight());
}
int TForm1::formTop() const {
    return bounds().top;
}
void TForm1::setFormTop(int value) {
    setBoundsKeeping(formLeft(), value, formWidth(), formHeight());
}
int TForm1::formHeight() const {
    return height();
}
void TForm1::setFormHeight(int value) {
    setBoundsKeeping(formLeft(), formTop(), formWidth(), value);
}
int TForm1::formWidth() const {
    return width();
}
void TForm1::setFormWidth(int value) {
    setBoundsKeeping(formLeft(), formTop(), value, formHeight());
}

// The window takes the confined opacity even while the field holds a number outside the range
// that is not yet confirmed, and a save writes that confined value too.
int TForm1::alphaValue() const {
    return settings::confineOpacity(spAlpha->value());
}
void TForm1::setAlphaValue(int value) {
    spAlpha->setValue(value);
}
bool TForm1::sortChecked() const {
    return chbSort->checked();
}
void TForm1::setSortChecked(bool checked) {
    chbSort->setChecked(checked);
}
bool TForm1::autoHideChecked() const {
    return AutoHide->checked();
}
void TForm1::setAutoHideChecked(bool checked) {
    AutoHide->setChecked(checked);
}
Color TForm1::listColor() const {
    return Button2FontColor;
}
void TForm1::setListColor(Color color) {
    Button2FontColor = color;
}
FontDescription TForm1::listFont() const {
    return Button1Font;
}

void TForm1::setListFont(const FontDescription& font) {
    Button1Font = font;
    button1Font_ = createFont(Button1Font, dpi_);
    Button1->setFont(button1Font_.get());
}

void TForm1::refreshFontButton() {
    Button1->repaint();
}

}  // namespace kt::app
