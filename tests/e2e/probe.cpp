// kt_probe: answers the end-to-end tests' questions about the windows of other processes.
//
// One request per line on stdin, one JSON object per line on stdout (flushed at once). A request
// is a verb followed by key=value arguments; a value is a bare word or a JSON string in double
// quotes, and numbers are decimal or 0x hex:
//
//     find title="Kel Tovrel" class=TApplication
//     send hwnd=0x20058 msg=0x112 wparam=0xF020
//
// Every answer carries "ok"; a request that cannot be answered gets {"ok":false,"error":"..."}.
// Window handles are plain numbers. Texts are UTF-8; where the test must compare the 8-bit bytes
// the program holds, the answer also carries them hex-encoded in the ANSI code page.
// "help" lists the verbs.

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr UINT kSendTimeoutMs = 5000;

// ---- text ------------------------------------------------------------------------------------

std::string toUtf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring fromUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, out.data(), size);
    return out;
}

// The 8-bit form of a text in the ANSI code page, which the program and the probe share. Wine
// hands another process's list entries to the ANSI API unconverted, so the probe converts here.
std::string toAnsi(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr,
                                         0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::string toHex(std::string_view bytes) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += kDigits[byte >> 4];
        out += kDigits[byte & 0xF];
    }
    return out;
}

// ---- JSON out --------------------------------------------------------------------------------

std::string quoted(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(byte));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Members are added in order; each adder names its JSON type so no literal converts by surprise.
class JsonObject {
  public:
    JsonObject& num(std::string_view key, long long value) {
        return raw(key, std::to_string(value));
    }
    JsonObject& flag(std::string_view key, bool value) {
        return raw(key, value ? "true" : "false");
    }
    JsonObject& str(std::string_view key, std::string_view utf8) { return raw(key, quoted(utf8)); }
    JsonObject& str(std::string_view key, std::wstring_view text) {
        return str(key, std::string_view(toUtf8(text)));
    }
    JsonObject& null(std::string_view key) { return raw(key, "null"); }
    JsonObject& raw(std::string_view key, std::string_view json) {
        if (!body_.empty()) {
            body_ += ',';
        }
        body_ += quoted(key);
        body_ += ':';
        body_ += json;
        return *this;
    }
    std::string text() const { return "{" + body_ + "}"; }

  private:
    std::string body_;
};

std::string jsonArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (const auto& item : items) {
        if (out.size() > 1) {
            out += ',';
        }
        out += item;
    }
    return out + "]";
}

long long handleValue(const void* handle) {
    return static_cast<long long>(reinterpret_cast<std::uintptr_t>(handle));
}

std::string rectJson(const RECT& r) {
    return JsonObject()
        .num("left", r.left)
        .num("top", r.top)
        .num("right", r.right)
        .num("bottom", r.bottom)
        .text();
}

// ---- requests --------------------------------------------------------------------------------

std::string parseJsonString(std::string_view line, std::size_t& pos) {
    std::wstring out;  // \u escapes are UTF-16 units; plain bytes are UTF-8
    std::string pending;
    const auto flushPending = [&] {
        out += fromUtf8(pending);
        pending.clear();
    };
    ++pos;  // opening quote
    while (pos < line.size() && line[pos] != '"') {
        char c = line[pos++];
        if (c != '\\') {
            pending += c;
            continue;
        }
        if (pos >= line.size()) {
            break;
        }
        c = line[pos++];
        switch (c) {
            case 'n':
                pending += '\n';
                break;
            case 'r':
                pending += '\r';
                break;
            case 't':
                pending += '\t';
                break;
            case 'u': {
                if (pos + 4 > line.size()) {
                    throw std::runtime_error("bad \\u escape");
                }
                flushPending();
                out +=
                    static_cast<wchar_t>(std::stoul(std::string(line.substr(pos, 4)), nullptr, 16));
                pos += 4;
                break;
            }
            default:
                pending += c;
                break;
        }
    }
    if (pos >= line.size()) {
        throw std::runtime_error("unterminated string");
    }
    ++pos;  // closing quote
    flushPending();
    return toUtf8(out);
}

class Args {
  public:
    explicit Args(std::map<std::string, std::string> values) : values_(std::move(values)) {}

    bool has(const std::string& key) const { return values_.count(key) != 0; }

