# Drags of files as a file manager makes them, for the desktop test scripts
# (sourced): DRAG_SOURCE, a small Qt program, shows a window at the top left
# and drags the files named to it at a press there. Between drag_begin and
# drag_end the pointer belongs to the drag; drag_taken_as says how the drag
# ended for the file manager ("link", "copy", "move" or "none"), which it
# writes to DRAG_LOG (the sourcing script names a file in its own folder).
drag_pid=""

drag_begin() {
    "$DRAG_SOURCE" "$@" >"$DRAG_LOG" 2>&1 &
    drag_pid=$!
    wait_for 10 xdotool search --onlyvisible --name '^drag source$' >/dev/null || return 1
    xdotool mousemove 100 70 mousedown 1 sleep 0.2 mousemove 400 300 sleep 0.2
}

# drag_to X Y: arrives at the pixel from a few pixels away, as a hand does.
drag_to() { xdotool mousemove $(($1 - 10)) "$2" sleep 0.2 mousemove "$1" "$2" sleep 0.2; }

drag_end() {
    local status=0
    xdotool mouseup 1
    wait_for 5 grep -q '^drop:' "$DRAG_LOG" || status=1
    kill "$drag_pid" 2>/dev/null
    wait "$drag_pid" 2>/dev/null
    drag_pid=""
    return $status
}

drag_taken_as() { grep -qx "drop: $1" "$DRAG_LOG"; }
