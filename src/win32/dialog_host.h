#pragma once

#include "platform/dialog_handler.h"

namespace win32 {

class FrameWindow;

// Dialogs owned by the hidden frame, or by the window given; until the frame exists they have
// no owner.
class Win32DialogHost : public DialogHost {
 public:
  explicit Win32DialogHost(const FrameWindow& owner) : m_owner(owner) {}
  DialogResult RunModal(int templateId, DialogHandler& handler) override;
  DialogResult RunModalOwnedBy(WindowHandle owner, int templateId, DialogHandler& handler) override;

 private:
  const FrameWindow& m_owner;
};

}  // namespace win32
