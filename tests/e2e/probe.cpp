// probe: finds, reads and drives the windows of another process for the end-to-end tests.
//
//   probe [--out FILE] COMMAND [OPTIONS]
//
// A window is chosen among the top-level windows by --title (exact caption), --class, --pid,
// --hwnd and --visible; the first match is used. --desktop NAME looks inside a Wine desktop
// such as the one of `explorer /desktop=NAME`, waiting up to --timeout for it to hold a window.
//
// What the probe saw is written as UTF-8 key=value lines to FILE (stdout without --out); in
// values a backslash, CR and LF are written as \\, \r and \n.
//
// Exit codes: 0 done, 1 window, control or process not found or timed out, 2 bad usage,
// 3 the target did not answer.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cwchar>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

enum ExitCode { kOk = 0, kNotFound = 1, kUsage = 2, kNoAnswer = 3 };

constexpr UINT kAnswerTimeoutMs = 5000;
constexpr DWORD kPollIntervalMs = 50;
// How long a hover is given to show its tip before the pointer hovers anew.
constexpr DWORD kHoverRetryMs = 2000;

const char kUsageText[] =
    "usage: probe [--out FILE] COMMAND [OPTIONS]\n"
    "commands:\n"
    "  wait        wait until a window matches (--timeout MS, default 10000)\n"
    "  info        the window's caption, class, geometry, styles, owner, state, pid\n"
    "  screen      the screen size\n"
    "  point       --x X --y Y: moves the mouse pointer there, as a user's hand would; with\n"
    "              --class or --title, then waits for that window as wait does\n"
    "  clock       [--ahead S]: the local time, S seconds ahead, as the C library gives it\n"
    "  windows     every top-level window that matches: hwnd, class, caption, pid, visible\n"
    "  foreground  the foreground window; with window options, waits until it matches them;\n"
    "              --set makes the matching window the foreground window first\n"
    "              (--timeout MS, default 0)\n"
    "  text        --id N: a control's text\n"
    "  control     --id N: a control's class, text, styles, geometry, enabled, visible;\n"
    "              checked for a button, selection for a combo box\n"
    "  list        --id N: a list view's columns, rows, cells, selection mark and selection\n"
    "  set-text    --id N --text T: a control's text (sent)\n"
    "  drop        --id N --file F: drop the file F on the control (posted; --send waits)\n"
    "  dpi-changed --dpi D --x X --y Y --width W --height H: WM_DPICHANGED to the window, the\n"
    "              rectangle placed in its process (sent)\n"
    "  path        --file F: the short (8.3) and the long form of the path F\n"
    "  select      --id N --index I: a combo box's selection (sent)\n"
    "  click       --id N: click a button (posted; --send waits for it)\n"
    "  command     --id N [--code C]: WM_COMMAND to the window (posted; --send waits)\n"
    "  key         --key NAME|VK [--id N]: key down and up posted to the window or control\n"
    "  close       WM_CLOSE to the window (posted; --send waits)\n"
    "  message     --msg N|NAME [--wparam W] [--lparam L] [--id N]: a message to the window, or\n"
    "              to its control N (posted; --send waits and reports the result); NAME is\n"
    "              a registered message\n"
    "  box         wait for a message box: its caption, text, buttons (their texts and ids)\n"
    "              and whether it shows an icon (--timeout MS)\n"
    "  tray-icon   --hwnd H [--uid N] [--delete]: whether the shell holds that window's\n"
    "              notification icon, waiting up to --timeout for it; --delete removes it\n"
    "              first\n"
    "  reg-value   --path HKLM\\KEY|HKCU\\KEY --name N: a string value as UTF-16 (reg.exe\n"
    "              prints what the console's code page lacks as '?'), up to its first zero\n"
    "  wait-gone   wait until no window matches (--timeout MS, default 10000)\n"
    "  layout      the window's visible controls: how many lie outside its client area and\n"
    "              how many pairs overlap (group boxes hold others and are left out of pairs),\n"
    "              with the ids of each\n"
    "  wait-exit   --pid P: wait until the process ends (--timeout MS, default 10000)\n"
    "  timers      --pid P: the waitable timers the process holds, and the time each is set\n"
    "              for (seconds since 1970, UTC)\n"
    "  hold        --file F --ms N [--mutex M] [--while K] (needs --out): open F without\n"
    "              sharing and close it N ms later, counted from when the named mutex M exists\n"
    "              (waited for up to --timeout, default 60000) and, with K, K is gone (at\n"
    "              most 120000 ms); the report is written once F is held\n"
    "window options: --title T --class C --pid P --hwnd H --visible --desktop NAME\n"
    "                --timeout MS (how long the command may wait, the desktop included;\n"
    "                default 0)\n";

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string utf8(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &utf8[0], size,
                      nullptr, nullptr);
  return utf8;
}

