#!/usr/bin/env bash
# A mutation sample: puts N realistic one-line faults into a scratch copy of the sources, one at a
# time, rebuilds incrementally, runs the suite, and prints which faults it let through. Not part
# of CI; run it on what you change.
#
#   scripts/mutants.sh [N] [FOLDER...]
#
# N defaults to 30; the folders to src/rom src/document src/base src/ratings, taken in turn. The
# faults come from a short list of patterns, one per mutant:
#   flip   a comparison turned into its neighbour (< and <=, > and >=, == and !=)
#   off    a number in the code one more or one less (a bound, an offset, a size)
#   drop   a refusal dropped: the throw (or the call that refuses) after an if is skipped
# A mutant that does not build is replaced by another and not counted.
#
# Environment: KVX_MUTANTS_SEED (the same seed draws the same sample from the same sources),
# KVX_MUTANTS_BUILD (scratch folder, default build-mutants), KVX_MUTANTS_GUI=ON (build and run the
# Qt tests too; off by default, as they take most of the time), KVX_MUTANTS_LIST (a file of mutant
# lines as this script prints them, "FILE:LINE KIND: BEFORE => AFTER", or the output of an earlier
# run, whose survivors are tried again instead of a sample, for instance after adding tests).
set -euo pipefail

count="${1:-30}"
shift || true
folders=("$@")
[ ${#folders[@]} -eq 0 ] && folders=(src/rom src/document src/base src/ratings)

KVX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
scratch="${KVX_MUTANTS_BUILD:-$KVX_ROOT/build-mutants}"
seed="${KVX_MUTANTS_SEED:-$RANDOM}"
gui="${KVX_MUTANTS_GUI:-OFF}"
command -v python3 > /dev/null || {
    echo "mutants.sh needs python3 (apt-get install python3)" >&2
    exit 2
}

# The scratch copy: the working tree as it is (uncommitted changes included). Only files whose
# content differs are copied, with a fresh time stamp, so the scratch build stays incremental and
# never keeps an object built from a mutant.
tree="$scratch/tree"
build="$scratch/build"
mkdir -p "$tree"
(cd "$KVX_ROOT" && git ls-files -co --exclude-standard) | while IFS= read -r file; do
    [ -f "$KVX_ROOT/$file" ] || continue
    if ! cmp -s "$KVX_ROOT/$file" "$tree/$file"; then
        mkdir -p "$(dirname "$tree/$file")"
        cp "$KVX_ROOT/$file" "$tree/$file"
    fi
done

if [ ! -f "$build/build.ninja" ]; then
    # Without -Werror: a fault may well draw a warning and should still be tried.
    cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVX_WERROR=OFF \
        -DKVX_BUILD_BENCH=OFF -DKVX_BUILD_GUI="$gui" > "$scratch/configure.log"
fi

rebuild() { nice -n 10 cmake --build "$build" < /dev/null > "$scratch/build.log" 2>&1; }

# Runs the suite, stopping at the first failure; prints the failing test, if any. A fault that
# makes it hang is caught by the time limit (the suite takes well under a minute).
suite() {
    local log="$scratch/test.log" status=0
    timeout 300 "$build/tests/kvx_core_tests" --gtest_fail_fast --gtest_brief=1 < /dev/null \
        > "$log" 2>&1 ||
        status=$?
    if [ $status -eq 0 ] && [ "$gui" = ON ]; then
        QT_QPA_PLATFORM=offscreen timeout 300 "$build/tests/kvx_ui_tests" < /dev/null > "$log" 2>&1 ||
            status=$?
    fi
    if [ $status -ne 0 ]; then
        grep -m1 -E '^\[  FAILED  \]|^FAIL!|Segmentation|Aborted' "$log" || echo "exit status $status"
    fi
    return $status
}

echo "Building the scratch copy in $scratch ..."
rebuild || {
    echo "The unchanged sources do not build; see $scratch/build.log" >&2
    exit 2
}
suite > /dev/null || {
    echo "The suite fails on the unchanged sources; see $scratch/test.log" >&2
    exit 2
}

# Candidates, in the order to try them: "FILE:LINE KIND: BEFORE => AFTER" with the whole lines.
candidates="$scratch/candidates.txt"
if [ -n "${KVX_MUTANTS_LIST:-}" ]; then
    # Its survivors as this script prints them, or bare mutant lines.
    sed -E 's/^ *(survived: |\[[0-9]+\/[0-9]+\] SURVIVED )//' "$KVX_MUTANTS_LIST" |
        grep -E '^[^ ]+:[0-9]+ (flip|off|drop): ' | sort -u > "$candidates" || true
    count=$(wc -l < "$candidates")
else
    python3 - "$tree" "$seed" "${folders[@]}" > "$candidates" << 'EOF'
import random, re, sys
from pathlib import Path

tree, seed, folders = Path(sys.argv[1]), int(sys.argv[2]), sys.argv[3:]
rng = random.Random(seed)
FLIPS = {"<=": "<", "<": "<=", ">=": ">", ">": ">=", "==": "!=", "!=": "=="}
COMPARISON = re.compile(r" (<=|>=|==|!=|<|>) ")
NUMBER = re.compile(r"(?<![\w.'])(0x[0-9A-Fa-f]+|\d+)(?![\w.'])")
REFUSAL = re.compile(r"^(\s*)(?:if \(.*\) )?(throw |damaged\(|fail\(|failAt\(|refuse\w*\()")

def code_only(line):
    """The line with its comment and the insides of its literals blanked out."""
    out, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  "); i += 2; continue
            out.append(c if c == quote else " ")
            if c == quote:
                quote = None
        elif c in "\"'" and not (c == "'" and i and line[i - 1].isalnum() and
                                 i + 1 < len(line) and line[i + 1].isalnum()):
            quote = c; out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out).ljust(len(line))

def mutants(path):
    lines = path.read_text().split("\n")
    for n, line in enumerate(lines):
        code = code_only(line)
        stripped = code.strip()
        if not stripped or stripped.startswith(("#", "static_assert", "//", "*")):
            continue
        for m in COMPARISON.finditer(code):
            op = m.group(1)
            yield n, "flip", line[:m.start(1)] + FLIPS[op] + line[m.end(1):]
        numbers = list(NUMBER.finditer(code))
        if numbers:
            m = rng.choice(numbers)
            delta = rng.choice(["+ 1", "- 1"]) if m.group(1) not in ("0",) else "+ 1"
            yield n, "off", line[:m.start()] + "(" + m.group(1) + " " + delta + ")" + line[m.end():]
        r = REFUSAL.match(code)
        if r and ("if (" in stripped or (n and lines[n - 1].strip().startswith("if ("))
                  or (n and lines[n - 1].strip().startswith("else if ("))):
            at = r.start(2)
            if n + 1 < len(lines) and lines[n + 1].strip().startswith("else"):
                continue
            yield n, "drop", line[:at] + "if (false) " + line[at:]

picked, by_folder = [], []
for folder in folders:
    files = sorted(p for p in (tree / folder).rglob("*") if p.suffix in (".cpp", ".h"))
    kinds = {"flip": [], "off": [], "drop": []}
    for f in files:
        original = f.read_text().split("\n")
        for n, kind, after in mutants(f):
            kinds[kind].append((f.relative_to(tree), n + 1, kind, original[n], after))
    for pool in kinds.values():
        rng.shuffle(pool)
    by_folder.append(kinds)
# Folders in turn, and within a folder the three kinds in turn, as long as any are left.
turn = 0
while any(any(k.values()) for k in by_folder):
    for kinds in by_folder:
        names = [k for k in ("flip", "off", "drop") if kinds[k]]
        if names:
            f, n, kind, before, after = kinds[names[turn % len(names)]].pop()
            print(f"{f}:{n} {kind}: {before.strip()} => {after.strip()}")
    turn += 1
EOF
fi

survivors=()
tried=0
caught=0
current=""
# Puts back the file as it was before the mutant, with a fresh time stamp, so that it is rebuilt.
restore() {
    [ -n "$current" ] && cp "$scratch/unmutated" "$tree/$current"
    current=""
}
trap restore EXIT

sample="Seed $seed"
[ -n "${KVX_MUTANTS_LIST:-}" ] && sample="From $KVX_MUTANTS_LIST"
echo "$sample: up to $count mutants"
while [ $tried -lt "$count" ] && IFS= read -r -u 3 mutant; do
    location="${mutant%% *}"
    file="${location%:*}"
    line="${location##*:}"
    cp "$tree/$file" "$scratch/unmutated"
    current="$file"
    # Replace the one line, keeping its indentation. A list from an earlier run may name a line
    # that has moved since: the nearest line that still reads as before is taken.
    if ! python3 - "$tree/$file" "$line" "$mutant" << 'EOF'
import re, sys
path, n, mutant = sys.argv[1], int(sys.argv[2]), sys.argv[3]
before, after = re.match(r"^\S+ \w+: (.*?) => (.*)$", mutant).groups()
lines = open(path).read().split("\n")
found = sorted((i for i, l in enumerate(lines) if l.strip() == before), key=lambda i: abs(i - n + 1))
if not found:
    sys.exit(1)
i = found[0]
lines[i] = lines[i][:len(lines[i]) - len(lines[i].lstrip())] + after
open(path, "w").write("\n".join(lines))
EOF
    then
        echo "no longer in the sources: $mutant"
        current=""
        continue
    fi
    if ! rebuild; then
        restore
        [ -n "${KVX_MUTANTS_LIST:-}" ] && echo "did not build: $mutant"
        continue
    fi
    tried=$((tried + 1))
    if failure=$(suite); then
        survivors+=("$mutant")
        echo "[$tried/$count] SURVIVED $mutant"
    else
        caught=$((caught + 1))
        echo "[$tried/$count] caught   $mutant -- $failure"
    fi
    restore
done 3< "$candidates"
rebuild < /dev/null || true

echo
echo "$sample: $tried mutants, $caught caught, ${#survivors[@]} survived" \
    "($((tried ? 100 * caught / tried : 0))% caught)"
for mutant in "${survivors[@]}"; do
    echo "  survived: $mutant"
done
