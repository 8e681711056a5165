#include "app/scheduler_app.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/message_dlg.h"
#include "fakes/fake_dialog.h"
#include "fakes/fake_ports.h"
#include "platform/dialog_handler.h"
#include "platform/main_window_host.h"
#include "platform/named_mutex.h"
#include "resource.h"
#include "scheduler/modal_windows.h"

namespace {

class FakeMutex : public NamedMutex {
 public:
  Result CreateOwned(const char* name) override {
    names.push_back(name);
    return result;
  }
  void Release() override { ++releases; }
  Result result = Result::kCreated;
  std::vector<std::string> names;
  int releases = 0;
};

class FakeWindowHost : public MainWindowHost {
 public:
  Creation CreateMainWindow() override {
    ++created;
    return creation;
  }
  void CloseMainWindow() override { ++closed; }
  int created = 0;
  int closed = 0;
  Creation creation = Creation::kCreated;
};

class SchedulerAppTest : public ::testing::Test {
 protected:
  FakeMutex mutex;
  FakeAlerts alerts;
  FakeDialogHost dialogs;
  FakeWindowHost window;
  UiBusy busy;
  BusyDialogHost busyDialogs{dialogs, busy};
};

TEST_F(SchedulerAppTest, AnyCommandLineMakesAMessageInstance) {
  {
    CSchedulerApp app(mutex, alerts, busyDialogs, window);
    EXPECT_FALSE(app.InitInstance("05,鳴刻 です"));
    EXPECT_EQ(app.ExitInstance(), 0);
  }
  ASSERT_EQ(dialogs.runs.size(), 1u);
  EXPECT_EQ(dialogs.runs[0].templateId, IDD_MESSAGE);
  EXPECT_EQ(dialogs.dialogs[0].texts[IDC_MESSAGE_TEXT], "鳴刻 です");
  EXPECT_TRUE(mutex.names.empty());
  EXPECT_EQ(mutex.releases, 0);
  EXPECT_EQ(window.created, 0);
}

TEST_F(SchedulerAppTest, AnEmptyCommandLineMakesTheResidentInstance) {
  {
    CSchedulerApp app(mutex, alerts, busyDialogs, window);
    EXPECT_TRUE(app.InitInstance(""));
  }
  EXPECT_EQ(mutex.names, std::vector<std::string>{"TAVORENKA_Chimeday"});
  EXPECT_EQ(window.created, 1);
  EXPECT_TRUE(alerts.boxes.empty());
  EXPECT_EQ(mutex.releases, 1);
}

TEST_F(SchedulerAppTest, ASecondResidentStartWarnsAndEnds) {
  mutex.result = NamedMutex::Result::kAlreadyExists;
  {
    CSchedulerApp app(mutex, alerts, busyDialogs, window);
    EXPECT_FALSE(app.InitInstance(""));
  }
  ASSERT_EQ(alerts.boxes.size(), 1u);
  EXPECT_EQ(alerts.boxes[0].text, "二重起動はできません");
  EXPECT_EQ(alerts.boxes[0].caption, "鳴刻エラー");
  EXPECT_EQ(window.created, 0);
  EXPECT_EQ(mutex.releases, 0) << "the other copy's mutex is not ours to release";
}

TEST_F(SchedulerAppTest, WithoutAMutexOrAWindow) {
  mutex.result = NamedMutex::Result::kFailed;
  CSchedulerApp app(mutex, alerts, busyDialogs, window);
  EXPECT_TRUE(app.InitInstance("")) << "no guard, but the program runs";
  EXPECT_TRUE(alerts.boxes.empty());

  // The frame that refused its creation has said why already.
  window.creation = MainWindowHost::Creation::kRefused;
  CSchedulerApp refused(mutex, alerts, busyDialogs, window);
  EXPECT_FALSE(refused.InitInstance(""));
  EXPECT_TRUE(alerts.boxes.empty());

  window.creation = MainWindowHost::Creation::kFailed;
  CSchedulerApp failed(mutex, alerts, busyDialogs, window);
  EXPECT_FALSE(failed.InitInstance("")) << "nothing to reach without a window";
  ASSERT_EQ(alerts.boxes.size(), 1u);
  EXPECT_EQ(alerts.boxes[0].text, "ウィンドウの作成に失敗しました");
  EXPECT_EQ(alerts.boxes[0].caption, "鳴刻エラー");
}

TEST_F(SchedulerAppTest, TheVersionBoxIsBusyAndInFrontWhileOpen) {
  CSchedulerApp app(mutex, alerts, busyDialogs, window);
  bool busyMeanwhile = false;
  WindowHandle front = nullptr;
  dialogs.whileOpen = [&](int, DialogHandler&, FakeDialog&) {
    busyMeanwhile = busy.IsBusy();
    front = busy.FrontDialog();
  };
  EXPECT_TRUE(app.OnCommand(ID_APP_ABOUT));
  ASSERT_EQ(dialogs.runs.size(), 1u);
  EXPECT_EQ(dialogs.runs[0].templateId, IDD_ABOUTBOX);
  EXPECT_TRUE(busyMeanwhile);
  EXPECT_EQ(front, dialogs.dialogs[0].Handle());
  ASSERT_EQ(dialogs.dialogs[0].placements.size(), 1u);
  const FakeDialog::Placement& centred = dialogs.dialogs[0].placements[0];
  EXPECT_EQ((std::vector<int>{centred.x, centred.y, centred.width, centred.height}),
            (std::vector<int>{362, 334, 300, 100}));
  EXPECT_FALSE(busy.IsBusy());
  EXPECT_EQ(busy.FrontDialog(), nullptr);
}

TEST_F(SchedulerAppTest, ExitClosesTheMainWindowAndOtherCommandsPass) {
  CSchedulerApp app(mutex, alerts, busyDialogs, window);
  EXPECT_TRUE(app.OnCommand(ID_APP_EXIT));
  EXPECT_EQ(window.closed, 1);
  EXPECT_FALSE(app.OnCommand(ID_SETTINGS));
  EXPECT_FALSE(app.OnCommand(12345));
}

}  // namespace
