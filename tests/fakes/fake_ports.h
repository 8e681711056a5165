#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fakes/event_log.h"
#include "platform/alerts.h"
#include "platform/executable_location.h"
#include "platform/profile_store.h"
#include "platform/shell.h"
#include "platform/string_table.h"
#include "platform/window_timers.h"

class FakeLocation : public ExecutableLocation {
 public:
  std::string DirectoryCp932() override { return directory; }
  std::string FullPathCp932() override { return directory + "chimeday.exe"; }
  std::string directory = "C:\\Tools\\";
};

class FakeTimers : public WindowTimers {
 public:
  void StartTimer(unsigned id, unsigned periodMs) override {
    running[id] = periodMs;
    Record(events, "timer start " + std::to_string(id));
  }
  void StopTimer(unsigned id) override {
    running.erase(id);
    stopped.push_back(id);
    Record(events, "timer stop " + std::to_string(id));
  }
  std::map<unsigned, unsigned> running;
  std::vector<unsigned> stopped;
  EventLog* events = nullptr;
};

class FakeShell : public Shell {
 public:
  struct Call {
    std::string verb;  // empty for ExecuteSelf
    std::string file;  // "<self>" for ExecuteSelf
    std::string parameters;
  };
  bool ExecuteFile(const char* verb, const char* file) override {
    calls.push_back({verb, file, ""});
    return starts;
  }
  bool ExecuteSelf(const char* parameters) override {
    calls.push_back({"", "<self>", parameters});
    return starts;
  }
  std::vector<Call> calls;
  bool starts = true;
};

class FakeAlerts : public Alerts {
 public:
  struct Box {
    std::string text;
    std::string caption;
    bool retryCancel;  // 再試行 and キャンセル rather than OK
  };
  void ShowWarning(const char* text, const char* caption) override {
    boxes.push_back({text, caption, false});
    if (whileOpen) whileOpen();
  }
  // Answers from `retries` in order; キャンセル once they run out.
  bool AskRetry(const char* text, const char* caption) override {
    boxes.push_back({text, caption, true});
    if (whileOpen) whileOpen();
    if (retries.empty()) return false;
    const bool retry = retries.front();
    retries.pop_front();
    return retry;
  }
  void Beep() override { ++beeps; }

  std::vector<Box> boxes;
  std::deque<bool> retries;
  int beeps = 0;
  // Plays what the message loop would dispatch while the box is open.
  std::function<void()> whileOpen;
};

class FakeStrings : public StringTable {
 public:
  std::string Load(unsigned id) override {
    auto found = texts.find(id);
    return found == texts.end() ? std::string() : found->second;
  }
  std::map<unsigned, std::string> texts;
};

class FakeProfileStore : public ProfileStore {
 public:
  ReadResult Read(std::string& bytes) override {
    ++reads;
    Record(events, "profile read");
    if (failedReads > 0) {
      --failedReads;
      return ReadResult::kFailed;
    }
    if (readResult == ReadResult::kOk) bytes = contents;
    return readResult;
  }
  bool Write(const std::string& bytes) override {
    ++writes;
    Record(events, "profile write");
    if (!writable) return false;
    contents = bytes;
    readResult = ReadResult::kOk;
    return true;
  }
  std::string Path() override { return "C:\\Tools\\chimeday.ini"; }
  std::string contents;
  ReadResult readResult = ReadResult::kMissing;
  int failedReads = 0;  // reads that fail first, as while another program holds the file
  bool writable = true;
  int reads = 0;
  int writes = 0;
  EventLog* events = nullptr;
};
