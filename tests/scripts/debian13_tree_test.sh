#!/usr/bin/env bash
# scripts/test-debian13.sh with a stand-in debootstrap, no network: which tree
# folders it makes or refuses, one run per tree, signals in every phase that
# leave nothing behind, its exit codes, and a checkout of another owner whose
# links, files and git configuration give root's rights to no one. Needs
# root, as the script does.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
script=$top/scripts/test-debian13.sh
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: the script needs root (debootstrap, mounts), and this test runs it"
  echo "0 passed, 0 failed"
  exit 0
fi

base=$(mktemp -d /tmp/tessaly-debian13-test.XXXXXX)
pids=()
cleanup() {
  trap - EXIT INT TERM HUP
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
  rm -rf --one-file-system "$base"
}
trap cleanup EXIT
trap 'cleanup; exit 129' HUP
trap 'cleanup; exit 130' INT
trap 'cleanup; exit 143' TERM

# The stand-in makes a few files (MANY more of them when asked) and a mount
# in the target, as debootstrap does, and waits while the file named by HOLD
# exists. Its tree can run commands: bash and sleep with their libraries, and
# a stand-in tini that waits while /hold exists in the tree.
mkdir "$base/bin"
cat > "$base/bin/debootstrap" <<'STANDIN'
#!/usr/bin/env bash
target=${@: -2:1}
mkdir -p "$target/etc" "$target/proc" "$target/dev" "$target/tmp" "$target/usr/bin"
echo standin > "$target/etc/debian_version"
mount -t tmpfs standin "$target/proc" || exit 1
for program in /bin/bash /bin/sleep; do
  for file in "$program" $(ldd "$program" | grep -o '/[^ ]*'); do cp --parents -L "$file" "$target"; done
done
printf '#!/bin/bash\nwhile [ -e /hold ]; do sleep 0.1; done\nexit 0\n' > "$target/usr/bin/tini"
chmod +x "$target/usr/bin/tini"
[ -n "${MANY:-}" ] && mkdir "$target/many" && (cd "$target/many" && seq "$MANY" | xargs touch)
touch "$target/.standin-started"
for _ in $(seq 600); do [ -e "${HOLD:-/nonexistent}" ] || exit 0; sleep 0.1; done
exit 1
STANDIN
chmod +x "$base/bin/debootstrap"

# A slow tar and a slow cat, for a long copy: each waits while the file named
# by SLOW_tar or SLOW_cat exists, then runs the real one.
mkdir "$base/slow"
for name in tar cat; do
  printf '#!/bin/bash\nhold=SLOW_%s\nfor _ in $(seq 600); do [ -e "${!hold:-/nonexistent}" ] || break; sleep 0.1; done\nexec /usr/bin/%s "$@"\n' \
    "$name" "$name" > "$base/slow/$name"
  chmod 755 "$base/slow/$name"
done

passed=0; failed=0
check() {
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}
# Runs the script's tree mode on a folder; its output goes to $base/out.
make_tree() {
  TESSALY_DEBIAN13_TREE=$1 PATH=$base/bin:$PATH "$script" tree > "$base/out" 2>&1
}
wait_for() { for _ in $(seq 300); do [ -e "$1" ] && return 0; sleep 0.1; done; return 1; }
# A process whose command line holds the pattern (the stand-in tini runs as
# "/bin/bash /usr/bin/tini", unlike a real tini that may run this test). A
# pattern with a bracket matches no command line that names it.
wait_for_process() { for _ in $(seq 300); do pgrep -f "$1" >/dev/null && return 0; sleep 0.1; done; return 1; }
wait_until_gone() { for _ in $(seq 1500); do pgrep -f "$1" >/dev/null || return 0; sleep 0.02; done; return 1; }
# True once the process has ended, within 10 s; one not yet reaped has ended.
ends_soon() { for _ in $(seq 100); do case $(ps -o stat= -p "$1") in ''|Z*) return 0 ;; esac; sleep 0.1; done; return 1; }
no_process() { ! pgrep -f "$1" >/dev/null; }
# Sends the signal only to a process that still runs (kill alone would
# reach one that has ended and is not yet reaped).
signal_running() { case $(ps -o stat= -p "$2") in ''|Z*) return 1 ;; esac; kill -"$1" "$2"; }
no_mounts_under() { ! grep -q " $1" /proc/self/mounts; }
no_work_folder() { [ -z "$(ls -d "$base"/debian13-run.* 2>/dev/null)" ]; }

