#include "settings/timer_dlg.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_dialog.h"
#include "resource.h"
#include "settings/timer_dialog_prompt.h"

namespace {

class TimerDlgTest : public ::testing::Test {
 protected:
  TimerDlgTest() {
    controls.handler = &dialog;
    dialog.Attach(controls);
    EXPECT_TRUE(dialog.OnInitDialog()) << "the first field, the minutes, takes the focus";
  }

  FakeDialog controls;
  CTimerDlg dialog{25, "タイマーの時間です"};
};

TEST_F(TimerDlgTest, OpensOnTheMinutesAndTheMessageCenteredOnTheScreen) {
  EXPECT_EQ(controls.texts[IDC_TIMER_MINUTES], "25");
  EXPECT_EQ(controls.texts[IDC_TIMER_MESSAGE], "タイマーの時間です");
  EXPECT_EQ(controls.limits[IDC_TIMER_MINUTES], 4);
  EXPECT_EQ(controls.limits[IDC_TIMER_MESSAGE], 60) << "as the editor's message";
  ASSERT_EQ(controls.placements.size(), 1u);
  EXPECT_EQ(controls.placements[0].x, (1024 - 300) / 2);
  EXPECT_EQ(controls.placements[0].y, (768 - 100) / 2);
}

// Each row is typed into the minutes and OK pressed: a refusal leaves the dialog open with the
// minutes focused and selected, to be typed again.
TEST_F(TimerDlgTest, OkTakesOnlyWholeMinutesFromOneToADay) {
  const struct {
    const char* typed;
    int minutes;  // 0: refused
  } rows[] = {
      {"", 0},   {"0", 0},   {"00", 0},      {"1441", 0}, {"9999", 0}, {"25000000000", 0},
      {"-5", 0}, {" 5", 0},  {"5 ", 0},      {"1.5", 0},  {"1e3", 0},  {"１２", 0},
      {"1", 1},  {"007", 7}, {"1440", 1440},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string("typed [") + row.typed + "]");
    controls.warnings.clear();
    controls.results.clear();
    controls.focused = 0;
    controls.texts[IDC_TIMER_MINUTES] = row.typed;
    dialog.OnOK();
    if (row.minutes == 0) {
      EXPECT_TRUE(controls.results.empty()) << "the dialog stays open";
      ASSERT_EQ(controls.warnings.size(), 1u);
      EXPECT_EQ(controls.warnings[0].text,
                "時間は1から1440までの分数を半角数字で入力してください。");
      EXPECT_EQ(controls.warnings[0].caption, "タイマー");
      EXPECT_EQ(controls.focused, IDC_TIMER_MINUTES);
    } else {
      EXPECT_TRUE(controls.warnings.empty());
      EXPECT_EQ(controls.results, std::vector<DialogResult>{DialogResult::kOk});
      EXPECT_EQ(dialog.Minutes(), row.minutes);
    }
  }
}

// The dialog opens on the minutes of the last timer set, 25 the first time; a cancelled one
// changes nothing. The message starts from its default each time.
TEST(TimerDialogPromptTest, RemembersTheMinutesOfTheLastTimerSet) {
  FakeDialogHost host;
  TimerDialogPrompt prompt(host);
  struct Answer {
    const char* minutes;
    const char* message;
    bool ok;
  };
  Answer answer{};
  std::vector<std::string> openedOn;  // the minutes and the message each run showed first
  host.whileOpen = [&](int, DialogHandler& handler, FakeDialog& controls) {
    openedOn.push_back(controls.texts[IDC_TIMER_MINUTES] + " " + controls.texts[IDC_TIMER_MESSAGE]);
    controls.texts[IDC_TIMER_MINUTES] = answer.minutes;
    controls.texts[IDC_TIMER_MESSAGE] = answer.message;
    if (answer.ok) {
      handler.OnOK();
    } else {
      handler.OnCancel();
    }
  };
  int minutes = 0;
  std::string message;

  answer = {"7", "お茶", true};
  ASSERT_TRUE(prompt.Ask(minutes, message));
  EXPECT_EQ(minutes, 7);
  EXPECT_EQ(message, "お茶");
  answer = {"9", "会議", false};
  EXPECT_FALSE(prompt.Ask(minutes, message));
  answer = {"12", "タイマーの時間です", true};
  ASSERT_TRUE(prompt.Ask(minutes, message));
  EXPECT_EQ(minutes, 12);

  ASSERT_EQ(host.runs.size(), 3u);
  EXPECT_EQ(host.runs[0].templateId, IDD_TIMER);
  EXPECT_FALSE(host.runs[0].owned) << "owned by the hidden frame";
  EXPECT_EQ(openedOn, (std::vector<std::string>{"25 タイマーの時間です", "7 タイマーの時間です",
                                                "7 タイマーの時間です"}));
}

}  // namespace