// Collects the key=value lines and writes them once, at exit, so that a reader never sees
// the lines of an earlier run.
class Report {
 public:
  void Text(const char* key, const std::wstring& value) {
    lines_ += key;
    lines_ += '=';
    for (char c : ToUtf8(value)) {
      if (c == '\\') {
        lines_ += "\\\\";
      } else if (c == '\r') {
        lines_ += "\\r";
      } else if (c == '\n') {
        lines_ += "\\n";
      } else {
        lines_ += c;
      }
    }
    lines_ += '\n';
  }
  void Number(const char* key, long long value) { Raw(key, std::to_string(value)); }
  void Flag(const char* key, bool value) { Raw(key, value ? "1" : "0"); }
  void Hex(const char* key, unsigned long value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", value);
    Raw(key, buffer);
  }
  void Handle(const char* key, HWND window) {
    Hex(key, static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
  }
  void Error(const std::wstring& message) {
    Text("error", message);
    std::fprintf(stderr, "probe: %s\n", ToUtf8(message).c_str());
  }

  bool WriteTo(const std::wstring& path) const {
    if (path.empty()) {
      std::fwrite(lines_.data(), 1, lines_.size(), stdout);
      return std::fflush(stdout) == 0;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, lines_.data(), static_cast<DWORD>(lines_.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == lines_.size();
  }

 private:
  void Raw(const char* key, const std::string& value) {
    lines_ += key;
    lines_ += '=';
    lines_ += value;
    lines_ += '\n';
  }

  std::string lines_;
};

class Arguments {
 public:
  bool Parse(int argc, wchar_t** argv, Report* report) {
    static const std::set<std::wstring> kTextOptions = {
        L"--out",  L"--title", L"--class", L"--key",  L"--desktop", L"--msg",
        L"--text", L"--path",  L"--name",  L"--file", L"--mutex",   L"--while"};
    static const std::set<std::wstring> kNumberOptions = {
        L"--pid",    L"--hwnd", L"--id",    L"--timeout", L"--code", L"--wparam",
        L"--lparam", L"--uid",  L"--ahead", L"--index",   L"--ms",   L"--x",
        L"--y",      L"--dpi",  L"--width", L"--height"};
    static const std::set<std::wstring> kFlagOptions = {L"--visible", L"--send", L"--delete",
                                                        L"--set"};
    for (int i = 1; i < argc; ++i) {
      std::wstring word = argv[i];
      if (kTextOptions.count(word) || kNumberOptions.count(word)) {
        if (i + 1 >= argc) {
          report->Error(word + L" needs a value");
          return false;
        }
        values_[word] = argv[++i];
        unsigned long number = 0;
        // A mistyped number must not quietly widen the choice of window.
        if (kNumberOptions.count(word) && !Number(word, &number)) {
          report->Error(word + L" takes a number, not " + values_[word]);
          return false;
        }
      } else if (kFlagOptions.count(word)) {
        flags_.insert(word);
      } else if (command_.empty() && word.compare(0, 2, L"--") != 0) {
        command_ = word;
      } else {
        report->Error(L"unexpected argument " + word);
        return false;
      }
    }
    if (command_.empty()) {
      report->Error(L"no command given");
      return false;
    }
    return true;
  }

  const std::wstring& Command() const { return command_; }
  bool Has(const std::wstring& name) const {
    return values_.count(name) != 0 || flags_.count(name) != 0;
  }
  std::wstring Get(const std::wstring& name) const {
    auto found = values_.find(name);
    return found == values_.end() ? std::wstring() : found->second;
  }
  // Decimal or 0x-prefixed hex; false when the option is absent.
  bool Number(const std::wstring& name, unsigned long* value) const {
    std::wstring text = Get(name);
    if (text.empty()) return false;
    wchar_t* end = nullptr;
    *value = std::wcstoul(text.c_str(), &end, 0);
    return *end == L'\0';
  }
  // What is left of --timeout (or `fallback`): one budget for the whole command, so that
  // entering a slow desktop and then waiting for a window never takes twice as long.
  DWORD Timeout(DWORD fallback) const {
    unsigned long value = 0;
    const DWORD total = Number(L"--timeout", &value) ? value : fallback;
    const DWORD spent = GetTickCount() - started_;
    return total > spent ? total - spent : 0;
  }

 private:
  const DWORD started_ = GetTickCount();
  std::wstring command_;
  std::map<std::wstring, std::wstring> values_;
  std::set<std::wstring> flags_;
};

std::wstring WindowText(HWND window) {
  std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, &text[0], static_cast<int>(text.size())));
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

// A sent message's answer; false when the window does not answer in time.
bool Ask(HWND window, UINT message, WPARAM wparam, LPARAM lparam, DWORD_PTR* answer) {
  return SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                             answer) != 0;
}

// The text through WM_GETTEXT, which the system carries across processes; false when the
// window does not answer in time.
bool ControlText(HWND control, std::wstring* text) {
  DWORD_PTR length = 0;
  if (!Ask(control, WM_GETTEXTLENGTH, 0, 0, &length)) return false;
  std::wstring buffer(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!Ask(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(&buffer[0]), &copied)) {
    return false;
  }
  buffer.resize(copied);
  *text = buffer;
  return true;
}

struct WindowQuery {
  explicit WindowQuery(const Arguments& arguments) {
    has_title = arguments.Has(L"--title");
    title = arguments.Get(L"--title");
    has_class = arguments.Has(L"--class");
    class_name = arguments.Get(L"--class");
    unsigned long number = 0;
    if (arguments.Number(L"--pid", &number)) pid = number;
    if (arguments.Number(L"--hwnd", &number)) hwnd = reinterpret_cast<HWND>(number);
    visible_only = arguments.Has(L"--visible");
  }

  bool Matches(HWND window) const {
    if (hwnd && window != hwnd) return false;
    if (has_class && lstrcmpiW(ClassName(window).c_str(), class_name.c_str()) != 0) return false;
    if (has_title && WindowText(window) != title) return false;
    if (pid && ProcessOf(window) != pid) return false;
    if (visible_only && !IsWindowVisible(window)) return false;
    return true;
  }

  std::vector<HWND> FindAll() const {
    Search search{this, {}};
    EnumWindows(CollectMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  bool has_title = false;
  std::wstring title;
  bool has_class = false;
  std::wstring class_name;
  DWORD pid = 0;
  HWND hwnd = nullptr;
  bool visible_only = false;

 private:
  struct Search {
    const WindowQuery* query;
    std::vector<HWND> found;
  };

  static BOOL CALLBACK CollectMatch(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (search->query->Matches(window)) search->found.push_back(window);
    return TRUE;
  }
};

// Polls until `done` holds or the timeout passes; looks at least once.
template <typename Condition>
bool PollUntil(DWORD timeout_ms, Condition done) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start >= timeout_ms) return false;
    Sleep(kPollIntervalMs);
  }
}

// The first window that matches, waiting up to --timeout (or `default_timeout`).
HWND FindWindowFor(const Arguments& arguments, DWORD default_timeout, Report* report) {
  WindowQuery query(arguments);
  std::vector<HWND> found;
  PollUntil(arguments.Timeout(default_timeout), [&] {
    found = query.FindAll();
    return !found.empty();
  });
  report->Number("matches", static_cast<long long>(found.size()));
  if (found.empty()) {
    report->Error(L"no window matches");
    return nullptr;
  }
  return found.front();
}

HWND FindControlFor(const Arguments& arguments, Report* report) {
  unsigned long id = 0;
  arguments.Number(L"--id", &id);
  HWND window = FindWindowFor(arguments, 0, report);
  if (!window) return nullptr;
  HWND control = GetDlgItem(window, static_cast<int>(id));
  if (!control) report->Error(L"the window has no control " + std::to_wstring(id));
  return control;
}

