#!/usr/bin/env bash
# The dependency script against stand-ins for dpkg-query, id, sudo and apt-get: what it installs,
# how it reaches apt as root, through sudo and without either, and that it installs nothing twice.
set -euo pipefail
script=$(cd "$(dirname "$0")/../.." && pwd)/scripts/install-deps.sh
bash=$(command -v bash)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stubs=$work/bin
mkdir -p "$stubs"
for tool in grep env cat; do ln -s "$(command -v $tool)" "$stubs/$tool"; done

stub() { printf '#!%s\n%s\n' "$bash" "$2" > "$stubs/$1"; chmod +x "$stubs/$1"; }
# apt-get logs the frontend it was given and its arguments.
stub apt-get "echo \"\${DEBIAN_FRONTEND:-unset} \$*\" >> $work/apt.log"
# sudo, like the real one, passes no environment on.
sudo_stub="exec env -i PATH=\"\$PATH\" \"\$@\""

# run_case UID INSTALLED SUDO SET: runs the script, leaving its status, stderr and apt log.
run_case() {
    stub id "echo $1"
    if [ "$2" = all ]; then stub dpkg-query "echo 'install ok installed'"; else stub dpkg-query "exit 1"; fi
    if [ "$3" = sudo ]; then stub sudo "$sudo_stub"; else rm -f "$stubs/sudo"; fi
    rm -f "$work/apt.log"; touch "$work/apt.log"
    status=0
    PATH=$stubs "$bash" "$script" "$4" > "$work/out" 2> "$work/err" || status=$?
}

failed=0
fail() { echo "FAIL: $*"; failed=1; }

run_case 1000 none none test
[ $status -ne 0 ] || fail "no root and no sudo: exit status 0"
[ ! -s "$work/apt.log" ] || fail "no root and no sudo: apt-get was called"
[ "$(wc -l < "$work/err")" -eq 1 ] || fail "no root and no sudo: not one line: $(cat "$work/err")"
grep -q 'libgmock-dev' "$work/err" && grep -q 'apt-get install' "$work/err" ||
    fail "no root and no sudo: the message names no package or command: $(cat "$work/err")"

for who in "1000 sudo" "0 none"; do
    read -r uid sudo <<< "$who"
    run_case "$uid" none "$sudo" test
    [ $status -eq 0 ] || fail "uid $uid, $sudo: exit status $status: $(cat "$work/err")"
    grep -q '^noninteractive update' "$work/apt.log" || fail "uid $uid, $sudo: no non-interactive update"
    grep -q '^noninteractive install .*libgmock-dev' "$work/apt.log" ||
        fail "uid $uid, $sudo: install not non-interactive or without libgmock-dev: $(cat "$work/apt.log")"
done

run_case 0 none none run
grep -q 'libgstreamer1.0-dev' "$work/apt.log" || fail "run: the program's packages are not installed"
! grep -q 'libgtest-dev' "$work/apt.log" || fail "run: the test packages are installed too"

run_case 0 all none test
[ $status -eq 0 ] && [ ! -s "$work/apt.log" ] || fail "all installed: apt-get was called, or status $status"

run_case 0 none none bogus
[ $status -eq 2 ] || fail "an unknown argument gives status $status"

[ $failed -eq 0 ] && echo "install script behaves"
exit $failed
