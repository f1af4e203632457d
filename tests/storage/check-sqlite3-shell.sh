#!/usr/bin/env bash
# The stores' files must open in the stock sqlite3 shell: the Windows program (under Wine) writes one file of each
# store into a fresh folder, and the Linux shell checks them and reads their rows back.
set -euo pipefail
runner=$1 writer=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
(cd "$dir" && "$runner" "$writer")

failed=0
check() {  # file, SQL, expected output
    local actual
    actual=$(sqlite3 "$dir/$1" "$2" 2>&1) || true
    if [ "$actual" != "$3" ]; then
        printf '%s: %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3" "$actual"
        failed=1
    fi
}

for file in MyLoginClient.db MyContact.db CDR20240305.db SysLog20240305.db MyFtp.db; do
    check "$file" "pragma integrity_check" "ok"
    check "$file" "pragma encoding" "UTF-16le"
done
check MyLoginClient.db "select UserName, UserPsw, bPlayer, bChart, length(AutoCode) from AccountTable" \
    "O'Neil|张三|1|0|17"
check MyContact.db "select UserName, OtherTel3 from PhoneBook" "O'Neil 张三|5550123"
check MyContact.db "select Number from Blacklist" "5550166"
check CDR20240305.db "select DateTime, printf('%.6f', DoubleDate), ChannelName, FilePath, RecTime from Rec_Table" \
    "2024-03-05 17:59:59|45356.749988|Line 1|C:\\rec\\it's.wav|65"
check SysLog20240305.db "select printf('%.6f', SysLog_Date), SysLog_Name, SysLog_Cmd, SysLog_Notes from SysLog_Table" \
    "45356.749988|tovak|0|started 'today'"
check MyFtp.db "select RecFilePath, printf('%.6f', stStartRec), length(RecordID) from FtpTable" \
    "C:\\rec\\it's.wav|45356.749988|17"
exit $failed
