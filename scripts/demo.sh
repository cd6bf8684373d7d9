#!/bin/sh
# The demonstration behind `make run`: the ssl2 tool on the bundled examples.
# Everything it writes goes into a temporary directory that is removed afterwards.
set -eu
build=${1:-build/dev}
ssl2="$build/tools/ssl2/ssl2"
tickets=examples/tickets
capas=examples/capas
work=$(mktemp -d "${TMPDIR:-/tmp}/ssl2-demo.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

step() { printf '\n\033[1m$ %s\033[0m\n' "$*"; }
# Runs a step; a non-zero exit is shown, not fatal (some steps show errors on purpose).
run() { step "ssl2 $*"; "$ssl2" "$@" || echo "(exit code $?)"; }

"$ssl2" --version

# Checking: a clean ticket, then one with mistakes (exit code 1).
run check "$tickets/simple.ssl" "$tickets/twenty_files.ssl"
run check "$tickets/syntax_errors.ssl"

# What a ticket asks for: a readable summary, the file table of a larger job, JSON.
run show "$tickets/simple.ssl"
step "ssl2 show $tickets/twenty_files.ssl | sed -n '/^Files/,\$p'"
"$ssl2" show "$tickets/twenty_files.ssl" | sed -n '/^Files/,$p'
step "ssl2 show --json $tickets/simple.ssl | head -n 20"
"$ssl2" show --json "$tickets/simple.ssl" | head -n 20

# An old 1.5 ticket written as 5.0 (the reader notes what it ignored).
run convert "$tickets/old_style_15.ssl" -o "$work/survey.ssl" --dialect 5.0
step "head -n 12 $work/survey.ssl"
head -n 12 "$work/survey.ssl"

# Delivery needs the files a ticket names: make them, and a ticket that points there.
mkdir -p "$work/in" "$work/out"
printf 'IN;SP1;PU0,0;PD1000,1000;\n' >"$work/in/ground-floor.plt"
sed "s#/srv/plot/in#$work/in#" "$tickets/simple.ssl" >"$work/job.ssl"
run deliver "$work/job.ssl" --to "$work/out"
step "ls -R $work/out"
ls -R "$work/out"

# What the example plotters can do together, and one of them alone.
run capas "$capas/classic3000_v3.ini" "$capas/rolljet_folder.ini" "$capas/sheetpro_a3.ini"
run capas "$capas/sheetpro_a3.ini" --plotter "SheetPro A3" --statement MediaType
