#!/usr/bin/env bash
# Runs the README's two commands on Debian 13 (trixie) from a Debian 12 host:
# scripts/run.sh headless (its screenshot is copied to build/debian13/) and
# scripts/test.sh, in a Debian 13 tree made with debootstrap and kept in a
# cache folder outside the checkout (TESSALY_DEBIAN13_TREE, by default
# ~/.cache/tessaly/debian13), so that later runs reuse it. Installs
# debootstrap on the machine when it is missing.
#
#   scripts/test-debian13.sh            both commands
#   scripts/test-debian13.sh run|test   one of them
#   scripts/test-debian13.sh tree       only make the tree, then stop
#
# It removes only what it made: a tree folder is made only when it is missing,
# empty, or a tree that this script began and did not finish (it carries the
# mark .tessaly-making); any other folder is left alone with a message. One
# run at a time uses a tree (a lock on its folder); a second one is refused
# and touches nothing.
#
# debootstrap and the commands run in private mount and process namespaces,
# so the mounts and every process go with the namespace on any exit; TERM or
# INT end it at once in every phase, and the clean-up, once begun, finishes
# whatever further signals come. The checkout is copied fresh (tracked and
# new files, no build/) and bound into the tree. The screenshot and logs are
# written into the checkout's build/debian13/ as the checkout's owner, each
# replacing what was there (a link included) rather than writing through it.
# Passes the test command's "tests: N passed, N failed" line through.
#
# Exit codes: 0 the commands passed; 1 a command failed, or this script could
# not do its part (not root, no debootstrap or mirror, a folder it may not
# use, a tree in use by another run, debootstrap failed; a message says
# which); 2 a wrong argument; 3 the commands could not be started in the
# tree (a mount, chroot or tini failed); 130 after INT, 143 after TERM.
set -uo pipefail
# The physical path: git's safe.directory compares the checkout's real one.
top=$(cd "$(dirname "$0")/.." && pwd -P)
what=${1:-both}
case "$what" in both|run|test|tree) ;; *) echo "usage: $0 [run|test|tree]" >&2; exit 2 ;; esac
[ "$(id -u)" -eq 0 ] || { echo "test-debian13: needs root (debootstrap, chroot, mounts)" >&2; exit 1; }
tree=${TESSALY_DEBIAN13_TREE:-${XDG_CACHE_HOME:-${HOME:-/root}/.cache}/tessaly/debian13}
tree=${tree%/}
cache=$(dirname "$tree")
started=$(date +%s)
say() { echo "debian13: $* ($(( $(date +%s) - started )) s)"; }
die() { echo "test-debian13: $*" >&2; exit 1; }

if ! command -v debootstrap >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null 2>&1 ||
    die "cannot install debootstrap"
fi

# The host's own Debian mirror: the first URIs:/deb line that serves the main
# archive (not the security one).
mirror() {
  { grep -hE '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '{print $2}'
    grep -hE '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
      sed -E 's/^deb (\[[^]]*\] )?//' | awk '{print $1}'
  } | grep -E '/debian/?$' | grep -v security | head -1
}

# The tree's folder, then a lock on it for the whole run (children inherit
# it, so a tree stays locked while anything of this run still uses it).
made_dir=""
if [ ! -e "$tree" ]; then
  mkdir -p "$cache" && mkdir "$tree" || die "cannot make the folder $tree"
  made_dir=1
fi
[ -d "$tree" ] && [ ! -L "$tree" ] || die "$tree is not a folder; name another one with TESSALY_DEBIAN13_TREE"
exec 9<"$tree" || die "cannot open $tree"
flock -n 9 || die "another run is using $tree; wait until it ends (this run changed nothing)"

ready=.tessaly-ready
making=.tessaly-making
in_tree=""    # the pid of unshare while something runs in the namespaces
building=""   # set while the tree is made: an interruption empties it again
work=""
# Everything in the tree's folder, but never across a file system boundary;
# the mark last, so that a folder cut short is still known as ours.
empty_tree() {
  find "$tree" -xdev -mindepth 1 ! -path "$tree/$making" -delete 2>/dev/null
  rm -f "$tree/$making"
}
stop_tree() {
  [ -n "$in_tree" ] || return 0
  # Killing unshare kills its child (--kill-child), the namespace's first
  # process, and with it every process and mount of the namespace.
  local child
  child=$(pgrep -P "$in_tree")
  kill -KILL "$in_tree" 2>/dev/null
  wait "$in_tree" 2>/dev/null
  for _ in $(seq 100); do [ -n "$child" ] && kill -0 $child 2>/dev/null || break; sleep 0.05; done
  in_tree=""
}
cleanup() {
  # Once begun, the clean-up finishes: a second signal would leave a
  # half-emptied folder or a process behind.
  trap '' INT TERM
  trap - EXIT
  stop_tree
  if [ -n "$building" ]; then
    empty_tree
    [ -n "$made_dir" ] && rmdir "$tree" 2>/dev/null
  fi
  if [ -n "$work" ]; then
    chattr -R -i "$work" 2>/dev/null
    rm -rf --one-file-system "$work"
  fi
}
trap cleanup EXIT
trap 'cleanup; exit 130' INT
trap 'cleanup; exit 143' TERM