void ReportWindow(HWND window, Report* report) {
  RECT frame = {};
  GetWindowRect(window, &frame);
  RECT client = {};
  GetClientRect(window, &client);
  LONG style = GetWindowLongW(window, GWL_STYLE);
  report->Handle("hwnd", window);
  report->Text("caption", WindowText(window));
  report->Text("class", ClassName(window));
  report->Number("x", frame.left);
  report->Number("y", frame.top);
  report->Number("width", frame.right - frame.left);
  report->Number("height", frame.bottom - frame.top);
  report->Number("client_width", client.right - client.left);
  report->Number("client_height", client.bottom - client.top);
  report->Hex("style", static_cast<unsigned long>(style));
  report->Hex("exstyle", static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)));
  report->Flag("sysmenu", (style & WS_SYSMENU) != 0);
  report->Handle("owner", GetWindow(window, GW_OWNER));
  report->Flag("visible", IsWindowVisible(window));
  report->Flag("enabled", IsWindowEnabled(window));
  report->Number("pid", ProcessOf(window));
}

// Posted unless --send: a click or command that opens a modal window would keep a sent
// message from returning.
int Deliver(const Arguments& arguments, HWND target, UINT message, WPARAM wparam, LPARAM lparam,
            Report* report) {
  if (arguments.Has(L"--send")) {
    DWORD_PTR result = 0;
    if (!Ask(target, message, wparam, lparam, &result)) {
      report->Error(L"the window did not answer");
      return kNoAnswer;
    }
    report->Number("result", static_cast<long long>(result));
    return kOk;
  }
  if (!PostMessageW(target, message, wparam, lparam)) {
    report->Error(L"the message could not be posted");
    return kNoAnswer;
  }
  return kOk;
}

int CommandWait(const Arguments& arguments, Report* report) {
  HWND window = FindWindowFor(arguments, 10000, report);
  report->Flag("found", window != nullptr);
  if (!window) return kNotFound;
  ReportWindow(window, report);
  return kOk;
}

int CommandInfo(const Arguments& arguments, Report* report) {
  HWND window = FindWindowFor(arguments, 0, report);
  if (!window) return kNotFound;
  ReportWindow(window, report);
  return kOk;
}

int CommandScreen(const Arguments&, Report* report) {
  report->Number("screen_width", GetSystemMetrics(SM_CXSCREEN));
  report->Number("screen_height", GetSystemMetrics(SM_CYSCREEN));
  return kOk;
}

int CommandPoint(const Arguments& arguments, Report* report) {
  unsigned long x = 0;
  unsigned long y = 0;
  arguments.Number(L"--x", &x);
  arguments.Number(L"--y", &y);
  if (!SetCursorPos(static_cast<int>(x), static_cast<int>(y))) {
    report->Error(L"cannot move the pointer");
    return kNotFound;
  }
  if (!arguments.Has(L"--class") && !arguments.Has(L"--title")) return kOk;
  // A tip shows for a few seconds only; a probe started after this one may come too late on a
  // loaded machine, so the wait is in the same process. A hover that a loaded taskbar missed is
  // given again: every two seconds the pointer leaves the spot and comes back.
  const WindowQuery query(arguments);
  std::vector<HWND> found;
  const DWORD start = GetTickCount();
  const DWORD timeout = arguments.Timeout(10000);
  while (!PollUntil(kHoverRetryMs, [&] {
    found = query.FindAll();
    return !found.empty();
  })) {
    if (GetTickCount() - start >= timeout) break;
    SetCursorPos(static_cast<int>(x) / 2, static_cast<int>(y) / 2);
    Sleep(kPollIntervalMs);
    SetCursorPos(static_cast<int>(x), static_cast<int>(y));
  }
  report->Flag("found", !found.empty());
  if (found.empty()) {
    report->Error(L"no window matches");
    return kNotFound;
  }
  ReportWindow(found.front(), report);
  return kOk;
}

// The local time as the program under test reads it: the C library's, which honours TZ.
int CommandClock(const Arguments& arguments, Report* report) {
  unsigned long ahead = 0;
  arguments.Number(L"--ahead", &ahead);
  const __time64_t now = _time64(nullptr) + ahead;
  std::tm local = {};
  if (_localtime64_s(&local, &now) != 0) {
    report->Error(L"no local time");
    return kNoAnswer;
  }
  report->Number("epoch", now);
  report->Number("year", local.tm_year + 1900);
  report->Number("month", local.tm_mon + 1);
  report->Number("day", local.tm_mday);
  report->Number("weekday", local.tm_wday + 1);
  report->Number("hour", local.tm_hour);
  report->Number("minute", local.tm_min);
  report->Number("second", local.tm_sec);
  return kOk;
}

int CommandText(const Arguments& arguments, Report* report) {
  HWND control = FindControlFor(arguments, report);
  if (!control) return kNotFound;
  std::wstring text;
  if (!ControlText(control, &text)) {
    report->Error(L"the control did not answer WM_GETTEXT");
    return kNoAnswer;
  }
  report->Text("text", text);
  return kOk;
}

int CommandControl(const Arguments& arguments, Report* report) {
  HWND control = FindControlFor(arguments, report);
  if (!control) return kNotFound;
  std::wstring text;
  if (!ControlText(control, &text)) {
    report->Error(L"the control did not answer WM_GETTEXT");
    return kNoAnswer;
  }
  RECT frame = {};
  GetWindowRect(control, &frame);
  report->Handle("hwnd", control);
  report->Number("id", GetDlgCtrlID(control));
  report->Text("class", ClassName(control));
  report->Text("text", text);
  report->Hex("style", static_cast<unsigned long>(GetWindowLongW(control, GWL_STYLE)));
  report->Hex("exstyle", static_cast<unsigned long>(GetWindowLongW(control, GWL_EXSTYLE)));
  report->Number("x", frame.left);
  report->Number("y", frame.top);
  report->Number("width", frame.right - frame.left);
  report->Number("height", frame.bottom - frame.top);
  report->Flag("enabled", IsWindowEnabled(control));
  report->Flag("visible", IsWindowVisible(control));
  const std::wstring class_name = ClassName(control);
  DWORD_PTR answer = 0;
  if (lstrcmpiW(class_name.c_str(), L"Button") == 0 && Ask(control, BM_GETCHECK, 0, 0, &answer)) {
    report->Flag("checked", answer == BST_CHECKED);
  }
  if (lstrcmpiW(class_name.c_str(), L"ComboBox") == 0 &&
      Ask(control, CB_GETCURSEL, 0, 0, &answer)) {
    report->Number("selection", static_cast<int>(answer));
  }
  return kOk;
}

