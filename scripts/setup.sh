#!/usr/bin/env bash
# Installs what the scripts of this project use, from Debian's packages. Made
# for Debian 12 (bookworm) and 13 (trixie), where it is tested: every name
# exists in both. Idempotent and non-interactive, it refreshes the package lists only when something is
# missing. Needs root, or sudo without a password prompt.
set -uo pipefail
packages=(
  cmake ninja-build g++ googletest                                   # native build and tests
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools  # the Windows program
  wine wine64 xvfb fonts-noto-cjk imagemagick                         # running it: Wine, a display, the font, screenshots
  fp-utils libchm-bin                                                 # the help file (chmcmd) and its reader
  wixl msitools python3                                               # the installer
  python3-pefile                                                      # reading the event texts out of the program
  e2fsprogs                                                           # chattr, for the read-only log test
  procps                                                              # pgrep, for the scripts that end what they started
  git util-linux                                                      # the Debian 13 script copies the checkout with git; setpriv, unshare
  clang libclang-rt-dev                                            # the fuzz targets
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
  sudo=(sudo -n)
else
  echo "setup: these Debian packages are missing: ${missing[*]}" >&2
  echo "setup: run this script as root, or as a user who may use sudo without a password," >&2
  echo "setup: or install them yourself: apt-get install ${missing[*]}" >&2
  exit 1
fi
echo "setup: installing ${#missing[@]} Debian packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp /tmp/tessaly-setup.XXXXXX)
trap 'rm -f "$log"' EXIT INT TERM
if ! "${sudo[@]}" apt-get update -qq >"$log" 2>&1 ||
   ! "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >>"$log" 2>&1; then
  tail -20 "$log" >&2
  echo "setup: installing ${missing[*]} failed (apt-get's last lines above)." >&2
  exit 1
fi
