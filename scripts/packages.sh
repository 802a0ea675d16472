# Shared set-up for scripts/test and scripts/demo: installs the Debian
# packages the project needs when any of them is missing.
# shellcheck shell=bash

LUMAPREX_PACKAGES=(
  g++ cmake make pkg-config
  libgtest-dev
  libcups2-dev cups-daemon cups-client cups-filters cups cups-ipp-utils
  zlib1g-dev
  libplist-dev
  libbenchmark-dev
  clang libclang-rt-14-dev
  time bc
)

lumaprex_missing_packages() {
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || echo "$pkg"
  done
}

lumaprex_ensure_packages() {
  local missing
  mapfile -t missing < <(lumaprex_missing_packages "${LUMAPREX_PACKAGES[@]}")
  if [ "${#missing[@]}" -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  # The scheduler package must not start a system-wide cupsd: the tests run
  # their own private one.
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}