// A list view's texts live in the other process: the item structure and the buffer are
// placed there, and the answer is read back.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, SIZE_T size) : size_(size) {
    DWORD pid = ProcessOf(window);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) {
      memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
  }
  ~RemoteBuffer() {
    if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Ready() const { return memory_ != nullptr; }
  char* Address() const { return static_cast<char*>(memory_); }
  bool Write(SIZE_T offset, const void* data, SIZE_T size) {
    return offset + size <= size_ &&
           WriteProcessMemory(process_, Address() + offset, data, size, nullptr);
  }
  bool Read(SIZE_T offset, void* data, SIZE_T size) {
    return offset + size <= size_ &&
           ReadProcessMemory(process_, Address() + offset, data, size, nullptr);
  }

 private:
  SIZE_T size_;
  HANDLE process_ = nullptr;
  void* memory_ = nullptr;
};

constexpr int kCellChars = 1024;

bool ListCellText(HWND list, RemoteBuffer& remote, int row, int column, std::wstring* text) {
  LVITEMW item = {};
  item.iSubItem = column;
  item.cchTextMax = kCellChars;
  item.pszText = reinterpret_cast<LPWSTR>(remote.Address() + sizeof item);
  DWORD_PTR length = 0;
  if (!remote.Write(0, &item, sizeof item) ||
      !Ask(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote.Address()), &length)) {
    return false;
  }
  std::wstring buffer(length, L'\0');
  if (length > 0 && !remote.Read(sizeof item, &buffer[0], length * sizeof(wchar_t))) return false;
  *text = buffer;
  return true;
}

int CommandList(const Arguments& arguments, Report* report) {
  HWND list = FindControlFor(arguments, report);
  if (!list) return kNotFound;
  DWORD_PTR rows = 0;
  DWORD_PTR mark = 0;
  DWORD_PTR header = 0;
  DWORD_PTR columns = 0;
  if (!Ask(list, LVM_GETITEMCOUNT, 0, 0, &rows) || !Ask(list, LVM_GETSELECTIONMARK, 0, 0, &mark) ||
      !Ask(list, LVM_GETHEADER, 0, 0, &header) ||
      !Ask(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0, &columns)) {
    report->Error(L"the list did not answer");
    return kNoAnswer;
  }
  report->Number("rows", static_cast<long long>(rows));
  report->Number("columns", static_cast<long long>(columns));
  report->Number("selection_mark", static_cast<int>(mark));
  for (DWORD_PTR c = 0; c < columns; ++c) {
    DWORD_PTR width = 0;
    Ask(list, LVM_GETCOLUMNWIDTH, c, 0, &width);
    report->Number(("column" + std::to_string(c) + "_width").c_str(),
                   static_cast<long long>(width));
  }
  RemoteBuffer remote(list, sizeof(LVITEMW) + kCellChars * sizeof(wchar_t));
  if (!remote.Ready()) {
    report->Error(L"no memory in the list's process");
    return kNoAnswer;
  }
  std::wstring selected;
  for (DWORD_PTR r = 0; r < rows; ++r) {
    for (DWORD_PTR c = 0; c < columns; ++c) {
      std::wstring text;
      if (!ListCellText(list, remote, static_cast<int>(r), static_cast<int>(c), &text)) {
        report->Error(L"a cell could not be read");
        return kNoAnswer;
      }
      report->Text(("row" + std::to_string(r) + "_" + std::to_string(c)).c_str(), text);
    }
    DWORD_PTR state = 0;
    if (Ask(list, LVM_GETITEMSTATE, r, LVIS_SELECTED, &state) && (state & LVIS_SELECTED)) {
      if (!selected.empty()) selected += L',';
      selected += std::to_wstring(r);
    }
  }
  report->Text("selected", selected);
  return kOk;
}

// A file dropped on a control as the shell drops it: WM_DROPFILES whose DROPFILES block lies
// in the target process, where DragQueryFile reads it. The block stays with the target, whose
// DragFinish cannot free what its heap did not give.
int CommandDrop(const Arguments& arguments, Report* report) {
  HWND control = FindControlFor(arguments, report);
  if (!control) return kNotFound;
  const std::wstring file = arguments.Get(L"--file");
  // The names end with a zero each, and the list with one more.
  std::vector<BYTE> block(sizeof(DROPFILES) + (file.size() + 2) * sizeof(wchar_t), 0);
  auto* header = reinterpret_cast<DROPFILES*>(block.data());
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(block.data() + sizeof(DROPFILES), file.c_str(), file.size() * sizeof(wchar_t));
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, ProcessOf(control));
  void* remote = process ? VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE,
                                          PAGE_READWRITE)
                         : nullptr;
  const bool written =
      remote && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr);
  if (process) CloseHandle(process);
  if (!written) {
    report->Error(L"cannot write the drop into the target process");
    return kNoAnswer;
  }
  return Deliver(arguments, control, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0, report);
}

// The window taken to a monitor of another DPI as the system tells it: WM_DPICHANGED with the
// DPI in both words of wParam and the suggested rectangle, which lies in the target process,
// sent so that the rectangle is read before it is freed.
int CommandDpiChanged(const Arguments& arguments, Report* report) {
  unsigned long dpi = 0, x = 0, y = 0, width = 0, height = 0;
  if (!arguments.Number(L"--dpi", &dpi) || !arguments.Number(L"--x", &x) ||
      !arguments.Number(L"--y", &y) || !arguments.Number(L"--width", &width) ||
      !arguments.Number(L"--height", &height)) {
    report->Error(L"dpi-changed takes --dpi, --x, --y, --width and --height");
    return kUsage;
  }
  HWND window = FindWindowFor(arguments, 0, report);
  if (!window) return kNotFound;
  const RECT suggested = {static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(x + width),
                          static_cast<LONG>(y + height)};
  RemoteBuffer remote(window, sizeof suggested);
  if (!remote.Ready() || !remote.Write(0, &suggested, sizeof suggested)) {
    report->Error(L"cannot write the rectangle into the target process");
    return kNoAnswer;
  }
  DWORD_PTR result = 0;
  if (!Ask(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote.Address()),
           &result)) {
    report->Error(L"the window did not answer");
    return kNoAnswer;
  }
  return kOk;
}

