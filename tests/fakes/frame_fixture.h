#pragma once

#include "fakes/fake_clock.h"
#include "fakes/fake_devices.h"
#include "fakes/fake_dialog.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_text_codec.h"
#include "scheduler/main_frame.h"

// A frame on fake ports, with a table of `slots` empty slots.
struct FakeFrame {
  explicit FakeFrame(int slots = 32) {
    g_nSlotCount = slots;
    frame.Table().ResetSlots();
    timers.events = &events;
    tray.events = &events;
    profile.events = &events;
    mci.events = &events;
  }

  EventLog events;  // of the timers, the tray icon, the profile and the CD device

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
  FakeDialogHost dialogs;
  FakeRunKey runKey;
  FakeTextCodec textCodec;
  CMainFrame frame{FramePorts{clock, shell, alerts, strings, location, profile, timers, mci, drives,
                              tray, menu, foreground, power, dialogs, runKey, textCodec}};
};
