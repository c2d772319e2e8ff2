# Checks for the desktop test scripts (sourced): each prints a line and is
# counted, with what the command said when it failed; wait_for polls a
# condition within a time limit; finish_checks prints the tally.
passed=0
failed=0

# Runs in this shell, so a checked command may set what later ones read.
check() {
    local name="$1" said
    shift
    said="$(mktemp)"
    if "$@" >"$said" 2>&1; then
        passed=$((passed + 1)); echo "ok: $name"
    else
        failed=$((failed + 1)); echo "FAILED: $name"
        sed 's/^/  /' "$said"
    fi
    rm -f "$said"
}

equals() { [ "$1" = "$2" ] || { echo "got '$1', expected '$2'"; return 1; }; }

# wait_for SECONDS COMMAND...: polls until the command succeeds, every
# POLL_SECONDS (a script whose conditions are costly to look at sets more).
POLL_SECONDS=0.05
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep "$POLL_SECONDS"
    done
}

# The script's status says whether anything failed.
finish_checks() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
