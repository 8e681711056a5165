#pragma once

#include "fakes/fake_clock.h"
#include "fakes/fake_devices.h"
#include "fakes/fake_dialog.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_text_codec.h"
#include "scheduler/main_frame.h"
#include "scheduler/modal_windows.h"
#include "settings/settings_editor.h"
#include "settings/timer_dialog_prompt.h"

// A frame on fake ports, with a table of `slots` empty slots, whose settings and timer commands
// run the real dialogs on fake controls.
struct FakeFrame {
  explicit FakeFrame(int slots = kDefaultSlotCount) {
    frame.Table().ResetSlots(slots, DefaultReservation(location));
    timers.events = &events;
    tray.events = &events;
    profile.events = &events;
    mci.events = &events;
  }

  EventLog events;  // of the timers, the tray icon, the profile and the MCI devices

  FakeClock clock;
  FakeShell shell;
  FakeAlerts alerts;
  FakeStrings strings;
  FakeLocation location;
  FakeProfileStore profile;
  FakeTimers timers;
  FakeMci mci;
  FakeDrives drives;
  FakeTray tray;
  FakeMenu menu;
  FakeForeground foreground;
  FakePower power;
  FakeWakeTimer wakeTimer;
  FakeRunRecord runRecord;
  FakeDialogHost dialogs;
  FakeRunKey runKey;
  FakeTextCodec textCodec;
  UiBusy busy;
  // What the frame and the dialogs are given: the fakes, marking `busy` while they are open.
  BusyAlerts busyAlerts{alerts, busy};
  BusyDialogHost busyDialogs{dialogs, busy};
  SettingsEditor settings{SettingsPorts{busyDialogs, clock, drives, location, runKey}};
  TimerDialogPrompt timerPrompt{busyDialogs};
  CMainFrame frame{
      FramePorts{clock, shell, busyAlerts, strings, location, profile, timers, mci, drives, tray,
                 menu, foreground, power, textCodec, wakeTimer, runRecord},
      busy, settings, timerPrompt};
};
