#!/usr/bin/env bash
# Tries the README's commands as a newcomer does, on a fresh minimal Debian 12:
#   1. the run command, in a fresh chroot, until the game's window shows on a
#      display shared into it (an Xvfb here, its socket folder bound inside);
#   2. the Install section, word for word, in the same chroot;
#   3. the installed game started from the menu's command by a normal user,
#      who begins a turn and saves: the save must land in their home;
#   4. the test command, in a second fresh chroot.
# Every package is downloaded afresh in every chroot; only the bare system
# (debootstrap's minbase with git) is kept between runs.
#
# As root:  tools/fresh_debian_check.sh [REVISION [OLDER_REVISION]]
# REVISION (HEAD unless given) is cloned from this repository and checked out.
# With OLDER_REVISION its run command is timed too, in a chroot of its own, so
# that one run compares the time to the window before and after a change.
# BRENNOLT_FRESH_DIR (/var/tmp/brennolt-fresh) holds the chroots and the kept
# system, BRENNOLT_MIRROR names the Debian mirror, BRENNOLT_TEST_LIMIT stops the
# test command after that many seconds (none unless given) and reports how far
# it got, and BRENNOLT_SKIP_TESTS=1 leaves step 4 out.
#
# Each step prints its time, the package installs and the builds apart, and
# its exit code; the last lines sum them up. The exit code is 0 when every
# step passed.
set -euo pipefail
repository=$(cd "$(dirname "$0")/.." && pwd)
revision=${1:-HEAD}
older=${2:-}
work=${BRENNOLT_FRESH_DIR:-/var/tmp/brennolt-fresh}
mirror=${BRENNOLT_MIRROR:-http://deb.debian.org/debian}
security_mirror=${mirror%/debian}/debian-security

if [ "$(id -u)" -ne 0 ]; then
    echo "fresh_debian_check.sh: needs root (debootstrap, chroot, mounts)" >&2
    exit 2
fi
for tool in debootstrap Xvfb xdotool; do
    command -v "$tool" >/dev/null || {
        echo "fresh_debian_check.sh: needs $tool here (apt-get install debootstrap xvfb xdotool)" >&2
        exit 2
    }
done
mkdir -p "$work"
summary=()
failed=0
note() { echo "== $*"; }
record() {
    summary+=("$*")
    echo "== $*"
}

# The kept system: debootstrap once, then only unpacked. Its package lists and
# downloaded packages are dropped, so each chroot fetches everything anew.
base=$work/bookworm-minbase.tar
if [ ! -f "$base" ]; then
    note "making the minimal Debian 12 (kept in $base)"
    rm -rf --one-file-system "$work/base"
    debootstrap --variant=minbase --include=git,ca-certificates bookworm "$work/base" "$mirror"
    cat >"$work/base/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security_mirror bookworm-security main
EOF
    rm -rf "$work/base/var/lib/apt/lists/"* "$work/base/var/cache/apt/"*.bin
    find "$work/base/var/cache/apt/archives" -name '*.deb' -delete
    tar -C "$work/base" -cf "$base.part" . && mv "$base.part" "$base"
    rm -rf --one-file-system "$work/base"
fi

mounted=()
game=
# Unmounts everything under a chroot, then removes it; refuses while anything
# is still mounted there, so a removal never reaches into the host.
remove_chroot() {
    local root=$1 i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        case ${mounted[i]} in "$root"/*) umount -l "${mounted[i]}" 2>/dev/null || true ;; esac
    done
    [ -d "$root" ] || return 0
    if findmnt -rn -o TARGET | grep -q "^$root/"; then
        echo "fresh_debian_check.sh: still mounted under $root; not removing it" >&2
        return 1
    fi
    rm -rf --one-file-system "$root"
}
mount_in() {
    local target=$1
    shift
    mkdir -p "$target"
    mount "$@" "$target"
    mounted+=("$target")
}
display_server=
cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
    if [ -n "$display_server" ]; then kill "$display_server" 2>/dev/null || true; fi
}
trap cleanup EXIT

# A fresh chroot NAME with REVISION of the repository cloned into /root/brennolt.
fresh_chroot() {
    local root=$work/$1 at=$2
    remove_chroot "$root"
    mkdir -p "$root"
    tar -C "$root" -xpf "$base"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    # Packages never start services in a chroot.
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod +x "$root/usr/sbin/policy-rc.d"
    mount_in "$root/proc" -t proc proc
    mount_in "$root/sys" -t sysfs sysfs
    mount_in "$root/dev/pts" -t devpts -o newinstance,ptmxmode=0666 devpts
    mount_in "$root/dev/shm" -t tmpfs tmpfs
    # Displays in use here count as taken there too: an X server's abstract
    # socket is shared through the network, so xvfb-run -a must pass them over.
    for socket in /tmp/.X11-unix/X*; do
        [ -e "$socket" ] && : >"$root/tmp/.${socket##*/}-lock"
    done
    git clone -q --no-hardlinks "$repository" "$root/root/brennolt"
    git -C "$root/root/brennolt" checkout -q --detach "$(git -C "$repository" rev-parse "$at")"
}

