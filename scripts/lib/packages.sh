# ensure_packages PKG...: installs with apt whatever of PKG is not installed yet.
# Quick when everything is there; needs root or sudo otherwise.
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The packages every build of the core, its tests and its tools needs.
CORE_BUILD_PACKAGES=(cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
                     libcli11-dev libpng-dev)

build_jobs() { nproc 2>/dev/null || echo 2; }

# The Qt 6 front-end: widgets, multimedia for the click, the offscreen and X11 platforms.
QT_PACKAGES=(qt6-base-dev qt6-multimedia-dev)
