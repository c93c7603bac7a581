#!/usr/bin/env bash
# Installs the Debian package into a clean Debian 12 tree and uses the program there as a
# user would: a normal account, a real X server (xvfb-run), mouse and keys from xdotool.
# It takes a photo with Space, saves it from the tray through the real save dialog, quits
# through the title bar's close button, checks what is left behind, and removes the package.
#
# Usage (as root): scripts/installed-walkthrough.sh ROOT DEB [SHOTS]
#   ROOT   a Debian 12 tree, made with: debootstrap --variant=minbase bookworm ROOT
#   DEB    the package, e.g. build-pkg/ivemba_2.0_amd64.deb
#   SHOTS  a folder for screenshots of each step (default: no screenshots)
set -euo pipefail
root=$(realpath "$1")
deb=$(realpath "$2")
shots=${3:-}
user=walker

for m in proc sys dev dev/pts; do
    mountpoint -q "$root/$m" || mount --bind "/$m" "$root/$m"
done
trap 'for m in dev/pts dev sys proc; do umount "$root/$m" 2>/dev/null || true; done' EXIT
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/ivemba.deb"

inside() { chroot "$root" env DEBIAN_FRONTEND=noninteractive bash -c "$1"; }
as_user() { chroot --userspec="$user:$user" "$root" env HOME="/home/$user" USER="$user" bash -c "$1"; }

echo "== install the package with apt"
inside 'apt-get update -qq && apt-get install -y -qq /tmp/ivemba.deb xvfb xauth xdotool >/dev/null'
inside "id $user >/dev/null 2>&1 || useradd -m -s /bin/bash $user"
inside "rm -rf /home/$user/.local/share/ivemba /home/$user/Pictures && \
        install -d -o $user -g $user /home/$user/Pictures"
[[ -w "$root/usr/bin" ]] && inside "su $user -c 'test ! -w /usr/bin'"

# The camera is a still picture: a gradient with a red disc.
python3 - "$root/home/$user/camera.png" <<'EOF'
import struct, sys, zlib
w, h = 320, 240
rows = b''.join(b'\0' + b''.join(
    bytes([200, 50, 50]) if (x - 160) ** 2 + (y - 120) ** 2 < 3600
    else bytes([x * 255 // 319, y * 255 // 239, 140]) for x in range(w)) for y in range(h))
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
open(sys.argv[1], 'wb').write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
                             + chunk(b'IDAT', zlib.compress(rows)) + chunk(b'IEND', b''))
EOF
chmod 644 "$root/home/$user/camera.png"

# Screen positions of the 800×600 window, centred on the 1024×768 screen.
cat >"$root/tmp/walk.sh" <<'EOF'
#!/bin/bash
set -u
shot() { [[ -n "$SHOTS" ]] && import -window root "$HOME/shot-$1.png" 2>/dev/null || true; }
cd "$HOME"
IVEMBA_TEST_CAMERA="$HOME/camera.png" IVEMBA_SITE_BASE=http://127.0.0.1:9 ivemba >"$HOME/ivemba.log" 2>&1 &
program=$!
sleep 5; shot 1-start
xdotool mousemove 315 475 click 1; sleep 1      # the second border of the list
xdotool mousemove 515 280 click 1; sleep 0.3    # the view takes the keyboard
xdotool key space; sleep 1.5; shot 2-photo
xdotool mousemove 465 105 click 1; sleep 1.5    # the tray tab
shot 3-tray
xdotool mousemove 376 318 click 1; sleep 3      # the card's save button
shot 4-save-dialog
xdotool type --delay 40 sticker; xdotool key Return; sleep 2
xdotool mousemove 885 103 click 1; sleep 1.5    # the close button, then "Yes"
shot 5-quit
xdotool mousemove 458 362 click 1
for _ in $(seq 50); do kill -0 $program 2>/dev/null || break; sleep 0.1; done
if kill -0 $program 2>/dev/null; then echo "the program did not quit"; kill $program; exit 1; fi
wait $program
echo "the program quit with code $?"
EOF
chmod 755 "$root/tmp/walk.sh"
rm -f "$root/home/$user"/shot-*.png "$root/home/$user/Pictures/"*
[[ -n "$shots" ]] && inside 'apt-get install -y -qq imagemagick >/dev/null'

echo "== walk through as $user under xvfb-run"
as_user "SHOTS='$shots' xvfb-run -a -s '-screen 0 1024x768x24' /tmp/walk.sh"

if [[ -n "$shots" ]]; then
    mkdir -p "$shots"
    cp "$root/home/$user"/shot-*.png "$shots/"
fi

echo "== what is left"
data="$root/home/$user/.local/share/ivemba"
status=0
[[ -f "$data/borders/borders.xml" ]] || { echo "no borders in the per-user folder"; status=1; }
[[ ! -e "$data/ivemba.swf" ]] || { echo "the movie file was left behind"; status=1; }
photo="$root/home/$user/Pictures/sticker.jpg"
if [[ -f "$photo" ]]; then
    file "$photo"
    file "$photo" | grep -q '240x180' || { echo "the photo is not 240x180"; status=1; }
else
    echo "no photo saved in Pictures"
    status=1
fi
find "$data" -maxdepth 2 | sed "s|$root||" | sort
# The desktop menu starts what the entry's Exec names; it must be the installed program.
exec_line=$(grep -m1 '^Exec=' "$root/usr/share/applications/ivemba.desktop" | cut -d= -f2 | cut -d' ' -f1)
[[ "$(inside "command -v $exec_line")" == /usr/bin/ivemba ]] || {
    echo "the desktop entry starts '$exec_line', not /usr/bin/ivemba"
    status=1
}

echo "== remove the package"
inside 'apt-get remove -y -qq ivemba >/dev/null'
for f in /usr/bin/ivemba /usr/bin/ivemba-player /usr/bin/ivemba-site /usr/share/ivemba \
    /usr/share/applications/ivemba.desktop /usr/share/metainfo/cn.ivemba.ivemba.metainfo.xml; do
    [[ ! -e "$root$f" ]] || { echo "left behind by the removal: $f"; status=1; }
done
((status == 0)) && echo "walkthrough passed" || tail -20 "$root/home/$user/ivemba.log"
exit $status
