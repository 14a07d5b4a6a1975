#!/usr/bin/env bash
# Installs a rovuzu package on a clean Debian 12 the way a player would, with
# `apt-get install ./rovuzu_<version>_<arch>.deb`: in a minimal bookworm made here with
# debootstrap from Debian's mirror, so that nothing of this machine's packages helps. Then, as
# an ordinary user with only /usr/bin and /bin on the PATH, plays a round headless with the
# resources the binary finds itself, loads the camera module, and removes the package with
# `apt-get remove`, which must leave none of its files behind. Prints each step's time.
# Needs root (through sudo otherwise) and the mirror; ROVUZU_DEBIAN_MIRROR and
# ROVUZU_DEBIAN_SECURITY_MIRROR name others.
#   scripts/clean-install.sh DEB
set -euo pipefail
[ "$(id -u)" -eq 0 ] || exec sudo "$0" "$@"
cd "$(dirname "$0")/.."
deb=$(realpath "$1")
mirror=${ROVUZU_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security=${ROVUZU_DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
root=$PWD/build/package/clean-root
log=$PWD/build/package/clean-install.log

say() { echo "clean install: $*"; }
fail() {
  echo "rovuzu: clean install: $*" >&2
  exit 1
}
# The chroot's own /proc and /dev/pts are mounted while it exists; never delete through a mount.
unmake() {
  local mount
  for mount in "$root/dev/pts" "$root/proc"; do
    if mountpoint -q "$mount"; then umount "$mount"; fi
  done
  rm -rf --one-file-system "$root"
}
trap unmake EXIT
inside() {
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"
}
as_player() {
  chroot "$root" setpriv --reuid=player --regid=player --init-groups \
    env -i HOME=/home/player PATH=/usr/bin:/bin "$@"
}
# Runs a step with its output in the log, stopping at its first failing command.
timed() {
  local what=$1 start=$SECONDS status
  shift
  set +e
  (
    set -e
    "$@"
  ) >>"$log" 2>&1
  status=$?
  set -e
  if [ $status -ne 0 ]; then
    tail -n 20 "$log" >&2
    fail "$what failed (the whole log: $log)"
  fi
  say "$what: $((SECONDS - start)) s"
}

make_system() {
  debootstrap --variant=minbase bookworm "$root" "$mirror"
  cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
EOF
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  mount -t proc proc "$root/proc"
  mount --bind /dev/pts "$root/dev/pts"
  inside apt-get update -q
  inside useradd --create-home player
}

install_package() {
  cp "$deb" "$root/tmp/"
  inside sh -c "cd /tmp && apt-get install -y -q ./$(basename "$deb")"
}

play_round() {
  local home=$root/home/player version
  [ "$(as_player sh -c 'command -v rovuzu')" = /usr/bin/rovuzu ] ||
    fail "rovuzu is not a command in /usr/bin"
  version=$(inside dpkg-query -W -f='${Version}' rovuzu)
  [ "$(as_player rovuzu --version)" = "rovuzu $version" ] || fail "--version does not say $version"
  as_player sh -c 'cd && rovuzu --headless --autoplay --report round.json --screenshot round.png \
    >/dev/null 2>stderr.txt' || fail "the round failed: $(cat "$home/stderr.txt")"
  # Nothing on stderr: the resources, the fonts Lato stands in for and the sounds were found.
  [ ! -s "$home/stderr.txt" ] || fail "the round said: $(cat "$home/stderr.txt")"
  grep -Eq '"gameOver": true' "$home/round.json" || fail "the round did not end"
  say "a round from /usr/bin: $(grep -E '"(targetsCreated|elapsedText)"' "$home/round.json" |
    sed -E 's/^ *//; s/,$//' | paste -sd ' ')"
}

# The module loads, OpenCV with it, and only then finds there is no such video.
load_camera_module() {
  local camera
  camera=$(as_player rovuzu --headless --camera-file /nonexistent --quit-after 0 2>&1)
  [[ $camera == *"cannot open the video"* ]] || fail "the camera module did not load: $camera"
  say "the camera module loads"
}

remove_package() {
  inside dpkg-query -L rovuzu >"$root/tmp/rovuzu.list"
  inside apt-get remove -y -q rovuzu
}

# Every file the package had is gone; a folder may stay only while another package owns it.
check_nothing_left() {
  local left=()
  while read -r path; do
    if [ -d "$root$path" ] && [ ! -L "$root$path" ]; then
      inside dpkg-query -S "$path" >/dev/null 2>&1 || left+=("$path")
    elif [ -e "$root$path" ] || [ -L "$root$path" ]; then
      left+=("$path")
    fi
  done <"$root/tmp/rovuzu.list"
  [ ${#left[@]} -eq 0 ] || fail "left behind: ${left[*]}"
  local status
  status=$(inside dpkg-query -W -f='${db:Status-Status}' rovuzu 2>/dev/null || true)
  case $status in
    "" | not-installed) ;;
    *) fail "dpkg still has rovuzu, as $status" ;;
  esac
  say "nothing of rovuzu is left"
}

unmake
mkdir -p "$(dirname "$root")"
: >"$log"
start=$SECONDS
timed "a minimal Debian 12 (debootstrap)" make_system
timed "apt-get install ./$(basename "$deb")" install_package
say "the system with rovuzu installed: $(inside du -sh --exclude=proc / | cut -f 1) on disk"
play_round
# A build without OpenCV has no module to load.
if [ -e "$root/usr/lib/rovuzu/librovuzu_camera.so" ]; then load_camera_module; fi
timed "apt-get remove rovuzu" remove_package
check_nothing_left
say "all: $((SECONDS - start)) s"
