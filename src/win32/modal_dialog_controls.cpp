// The dialog's controls as the logic reaches them: texts, buttons, combo boxes, list views.
#include <windows.h>
#include <commctrl.h>

#include "win32/modal_dialog.h"
#include "win32/text.h"
#include "win32/window_info.h"

namespace win32 {

void ModalDialog::SetItemText(int id, const char* text) {
  m_editLimits.SetText(Item(id), id, Cp932ToWide(text));
}

std::string ModalDialog::GetItemText(int id) {
  return WideToCp932(WindowText(Item(id)), BestFit::kUsed);
}

void ModalDialog::LimitText(int id, int limit) { m_editLimits.Limit(Item(id), id, limit); }

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

void ModalDialog::SetListRows(int id, const std::vector<ListRow>& rows) {
  // A list that redraws itself after every insertion takes seconds to fill with thousands.
  SendItem(id, WM_SETREDRAW, FALSE, 0);
  SendItem(id, LVM_DELETEALLITEMS, 0, 0);
  SendItem(id, LVM_SETITEMCOUNT, rows.size(), 0);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (std::size_t column = 0; column < rows[row].size(); ++column) {
      std::wstring wide = Cp932ToWide(rows[row][column]);
      LVITEMW item = {};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(row);
      item.iSubItem = static_cast<int>(column);
      item.pszText = wide.data();
      SendItem(id, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0,
               reinterpret_cast<LPARAM>(&item));
    }
  }
  SendItem(id, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Item(id), nullptr, TRUE);
}

void ModalDialog::SetSelectionMark(int id, int row) { SendItem(id, LVM_SETSELECTIONMARK, 0, row); }

int ModalDialog::SelectionMark(int id) {
  return static_cast<int>(SendItem(id, LVM_GETSELECTIONMARK, 0, 0));
}

void ModalDialog::SelectListRow(int id, int row) {
  LVITEMW item = {};
  item.state = LVIS_SELECTED;
  item.stateMask = LVIS_SELECTED;
  SendItem(id, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace win32
