#pragma once

#include <optional>
#include <string>

class MissedReservations;
class TrayIcon;
class WindowTimers;

// The frame's icon in the notification area. It keeps what it shows, so that the icon can be
// added again as it was; the idle icon tells of the missed reservations until they are cleared.
class Tray {
 public:
  // `retryTimer`: the frame's timer that adds the icon again while the shell refuses it.
  Tray(TrayIcon& icon, WindowTimers& timers, unsigned retryTimer, const MissedReservations& missed);

  // With the image and tip last shown: the idle ones at first. Where the shell refuses it, it
  // is added again at each tick of the retry timer, as it is then, until the shell takes it.
  void Add();
  // No retry brings it back, nor a balloon held for it.
  void Delete();
  void Show(unsigned iconId, const char* tip);
  void ShowIdle();
  // The image and tip shown now, given again so that the image is drawn again at the size the
  // notification area now has.
  void ShowAgain();
  // The idle icon's tip told anew: the snooze's, the timer's, or the missed reservations'; a
  // play's icon keeps its own.
  void RefreshIdleTip();
  // While not empty, the idle icon's tip, before that of the missed reservations.
  void SetSnoozeTip(const std::string& tip);
  // While not empty, the idle icon's tip after the snooze's, before the missed reservations'.
  void SetTimerTip(const std::string& tip);
  // While the shell refuses the icon, the balloon waits for it: a balloon of an icon that is
  // not there is lost, and at sign-in it is the news of what was missed overnight.
  void ShowBalloon(const char* title, const std::string& text);

 private:
  struct TrayIconState {
    unsigned iconId;
    char tip[64];
  };
  struct Balloon {
    const char* title;
    std::string text;
  };

  TrayIcon& m_icon;
  WindowTimers& m_timers;
  unsigned m_retryTimer;
  const MissedReservations& m_missed;
  TrayIconState m_nid;
  std::string m_snoozeTip;
  bool m_bAddPending = false;
  std::optional<Balloon> m_heldBalloon;
  std::string m_timerTip;
};
