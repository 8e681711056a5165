#!/usr/bin/env bash
# The release zip, unpacked into a folder whose name code page 932 cannot say whole: the
# program starts from there, keeps its profile there, starts itself there for a message, and
# puts its own path into the Run value.
#
# The 32-bit build is tested in the zip of `make dist` itself, as a user downloads it. No zip of
# the 64-bit build is shipped; its run packs one with the same scripts/dist, so that machines
# that run no 32-bit code still start the program from such a folder.
set -euo pipefail

# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup dist.any_folder

# Japanese, a Latin letter and a check mark; code page 932 has only the first.
readonly unpacked="$E2E_DIR/予約 Zoë ✓"
readonly program_folder="$unpacked/chimeday"
readonly ini="$program_folder/chimeday.ini"
readonly run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
readonly message_caption=鳴刻メッセージ
readonly about_caption=chimedayのﾊﾞｰｼﾞｮﾝ情報

version=$(<"$CHIMEDAY_SOURCE_DIR/VERSION")
if [ "$CHIMEDAY_WINE_ARCH" = win32 ]; then
  readonly dist="$CHIMEDAY_SOURCE_DIR/dist"
else
  readonly dist="$E2E_DIR/dist"
  "$CHIMEDAY_SOURCE_DIR/scripts/dist" "$CHIMEDAY_EXE" "$dist" >/dev/null ||
    e2e_fail "scripts/dist could not pack $CHIMEDAY_EXE"
fi
readonly zip="$dist/chimeday-$version-$CHIMEDAY_WINE_ARCH.zip"
[ -f "$zip" ] || e2e_fail "there is no $zip (make dist makes it)"
(cd "$dist" && sha256sum --quiet --check SHA256SUMS) || e2e_fail "SHA256SUMS does not fit"
e2e_assert_eq "chimeday/chimeday.exe chimeday/readme.txt chimeday/LICENSE.txt" \
  "$(python3 -c 'import sys, zipfile; print(*zipfile.ZipFile(sys.argv[1]).namelist())' "$zip")" \
  "the zip's entries"
python3 -m zipfile -e "$zip" "$unpacked" || e2e_fail "cannot unpack $zip"
cmp -s "$CHIMEDAY_EXE" "$program_folder/chimeday.exe" ||
  e2e_fail "the zip's chimeday.exe is not the build under test, $CHIMEDAY_EXE"

# The readme tells the user which window, button or message to look for, so every 「…」 it
# quotes must be one of the program's own texts, or one of the few names Windows shows.
python3 - "$program_folder/readme.txt" "$CHIMEDAY_SOURCE_DIR/resources" <<'CHECK' ||
import os
import re
import sys

WINDOWS_NAMES = """
Windows によって PC が保護されました
セキュリティの警告
詳細情報
実行
はい
いいえ
再試行
キャンセル
×
^
▲
PC
プロパティ
全般
詳細
セキュリティ
許可する
ブロックの解除
すべて展開
管理者として実行
読み取り専用
プログラムから開く
ファイル名を指定して実行
アプリ
プログラムと機能
タスク マネージャー
スタートアップ
スタートアップ アプリ
有効化
タスクバーの設定
その他のシステム トレイ アイコン
タスク バーのコーナーのオーバーフロー
通知領域
タスク バーに表示するアイコンを選択します
オン
カスタマイズ...
アイコンと通知を表示
ハードウェアとサウンド
電源オプション
プラン設定の変更
詳細な電源設定の変更
スリープ
スリープ解除タイマーの許可
バッテリ駆動
電源に接続
有効
無効
重要なスリープ解除タイマーのみ
ANSI
UTF-8
UTF-8 (BOM 付き)
UTF-16 LE
UTF-16 BE
Unicode
"""

readme_path, resources = sys.argv[1:]
with open(readme_path, "rb") as shipped:
    readme = shipped.read().decode("cp932").replace("\r\n", "\n")
literals = []
for name in ("chimeday.rc", "texts.h"):
    with open(os.path.join(resources, name), encoding="utf-8") as source:
        literals += re.findall(r'"((?:[^"\\]|\\.)*)"', source.read())
# A box's text is quoted whole or a line at a time; a file filter by its parts; a control by its
# name without its access key, "追加" for "追加(&A)".
known = set()
for literal in literals:
    known.add(literal.replace("\\n", ""))
    known.add(re.sub(r"\(&.\)|&", "", literal))
    known.update(re.split(r"\\n|\|", literal))
known.discard("")
windows = set(WINDOWS_NAMES.strip().split("\n"))

