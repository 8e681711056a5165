#pragma once

#include "fakes/fake_cd.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_ports.h"
#include "scheduler/main_frame.h"

// A frame on fake ports, with a table of `slots` empty slots.
struct FakeFrame {
  explicit FakeFrame(int slots = 32) {
    g_nSlotCount = slots;
    frame.Table().ResetSlots();
  }

  FakeClock clock;
  FakeShell shell;
  FakeAlerts alerts;
  FakeStrings strings;
  FakeLocation location;
  FakeProfileStore profile;
  FakeTimers timers;
  FakeCd cd;
  CMainFrame frame{FramePorts{clock, shell, alerts, strings, location, profile, timers, cd}};
};
