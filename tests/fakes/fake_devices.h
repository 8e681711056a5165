#pragma once

#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fakes/event_log.h"
#include "platform/drives.h"
#include "platform/foreground.h"
#include "platform/mci.h"
#include "platform/popup_menu.h"
#include "platform/power.h"
#include "platform/run_key.h"
#include "platform/run_record.h"
#include "platform/tray_icon.h"
#include "platform/wake_timer.h"

// An MCI device that records every command and answers from a script. Each open gives the
// device a new id, as a device opened again may have one.
class FakeMci : public Mci {
 public:
  bool SendString(const char* command, char* reply, unsigned replySize, bool notify) override {
    sent.push_back(command);
    notified.push_back(notify);
    Record(events, "mci " + std::string(command));
    const std::string text = command;
    for (const std::string& start : failures) {
      if (text.rfind(start, 0) == 0) return false;
    }
    if (text.rfind("open ", 0) == 0) ids[OpenedName(text)] = ++lastId;
    if (reply != nullptr && replySize > 0) {
      std::string answer;
      for (const auto& [start, value] : replies) {
        if (text.rfind(start, 0) == 0) answer = value;
      }
      std::strncpy(reply, answer.c_str(), replySize - 1);
      reply[replySize - 1] = '\0';
    }
    return true;
  }
  unsigned DeviceId(const char* name) override {
    const auto id = ids.find(name);
    return id == ids.end() ? 0 : id->second;
  }
  // A disc of the given tracks, each a minute long from its position.
  void Disc(char letter, int tracks) {
    const std::string drive(1, letter);
    replies["status " + drive + ": number of tracks"] = std::to_string(tracks);
    replies["status " + drive + ": position track"] = "150000";
    replies["status " + drive + ": length track"] = "60000";
  }

  std::vector<std::string> sent;
  std::vector<bool> notified;
  std::map<std::string, std::string> replies;  // by the command's beginning
  std::set<std::string> failures;              // beginnings of the commands that fail
  std::map<std::string, unsigned> ids;         // by the name of each device opened, its last id
  EventLog* events = nullptr;

 private:
  // The alias of an open command, or else the word after "open".
  static std::string OpenedName(const std::string& open) {
    const std::size_t alias = open.find(" alias ");
    if (alias != std::string::npos) return open.substr(alias + 7);
    return open.substr(5, open.find(' ', 5) - 5);
  }
  unsigned lastId = 0;
};

class FakeDrives : public Drives {
 public:
  bool IsCdRom(char letter) override {
    asked.push_back(letter);
    return cdRoms.count(letter) != 0;
  }
  std::set<char> cdRoms;
  std::vector<char> asked;
};

class FakeTray : public TrayIcon {
 public:
  struct Call {
    std::string what;  // "add", "modify", "delete"
    unsigned iconId;
    std::string tip;
  };
  bool Add(unsigned iconId, const char* tip) override {
    Note({"add", iconId, tip});
    if (failedAdds == 0) return true;
    --failedAdds;
    return false;
  }
  void Modify(unsigned iconId, const char* tip) override { Note({"modify", iconId, tip}); }
  void Delete() override { Note({"delete", 0, ""}); }
  // Recorded with the title as its tip and the text behind it.
  void ShowBalloon(const char* title, const char* text) override {
    Note({"balloon", 0, std::string(title) + "|" + text});
  }
  std::vector<Call> calls;
  int failedAdds = 0;  // how many adds the shell refuses before it takes the icon
  EventLog* events = nullptr;

 private:
  void Note(Call call) {
    Record(events, "tray " + call.what);
    calls.push_back(std::move(call));
  }
};

class FakeMenu : public PopupMenu {
 public:
  void TrackAtCursor(Tray menu, const std::optional<Item>& first) override {
    tracked.push_back(menu);
    firstItems.push_back(first ? std::to_string(first->id) + " " + first->text : "");
    if (whileOpen) whileOpen();
  }
  std::vector<Tray> tracked;
  std::vector<std::string> firstItems;  // of each showing: "id text", "" for none
  std::function<void()> whileOpen;
};

class FakeForeground : public Foreground {
 public:
  void BringForward(WindowHandle window) override { brought.push_back(window); }
  std::vector<WindowHandle> brought;
};

class FakePower : public Power {
 public:
  void KeepSystemAwake(bool on) override { system.push_back(on); }
  void KeepDisplayOn(bool on) override { display.push_back(on); }
  std::vector<bool> system;   // each request, in order
  std::vector<bool> display;  // each request, in order
};

// A wake timer that records each call; `wakes` false stands for a system that will not wake.
class FakeWakeTimer : public WakeTimer {
 public:
  bool Set(long long dueSeconds) override {
    calls.push_back(dueSeconds);
    due = dueSeconds;
    return wakes;
  }
  void Cancel() override {
    calls.push_back(kCancelled);
    due = kCancelled;
  }

  static constexpr long long kCancelled = -1;
  std::vector<long long> calls;  // the due seconds of each Set, kCancelled for each Cancel
  long long due = kCancelled;    // as the last call left it
  bool wakes = true;
};

// The record of the run before; `left` is what the next start would find.
class FakeRunRecord : public RunRecord {
 public:
  std::optional<long long> Take() override {
    const std::optional<long long> taken = left;
    left.reset();
    return taken;
  }
  void Leave(long long lastCheck) override { left = lastCheck; }
  std::optional<long long> left;
};

// The two Run keys as maps of name to data; a hive in `unreadable` cannot be opened and one in
// `readOnly` cannot be written.
class FakeRunKey : public RunKey {
 public:
  bool ValueNames(Hive hive, std::vector<std::string>* names) override {
    if (unreadable.count(hive)) return false;
    names->clear();
    for (const auto& value : values[hive]) names->push_back(value.first);
    return true;
  }
  bool SetValue(Hive hive, const char* name, const char* data, int size) override {
    if (readOnly.count(hive)) return false;
    values[hive][name] = std::string(data, static_cast<std::size_t>(size));
    return true;
  }
  void DeleteValue(Hive hive, const char* name) override {
    if (!readOnly.count(hive)) values[hive].erase(name);
  }

  std::map<Hive, std::map<std::string, std::string>> values;
  std::set<Hive> unreadable;
  std::set<Hive> readOnly;
};
