#!/usr/bin/env bash
# scripts/test-debian13.sh with a stand-in debootstrap, no network: which tree
# folders it makes or refuses, one run per tree, and an interrupted making
# that leaves nothing behind. Needs root, as the script does.
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
  trap - EXIT INT TERM
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
  rm -rf --one-file-system "$base"
}
trap cleanup EXIT
trap 'cleanup; exit 130' INT
trap 'cleanup; exit 143' TERM

# The stand-in makes a few files (MANY more of them when asked) and a mount
# in the target, as debootstrap does, and waits while the file named by HOLD
# exists. Its tree can run commands: bash and sleep with their libraries, and
# a stand-in tini that waits while /hold exists in the tree.
mkdir "$base/bin"
cat > "$base/bin/debootstrap" <<'EOF'
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
EOF
chmod +x "$base/bin/debootstrap"

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
# "/bin/bash /usr/bin/tini", unlike a real tini that may run this test).
wait_for_process() { for _ in $(seq 300); do pgrep -f "$1" >/dev/null && return 0; sleep 0.1; done; return 1; }
no_mounts_under() { ! grep -q " $1" /proc/self/mounts; }

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
check "no work folder left" [ -z "$(ls -d "$base"/debian13-run.* 2>/dev/null)" ]

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
check "interrupted run: stand-in ended" bash -c "! pgrep -f '$base/bin/debootstra[p]' >/dev/null"
rm -f "$base/hold"

# INT while the tree is made, then a second signal while the clean-up empties
# it: the clean-up still finishes. A background command ignores INT: env
# gives it back, as a terminal's Ctrl-C reaches a script in the foreground.
touch "$base/hold"
HOLD=$base/hold MANY=30000 TESSALY_DEBIAN13_TREE=$base/twice PATH=$base/bin:$PATH env --default-signal=INT "$script" tree \
  > "$base/out4" 2>&1 &
run=$!; pids+=("$run")
check "twice interrupted run: making started" wait_for "$base/twice/.standin-started"
kill -INT "$run"
sleep 0.05  # the clean-up has begun: a signal at this instant is the case
kill -TERM "$run" 2>/dev/null
wait "$run"
code=$?
check "twice interrupted run: exit 130" [ $code -eq 130 ]
check "twice interrupted run: tree folder gone" [ ! -e "$base/twice" ]
check "twice interrupted run: no mount left" no_mounts_under "$base/twice"
rm -f "$base/hold"

# A whole run from a checkout of another owner, with a link planted where a
# log is written: the log replaces the link, written by the checkout's
# owner, and the link's target is untouched. The checkout is a folder of its
# own with the script and a build log that git tracks there.
checkout=$base/checkout
mkdir -p "$checkout/scripts" "$checkout/build/debian13"
cp "$script" "$checkout/scripts/"
echo "native log" > "$checkout/build/native-ctest.log"
(cd "$checkout" && git init -q && git add scripts build/native-ctest.log)
echo victim > "$base/victim"
ln -s "$base/victim" "$checkout/build/debian13/native-ctest.log"
chown -R 65534:65534 "$checkout"
chmod 755 "$base"  # the owner reaches their checkout
TESSALY_DEBIAN13_TREE=$base/runnable PATH=$base/bin:$PATH "$checkout/scripts/test-debian13.sh" test \
  > "$base/out5" 2>&1
code=$?
check "run from another owner's checkout: exit 0" [ $code -eq 0 ]
check "planted link: its target untouched" grep -qx victim "$base/victim"
check "planted link: its target still root's" [ "$(stat -c %u "$base/victim")" = 0 ]
check "planted link: replaced by the log" bash -c "[ ! -L '$checkout/build/debian13/native-ctest.log' ] &&
  grep -qx 'native log' '$checkout/build/debian13/native-ctest.log'"
check "the log written by the checkout's owner" [ "$(stat -c %u "$checkout/build/debian13/native-ctest.log")" = 65534 ]
check "run: no mount left" no_mounts_under "$base/runnable"

# INT while the commands run in the tree: the script ends at once, with no
# process or mount left, and the finished tree stays for the next run.
touch "$base/runnable/hold"
TESSALY_DEBIAN13_TREE=$base/runnable PATH=$base/bin:$PATH env --default-signal=INT "$checkout/scripts/test-debian13.sh" test \
  > "$base/out6" 2>&1 &
run=$!; pids+=("$run")
check "interrupted commands: running" wait_for_process 'bash /usr/bin/tin[i]'
kill -INT "$run"
wait "$run"
code=$?
check "interrupted commands: exit 130" [ $code -eq 130 ]
check "interrupted commands: no mount left" no_mounts_under "$base/runnable"
check "interrupted commands: tini ended" bash -c "! pgrep -f 'bash /usr/bin/tin[i]' >/dev/null"
check "interrupted commands: the tree stays ready" [ -f "$base/runnable/.tessaly-ready" ]
rm -f "$base/runnable/hold"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