# Runs a shell command as root inside a chroot, with the environment a root
# login there has, output stamped with the seconds since the step began.
in_chroot() {
    local root=$1
    shift
    chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}
stamp() {
    local begin=$1 line
    while IFS= read -r line; do printf '%5d  %s\n' $((SECONDS - begin)) "$line"; done
}

# The first ```sh block after the README's heading "## NAME".
readme_block() {
    awk -v heading="## $2" '$0 == heading { found = 1; next }
        found && /^```sh$/ { inside = 1; next }
        inside && /^```$/ { exit }
        inside { print }' "$1/README.md"
}

# The seconds at the first stamped line of LOG matching PATTERN (empty if none).
seconds_at() { grep -E -m 1 "^ *[0-9]+  ($2)" "$1" | awk '{ print $1 }' || true; }

# A display for the game's window, shared into the chroot through its socket folder.
display_fifo=$(mktemp -u)
mkfifo "$display_fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ac 3>"$display_fifo" 2>/dev/null &
display_server=$!
read -r display_number <"$display_fifo"
rm -f "$display_fifo"
display=:$display_number
note "display $display"
window_of() { DISPLAY=$display xdotool search --name '^Brennolt$' 2>/dev/null | head -n 1; }

# Step: the README's run command in a fresh chroot until the window shows.
# Leaves the game running in process group $game.
run_until_window() {
    local name=$1 at=$2 root=$work/$1 log=$work/$1.log command begin window=
    note "$name: fresh chroot with $at"
    fresh_chroot "$name" "$at"
    mount_in "$root/tmp/.X11-unix" --bind /tmp/.X11-unix
    command=$(readme_block "$root/root/brennolt" Play)
    note "$name: run command: $command"
    begin=$SECONDS
    setsid chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 DISPLAY="$display" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -ec "cd /root/brennolt; $command" </dev/null > >(stamp "$begin" | tee "$log") 2>&1 &
    game=$!
    while [ -z "$window" ] && kill -0 "$game" 2>/dev/null && ((SECONDS - begin < 3600)); do
        sleep 1
        window=$(window_of)
    done
    local total=$((SECONDS - begin))
    if [ -z "$window" ]; then
        record "$name: run command: no window after $total s (see $log)"
        failed=1
        kill -TERM -- "-$game" 2>/dev/null || true
        return 1
    fi
    sleep 1
    # Packages until the first line of a configure or a build; the build until
    # its last line of progress.
    local packages build_end
    packages=$(seconds_at "$log" 'Configuring|\[ *[0-9]+%\]')
    build_end=$(grep -E '^ *[0-9]+  (.*%|.* done)' "$log" | tail -n 1 | awk '{ print $1 }')
    record "$name: run command ($at): window after $total s (packages ${packages:-?} s," \
        "configure and build $((${build_end:-0} - ${packages:-0})) s), exit 0"
}
stop_game() {
    kill -TERM -- "-$game" 2>/dev/null || true
    wait "$game" 2>/dev/null || true
}

if [ -n "$older" ]; then
    run_until_window before "$older" || true
    stop_game
    remove_chroot "$work/before"
