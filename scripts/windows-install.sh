#!/usr/bin/env bash
# Installs the Windows packages under Wine, each into a fresh prefix, and checks what they leave:
# the NSIS installer for the current user (installed twice: the second keeps the settings) and
# with /AllUsers, the MSI per user and with ALLUSERS=1; each runs its programs and uninstalls,
# leaving nothing. Then the zip runs from a folder of its own, as from a USB stick.
# Arguments: the installer, the MSI, the zip and the folder of files the MSI was made from.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/wine.sh"

installer="$1" msi="$2" zip="$3" msi_files="$4"
work="$(mktemp -d)"
trap 'end_prefix; rm -rf "$work"' EXIT
app=ZR415Config
settings='HKCU\Software\VB and VBA Program Settings\ZR415Config\FormSize'

# The folder, the registration and the Start menu entry of an install for `scope` (HKCU or HKLM).
check_install() {
    local what="$1" scope="$2" dir="$3" menu="$4"
    local missing=""
    for file in zr415config.exe zr415-convert.exe Qt6Core.dll Qt6Widgets.dll Qt6Sql.dll \
        Qt6PrintSupport.dll libstdc++-6.dll libwinpthread-1.dll platforms/qwindows.dll \
        sqldrivers/qsqlodbc.dll; do
        [ -f "$dir/bin/$file" ] || missing+=" $file"
    done
    if [ -z "$missing" ]; then pass "$what: installed in ${dir#$(drive_c)/}"; else fail "$what: not installed:$missing"; fi
    local dip command
    dip="$(key_text "$scope\\Software\\Classes\\.dip")"
    command="$(key_text "$scope\\Software\\Classes\\ZR415Config.ChannelFile\\shell\\open\\command")"
    if grep -q 'ZR415Config.ChannelFile' <<<"$dip" && grep -q 'bin\\zr415config.exe" "%1"' <<<"$command"; then
        pass "$what: .dip files open with the editor ($scope)"
    else
        fail "$what: .dip is not registered under $scope: $dip $command"
    fi
    check "$what: Start menu entry in ${menu#$(drive_c)/}" test -f "$menu/$app.lnk"
    local other
    [ "$scope" = HKCU ] && other=HKLM || other=HKCU
    check "$what: nothing registered under $other" bash -c "! wine reg query '$other\\Software\\Classes\\.dip' >/dev/null 2>&1"
}

# The MSI's recompressed cabinet unpacks to the very files the MSI was made from.
check_same_files() {
    local what="$1" dir="$2" differ=""
    while read -r file; do
        cmp -s "$file" "$dir/${file#"$msi_files"/}" || differ+=" ${file##*/}"
    done < <(find "$msi_files" -type f)
    if [ -z "$differ" ]; then pass "$what: every file as packed"; else fail "$what: differ from what was packed:$differ"; fi
}

# Runs the installed converter on paths as a user types them: a list to a channel file and back.
check_convert() {
    local what="$1" exe="$2"
    mkdir -p "$(drive_c)/sites"
    printf 'AA01,K101,Back\r\nAA02,Weiche 12,\r\n' >"$(drive_c)/sites/north.csv"
    printf 'AA01,K101,Back\r\nAA02,Weiche 12,Front\r\nAA03,Spare AA03,Front\r\n' >"$work/back.csv"
    local dip="$(drive_c)/sites/NORTH.DIP"
    if wine "$exe" 'C:\sites\north.csv' 'C:\sites\NORTH.DIP' 2>"$work/convert.txt" &&
        [ "$(stat -c %s "$dip")" = 15376 ] &&
        wine "$exe" 'C:\sites\NORTH.DIP' 'C:\sites\back.csv' 2>>"$work/convert.txt" &&
        cmp -s -n "$(stat -c %s "$work/back.csv")" "$work/back.csv" "$(drive_c)/sites/back.csv"; then
        pass "$what: zr415-convert turns north.csv into NORTH.DIP (384 channels) and back"
    else
        fail "$what: zr415-convert: $(head -n 5 "$work/convert.txt")"
    fi
    rm -rf "$(drive_c)/sites"
}