# Folders the script may make a tree in, and one it must leave alone.
mkdir "$base/empty" "$base/foreign" "$base/unfinished"
echo keep > "$base/foreign/data.txt"
touch "$base/unfinished/.tessaly-making" "$base/unfinished/leftover"
for name in missing empty unfinished; do
  make_tree "$base/$name"
  code=$?
  check "$name folder: exit 0" [ $code -eq 0 ]
  check "$name folder: tree ready" [ -f "$base/$name/.tessaly-ready" ]
  check "$name folder: its mark gone" [ ! -e "$base/$name/.tessaly-making" ]
  check "$name folder: no leftovers" [ ! -e "$base/$name/leftover" ]
  check "$name folder: no mount left" no_mounts_under "$base/$name"
done
make_tree "$base/foreign"
code=$?
check "foreign folder: exit non-zero" [ $code -ne 0 ]
check "foreign folder: message names it" grep -q "$base/foreign is not empty" "$base/out"
check "foreign folder: its file stays" grep -qx keep "$base/foreign/data.txt"
check "foreign folder: nothing added" [ "$(ls -A "$base/foreign")" = data.txt ]
check "no work folder left" no_work_folder

# A second run while the first is still making the tree.
touch "$base/hold"
HOLD=$base/hold make_tree "$base/busy" &
first=$!; pids+=("$first")
check "first run: making started" wait_for "$base/busy/.standin-started"
TESSALY_DEBIAN13_TREE=$base/busy PATH=$base/bin:$PATH "$script" tree > "$base/out2" 2>&1
code=$?
check "second run: refused" [ $code -ne 0 ]
check "second run: says the tree is in use" grep -q "another run is using $base/busy" "$base/out2"
check "second run: half-made tree kept" [ -f "$base/busy/.standin-started" ]
rm "$base/hold"
wait "$first"
code=$?
check "first run: exit 0" [ $code -eq 0 ]
check "first run: tree ready" [ -f "$base/busy/.tessaly-ready" ]

# TERM while the tree is made: the script ends at once and leaves nothing.
touch "$base/hold"
HOLD=$base/hold TESSALY_DEBIAN13_TREE=$base/cut PATH=$base/bin:$PATH "$script" tree > "$base/out3" 2>&1 &
run=$!; pids+=("$run")
check "interrupted run: making started" wait_for "$base/cut/.standin-started"
kill -TERM "$run"
wait "$run"
code=$?
check "interrupted run: exit 143" [ $code -eq 143 ]
check "interrupted run: tree folder gone" [ ! -e "$base/cut" ]
check "interrupted run: no mount left" no_mounts_under "$base/cut"
check "interrupted run: stand-in ended" no_process "$base/bin/debootstra[p]"
rm -f "$base/hold"

# A signal while the tree is made, then the same signal again once the
# clean-up has begun (it ends the stand-in first, then empties the folder of
# its many files): the clean-up still finishes, and the code is the first
# signal's. A background command ignores INT: env gives it back, as a
# terminal's Ctrl-C reaches a script in the foreground.
signalled_twice() {
  local signal=$1 expected=$2 folder=$base/twice-$1 code
  touch "$base/hold"
  HOLD=$base/hold MANY=30000 TESSALY_DEBIAN13_TREE=$folder PATH=$base/bin:$PATH \
    env --default-signal="$signal" "$script" tree > "$base/out-$signal" 2>&1 &
  run=$!; pids+=("$run")
  check "$signal twice: making started" wait_for "$folder/.standin-started"
  kill -"$signal" "$run"
  check "$signal twice: the clean-up ended the stand-in" wait_until_gone "$base/bin/debootstra[p]"
  check "$signal twice: the second signal came during the clean-up" signal_running "$signal" "$run"
  wait "$run"
  code=$?
  check "$signal twice: exit $expected" [ $code -eq "$expected" ]
  check "$signal twice: tree folder gone" [ ! -e "$folder" ]
  check "$signal twice: no mount left" no_mounts_under "$folder"
  rm -f "$base/hold"
}
signalled_twice INT 130
signalled_twice HUP 129