# A quote wrapped over two lines is read as one.
text = re.sub(r"\n *", "", readme)
quotes, opened = [], []
for index, char in enumerate(text):
    if char == "「":
        opened.append(index)
    elif char == "」" and opened:
        quotes.append(text[opened.pop() + 1:index])


def composed(quote):
    # The missed reservations' tip and the like: the program's pieces around numbers.
    if not re.search(r"[0-9]", quote):
        return False
    reached = {0}
    for start in range(len(quote)):
        if start not in reached:
            continue
        numbers = re.match(r"[0-9 ]+", quote[start:])
        if numbers:
            reached.add(start + numbers.end())
        reached.update(start + len(piece) for piece in known if quote.startswith(piece, start))
    return len(quote) in reached


wrong = sorted({q for q in quotes if q not in known and q not in windows and not composed(q)})
for quote in wrong:
    print(f"readme.txt quotes 「{quote}」, which neither the program nor Windows shows")
sys.exit(1 if wrong or not quotes else 0)
CHECK
  e2e_fail "readme.txt quotes a text that is not on the screen"

wine reg delete "$run_key" /v Chimeday /f >/dev/null 2>&1 || true
# A message reservation for the current minute fires at the first tick; a minute of the
# program's clock is left for getting there.
e2e_align_clock 0
e2e_probe clock || e2e_fail "no clock"
printf '[DATA0]\nMonth=%s\nDay=%s\nHour=%s\nMinute=%s\nAction=3\nErace=1\nMessage=%s\n' \
  "$(e2e_value month)" "$(e2e_value day)" "$(e2e_value hour)" "$(e2e_value minute)" \
  "どこからでも" | e2e_write_profile "$ini" 2 0
e2e_start_resident "$program_folder"

e2e_probe wait --title "$message_caption" --visible --timeout 20000 ||
  e2e_fail "no message window: the program did not start itself from its folder"
message=$(e2e_value hwnd)
e2e_probe text --hwnd "$message" --id "$IDC_MESSAGE_TEXT" || e2e_fail "no message text"
e2e_assert_eq どこからでも "$(e2e_value text)" "message shown"
e2e_press "$message" "$IDOK" "the message window"

e2e_probe command --hwnd "$E2E_FRAME" --id "$ID_SETTINGS" ||
  e2e_fail "cannot post the settings command"
e2e_probe wait --title 鳴刻設定 --visible --timeout 10000 || e2e_fail "no settings"
settings=$(e2e_value hwnd)
e2e_probe click --hwnd "$settings" --id "$IDC_AUTOSTART" || e2e_fail "cannot check autostart"
e2e_press "$settings" "$IDOK" "the settings dialog"
e2e_probe reg-value --path "$run_key" --name Chimeday || e2e_fail "cannot read the Run key"
e2e_assert_eq "1 $(e2e_windows_path "$program_folder/chimeday.exe")" \
  "$(e2e_value present) $(e2e_value data)" "the Run value"
wine reg delete "$run_key" /v Chimeday /f >/dev/null 2>&1 || true

e2e_probe command --hwnd "$E2E_FRAME" --id "$ID_APP_ABOUT" ||
  e2e_fail "cannot post the version command"
e2e_probe box --title "$about_caption" --pid "$E2E_FRAME_PID" --visible --timeout 5000 ||
  e2e_fail "no version box"
e2e_assert_eq "鳴刻 Version 1.00" "$(e2e_value text)" "version box text"
e2e_press "$(e2e_value hwnd)" "$IDOK" "the version box"

# Known to the profile only when the program closes.
e2e_probe command --hwnd "$E2E_FRAME" --id "$ID_QUICK_RESERVATION" ||
  e2e_fail "cannot post the quick reservation"
e2e_close_resident
e2e_assert_eq "13 あれから３分です！" \
  "$(e2e_ini_value "$ini" DATA0 Month) $(e2e_ini_value "$ini" DATA1 Message)" \
  "the profile beside the program after a close: DATA0 erased after firing, DATA1 quick"
# The quick reservation's file is the readme beside the program, named so that the shell
# finds it.
readme=$(e2e_ini_value "$ini" DATA1 FileName)
wine winepath -u "$readme" </dev/null >"$E2E_DIR/readme.path" 2>/dev/null
[ "$(<"$E2E_DIR/readme.path")" -ef "$program_folder/readme.txt" ] ||
  e2e_fail "the default FileName [$readme] does not name the readme beside the program"
e2e_finish dist.any_folder