# Runs "$@" in private mount and process namespaces, in the background so
# that a signal to this script is handled at once. Making every mount private
# needs the root to be a mount point; inside a chroot (this script run by the
# test command in a tree) it is not, and the tree's folder becomes a private
# mount of its own instead, so that nothing mounted below it leaves the
# namespace.
if mountpoint -q /; then propagation=private; else propagation=unchanged; fi
# A signal between the start and in_tree=$! would find nothing to stop: it
# waits until in_tree is set, then ends the run.
pending=""
in_namespaces() {
  trap 'pending=130' INT
  trap 'pending=143' TERM
  unshare --mount --pid --fork --kill-child --propagation "$propagation" -- bash -c '
    if [ "$0" = unchanged ]; then mount --bind "$1" "$1" && mount --make-rprivate "$1" || exit 1; fi
    shift
    exec "$@"' "$propagation" "$tree" "$@" &
  in_tree=$!
  trap 'cleanup; exit 130' INT
  trap 'cleanup; exit 143' TERM
  if [ -n "$pending" ]; then
    cleanup
    exit "$pending"
  fi
  wait "$in_tree"
  local code=$?
  in_tree=""
  return $code
}

work=$(mktemp -d "$cache/debian13-run.XXXXXX") || die "cannot make a work folder in $cache"
if [ ! -f "$tree/$ready" ]; then
  if [ -n "$(ls -A "$tree")" ] && [ ! -f "$tree/$making" ]; then
    die "$tree is not empty and is no tree of this script's; it removes nothing it did not make. Name a missing or empty folder with TESSALY_DEBIAN13_TREE."
  fi
  url=$(mirror)
  [ -n "$url" ] || die "no Debian mirror in the host's apt configuration"
  building=1
  [ -f "$tree/$making" ] && say "removing the unfinished tree in $tree"
  empty_tree
  touch "$tree/$making"
  say "making the Debian 13 tree in $tree"
  if ! in_namespaces debootstrap --variant=minbase --include=tini,ca-certificates trixie "$tree" "$url" \
       > "$work/debootstrap.log" 2>&1; then
    tail -20 "$work/debootstrap.log" >&2
    die "debootstrap failed (its last lines above)"
  fi
  touch "$tree/$ready"
  rm -f "$tree/$making"
  building=""
fi
if [ "$what" = tree ]; then
  say "the tree in $tree is ready"
  exit 0
fi
cp -L /etc/resolv.conf "$tree/etc/resolv.conf" 2>/dev/null

# A fresh copy of the checkout: what git tracks plus new files not ignored.
# The checkout may belong to another user than root: git trusts it for this
# one command, and the machine's git configuration stays as it is.
mkdir "$work/checkout" "$work/tmp" || die "cannot make folders in $work"
(cd "$top" && git -c safe.directory="$top" ls-files -z --cached --others --exclude-standard |
  tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar --no-same-owner -xf - -C "$work/checkout"
[ -d "$work/checkout/scripts" ] || die "copying the checkout failed"
# The tree's /tmp of its own, on the cache's file system as a machine's would
# be (the tests make files immutable there, which tmpfs cannot).
chmod 1777 "$work/tmp"
mkdir -p "$tree/work/tessaly"

# Inside the namespaces: mount what the tree needs, then run the commands
# under tini as the namespace's first process.
inner='
set -e
mount -t proc proc "$TREE/proc"
mount --rbind /dev "$TREE/dev"
mount --bind "$WORK/tmp" "$TREE/tmp"
mount --bind "$WORK/checkout" "$TREE/work/tessaly"
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
TREE=$tree WORK=$work STEPS=$steps WHAT=$what in_namespaces bash -c "$inner"
code=$?
if [ "$code" -gt 1 ]; then
  echo "test-debian13: the commands could not be started in the tree (code $code)" >&2
  code=3
fi

# The copies are written by the checkout's owner, who can write nothing this
# script could not; an entry already there is removed first and the file made
# anew (noclobber), so a link planted in build/ is never written through.
as_owner() { setpriv --reuid="$(stat -c %u "$top")" --regid="$(stat -c %g "$top")" --clear-groups -- "$@"; }
as_owner mkdir -p -- "$top/build/debian13" || die "cannot make $top/build/debian13"
for f in debian13-screenshot.png native-ctest.log win64-ctest.log fuzz.log; do
  [ -f "$work/checkout/build/$f" ] || continue
  as_owner bash -c 'set -C; rm -f -- "$1" && cat > "$1"' put "$top/build/debian13/${f#debian13-}" \
    < "$work/checkout/build/$f" || echo "test-debian13: could not write build/debian13/${f#debian13-}" >&2
done
[ -f "$top/build/debian13/screenshot.png" ] && echo "debian13: screenshot: $top/build/debian13/screenshot.png"
say "done with code $code; logs in $top/build/debian13/"
exit $code
