#pragma once

#include <cstring>
#include <functional>
#include <map>
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
#include "platform/tray_icon.h"

// An MCI device that records every command and answers from a script.
class FakeMci : public Mci {
 public:
  unsigned SendString(const char* command, char* reply, unsigned replySize, bool notify) override {
    sent.push_back(command);
    notified.push_back(notify);
    Record(events, "mci " + std::string(command));
    const std::string text = command;
    for (const auto& [start, error] : failures) {
      if (text.rfind(start, 0) == 0) return error;
    }
    if (reply != nullptr && replySize > 0) {
      std::string answer;
      for (const auto& [start, value] : replies) {
        if (text.rfind(start, 0) == 0) answer = value;
      }
      std::strncpy(reply, answer.c_str(), replySize - 1);
      reply[replySize - 1] = '\0';
    }
    return 0;
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
  std::map<std::string, unsigned> failures;    // by the command's beginning
  EventLog* events = nullptr;
};

class FakeDrives : public Drives {
 public:
  unsigned DriveType(const char* rootPath) override {
    asked.push_back(rootPath);
    auto found = types.find(rootPath);
    return found == types.end() ? 3 : found->second;
  }
  std::map<std::string, unsigned> types;
  std::vector<std::string> asked;
};

class FakeTray : public TrayIcon {
 public:
  struct Call {
    std::string what;  // "add", "modify", "delete"
    unsigned iconId;
    std::string tip;
  };
  void Add(unsigned iconId, const char* tip) override { Note({"add", iconId, tip}); }
  void Modify(unsigned iconId, const char* tip) override { Note({"modify", iconId, tip}); }
  void Delete() override { Note({"delete", 0, ""}); }
  std::vector<Call> calls;
  EventLog* events = nullptr;

 private:
  void Note(Call call) {
    Record(events, "tray " + call.what);
    calls.push_back(std::move(call));
  }
};

class FakeMenu : public PopupMenu {
 public:
  void TrackAtCursor(int popupIndex) override {
    tracked.push_back(popupIndex);
    if (whileOpen) whileOpen();
  }
  std::vector<int> tracked;
  std::function<void()> whileOpen;
};

class FakeForeground : public Foreground {
 public:
  void BringForward(void* window) override { brought.push_back(window); }
  std::vector<void*> brought;
};

class FakePower : public Power {
 public:
  void KeepSystemAwake() override { ++requests; }
  int requests = 0;
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
