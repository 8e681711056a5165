#include "platform/win32/modal_dialog.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>

#include "platform/edit_byte_limit.h"
#include "platform/win32/text.h"
#include "resource.h"

namespace win32 {

namespace {

constexpr UINT_PTR kDropEditSubclass = 1;
// Room for long paths; the logic cuts what it stores to its own field.
constexpr DWORD kFileNameBuffer = 4096;

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(window, DWLP_USER, lParam);
  auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  return dialog ? dialog->Dispatch(window, message, wParam, lParam) : FALSE;
}

LRESULT CALLBACK DropEditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR subclassId, DWORD_PTR dialog) {
  switch (message) {
    case WM_DROPFILES:
      reinterpret_cast<ModalDialog*>(dialog)->DropFiles(GetDlgCtrlID(edit),
                                                        reinterpret_cast<void*>(wParam));
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, DropEditProcedure, subclassId);
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

bool HasClass(HWND window, const wchar_t* className) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, static_cast<int>(sizeof name / sizeof name[0]));
  return lstrcmpiW(name, className) == 0;
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

// wchar_t is UTF-16 here, as char16_t is.
std::u16string ToUtf16(std::wstring_view text) { return {text.begin(), text.end()}; }

int Cp932CharacterSize(std::u16string_view character) {
  return static_cast<int>(WideToCp932(std::wstring(character.begin(), character.end())).size());
}

BOOL CALLBACK SubclassDropEdit(HWND child, LPARAM dialog) {
  if ((GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0 &&
      HasClass(child, WC_EDITW)) {
    SetWindowSubclass(child, DropEditProcedure, kDropEditSubclass, static_cast<DWORD_PTR>(dialog));
  }
  return TRUE;
}

void RegisterListViewClass() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
    return InitCommonControlsEx(&classes) != FALSE;
  }();
  (void)registered;
}

}  // namespace

int ModalDialog::Run(int templateId, DialogHandler& handler, void* owner) {
  RegisterListViewClass();
  m_handler = &handler;
  handler.Attach(*this);
  const INT_PTR result =
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                      static_cast<HWND>(owner), DialogProcedure, reinterpret_cast<LPARAM>(this));
  m_window = nullptr;
  m_handler = nullptr;
  m_byteLimits.clear();
  return static_cast<int>(result);
}

