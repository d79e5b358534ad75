#!/usr/bin/env bash
# Runs the README's two commands on Debian 13 (trixie) from a Debian 12 host:
# scripts/run.sh headless (its screenshot is copied to build/debian13/) and
# scripts/test.sh, in a Debian 13 tree made with debootstrap and kept in a
# cache folder outside the checkout (TESSALY_DEBIAN13_TREE, by default
# ~/.cache/tessaly/debian13), so that later runs reuse it. Installs
# debootstrap on the machine when it is missing.
#
# It runs the checkout's own code as root on the host: run it only on a
# checkout you trust.
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
# Each long step (apt-get, debootstrap, the copies, the commands) runs in a
# process group of its own, and debootstrap and the commands in private mount
# and process namespaces, so that HUP, INT or TERM end the run at once in
# every phase and leave no process or mount behind; the clean-up, once begun,
# finishes whatever further signals come. The checkout is copied fresh
# (tracked and new files, no build/) by its owner and bound into the tree.
# The screenshot and logs are read from the copy only as plain files reached
# through no link, and written into the checkout's build/debian13/ as the
# checkout's owner, each replacing what was there (a link included) rather
# than writing through it. Passes the test command's "tests: N passed, N
# failed" line through.
#
# Exit codes: 0 the commands passed; 1 a command failed, or this script could
# not do its part (not root, no debootstrap or mirror, a folder it may not
# use, a tree in use by another run, debootstrap failed; a message says
# which); 2 a wrong argument; 3 the private namespaces could not be set up or
# the commands could not be started in the tree (unshare, a mount, chroot or
# tini failed); 129 after HUP, 130 after INT, 143 after TERM.
set -uo pipefail
# The physical path, resolved once, so that every step reads the same folder.
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

# What the clean-up reads, set before its traps, which come before any step
# that can take long.
ready=.tessaly-ready
making=.tessaly-making
made_dir=""   # set when this run made the tree's folder
building=""   # set while the tree is made: an interruption empties it again
work=""
step=""       # the process group of the step that runs now
step_signal=TERM
# Everything in the tree's folder, but never across a file system boundary;
# the mark last, so that a folder cut short is still known as ours.
empty_tree() {
  find "$tree" -xdev -mindepth 1 ! -path "$tree/$making" -delete 2>/dev/null
  rm -f "$tree/$making"
}
# True while a process of the group runs (a zombie holds nothing, and this
# machine's init may never reap one).
group_lives() { ps -e -o pgid=,stat= | awk -v g="$1" '$1 == g && $2 !~ /^Z/ { n++ } END { exit !n }'; }
wait_group_ends() { for _ in $(seq 50); do group_lives "$step" || return 0; sleep 0.1; done; return 1; }
# Ends the step's whole group with its signal, and with KILL what still runs
# after 5 s.
stop_step() {
  [ -n "$step" ] || return 0
  kill -"$step_signal" -- "-$step" 2>/dev/null
  wait_group_ends || { kill -KILL -- "-$step" 2>/dev/null; wait_group_ends; }
  wait "$step" 2>/dev/null
  step=""
}
cleanup() {
  # Once begun, the clean-up finishes: a second signal would leave a
  # half-emptied folder or a process behind.
  trap '' HUP INT TERM
  trap - EXIT
  stop_step
  if [ -n "$building" ]; then
    empty_tree
    [ -n "$made_dir" ] && rmdir "$tree" 2>/dev/null
  fi
  if [ -n "$work" ]; then
    chattr -R -i "$work" 2>/dev/null
    rm -rf --one-file-system "$work"
  fi
}
end_with() { cleanup; exit "$1"; }
set_traps() {
  trap 'end_with 129' HUP
  trap 'end_with 130' INT
  trap 'end_with 143' TERM
}
trap cleanup EXIT
set_traps

# Runs "$@" as a step: in the background, since bash runs a trap only once
# its foreground command ends, and in a process group of its own (setsid), so
# that stop_step ends all of it. SIGNAL is how the step is ended: TERM lets
# apt-get let go of dpkg's lock; the namespaces' first process takes only
# KILL from outside. A signal between the start and step=$! would find
# nothing to stop: it waits until step is set, then ends the run.
run_step() {
  local signal=$1 pending="" code
  shift
  trap 'pending=129' HUP
  trap 'pending=130' INT
  trap 'pending=143' TERM
  setsid "$@" &
  step=$! step_signal=$signal
  set_traps
  [ -z "$pending" ] || end_with "$pending"
  wait "$step"
  code=$?
  step=""
  return $code
}

if ! command -v debootstrap >/dev/null; then
  run_step TERM env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap \
    >/dev/null 2>&1 || die "cannot install debootstrap"
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
if [ ! -e "$tree" ]; then
  mkdir -p "$cache" && mkdir "$tree" || die "cannot make the folder $tree"
  made_dir=1
