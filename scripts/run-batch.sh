#!/usr/bin/env bash
# The main job on Linux: one QR Code image per line of FILE (default
# samples/lines.txt) into OUTDIR (default ./out), with qrbatch.
# Usage: scripts/run-batch.sh [FILE] [OUTDIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
input=${1:-$here/samples/lines.txt}
outdir=${2:-$PWD/out}

bash "$here/scripts/setup-debian.sh"
cmake -S "$here" -B "$here/build" -G Ninja >/dev/null
cmake --build "$here/build" --target qrbatch -j "$(nproc)"

status=0
"$here/build/app/qrbatch/qrbatch" -o "$outdir" "$input" || status=$?
echo "Images in $outdir: $(find "$outdir" -name '*.jpg' | wc -l)"
exit $status
