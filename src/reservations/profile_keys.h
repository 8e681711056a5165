// The profile's file names, sections and keys, spelt as the files on users' disks spell them.
// Fixed: every earlier version's profile is read by these names and users edit it by hand, so
// none may change, "Erace" included.
#pragma once

namespace profile_keys {

// Beside the executable: the profile, and the record of when the clock was last looked at.
inline constexpr wchar_t kProfileFile[] = L"chimeday.ini";
inline constexpr wchar_t kRunRecordFile[] = L"chimeday.lastcheck";

inline constexpr char kOptionSection[] = "OPTION";
inline constexpr char kArrayStock[] = "ArrayStock";
inline constexpr char kNoError[] = "NoError";
inline constexpr char kWakeUp[] = "WakeUp";
inline constexpr char kSnoozeMinutes[] = "SnoozeMinutes";

// A slot's section is this and the slot's index in decimal: "DATA0".
inline constexpr char kSlotSectionPrefix[] = "DATA";
inline constexpr char kMonth[] = "Month";
inline constexpr char kDay[] = "Day";
inline constexpr char kWeek[] = "Week";
inline constexpr char kHour[] = "Hour";
inline constexpr char kMinute[] = "Minute";
inline constexpr char kAction[] = "Action";
inline constexpr char kDrive[] = "Drive";
inline constexpr char kTrack[] = "Track";
inline constexpr char kTime[] = "Time";
inline constexpr char kErace[] = "Erace";
inline constexpr char kMessage[] = "Message";
inline constexpr char kFileName[] = "FileName";
inline constexpr char kCommand[] = "Command";
inline constexpr char kWeekdays[] = "Weekdays";
inline constexpr char kSkipHoliday[] = "SkipHoliday";
inline constexpr char kRepeatMinutes[] = "RepeatMinutes";
inline constexpr char kRepeatUntil[] = "RepeatUntil";

// The user's own days off: "Date1", "Date2", ... each "MM/DD" (every year) or "YYYY/MM/DD".
inline constexpr char kHolidaySection[] = "HOLIDAY";
inline constexpr char kDayOffKeyPrefix[] = "Date";

}  // namespace profile_keys
