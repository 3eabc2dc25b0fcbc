#!/usr/bin/env bash
# End to end under Wine and Xvfb: lays out an installer folder, installs with AudioSetupApp.exe
# driven by xdotool, checks the result from outside, runs a second installer into another folder
# (refused), uninstalls and checks again, then runs the
# failure path of the build without the "UNINSTALL" payload, a cancelled installation and the
# uninstallations after it and without a sound installed configuration. One line per check, then a
# total.
#   e2e-install.sh [BUILD-DIR]      default build/mingw-x86_64; the i686 build (the shipped one)
#                                   runs as a 32-bit program on 64-bit Windows (WoW64) or, with
#                                   AUDIO_WINEARCH=win32, on 32-bit Windows
# Environment: AUDIO_WINEPREFIX  base prefix, prepared once and only ever copied (default
#                                build/e2e-wine-prefix: the Wine tests change build/wine-prefix)
#              AUDIO_WINEARCH    win64 (default) or win32
#              E2E_WINDOWS       the Windows version the prefix reports (win7, win10, ...)
#              E2E_SCOPE         full (default); install: install, check, uninstall; update: the
#                                same on Windows 7 with the Windows update's path
#              E2E_UPDATE_PAYLOAD=1  the installer built with a stand-in update package
#              E2E_SILENT        1 (the default of the full scope): also the unattended cases
#                                (options, exit codes, logs); 0 leaves them out
#              E2E_KEYS=1        the first installation driven by the keyboard alone (access
#                                keys, Tab, arrows, Enter), as a person without a mouse does
#              E2E_DISPLAY       Xvfb display (default :57)
#              E2E_SHOTS         screenshot folder (default BUILD-DIR/e2e-screenshots)
#              E2E_KEEP=1        keep the run's temporary folder
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build/mingw-x86_64}" && pwd) || exit 2
SETUP_EXE=$BUILD/installer/AudioSetupApp.exe
[ "${E2E_UPDATE_PAYLOAD:-0}" = 1 ] && SETUP_EXE=$BUILD/installer-update-standin/AudioSetupApp.exe
SCOPE=${E2E_SCOPE:-full}
FAILING_SETUP_EXE=$BUILD/installer-no-uninstall/AudioSetupApp.exe
PANEL_EXE=$BUILD/setup/app/payloads/AudioPanelApp.exe
READER=$BUILD/tools/read-accessible.exe
KEYS_ONLY=${E2E_KEYS:-0}
DISPLAY_NUMBER=${E2E_DISPLAY:-:57}
SHOTS=${E2E_SHOTS:-$BUILD/e2e-screenshots}
PRODUCT=$ROOT/product

export AUDIO_WINEPREFIX=${AUDIO_WINEPREFIX:-$ROOT/build/e2e-wine-prefix}
. "$ROOT/tools/wine-env.sh"
. "$ROOT/tools/e2e-lib.sh"
e2e_require "$SETUP_EXE" "$FAILING_SETUP_EXE" "$PANEL_EXE" "$READER"
e2e_begin "$DISPLAY_NUMBER" "$SHOTS"

# Values of the product configuration (UTF-16 in the source tree).
CONFIG_TEXT=$(iconv -f UTF-16 -t UTF-8 "$PRODUCT/AudioConfig.cfg" 2>/dev/null | tr -d '\r')
cfg() { echo "$CONFIG_TEXT" | sed -n "/^\[$1\]/,/^\[/p" | sed -n "s/^$2=//p" | head -1; }
INSTALL_NAME=$(cfg Install InstallFolderName)
SHORTCUT_FOLDER=$(cfg Install ShortcutFolderName)
APP_NAME=$(cfg Install APPFileName)
ICON_NAME=$(cfg Install InstallIconFileName)
BACKGROUND_NAME=$(cfg Install InstallBackgroundFileName)
UNINSTALL_NAME=$(cfg Uninstall UninstallFileName)
LANGUAGE_FOLDER=$(cfg Language LanguageFolderName)
SKIN_FOLDER=$(cfg Skin SkinFolderName)

# The installer folder: product data where it exists, small stand-ins where it does not yet.
layout() {  # layout FOLDER SETUP-EXE
    local folder=$1
    mkdir -p "$folder"
    cp "$2" "$folder/AudioSetupApp.exe"
    cp "$PRODUCT/AudioConfig.cfg" "$folder/"
    if [ -d "$PRODUCT/$SKIN_FOLDER" ]; then
        cp -r "$PRODUCT/$SKIN_FOLDER" "$folder/"
    else
        mkdir -p "$folder/$SKIN_FOLDER/Standin" && echo "[Skin]" >"$folder/$SKIN_FOLDER/Standin/SkinSetting.ini"
    fi
    if [ -d "$PRODUCT/$LANGUAGE_FOLDER" ]; then
        cp -r "$PRODUCT/$LANGUAGE_FOLDER" "$folder/"
    else
        mkdir -p "$folder/$LANGUAGE_FOLDER/English"
        printf '[Setup]\r\nLabelNextBtn=Next >\r\nLabelTitle=QLN47xx Audio Setup\r\nLabelWarning2=The installation could not be completed. \r\nLabelNoRebootRadioBtn=No, reboot later\r\n' \
            >"$folder/$LANGUAGE_FOLDER/English/Language.ini"
    fi
    if [ -d "$PRODUCT/Manual" ]; then
        cp -r "$PRODUCT/Manual" "$folder/"
    else
        mkdir -p "$folder/Manual/English" && echo "manual" >"$folder/Manual/English/UserManual.html"
    fi
    if [ -f "$PRODUCT/$ICON_NAME" ]; then
        cp "$PRODUCT/$ICON_NAME" "$folder/"
    else
        convert -size 32x32 xc:'#1a8fb0' "ico:$folder/$ICON_NAME"
    fi
    [ -f "$PRODUCT/$BACKGROUND_NAME" ] && cp "$PRODUCT/$BACKGROUND_NAME" "$folder/"
    return 0
}