echo "== NSIS installer, for the current user"
new_prefix "$work/user"
wine "$(winepath -w "$installer")" /S
settle_prefix
dir="$(per_user_programs)/$app"
check_install "per user" HKCU "$dir" "$(user_start_menu)"
check "per user: nothing in Program Files" test ! -e "$(drive_c)/Program Files/$app"
check_convert "per user" "C:\\users\\$(id -un)\\AppData\\Local\\Programs\\$app\\bin\\zr415-convert.exe"
# A record PDF needs the installed fonts and platform plugins: a PDF whose text is there.
mkdir -p "$(drive_c)/sites"
printf 'AA01,K101,Back\r\n' >"$(drive_c)/sites/north.csv"
if wine "$dir/bin/zr415-convert.exe" 'C:\sites\north.csv' 'C:\sites\record.pdf' 2>/dev/null &&
    grep -q 'K101' <<<"$(pdftotext "$(drive_c)/sites/record.pdf" - 2>/dev/null)"; then
    pass "per user: a site record PDF that names K101"
else
    fail "per user: no site record PDF"
fi
check_editor_starts "$dir/bin/zr415config.exe" 'C:\sites\north.csv' "$dir/bin"
rm -rf "$(drive_c)/sites"
echo "== the same installer again, over it"
wine reg add "$settings" /v height /d 7777 /f >/dev/null 2>&1
wine "$(winepath -w "$installer")" /S
settle_prefix
check_install "installed again" HKCU "$dir" "$(user_start_menu)"
check "installed again: the settings kept" grep -q 7777 <<<"$(key_text "$settings")"
uninstall="$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZR415Config' \
    /v QuietUninstallString 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')"
check "per user: Apps and Features can uninstall it ($uninstall)" test -n "$uninstall"
eval "wine $(sed 's/\\/\\\\/g' <<<"$uninstall")"
check_nothing_left "per user, uninstalled,"
check "per user: the settings stay after uninstalling" grep -q 7777 <<<"$(key_text "$settings")"
end_prefix

echo "== NSIS installer, /AllUsers"
new_prefix "$work/all"
wine "$(winepath -w "$installer")" /S /AllUsers
settle_prefix
dir="$(drive_c)/Program Files/$app"
check_install "all users" HKLM "$dir" "$(common_start_menu)"
check_convert "all users" "C:\\Program Files\\$app\\bin\\zr415-convert.exe"
uninstall="$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZR415Config' \
    /v QuietUninstallString 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')"
check "all users: Apps and Features can uninstall it ($uninstall)" test -n "$uninstall"
eval "wine $(sed 's/\\/\\\\/g' <<<"$uninstall")"
check_nothing_left "all users, uninstalled,"
end_prefix

for scope in user machine; do
    echo "== MSI, per $scope"
    new_prefix "$work/msi-$scope"
    properties=()
    [ "$scope" = machine ] && properties=(ALLUSERS=1)
    if wine msiexec /i "$(winepath -w "$msi")" /qn "${properties[@]}"; then
        settle_prefix
        if [ "$scope" = user ]; then
            check_install "MSI per user" HKCU "$(per_user_programs)/$app" "$(user_start_menu)"
            check_same_files "MSI per user" "$(per_user_programs)/$app"
            check_convert "MSI per user" "C:\\users\\$(id -un)\\AppData\\Local\\Programs\\$app\\bin\\zr415-convert.exe"
        else
            # Wine's msi puts ProgramMenuFolder in the user's profile whatever ALLUSERS says.
            check_install "MSI per machine" HKLM "$(drive_c)/Program Files/$app" "$(user_start_menu)"
            check_convert "MSI per machine" "C:\\Program Files\\$app\\bin\\zr415-convert.exe"
        fi
    else
        fail "msiexec /i $(basename "$msi") ${properties[*]} failed"
    fi
    # Windows finds a machine install on its own; Wine's msiexec has to be told.
    wine msiexec /x "$(winepath -w "$msi")" /qn "${properties[@]}"
    check_nothing_left "MSI per $scope, uninstalled,"
    end_prefix
done

echo "== the zip, from a folder of its own"
new_prefix "$work/zip"
stick="$(drive_c)/USB stick"
mkdir -p "$stick"
unzip -q "$zip" -d "$stick"
bin="$stick/$(basename "$zip" .zip)/bin"
check_convert "zip" "C:\\USB stick\\$(basename "$zip" .zip)\\bin\\zr415-convert.exe"
mkdir -p "$(drive_c)/sites"
printf 'AA01,K101,Back\r\n' >"$(drive_c)/sites/north.csv"
check_editor_starts "$bin/zr415config.exe" 'C:\sites\north.csv' "$bin"
end_prefix

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) of the installed programs failed"
    exit 1
fi