std::intptr_t ModalDialog::Dispatch(void* window, unsigned message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG:
      m_window = window;
      AcceptDroppedFiles();
      return m_handler->OnInitDialog() ? TRUE : FALSE;
    case WM_TIMER:
      m_handler->OnTimer(static_cast<unsigned>(wParam));
      return FALSE;  // and the default processing
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const unsigned code = HIWORD(wParam);
      switch (id) {
        case IDOK:
          m_handler->OnOK();
          return TRUE;
        case IDCANCEL:
          m_handler->OnCancel();
          return TRUE;
      }
      if (code == EN_CHANGE) {
        EnforceByteLimit(id);
        return FALSE;
      }
      // BN_CLICKED is 0, as is the code of a menu command.
      if (code == BN_CLICKED) {
        m_handler->OnCommand(id);
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code == static_cast<UINT>(NM_RCLICK) &&
          HasClass(header->hwndFrom, WC_LISTVIEWW)) {
        m_handler->OnListRightClick(static_cast<int>(header->idFrom));
        SetWindowLongPtrW(static_cast<HWND>(window), DWLP_MSGRESULT, 0);
        return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

void ModalDialog::AcceptDroppedFiles() {
  EnumChildWindows(static_cast<HWND>(m_window), SubclassDropEdit, reinterpret_cast<LPARAM>(this));
}

void ModalDialog::DropFiles(int editId, void* drop) {
  const HDROP files = static_cast<HDROP>(drop);
  if (DragQueryFileW(files, 0xFFFFFFFF, nullptr, 0) > 0) {
    const UINT length = DragQueryFileW(files, 0, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    const UINT copied = DragQueryFileW(files, 0, name.data(), length + 1);
    name.resize(copied);
    m_handler->OnDropFiles(editId, WideToCp932(name).c_str());
  }
  // The edit's own handling would leave the drop's memory allocated.
  DragFinish(files);
}

void ModalDialog::MoveWindow(int x, int y, int width, int height, bool repaint) {
  ::MoveWindow(static_cast<HWND>(m_window), x, y, width, height, repaint ? TRUE : FALSE);
}

DialogControls::Size ModalDialog::ScreenSize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

DialogControls::Size ModalDialog::WindowSize() {
  RECT frame = {};
  GetWindowRect(static_cast<HWND>(m_window), &frame);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void ModalDialog::EndDialog(int result) { ::EndDialog(static_cast<HWND>(m_window), result); }

void ModalDialog::StartTimer(unsigned id, unsigned periodMs) {
  SetTimer(static_cast<HWND>(m_window), id, periodMs, nullptr);
}

void ModalDialog::StopTimer(unsigned id) { KillTimer(static_cast<HWND>(m_window), id); }

void ModalDialog::SetItemText(int id, const char* text) {
  const std::wstring wide = Cp932ToWide(text);
  // The program may set more than the user may type, as an edit counting bytes allows.
  m_settingText = true;
  SetDlgItemTextW(static_cast<HWND>(m_window), id, wide.c_str());
  m_settingText = false;
  const auto limited = m_byteLimits.find(id);
  if (limited != m_byteLimits.end()) limited->second.accepted = wide;
}

std::string ModalDialog::GetItemText(int id) {
  return WideToCp932(WindowText(GetDlgItem(static_cast<HWND>(m_window), id)));
}

// The logic's limit counts code page 932 bytes, an edit's limit UTF-16 units. The edit's own
// limit stops plain typing at as many units; EnforceByteLimit cuts whatever else would go
// past the bytes.
void ModalDialog::LimitText(int id, int limit) {
  const HWND edit = GetDlgItem(static_cast<HWND>(m_window), id);
  if (limit <= 0) {
    m_byteLimits.erase(id);
    SendMessageW(edit, EM_LIMITTEXT, 0, 0);
    return;
  }
  SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
  m_byteLimits[id] = ByteLimit{limit, WindowText(edit)};
}

// Called on each change of an edit's text: a change that takes a limited edit past its byte
// limit keeps only as much of the newly entered text as fits.
void ModalDialog::EnforceByteLimit(int id) {
  const auto limited = m_byteLimits.find(id);
  if (limited == m_byteLimits.end()) return;
  ByteLimit& limit = limited->second;
  const HWND edit = GetDlgItem(static_cast<HWND>(m_window), id);
  const std::wstring text = WindowText(edit);
  // The program's own text, the cut one set below included, is taken as it is.
  if (m_settingText) {
    limit.accepted = text;
    return;
  }
  const ByteLimitedText fitted =
      FitToByteLimit(ToUtf16(limit.accepted), ToUtf16(text), limit.bytes, Cp932CharacterSize);
  limit.accepted.assign(fitted.text.begin(), fitted.text.end());
  if (!fitted.cut) return;
  m_settingText = true;
  SetWindowTextW(edit, limit.accepted.c_str());
  m_settingText = false;
  const WPARAM caret = fitted.caret;
  SendMessageW(edit, EM_SETSEL, caret, static_cast<LPARAM>(caret));
  MessageBeep(MB_OK);
}

void ModalDialog::CheckButton(int id, bool checked) {
  CheckDlgButton(static_cast<HWND>(m_window), id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool ModalDialog::IsButtonChecked(int id) {
  return IsDlgButtonChecked(static_cast<HWND>(m_window), id) == BST_CHECKED;
}

void ModalDialog::EnableItem(int id, bool enabled) {
  EnableWindow(GetDlgItem(static_cast<HWND>(m_window), id), enabled ? TRUE : FALSE);
}

void ModalDialog::ShowItem(int id, bool shown) {
  ShowWindow(GetDlgItem(static_cast<HWND>(m_window), id), shown ? SW_SHOW : SW_HIDE);
}

void ModalDialog::AddComboItem(int id, const char* text) {
  const std::wstring wide = Cp932ToWide(text);
  SendDlgItemMessageW(static_cast<HWND>(m_window), id, CB_ADDSTRING, 0,
                      reinterpret_cast<LPARAM>(wide.c_str()));
}

void ModalDialog::SetComboSelection(int id, int index) {
  const HWND window = static_cast<HWND>(m_window);
  const LRESULT count = SendDlgItemMessageW(window, id, CB_GETCOUNT, 0, 0);
  // -1 clears the selection and the combo's text.
  const WPARAM selection =
      index >= 0 && index < count ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1);
  SendDlgItemMessageW(window, id, CB_SETCURSEL, selection, 0);
}

int ModalDialog::ComboSelection(int id) {
  return static_cast<int>(SendDlgItemMessageW(static_cast<HWND>(m_window), id, CB_GETCURSEL, 0, 0));
}

void ModalDialog::SetListFullRowSelect(int id) {
  SendDlgItemMessageW(static_cast<HWND>(m_window), id, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                      LVS_EX_FULLROWSELECT);
}

int ModalDialog::ListClientWidth(int id) {
  RECT client = {};
  GetClientRect(GetDlgItem(static_cast<HWND>(m_window), id), &client);
  return client.right - client.left;
}

void ModalDialog::InsertListColumn(int id, int column, const char* header, int width) {
  std::wstring text = Cp932ToWide(header);
  LVCOLUMNW item = {};
  item.mask = LVCF_WIDTH | LVCF_TEXT;
  item.cx = width;
  item.pszText = text.data();
  SendDlgItemMessageW(static_cast<HWND>(m_window), id, LVM_INSERTCOLUMNW,
                      static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
}

void ModalDialog::DeleteAllListRows(int id) {
  SendDlgItemMessageW(static_cast<HWND>(m_window), id, LVM_DELETEALLITEMS, 0, 0);
}

void ModalDialog::InsertListRow(int id, int row, const char* text) {
  std::wstring wide = Cp932ToWide(text);
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = 0;
  item.pszText = wide.data();
  SendDlgItemMessageW(static_cast<HWND>(m_window), id, LVM_INSERTITEMW, 0,
                      reinterpret_cast<LPARAM>(&item));
}

void ModalDialog::SetListCell(int id, int row, int column, const char* text) {
  std::wstring wide = Cp932ToWide(text);
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = wide.data();
  SendDlgItemMessageW(static_cast<HWND>(m_window), id, LVM_SETITEMW, 0,
                      reinterpret_cast<LPARAM>(&item));
}

void ModalDialog::SetSelectionMark(int id, int row) {
  SendDlgItemMessageW(static_cast<HWND>(m_window), id, LVM_SETSELECTIONMARK, 0, row);
}

int ModalDialog::SelectionMark(int id) {
  return static_cast<int>(
      SendDlgItemMessageW(static_cast<HWND>(m_window), id, LVM_GETSELECTIONMARK, 0, 0));
}

void ModalDialog::SelectListRow(int id, int row) {
  LVITEMW item = {};
  item.state = LVIS_SELECTED;
  item.stateMask = LVIS_SELECTED;
  SendDlgItemMessageW(static_cast<HWND>(m_window), id, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(&item));
}

bool ModalDialog::AskYesNo(const char* text, const char* caption) {
  return MessageBoxW(static_cast<HWND>(m_window), Cp932ToWide(text).c_str(),
                     Cp932ToWide(caption).c_str(), MB_YESNO) == IDYES;
}

void ModalDialog::TrackPopupMenu(int popupIndex, const std::vector<int>& grayedIds) {
  const HWND window = static_cast<HWND>(m_window);
  const HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
  if (menu == nullptr) return;
  const HMENU popup = GetSubMenu(menu, popupIndex);
  if (popup != nullptr) {
    for (const int id : grayedIds)
      EnableMenuItem(popup, static_cast<UINT>(id), MF_BYCOMMAND | MF_GRAYED);
    POINT cursor = {};
    GetCursorPos(&cursor);
    // The chosen item comes as WM_COMMAND with code 0, which Dispatch hands to OnCommand.
    ::TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, window, nullptr);
  }
  DestroyMenu(menu);
}

bool ModalDialog::ChooseFileToOpen(const char* filter, const char* title,
                                   const char* initialDirectory, std::string* path) {
  // Converted before the bars are replaced: 0x7C can be the second byte of a CP932 character.
  std::wstring filters = Cp932ToWide(filter);
  std::replace(filters.begin(), filters.end(), L'|', L'\0');
  filters.append(2, L'\0');
  const std::wstring caption = Cp932ToWide(title);
  const std::wstring directory = Cp932ToWide(initialDirectory);
  std::wstring file(kFileNameBuffer, L'\0');

  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = static_cast<HWND>(m_window);
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kFileNameBuffer;
  dialog.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
  dialog.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameW(&dialog)) return false;
  *path = WideToCp932(file.c_str());
  return true;
}

}  // namespace win32
