# Sourced by the run and test scripts: installs from Debian what this machine lacks, and
# nothing that is already there.
quantora_install() {
  local needed=("$@") missing=() p
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "== enabling the i386 architecture for 32-bit Wine"
    dpkg --add-architecture i386
    QUANTORA_APT_UPDATED=0
  fi
  for p in "${needed[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  if [ "${QUANTORA_APT_UPDATED:-0}" != 1 ]; then
    $sudo apt-get update -q
    QUANTORA_APT_UPDATED=1
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

QUANTORA_BUILD_PACKAGES=(cmake make g++ clang halibut libclang-rt-14-dev googletest libgtest-dev
  libbenchmark-dev g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
  binutils-mingw-w64-x86-64)
QUANTORA_WINE_PACKAGES=(wine wine32:i386 wine64 fonts-wine xvfb xauth)
QUANTORA_TEST_PACKAGES=(units imagemagick xclip)
