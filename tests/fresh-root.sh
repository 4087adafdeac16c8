#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the README's `make test` as a newcomer does: in a new Debian 12 root made with debootstrap
# that holds only git, make, cmake and g++, with the repository cloned in, no session bus, no
# XDG_RUNTIME_DIR, no font caches of a user and no build folders. Needs root (debootstrap, chroot,
# mount) and the network. Everything it mounts is unmounted again, whatever happens.
#
# Usage: sudo tests/fresh-root.sh [--keep] [--root DIR] [--log FILE] [-- COMMAND...]
#   COMMAND runs in the clone instead of `make test`, e.g. -- make test-sanitize
#   --keep  keeps the root (otherwise removed at the end); --root DIR makes it there
#   --log   writes the run's output there too (default: fresh-root-<date>.log in the current folder)
# Environment: KORV_FRESH_MIRROR (default http://deb.debian.org/debian), KORV_FRESH_NICE (19).
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mirror=${KORV_FRESH_MIRROR:-http://deb.debian.org/debian}
niceness=${KORV_FRESH_NICE:-19}
keep=0
root=
log=$PWD/fresh-root-$(date +%Y%m%d-%H%M%S).log
while [[ $# -gt 0 ]]; do
    case $1 in
    --keep) keep=1 ;;
    --root) root=$2; shift ;;
    --log) log=$2; shift ;;
    --) shift; break ;;
    *) echo "fresh-root: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done
command=("$@")
[[ ${#command[@]} -eq 0 ]] && command=(make test)

[[ $(id -u) -eq 0 ]] || { echo "fresh-root: run as root (debootstrap, chroot and mount need it)" >&2; exit 1; }
for tool in debootstrap chroot mount umount git; do
    command -v "$tool" >/dev/null || { echo "fresh-root: needs $tool (apt-get install debootstrap)" >&2; exit 1; }
done

if [[ -z $root ]]; then
    root=$(mktemp -d /var/tmp/korv-fresh-root.XXXXXX)
else
    [[ -e $root && -n $(ls -A "$root") ]] && { echo "fresh-root: $root is not empty" >&2; exit 1; }
    mkdir -p "$root"
fi
root=$(cd "$root" && pwd)
# As a real root is: mktemp's 0700 would keep every user but root out of the whole tree.
chmod 755 "$root"
mounted=()

in_root() {
    # The processes whose root directory is ours: only this script's own descendants get there.
    local pid
    for pid in /proc/[0-9]*; do
        [[ $(readlink "$pid/root" 2>/dev/null) == "$root" ]] && echo "${pid#/proc/}"
    done
    return 0
}

cleanup() {
    local status=$? pids
    pids=$(in_root)
    if [[ -n $pids ]]; then
        echo "fresh-root: stopping what is still running inside: $(echo $pids)" >&2
        kill -TERM $pids 2>/dev/null || true
        sleep 2
        pids=$(in_root)
        [[ -n $pids ]] && kill -KILL $pids 2>/dev/null || true
    fi
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" || true
    done
    if grep -q " $root/" /proc/mounts; then
        echo "fresh-root: still mounted below $root, left in place" >&2
    elif [[ $keep -eq 0 ]]; then
        rm -rf --one-file-system "$root"
    else
        echo "fresh-root: kept $root" >&2
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

mount_in() { # TYPE-OR-bind SOURCE TARGET
    mkdir -p "$root$3"
    if [[ $1 == bind ]]; then
        mount --bind "$2" "$root$3"
    else
        mount -t "$1" "$2" "$root$3"
    fi
    mounted+=("$root$3")
}

echo "fresh-root: making a Debian 12 root in $root (log: $log)"
{
    nice -n "$niceness" debootstrap --include=git,make,cmake,g++ bookworm "$root" "$mirror"
    # A real Debian 12 installation's sources: the point release's updates and security.
    cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
    # Packages must not start services in the host's name (the dbus package would try to).
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
    git clone --quiet "$repo" "$root/root/korvani"
    git -C "$root/root/korvani" checkout --quiet "$(git -C "$repo" rev-parse HEAD)"
} 2>&1 | tee -a "$log"

mount_in proc proc /proc
mount_in sysfs sysfs /sys
mount_in bind /dev /dev
mount_in bind /dev/pts /dev/pts
mount_in tmpfs tmpfs /dev/shm
mount_in tmpfs tmpfs /tmp

echo "fresh-root: running ${command[*]} in /root/korvani" | tee -a "$log"
set +e
# A login's environment and nothing of this one: no DISPLAY, session bus or runtime folder.
nice -n "$niceness" chroot "$root" /usr/bin/env -i HOME=/root USER=root LOGNAME=root SHELL=/bin/bash \
    TERM="${TERM:-dumb}" PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/bash -c 'cd /root/korvani && exec "$@"' fresh-root "${command[@]}" 2>&1 | tee -a "$log"
status=${PIPESTATUS[0]}
set -e

echo "fresh-root: summary of ${command[*]} (exit status $status):" | tee -a "$log"
grep -E "tests passed|tests failed|^[0-9]+/[0-9]+ Test .*(Failed|Timeout|Not Run)|run-fuzz:|^(OK|FAILED)" "$log" \
    | tee -a "$log.summary" || true
exit "$status"
