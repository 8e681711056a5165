#pragma once

// The frame's one icon in the notification area. Icons are resource ids; tips are code page
// 932, at most 63 bytes.
class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  // False when the shell did not take the icon.
  virtual bool Add(unsigned iconId, const char* tip) = 0;
  virtual void Modify(unsigned iconId, const char* tip) = 0;
  virtual void Delete() = 0;
  // A balloon from the icon; its image and tip stay as they are.
  virtual void ShowBalloon(const char* title, const char* text) = 0;
};
