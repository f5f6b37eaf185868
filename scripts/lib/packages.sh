# ensure_packages PKG...: installs with apt whatever of PKG is not installed yet.
# Quick when everything is there. Needs root or sudo; without either it prints the one command
# to run as root and fails. apt waits for a lock held by another apt (an unattended upgrade,
# say) instead of failing, and shows its progress while it downloads.
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
  local apt=($sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600)
  echo "Installing: ${missing[*]}"
  "${apt[@]}" update -qq
  "${apt[@]}" install -y --no-install-recommends "${missing[@]}"
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