# TERM while apt-get installs debootstrap, the script's first long step: a
# stand-in apt-get, with no debootstrap on the PATH, that waits while its
# hold exists. The script ends at once and ends apt-get too.
mkdir "$base/apt"
printf '#!/bin/bash\necho $$ > %s/apt-get.pid\nwhile [ -e %s/hold-apt ]; do sleep 0.1; done\n' "$base" "$base" \
  > "$base/apt/apt-get"
chmod +x "$base/apt/apt-get"
touch "$base/hold-apt"
TESSALY_DEBIAN13_TREE=$base/apt-tree PATH=$base/apt:/usr/bin:/bin "$script" tree > "$base/out-apt" 2>&1 &
run=$!; pids+=("$run")
check "TERM during apt-get: apt-get started" wait_for "$base/apt-get.pid"
apt=$(cat "$base/apt-get.pid" 2>/dev/null); pids+=("${apt:-0}")
kill -TERM "$run"
check "TERM during apt-get: the script ends at once" ends_soon "$run"
check "TERM during apt-get: apt-get ended" bash -c "! kill -0 ${apt:-0} 2>/dev/null"
rm -f "$base/hold-apt"
wait "$run"
code=$?
check "TERM during apt-get: exit 143" [ $code -eq 143 ]
check "TERM during apt-get: nothing made" [ ! -e "$base/apt-tree" ]

# No namespaces: unshare fails without CAP_SYS_ADMIN. The run ends with 3,
# as the header says, and leaves no folder.
setpriv --bounding-set -sys_admin --inh-caps -sys_admin env TESSALY_DEBIAN13_TREE="$base/no-unshare" \
  PATH="$base/bin:$PATH" "$script" tree > "$base/out-unshare" 2>&1
code=$?
check "failed unshare: exit 3" [ $code -eq 3 ]
check "failed unshare: says so" grep -q "could not set up private namespaces" "$base/out-unshare"
check "failed unshare: unshare's own message shown" grep -q "unshare" "$base/out-unshare"
check "failed unshare: tree folder gone" [ ! -e "$base/no-unshare" ]

# A checkout of another owner, as a folder of its own with the script, a
# tracked build log and three plants:
# - its git configuration runs a command (core.fsmonitor, which git ls-files
#   runs) that leaves a mark where only root may write;
# - peek/shadow is tracked, and peek a link to a folder only root may read;
# - build/win64-ctest.log is a tracked link to a file only root may read,
#   which the stand-in tini leaves in the copy's build/ as it is;
# and a link planted where a log is written.
checkout=$base/checkout
mkdir -p "$checkout/scripts" "$checkout/build/debian13" "$base/rootonly"
cp "$script" "$checkout/scripts/"
echo "native log" > "$checkout/build/native-ctest.log"
echo secret > "$base/rootonly/shadow"
echo secret > "$base/secret"
chmod 700 "$base/rootonly"; chmod 600 "$base/secret"
ln -s "$base/secret" "$checkout/build/win64-ctest.log"
ln -s "$base/rootonly" "$checkout/peek"
(cd "$checkout" && git init -q && git add scripts build/native-ctest.log build/win64-ctest.log &&
  echo peek >> .git/info/exclude &&
  git update-index --add --cacheinfo "100644,$(echo planted | git hash-object -w --stdin),peek/shadow" &&
  git config core.fsmonitor "touch '$base/fsmonitor-ran-as-root'")
echo victim > "$base/victim"
ln -s "$base/victim" "$checkout/build/debian13/native-ctest.log"
chown -R -h 65534:65534 "$checkout"
chmod 755 "$base"  # the owner reaches their checkout
in_runnable=(TESSALY_DEBIAN13_TREE="$base/runnable" PATH="$base/bin:$PATH")
env "${in_runnable[@]}" "$checkout/scripts/test-debian13.sh" test > "$base/out5" 2>&1
code=$?
check "run from another owner's checkout: exit 0" [ $code -eq 0 ]
check "planted link: its target untouched" grep -qx victim "$base/victim"
check "planted link: its target still root's" [ "$(stat -c %u "$base/victim")" = 0 ]
check "planted link: replaced by the log" bash -c "[ ! -L '$checkout/build/debian13/native-ctest.log' ] &&
  grep -qx 'native log' '$checkout/build/debian13/native-ctest.log'"