// A path's short (8.3) and long forms as the system gives them; empty where it gives none.
int CommandPath(const Arguments& arguments, Report* report) {
  const std::wstring path = arguments.Get(L"--file");
  wchar_t buffer[MAX_PATH * 4] = {};
  const DWORD shortLength = GetShortPathNameW(path.c_str(), buffer, MAX_PATH * 4);
  report->Text("short", shortLength > 0 && shortLength < MAX_PATH * 4 ? buffer : L"");
  const DWORD longLength = GetLongPathNameW(path.c_str(), buffer, MAX_PATH * 4);
  report->Text("long", longLength > 0 && longLength < MAX_PATH * 4 ? buffer : L"");
  return kOk;
}

int CommandSetText(const Arguments& arguments, Report* report) {
  HWND control = FindControlFor(arguments, report);
  if (!control) return kNotFound;
  const std::wstring text = arguments.Get(L"--text");
  DWORD_PTR answer = 0;
  if (!Ask(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &answer)) {
    report->Error(L"the control did not answer WM_SETTEXT");
    return kNoAnswer;
  }
  return kOk;
}

int CommandSelect(const Arguments& arguments, Report* report) {
  HWND combo = FindControlFor(arguments, report);
  if (!combo) return kNotFound;
  unsigned long index = 0;
  arguments.Number(L"--index", &index);
  DWORD_PTR answer = 0;
  if (!Ask(combo, CB_SETCURSEL, index, 0, &answer)) {
    report->Error(L"the combo box did not answer");
    return kNoAnswer;
  }
  report->Number("selection", static_cast<int>(answer));
  return kOk;
}

int CommandClick(const Arguments& arguments, Report* report) {
  HWND button = FindControlFor(arguments, report);
  if (!button) return kNotFound;
  return Deliver(arguments, button, BM_CLICK, 0, 0, report);
}

int CommandCommand(const Arguments& arguments, Report* report) {
  unsigned long id = 0;
  arguments.Number(L"--id", &id);
  unsigned long code = 0;  // a menu or accelerator command unless --code says otherwise
  arguments.Number(L"--code", &code);
  HWND window = FindWindowFor(arguments, 0, report);
  if (!window) return kNotFound;
  // A command from a control carries the control's handle, as the system's own does.
  HWND control = GetDlgItem(window, static_cast<int>(id));
  return Deliver(arguments, window, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(control), report);
}

bool VirtualKeyFromName(const std::wstring& name, UINT* key) {
  static const std::map<std::wstring, UINT> kNames = {
      {L"ESCAPE", VK_ESCAPE}, {L"RETURN", VK_RETURN}, {L"ENTER", VK_RETURN},  {L"TAB", VK_TAB},
      {L"SPACE", VK_SPACE},   {L"BACK", VK_BACK},     {L"DELETE", VK_DELETE}, {L"UP", VK_UP},
      {L"DOWN", VK_DOWN},     {L"LEFT", VK_LEFT},     {L"RIGHT", VK_RIGHT},   {L"HOME", VK_HOME},
      {L"END", VK_END},       {L"PRIOR", VK_PRIOR},   {L"NEXT", VK_NEXT}};
  auto found = kNames.find(name);
  if (found != kNames.end()) {
    *key = found->second;
    return true;
  }
  if (name.size() == 1 &&
      ((name[0] >= L'A' && name[0] <= L'Z') || (name[0] >= L'0' && name[0] <= L'9'))) {
    *key = name[0];
    return true;
  }
  wchar_t* end = nullptr;
  unsigned long number = std::wcstoul(name.c_str(), &end, 0);
  if (name.empty() || *end != L'\0' || number == 0 || number > 0xFE) return false;
  *key = static_cast<UINT>(number);
  return true;
}

int CommandKey(const Arguments& arguments, Report* report) {
  UINT key = 0;
  if (!VirtualKeyFromName(arguments.Get(L"--key"), &key)) {
    report->Error(L"--key takes a name such as ESCAPE or RETURN, or a virtual-key code");
    return kUsage;
  }
  HWND target = arguments.Has(L"--id") ? FindControlFor(arguments, report)
                                       : FindWindowFor(arguments, 0, report);
  if (!target) return kNotFound;
  // The lParam bits a real keystroke has: repeat count 1 and the scan code; a release also
  // has the previous-state and transition bits.
  LPARAM down = 1 | (static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16);
  LPARAM up = down | static_cast<LPARAM>(0xC0000000u);
  if (!PostMessageW(target, WM_KEYDOWN, key, down)) {
    report->Error(L"the key could not be posted");
    return kNoAnswer;
  }
  // A window may take the key and go before its release is posted, as a menu does on Return:
  // the key was pressed all the same, and a caller that pressed it again would choose twice.
  if (!PostMessageW(target, WM_KEYUP, key, up) && IsWindow(target)) {
    report->Error(L"the key's release could not be posted");
    return kNoAnswer;
  }
  report->Number("key", key);
  return kOk;
}

int CommandClose(const Arguments& arguments, Report* report) {
  HWND window = FindWindowFor(arguments, 0, report);
  if (!window) return kNotFound;
  return Deliver(arguments, window, WM_CLOSE, 0, 0, report);
}

int CommandWaitGone(const Arguments& arguments, Report* report) {
  WindowQuery query(arguments);
  bool gone = PollUntil(arguments.Timeout(10000), [&] { return query.FindAll().empty(); });
  report->Flag("gone", gone);
  if (!gone) report->Error(L"a matching window is still there");
  return gone ? kOk : kNotFound;
}

int CommandWaitExit(const Arguments& arguments, Report* report) {
  unsigned long pid = 0;
  arguments.Number(L"--pid", &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) {
    // Already gone, or never there: either way nothing is left running.
    report->Flag("found", false);
    report->Flag("exited", true);
    return kOk;
  }
  report->Flag("found", true);
  bool exited = WaitForSingleObject(process, arguments.Timeout(10000)) == WAIT_OBJECT_0;
  report->Flag("exited", exited);
  DWORD exit_code = 0;
  if (exited && GetExitCodeProcess(process, &exit_code)) report->Number("exit_code", exit_code);
  CloseHandle(process);
  if (!exited) report->Error(L"the process is still running");
  return exited ? kOk : kNotFound;
}