fi
[ -d "$tree" ] && [ ! -L "$tree" ] || die "$tree is not a folder; name another one with TESSALY_DEBIAN13_TREE"
exec 9<"$tree" || die "cannot open $tree"
flock -n 9 || die "another run is using $tree; wait until it ends (this run changed nothing)"

# Runs "$@" in private mount and process namespaces: killing unshare kills
# its child (--kill-child), the namespace's first process, and with it every
# process and mount of the namespace. Making every mount private needs the
# root to be a mount point; inside a chroot (this script run by the test
# command in a tree) it is not, and the tree's folder becomes a private mount
# of its own instead, so that nothing mounted below it leaves the namespace.
# The mark "entered" tells a failed command from a failed setup, which ends
# the run with 3.
if mountpoint -q /; then propagation=private; else propagation=unchanged; fi
in_namespaces() {
  local code
  rm -f "$work/entered"
  run_step KILL unshare --mount --pid --fork --kill-child --propagation "$propagation" -- bash -c '
    if [ "$0" = unchanged ]; then mount --bind "$1" "$1" && mount --make-rprivate "$1" || exit; fi
    : > "$2" || exit
    shift 2
    exec "$@"' "$propagation" "$tree" "$work/entered" "$@"
  code=$?
  if [ "$code" -ne 0 ] && [ ! -e "$work/entered" ]; then
    echo "test-debian13: could not set up private namespaces for $tree (unshare or a mount failed; its message above)" >&2
    exit 3
  fi
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
  # debootstrap's output goes to its log; a failed setup's message stays on
  # the terminal.
  if ! in_namespaces bash -c 'log=$1; shift; exec "$@" > "$log" 2>&1' log "$work/debootstrap.log" \
       debootstrap --variant=minbase --include=tini,ca-certificates trixie "$tree" "$url"; then
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

# The checkout's owner, as whom its files are read and the results written:
# with the owner's own home, and so the owner's own git configuration.
uid=$(stat -c %u "$top") gid=$(stat -c %g "$top")
home=$(getent passwd "$uid" | cut -d: -f6)
owner=(setpriv --reuid="$uid" --regid="$gid" --clear-groups -- env -u XDG_CONFIG_HOME HOME="${home:-/nonexistent}")

# A fresh copy of the checkout: what git tracks plus new files not ignored.
# The owner lists and reads them: git run by root in the owner's checkout
# would run the checkout's configured commands (core.fsmonitor, for one) as
# root on the host, and root's tar would read through any link the owner
# planted. Root only writes the copy into its own work folder, with no
# set-user-ID bit of the owner's files.
mkdir "$work/checkout" "$work/tmp" || die "cannot make folders in $work"
run_step TERM bash -c 'umask 022; "${@:2}" | tar --no-same-owner --no-same-permissions -xf - -C "$1"' copy \
  "$work/checkout" "${owner[@]}" bash -c 'cd "$1" && git ls-files -z --cached --others --exclude-standard |
    tar --null -T - --ignore-failed-read -cf - 2>/dev/null' read "$top"
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

# Root reads a result only as a plain file reached through no link below the
# copy: the commands in the tree wrote its build/, and a link there would hand
# the owner whatever root can read on the host. Nothing changes the copy now
# (its namespaces have ended; only root reaches the work folder). The owner
# writes it, who can write nothing this script could not; an entry already
# there is removed first and the file made anew (noclobber), so a link
# planted in build/ is never written through.
copy_build=$(readlink -f -- "$work/checkout")/build
run_step TERM "${owner[@]}" mkdir -p -- "$top/build/debian13" || die "cannot make $top/build/debian13"
for f in debian13-screenshot.png native-ctest.log win64-ctest.log fuzz.log; do
  from=$work/checkout/build/$f to=$top/build/debian13/${f#debian13-}
  [ -e "$from" ] || [ -L "$from" ] || continue
  if [ "$(readlink -f -- "$from")" != "$copy_build/$f" ] || [ ! -f "$from" ]; then
    echo "test-debian13: build/$f in the tree is no plain file; not copied" >&2
    continue
  fi
  run_step TERM bash -c 'exec "${@:2}" < "$1"' put "$from" \
    "${owner[@]}" bash -c 'set -C; rm -f -- "$1" && cat > "$1"' put "$to" ||
    echo "test-debian13: could not write build/debian13/${f#debian13-}" >&2
done
[ -f "$top/build/debian13/screenshot.png" ] && echo "debian13: screenshot: $top/build/debian13/screenshot.png"
say "done with code $code; logs in $top/build/debian13/"
exit $code
