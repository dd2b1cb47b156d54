#!/usr/bin/env bash
# The installer as an administrator and a user meet it. Without Wine: the
# tables of the installer (msitools). Under Wine and Xvfb: a silent install
# into the test prefix puts both programs into Program Files\Wexmora, the
# shortcut "Wexmora" into the Start menu and an entry under Settings -> Apps;
# the installed program and its shortcut open the window; a newer version
# installed over it leaves one entry and only its own files; a silent
# uninstall leaves no file, folder, shortcut or entry, and the user's
# settings under HKCU\SOFTWARE\Wex_mora as they were.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="${WEXMORA_SOURCE_DIR:?}"
build="${WEXMORA_BINARY_DIR:?}"
caption="WEXMORA v.1.5   - https://wexmora.example"
for tool in wixl msiinfo msidump; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (make test-windows installs it)"; exit 77; }
done
# Wine would copy the Start-menu shortcut into this machine's own menus.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
source "$here/wine_display.sh"
passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL $*"; }
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then pass; else fail "$1: '$3', not '$2'"; fi
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
IFS=. read -r major minor patch <<<"$version"
newer="$major.$minor.$((${patch:-0} + 1))"
"$root/tools/windows/package.sh" --msi-only --output "$scratch/old" "$build" >/dev/null &&
  "$root/tools/windows/package.sh" --msi-only --version "$newer" --output "$scratch/new" "$build" >/dev/null ||
  { echo "FAIL the installers were not built"; exit 1; }
old_msi="$scratch/old/wexmora-$version-x64.msi"
new_msi="$scratch/new/wexmora-$newer-x64.msi"

# --- the tables, without Wine ----------------------------------------------
table() {  # table MSI NAME: the rows of a table, tab-separated, without the header
  msiinfo export "$1" "$2" | tr -d '\r' | tail -n +4
}
property() { table "$1" Property | awk -F'\t' -v n="$2" '$1 == n { print $2 }'; }
check "product name" "Wexmora" "$(property "$old_msi" ProductName)"
check "product version" "$version" "$(property "$old_msi" ProductVersion)"
check "newer product version" "$newer" "$(property "$new_msi" ProductVersion)"
check "manufacturer" "The Wexmora developers" "$(property "$old_msi" Manufacturer)"
check "product icon" "wexmora.ico" "$(property "$old_msi" ARPPRODUCTICON)"
check "per-machine" "1" "$(property "$old_msi" ALLUSERS)"
check "one upgrade code" "$(property "$old_msi" UpgradeCode)" "$(property "$new_msi" UpgradeCode)"
[ "$(property "$old_msi" ProductCode)" != "$(property "$new_msi" ProductCode)" ] && pass ||
  fail "both versions have the product code $(property "$old_msi" ProductCode)"
msiinfo suminfo "$old_msi" | tr -d '\r' | grep -q '^Template: x64;1033' && pass || fail "the installer is not for x64"
check "files" "wexmora-info.exe wexmora.exe" "$(table "$old_msi" File | cut -f3 | sed 's/.*|//' | sort | xargs)"
# The sizes Windows adds up for Settings -> Apps.
check "file sizes" "$(stat -c %s "$build/app/wexmora.exe") $(stat -c %s "$build/app/wexmora-info.exe")" \
  "$(table "$old_msi" File | LC_ALL=C sort -t "$(printf "\t")" -k3,3 -r | cut -f4 | xargs)"
check "shortcut" "Wexmora [INSTALLDIR]wexmora.exe" \
  "$(table "$old_msi" Shortcut | awk -F'\t' '{ n = $3; sub(/.*\|/, "", n); print n, $5 }')"
check "shortcut folder" "ProgramMenuFolder" "$(table "$old_msi" Shortcut | cut -f2)"
check "install folder" "Wexmora" "$(table "$old_msi" Directory | awk -F'\t' '$1 == "INSTALLDIR" { sub(/.*\|/, "", $3); print $3 }')"
check "under Program Files" "ProgramFiles64Folder" \
  "$(table "$old_msi" Directory | awk -F'\t' '$1 == "INSTALLDIR" { print $2 }')"
table "$old_msi" Upgrade | grep -q "$(property "$old_msi" UpgradeCode)" && pass || fail "no upgrade of older versions"
table "$old_msi" Registry | grep -qi 'Wex_mora' && fail "the installer touches the user's settings" || pass
mkdir -p "$scratch/dump"
msidump -t -s -d "$scratch/dump" "$old_msi" >/dev/null 2>&1 && [ -s "$scratch/dump/File.idt" ] && pass ||
  fail "msidump cannot read the installer"
# The icon of the shortcut and of Settings -> Apps is the program's.
icon="$root/resources/icons/wexmora.ico"
[ -f "$icon" ] || icon="$build/generated/windows/wexmora-standin.ico"
cmp -s "$scratch/dump/_Streams/Icon.wexmora.ico" "$icon" && pass || fail "the installer's icon is not the program icon"