    long long integer(const std::string& key) const {
        const auto it = values_.find(key);
        if (it == values_.end()) {
            throw std::runtime_error("missing argument " + key);
        }
        const std::string& v = it->second;
        std::size_t used = 0;
        const bool negative = !v.empty() && v[0] == '-';
        const std::string digits = negative ? v.substr(1) : v;
        const bool hex = digits.rfind("0x", 0) == 0 || digits.rfind("0X", 0) == 0;
        long long value = 0;
        try {
            value = static_cast<long long>(
                std::stoull(hex ? digits.substr(2) : digits, &used, hex ? 16 : 10));
        } catch (const std::exception&) {
            used = std::string::npos;
        }
        if (used != (hex ? digits.size() - 2 : digits.size())) {
            throw std::runtime_error("argument " + key + " is not a number: " + v);
        }
        return negative ? -value : value;
    }
    long long integer(const std::string& key, long long fallback) const {
        return has(key) ? integer(key) : fallback;
    }
    std::optional<std::wstring> text(const std::string& key) const {
        const auto it = values_.find(key);
        if (it == values_.end()) {
            return std::nullopt;
        }
        return fromUtf8(it->second);
    }
    HWND hwnd(const std::string& key = "hwnd") const {
        return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(integer(key)));
    }
    HWND window(const std::string& key = "hwnd") const {
        const HWND h = hwnd(key);
        if (!IsWindow(h)) {
            throw std::runtime_error("no such window");
        }
        return h;
    }

  private:
    std::map<std::string, std::string> values_;
};

struct Request {
    std::string verb;
    std::map<std::string, std::string> args;
};

Request parseRequest(std::string_view line) {
    Request request;
    std::size_t pos = 0;
    const auto skipSpace = [&] {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
            ++pos;
        }
    };
    skipSpace();
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') {
        request.verb += line[pos++];
    }
    for (skipSpace(); pos < line.size(); skipSpace()) {
        const std::size_t eq = line.find('=', pos);
        if (eq == std::string_view::npos) {
            throw std::runtime_error("expected key=value at: " + std::string(line.substr(pos)));
        }
        std::string key(line.substr(pos, eq - pos));
        pos = eq + 1;
        std::string value;
        if (pos < line.size() && line[pos] == '"') {
            value = parseJsonString(line, pos);
        } else {
            while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') {
                value += line[pos++];
            }
        }
        request.args[std::move(key)] = std::move(value);
    }
    return request;
}

// ---- windows ---------------------------------------------------------------------------------

std::wstring className(HWND hwnd) {
    wchar_t buffer[256] = {};
    const int length = GetClassNameW(hwnd, buffer, 256);
    return std::wstring(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

// The title as the system keeps it; for another process's window no message is sent.
std::wstring windowTitle(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

// The text as the window itself answers WM_GETTEXT (an edit field's current contents).
std::wstring windowTextW(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &length)) {
        throw std::runtime_error("window does not answer WM_GETTEXTLENGTH");
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied);
    text.resize(copied <= length ? copied : length);
    return text;
}

DWORD processOf(HWND hwnd, DWORD* thread = nullptr) {
    DWORD pid = 0;
    const DWORD tid = GetWindowThreadProcessId(hwnd, &pid);
    if (thread) {
        *thread = tid;
    }
    return pid;
}

long long styleOf(HWND hwnd, int index) {
    return static_cast<long long>(static_cast<std::uint32_t>(GetWindowLongW(hwnd, index)));
}

// What every window description carries.
JsonObject describeCommon(HWND hwnd) {
    DWORD tid = 0;
    const DWORD pid = processOf(hwnd, &tid);
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    JsonObject out;
    out.num("hwnd", handleValue(hwnd))
        .num("pid", pid)
        .num("tid", tid)
        .str("class", std::wstring_view(className(hwnd)))
        .flag("visible", IsWindowVisible(hwnd) != FALSE)
        .flag("enabled", IsWindowEnabled(hwnd) != FALSE)
        .raw("rect", rectJson(rect))
        .num("style", styleOf(hwnd, GWL_STYLE))
        .num("exstyle", styleOf(hwnd, GWL_EXSTYLE));
    return out;
}

std::string describeTopLevel(HWND hwnd) {
    return describeCommon(hwnd)
        .str("title", std::wstring_view(windowTitle(hwnd)))
        .flag("iconic", IsIconic(hwnd) != FALSE)
        .num("owner", handleValue(GetWindow(hwnd, GW_OWNER)))
        .text();
}

std::string describeChild(HWND hwnd) {
    const HWND parent = GetAncestor(hwnd, GA_PARENT);
    RECT inParent{};
    GetWindowRect(hwnd, &inParent);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&inParent), 2);
    return describeCommon(hwnd)
        .str("text", std::wstring_view(windowTextW(hwnd)))
        .num("parent", handleValue(parent))
        .num("id", GetDlgCtrlID(hwnd))
        .raw("client_rect_in_parent", rectJson(inParent))
        .text();
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND hwnd, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// ---- a window of the probe's own -------------------------------------------------------------

