#pragma once

#include "scheduler/table_editor.h"
#include "settings/settings_dlg.h"

// The frame's table edited in the settings dialog.
class SettingsEditor : public TableEditor {
 public:
  explicit SettingsEditor(const SettingsPorts& ports) : m_ports(ports) {}
  bool Edit(ReservationTable& table, Options& options) override;

 private:
  SettingsPorts m_ports;
};
