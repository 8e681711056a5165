#include "win32/modal_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/cp932_path.h"
#include "win32/dialog_rescale.h"
#include "win32/dpi.h"
#include "win32/file_dialog.h"
#include "win32/handles.h"
#include "win32/popup_menus.h"
#include "win32/text.h"
#include "win32/window_info.h"

namespace win32 {

namespace {

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(window, DWLP_USER, lParam);
  auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  return dialog ? dialog->Dispatch(window, message, wParam, lParam) : FALSE;
}

// Registering again is harmless and cheap, so each dialog asks; a once-only static would link
// the thread-safe guard machinery for it.
void RegisterListViewClass() {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
}

}  // namespace

DialogResult ModalDialog::Run(int templateId, DialogHandler& handler, HWND owner) {
  RegisterListViewClass();
  m_handler = &handler;
  handler.Attach(*this);
  const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                         owner, DialogProcedure, reinterpret_cast<LPARAM>(this));
  m_window = nullptr;
  m_handler = nullptr;
  m_font.Reset();
  m_editLimits.Clear();
  switch (result) {
    case IDOK:
      return DialogResult::kOk;
    case IDCANCEL:
      return DialogResult::kCancel;
    default:
      return DialogResult::kFailed;
  }
}

INT_PTR ModalDialog::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      m_window = window;
      m_dpi = win32::WindowDpi(window);
      LeaveDpiChangesToTheDialog(window);
      AcceptDroppedFiles(window, *this);
      return m_handler->OnInitDialog() ? TRUE : FALSE;
    case WM_DPICHANGED: {
      const int dpi = LOWORD(wParam);  // the same across as down
      RescaleDialog(window, m_dpi, dpi, *reinterpret_cast<const RECT*>(lParam), m_font);
      m_dpi = dpi;
      return TRUE;
    }
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
        m_editLimits.OnChange(Item(id), id);
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
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (!HasClass(header->hwndFrom, WC_LISTVIEWW)) return FALSE;
      const int id = static_cast<int>(header->idFrom);
      switch (header->code) {
        case NM_RCLICK:
          m_handler->OnListRightClick(id);
          SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
          return TRUE;
        case LVN_GETDISPINFOW:
          GiveListCell(id, reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
          return TRUE;
        case LVN_ODFINDITEMW:
          SetWindowLongPtrW(window, DWLP_MSGRESULT,
                            FindListRow(id, *reinterpret_cast<const NMLVFINDITEMW*>(lParam)));
          return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

void ModalDialog::OnDropFiles(int editId, const std::wstring& firstFile) {
  m_handler->OnDropFiles(editId, ToChosenFile(firstFile));
}

WindowHandle ModalDialog::Handle() { return ToHandle(m_window); }

void ModalDialog::MoveWindow(int x, int y, int width, int height, bool repaint) {
  ::MoveWindow(m_window, x, y, width, height, repaint ? TRUE : FALSE);
}

void ModalDialog::ShowDialog(bool shown) {
  ShowWindow(m_window, shown ? SW_SHOW : SW_HIDE);
  // Back after a hide, the window is in front as a new one would be.
  if (shown) SetForegroundWindow(m_window);
}

DialogControls::Size ModalDialog::ScreenSize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

int ModalDialog::WindowDpi() { return m_dpi; }

DialogControls::Size ModalDialog::WindowSize() {
  RECT frame = {};
  GetWindowRect(m_window, &frame);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void ModalDialog::KeepItemInside(int id) {
  RECT client = {};
  GetClientRect(m_window, &client);
  RECT item = {};
  GetWindowRect(Item(id), &item);
  MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&item), 2);
  if (item.right <= client.right) return;
  const int width = client.right - 2 * item.left;
  SetWindowPos(Item(id), nullptr, 0, 0, width > 0 ? width : 0, item.bottom - item.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalDialog::EndDialog(DialogResult result) {
  ::EndDialog(m_window, result == DialogResult::kOk ? IDOK : IDCANCEL);
}

void ModalDialog::StartTimer(unsigned id, unsigned periodMs) {
  SetTimer(m_window, id, periodMs, nullptr);
}

void ModalDialog::StopTimer(unsigned id) { KillTimer(m_window, id); }

bool ModalDialog::AskYesNo(const char* text, const char* caption) {
  return MessageBoxW(m_window, Cp932ToWide(text).c_str(), Cp932ToWide(caption).c_str(), MB_YESNO) ==
         IDYES;
}

void ModalDialog::ShowWarning(const char* text, const char* caption) {
  MessageBoxW(m_window, Cp932ToWide(text).c_str(), Cp932ToWide(caption).c_str(),
              MB_OK | MB_ICONEXCLAMATION);
}

void ModalDialog::TrackListMenu(const std::vector<int>& grayedIds) {
  // The chosen item comes as WM_COMMAND with code 0, which Dispatch hands to OnCommand.
  TrackPopupAtCursor(m_window, Popup::kSettingsList, grayedIds);
}

bool ModalDialog::ChooseFileToOpen(const char* filter, const char* title,
                                   const char* initialDirectory, ChosenFile* file) {
  return win32::ChooseFileToOpen(m_window, filter, title, initialDirectory, file);
}

// The dialog's controls as the logic reaches them: texts, buttons, combo boxes, list views.
void ModalDialog::SetItemText(int id, const char* text) {
  m_editLimits.SetText(Item(id), id, Cp932ToWide(text));
}

std::string ModalDialog::GetItemText(int id) {
  return WideToCp932(WindowText(Item(id)), BestFit::kUsed);
}

void ModalDialog::LimitText(int id, int limit) { m_editLimits.Limit(Item(id), id, limit); }

// The dialog's own way, which also moves the default button and selects an edit's text.
void ModalDialog::FocusItem(int id) {
  SendMessageW(m_window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
}

void ModalDialog::CheckButton(int id, bool checked) {
  CheckDlgButton(m_window, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool ModalDialog::IsButtonChecked(int id) {
  return IsDlgButtonChecked(m_window, id) == BST_CHECKED;
}

void ModalDialog::EnableItem(int id, bool enabled) {
  EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

void ModalDialog::ShowItem(int id, bool shown) { ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE); }

void ModalDialog::AddComboItem(int id, const char* text) {
  const std::wstring wide = Cp932ToWide(text);
  SendItem(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void ModalDialog::SetComboSelection(int id, int index) {
  const LRESULT count = SendItem(id, CB_GETCOUNT, 0, 0);
  // -1 clears the selection and the combo's text.
  const WPARAM selection =
      index >= 0 && index < count ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1);
  SendItem(id, CB_SETCURSEL, selection, 0);
}

int ModalDialog::ComboSelection(int id) {
  return static_cast<int>(SendItem(id, CB_GETCURSEL, 0, 0));
}

void ModalDialog::SetListFullRowSelect(int id) {
  SendItem(id, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
}

int ModalDialog::ListClientWidth(int id) {
  RECT client = {};
  GetClientRect(Item(id), &client);
  return client.right - client.left;
}

void ModalDialog::InsertListColumn(int id, int column, const char* header, int width) {
  std::wstring text = Cp932ToWide(header);
  LVCOLUMNW item = {};
  item.mask = LVCF_WIDTH | LVCF_TEXT;
  item.cx = width;
  item.pszText = text.data();
  SendItem(id, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
}

void ModalDialog::SetListRowCount(int id, int rows) {
  // Drawn once, with the new count, not empty in between.
  SendItem(id, WM_SETREDRAW, FALSE, 0);
  // Deleting first drops the selection, the mark and the focus, as new rows should have none.
  SendItem(id, LVM_DELETEALLITEMS, 0, 0);
  SendItem(id, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
  SendItem(id, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Item(id), nullptr, TRUE);
}

void ModalDialog::GiveListCell(int id, LVITEMW& item) {
  if (!(item.mask & LVIF_TEXT) || item.pszText == nullptr || item.cchTextMax <= 0) return;
  const std::wstring text = Cp932ToWide(m_handler->OnListCell(id, item.iItem, item.iSubItem));
  // The buffer is the list's own or, for LVM_GETITEMTEXT, the caller's: cut to its size.
  const std::size_t length = std::min<std::size_t>(text.size(), item.cchTextMax - 1);
  text.copy(item.pszText, length);
  item.pszText[length] = L'\0';
}

// Type-ahead: a list without texts of its own asks which row begins with what the user typed,
// where it would have looked itself, comparing the first column without regard to case.
int ModalDialog::FindListRow(int id, const NMLVFINDITEMW& find) {
  const LVFINDINFOW& wanted = find.lvfi;
  if (!(wanted.flags & (LVFI_STRING | LVFI_PARTIAL)) || wanted.psz == nullptr) return -1;
  const int rows = static_cast<int>(SendItem(id, LVM_GETITEMCOUNT, 0, 0));
  const int start = find.iStart >= 0 && find.iStart < rows ? find.iStart : 0;
  const int length = lstrlenW(wanted.psz);
  const bool partial = (wanted.flags & LVFI_PARTIAL) != 0;
  for (int step = 0; step < rows; ++step) {
    if (start + step >= rows && !(wanted.flags & LVFI_WRAP)) break;
    const int row = (start + step) % rows;
    const std::wstring text = Cp932ToWide(m_handler->OnListCell(id, row, 0));
    const int compared =
        partial ? std::min(static_cast<int>(text.size()), length) : static_cast<int>(text.size());
    if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(), compared, wanted.psz,
                       length) == CSTR_EQUAL) {
      return row;
    }
  }
  return -1;
}

void ModalDialog::SetSelectionMark(int id, int row) { SendItem(id, LVM_SETSELECTIONMARK, 0, row); }

int ModalDialog::SelectionMark(int id) {
  return static_cast<int>(SendItem(id, LVM_GETSELECTIONMARK, 0, 0));
}

void ModalDialog::SelectListRow(int id, int row) {
  LVITEMW item = {};
  // Focused too, so that the arrow keys go on from it.
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendItem(id, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  SendItem(id, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

}  // namespace win32
