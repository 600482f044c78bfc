#!/usr/bin/env bash
# Figures of korvo-cli against korvo-unit-sim on a pseudo-terminal, from process start
# to exit: program (backup read, write, verify, and the wait for the unit's saving),
# verify, read, and the time a silent unit takes to be given up.
#
#   bench/cli_figures.sh [build folder] [runs]
#
# Targets: program under 0.6 s plus the simulated unit's saving time (1.1 s), verify
# under 0.5 s, a silent unit given up within 2 s.
set -euo pipefail

build=${1:-build}
runs=${2:-10}
cli=$build/app/korvo-cli/korvo-cli
sim=$build/tools/korvo-unit-sim
[[ -x $cli && -x $sim ]] || { echo "build korvo-cli and korvo-unit-sim first (in $build)" >&2; exit 1; }

work=$(mktemp -d)
sim_pid=
cleanup()
{
    [[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data

start_sim()
{
    [[ -n $sim_pid ]] && { kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true; }
    "$sim" --link "$work/tty" "$@" > "$work/sim.out" &
    sim_pid=$!
    for _ in $(seq 100); do [[ -s $work/sim.out ]] && break; sleep 0.02; done
}

# Prints min / median / max in seconds of a command run $runs times.
measure()
{
    local name=$1 expect=$2
    shift 2
    local times=()
    for _ in $(seq "$runs"); do
        local t0 t1 rc=0
        t0=$(date +%s%N)
        "$@" > /dev/null 2>&1 || rc=$?
        t1=$(date +%s%N)
        [[ $rc == "$expect" ]] || { echo "$name: exit $rc, expected $expect" >&2; exit 1; }
        times+=("$(( (t1 - t0) / 1000000 ))")
    done
    printf '%s\n' "${times[@]}" | sort -n | awk -v name="$name" '
        { t[NR] = $1 }
        END { printf "%-28s min %.3f s  median %.3f s  max %.3f s  (%d runs)\n",
                     name, t[1] / 1000, t[int((NR + 1) / 2)] / 1000, t[NR] / 1000, NR }'
}

start_sim
"$cli" --port "$work/tty" read -o "$work/a.ign"
# A second set, so that every program changes the unit and keeps a backup.
sed 's/^LIMITER  *[0-9]*/LIMITER       120/' "$work/a.ign" > "$work/b.ign"

program_alternating()
{
    if [[ -e $work/next-b ]]; then rm "$work/next-b"; f=b; else touch "$work/next-b"; f=a; fi
    "$cli" --port "$work/tty" program "$work/$f.ign"
}

echo "korvo-cli against korvo-unit-sim, $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"
measure "program (saving 1.1 s)" 0 program_alternating
"$cli" --port "$work/tty" program "$work/a.ign" > /dev/null
measure "verify" 0 "$cli" --port "$work/tty" verify "$work/a.ign"
measure "read" 0 "$cli" --port "$work/tty" read
measure "info" 0 "$cli" --port "$work/tty" info
start_sim --silent
measure "verify, silent unit" 3 "$cli" --port "$work/tty" verify "$work/a.ign"
