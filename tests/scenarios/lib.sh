# Shared by the desktop scenarios (sourced, not run): a private settings
# folder, starting and stopping the program, finding its windows by role,
# clicking panel controls by their design place, and reading the screen.
# Expects PROGRAM and a DISPLAY (the scripts run under with_xvfb.sh, or
# with_wayland.sh, whose INPUT_DISPLAY takes the pointer and the keys).

set -uo pipefail
work="$(mktemp -d)"
shots="${SCENARIO_SHOTS:-$work/shots}"  # keep the screenshots by setting SCENARIO_SHOTS
mkdir -p "$shots"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/hiyokorapper"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export LC_ALL=C.UTF-8
ini="$XDG_CONFIG_HOME/hiyokorapper/hiyokorapper.ini"
DRAG_LOG="$work/drag.log"
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../support/drags.sh"
app=""
helpers=()

finish_scenario() {
    # It saves on SIGTERM: waited for, so that it is not writing as the folder goes.
    [ -n "$app" ] && { kill "$app" 2>/dev/null; wait "$app" 2>/dev/null; }
    for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null; done
    [ -n "$drag_pid" ] && kill "$drag_pid" 2>/dev/null
    rm -rf "$work"
}
trap finish_scenario EXIT


# start_front_window ARG...: another program's window (FRONT_WINDOW, built
# from tests/support/front_window.cpp); front_state STATE changes its state.
front_pid=""
start_front_window() {
    rm -f "$work/front.fifo"
    mkfifo "$work/front.fifo"
    "${FRONT_WINDOW:?the scenario needs FRONT_WINDOW}" "$@" <"$work/front.fifo" >/dev/null 2>&1 &
    front_pid=$!
    helpers+=("$front_pid")
    exec {front_fd}>"$work/front.fifo"
}
front_state() { echo "$1" >&"$front_fd"; }
stop_front_window() {
    exec {front_fd}>&-
    kill "$front_pid" 2>/dev/null
    wait "$front_pid" 2>/dev/null
}
front_id() { xdotool search --onlyvisible --pid "$front_pid" 2>/dev/null | head -1; }
front_active() { equals "$(active_window)" "$(front_id)"; }
# front_is STATE: active, and _NET_WM_STATE holds that state (fullscreen,
# maximized_vert ...).
front_is() {
    front_active >/dev/null && xprop -id "$(front_id)" _NET_WM_STATE | grep -qi "_NET_WM_STATE_$1"
}
# The active window is the desktop's own (xfdesktop's, say).
desktop_active() {
    xprop -id "$(active_window)" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DESKTOP
}

# Prints the tally; the script's status says whether anything failed.
report() {
    [ "$failed" -gt 0 ] && shot at-the-end  # kept where SCENARIO_SHOTS says
    if [ "$failed" -gt 0 ] && [ -s "$work/stderr" ]; then
        echo "--- program's stderr"; cat "$work/stderr"
    fi
    finish_checks
}


# by_hand XDOTOOL-COMMAND...: the user's pointer and keys. In a Wayland
# session they go to the compositor, as a real mouse's do: XWayland's own
# pointer would move only where the compositor's is not.
by_hand() { DISPLAY="${INPUT_DISPLAY:-$DISPLAY}" xdotool "$@"; }

now() { date +%s.%N; }
elapsed_ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%d", (b - a) * 1000 }'; }

