// Every text the logic shows, each named once. Sources are UTF-8 but narrow literals are
// compiled to code page 932, so these are the very bytes put on the screen and in the profile.
// The action failures stand in chimeday.rc's string table instead, as ReportError loads them by
// id, and the dialogs' own captions and labels in their templates there.
// Fixed, here and there: the readme quotes them, and users' scripts find the program's windows
// and boxes by their captions and words, so no text may change.
#pragma once

namespace texts {

// Boxes and the tray icon.
inline constexpr char kErrorCaption[] = "鳴刻エラー";
inline constexpr char kTrayTip[] = "鳴刻";
inline constexpr char kCdPlayingTip[] = "CD再生中です クリックで停止します";
inline constexpr char kSoundPlayingTip[] = "サウンド再生中です クリックで停止します";

// Start-up and the profile; the profile's boxes add a line with its path.
inline constexpr char kAlreadyRunning[] = "二重起動はできません";
inline constexpr char kWindowCreationFailed[] = "ウィンドウの作成に失敗しました";
inline constexpr char kProfileUnreadable[] = "設定ファイルを読み込めませんでした。";
inline constexpr char kProfileUnsaved[] = "設定を保存できませんでした。";

// A new slot's message, and the quick reservation's.
inline constexpr char kDefaultMessage[] = "hello";
inline constexpr char kQuickReservationMessage[] = "あれから３分です！";

// The settings list: its columns, and the fragments its rows are made of.
inline constexpr char kColumnWhen[] = "発動時間";
inline constexpr char kColumnAction[] = "動作";
inline constexpr char kColumnDetail[] = "動作内容";
inline constexpr char kColumnErase[] = "削除";
inline constexpr char kEveryWeek[] = "毎週";
inline constexpr char kWeekdays[] = "日月火水木金土";  // two bytes a day, Sunday first
inline constexpr char kWeekdaySuffix[] = "曜日";
inline constexpr char kEveryMonth[] = "毎月";
inline constexpr char kEveryDay[] = "毎日";
inline constexpr char kMonthSuffix[] = "月";
inline constexpr char kDaySuffix[] = "日";
inline constexpr char kHourSuffix[] = "時";
inline constexpr char kMinuteFromSuffix[] = "分から";
// Several weekdays: the two sets with a name of their own, else the days joined.
inline constexpr char kMondayToFriday[] = "平日";
inline constexpr char kWeekend[] = "土日";
inline constexpr char kWeekdaySeparator[] = "・";
// A repeat within the day, after the duration: "、18時00分まで1時間ごと".
inline constexpr char kRepeatSeparator[] = "、";
inline constexpr char kMinuteUntilSuffix[] = "分まで";
inline constexpr char kRepeatEverySuffix[] = "ごと";
inline constexpr char kHoursSuffix[] = "時間";  // an interval of whole hours, "2時間"
inline constexpr char kSkipsHolidays[] = "（祝日除く）";
inline constexpr char kActionCd[] = "CD再生";
inline constexpr char kActionFile[] = "ファイル実行";
inline constexpr char kActionMessage[] = "メッセージ表示";
inline constexpr char kActionOff[] = "OFF";
inline constexpr char kCdDetail[] = "ドライブ トラック";  // between the drive letter and the track
inline constexpr char kCommandSeparator[] = " /";         // between the file and its verb
inline constexpr char kErased[] = "する";
inline constexpr char kKept[] = "しない";

// The durations by DurationIndex, as the settings list names them; the editor's list names
// index 0, no limit, kAnyDuration instead.
inline constexpr const char* kDurationNames[] = {"任意",   "1分間",  "2分間",  "3分間", "5分間",
                                                 "10分間", "15分間", "30分間", "1時間", "2時間",
                                                 "3時間",  "6時間",  "12時間", "24時間"};
inline constexpr char kAnyDuration[] = "任意の時間";

// The reservation editor's questions and its file dialog.
inline constexpr char kNotCdDriveQuestion[] =
    "現在選択されているドライブはCDドライブではありません。\n予約しますか？";
inline constexpr char kNotCdDriveCaption[] = "確認 - CDを再生";
inline constexpr char kDeleteQuestion[] = "この予約を削除しますか？";
inline constexpr char kDeleteCaption[] = "確認 - OFF";
inline constexpr char kRepeatEndsTooEarly[] = "繰り返しの終了時刻を開始時刻以降にしてください。";
inline constexpr char kBrowseFilter[] = "全てのファイル(*.*)|*.*||";
inline constexpr char kBrowseTitle[] = "実行ファイル参照";
// A dropped or chosen file whose name code page 932 cannot spell; a line with the path follows.
inline constexpr char kUnusableFileName[] = "このファイルの名前は使用できません。";

// Playing a sound file: the editor, the settings list, and the failures, which stand here and
// not in the string table because their boxes add a line with the file's path.
inline constexpr char kActionSound[] = "サウンド再生";
inline constexpr char kSoundBrowseFilter[] =
    "サウンド ファイル(*.wav;*.mp3;*.wma;*.mid)|*.wav;*.mp3;*.wma;*.mid|全てのファイル(*.*)|*.*||";
inline constexpr char kSoundBrowseTitle[] = "サウンドファイル参照";
inline constexpr char kSoundOpenFailed[] = "指定されたサウンドファイルを開けませんでした";
inline constexpr char kSoundPlayFailed[] = "サウンドファイルの再生に失敗しました";

// Waking the PC for reservations.
inline constexpr char kWakeUnavailable[] =
    "予約時刻にスリープから復帰するためのタイマーを設定できませんでした。\n"
    "電源オプションの「スリープ解除タイマーの許可」を有効にしてください。";

// The user's own days off: the list's rows, the year's first item and the refusals.
inline constexpr char kDaysOffCaption[] = "休日";
inline constexpr char kEveryYear[] = "毎年";
inline constexpr char kYearSuffix[] = "年";
inline constexpr char kNoSuchDay[] = "その日付はありません。";
inline constexpr char kDayOffListed[] = "その日はすでに休日の一覧にあります。";

// Missed reservations: the tray icon's balloon and tip.
inline constexpr char kMissedTitle[] = "実行しなかった予約があります";
inline constexpr char kMissedNoticeStart[] = "予約時刻に実行できなかったため、";
inline constexpr char kMissedCount[] = "件";
// After the count when more were missed than were counted (a month and more closed or asleep).
inline constexpr char kMissedAtLeast[] = "以上";
inline constexpr char kMissedNoticeRest[] = "の予約を実行しませんでした。\n最初の予約時刻: ";
inline constexpr char kMinuteSuffix[] = "分";
// The tip stays within 63 bytes: "鳴刻 実行しなかった予約 12345件以上 12月31日 23時59分から".
inline constexpr char kMissedTip[] = "実行しなかった予約 ";

// Snooze: the tray menu's items, "スヌーズ（5分後にもう一度）(&Z)", and the tip while it waits,
// "鳴刻 スヌーズ 07時35分"; the settings' choices are the minutes and kMinuteSuffix.
inline constexpr char kSnoozeItemStart[] = "スヌーズ（";
inline constexpr char kSnoozeItemRest[] = "分後にもう一度）(&Z)";
inline constexpr char kCancelSnoozeItem[] = "スヌーズを取り消す(&Z)";
inline constexpr char kSnoozeTip[] = "鳴刻 スヌーズ ";

// The timer from the icon's menu: its message, its refusal, and the icon's tip until it goes off,
// "鳴刻 タイマー 09時05分".
inline constexpr char kTimerMessage[] = "タイマーの時間です";
inline constexpr char kTimerCaption[] = "タイマー";
inline constexpr char kTimerMinutesInvalid[] =
    "時間は1から1440までの分数を半角数字で入力してください。";
inline constexpr char kTimerTip[] = "タイマー ";

}  // namespace texts
