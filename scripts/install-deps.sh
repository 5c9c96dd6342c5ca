# Sourced by the run and test scripts: installs from Debian what this machine lacks, and
# nothing that is already there. A user who is not root needs sudo for the privileged steps.
quantora_privileged() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "error: installing packages needs root; run as root or install sudo: $*" >&2
    return 1
  fi
}

quantora_install() {
  local needed=("$@") missing=() p
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "== enabling the i386 architecture for 32-bit Wine"
    quantora_privileged dpkg --add-architecture i386
    QUANTORA_APT_UPDATED=0
  fi
  for p in "${needed[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== installing: ${missing[*]}"
  if [ "${QUANTORA_APT_UPDATED:-0}" != 1 ]; then
    quantora_privileged apt-get update -q
    QUANTORA_APT_UPDATED=1
  fi
  quantora_privileged env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}

QUANTORA_BUILD_PACKAGES=(cmake make g++ clang halibut libclang-rt-14-dev googletest libgtest-dev
  libbenchmark-dev g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
  binutils-mingw-w64-x86-64)
QUANTORA_WINE_PACKAGES=(wine wine32:i386 wine64 fonts-wine xvfb xauth)
QUANTORA_TEST_PACKAGES=(units imagemagick xclip nsis zip unzip osslsigncode openssl x11-utils libchm-bin)
