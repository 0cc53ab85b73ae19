# Installs the Debian packages the build and the tests need, when missing.
# Sourced by scripts/test and scripts/demo. Needs root (or sudo) and apt.

VELTORI_PACKAGES=(
  cmake ninja-build g++ libgtest-dev zlib1g-dev python3
  gcc-mingw-w64-i686 g++-mingw-w64-i686 binutils-mingw-w64-i686
  gcc-mingw-w64-x86-64 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64 wine32:i386
  xvfb xauth imagemagick fonts-wine file
  # The emulated machine of the wine32 lane (where 32-bit code is refused):
  # its disk image is made with debootstrap and mkfs.ext4, booted by qemu.
  qemu-system-x86 debootstrap e2fsprogs
  clang libclang-rt-14-dev
  osslsigncode openssl git tzdata
)

veltori_missing_packages() {
  local pkg missing=()
  for pkg in "${VELTORI_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$pkg")
  done
  # Nothing at all when nothing is missing: one empty line would read as a
  # missing package and start apt for nothing.
  [ "${#missing[@]}" -eq 0 ] || printf '%s\n' "${missing[@]}"
}

# Reads the package indexes, trying again a few times with a growing pause:
# a mirror that is synchronising serves an index whose size does not match
# its release file for a while ("Mirror sync in progress?"). Returns 0 when
# every index was read; 2 when only indexes of the i386 architecture could
# not be read (VELTORI_FAILED_INDEXES names them); 1 otherwise, with a
# message that names the failing indexes and the mirror as their source.
veltori_apt_update() {
  local pause log status
  VELTORI_FAILED_INDEXES=()
  log=$(mktemp)
  for pause in 15 30 60 0; do
    status=0
    "$@" apt-get update -q >"$log" 2>&1 || status=$?
    # apt-get may exit 0 with an index left out; it says so with "E:"/"W:".
    if [ "$status" -eq 0 ] && ! grep -q -E '^(E|W): (Failed to fetch|Some index files failed)' "$log"; then
      rm -f "$log"
      return 0
    fi
    [ "$pause" -eq 0 ] && break
    echo "apt-get update could not read every package index; trying again in ${pause} s" >&2
    sleep "$pause"
  done
  mapfile -t VELTORI_FAILED_INDEXES < <(sed -n -E 's/^(E|W): Failed to fetch ([^ ]+).*/\2/p' "$log")
  if [ "${#VELTORI_FAILED_INDEXES[@]}" -gt 0 ] &&
     ! printf '%s\n' "${VELTORI_FAILED_INDEXES[@]}" | grep -v -q '/binary-i386/'; then
    rm -f "$log"
    return 2
  fi
  cat "$log" >&2
  rm -f "$log"
  echo "error: apt-get update failed four times. The package mirror serves these indexes out of step with its release file (a mirror fault, often while it synchronises), not a fault of this project; try again later:" >&2
  [ "${#VELTORI_FAILED_INDEXES[@]}" -eq 0 ] || printf '  %s\n' "${VELTORI_FAILED_INDEXES[@]}" >&2
  return 1
}

veltori_install_packages() {
  local missing
  mapfile -t missing < <(veltori_missing_packages)
  [ "${#missing[@]}" -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || {
      echo "error: need root (or sudo) to install: ${missing[*]}" >&2
      return 1
    }
    sudo=(sudo)
  fi
  # wine32 is an i386 package: the architecture must be enabled first.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo[@]}" dpkg --add-architecture i386
  fi
  local status=0
  veltori_apt_update "${sudo[@]}" || status=$?
  if [ "$status" -eq 2 ]; then
    # Only i386 lists are unreadable: wine32:i386 cannot be installed in step
    # with the amd64 libraries, but nothing needs it. Without it the i686
    # lane runs in the emulated machine, whose guest is built from the main
    # suite alone (e2e/guest/).
    echo "warning: the package mirror serves these i386 indexes out of step with its release file (a mirror fault, not this project's):" >&2
    printf '  %s\n' "${VELTORI_FAILED_INDEXES[@]}" >&2
    echo "warning: installing without the i386 packages; the i686 Wine cases run in the emulated machine" >&2
    local pkg kept=()
    for pkg in "${missing[@]}"; do [[ $pkg == *:i386 ]] || kept+=("$pkg"); done
    missing=("${kept[@]}")
    [ "${#missing[@]}" -eq 0 ] && return 0
  elif [ "$status" -ne 0 ]; then
    return 1
  fi
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
}
