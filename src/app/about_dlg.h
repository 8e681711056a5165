#pragma once

#include "platform/dialog_handler.h"

class UiBusy;

// The version box.
class CAboutDlg : public DialogHandler {
 public:
  explicit CAboutDlg(UiBusy& busy) : m_busy(busy) {}
  bool OnInitDialog() override;

 private:
  UiBusy& m_busy;
};
