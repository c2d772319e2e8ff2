# The whole-process figures of both builds: reads lines "PROGRAM
# MILLISECONDS PEAK-KiB", one per run, and prints the medians side by side
# with the ratios of "launcher" against "minimal" and the goals (-v
# start_goal=1.15 -v peak_goal=1.05); any other program gets a row and a
# ratio of its own.
function median(a, n,    i, j, t) {
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
!($1 in n) { if ($1 != "launcher" && $1 != "minimal") extra[++extras] = $1 }
{ n[$1]++; ms[$1, n[$1]] = $2; kb[$1, n[$1]] = $3 }
END {
    printf "%-10s %5s %12s %16s %14s\n", "program", "runs", "start ms", "(min - max)", "peak MiB"
    rows = split("launcher minimal", order, " ")
    for (e = 1; e <= extras; e++) order[++rows] = extra[e]
    for (o = 1; o <= rows; o++) {
        k = order[o]
        for (i = 1; i <= n[k]; i++) { t[i] = ms[k, i]; m[i] = kb[k, i] }
        tm[k] = median(t, n[k]); mm[k] = median(m, n[k])
        printf "%-10s %5d %12.1f %7.1f - %6.1f %14.1f\n", k, n[k], tm[k], t[1], t[n[k]], mm[k] / 1024
    }
    printf "ratio launcher/minimal: start time %.2fx, peak memory %.2fx (goal %sx, %sx)\n",
        tm["launcher"] / tm["minimal"], mm["launcher"] / mm["minimal"], start_goal, peak_goal
    for (e = 1; e <= extras; e++) {
        k = extra[e]
        printf "ratio launcher/%s: start time %.2fx, peak memory %.2fx; %s/minimal: %.2fx, %.2fx\n", k,
            tm["launcher"] / tm[k], mm["launcher"] / mm[k], k, tm[k] / tm["minimal"], mm[k] / mm["minimal"]
    }
}
