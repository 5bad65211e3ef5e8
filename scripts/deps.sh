# deps.sh: installs the Debian packages the build, the game and the tests need, when missing.
# Sourced by scripts/play and scripts/test.

VSM_BUILD_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libopenal-dev libvorbis-dev libfreetype-dev libpng-dev libjpeg-dev libgl-dev
  libgl1-mesa-dri libegl1 libegl-mesa0
  python3 python3-cairo python3-pil python3-numpy espeak-ng vorbis-tools sox
  fonts-dejavu-core fonts-blankenburg fonts-klaudia-berenika
)
VSM_TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev clang-format-14
  xvfb xauth xdotool imagemagick
)

vsm_install_missing() {
  local missing=()
  local p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
