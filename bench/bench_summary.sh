# Shared by the start-up benches.
# `summary WHAT UNIT DIVISOR VALUES...`: the median and range of a list of integers.
summary() {
  local what=$1 unit=$2 div=$3; shift 3
  printf '%s\n' "$@" | sort -n | awk -v what="$what" -v unit="$unit" -v div="$div" '{a[NR]=$1} END {
    if (NR == 0) { printf "%s: no results\n", what; exit }
    m = NR % 2 ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2
    printf "%s over %d runs: median %.1f %s, range %.1f to %.1f %s\n", what, NR, m/div, unit, a[1]/div, a[NR]/div, unit }'
}
