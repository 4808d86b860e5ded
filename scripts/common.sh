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

# The release archive and its test (scripts/package, scripts/test-package).
PACKAGE_PACKAGES=(zip unzip)
BUILD_PACKAGES=(g++ cmake ninja-build libgtest-dev libgmock-dev)
# The Windows build and its tests under Wine (scripts/build-windows, scripts/test-windows).
WINDOWS_PACKAGES=(mingw-w64 mingw-w64-tools wine wine64 libwine-dev)