fi

if run_until_window after "$revision"; then
    stop_game
    root=$work/after
    # Step: the Install section as written, from the repository.
    install=$(readme_block "$root/root/brennolt" Install)
    note "install: $install"
    begin=$SECONDS
    set +e
    in_chroot "$root" bash -ec "cd /root/brennolt; $install" </dev/null 2>&1 | stamp "$begin" \
        | tee "$work/install.log"
    code=${PIPESTATUS[0]}
    set -e
    record "install section: $((SECONDS - begin)) s, exit $code"
    ((code == 0)) || failed=1

    # Step: a normal user starts the installed game by name, begins a turn and
    # saves. The window sits at the screen's top left (no window manager), so
    # the buttons are at their places in the 800 x 600 picture.
    in_chroot "$root" useradd -m -s /bin/bash player
    begin=$SECONDS
    setsid chroot "$root" su - player -c "DISPLAY=$display brennolt" </dev/null \
        >"$work/player.log" 2>&1 &
    game=$!
    window=
    while [ -z "$window" ] && kill -0 "$game" 2>/dev/null && ((SECONDS - begin < 60)); do
        sleep 0.5
        window=$(window_of)
    done
    shown=$((SECONDS - begin))
    saved=$root/home/player/.local/share/brennolt/Save.kvd
    if [ -n "$window" ]; then
        sleep 2
        click() { DISPLAY=$display xdotool mousemove "$1" "$2" sleep 0.3 mousedown 1 sleep 0.1 mouseup 1 sleep 1; }
        click 783 583 # "Begin your turn" on the Setup screen
        click 17 548  # "Save" on the turn screen
        for _ in $(seq 20); do [ -s "$saved" ] && break; sleep 0.5; done
    fi
    stop_game
    owner=$(in_chroot "$root" stat -c %U /home/player/.local/share/brennolt/Save.kvd 2>/dev/null || true)
    if [ -n "$window" ] && [ -s "$saved" ] && [ "$owner" = player ]; then
        record "installed game as a normal user: window after $shown s, saved to" \
            "~player/.local/share/brennolt/Save.kvd ($(stat -c %s "$saved") bytes), exit 0"
    else
        record "installed game as a normal user: window ${window:+after $shown s}${window:-never}," \
            "no save in ~player/.local/share/brennolt (see $work/player.log), exit 1"
        failed=1
    fi
else
    failed=1
fi
stop_game 2>/dev/null || true
remove_chroot "$work/after" || true

# Step: the test command in a second fresh chroot (it brings its own Xvfb).
if [ -z "${BRENNOLT_SKIP_TESTS:-}" ]; then
    root=$work/tests
    fresh_chroot tests "$revision"
    command=$(readme_block "$root/root/brennolt" Test)
    note "test command: $command"
    begin=$SECONDS
    set +e
    if [ -n "${BRENNOLT_TEST_LIMIT:-}" ]; then limit=(timeout -k 30 "$BRENNOLT_TEST_LIMIT"); else limit=(); fi
    "${limit[@]}" chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -ec "cd /root/brennolt; $command" </dev/null 2>&1 | stamp "$begin" >"$work/tests.log"
    code=${PIPESTATUS[0]}
    set -e
    packages=$(seconds_at "$work/tests.log" 'Configuring|\[ *[0-9]+%\]')
    build_end=$(seconds_at "$work/tests.log" 'Building .* done$')
    tests=$(grep -E 'tests passed|tests failed' "$work/tests.log" | sed 's/^ *[0-9]*  //' | paste -sd ';' -)
    how="packages ${packages:-?} s, first build until ${build_end:-?} s; ctest: ${tests:-none yet}"
    if ((code == 124 || code == 137)); then
        record "test command: stopped after $((SECONDS - begin)) s ($how); last line:" \
            "$(tail -n 1 "$work/tests.log")"
    else
        record "test command: $((SECONDS - begin)) s ($how), exit $code"
    fi
    ((code == 0)) || failed=1
    remove_chroot "$root" || true
fi

echo
echo "Summary (logs in $work):"
printf '  %s\n' "${summary[@]}"
exit "$failed"