// The handle list of the system and a timer's remaining time come from ntdll, which the SDK
// declares only in part: the layouts below are those the system and Wine answer with.
struct SystemHandle {
  ULONG pid;
  BYTE objectType;
  BYTE flags;
  USHORT value;
  PVOID object;
  ACCESS_MASK access;
};
struct SystemHandles {
  ULONG count;
  SystemHandle handles[1];
};
struct TimerBasic {
  LARGE_INTEGER remaining;  // 100 ns units
  BOOLEAN signaled;
};
struct TypeName {
  USHORT length;  // bytes
  USHORT maximumLength;
  PWSTR buffer;
};

int CommandTimers(const Arguments& arguments, Report* report) {
  using QuerySystem = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  using QueryObject = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
  using QueryTimer = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
  constexpr ULONG kSystemHandleInformation = 16, kObjectTypeInformation = 2;
  constexpr LONG kLengthMismatch = static_cast<LONG>(0xC0000004);
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  // Through void*: a FARPROC cast straight to another function type draws a warning.
  const auto entry = [&](const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(ntdll, name));
  };
  const auto querySystem = reinterpret_cast<QuerySystem>(entry("NtQuerySystemInformation"));
  const auto queryObject = reinterpret_cast<QueryObject>(entry("NtQueryObject"));
  const auto queryTimer = reinterpret_cast<QueryTimer>(entry("NtQueryTimer"));
  unsigned long pid = 0;
  arguments.Number(L"--pid", &pid);
  HANDLE process = OpenProcess(PROCESS_DUP_HANDLE, FALSE, pid);
  if (!querySystem || !queryObject || !queryTimer || !process) {
    report->Error(L"cannot read the handles of the process");
    if (process) CloseHandle(process);
    return kNotFound;
  }
  std::vector<char> buffer(1 << 16);
  LONG status;
  while ((status = querySystem(kSystemHandleInformation, buffer.data(),
                               static_cast<ULONG>(buffer.size()), nullptr)) == kLengthMismatch) {
    buffer.resize(buffer.size() * 2);
  }
  if (status != 0) {
    CloseHandle(process);
    report->Error(L"no handle list");
    return kNoAnswer;
  }
  const auto* list = reinterpret_cast<const SystemHandles*>(buffer.data());
  int timers = 0;
  for (ULONG i = 0; i < list->count; ++i) {
    const SystemHandle& entry = list->handles[i];
    HANDLE copy = nullptr;
    if (entry.pid != pid ||
        !DuplicateHandle(process, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(entry.value)),
                         GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
      continue;
    }
    alignas(8) char type[512];
    TimerBasic timer{};
    const auto* name = reinterpret_cast<const TypeName*>(type);
    if (queryObject(copy, kObjectTypeInformation, type, sizeof type, nullptr) == 0 &&
        std::wstring(name->buffer, name->length / sizeof(wchar_t)) == L"Timer" &&
        queryTimer(copy, 0, &timer, sizeof timer, nullptr) == 0) {
      const std::string key = "timer" + std::to_string(timers++);
      // From the clock's 100 ns, as whole seconds would be off by one now and then.
      FILETIME now;
      GetSystemTimeAsFileTime(&now);
      const long long due100ns =
          (static_cast<long long>(now.dwHighDateTime) << 32 | now.dwLowDateTime) +
          timer.remaining.QuadPart;
      const long long due = (due100ns + 5000000) / 10000000 - 11644473600LL;
      report->Number((key + "_due").c_str(), due);
      report->Flag((key + "_signaled").c_str(), timer.signaled != 0);
    }
    CloseHandle(copy);
  }
  CloseHandle(process);
  report->Number("timers", timers);
  return kOk;
}

int CommandWindows(const Arguments& arguments, Report* report) {
  std::vector<HWND> found = WindowQuery(arguments).FindAll();
  report->Number("matches", static_cast<long long>(found.size()));
  for (std::size_t i = 0; i < found.size(); ++i) {
    const std::string prefix = "window" + std::to_string(i) + "_";
    report->Handle((prefix + "hwnd").c_str(), found[i]);
    report->Text((prefix + "class").c_str(), ClassName(found[i]));
    report->Text((prefix + "caption").c_str(), WindowText(found[i]));
    report->Number((prefix + "pid").c_str(), ProcessOf(found[i]));
    report->Flag((prefix + "visible").c_str(), IsWindowVisible(found[i]));
  }
  return kOk;
}

// A click that brings a window forward takes effect some time after it was delivered, so a
// caller that expects a window waits for it rather than looking once.
int CommandForeground(const Arguments& arguments, Report* report) {
  const WindowQuery query(arguments);
  // --set makes the window the foreground window first, its title bar drawn active. Wine does
  // not draw it so when the window was already active in its own thread before the foreground
  // came to it, as a dialog opened by a posted command is; the frame is then drawn as it is.
  if (arguments.Has(L"--set")) {
    HWND target = FindWindowFor(arguments, 0, report);
    if (!target) return kNotFound;
    SetForegroundWindow(target);
    DWORD_PTR ignored = 0;
    Ask(target, WM_NCACTIVATE, TRUE, 0, &ignored);
  }
  HWND window = nullptr;
  const bool matches = PollUntil(arguments.Timeout(0), [&] {
    window = GetForegroundWindow();
    return window && query.Matches(window);
  });
  if (window) {
    ReportWindow(window, report);
  } else {
    report->Handle("hwnd", nullptr);
  }
  if (!matches) report->Error(L"the foreground window does not match");
  return matches ? kOk : kNotFound;
}

