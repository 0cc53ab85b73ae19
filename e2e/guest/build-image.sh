#!/usr/bin/env bash
# Builds the emulated machine's disk image when the cache has none for the
# current recipe, and prints the image folder. Debian 12 (amd64) from the
# mirror this machine's apt uses, with 32-bit Wine (wine32:i386) and what
# the cases need (packages.txt); init.sh as PID 1. Needs root (debootstrap,
# chroot) but no emulation: the guest's own code is amd64.
#   build-image.sh [--print-dir]   (--print-dir: only print where it would be)
set -Eeuo pipefail
shopt -s inherit_errexit
trap 'echo "build-image.sh: line $LINENO: \"$BASH_COMMAND\" failed (exit $?)" >&2' ERR
# shellcheck source=image.sh
source "$(dirname "${BASH_SOURCE[0]}")/image.sh"

image_dir=$(vlt_guest_image_dir)
if [ "${1:-}" = --print-dir ]; then
  printf '%s\n' "$image_dir"
  exit 0
fi

say() { printf 'guest image: %s\n' "$*" >&2; }
die() { printf 'guest image: FAIL: %s\n' "$*" >&2; exit 1; }

# The Debian mirror of this machine's apt sources (deb822 or one-line form).
debian_mirror() {
  local uri
  uri=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
    awk '/^URIs:/ { u = $2 } /^Suites:/ && / bookworm( |$)/ && u { print u; exit }')
  if [ -z "$uri" ]; then
    uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
      awk '$1 == "deb" && $0 ~ / bookworm / { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; exit } }')
  fi
  printf '%s\n' "${uri:-http://deb.debian.org/debian}"
}

packages_of() { awk -v group="$1" '$1 == group { print $2 }' "$VLT_GUEST_RECIPE_DIR/packages.txt"; }

[ -f "$image_dir/ready" ] && { printf '%s\n' "$image_dir"; exit 0; }
[ "$(id -u)" -eq 0 ] || die "building the image needs root (debootstrap, chroot)"
for tool in debootstrap mkfs.ext4 chroot; do
  command -v "$tool" >/dev/null || die "$tool is missing (packages debootstrap, e2fsprogs)"
done
mkdir -p "$(dirname "$image_dir")"
exec {lock}>"$image_dir.lock"
flock "$lock"
[ -f "$image_dir/ready" ] && { printf '%s\n' "$image_dir"; exit 0; }

start=$(date +%s)
work=$image_dir.build
rootfs=$work/rootfs
cleanup() {
  local fs
  for fs in proc sys; do
    if mountpoint -q "$rootfs/$fs"; then umount "$rootfs/$fs"; fi
  done
  rm -rf "$work"
}
trap cleanup EXIT
rm -rf "$work"
mkdir -p "$work"
mirror=$(debian_mirror)
base=$(packages_of base | paste -sd, -)
say "debootstrap bookworm from $mirror into $rootfs (with $base)"
debootstrap --variant=minbase --include="$base" bookworm "$rootfs" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  die "debootstrap failed: $(tail -n 5 "$work/debootstrap.log")"

mount -t proc proc "$rootfs/proc"
mount -t sysfs sys "$rootfs/sys"
mapfile -t wine_packages < <(packages_of wine)
say "installing ${wine_packages[*]}"
chroot "$rootfs" /bin/sh -c 'dpkg --add-architecture i386 && apt-get update -q' >"$work/apt.log" 2>&1 ||
  die "apt-get update in the guest failed: $(tail -n 5 "$work/apt.log")"
DEBIAN_FRONTEND=noninteractive chroot "$rootfs" apt-get install -y -q --no-install-recommends \
  "${wine_packages[@]}" >>"$work/apt.log" 2>&1 ||
  die "apt-get install in the guest failed: $(tail -n 5 "$work/apt.log")"
chroot "$rootfs" apt-get clean
umount "$rootfs/proc" "$rootfs/sys"

install -m 755 "$VLT_GUEST_RECIPE_DIR/init.sh" "$rootfs/sbin/veltori-init"
echo veltori-guest >"$rootfs/etc/hostname"
cp "$rootfs"/boot/vmlinuz-* "$work/vmlinuz"
cp "$rootfs"/boot/initrd.img-* "$work/initrd.img"
say "making the disk (ext4, 8 GB sparse)"
mkfs.ext4 -q -L veltori -d "$rootfs" "$work/disk.img" 8G >"$work/mkfs.log" 2>&1 ||
  die "mkfs.ext4 failed: $(tail -n 5 "$work/mkfs.log")"
rm -rf "$rootfs"
printf 'recipe %s\nbuilt %s in %s s\n' "$(vlt_guest_recipe_hash)" "$(date -u +%FT%TZ)" "$(($(date +%s) - start))" >"$work/ready"
rm -rf "$image_dir"
mv "$work" "$image_dir"
say "built in $(($(date +%s) - start)) s: $image_dir"
printf '%s\n' "$image_dir"