read -r screen_w screen_h < <(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')

# The program's mapped top-level windows: "ID ROLE WIDTH" a line, ROLE "-"
# when the window carries none.
# Under a window manager they are not the root's children but its frames'.
program_windows() {
    local w role info
    for w in $(xdotool search --pid "$app" 2>/dev/null); do
        info="$(xwininfo -id "$w" 2>/dev/null)"
        grep -q "IsViewable" <<<"$info" || continue
        role="$(xprop -id "$w" WM_WINDOW_ROLE 2>/dev/null | sed -n 's/.*ROLE(STRING) = "\(.*\)"/\1/p')"
        echo "$w ${role:--} $(awk '/Width:/ {print $2}' <<<"$info")"
    done
}
# The mapped window whose WM_WINDOW_ROLE names the form. A role-less window
# as wide as the panel also counts as the panel, so that a lost role (checked
# in registration_modes.sh) fails that one check and not every later one.
# The awks here read to the end: one that left at the first match would end
# the pipe on the next window's line, which under pipefail reads as a failure.
window_of() {
    program_windows | awk -v role="$1" '!f && ($2 == role || (role == "ranch" && $2 == "-" && $3 == 327)) {print $1; f=1}
        END {exit !f}'
}
# (grep -q would end the pipe early too.)
panel_has_role() { program_windows | grep ' ranch ' >/dev/null; }
shown() { window_of "$1" >/dev/null; }
hidden() { ! window_of "$1" >/dev/null; }

# The mapped message box: a role-less window of the program that is not the
# panel (titles vary: the version, or a button's caption such as 保).
message_box() {
    program_windows | awk '!f && $2 == "-" && $3 != 327 {print $1; f=1} END {exit !f}'
}
# answer KEY: presses a key in the message box once it is up. A window
# manager gives a new box the focus itself (mutter a moment after it maps,
# taking it back from xdotool's): the key waits until the box is active.
answer() {
    wait_for 5 message_box >/dev/null || return 1
    answered_box="$(message_box)"
    with_window_manager && wait_for 2 answered_box_active
    xdotool windowfocus --sync "$answered_box" key "$1" 2>/dev/null
}
answered_box_active() { [ "$(active_window)" = "$answered_box" ]; }

# "X Y WIDTH HEIGHT" of a window, in pixels on the screen.
geometry_of() {
    [ -n "$1" ] || return 1  # xwininfo with no id waits for a click
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
# "X Y WIDTH HEIGHT" with X Y the corner of the window manager's frame
# (the client's own when there is none), where the model places a form.
placed_at() {
    local x y w h left top
    read -r x y w h < <(geometry_of "$1") || return 1
    read -r left _ top _ < <(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null |
        sed -n 's/.*= \([0-9]*\), \([0-9]*\), \([0-9]*\), \([0-9]*\)/\1 \2 \3 \4/p')
    echo "$((x - ${left:-0})) $((y - ${top:-0})) $w $h"
}
placed_is() { equals "$(placed_at "$(window_of "$1")")" "$2"; }

# Desktop with a window manager (with_xvfb.sh under XVFB_WM) or a bare server.
with_window_manager() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
# The window manager's active window, as a decimal id.
active_window() { printf '%d' "$(xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*# \(0x[0-9a-f]*\).*/\1/p')"; }
is_active() { equals "$(active_window)" "$(window_of "$1")"; }
# The window manager's minimise (its button, a key, a task list), as xdotool asks for it.
minimise() { xdotool windowminimize "$(window_of "$1")"; }
title_of() { xdotool getwindowname "$1" 2>/dev/null; }
title_is() { [ "$(title_of "$(window_of "$1")")" = "$2" ]; }

# start_program: starts it on the current settings and waits for the call point.
start_program() {
    "$PROGRAM" 2>>"$work/stderr" >/dev/null &
    app=$!
    wait_for 10 shown sp
}
splash_over() { hidden r2; }
# The splash maps a moment after the call point.
start_past_splash() { start_program && wait_for 5 shown r2 && wait_for 20 splash_over; }

# wait_exit SECONDS: true once the program has ended with status 0.
wait_exit() {
    local deadline=$((SECONDS + $1))
    while kill -0 "$app" 2>/dev/null; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.02
    done
    wait "$app"
    local status=$?
    app=""
    return $status
}
kill_program() { kill "$app" 2>/dev/null; wait "$app" 2>/dev/null; app=""; }

# The pixel of the call point for a corner (0 top left ... 3 bottom right).
corner_pixel() {
    case "$1" in
        0) echo "0 0" ;; 1) echo "$((screen_w - 1)) 0" ;;
        2) echo "0 $((screen_h - 1))" ;; *) echo "$((screen_w - 1)) $((screen_h - 1))" ;;
    esac
}
call_point_at() { [ "$(geometry_of "$(window_of sp)")" = "$1 $2 1 1" ]; }

# touch_call_point CORNER: the pointer leaves the corner and touches it.
touch_call_point() {
    local cx cy
    read -r cx cy < <(corner_pixel "$1")
    by_hand mousemove $((cx < 40 ? 40 : cx - 40)) $((cy < 40 ? 40 : cy - 40))
    sleep 0.1
    by_hand mousemove "$cx" "$cy"
}
# open_panel CORNER: touches the call point, again after the timer's
# re-arming period if the first touch was early.
open_panel() {
    local attempt
    for attempt in 1 2; do
        touch_call_point "$1"
        wait_for 2 shown ranch && return 0
        sleep 1.5
    done
    return 1
}

