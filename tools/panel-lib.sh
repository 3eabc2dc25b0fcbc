# Sourced after wine-env.sh: the panel laid out in $WINEPREFIX as the installer lays it out, and
# driven on an X display with xdotool.
#   panel_layout EXE...     program folder "C:\Program Files\<InstallFolderName>" with the
#                           programs, AudioConfig.cfg, icon, skins, languages and manual; the
#                           per-user AudioConfig.cfg in %APPDATA%\<InstallFolderName>. Sets
#                           PANEL_DIR (host path), PANEL_WIN_DIR (Windows path), PANEL_USER_DIR
#                           (host path of the per-user folder), PANEL_TITLE (InstallAppTitle).
#   click_control NAME      clicks a control where the simulator build's trace (PANEL_TRACE)
#                           last said it is; the trace is in design pixels, the screen at
#                           PANEL_DPI dots per inch (default 96)
#   to_screen N             design pixels to screen pixels at PANEL_DPI, rounded up
#   start_panel [TRACE], stop_panel   the simulator panel started and ended (with e2e-lib.sh)
#   tray_menu KEY...        opens the tray icon's menu and types the keys; tray_menu_until
#                           "CHECK" KEY... again until CHECK holds
#   user_value, user_is     the per-user AudioConfig.cfg
#   traced, since, traced_since, send, picture_pixel: the simulator's trace ($TRACE), a message
#                           to the panel, a picture's pixel

PANEL_PRODUCT=${PANEL_PRODUCT:-$AUDIO_ROOT/product}
panel_cfg() {  # panel_cfg SECTION KEY: a value of the product's AudioConfig.cfg
    iconv -f UTF-16 -t UTF-8 "$PANEL_PRODUCT/AudioConfig.cfg" 2>/dev/null | tr -d '\r' |
        sed -n "/^\[$1\]/,/^\[/p" | sed -n "s/^$2=//p" | head -1
}

panel_layout() {
    local install_name appdata
    install_name=$(panel_cfg Install InstallFolderName)
    PANEL_TITLE=$(panel_cfg Install InstallAppTitle)
    PANEL_WIN_DIR="C:\\Program Files\\$install_name"
    PANEL_DIR=$WINEPREFIX/drive_c/Program\ Files/$install_name
    appdata=$("$WINE" cmd /c echo %APPDATA% 2>/dev/null </dev/null | tr -d '\r')
    PANEL_USER_DIR=$(wine_path_u "$appdata")/$install_name
    mkdir -p "$PANEL_DIR" "$PANEL_USER_DIR" || return 1
    cp "$@" "$PANEL_DIR/" || return 1
    cp "$PANEL_PRODUCT/AudioConfig.cfg" "$PANEL_PRODUCT/$(panel_cfg Install InstallIconFileName)" \
        "$PANEL_DIR/" || return 1
    cp -r "$PANEL_PRODUCT/$(panel_cfg Skin SkinFolderName)" \
        "$PANEL_PRODUCT/$(panel_cfg Language LanguageFolderName)" "$PANEL_PRODUCT/Manual" \
        "$PANEL_DIR/" || return 1
    cp "$PANEL_PRODUCT/AudioConfig.cfg" "$PANEL_USER_DIR/"
}