# --- under Wine -------------------------------------------------------------
if [ ${#run[@]} -eq 0 ]; then
  echo "$passed passed, $failed failed (the installation itself runs under Wine only)"
  [ "$failed" -eq 0 ]
  exit
fi
program_files="$prefix/drive_c/Program Files/Wexmora"
# The Start menu of all users, where Windows puts a per-machine shortcut;
# Wine's installer service puts it into the user's.
start_menus=("$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
  "$prefix"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs)
shortcuts() { for menu in "${start_menus[@]}"; do [ -f "$menu/Wexmora.lnk" ] && echo "$menu/Wexmora.lnk"; done; }
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
msiexec() { wine_ msiexec "$1" "$(wine_ winepath -w "$2" 2>/dev/null | tr -d '\r')" /qn </dev/null >/dev/null 2>&1; }
# entries: the uninstall keys whose DisplayName is Wexmora
entries() {
  wine_ reg query "$uninstall" /s 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ { key = $0 } $1 == "DisplayName" && $3 == "Wexmora" { print key }'
}
entry_value() {  # entry_value KEY NAME
  wine_ reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v n="$2" '{ sub(/^ +/, "") } $1 == n { sub(/^[^ ]+ +[^ ]+ +/, ""); print }'
}
installed_files() { (cd "$program_files" 2>/dev/null && find . -type f | sed 's|^\./||' | sort | xargs); }
window_opens() {  # window_opens WHAT COMMAND...: the command opens the window, which then closes
  "${@:2}" >/dev/null 2>&1 &
  local pid=$!
  pids+=($pid)
  if wine_ "$window_probe" client "$caption" >/dev/null; then pass; else fail "$1: no window"; fi
  wine_ "$window_probe" close "$caption" >/dev/null
  wine_ "$window_probe" gone "$caption" || fail "$1: the window did not close"
  wait "$pid" 2>/dev/null
}
window_probe="$build/tests/window_probe.exe"

# Clean start: no earlier installation, settings the user already has.
for key in $(entries); do wine_ reg delete "$key" /f >/dev/null 2>&1; done
rm -rf "$program_files"
for menu in "${start_menus[@]}"; do rm -f "$menu/Wexmora.lnk"; done
wine_ reg add 'HKCU\SOFTWARE\Wex_mora' /v Languages /d 1 /f >/dev/null

msiexec /i "$old_msi" && pass || fail "the silent install failed"
check "installed files" "wexmora-info.exe wexmora.exe" "$(installed_files)"
cmp -s "$program_files/wexmora.exe" "$build/app/wexmora.exe" && pass || fail "wexmora.exe is not the built program"
mapfile -t found < <(shortcuts)
check "Start-menu shortcuts" 1 "${#found[@]}"
shortcut="${found[0]:-none}"
echo "The shortcut: ${shortcut#"$prefix/"}"
mapfile -t keys < <(entries)
check "uninstall entries" 1 "${#keys[@]}"
key="${keys[0]:-none}"
echo "The uninstall entry after the install:"
wine_ reg query "$key" 2>/dev/null | tr -d '\r'
check "DisplayVersion" "$version" "$(entry_value "$key" DisplayVersion)"
check "Publisher" "The Wexmora developers" "$(entry_value "$key" Publisher)"
check "InstallLocation" 'C:\Program Files\Wexmora\' "$(entry_value "$key" InstallLocation)"
# DisplayIcon: the program itself, or the installer's copy of the icon.
display_icon=$(entry_value "$key" DisplayIcon)
case "$display_icon" in
  'C:\Program Files\Wexmora\wexmora.exe,0' | *'\wexmora.ico') pass ;;
  *) fail "DisplayIcon is '$display_icon'" ;;
esac
entry_value "$key" UninstallString | grep -qi 'msiexec' && pass ||
  fail "UninstallString is '$(entry_value "$key" UninstallString)'"
window_opens "the installed program" "${run[@]}" 'C:\Program Files\Wexmora\wexmora.exe'
window_opens "the Start-menu shortcut" timeout 60 "${run[@]}" start /unix "$shortcut"
info=$(wine_ 'C:\Program Files\Wexmora\wexmora-info.exe' --help 2>&1 | tr -d '\r')
grep -q 'wexmora-info' <<<"$info" && pass || fail "the installed wexmora-info does not answer: $info"

# A newer version over it: one entry, the new version's files only.
msiexec /i "$new_msi" && pass || fail "the silent upgrade failed"
mapfile -t keys < <(entries)
check "uninstall entries after the upgrade" 1 "${#keys[@]}"
check "DisplayVersion after the upgrade" "$newer" "$(entry_value "${keys[0]:-none}" DisplayVersion)"
[ "${keys[0]:-}" != "$key" ] && pass || fail "the old version's entry is still there"
check "files after the upgrade" "$(table "$new_msi" File | cut -f3 | sed 's/.*|//' | sort | xargs)" "$(installed_files)"
check "shortcut after the upgrade" "$shortcut" "$(shortcuts)"

# Removal: nothing of it left, the user's settings kept.
msiexec /x "$new_msi" && pass || fail "the silent uninstall failed"
[ ! -e "$program_files" ] && pass || fail "left behind: $(find "$program_files" | xargs)"
check "shortcuts after removal" "" "$(shortcuts)"
check "uninstall entries after removal" 0 "$(entries | grep -c .)"
check "the user's language" 1 "$(entry_value 'HKCU\SOFTWARE\Wex_mora' Languages)"
check "the first-run value" "FreeWare" "$(entry_value 'HKCU\SOFTWARE\Wex_mora' License)"
wine_ reg query 'HKLM\SOFTWARE\Wexmora' >/dev/null 2>&1 && fail "HKLM\\SOFTWARE\\Wexmora is left" || pass

wine_ reg delete 'HKCU\SOFTWARE\Wex_mora' /f >/dev/null 2>&1
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
