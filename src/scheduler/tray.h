#pragma once

#include <string>

class MissedReservations;
class TrayIcon;

// The frame's icon in the notification area. It keeps what it shows, so that the icon can be
// added again as it was; the idle icon tells of the missed reservations until they are cleared.
class Tray {
 public:
  Tray(TrayIcon& icon, const MissedReservations& missed);

  // With the image and tip last shown: the idle ones at first.
  void Add();
  void Delete();
  void Show(unsigned iconId, const char* tip);
  void ShowIdle();
  // The idle icon takes the missed reservations' tip now; a play's icon keeps its own.
  void ShowMissed();
  void ShowBalloon(const char* title, const std::string& text);

 private:
  struct TrayIconState {
    unsigned iconId;
    char tip[64];
  };

  TrayIcon& m_icon;
  const MissedReservations& m_missed;
  TrayIconState m_nid;
};