# Design places of the panel's controls, in pixels from its client corner
# (15 twips a pixel), after its load step moved the launcher view up.
slot_xy() { echo "$((4 + ($1 % 2) * 164 + 78)) $((4 + ($1 / 2) * 24 + 12))"; }
tab_xy() { echo "$((4 + 28 * $1 + 14)) $((132 + 16))"; }
sette_xy() { echo "306 148"; }
ssave_xy() { case "$1" in 0) echo "306 104" ;; 1) echo "306 64" ;; *) echo "306 20" ;; esac; }  # 保 終 ?
# Corner options sit in their frame at (4, 4): 左上 右上 over 左下 右下.
corner_option_xy() { echo "$((8 + ($1 % 2) * 76 + 12)) $((20 + ($1 / 2) * 36 + 5))"; }

# reach X Y: the pointer goes there as a hand takes it, the last pixels in a
# motion of their own. Sway's XWayland takes a single jump into a window one
# motion late: a click right after it lands where the pointer was before.
# It returns once the program's X server has the pointer there, so that a
# click after it cannot reach the windows before the move does.
reach() {
    by_hand mousemove $(($1 - 2)) "$2" sleep 0.02 mousemove "$1" "$2"
    wait_for 2 pointer_near "$1" "$2"
}
# Within a pixel: sway's XWayland may round a place down.
pointer_near() {
    local x y
    read -r x y < <(xdotool getmouselocation 2>/dev/null | sed -n 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/p')
    [ -n "$x" ] && (( (x - $1) ** 2 <= 1 && (y - $2) ** 2 <= 1 ))
}

# click_panel X Y [BUTTON]: clicks at a place of the shown panel.
click_panel() {
    local ranch rx ry rw rh
    ranch="$(window_of ranch)" || return 1
    read -r rx ry rw rh < <(geometry_of "$ranch")
    reach $((rx + $1)) $((ry + $2))
    by_hand sleep 0.05 click "${3:-1}"
}
hover_panel() {
    local rx ry rw rh
    read -r rx ry rw rh < <(geometry_of "$(window_of ranch)")
    reach $((rx + $1)) $((ry + $2))
}
click_slot() { click_panel $(slot_xy "$1") "${2:-1}"; }
click_tab() { click_panel $(tab_xy "$1") "${2:-1}"; }
click_sette() { click_panel $(sette_xy); }

# press KEY: a key to the panel, which has the focus while it is shown.
press() { xdotool windowfocus --sync "$(window_of ranch)" key "$1" 2>/dev/null; }

# type_text TEXT: into the focused box. Text beyond ASCII is pasted from the
# clipboard: typed, each such character is mapped to a spare key code for a
# moment, and a busy program that reads the key after that loses it.
type_text() {
    local ascii='^[ -~]*$'
    if [[ "$1" =~ $ascii ]]; then
        by_hand type --delay 4 -- "$1"
        return
    fi
    printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1
    by_hand key ctrl+v
}

# dialog_label_whole X Y PIXELS TEXT: the dialog's label at client pixel
# (X, Y), up to the text boxes, shows its whole text.
dialog_label_whole() {
    local dx dy dw dh
    read -r dx dy dw dh < <(geometry_of "$(window_of toro)") || return 1
    import -window root -crop "$((55 - $1))x15+$((dx + $1))+$((dy + $2))" +repage "$work/label.png"
    text_shows_whole "$work/label.png" "$3" "$4"
}

# fill_dialog TITLE TARGET FOLDER: types the three boxes of the shown dialog,
# each after selecting what it held, and confirms with Enter.
fill_dialog() {
    local toro dx dy dw dh
    toro="$(window_of toro)" || return 1
    read -r dx dy dw dh < <(geometry_of "$toro")
    local box=0 text
    for text in "$@"; do
        reach $((dx + 160)) $((dy + 16 + 24 * box++))
        by_hand click 1 key ctrl+a && type_text "$text"
    done
    by_hand key Return
}

# drag_to_slot CORNER SLOT FILE...: a file manager drags the files over the
# call point, which opens the panel, and drops them on a slot.
drag_to_slot() {
    local corner="$1" slot="$2" cx cy rx ry rw rh sx sy
    shift 2
    drag_begin "$@" || { drag_end; return 1; }
    read -r cx cy < <(corner_pixel "$corner")
    xdotool mousemove "$cx" "$cy"
    wait_for 3 shown ranch || { drag_end; return 1; }
    read -r rx ry rw rh < <(geometry_of "$(window_of ranch)")
    read -r sx sy < <(slot_xy "$slot")
    drag_to $((rx + sx)) $((ry + sy))
    drag_end
}

# shot NAME [WINDOW]: a screenshot of the window (with a margin) or the screen.
shot() {
    if [ -n "${2:-}" ]; then
        local x y w h m=10
        read -r x y w h < <(geometry_of "$2")
        import -window root -crop "$((w + 2 * m))x$((h + 2 * m))+$((x - m))+$((y - m))" +repage \
            "$shots/$1.png"
    else
        import -window root "$shots/$1.png"
    fi
}

# shots_at NAME OFFSET...: screenshots in the background, OFFSET seconds from
# now; wait_shots waits for them (and only them, not the program).
shooters=()
shots_at() {
    local name="$1" offset
    shift
    for offset in "$@"; do
        (sleep "$offset"; shot "$name-$offset") &
        shooters+=($!)
    done
}
wait_shots() { for pid in "${shooters[@]}"; do wait "$pid"; done; shooters=(); }

# small_square_near_centre SHOT: what is not black within 320 pixels of the
# screen's centre is one small thing, a few pixels wide and high.
small_square_near_centre() {
    local w h
    read -r w h < <(convert "$shots/$1.png" -crop "640x640+$((screen_w / 2 - 320))+$((screen_h / 2 - 320))" \
        +repage -trim -format '%w %h' info:)
    [ "$w" -ge 3 ] && [ "$w" -le 16 ] && [ "$h" -ge 3 ] && [ "$h" -le 16 ]
}

# panel_crop X Y W H FILE: a part of the shown panel into a file.
panel_crop() {
    local rx ry rw rh
    read -r rx ry rw rh < <(geometry_of "$(window_of ranch)")
    import -window root -crop "$3x$4+$((rx + $1))+$((ry + $2))" +repage "$5"
}
# slot_face SLOT FILE: the inner face of a slot, clear of border and focus frame.
slot_face() {
    local sx sy
    read -r sx sy < <(slot_xy "$1")
    panel_crop $((sx - 70)) $((sy - 7)) 140 14 "$2"
}
faces_alike() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
faces_differ() { ! faces_alike "$@"; }

# The colour that covers most of a region of the panel, as "R,G,B".
dominant_colour() {
    panel_crop "$@" "$work/region.png"
    convert "$work/region.png" -format %c histogram:info:- | sort -rn |
        sed -n '1s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}
# The status line's colour: the label spans the panel below the tabs.
status_colour() { dominant_colour 40 170 240 14; }
# The status line on rows 168-184 of the panel's client area, the last row
# to spare: its border's two rows round 15 of its colour, none of it cut.
status_line_whole() {
    local rx ry rw rh
    read -r rx ry rw rh < <(geometry_of "$(window_of ranch)") || return 1
    band_whole "$(column_runs $((rx + 300)) $((ry + 160)) $((rh - 160)))" 0,128,0 15
}
status_colour_is() { [ "$(status_colour)" = "$1" ]; }
pixel_at() {
    import -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- |
        sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# INI helpers: the value of a key as the file holds it (still escaped).
ini_value() { sed -n "s/^$1=//p" "$ini"; }
ini_has() { [ "$(ini_value "$1")" = "$2" ]; }
# The nine classic settings and the 300 entry keys, whatever extra options follow.
ini_classic_key_count() {
    grep -cE '^(Version|SUB_LEFT|SUB_TOP|TORO_LEFT|TORO_TOP|MAIN_PLACE|Button_Caption|MAIN_COLOR|Faster|(Exe|APName|APPath)[0-9]{2})=' "$ini"
}

# A program that records where it ran and what it was given.
# make_marker_program PATH MARKER
make_marker_program() {
    mkdir -p "$(dirname "$1")"
    cat >"$1" <<EOF
#!/bin/sh
{ pwd; for a in "\$@"; do echo "arg:\$a"; done; } >'$2.tmp' && mv '$2.tmp' '$2'
EOF
    chmod +x "$1"
}
marker_written() { [ -s "$1" ]; }