traced() { grep -q -F "$2" "$1"; }
# Message boxes shown so far (a 32-bit program's debug output is traced twice: count one form).
message_boxes() { grep -c 'OutputDebugString.*##### Message box' "$TRACE"; }
boxes_at_least() { [ "$(message_boxes)" -ge "$1" ]; }
reg_value() {  # reg_value KEY NAME: "TYPE DATA"
    "$WINE" reg query "$1" /v "$2" "${REG_VIEW[@]}" 2>/dev/null | tr -d '\r' |
        awk -v name="$2" '$1 == name { $1 = ""; sub(/^ +/, ""); print; exit }'
}
reg_is() { [ "$(reg_value "$1" "$2")" = "$3" ]; }
reg_has() { [ -n "$(reg_value "$1" "$2")" ]; }
reg_key_exists() { "$WINE" reg query "$1" "${REG_VIEW[@]}" >/dev/null 2>&1; }
absent() { [ ! -e "$1" ]; }
service_state() { "$WINE" sc query AudioDeviceService 2>/dev/null | tr -d '\r' | awk '/STATE/ { print $4 }'; }
service_running() { [ "$(service_state)" = RUNNING ]; }
service_gone() { ! "$WINE" sc query AudioDeviceService >/dev/null 2>&1; }
# Only this run's panel: other prefixes on the machine may run one too.
panel_pids() {
    local pid
    for pid in $(pgrep -f "$APP_NAME.exe"); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -q -x -F "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done
}
panel_running() { [ -n "$(panel_pids)" ]; }
panel_stopped() { ! panel_running; }
# The panel's window appears before it has read its skin; a folder swapped under it then makes
# its start-up fail. Settled: this run's panel took no CPU time over a second.
panel_cpu() {
    local stats=()
    for pid in $(panel_pids); do stats+=("/proc/$pid/stat"); done
    [ ${#stats[@]} -gt 0 ] && awk '{ s += $14 + $15 } END { print s }' "${stats[@]}" 2>/dev/null
}
panel_settled() {
    local before
    before=$(panel_cpu)
    sleep 1
    [ -n "$before" ] && [ "$before" = "$(panel_cpu)" ]
}
panel_window() { [ -n "$(xdotool search --name "^$APP_NAME\$" 2>/dev/null | head -1)" ]; }
link_targets() { [ -f "$1" ] && { strings -a "$1"; strings -a -el "$1"; } | grep -q -F "$2"; }
now() { date +%s%N; }
# Exit codes reach the Linux shell modulo 256 (1602 as 66): status_is STATUS CODE.
status_is() { [ "$1" -eq $(($2 % 256)) ]; }
# Visible windows, by id; a new one is a window someone showed.
visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | sort; }
visible_count() { visible_windows | wc -l; }

# The wizard as a screen reader reads it (read-accessible.exe, from another process): one line per
# shown control in z-order, "ROLE<TAB>NAME<TAB>STATES<TAB>VALUE<TAB>KEY", then
# "focus<TAB>ROLE<TAB>NAME". Wine's proxies give every control the role "client" and name a list by
# its selected entry; Windows names it by the label just before it, so the checks look at names,
# states and order, not at roles.
read_wizard() {  # read_wizard NAME: reads into $WORK/NAME.txt
    local out=$WORK/$1.txt
    rm -f "$out"
    timeout 30 "$RUN" "$READER" TMainForm "Z:${out//\//\\}" >/dev/null 2>&1
    [ -s "$out" ] && sed -i 's/\r$//' "$out"
}
# read_field NAME FIELD TEXT [STATE]: a control whose FIELD (2 name, 4 value) is TEXT, with STATE.
read_field() {
    awk -F'\t' -v f="$2" -v t="$3" -v s="${4:-}" \
        '$1 != "window" && $1 != "focus" && $f == t && (s == "" || index($3, s)) { found = 1 } END { exit !found }' \
        "$WORK/$1.txt"
}
# read_label_before NAME LABEL ENTRY: the label comes just before the list showing ENTRY.
read_label_before() {
    awk -F'\t' -v l="$2" -v e="$3" \
        'before == l && ($2 == e || $4 == e) { found = 1 } { before = $2 } END { exit !found }' \
        "$WORK/$1.txt"
}
focus_is() {  # focus_is NAME TEXT: reads again and finds the focus on the control named TEXT
    read_wizard "$1"
    awk -F'\t' -v t="$2" '$1 == "focus" && $3 == t { found = 1 } END { exit !found }' "$WORK/$1.txt"
}
# Every shown control has a name.
read_all_named() { ! awk -F'\t' '$1 != "window" && $2 == "" { bad = 1 } END { exit !bad }' "$WORK/$1.txt"; }

group_published() { reg_value "$HKLM\\QLN $1 DeviceId Group" 1 | grep -q -F "$1\\VID_3F9C"; }

# What the uninstaller leaves: its own file, renamed, for Windows to delete with the install folder
# at the next restart.
SESSION_MANAGER='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager'
pending_at_reboot() {
    "$WINE" reg query "$SESSION_MANAGER" /v PendingFileRenameOperations 2>/dev/null |
        grep -q -i -F "$1"
}
# Cleared before each uninstallation: an earlier one's entry would hide a missing one.
forget_pending() {
    "$WINE" reg delete "$SESSION_MANAGER" /v PendingFileRenameOperations /f >/dev/null 2>&1
}
only_uninstaller_left() {
    [ "$(ls -A "$INSTALL_DIR")" = "$UNINSTALL_NAME.exe.removed" ] &&
        pending_at_reboot "$INSTALL_NAME\\$UNINSTALL_NAME.exe.removed"
}
check_only_uninstaller_left() {
    check "$1: only the uninstaller is left, deleted with the folder at the next restart" \
        only_uninstaller_left
}
neighbour_kept() {
    [ "$(cat "$NEIGHBOUR_DIR/Data/keep.txt")" = theirs ] && [ -d "$C_DRIVE/Program Files/Common Files" ]
}

# The wizard's client area in screen coordinates (no window manager: the X window is the frame).
client_origin() {
    local window=$1 X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$window")"
    local border=$(((WIDTH - 430) / 2))
    echo "$((X + border)) $((Y + HEIGHT - 153 - border))"
}
click_client() {  # click_client WINDOW X Y
    local origin
    origin=($(client_origin "$1"))
    xdotool mousemove $((origin[0] + $2)) $((origin[1] + $3)) click 1
}

C_DRIVE=$WINEPREFIX/drive_c
SILENT_CASES=0
[ "$SCOPE" = full ] && SILENT_CASES=${E2E_SILENT:-1}
# A 32-bit installer on 64-bit Windows: its program folder, its registry view (HKLM\SOFTWARE is
# Wow6432Node for it), while the driver and the 64-bit service go to the real System32.
PROGRAM_FILES="Program Files"
REG_VIEW=()
if e2e_wow64; then
    PROGRAM_FILES="Program Files (x86)"
    REG_VIEW=(/reg:32)
fi
PROGRAM_FILES_WIN="C:\\$PROGRAM_FILES"
INSTALL_DIR=$C_DRIVE/$PROGRAM_FILES/$INSTALL_NAME
SYSTEM_DIR=$C_DRIVE/windows/system32
LINKS=$C_DRIVE/ProgramData/Microsoft/Windows/Start\ Menu/Programs/$SHORTCUT_FOLDER
APPDATA_DIR=$(wine_path_u "$("$WINE" cmd /c echo %APPDATA% 2>/dev/null </dev/null | tr -d '\r')")
USER_DIR=$APPDATA_DIR/$INSTALL_NAME
HKLM='HKLM\SOFTWARE'
DRIVER_KEY='HKLM\SYSTEM\CurrentControlSet\Services\UAExt'
RUN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\QLN47xxAudioExt'
# The wizard's trace (OutputDebugStringW) reaches stderr through Wine's seh channel.
export WINEDEBUG=-all,warn+seh

# ---- installation ---------------------------------------------------------------------------
SOURCE=$WORK/installer
layout "$SOURCE" "$SETUP_EXE"
TRACE=$WORK/install-trace.log
UPDATE_OPENED=$C_DRIVE/update-opened.txt
if [ "$SCOPE" = update ]; then
    # Windows installs the package with wusa.exe of its native system folder; here a stand-in
    # that notes what it was given and asks for a restart (3010) takes its place.
    cp "$BUILD/tests/wusa-standin.exe" "$SYSTEM_DIR/wusa.exe"
fi
# DLLs planted beside the installer under names of DLLs that it, or the system DLLs it uses,
# load by name; with the native override Wine would load them from there if the program's
# folder were searched. The control: loaded on purpose, one notes it. Not version.dll: Wine's
# own setupapi imports it, resolved from the program's folder before the program's first line
# (Windows takes a KnownDLL's imports from the system folder).
PLANTED_NAMES="comctl32 uxtheme dwmapi cryptbase cryptsp rsaenh propsys profapi userenv"
PLANTED_MARKER=$C_DRIVE/planted-dll-loaded.txt
for name in $PLANTED_NAMES; do cp "$BUILD/tests/planted-marker.dll" "$SOURCE/$name.dll"; done
RUNDLL=$C_DRIVE/windows/system32/rundll32.exe
e2e_wow64 && RUNDLL=$C_DRIVE/windows/syswow64/rundll32.exe
PLANTED=$BUILD/tests/planted-marker.dll
timeout 30 "$RUN" "$RUNDLL" "Z:${PLANTED//\//\\},Nothing" >/dev/null 2>&1
check "control: the planted DLL notes it when it is loaded" test -s "$PLANTED_MARKER"
rm -f "$PLANTED_MARKER"
# A link in place of the per-user folder, put there by any program of the user's: the elevated
# installer writes nothing through it.
ELSEWHERE=$WORK/elsewhere
mkdir -p "$ELSEWHERE" && ln -s "$ELSEWHERE" "$USER_DIR"
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;wusa.exe=n;$(echo $PLANTED_NAMES | tr ' ' ',')=n,b" \
    "$RUN" "$SOURCE/AudioSetupApp.exe" >/dev/null 2>"$TRACE" &
SETUP_PID=$!
wait_for 30 traced "$TRACE" '==> TMainForm::FormShow'
WIZARD=$(timeout 20 xdotool search --sync --onlyvisible --name ' [(]V[0-9.]*[)]$' 2>/dev/null | head -1)
check "wizard shown" test -n "$WIZARD"
[ -n "$WIZARD" ] || give_up "no wizard window"
title=$(xdotool getwindowname "$WIZARD" 2>/dev/null)
SETUP_VERSION=$(sed -n 's/.* (V\([0-9]*\.[0-9]*\.[0-9]*\.[0-9]*\))$/\1/p' <<<"$title")
check "title carries the installer's version: $title" test -n "$SETUP_VERSION"
sleep 0.5
shot page0-language

# Another language from the list: its texts, and the choice written back beside the installer.
# The list's drop-down is a window of its own: keys go to it only once it is shown (Return on the
# closed list would press Next).
chose_french() { grep -q 'DefaultLanguage=French' <(iconv -f UTF-16 -t UTF-8 "$SOURCE/AudioConfig.cfg" | tr -d '\r'); }
read_wizard page0
check "screen reader: the window is named by its title" \
    grep -q -x -F "$(printf 'window\t%s' "$title")" "$WORK/page0.txt"
check "screen reader: Next has the keyboard, and Enter presses it" \
    read_field page0 2 'Next >' focused
check "screen reader: the list's label comes just before it" \
    read_label_before page0 'Select language:' English
check "screen reader: every shown control has a name" read_all_named page0
if [ "$KEYS_ONLY" = 1 ]; then
    # Alt and the label's access key reach the list; Down chooses the next language at once.
    xdotool key alt+s
    wait_for 10 focus_is page0-list English
    check "keys: Alt+S (the label's access key) moves to the language list" \
        focus_is page0-list English
    xdotool key Down
    wait_for 10 chose_french
    # Tab goes on in reading order: Back is hidden, so Next follows the list.
    xdotool key Tab
    wait_for 10 focus_is page0-tab 'Suivant >'
    check "keys: Tab from the list reaches Next (the hidden Back is passed)" \
        focus_is page0-tab 'Suivant >'
else
    windows_before=$(visible_count)
    click_client "$WIZARD" 80 84
    wait_for 10 eval '[ "$(visible_count)" -gt "$windows_before" ]'
    xdotool key Down Return
    wait_for 10 chose_french
    wait_for 10 eval '[ "$(visible_count)" -le "$windows_before" ]'
fi
check "language choice written to the installer's AudioConfig.cfg" chose_french
read_wizard page0-french
check "screen reader: the names follow the language" \
    read_label_before page0-french 'Choisir la langue :' 'Français'
shot page0-language-french

start=$(now)
xdotool key Return  # Next is the default button
sleep 0.3
shot page1-installing
if [ "$SCOPE" = update ]; then
    # 64-bit Windows 7 SP1 without KB3033929: the notice, then the package is opened and waited for.
    wait_for 120 traced "$TRACE" 'Message box' || give_up "no notice of the Windows update"
    check "Windows 7 x64 without KB3033929: the update is offered" \
        traced "$TRACE" 'Service pack KDB3033929 not EXIST'
    sleep 0.5
    shot page1-update-notice
    xdotool key Return
    if [ "${E2E_UPDATE_PAYLOAD:-0}" = 1 ]; then
        wait_for 60 traced "$TRACE" '==> TMainForm::SetupDone' || give_up "installation did not end"
        check "the package is written to the 32-bit system folder" \
            cmp "$C_DRIVE/windows/syswow64/Windows6.1-KB3033929-x64.msu" "$ROOT/payloads/KB3033929-standin.msu"
        check "the native update installer got the package's full path" \
            grep -q -i -F 'wusa.exe" "C:\windows\syswow64\Windows6.1-KB3033929-x64.msu"' "$UPDATE_OPENED"
        check "its request for a restart is kept" traced "$TRACE" 'The Windows update needs a restart'
        check "one message box: the notice" test "$(message_boxes)" -eq 1
    else
        # No package: opening it fails and the installation ends with code 6.
        wait_for 60 boxes_at_least 2
        check "without the package the installation fails with (Code = 0x80000006)" \
            traced "$TRACE" '(Code = 0x80000006)'
        check "nothing was opened" absent "$UPDATE_OPENED"
        sleep 0.3
        shot page1-update-failure
        xdotool key Return
        wait_for 60 traced "$TRACE" '==> TMainForm::SetupDone' || give_up "installation did not end"
    fi
fi
wait_for 120 traced "$TRACE" '==> TMainForm::SetupDone' || give_up "installation did not end"
done_at=$(now)
check "installation ran to its end" traced "$TRACE" '==> TMainForm::SetupDone'
if [ "$SCOPE" != update ]; then
    check "no message box during the installation" not traced "$TRACE" 'Message box'
    if e2e_wow64; then
        check "64-bit Windows other than 7: the update is not needed" traced "$TRACE" 'The OS is not Win7'
    else
        check "no Wow64: the update is not needed" traced "$TRACE" 'The OS is 32-Bit'
    fi
fi
check "nothing written through the link in the user's profile" test -z "$(ls -A "$ELSEWHERE")"
rm "$USER_DIR"
sleep 0.5
shot page2-finish
# 1000 ms before the device check of step 7 and 500 ms before WM_SETUP_DONE are prescribed.
install_ms=$(((done_at - start) / 1000000 - 1500))

check "screen reader: the end page's chosen answer has the keyboard" \
    focus_is page2 'Redémarrer maintenant'
check "screen reader: the end page's text and both answers are read" eval \
    "read_field page2 2 \"Redémarrez l'ordinateur pour terminer l'installation.\" &&
     read_field page2 2 'Redémarrer plus tard' && read_all_named page2"
if [ "$KEYS_ONLY" = 1 ]; then
    xdotool key Down  # the other answer of the group; Enter below then starts the panel
    wait_for 10 focus_is page2-down 'Redémarrer plus tard'
    check "keys: Down moves to NoRebootRadioButton" focus_is page2-down 'Redémarrer plus tard'
else
    click_client "$WIZARD" 60 90  # NoRebootRadioButton
fi
sleep 0.3
shot page2-finish-no-reboot
xdotool key Return  # Finish, the default button on the end page
wait_for 30 not alive "$SETUP_PID" || give_up "installer did not end after Finish"
wait "$SETUP_PID"
check "installer ended with code 0" test $? -eq 0
wait_for 10 panel_running

check "driver key ErrorControl = 1" reg_is "$DRIVER_KEY" ErrorControl 'REG_DWORD 0x1'
check "driver key Start = 3" reg_is "$DRIVER_KEY" Start 'REG_DWORD 0x3'
check "driver key Type = 1" reg_is "$DRIVER_KEY" Type 'REG_DWORD 0x1'
check "driver key ImagePath" reg_is "$DRIVER_KEY" ImagePath 'REG_EXPAND_SZ System32\DRIVERS\UAExt.sys'
check "driver file is the stand-in" cmp "$SYSTEM_DIR/drivers/UAExt.sys" "$ROOT/payloads/UAExt-standin.sys"
check "service program in the system folder" test -s "$SYSTEM_DIR/AudioDeviceService.exe"
if e2e_wow64; then
    check "Wow64: the 64-bit service program in the real System32" wine_is_pe64 "$SYSTEM_DIR/AudioDeviceService.exe"
    check "Wow64: nothing of it in SysWOW64" absent "$C_DRIVE/windows/syswow64/AudioDeviceService.exe"
    check "Wow64: no driver in SysWOW64" absent "$C_DRIVE/windows/syswow64/drivers/UAExt.sys"
    check "Wow64: nothing in the 64-bit program folder" absent "$C_DRIVE/Program Files/$INSTALL_NAME"
    check "Wow64: the uninstall entry in the 32-bit registry view" \
        "$WINE" reg query 'HKLM\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\QLN47xxAudioExt'
elif [ "$WINEARCH" = win32 ]; then
    check "32-bit Windows: the 32-bit service program" wine_is_pe32 "$SYSTEM_DIR/AudioDeviceService.exe"
fi
check "service registered and running" service_running
check "panel written" cmp "$INSTALL_DIR/$APP_NAME.exe" "$PANEL_EXE"
check "uninstaller written" test -s "$INSTALL_DIR/$UNINSTALL_NAME.exe"
check "configuration copy in the install folder" test -s "$INSTALL_DIR/AudioConfig.cfg"
check "the copy holds the chosen language" \
    grep -q 'DefaultLanguage=French' <(iconv -f UTF-16 -t UTF-8 "$INSTALL_DIR/AudioConfig.cfg")
wait_for 20 test -s "$USER_DIR/AudioConfig.cfg"
check "the panel makes its per-user configuration" cmp "$USER_DIR/AudioConfig.cfg" "$INSTALL_DIR/AudioConfig.cfg"
check "no planted DLL was loaded" absent "$PLANTED_MARKER"
check "skins copied" diff -r "$SOURCE/$SKIN_FOLDER" "$INSTALL_DIR/$SKIN_FOLDER"
check "languages copied" diff -r "$SOURCE/$LANGUAGE_FOLDER" "$INSTALL_DIR/$LANGUAGE_FOLDER"
check "icon copied" cmp "$SOURCE/$ICON_NAME" "$INSTALL_DIR/$ICON_NAME"
MANUAL_FILE=$(ls "$SOURCE/Manual/French" | head -1)
check "manual of the chosen language copied" cmp "$SOURCE/Manual/French/$MANUAL_FILE" \
    "$INSTALL_DIR/Manual/French/$MANUAL_FILE"
check "Run value is the quoted panel path" \
    reg_is "$RUN_KEY" "$APP_NAME" "REG_SZ \"$PROGRAM_FILES_WIN\\$INSTALL_NAME\\$APP_NAME.exe\""
check "uninstall DisplayName" reg_is "$UNINSTALL_KEY" DisplayName "REG_SZ $(cfg Uninstall UninstallDisplayName)"
check "uninstall UninstallString is quoted" reg_is "$UNINSTALL_KEY" UninstallString \
    "REG_SZ \"$PROGRAM_FILES_WIN\\$INSTALL_NAME\\$UNINSTALL_NAME.exe\""
check "uninstall DisplayIcon" reg_is "$UNINSTALL_KEY" DisplayIcon \
    "REG_SZ $PROGRAM_FILES_WIN\\$INSTALL_NAME\\$UNINSTALL_NAME.exe"
check "uninstall DisplayVersion" reg_is "$UNINSTALL_KEY" DisplayVersion "REG_SZ $SETUP_VERSION"
check "uninstall Publisher" reg_is "$UNINSTALL_KEY" Publisher "REG_SZ $(cfg Uninstall Publisher)"
check "USB device-ID group published" group_published USB
check "HID device-ID group published" group_published HID
check "panel shortcut reads back" link_targets "$LINKS/$(cfg Install AppShortcutName).lnk" "$APP_NAME.exe"
check "uninstaller shortcut reads back" \
    link_targets "$LINKS/$(cfg Uninstall UninstallShortcutName).lnk" "$UNINSTALL_NAME.exe"
check "manual shortcut reads back" \
    link_targets "$LINKS/$(cfg Install UserManualShortcutName).lnk" "$MANUAL_FILE"
check "panel started at the end" panel_running

# ---- a second installation into another folder: refused before anything changes ------------
if [ "$SCOPE" = full ]; then
    SECOND=$WORK/installer-second
    layout "$SECOND" "$SETUP_EXE"
    echo "$CONFIG_TEXT" | sed "s/^InstallFolderName=.*/InstallFolderName=$INSTALL_NAME 2/" |
        iconv -f UTF-8 -t UTF-16 >"$SECOND/AudioConfig.cfg"
    TRACE=$WORK/second-trace.log
    "$RUN" "$SECOND/AudioSetupApp.exe" >/dev/null 2>"$TRACE" &
    SETUP_PID=$!
    wait_for 30 traced "$TRACE" '==> TMainForm::FormShow'
    timeout 20 xdotool search --sync --onlyvisible --name ' [(]V[0-9.]*[)]$' >/dev/null 2>&1
    sleep 0.5
    xdotool key Return  # Next
    wait_for 60 traced "$TRACE" 'Message box'
    sleep 0.3
    shot second-installation-refused
    check "second installation elsewhere: refused, naming the installed folder" eval \
        "traced '$TRACE' 'Installed in another folder: C:' && traced '$TRACE' '$INSTALL_NAME *****'"
    check "second installation elsewhere: the message says so" \
        traced "$TRACE" 'already installed in another folder'
    xdotool key Return  # closes the message box
    wait_for 30 traced "$TRACE" '==> TMainForm::SetupDone'
    check "second installation elsewhere: no step ran" not traced "$TRACE" 'Install STEP1'
    sleep 0.3
    xdotool key Return  # Finish
    wait_for 30 not alive "$SETUP_PID"
    check "second installation elsewhere: the installer ended" not alive "$SETUP_PID"
    check "second installation elsewhere: its folder was not made" absent "$INSTALL_DIR 2"
    check "second installation elsewhere: the first keeps its uninstall entry" reg_is "$UNINSTALL_KEY" \
        UninstallString "REG_SZ \"$PROGRAM_FILES_WIN\\$INSTALL_NAME\\$UNINSTALL_NAME.exe\""
    check "second installation elsewhere: the first's service still runs" service_running
fi

# ---- uninstallation -------------------------------------------------------------------------
# The user's own state in the per-user folder, and a neighbouring program's folder, must survive.
printf '[Profile]\r\nName=mine\r\n' >"$USER_DIR/LastProfile.ini"
NEIGHBOUR_DIR=$C_DRIVE/$PROGRAM_FILES/QLN47xx\ Neighbour
mkdir -p "$NEIGHBOUR_DIR/Data" && echo theirs >"$NEIGHBOUR_DIR/Data/keep.txt"
"$RUN" "$PROGRAM_FILES_WIN\\$INSTALL_NAME\\$UNINSTALL_NAME.exe" >/dev/null 2>&1 &
UNINSTALL_PID=$!
QUESTION=$(timeout 20 xdotool search --sync --onlyvisible --name '^Uninstall$' 2>/dev/null | head -1)
check "uninstaller asks first" test -n "$QUESTION"
sleep 0.3
shot uninstall-question
xdotool windowfocus "$QUESTION" 2>/dev/null
xdotool key Return  # Yes
# The outcome's box has the same title: only a window other than the question counts.
outcome_box() { xdotool search --onlyvisible --name '^Uninstall$' 2>/dev/null | grep -v -x "$QUESTION" | head -1; }
wait_for 60 eval '[ -n "$(outcome_box)" ]'
OUTCOME=$(outcome_box)
check "uninstaller tells its outcome" test -n "$OUTCOME"
sleep 0.3
shot uninstall-outcome
xdotool windowfocus "$OUTCOME" 2>/dev/null
xdotool key Return
wait_for 30 not alive "$UNINSTALL_PID"
wait "$UNINSTALL_PID"
check "uninstaller ended with code 0" test $? -eq 0

check "service gone" service_gone
check "driver key gone" not reg_key_exists "$DRIVER_KEY"
check "driver file gone" absent "$SYSTEM_DIR/drivers/UAExt.sys"
check "service program gone" absent "$SYSTEM_DIR/AudioDeviceService.exe"
check_only_uninstaller_left "install folder"
check "the panel's per-user configuration kept" test -s "$USER_DIR/AudioConfig.cfg"
check "user's profile kept" test -s "$USER_DIR/LastProfile.ini"
check "Run value gone" not reg_has "$RUN_KEY" "$APP_NAME"
for key in "$UNINSTALL_KEY" "$HKLM\\QLN USB DeviceId Group" "$HKLM\\QLN HID DeviceId Group"; do
    check "key gone: ${key##*\\}" not reg_key_exists "$key"
done
check "shortcuts and their folder gone" absent "$LINKS"
check "panel ended" panel_stopped
check "neighbouring program's folder kept" neighbour_kept

if [ "$SCOPE" != full ]; then
    echo "screenshots: $SHOTS"
    e2e_end
fi

# ---- failure path: no "UNINSTALL" payload -------------------------------------------------
FAILING=$WORK/installer-no-uninstall
layout "$FAILING" "$FAILING_SETUP_EXE"
TRACE=$WORK/failure-trace.log
"$RUN" "$FAILING/AudioSetupApp.exe" >/dev/null 2>"$TRACE" &
SETUP_PID=$!
wait_for 30 traced "$TRACE" '==> TMainForm::FormShow'
timeout 20 xdotool search --sync --onlyvisible --name ' [(]V[0-9.]*[)]$' >/dev/null 2>&1
sleep 0.5
xdotool key Return
wait_for 60 traced "$TRACE" 'Message box'
FAILURE_BOX=$(timeout 30 xdotool search --sync --onlyvisible --name '^Install$' 2>/dev/null | head -1)
sleep 0.3
shot failure-step4-message
WARNING2=$(iconv -f UTF-16 -t UTF-8 "$FAILING/$LANGUAGE_FOLDER/English/Language.ini" 2>/dev/null ||
    cat "$FAILING/$LANGUAGE_FOLDER/English/Language.ini")
WARNING2=$(echo "$WARNING2" | tr -d '\r' | sed -n '/^\[Setup\]/,/^\[/p' | sed -n 's/^LabelWarning2=//p' |
    cut -d, -f1 | sed 's/[[:space:]]*$//')  # profile strings lose trailing blanks
check "step 4 fails with LabelWarning2 + (Code = 0x80000004)" \
    traced "$TRACE" "##### Message box \\\"Install\\\": ${WARNING2}(Code = 0x80000004) #####"
check "stopped after step 4" traced "$TRACE" 'Install STEP4'
check "no step after step 4" not traced "$TRACE" 'Install STEP5'
xdotool windowfocus "$FAILURE_BOX" 2>/dev/null
xdotool key Return  # closes the message box
wait_for 30 traced "$TRACE" '==> TMainForm::SetupDone'
check "end page follows the failure" traced "$TRACE" '==> TMainForm::SetupDone'
sleep 0.5
shot failure-finish-page
xdotool key Return  # Finish
wait_for 30 not alive "$SETUP_PID"
check "failing installer ended" not alive "$SETUP_PID"
# Finish starts the panel it wrote; without its files it reports what it misses and ends.
# The panel's start is the heaviest of the run: on two loaded cores it takes well over 15 s.
ERROR_BOX=$(timeout 90 xdotool search --sync --onlyvisible --name '^AudioPanelApp$' 2>/dev/null | head -1)
check "the half-installed panel reports its missing files" test -n "$ERROR_BOX"
sleep 0.3
shot failure-panel-error
if [ -n "$ERROR_BOX" ]; then
    xdotool windowfocus "$ERROR_BOX" 2>/dev/null
    sleep 0.2
    xdotool key Return
fi
wait_for 30 panel_stopped
check "the half-installed panel ends once its error is read" panel_stopped

# ---- closing during the installation: asked first; the running step ends, no further one runs
TRACE=$WORK/close-trace.log
"$RUN" "$SOURCE/AudioSetupApp.exe" >/dev/null 2>"$TRACE" &
SETUP_PID=$!
wait_for 30 traced "$TRACE" '==> TMainForm::FormShow'
timeout 20 xdotool search --sync --onlyvisible --name ' [(]V[0-9.]*[)]$' >/dev/null 2>&1
sleep 0.5
xdotool key Return Escape  # Next, then Cancel at once: step 7 alone waits 1 s
QUESTION=$(timeout 10 xdotool search --sync --onlyvisible --name '^Install$' 2>/dev/null | head -1)
check "closing during the installation asks first" test -n "$QUESTION"
sleep 0.2
shot close-question
# The installation page behind the question (the language chosen above is still French).
read_wizard page1
check "screen reader: the progress bar is named by the text before it" \
    read_label_before page1 'Installation en cours...' 'Installation en cours...'
xdotool key Return  # Yes
wait_for 30 not alive "$SETUP_PID"
check "after Yes the installer ends by itself" not alive "$SETUP_PID"
check "after Yes no further step runs" traced "$TRACE" '##### Installation stopped before STEP'
# Where the worker was when Yes arrived depends on the machine's load: the step it was in, and
# only that one, was completed.
step_in_progress_completed() {
    local step
    step=$(grep -o 'Install STEP[0-9] =====' "$TRACE" | tail -1 | tr -dc 0-9)
    [ -z "$step" ] || traced "$TRACE" "Install STEP$step result"
}
check "after Yes the step in progress was completed" step_in_progress_completed

# ---- uninstalling what a cancelled installation left, and without a sound configuration ------
# The uninstaller takes nothing but its log's entries: neither a cancelled installation nor a
# deleted or cut-short AudioConfig.cfg lets it touch anything else.
uninstall_silently() {  # uninstall_silently LABEL [OPTION...]   (default /Silent)
    local label=$1
    shift
    [ $# -gt 0 ] || set -- /Silent
    forget_pending
    "$RUN" "$PROGRAM_FILES_WIN\\$INSTALL_NAME\\$UNINSTALL_NAME.exe" "$@" >/dev/null 2>&1
    check "$label: uninstaller ended with code 0" test $? -eq 0
    check "$label: service gone" service_gone
    check "$label: driver key and file gone" eval \
        "! reg_key_exists '$DRIVER_KEY' && absent '$SYSTEM_DIR/drivers/UAExt.sys'"
    check "$label: service program gone" absent "$SYSTEM_DIR/AudioDeviceService.exe"
    check "$label: Run value, uninstall key and shortcuts gone" eval \
        "! reg_has '$RUN_KEY' '$APP_NAME' && ! reg_key_exists '$UNINSTALL_KEY' && absent '$LINKS'"
    check_only_uninstaller_left "$label"
    check "$label: neighbouring program's folder kept" neighbour_kept
    wait_for 10 panel_stopped
    check "$label: panel ended" panel_stopped
}
install_with_wizard() {  # install_with_wizard TRACE
    "$RUN" "$SOURCE/AudioSetupApp.exe" >/dev/null 2>"$1" &
    local pid=$!
    wait_for 30 traced "$1" '==> TMainForm::FormShow'
    local wizard
    wizard=$(timeout 20 xdotool search --sync --onlyvisible --name ' [(]V[0-9.]*[)]$' 2>/dev/null | head -1)
    sleep 0.5
    xdotool key Return
    wait_for 120 traced "$1" '==> TMainForm::SetupDone'
    sleep 0.5
    click_client "$wizard" 60 90  # NoRebootRadioButton
    sleep 0.3
    xdotool key Return  # Finish
    wait_for 30 not alive "$pid"
    # The panel it starts must be up to hear the uninstaller's request to end.
    wait_for 20 panel_window
    wait_for 60 panel_settled
    traced "$1" '==> TMainForm::SetupDone' && [ -f "$INSTALL_DIR/$UNINSTALL_NAME.exe" ]
}

# The cancelled installation above: when it stopped before writing the uninstaller, the
# uninstaller is put beside its log by hand.
if [ ! -f "$INSTALL_DIR/$UNINSTALL_NAME.exe" ]; then
    echo "note: the cancelled installation stopped before the uninstaller was written"
    cp "$BUILD/payload-bin/AudioUninstall.exe" "$INSTALL_DIR/$UNINSTALL_NAME.exe"
fi
check "the cancelled installation left its log" test -s "$INSTALL_DIR/Install.log"
uninstall_silently "after a cancelled installation"

check "reinstalled for the configuration cases" install_with_wizard "$WORK/reinstall-1.log"
rm -f "$INSTALL_DIR/AudioConfig.cfg"
uninstall_silently "installed AudioConfig.cfg deleted"

check "reinstalled again" install_with_wizard "$WORK/reinstall-2.log"
head -c 61 "$INSTALL_DIR/AudioConfig.cfg" >"$WORK/cut.cfg" && cp "$WORK/cut.cfg" "$INSTALL_DIR/AudioConfig.cfg"
uninstall_silently "installed AudioConfig.cfg cut short"

# A symbolic link put in place of an installed folder is not followed (Wine reports it as a
# reparse point): the files of the same names behind it stay, listed for a later run.
check "reinstalled for the link case" install_with_wizard "$WORK/reinstall-3.log"
LINKED=$NEIGHBOUR_DIR/Skins
cp -r "$INSTALL_DIR/$SKIN_FOLDER" "$LINKED" && rm -rf "$INSTALL_DIR/$SKIN_FOLDER" &&
    ln -s "$LINKED" "$INSTALL_DIR/$SKIN_FOLDER"
"$RUN" "$PROGRAM_FILES_WIN\\$INSTALL_NAME\\$UNINSTALL_NAME.exe" /Silent >/dev/null 2>&1
check "skin folder a link: uninstaller ended with code 10 (some entries left)" test $? -eq 10
check "skin folder a link: the files behind the link kept" diff -r "$SOURCE/$SKIN_FOLDER" "$LINKED"
check "skin folder a link: the rest removed" \
    eval "service_gone && absent '$INSTALL_DIR/$APP_NAME.exe' && ! reg_has '$RUN_KEY' '$APP_NAME'"
check "skin folder a link: the uninstall entry and its link stay for the next run" \
    eval "reg_key_exists '$UNINSTALL_KEY' && [ -f '$LINKS/$(cfg Uninstall UninstallShortcutName).lnk' ]"
if panel_running; then  # diagnostics: which panel did not end
    echo "note: a panel still runs: $(pgrep -af "$APP_NAME.exe" | head -3)"
    xdotool search --onlyvisible --name '' 2>/dev/null | while read -r w; do echo "note: window $w $(xdotool getwindowname "$w")"; done
fi
rm "$INSTALL_DIR/$SKIN_FOLDER" && cp -r "$LINKED" "$INSTALL_DIR/$SKIN_FOLDER"
uninstall_silently "the link replaced by the folder again"

# ---- a configuration without the USB device-ID group: the program ends before showing anything
"$WINE" reg delete "$HKLM\\QLN USB DeviceId Group" /f "${REG_VIEW[@]}" >/dev/null 2>&1
"$WINE" reg delete "$HKLM\\QLN HID DeviceId Group" /f "${REG_VIEW[@]}" >/dev/null 2>&1
NO_GROUP=$WORK/installer-no-group
layout "$NO_GROUP" "$SETUP_EXE"
echo "$CONFIG_TEXT" | sed '/^\[USB_VID_PID\]/,/^\[/{/^\[HID_VID_PID\]/!d}' |
    iconv -f UTF-8 -t UTF-16 >"$NO_GROUP/AudioConfig.cfg"
TRACE=$WORK/no-group-trace.log
"$RUN" "$NO_GROUP/AudioSetupApp.exe" >/dev/null 2>"$TRACE" &
SETUP_PID=$!
wait_for 30 not alive "$SETUP_PID"
check "no USB group: the installer ends by itself" not alive "$SETUP_PID"
check "no USB group: nothing installed" not traced "$TRACE" 'TMainForm::Install'
check "no USB group: no group published" not reg_key_exists "$HKLM\\QLN HID DeviceId Group"

# ---- unattended: the options and exit codes deployment tools use ----------------------------
if [ "$SILENT_CASES" = 1 ]; then
    SILENT_LOGS=$C_DRIVE/setup\ logs
    SILENT_LOGS_WIN='C:\setup logs'
    mkdir -p "$SILENT_LOGS"
    log_has() { grep -q -F "$2" "$SILENT_LOGS/$1"; }

    # A very silent installation in another language: no window at any time, code 0, a log.
    TRACE=$WORK/silent-trace.log
    windows_before=$(visible_windows)
    "$RUN" "$SOURCE/AudioSetupApp.exe" /VERYSILENT /SUPPRESSMSGBOXES /NORESTART /LANG=German \
        "/LOG=$SILENT_LOGS_WIN\install.log" >/dev/null 2>"$TRACE" &
    SETUP_PID=$!
    # Until the end of the installation; then the panel it starts may show its tray.
    shown=
    until traced "$TRACE" '==> TMainForm::SetupDone' || ! alive "$SETUP_PID"; do
        shown+=$(comm -13 <(echo "$windows_before") <(visible_windows))
        sleep 0.1
    done
    wait_for 120 not alive "$SETUP_PID"
    wait "$SETUP_PID"
    check "/VERYSILENT: installer ended with code 0" test $? -eq 0
    check "/VERYSILENT: no window was shown during the installation" test -z "$shown"
    check "/VERYSILENT: every step in the log with its result" eval \
        "log_has install.log 'STEP1 result 0x00000000' && log_has install.log 'STEP8 result 0x00000000'"
    check "/VERYSILENT: every file written in the log" \
        log_has install.log "Written: File $PROGRAM_FILES_WIN\\$INSTALL_NAME\\$APP_NAME.exe"
    check "/VERYSILENT: the exit code in the log" log_has install.log 'ends with exit code 0'
    check "/LANG=German: the language chosen" \
        grep -q 'DefaultLanguage=German' <(iconv -f UTF-16 -t UTF-8 "$INSTALL_DIR/AudioConfig.cfg")
    check "uninstall QuietUninstallString" reg_is "$UNINSTALL_KEY" QuietUninstallString \
        "REG_SZ \"$PROGRAM_FILES_WIN\\$INSTALL_NAME\\$UNINSTALL_NAME.exe\" /SILENT"
    check "uninstall InstallLocation" reg_is "$UNINSTALL_KEY" InstallLocation \
        "REG_SZ $PROGRAM_FILES_WIN\\$INSTALL_NAME\\"
    check "uninstall EstimatedSize, NoModify, NoRepair" eval \
        "reg_value '$UNINSTALL_KEY' EstimatedSize | grep -q -v 'REG_DWORD 0x0$' &&
         reg_is '$UNINSTALL_KEY' NoModify 'REG_DWORD 0x1' && reg_is '$UNINSTALL_KEY' NoRepair 'REG_DWORD 0x1'"
    wait_for 20 panel_running
    check "/VERYSILENT: no restart needed, the panel started" panel_running

    # While one installer runs (the wizard on its first page), another ends at once with 1618;
    # the wizard closed on its first page is a cancelled installation, 1602.
    TRACE=$WORK/second-trace.log
    "$RUN" "$SOURCE/AudioSetupApp.exe" >/dev/null 2>"$TRACE" &
    SETUP_PID=$!
    wait_for 30 traced "$TRACE" '==> TMainForm::FormShow'
    WIZARD=$(timeout 20 xdotool search --sync --onlyvisible --name ' [(]V[0-9.]*[)]$' 2>/dev/null | head -1)
    "$RUN" "$SOURCE/AudioSetupApp.exe" /VERYSILENT /SUPPRESSMSGBOXES "/LOG=$SILENT_LOGS_WIN\second.log" >/dev/null 2>&1
    check "a second installation ends with 1618" eval "status_is $? 1618 && log_has second.log 'exit code 1618'"
    xdotool windowfocus "$WIZARD" 2>/dev/null
    xdotool key Escape
    wait_for 30 not alive "$SETUP_PID"
    wait "$SETUP_PID"
    check "the wizard closed on its first page ends with 1602" eval \
        "status_is $? 1602 && traced '$TRACE' 'exit code 1602'"
    "$RUN" "$SOURCE/AudioSetupApp.exe" /VERYSILENT /SUPPRESSMSGBOXES /BOGUS "/LOG=$SILENT_LOGS_WIN\bogus.log" >/dev/null 2>&1
    check "an unknown option ends with 1639" eval "status_is $? 1639 && log_has bogus.log 'exit code 1639'"

    # The entry's QuietUninstallString, as a package manager runs it, with the panel just started.
    uninstall_silently "QuietUninstallString" /SILENT "/LOG=$SILENT_LOGS_WIN\uninstall.log"
    check "uninstaller's log lists what it removed" \
        log_has uninstall.log "Removed: File $PROGRAM_FILES_WIN\\$INSTALL_NAME\\$APP_NAME.exe"

    # The build without "UNINSTALL", very silent: code 1603, the failing step's result in the log.
    FAILING_LOG="$SILENT_LOGS_WIN\failure.log"
    windows_before=$(visible_windows)
    "$RUN" "$FAILING/AudioSetupApp.exe" /VERYSILENT /SUPPRESSMSGBOXES "/LOG=$FAILING_LOG" >/dev/null 2>&1
    check "/VERYSILENT failure: code 1603" eval "status_is $? 1603 && log_has failure.log 'exit code 1603'"
    check "/VERYSILENT failure: step 4's result in the log" log_has failure.log 'STEP4 result 0x80000401'
    check "/VERYSILENT failure: the message logged, not shown" eval \
        "log_has failure.log '(Code = 0x80000004)' && [ -z \"\$(comm -13 <(echo \"\$windows_before\") <(visible_windows))\" ]"
fi

echo "installation time without the prescribed waits: ${install_ms} ms"
echo "screenshots: $SHOTS"
e2e_end