// A plain window on a thread of its own that pumps its messages, so that activating it or
// moving the foreground away from it never waits on the probe's command loop.
struct DecoyStart {
    std::wstring title;
    RECT rect;
    HANDLE ready;
    HWND hwnd;
};

DWORD WINAPI decoyThread(LPVOID param) {
    auto* start = static_cast<DecoyStart*>(param);
    static const wchar_t kClass[] = L"KtProbeDecoy";
    const WNDCLASSW wc{.lpfnWndProc = DefWindowProcW,
                       .hInstance = GetModuleHandleW(nullptr),
                       .hCursor = LoadCursorW(nullptr, IDC_ARROW),
                       .hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                       .lpszClassName = kClass};
    RegisterClassW(&wc);  // fails harmlessly for the second decoy
    const RECT r = start->rect;
    start->hwnd = CreateWindowExW(0, kClass, start->title.c_str(), WS_POPUP | WS_BORDER, r.left,
                                  r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    if (start->hwnd) {
        ShowWindow(start->hwnd, SW_SHOW);
        SetForegroundWindow(start->hwnd);
    }
    SetEvent(start->ready);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

// ---- verbs -----------------------------------------------------------------------------------

using Handler = void (*)(const Args&, JsonObject&);

// The probe's own pid, and the ANSI code page it shares with the program.
void cmdPing(const Args&, JsonObject& out) {
    out.num("pid", GetCurrentProcessId()).num("acp", GetACP());
}

void cmdProcesses(const Args&, JsonObject& out) {
    std::vector<std::string> items;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("CreateToolhelp32Snapshot failed");
    }
    PROCESSENTRY32W entry{.dwSize = sizeof(PROCESSENTRY32W)};
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        JsonObject item;
        item.num("pid", entry.th32ProcessID)
            .num("ppid", entry.th32ParentProcessID)
            .str("exe", std::wstring_view(entry.szExeFile));
        const HANDLE process =
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        wchar_t path[MAX_PATH * 2] = {};
        DWORD size = MAX_PATH * 2;
        if (process && QueryFullProcessImageNameW(process, 0, path, &size)) {
            item.str("path", std::wstring_view(path, size));
        } else {
            item.null("path");
        }
        if (process) {
            CloseHandle(process);
        }
        items.push_back(item.text());
    }
    CloseHandle(snapshot);
    out.raw("processes", jsonArray(items));
}

void cmdTerminate(const Args& args, JsonObject& out) {
    const auto pid = static_cast<DWORD>(args.integer("pid"));
    const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) {
        throw std::runtime_error("no such process");
    }
    const BOOL done = TerminateProcess(process, static_cast<UINT>(args.integer("code", 1)));
    WaitForSingleObject(process, kSendTimeoutMs);
    CloseHandle(process);
    out.flag("terminated", done != FALSE);
}

// Top-level windows, hidden ones included; pid=N keeps those of one process.
void cmdWindows(const Args& args, JsonObject& out) {
    const bool onePid = args.has("pid");
    const auto pid = static_cast<DWORD>(args.integer("pid", 0));
    std::vector<std::string> items;
    for (const HWND hwnd : topLevelWindows()) {
        if (!onePid || processOf(hwnd) == pid) {
            items.push_back(describeTopLevel(hwnd));
        }
    }
    out.raw("windows", jsonArray(items));
}

