# ensure_packages PKG...: installs with apt whatever of PKG is not installed yet.
# Quick when everything is there. Needs root or sudo; without either it prints the one command
# to run as root and fails. apt waits for a lock held by another apt (an unattended upgrade,
# say) instead of failing, and shows its progress while it downloads.
# A mirror in the middle of its sync serves an index that does not match its Release file for
# hours; the other indexes are still good. So an index that cannot be read is a warning, and
# the install decides: when it fails, it says which package cannot be had, and why.
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
  if [ "$(id -u)" -ne 0 ]; then
    # sudo that needs no password, or one that can ask for it at this terminal.
    if command -v sudo >/dev/null && { sudo -n true 2>/dev/null || [ -t 0 ]; }; then
      sudo="sudo"
    else
      echo "Missing packages. Run this as root, then try again:" >&2
      echo "  apt-get install -y --no-install-recommends ${missing[*]}" >&2
      return 1
    fi
  fi
  local apt=($sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600
             -o Acquire::Retries=3)
  echo "Installing: ${missing[*]}"
  apt_update "${apt[@]}"
  "${apt[@]}" install -y --no-install-recommends "${missing[@]}" && return 0
  explain_install_failure "${apt[@]}" -- "${missing[@]}"
  return 1
}

# apt_update APT...: apt-get update, which fails when any one index fails; it then goes on
# with the others, as apt itself does. The broken indexes are kept in APT_UPDATE_PROBLEMS.
APT_UPDATE_PROBLEMS=""
apt_update() {
  local log status=0
  log=$(mktemp)
  "$@" update -qq >"$log" 2>&1 || status=$?
  APT_UPDATE_PROBLEMS=$(grep -E '^(E|W|Err):.*(Failed to fetch|unexpected size|Hash Sum|Release file)' \
    "$log" || true)
  if [ "$status" -ne 0 ]; then
    echo "ensure_packages: apt-get update could not read every index (status $status);" \
      "installing from those it could read:" >&2
    sed 's/^/  /' <<<"${APT_UPDATE_PROBLEMS:-$(tail -n 5 "$log")}" >&2
  fi
  rm -f "$log"
}

# explain_install_failure APT... -- PKG...: one line for each package that cannot be installed,
# with apt's reason.
explain_install_failure() {
  local apt=()
  while [ "$1" != -- ]; do apt+=("$1"); shift; done
  shift
  local pkg candidate reason named=0
  for pkg in "$@"; do
    candidate=$(apt-cache policy "$pkg" 2>/dev/null | sed -n 's/^ *Candidate: //p')
    if [ -z "$candidate" ] || [ "$candidate" = "(none)" ]; then
      reason="no index that apt could read offers it"
    elif ! reason=$("${apt[@]}" install -s -y --no-install-recommends "$pkg" 2>&1); then
      reason=$(grep -E 'Depends:|^E:' <<<"$reason" | tr -s ' ' | paste -sd ';' -)
    else
      continue
    fi
    echo "ensure_packages: cannot install $pkg: $reason" >&2
    named=1
  done
  [ "$named" -eq 1 ] ||
    echo "ensure_packages: each of ${*} can be had alone; the download or the unpacking failed (above)" >&2
  if [ -n "$APT_UPDATE_PROBLEMS" ]; then
    echo "ensure_packages: the indexes apt could not read may be why:" >&2
    sed 's/^/  /' <<<"$APT_UPDATE_PROBLEMS" >&2
  fi
}

# A font with Japanese glyphs, for the menu: a small one is installed only when fontconfig
# finds none at all.
ensure_japanese_font() {
  ensure_packages fontconfig
  if [ -z "$(fc-list :lang=ja family 2>/dev/null | head -n 1)" ]; then
    ensure_packages fonts-ipafont-gothic
  fi
}

# The packages every build of the core, its tests and its tools needs.
CORE_BUILD_PACKAGES=(cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
                     libcli11-dev libpng-dev)

build_jobs() { nproc 2>/dev/null || echo 2; }

# The Qt 6 front-end: widgets, multimedia for the click, the offscreen, X11 and Wayland
# platforms.
QT_PACKAGES=(qt6-base-dev qt6-multimedia-dev qt6-wayland)

# The Debian package that scripts/package makes: build/packages/velnor_<version>_<arch>.deb.
built_package() {
  local version
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/package/CMakeCache.txt)
  echo "build/packages/velnor_${version}_$(dpkg --print-architecture).deb"
}

# package_cmake_flags: sets PACKAGE_CMAKE_FLAGS to what the Debian package is compiled with, as
# CMake options: Release for every machine of the architecture (no POPCNT), with Debian's
# flags and hardening (stack protector, fortified functions, read-only relocations bound now).
# scripts/package builds the package with them, and the test command the engine's tests.
package_cmake_flags() {
  ensure_packages dpkg-dev
  local get=(env DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get)
  PACKAGE_CMAKE_FLAGS=(-DCMAKE_BUILD_TYPE=Release -DVELNOR_POPCNT=OFF
    -DCMAKE_CXX_FLAGS="$("${get[@]}" CPPFLAGS) $("${get[@]}" CXXFLAGS)"
    -DCMAKE_EXE_LINKER_FLAGS="$("${get[@]}" LDFLAGS)")
}
