# Checks for the desktop test scripts (sourced): each prints a line and is
# counted; wait_for polls a condition within a time limit.
passed=0
failed=0

check() {
    local name="$1"
    shift
    if "$@" >/dev/null 2>&1; then
        passed=$((passed + 1)); echo "ok: $name"
    else
        failed=$((failed + 1)); echo "FAILED: $name"
    fi
}

# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.05
    done
}
