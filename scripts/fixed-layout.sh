# Sourced first by every script that starts Wine: runs the script again
# with Linux's address-space randomization off, for it and all it starts.
#
# Wine 8's loader (Debian 12) is linked at 0x7d000000, and Linux puts its
# heap at a random place up to 1 GB above it. Now and then that heap covers
# 0x7ffe0000, where every Windows process needs its shared user data: Wine
# prints "failed to map the shared user data: c0000018" and CreateProcess
# fails with ERROR_INTERNAL_ERROR (about one start in a thousand, measured).
# Without randomization the heap stays right behind the loader.
# TESSALY_FIXED_LAYOUT makes it one try: without /proc the bit cannot be read.
#
# Only a script file is run again: the outermost file sourcing this one is
# $0, and the shell is neither interactive nor `bash -c`. Such a shell has
# nothing to run again, and exec would end it; it keeps its layout.
if [ -z "${TESSALY_FIXED_LAYOUT:-}" ] &&
   [ $((0x$(cat /proc/self/personality 2>/dev/null || echo 0) & 0x0040000)) -eq 0 ]; then
  if [[ $- != *[ic]* ]] && [ "${#BASH_SOURCE[@]}" -gt 1 ] && [ "${BASH_SOURCE[-1]}" = "$0" ] &&
     [ -f "$0" ] && setarch "$(uname -m)" -R true 2>/dev/null; then
    export TESSALY_FIXED_LAYOUT=1
    exec setarch "$(uname -m)" -R "$BASH" "$0" "$@"
  elif [[ $- == *[ic]* ]]; then
    echo "fixed-layout.sh: this shell keeps a random layout; Wine started from it may fail now and then" \
         "(start the shell with: setarch $(uname -m) -R bash)" >&2
  fi
fi
