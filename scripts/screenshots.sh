#!/bin/sh
# Screenshots of Tavrix's windows on a virtual display (Xvfb).
#
#   scripts/screenshots.sh [OUTDIR]       (default OUTDIR: screenshots)
#
# Starts the program itself and grabs the screen with its window at rest,
# and again started with a command line (a split at once), then runs the
# tour of the windows (tests/ui/screenshot_tour.cpp): the floppy picker, the
# window enlarged during a split (reading and writing) with the estimate and
# "Space on" rows, the prompts, the target picker of a restore, the About
# box and the help viewer, on floppies made of temporary directories.
set -eu
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
OUT=${1:-screenshots}

cmake -S . -B "$BUILD" >/dev/null
cmake --build "$BUILD" -j2 --target tavrix tavrix_screenshot_tour
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
TOUR="$BUILD/tests/ui/tavrix_screenshot_tour"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/floppy" "$WORK/home" "$WORK/floppy2"
head -c 3000000 /dev/urandom > "$WORK/home/big.zip"

# Everything below runs on one display; Qt must not fall back elsewhere.
cat > "$WORK/session.sh" <<SESSION
#!/bin/sh
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
"$BUILD/src/tavrix" --drive "a=$WORK/floppy,geometry=1.44m" --drive "c=$WORK/home" &
pid=\$!
sleep 2
"$TOUR" --grab "$OUT/00_program.png" && echo "saved $OUT/00_program.png"
kill \$pid
wait \$pid 2>/dev/null || true
"$BUILD/src/tavrix" "$WORK/home/big.zip" a --drive "a=$WORK/floppy2,geometry=1.44m" --drive "c=$WORK/home" &
pid=\$!
sleep 3
"$TOUR" --grab "$OUT/00_command_line.png" && echo "saved $OUT/00_command_line.png"
kill \$pid
wait \$pid 2>/dev/null || true
"$TOUR" "$OUT"
SESSION
chmod +x "$WORK/session.sh"
xvfb-run -a -s "-screen 0 800x600x24" "$WORK/session.sh"
