#!/usr/bin/env bash
# How evenly the clock face shows the seconds: starts the program in a
# throw-away data folder, reads the clock face's pixels off the X display
# every few milliseconds for SECONDS seconds (default 60) and notes the
# moment each new picture appears. Prints how long each second stayed on the
# face (shortest, longest) and how late after the second's start it appeared.
# Run inside an X session, e.g.  xvfb-run -a scripts/measure-seconds.sh
#
#   scripts/measure-seconds.sh [SECONDS] [PROGRAM]
#
# The figures are as fine as the sampling period it prints; they cover the
# picture reaching the X server, not the monitor.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
program=$(realpath "${2:-$here/build/src/tavenel}")
setup=$(dirname "$program")/tavenel-setup
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$setup" "$folder" "$here/data" >/dev/null
sqlite3 "$folder/scheduler.mdb" "UPDATE signal SET f6 = 'U'"   # no help page
(cd "$folder" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null exec "$program") &
pid=$!
window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the clock window did not appear" >&2; kill "$pid"; exit 1; }
sleep 2
python3 - "$window" "$seconds" <<'PY'
import ctypes, math, sys, time, zlib

window, seconds = int(sys.argv[1]), float(sys.argv[2])
x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XDestroyImage.argtypes = [ctypes.c_void_p]

class XImage(ctypes.Structure):  # the leading fields of Xlib's XImage
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int)]

display = x11.XOpenDisplay(None)
ALL_PLANES, Z_PIXMAP = 0xFFFFFFFF, 2
# The clock face and its frame: the top-left 368 x 112 pixels of the window.
def grab():
    image = x11.XGetImage(display, window, 0, 0, 368, 112, ALL_PLANES, Z_PIXMAP)
    head = XImage.from_address(image)
    value = zlib.crc32(ctypes.string_at(head.data, head.bytes_per_line * head.height))
    x11.XDestroyImage(image)
    return value

changes, samples, last = [], 0, None
end = time.time() + seconds
while True:
    now = time.time()
    if now > end:
        break
    picture = grab()
    samples += 1
    if picture != last:
        changes.append(now)
        last = picture
    time.sleep(0.004)
period = seconds / samples * 1000
changes = changes[1:]  # the first sample is no change
stays = [b - a for a, b in zip(changes, changes[1:])]
late = [(t - math.floor(t)) * 1000 for t in changes]
print(f"sampled every {period:.1f} ms on average; {len(changes)} new pictures in {seconds:.0f} s")
if stays:
    even = sum(1 for stay in stays if abs(stay - 1) <= 0.05)
    print(f"a second stayed on the face: shortest {min(stays):.3f} s, longest {max(stays):.3f} s; "
          f"{even} of {len(stays)} within 1.00 +- 0.05 s")
    late.sort()
    print(f"shown after the second's start: median {late[len(late) // 2]:.0f} ms, "
          f"90th percentile {late[len(late) * 9 // 10]:.0f} ms, latest {late[-1]:.0f} ms "
          f"(each figure up to one sampling period late)")
PY
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