int CommandMessage(const Arguments& arguments, Report* report) {
  const std::wstring name = arguments.Get(L"--msg");
  wchar_t* end = nullptr;
  UINT message = static_cast<UINT>(std::wcstoul(name.c_str(), &end, 0));
  // 0 is WM_NULL, which a caller sends to learn that the window's thread is back at its loop.
  const bool numeric = !name.empty() && *end == L'\0';
  if (!numeric) message = RegisterWindowMessageW(name.c_str());
  if (!numeric && message == 0) {
    report->Error(L"no message " + name);
    return kUsage;
  }
  unsigned long wparam = 0;
  arguments.Number(L"--wparam", &wparam);
  unsigned long lparam = 0;
  arguments.Number(L"--lparam", &lparam);
  HWND window = arguments.Has(L"--id") ? FindControlFor(arguments, report)
                                       : FindWindowFor(arguments, 0, report);
  if (!window) return kNotFound;
  report->Number("message", message);
  return Deliver(arguments, window, message, wparam, static_cast<LPARAM>(lparam), report);
}

struct BoxContents {
  std::wstring text;
  std::wstring buttons;
  std::wstring button_ids;  // IDOK, IDRETRY and the like: Wine words buttons in its language
  bool icon = false;
  bool answered = true;  // every child gave its text
};

BOOL CALLBACK CollectBoxChild(HWND child, LPARAM context) {
  auto* contents = reinterpret_cast<BoxContents*>(context);
  std::wstring text;
  if (!ControlText(child, &text)) {
    contents->answered = false;
    return TRUE;
  }
  const std::wstring class_name = ClassName(child);
  const bool is_static = lstrcmpiW(class_name.c_str(), L"Static") == 0;
  // The icon is a static as well, whose "text" names its resource.
  const LONG type = GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK;
  const bool picture =
      is_static && (type == SS_ICON || type == SS_BITMAP || type == SS_ENHMETAFILE);
  // A box without an icon flag keeps its icon control, hidden.
  if (picture && IsWindowVisible(child)) contents->icon = true;
  if (is_static && !picture && !text.empty() && contents->text.empty()) {
    contents->text = text;
  } else if (lstrcmpiW(class_name.c_str(), L"Button") == 0) {
    if (!contents->buttons.empty()) contents->buttons += L'|';
    contents->buttons += text;
    if (!contents->button_ids.empty()) contents->button_ids += L' ';
    contents->button_ids += std::to_wstring(GetDlgCtrlID(child));
  }
  return TRUE;
}

int CommandBox(const Arguments& arguments, Report* report) {
  HWND window = FindWindowFor(arguments, 10000, report);
  report->Flag("found", window != nullptr);
  if (!window) return kNotFound;
  ReportWindow(window, report);
  // A box is visible before its modal loop takes its first message, and Wine counts a thread
  // that took none for 5 s, such as one that retried a read meanwhile, as hung: until then its
  // controls do not answer.
  BoxContents contents;
  PollUntil(arguments.Timeout(10000), [&] {
    contents = BoxContents();
    EnumChildWindows(window, CollectBoxChild, reinterpret_cast<LPARAM>(&contents));
    return contents.answered;
  });
  report->Text("text", contents.text);
  report->Text("buttons", contents.buttons);
  report->Text("button_ids", contents.button_ids);
  report->Flag("icon", contents.icon);
  return kOk;
}

// Whether the controls of a window fit it: each visible child inside the client area, and no
// two overlapping. A group box frames other controls by design, so it counts only for the
// first check.
int CommandLayout(const Arguments& arguments, Report* report) {
  HWND window = FindWindowFor(arguments, 0, report);
  if (!window) return kNotFound;
  RECT client = {};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  struct Placed {
    int id;
    RECT rect;
    bool group;
  };
  std::vector<Placed> controls;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT rect = {};
    GetWindowRect(child, &rect);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    const bool group = ClassName(child) == L"Button" && (style & 0x0F) == BS_GROUPBOX;
    controls.push_back({GetDlgCtrlID(child), rect, group});
  }
  std::wstring outside;
  int outsideCount = 0;
  for (const Placed& control : controls) {
    const RECT& r = control.rect;
    if (r.left < client.left || r.top < client.top || r.right > client.right ||
        r.bottom > client.bottom) {
      outside += (outside.empty() ? L"" : L" ") + std::to_wstring(control.id);
      ++outsideCount;
    }
  }
  std::wstring overlaps;
  int overlapCount = 0;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      if (controls[i].group || controls[j].group) continue;
      RECT common = {};
      if (!IntersectRect(&common, &controls[i].rect, &controls[j].rect)) continue;
      overlaps += (overlaps.empty() ? L"" : L" ") + std::to_wstring(controls[i].id) + L"/" +
                  std::to_wstring(controls[j].id);
      ++overlapCount;
    }
  }
  report->Number("controls", static_cast<long>(controls.size()));
  report->Number("outside", outsideCount);
  report->Text("outside_ids", outside);
  report->Number("overlaps", overlapCount);
  report->Text("overlap_ids", overlaps);
  return kOk;
}

// Asks the shell about the icon with a modification that changes nothing: it succeeds only
// for an icon the shell holds. Another process may do so, as the shell only looks at the data.
int CommandTrayIcon(const Arguments& arguments, Report* report) {
  unsigned long owner = 0;
  arguments.Number(L"--hwnd", &owner);
  unsigned long uid = 0;
  arguments.Number(L"--uid", &uid);
  NOTIFYICONDATAW data = {};
  data.cbSize = sizeof data;
  data.hWnd = reinterpret_cast<HWND>(owner);
  data.uID = uid;
  if (arguments.Has(L"--delete")) report->Flag("deleted", Shell_NotifyIconW(NIM_DELETE, &data));
  bool present = false;
  PollUntil(arguments.Timeout(0), [&] {
    present = Shell_NotifyIconW(NIM_MODIFY, &data);
    return present;
  });
  report->Flag("present", present);
  return kOk;
}

int CommandRegValue(const Arguments& arguments, Report* report) {
  const std::wstring path = arguments.Get(L"--path");
  const std::size_t slash = path.find(L'\\');
  const std::wstring root = path.substr(0, slash);
  HKEY hive = nullptr;
  if (root == L"HKLM") {
    hive = HKEY_LOCAL_MACHINE;
  } else if (root == L"HKCU") {
    hive = HKEY_CURRENT_USER;
  }
  if (!hive || slash == std::wstring::npos) {
    report->Error(L"--path starts with HKLM\\ or HKCU\\");
    return kUsage;
  }
  const std::wstring key = path.substr(slash + 1);
  const std::wstring name = arguments.Get(L"--name");
  DWORD type = 0;
  DWORD bytes = 0;
  LONG status = RegGetValueW(hive, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                             nullptr, &bytes);
  report->Flag("present", status == ERROR_SUCCESS);
  if (status != ERROR_SUCCESS) return kOk;
  // Room for a terminator that the stored data may lack.
  std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
  DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  status = RegGetValueW(hive, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, &data[0],
                        &size);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
    report->Error(L"the value is no string");
    return kNoAnswer;
  }
  report->Text("data", data.c_str());
  return kOk;
}