// FindWindow: a top-level window by title and/or class, case-insensitive, hidden ones included.
void cmdFind(const Args& args, JsonObject& out) {
    const auto title = args.text("title");
    const auto cls = args.text("class");
    const HWND hwnd = FindWindowW(cls ? cls->c_str() : nullptr, title ? title->c_str() : nullptr);
    out.num("hwnd", handleValue(hwnd));
}

// Every descendant of a window, in the system's order; "parent" tells the tree.
void cmdChildren(const Args& args, JsonObject& out) {
    std::vector<HWND> found;
    EnumChildWindows(
        args.window(),
        [](HWND hwnd, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    std::vector<std::string> items;
    for (const HWND hwnd : found) {
        items.push_back(describeChild(hwnd));
    }
    out.raw("children", jsonArray(items));
}

// Everything about one window.
void cmdInfo(const Args& args, JsonObject& out) {
    const HWND hwnd = args.window();
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    out.raw("window",
            describeCommon(hwnd)
                .str("title", std::wstring_view(windowTitle(hwnd)))
                .flag("iconic", IsIconic(hwnd) != FALSE)
                .flag("zoomed", IsZoomed(hwnd) != FALSE)
                .num("owner", handleValue(GetWindow(hwnd, GW_OWNER)))
                .num("parent", handleValue(GetAncestor(hwnd, GA_PARENT)))
                .num("root", handleValue(GetAncestor(hwnd, GA_ROOT)))
                .raw("client_rect", rectJson(client))
                .raw("client_origin", JsonObject().num("x", origin.x).num("y", origin.y).text())
                .num("dpi", static_cast<long long>(GetDpiForWindow(hwnd)))
                .text());
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags)) {
        out.raw("layered",
                JsonObject().num("alpha", alpha).num("key", key).num("flags", flags).text());
    } else {
        out.null("layered");
    }
}

void cmdText(const Args& args, JsonObject& out) {
    const std::wstring text = windowTextW(args.window());
    out.str("text", std::wstring_view(text)).str("hex", std::string_view(toHex(toAnsi(text))));
}

// Sets a window's text as typing would leave it (WM_SETTEXT); an edit raises its change event.
void cmdSetText(const Args& args, JsonObject& out) {
    const std::wstring text = args.text("text").value_or(L"");
    DWORD_PTR result = 0;
    SendMessageTimeoutW(args.window(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    out.flag("done", result != 0);
}

void cmdSend(const Args& args, JsonObject& out) {
    DWORD_PTR result = 0;
    const LRESULT sent =
        SendMessageTimeoutW(args.window(), static_cast<UINT>(args.integer("msg")),
                            static_cast<WPARAM>(args.integer("wparam", 0)),
                            static_cast<LPARAM>(args.integer("lparam", 0)), SMTO_ABORTIFHUNG,
                            static_cast<UINT>(args.integer("timeout", kSendTimeoutMs)), &result);
    if (!sent) {
        throw std::runtime_error("message not answered (error " + std::to_string(GetLastError()) +
                                 ")");
    }
    out.num("result", static_cast<long long>(static_cast<LONG_PTR>(result)));
}

void cmdPost(const Args& args, JsonObject& out) {
    const BOOL posted = PostMessageW(args.window(), static_cast<UINT>(args.integer("msg")),
                                     static_cast<WPARAM>(args.integer("wparam", 0)),
                                     static_cast<LPARAM>(args.integer("lparam", 0)));
    out.flag("posted", posted != FALSE);
}

LRESULT sendOrThrow(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, msg, wparam, lparam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result)) {
        throw std::runtime_error("list box message not answered");
    }
    return static_cast<LRESULT>(result);
}

