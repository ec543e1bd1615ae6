#!/usr/bin/env bash
# Renders Grainpit's icon: the sandbox itself, a pit of sand, water, a tree
# and burning oil (icon-scene.txt) two sweeps in, exactly as grainpit-sim
# draws it. Rerun it whenever the scene or the drawing changes; the build
# does so on its own.
#   icons.sh GRAINPIT_SIM OUTDIR [CONVERT [SIZE...]]
# writes OUTDIR/grainpit-SIZE.png for each size, by default 48, 128 and 256.
set -euo pipefail
sim=$1
out=$2
convert=${3:-convert}
sizes=("${@:4}")
[ ${#sizes[@]} -gt 0 ] || sizes=(48 128 256)
here=$(cd "$(dirname "$0")" && pwd)

# A seed and a moment where the oil is burning and the tree still stands.
seed=4
sweeps=2
# The pit with its walls: cells 20 to 43 across and 36 to 59 down, 8 x 8
# pixels each in the frame.
cells=24
pit=192x192+160+288

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
"$sim" --seed "$seed" --sweeps "$sweeps" --png "$work/frame.png" "$here/icon-scene.txt" >/dev/null
# One pixel per cell first, then each size enlarges that by a whole factor,
# so every cell stays a sharp square; what is left over is a transparent
# margin; sizes below one pixel per cell leave cells out instead. No dates
# in the files, so a rebuild gives the same bytes.
"$convert" "$work/frame.png" -crop "$pit" +repage -sample "${cells}x${cells}" "$work/cells.png"
for size in "${sizes[@]}"; do
  side=$((size >= cells ? size / cells * cells : size))
  "$convert" "$work/cells.png" -sample "${side}x${side}" \
    -background none -gravity center -extent "${size}x${size}" \
    -define png:exclude-chunks=date,time "PNG32:$out/grainpit-$size.png"
done
