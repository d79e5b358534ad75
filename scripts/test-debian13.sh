#!/usr/bin/env bash
# Runs the README's two commands on Debian 13 (trixie) from a Debian 12 host:
# scripts/run.sh headless (its screenshot is copied to build/debian13/) and
# scripts/test.sh, in a Debian 13 tree made with debootstrap and kept in a
# cache folder outside the checkout (TESSALY_DEBIAN13_TREE, by default
# ~/.cache/tessaly/debian13), so that later runs reuse it.
#
#   scripts/test-debian13.sh            both commands
#   scripts/test-debian13.sh run|test   one of them
#
# The checkout is copied fresh (tracked and new files, no build/) and bound
# into the tree. Everything runs in private mount and process namespaces under
# tini, so ended processes are reaped as on a real machine, and the mounts and
# every process go with the namespace on any exit. Exits with the test
# command's code and passes its "tests: N passed, N failed" line through.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-both}
case "$what" in both|run|test) ;; *) echo "usage: $0 [run|test]" >&2; exit 2 ;; esac
[ "$(id -u)" -eq 0 ] || { echo "test-debian13: needs root (debootstrap, chroot, mounts)" >&2; exit 1; }
tree=${TESSALY_DEBIAN13_TREE:-${XDG_CACHE_HOME:-${HOME:-/root}/.cache}/tessaly/debian13}
started=$(date +%s)
say() { echo "debian13: $* ($(( $(date +%s) - started )) s)"; }

if ! command -v debootstrap >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null 2>&1 ||
    { echo "test-debian13: cannot install debootstrap" >&2; exit 1; }
fi

# The host's own Debian mirror: the first URIs:/deb line that serves the main
# archive (not the security one).
mirror() {
  { grep -hE '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '{print $2}'
    grep -hE '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
      sed -E 's/^deb (\[[^]]*\] )?//' | awk '{print $1}'
  } | grep -E '/debian/?$' | grep -v security | head -1
}

work=""
inside=""
cleanup() {
  trap - EXIT INT TERM
  # The namespace's first process (tini, the child of unshare, which itself
  # ignores TERM) is ended; with it goes every process in the namespace and
  # every mount made there. KILL after 20 s for one that does not end.
  if [ -n "$inside" ]; then
    pkill -TERM -P "$inside" 2>/dev/null
    for _ in $(seq 200); do kill -0 "$inside" 2>/dev/null || break; sleep 0.1; done
    pkill -KILL -P "$inside" 2>/dev/null
    wait "$inside" 2>/dev/null
  fi
  if [ -n "$work" ]; then
    chattr -R -i "$work.tmp" 2>/dev/null
    rm -rf "$work" "$work.tmp"
  fi
  rm -rf "$tree.new"
}
trap cleanup EXIT
trap 'cleanup; exit 130' INT
trap 'cleanup; exit 143' TERM

if [ ! -f "$tree/.tessaly-ready" ]; then
  url=$(mirror)
  [ -n "$url" ] || { echo "test-debian13: no Debian mirror in the host's apt configuration" >&2; exit 1; }
  say "making the Debian 13 tree in $tree"
  mkdir -p "$(dirname "$tree")"
  rm -rf "$tree" "$tree.new"
  if ! debootstrap --variant=minbase --include=tini,ca-certificates trixie "$tree.new" "$url" \
       > "$(dirname "$tree")/debootstrap.log" 2>&1; then
    tail -20 "$(dirname "$tree")/debootstrap.log" >&2
    echo "test-debian13: debootstrap failed (full log: $(dirname "$tree")/debootstrap.log)" >&2
    exit 1
  fi
  touch "$tree.new/.tessaly-ready"
  mv "$tree.new" "$tree"
fi
cp -L /etc/resolv.conf "$tree/etc/resolv.conf" 2>/dev/null

# A fresh copy of the checkout: what git tracks plus new files not ignored.
work=$(mktemp -d "$(dirname "$tree")/checkout.XXXXXX")
(cd "$top" && git ls-files -z --cached --others --exclude-standard |
  tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$work"
[ -d "$work/scripts" ] || { echo "test-debian13: copying the checkout failed" >&2; exit 1; }
# The tree's /tmp of its own, on the cache's file system as a machine's would
# be (the tests make files immutable there, which tmpfs cannot).
mkdir -p "$work.tmp" && chmod 1777 "$work.tmp"
mkdir -p "$tree/work/tessaly" "$top/build/debian13"

# Inside the namespaces: mount what the tree needs, then run the commands
# under tini as the namespace's first process.
inner='
set -e
mount -t proc proc "$TREE/proc"
mount --rbind /dev "$TREE/dev"
mount --bind "$WORK.tmp" "$TREE/tmp"
mount --bind "$WORK" "$TREE/work/tessaly"
exec chroot "$TREE" /usr/bin/tini -s -- /bin/bash -c "$STEPS"
'
steps='
set -uo pipefail
export HOME=/root LANG=C.UTF-8 PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive
unset DISPLAY
cd /work/tessaly
apt-get update -qq >/tmp/apt-update.log 2>&1 || { cat /tmp/apt-update.log; exit 1; }
status=0
if [ "$WHAT" != test ]; then
  echo "debian13: scripts/run.sh"
  scripts/run.sh || status=1
  cp build/screenshot.png /work/tessaly/build/debian13-screenshot.png 2>/dev/null
fi
if [ "$WHAT" != run ]; then
  echo "debian13: scripts/test.sh"
  scripts/test.sh || status=1
fi
exit $status
'
say "running in the tree"
# In the background, so that a signal to this script is handled at once.
TREE=$tree WORK=$work STEPS=$steps WHAT=$what \
  unshare --mount --pid --fork --kill-child --propagation private -- bash -c "$inner" &
inside=$!
wait "$inside"
code=$?
inside=""
for f in debian13-screenshot.png native-ctest.log win64-ctest.log fuzz.log; do
  [ -f "$work/build/$f" ] && cp "$work/build/$f" "$top/build/debian13/${f#debian13-}"
done
[ -f "$top/build/debian13/screenshot.png" ] && echo "debian13: screenshot: $top/build/debian13/screenshot.png"
say "done with code $code; logs in $top/build/debian13/"
exit $code