check "the log written by the checkout's owner" [ "$(stat -c %u "$checkout/build/debian13/native-ctest.log")" = 65534 ]
check "link in the copy's build/: not copied" [ ! -e "$checkout/build/debian13/win64-ctest.log" ]
check "link in the copy's build/: says so" grep -q "build/win64-ctest.log in the tree is no plain file" "$base/out5"
check "no root's file handed to the owner" bash -c "! grep -rqs secret '$checkout/build'"
check "the checkout's git command never ran as root" [ ! -e "$base/fsmonitor-ran-as-root" ]
check "run: no mount left" no_mounts_under "$base/runnable"

# INT while the commands run in the tree: the script ends at once, with no
# process or mount left, and the finished tree stays for the next run. While
# they run, the copy holds nothing read through the link peek.
touch "$base/runnable/hold"
env --default-signal=INT "${in_runnable[@]}" "$checkout/scripts/test-debian13.sh" test > "$base/out6" 2>&1 &
run=$!; pids+=("$run")
check "interrupted commands: running" wait_for_process 'bash /usr/bin/tin[i]'
check "the copy: made" bash -c "ls -d '$base'/debian13-run.*/checkout/scripts >/dev/null"
check "the copy: nothing read through a link" bash -c "! grep -rqs secret '$base'/debian13-run.*/checkout"
kill -INT "$run"
wait "$run"
code=$?
check "interrupted commands: exit 130" [ $code -eq 130 ]
check "interrupted commands: no mount left" no_mounts_under "$base/runnable"
check "interrupted commands: tini ended" no_process 'bash /usr/bin/tin[i]'
check "interrupted commands: the tree stays ready" [ -f "$base/runnable/.tessaly-ready" ]
rm -f "$base/runnable/hold"

# TERM during a long copy, of the checkout (tar) or of the results (cat):
# the script ends at once, and the copy with it.
long_copy() {
  local name=$1 code
  touch "$base/slow-hold"
  env "SLOW_$name=$base/slow-hold" TESSALY_DEBIAN13_TREE="$base/runnable" PATH="$base/slow:$base/bin:$PATH" \
    "$checkout/scripts/test-debian13.sh" test > "$base/out-slow-$name" 2>&1 &
  run=$!; pids+=("$run")
  check "TERM during the $name copy: copying" wait_for_process "$base/slow/[$name]"
  kill -TERM "$run"
  check "TERM during the $name copy: the script ends at once" ends_soon "$run"
  check "TERM during the $name copy: the copy ended" no_process "$base/slow/[$name]"
  rm -f "$base/slow-hold"
  wait "$run"
  code=$?
  check "TERM during the $name copy: exit 143" [ $code -eq 143 ]
  check "TERM during the $name copy: no work folder left" no_work_folder
}
long_copy tar
long_copy cat

# The tree's own bind mount fails (inside a chroot, where the root is no
# mount point): the run ends with 3, as the header says. A stand-in
# mountpoint tells the script it is in one; a stand-in mount refuses a bind
# of a folder onto itself.
mkdir "$base/chroot"
printf '#!/bin/sh\nexit 1\n' > "$base/chroot/mountpoint"
printf '#!/bin/sh\n[ "$1" = --bind ] && [ "$2" = "$3" ] && { echo "mount: stand-in refuses" >&2; exit 32; }\nexec /usr/bin/mount "$@"\n' \
  > "$base/chroot/mount"
chmod 755 "$base/chroot/mountpoint" "$base/chroot/mount"
TESSALY_DEBIAN13_TREE=$base/runnable PATH=$base/chroot:$base/bin:$PATH "$checkout/scripts/test-debian13.sh" test \
  > "$base/out-bind" 2>&1
code=$?
check "failed bind mount: exit 3" [ $code -eq 3 ]
check "failed bind mount: says so" grep -q "could not set up private namespaces" "$base/out-bind"
check "failed bind mount: the tree stays ready" [ -f "$base/runnable/.tessaly-ready" ]
check "failed bind mount: no work folder left" no_work_folder

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