// Holds a file open without sharing, as a backup tool or an editor may, so that a program
// started meanwhile cannot open it. With --mutex the hold lasts N ms from the moment the
// program under test takes its single-instance mutex, shortly before it reads its profile,
// however long its start took. With --while it lasts until the caller deletes that file, for
// a hold that must outlast every retry of a start, however slow.
int CommandHold(const Arguments& arguments, Report* report) {
  const std::wstring out = arguments.Get(L"--out");
  unsigned long ms = 0;
  if (out.empty() || !arguments.Number(L"--ms", &ms)) {
    report->Error(L"hold needs --out and --ms");
    return kUsage;
  }
  HANDLE file = CreateFileW(arguments.Get(L"--file").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    report->Error(L"cannot open " + arguments.Get(L"--file"));
    return kNotFound;
  }
  report->Flag("held", true);
  // Written now as well as at exit: the caller starts the program once it reads this.
  bool done = report->WriteTo(out);
  if (done && arguments.Has(L"--mutex")) {
    done = PollUntil(arguments.Timeout(60000), [&] {
      HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, arguments.Get(L"--mutex").c_str());
      // Closed at once: a handle kept open would make the next start a second instance.
      if (mutex) CloseHandle(mutex);
      return mutex != nullptr;
    });
    report->Flag("mutex_seen", done);
    if (!done) report->Error(L"the mutex never appeared");
  }
  if (done && arguments.Has(L"--while")) {
    done = PollUntil(120000, [&] {
      return GetFileAttributesW(arguments.Get(L"--while").c_str()) == INVALID_FILE_ATTRIBUTES;
    });
    if (!done) report->Error(L"the file named by --while was never deleted");
  }
  if (done) Sleep(ms);
  CloseHandle(file);
  return done ? kOk : kNotFound;
}

BOOL CALLBACK CountWindow(HWND, LPARAM context) {
  ++*reinterpret_cast<int*>(context);
  return TRUE;
}

// Windows of a Wine desktop (explorer /desktop=NAME) are only seen from a thread attached
// to that desktop. The desktop may still be starting, so it is waited for like a window,
// and entered only once it holds a window: before its explorer has made the desktop window,
// Wine answers a thread that enters it by starting a second explorer and waiting for that
// one, and when the wait runs out on a loaded machine it leaves the probe without a display
// driver, hanging in its first drawing call.
bool EnterDesktop(const std::wstring& name, DWORD timeout_ms, Report* report) {
  bool entered = PollUntil(timeout_ms, [&] {
    HDESK desktop = OpenDesktopW(name.c_str(), 0, FALSE,
                                 DESKTOP_READOBJECTS | DESKTOP_ENUMERATE | GENERIC_READ);
    if (!desktop) return false;
    int windows = 0;
    EnumDesktopWindows(desktop, CountWindow, reinterpret_cast<LPARAM>(&windows));
    if (windows > 0 && SetThreadDesktop(desktop)) return true;
    CloseDesktop(desktop);
    return false;
  });
  if (!entered) report->Error(L"cannot enter desktop " + name);
  return entered;
}

int Run(const Arguments& arguments, Report* report) {
  struct Command {
    int (*run)(const Arguments&, Report*);
    const wchar_t* required;  // an option the command cannot do without, or null
  };
  static const std::map<std::wstring, Command> kCommands = {
      {L"wait", {CommandWait, nullptr}},
      {L"info", {CommandInfo, nullptr}},
      {L"screen", {CommandScreen, nullptr}},
      {L"point", {CommandPoint, L"--x"}},
      {L"clock", {CommandClock, nullptr}},
      {L"text", {CommandText, L"--id"}},
      {L"control", {CommandControl, L"--id"}},
      {L"list", {CommandList, L"--id"}},
      {L"set-text", {CommandSetText, L"--text"}},
      {L"drop", {CommandDrop, L"--file"}},
      {L"dpi-changed", {CommandDpiChanged, L"--dpi"}},
      {L"path", {CommandPath, L"--file"}},
      {L"select", {CommandSelect, L"--index"}},
      {L"click", {CommandClick, L"--id"}},
      {L"command", {CommandCommand, L"--id"}},
      {L"key", {CommandKey, L"--key"}},
      {L"close", {CommandClose, nullptr}},
      {L"wait-gone", {CommandWaitGone, nullptr}},
      {L"wait-exit", {CommandWaitExit, L"--pid"}},
      {L"timers", {CommandTimers, L"--pid"}},
      {L"windows", {CommandWindows, nullptr}},
      {L"foreground", {CommandForeground, nullptr}},
      {L"message", {CommandMessage, L"--msg"}},
      {L"box", {CommandBox, nullptr}},
      {L"tray-icon", {CommandTrayIcon, L"--hwnd"}},
      {L"layout", {CommandLayout, nullptr}},
      {L"reg-value", {CommandRegValue, L"--path"}},
      {L"hold", {CommandHold, L"--file"}}};
  auto command = kCommands.find(arguments.Command());
  if (command == kCommands.end()) {
    report->Error(L"unknown command " + arguments.Command());
    return kUsage;
  }
  const wchar_t* required = command->second.required;
  if (required && !arguments.Has(required)) {
    report->Error(arguments.Command() + L" needs " + required);
    return kUsage;
  }
  if (arguments.Has(L"--desktop") &&
      !EnterDesktop(arguments.Get(L"--desktop"), arguments.Timeout(0), report)) {
    return kNotFound;
  }
  return command->second.run(arguments, report);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Arguments arguments;
  Report report;
  int result = arguments.Parse(argc, argv, &report) ? Run(arguments, &report) : kUsage;
  if (result == kUsage) std::fputs(kUsageText, stderr);
  if (!report.WriteTo(arguments.Get(L"--out"))) {
    std::fprintf(stderr, "probe: cannot write %s\n", ToUtf8(arguments.Get(L"--out")).c_str());
    return kUsage;
  }
  return result;
}
