#include "scheduler/tray.h"

#include "platform/tray_icon.h"
#include "resource.h"
#include "scheduler/missed_reservations.h"
#include "text/cp932.h"
#include "texts.h"

Tray::Tray(TrayIcon& icon, const MissedReservations& missed)
    : m_icon(icon), m_missed(missed), m_nid{IDR_MAINFRAME, {}} {
  cp932::CopyToField(m_nid.tip, texts::kTrayTip);
}

void Tray::Add() { m_icon.Add(m_nid.iconId, m_nid.tip); }

void Tray::Delete() { m_icon.Delete(); }

void Tray::Show(unsigned iconId, const char* tip) {
  m_nid.iconId = iconId;
  // The idle icon tells of missed reservations until the next click; a playing CD's tip says
  // how to stop it, which matters more while it plays.
  const std::string missedTip = iconId == IDR_MAINFRAME && m_missed.Any() ? m_missed.Tip() : "";
  cp932::CopyToField(m_nid.tip, missedTip.empty() ? tip : missedTip.c_str());
  m_icon.Modify(m_nid.iconId, m_nid.tip);
}

void Tray::ShowIdle() { Show(IDR_MAINFRAME, texts::kTrayTip); }

void Tray::ShowMissed() {
  if (m_nid.iconId == IDR_MAINFRAME) ShowIdle();
}

void Tray::ShowBalloon(const char* title, const std::string& text) {
  m_icon.ShowBalloon(title, text.c_str());
}
