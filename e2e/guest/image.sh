# shellcheck shell=bash
# Where the emulated machine's disk image lives: outside the checkout, so
# every clone, CI run and later scripts/test on this machine reuse it, in a
# folder named after the hash of its recipe (a changed recipe is a new
# image; this file only finds it). Sourced by build-image.sh and the harness.

VLT_GUEST_RECIPE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly VLT_GUEST_RECIPE_FILES=(build-image.sh packages.txt init.sh)

# The first 16 hex digits of the hash over the recipe files.
vlt_guest_recipe_hash() {
  (cd "$VLT_GUEST_RECIPE_DIR" && cat "${VLT_GUEST_RECIPE_FILES[@]}") | sha256sum | cut -c1-16
}

# The cache root: /var/cache/veltori where it can be written, else the
# user's cache folder.
vlt_guest_cache_root() {
  if [ -n "${VELTORI_GUEST_CACHE:-}" ]; then
    printf '%s\n' "$VELTORI_GUEST_CACHE"
  elif mkdir -p /var/cache/veltori 2>/dev/null && [ -w /var/cache/veltori ]; then
    printf '%s\n' /var/cache/veltori
  else
    printf '%s\n' "${XDG_CACHE_HOME:-$HOME/.cache}/veltori"
  fi
}

# The image folder for the current recipe: disk.img, vmlinuz, initrd.img.
vlt_guest_image_dir() {
  local root hash
  root=$(vlt_guest_cache_root)
  hash=$(vlt_guest_recipe_hash)
  printf '%s/guest-%s\n' "$root" "$hash"
}
