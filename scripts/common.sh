# Sourced by the scripts: installs the Debian build packages that are missing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

ensure_packages() {
  local missing=()
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing Debian packages: ${missing[*]} (run as root, or: sudo apt-get install ${missing[*]})" >&2
    exit 1
  fi
  echo "installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

BUILD_PACKAGES=(g++ cmake ninja-build libgtest-dev libgmock-dev clang-format)
# The Windows build and its tests under Wine (scripts/build-windows, scripts/test-windows),
# besides the build packages, which build the resource generator and the native demo: the
# cross compilers with widl, Wine with its headers, wrestool, which reads a DLL's resources
# without running it, and zip for the release archive (scripts/package, scripts/test-package).
WINDOWS_PACKAGES=(mingw-w64 mingw-w64-tools wine wine64 libwine-dev icoutils zip unzip)

# The mingw-w64 target of each Windows architecture we build (x64 or x86); its CMake
# toolchain file is cmake/mingw-<processor part of the triple>.cmake.
windows_triple() {
  case "${1:-}" in
    x64) echo x86_64-w64-mingw32 ;;
    x86) echo i686-w64-mingw32 ;;
    *) return 1 ;;
  esac
}
windows_toolchain() {
  local triple
  triple=$(windows_triple "$1") || return 1
  echo "$PWD/cmake/mingw-${triple%%-*}.cmake"
}
