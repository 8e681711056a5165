#include "win32/dialog_host.h"

#include "win32/frame_window.h"
#include "win32/handles.h"
#include "win32/modal_dialog.h"

namespace win32 {

DialogResult Win32DialogHost::RunModal(int templateId, DialogHandler& handler) {
  ModalDialog dialog;
  return dialog.Run(templateId, handler, m_owner.Handle());
}

DialogResult Win32DialogHost::RunModalOwnedBy(WindowHandle owner, int templateId,
                                              DialogHandler& handler) {
  ModalDialog dialog;
  return dialog.Run(templateId, handler, ToHwnd(owner));
}

}  // namespace win32
