# Sourced by bench/panel-memory.sh and bench/panel-perf.sh: where a Wine process's resident memory
# goes, from /proc/PID/smaps, and how long the panel takes to show its window from the tray.
#   prefix_pid PATTERN              the process matching PATTERN (pgrep -f) that runs in this
#                                   script's WINEPREFIX: other runs on the machine are not ours
#   memory_snapshot PID FILE        keeps the process's smaps in FILE
#   memory_rss FILE                 resident kB of a kept smaps
#   memory_table NAME FILE...       resident kB per group of mappings, one column per smaps
#                                   (NAME is the column's title); the groups of the first column
#                                   that differ from the last one by 100 kB or more are listed one
#                                   by one, the rest summed per kind
#   show_from_tray                  the panel's window shown from the tray icon (double-click);
#                                   prints the milliseconds from the show request to the end of
#                                   the first paint, as the simulator build traces them
#                                   ("SIM SHOWN ms") in PANEL_TRACE
#   hide_to_tray                    the window hidden again with its close button

prefix_pid() {
    local pid
    for pid in $(pgrep -f "$1"); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}
memory_snapshot() { cat "/proc/$1/smaps" >"$2" 2>/dev/null; }
memory_rss() { awk '/^Rss:/ { kb += $2 } END { print kb + 0 }' "$1"; }

memory_table() {
    local names=() files=()
    while [ $# -ge 2 ]; do
        names+=("$1")
        files+=("$2")
        shift 2
    done
    awk -v names="$(IFS='|'; echo "${names[*]}")" '
        function kind(path, base) {
            if (path == "") return "anonymous: heaps, decoded pictures, buffers"
            if (path ~ /^\[heap\]|^\[stack|^\[anon/) return "anonymous: heaps, decoded pictures, buffers"
            if (path ~ /^\/SYSV|^\/dev\/shm|^\/memfd:/) return "shared memory with the X server and wineserver"
            if (base ~ /\.(ttf|ttc|fon|otf)$/ || path ~ /fontconfig/) return "fonts and their caches"
            if (base ~ /\.(nls|msstyles)$/ || path ~ /\/locale\//) return "locale and theme data"
            if (path ~ /drive_c\/Program Files/) return "the program"
            if (base ~ /\.(dll|drv|exe|sys|ocx|cpl)$/) return "Windows modules (Wine)"
            if (path ~ /\/wine\//) return "Wine Unix side (.so)"
            if (base ~ /\.so/) return "Linux libraries"
            if (path ~ /^\[/) return "kernel: " path
            return "other files"
        }
        BEGIN {
            ncol = split(names, title, "|")
            norder = split("anonymous: heaps, decoded pictures, buffers|shared memory with the X server and wineserver|the program|Windows modules (Wine)|Wine Unix side (.so)|Linux libraries|fonts and their caches|locale and theme data|other files", order, "|")
        }
        FNR == 1 { col++ }
        /^[0-9a-f]+-[0-9a-f]+ / {
            path = ""
            for (i = 6; i <= NF; i++) path = path (i > 6 ? " " : "") $i
            n = split(path, parts, "/")
            base = parts[n]
            k = kind(path, base)
            item = (k ~ /^Windows modules|^Linux libraries|^Wine Unix/) ? base : ""
            next
        }
        /^Rss:/ {
            total[col] += $2
            group[k, col] += $2
            kinds[k] = 1
            if (item != "") { each[k, item, col] += $2; items[k, item] = 1 }
        }
        function row(label, c,   line, any) {
            for (c = 1; c <= ncol; c++) if (vals[c] != 0) any = 1
            if (!any) return
            line = sprintf("  %-52s", label)
            for (c = 1; c <= ncol; c++) line = line sprintf(" %10d", vals[c])
            print line
        }
        END {
            line = sprintf("  %-52s", "mapping group (resident kB)")
            for (c = 1; c <= ncol; c++) line = line sprintf(" %10s", title[c])
            print line
            for (k in kinds) {
                known = 0
                for (o = 1; o <= norder; o++) if (order[o] == k) known = 1
                if (!known) order[++norder] = k
            }
            for (o = 1; o <= norder; o++) {
                k = order[o]
                if (!(k in kinds)) continue
                for (c = 1; c <= ncol; c++) vals[c] = group[k, c]
                row(k)
                for (c = 1; c <= ncol; c++) rest[c] = group[k, c]
                listed = 0
                for (ki in items) {
                    split(ki, p, SUBSEP)
                    if (p[1] != k) continue
                    d = each[k, p[2], 1] - each[k, p[2], ncol]
                    if (d < 100 && d > -100) continue
                    for (c = 1; c <= ncol; c++) { vals[c] = each[k, p[2], c]; rest[c] -= vals[c] }
                    row("  " p[2])
                    listed = 1
                }
                if (listed) {
                    for (c = 1; c <= ncol; c++) vals[c] = rest[c]
                    row("  the others")
                }
            }
            for (c = 1; c <= ncol; c++) vals[c] = total[c]
            row("total")
        }' "${files[@]}"
}

show_from_tray() {
    local before
    before=$(grep -c '^SIM SHOWN' "$PANEL_TRACE" 2>/dev/null)
    tray_double_click
    wait_for 10 eval '[ "$(grep -c "^SIM SHOWN" "$PANEL_TRACE")" -gt "${before:-0}" ]' || return 1
    grep '^SIM SHOWN' "$PANEL_TRACE" | tail -1 | awk '{ print $3 }'
}

hide_to_tray() {
    click_control CloseImage
    wait_for 10 not shown
}
