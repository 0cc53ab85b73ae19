# Installs the Debian packages the build and the tests need, when missing.
# Sourced by scripts/test and scripts/demo. Needs root (or sudo) and apt.

VELTORI_PACKAGES=(
  cmake ninja-build g++ libgtest-dev zlib1g-dev python3
  gcc-mingw-w64-i686 g++-mingw-w64-i686 binutils-mingw-w64-i686
  gcc-mingw-w64-x86-64 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  libz-mingw-w64-dev
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
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
}