# The main window (its caption is the design's) and where it is.
main_window() { xdotool search --name '^AudioPanelApp$' 2>/dev/null | head -1; }
shown() { xdotool search --onlyvisible --name '^AudioPanelApp$' >/dev/null 2>&1; }
geometry() {  # sets X Y WIDTH HEIGHT of the main window
    eval "$(xdotool getwindowgeometry --shell "$(main_window)" 2>/dev/null)"
}
# The simulator's last layout lines, then one control's window rectangle: "x y w h".
since_layout() { tac "$PANEL_TRACE" | awk '/^SIM LAYOUT/ { seen = 1; print; next } seen { exit }'; }
control() { since_layout | awk -v name="$1" '$4 == name { print $5, $6, $7, $8; exit }'; }
to_screen() { echo $((($1 * ${PANEL_DPI:-96} + 95) / 96)); }
click_control() {  # click_control NAME [BUTTON]
    local r
    r=($(control "$1"))
    [ ${#r[@]} -eq 4 ] || return 1
    geometry
    xdotool mousemove $((X + $(to_screen $((r[0] + r[2] / 2))))) \
        $((Y + $(to_screen $((r[1] + r[3] / 2))))) click "${2:-1}"
    sleep 0.3
}
# The notification area: without a desktop, Wine's own tray window at the top left.
TRAY_X=12
TRAY_Y=32
tray_double_click() {
    xdotool mousemove $TRAY_X $TRAY_Y
    sleep 0.3
    xdotool click --repeat 2 --delay 80 1
    sleep 0.5
}
# A popup menu is open: a visible window without a name near the tray, taller than a tooltip.
menu_open() {
    local w
    for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
        [ "$HEIGHT" -ge 60 ] && [ "$HEIGHT" -lt 600 ] && [ "$X" -lt 400 ] && return 0
    done
    return 1
}
tray_menu() {  # tray_menu KEY...: opens the popup menu and types the keys
    local attempt
    for attempt in 1 2 3; do
        xdotool mousemove $((TRAY_X + 40)) $((TRAY_Y + 200))
        sleep 0.2
        xdotool mousemove $TRAY_X $TRAY_Y
        sleep 0.3
        xdotool click 3
        # A second click while a slow menu is still opening would close it, and the keys would
        # then go to the shown window, where they press its focused control.
        for _ in $(seq 60); do
            menu_open && break 2
            sleep 0.1
        done
    done
    sleep 0.3
    menu_open || return 1
    xdotool key "$@"
    sleep 0.8
}
# The simulator panel laid out by panel_layout, started until it has laid out its window (with
# e2e-lib.sh), and ended by its exit message. TRACE: its trace file, by default $TRACE.
start_panel() {  # start_panel [TRACE]; sets SIM_PID
    if [ $# -gt 0 ]; then
        TRACE=$1
        PANEL_TRACE=$1
    fi
    AUDIOPANEL_SIM_TRACE=$TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
    SIM_PID=$!
    wait_for 30 traced 'SIM LAYOUT' || give_up "the simulator panel did not start"
    sleep 0.5
}
stop_panel() {
    send WM_QLN47xxAPP_EXIT
    wait_for 20 not alive "$SIM_PID"
    alive "$SIM_PID" && kill "$SIM_PID"
    wait "$SIM_PID" 2>/dev/null
}
# Keys that go astray on a busy machine leave the menu open or choose another submenu's item
# (fewer Downs never reach Close): the choice is tried again until its effect shows.
tray_menu_until() {  # tray_menu_until "CHECK ARGS" KEY...: three tries, 10 s each (e2e-lib.sh)
    local check=$1 attempt
    shift
    for attempt in 1 2 3; do
        tray_menu "$@"
        wait_for 10 $check && return 0
        echo "the tray menu's choice did not take (try $attempt): $*" >&2
    done
    return 1
}
user_value() {  # user_value KEY: from the per-user AudioConfig.cfg
    iconv -f UTF-16 -t UTF-8 "$PANEL_USER_DIR/AudioConfig.cfg" 2>/dev/null | tr -d '\r' |
        sed -n "s/^$1=//p" | head -1
}
user_is() { test "$(user_value "$1")" = "$2"; }  # user_is KEY VALUE
# The colour of one screen pixel as rrggbb.
pixel() {
    import -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- 2>/dev/null |
        sed -n '2s/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr A-F a-f
}

# The simulator's trace ($TRACE): a line holding TEXT; the lines after the last one holding MARK.
traced() { grep -q -F -- "$1" "$TRACE"; }
since() { awk -v mark="$1" 'index($0, mark) { n = NR } { line[NR] = $0 } END { for (i = n + 1; i <= NR; i++) print line[i] }' "$TRACE"; }
traced_since() { since "$1" | grep -q -F -- "$2"; }
# A registered message to the panel, through the laid-out sender.
send() { "$RUN" "$PANEL_WIN_DIR\\send-window-message.exe" "$@" >/dev/null 2>&1; }
# One pixel of a picture file as rrggbb.
picture_pixel() { convert "$1" -crop "1x1+$2+$3" +repage -alpha off txt:- 2>/dev/null | sed -n '2s/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr A-F a-f; }
