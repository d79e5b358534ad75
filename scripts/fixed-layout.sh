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
if [ -z "${TESSALY_FIXED_LAYOUT:-}" ] &&
   [ $((0x$(cat /proc/self/personality 2>/dev/null || echo 0) & 0x0040000)) -eq 0 ] &&
   setarch "$(uname -m)" -R true 2>/dev/null; then
  export TESSALY_FIXED_LAYOUT=1
  exec setarch "$(uname -m)" -R "$BASH" "$0" "$@"
fi