// A list box's state and entries. "hex" holds each entry's 8-bit bytes in the ANSI code page;
// "rect" is the entry's rectangle in the list's client area.
void cmdListbox(const Args& args, JsonObject& out) {
    const HWND list = args.window();
    const LRESULT count = sendOrThrow(list, LB_GETCOUNT, 0, 0);
    std::vector<std::string> items;
    for (LRESULT i = 0; i < count; ++i) {
        const auto index = static_cast<WPARAM>(i);
        const LRESULT length = sendOrThrow(list, LB_GETTEXTLEN, index, 0);
        std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        const LRESULT wideLength =
            sendOrThrow(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
        wide.resize(static_cast<std::size_t>(wideLength > 0 ? wideLength : 0));
        RECT rect{};
        JsonObject item;
        item.str("text", std::wstring_view(wide)).str("hex", std::string_view(toHex(toAnsi(wide))));
        if (sendOrThrow(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) != LB_ERR) {
            item.raw("rect", rectJson(rect));
        } else {
            item.null("rect");
        }
        item.flag("selected", sendOrThrow(list, LB_GETSEL, index, 0) > 0);
        items.push_back(item.text());
    }
    out.num("count", count)
        .num("cursel", sendOrThrow(list, LB_GETCURSEL, 0, 0))
        .num("topindex", sendOrThrow(list, LB_GETTOPINDEX, 0, 0))
        .num("itemheight", sendOrThrow(list, LB_GETITEMHEIGHT, 0, 0))
        .raw("items", jsonArray(items));
}

// The foreground window and, for the thread that owns it, the active, focus and capture windows.
void cmdForeground(const Args&, JsonObject& out) {
    out.num("hwnd", handleValue(GetForegroundWindow()));
    GUITHREADINFO info{.cbSize = sizeof(GUITHREADINFO)};
    if (GetGUIThreadInfo(0, &info)) {
        out.num("active", handleValue(info.hwndActive))
            .num("focus", handleValue(info.hwndFocus))
            .num("capture", handleValue(info.hwndCapture));
    }
}

void cmdCursor(const Args&, JsonObject& out) {
    POINT pos{};
    GetCursorPos(&pos);
    out.num("x", pos.x).num("y", pos.y);
    CURSORINFO info{.cbSize = sizeof(CURSORINFO)};
    if (GetCursorInfo(&info)) {
        out.num("cursor", handleValue(info.hCursor))
            .flag("showing", (info.flags & CURSOR_SHOWING) != 0);
    }
}

// The window under a screen point, and the top-level window it belongs to.
void cmdAt(const Args& args, JsonObject& out) {
    const POINT point{static_cast<LONG>(args.integer("x")), static_cast<LONG>(args.integer("y"))};
    const HWND hwnd = WindowFromPoint(point);
    out.num("hwnd", handleValue(hwnd)).num("root", handleValue(GetAncestor(hwnd, GA_ROOT)));
}

// A notification icon exists exactly while a modify request naming only its window and id
// succeeds; nothing about the icon is changed.
void cmdTray(const Args& args, JsonObject& out) {
    NOTIFYICONDATAA data{.cbSize = NOTIFYICONDATAA_V1_SIZE,
                         .hWnd = args.hwnd(),
                         .uID = static_cast<UINT>(args.integer("id", 0))};
    out.flag("exists", Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE);
}

void cmdShow(const Args& args, JsonObject& out) {
    out.flag(
        "was_visible",
        ShowWindow(args.window(), static_cast<int>(args.integer("cmd", SW_SHOWNORMAL))) != FALSE);
}

void cmdSetForeground(const Args& args, JsonObject& out) {
    out.flag("done", SetForegroundWindow(args.window()) != FALSE);
}

// Opens a visible window of the probe's own and makes it the foreground window: something for
// the program's window to be behind.
void cmdDecoy(const Args& args, JsonObject& out) {
    const auto left = static_cast<LONG>(args.integer("x", 600));
    const auto top = static_cast<LONG>(args.integer("y", 400));
    DecoyStart start{.title = args.text("title").value_or(L"kt decoy"),
                     .rect = {left, top, left + static_cast<LONG>(args.integer("width", 300)),
                              top + static_cast<LONG>(args.integer("height", 200))},
                     .ready = CreateEventW(nullptr, TRUE, FALSE, nullptr),
                     .hwnd = nullptr};
    const HANDLE thread = CreateThread(nullptr, 0, decoyThread, &start, 0, nullptr);
    if (!thread) {
        throw std::runtime_error("cannot start the decoy's thread");
    }
    WaitForSingleObject(start.ready, INFINITE);
    CloseHandle(start.ready);
    CloseHandle(thread);
    if (!start.hwnd) {
        throw std::runtime_error("cannot create the decoy window");
    }
    out.num("hwnd", handleValue(start.hwnd));
}

// Moves and sizes a window of any process (SetWindowPos); what is not given stays as it is.
void cmdSetPos(const Args& args, JsonObject& out) {
    const HWND hwnd = args.window();
    RECT r{};
    GetWindowRect(hwnd, &r);
    const BOOL done = SetWindowPos(hwnd, nullptr, static_cast<int>(args.integer("x", r.left)),
                                   static_cast<int>(args.integer("y", r.top)),
                                   static_cast<int>(args.integer("width", r.right - r.left)),
                                   static_cast<int>(args.integer("height", r.bottom - r.top)),
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    out.flag("done", done != FALSE);
}

// Deletes a notification icon from outside its program, as a restarted notification area
// would have lost it.
void cmdTrayDelete(const Args& args, JsonObject& out) {
    NOTIFYICONDATAA data{.cbSize = NOTIFYICONDATAA_V1_SIZE,
                         .hWnd = args.hwnd(),
                         .uID = static_cast<UINT>(args.integer("id", 0))};
    out.flag("deleted", Shell_NotifyIconA(NIM_DELETE, &data) != FALSE);
}

// The number of a registered window message, such as "TaskbarCreated".
void cmdMessage(const Args& args, JsonObject& out) {
    const auto name = args.text("name");
    if (!name) {
        throw std::runtime_error("missing argument name");
    }
    out.num("msg", RegisterWindowMessageW(name->c_str()));
}

// A message to every top-level window, without waiting for any of them.
void cmdBroadcast(const Args& args, JsonObject& out) {
    const BOOL sent = SendNotifyMessageW(HWND_BROADCAST, static_cast<UINT>(args.integer("msg")),
                                         static_cast<WPARAM>(args.integer("wparam", 0)),
                                         static_cast<LPARAM>(args.integer("lparam", 0)));
    out.flag("sent", sent != FALSE);
}

// A popup menu of the probe's own, shown on a thread of its own until it is measured.
struct MenuStart {
    std::vector<std::wstring> captions;
    int picture;  // side of each item's square picture; 0: none
    POINT at;
};

DWORD WINAPI menuThread(LPVOID param) {
    const auto* start = static_cast<const MenuStart*>(param);
    const HWND owner = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    const HBITMAP picture =
        start->picture > 0 ? CreateBitmap(start->picture, start->picture, 1, 32, nullptr) : nullptr;
    const HMENU menu = CreatePopupMenu();
    UINT id = 1;
    for (const std::wstring& caption : start->captions) {
        std::wstring text = caption;
        const MENUITEMINFOW item{
            .cbSize = sizeof(MENUITEMINFOW),
            .fMask = static_cast<UINT>(MIIM_ID | MIIM_STRING | (picture ? MIIM_BITMAP : 0)),
            .wID = id,
            .dwTypeData = text.data(),
            .hbmpItem = picture};
        InsertMenuItemW(menu, id - 1, TRUE, &item);
        ++id;
    }
    TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                     start->at.x, start->at.y, owner, nullptr);
    DestroyMenu(menu);
    if (picture) {
        DeleteObject(picture);
    }
    DestroyWindow(owner);
    return 0;
}

// The window rectangle of a popup menu with these items ("|" between the captions), each with
// a square picture of the given side: what a menu of that shape measures on this system.
void cmdMenuSize(const Args& args, JsonObject& out) {
    MenuStart start{.captions = {},
                    .picture = static_cast<int>(args.integer("picture", 0)),
                    .at = {static_cast<LONG>(args.integer("x", 900)),
                           static_cast<LONG>(args.integer("y", 100))}};
    const std::wstring captions = args.text("captions").value_or(L"");
    for (std::size_t begin = 0;;) {
        const std::size_t end = captions.find(L'|', begin);
        start.captions.push_back(captions.substr(begin, end - begin));
        if (end == std::wstring::npos) {
            break;
        }
        begin = end + 1;
    }
    DWORD tid = 0;
    const HANDLE thread = CreateThread(nullptr, 0, menuThread, &start, 0, &tid);
    if (!thread) {
        throw std::runtime_error("cannot start the menu's thread");
    }
    std::optional<RECT> measured;
    for (int attempt = 0; attempt < 500 && !measured; ++attempt) {
        for (const HWND hwnd : topLevelWindows()) {
            DWORD owner = 0;
            processOf(hwnd, &owner);
            if (owner == tid && className(hwnd) == L"#32768" && IsWindowVisible(hwnd)) {
                RECT r{};
                GetWindowRect(hwnd, &r);
                measured = r;
            }
        }
        if (!measured) {
            Sleep(10);
        }
    }
    EndMenu();
    if (WaitForSingleObject(thread, kSendTimeoutMs) != WAIT_OBJECT_0) {
        PostThreadMessageW(tid, WM_KEYDOWN, VK_ESCAPE, 0);
        WaitForSingleObject(thread, kSendTimeoutMs);
    }
    CloseHandle(thread);
    if (!measured) {
        throw std::runtime_error("the menu did not show");
    }
    out.raw("rect", rectJson(*measured));
}

void cmdHelp(const Args&, JsonObject& out);

struct Command {
    std::string_view verb;
    Handler handler;
    std::string_view usage;
};

constexpr Command kCommands[] = {
    {"ping", cmdPing, "ping -> pid, acp"},
    {"processes", cmdProcesses, "processes -> [{pid, ppid, exe, path}]"},
    {"terminate", cmdTerminate, "terminate pid= [code=1]"},
    {"windows", cmdWindows, "windows [pid=] -> top-level windows, hidden ones included"},
    {"find", cmdFind, "find [title=] [class=] -> hwnd or 0 (FindWindow)"},
    {"children", cmdChildren, "children hwnd= -> all descendants"},
    {"info", cmdInfo, "info hwnd= -> window, layered"},
    {"text", cmdText, "text hwnd= -> text, hex (WM_GETTEXT)"},
    {"settext", cmdSetText, "settext hwnd= text= -> done (WM_SETTEXT)"},
    {"send", cmdSend, "send hwnd= msg= [wparam=] [lparam=] [timeout=ms] -> result"},
    {"post", cmdPost, "post hwnd= msg= [wparam=] [lparam=] -> posted"},
    {"listbox", cmdListbox, "listbox hwnd= -> count, cursel, topindex, itemheight, items"},
    {"foreground", cmdForeground, "foreground -> hwnd, active, focus, capture"},
    {"cursor", cmdCursor, "cursor -> x, y, cursor, showing"},
    {"at", cmdAt, "at x= y= -> hwnd, root (WindowFromPoint)"},
    {"tray", cmdTray, "tray hwnd= [id=0] -> exists"},
    {"show", cmdShow, "show hwnd= [cmd=1] -> was_visible (ShowWindow)"},
    {"set_foreground", cmdSetForeground, "set_foreground hwnd= -> done"},
    {"decoy", cmdDecoy, "decoy [title=] [x=] [y=] [width=] [height=] -> hwnd"},
    {"setpos", cmdSetPos, "setpos hwnd= [x=] [y=] [width=] [height=] -> done (SetWindowPos)"},
    {"tray_delete", cmdTrayDelete, "tray_delete hwnd= [id=0] -> deleted (NIM_DELETE)"},
    {"message", cmdMessage, "message name= -> msg (RegisterWindowMessage)"},
    {"broadcast", cmdBroadcast, "broadcast msg= [wparam=] [lparam=] -> sent (to every window)"},
    {"menu_size", cmdMenuSize,
     "menu_size captions=\"a|b\" [picture=side] [x=] [y=] -> rect of such a popup menu"},
    {"help", cmdHelp, "help -> verbs"},
};

void cmdHelp(const Args&, JsonObject& out) {
    std::vector<std::string> usages;
    for (const auto& command : kCommands) {
        usages.push_back(quoted(command.usage));
    }
    out.raw("verbs", jsonArray(usages));
}

std::string answer(std::string_view line) {
    try {
        const Request request = parseRequest(line);
        for (const auto& command : kCommands) {
            if (command.verb == request.verb) {
                JsonObject out;
                out.flag("ok", true);
                command.handler(Args(request.args), out);
                return out.text();
            }
        }
        throw std::runtime_error("unknown verb " + request.verb + "; try help");
    } catch (const std::exception& e) {
        return JsonObject().flag("ok", false).str("error", std::string_view(e.what())).text();
    }
}

}  // namespace

int wmain() {
    // Binary streams: Wine would otherwise turn every "\n" into "\r\n".
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        if (line == "quit") {
            break;
        }
        const std::string reply = answer(line) + "\n";
        std::fwrite(reply.data(), 1, reply.size(), stdout);
        std::fflush(stdout);
    }
    return 0;
}
