#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages. Idempotent
# and non-interactive; refreshes the package lists only when something is missing.
set -euo pipefail
packages=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
          wine wine64 xvfb x11-utils fonts-noto-cjk imagemagick xdotool fp-utils wixl msitools python3 libchm-bin
          hyperfine time clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
