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

# column_runs X Y HEIGHT: the colours down a column of the screen, each as
# "r,g,b:rows" for a run of equal pixels.
column_runs() {
    import -window root -crop "1x$3+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | uniq -c |
        awk '{printf "%s:%s ", $2, $1}'
}
# band_whole RUNS COLOUR ROWS: the runs hold ROWS of COLOUR between two
# one-row lines of one colour: a bordered band shown whole.
band_whole() { grep -Eq "(^| )([0-9,]+):1 $2:$3 \2:1 " <<<"$1" || { echo "$1"; return 1; }; }

# text_shows_whole CROP PIXELS TEXT: what is drawn on the crop's plain ground
# is as wide as TEXT set in IPA P Gothic of that pixel size (what both builds
# show for ＭＳ Ｐゴシック here): nothing of it is cut.
text_shows_whole() {
    local shown whole
    shown=$(convert "$1" -fuzz 30% -format %@ info: | sed 's/x.*//')
    whole=$(convert -font /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf -pointsize "$2" "label:$3" \
        -fuzz 30% -format %@ info: | sed 's/x.*//')
    [ "$shown" -ge $((whole - 2)) ] || { echo "$3: $shown pixels of ink, the whole text $whole"; return 1; }
}

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
