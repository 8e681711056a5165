#pragma once

#include "platform/dialog_handler.h"

// The version box.
class CAboutDlg : public DialogHandler {
 public:
  bool OnInitDialog() override;
};
