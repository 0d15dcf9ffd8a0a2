#!/bin/sh
# The Debian package as a user meets it: lintian on the .deb, then, in a minimal root of this
# machine's Debian release made by debootstrap from the mirror apt uses here, apt installs the
# package with only the dependencies it declares; the game prints its version and shows its
# window on a virtual X display (the X server is installed for the test only); a purge leaves
# nothing of the package, nor of its dependencies. The clean root and the downloaded packages are
# kept in CACHE_DIR, so a repeat starts from a copy. Runs as root.
# Usage: package_check.sh DEB CACHE_DIR
set -eu
deb=$(readlink -f "$1")
cache=$(readlink -f "$2")
base=$cache/base
root=$cache/root
fail() {
    echo "package check: $*" >&2
    exit 1
}
started=$(date +%s)
step() { echo "== $* ($(($(date +%s) - started)) s)"; }
[ -f "$deb" ] || fail "no package $1"
[ "$(id -u)" = 0 ] || fail "debootstrap and chroot need root"

step "lintian $(basename "$deb")"
lintian --fail-on error,warning --display-info "$deb" || fail "lintian found errors or warnings"

. /etc/os-release
release=$VERSION_CODENAME
mirror=$(apt-get indextargets --format '$(SITE) $(CODENAME)' 'Created-By: Packages' |
    awk -v release="$release" '$2 == release { print $1; exit }')
[ -n "$mirror" ] || fail "apt has no source for $release"
mkdir -p "$cache/archives"
if [ ! -d "$base" ]; then
    step "a minimal $release root from $mirror, kept in $base"
    rm -rf "$base.tmp"
    debootstrap --variant=minbase "$release" "$base.tmp" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
        { tail -n 20 "$cache/debootstrap.log"; fail "debootstrap failed"; }
    chroot "$base.tmp" sh -c "apt-get update -qq && apt-get clean" || fail "apt-get update failed"
    mv "$base.tmp" "$base"
fi

# A fresh copy of the clean root for this run, with the packages downloaded by earlier runs.
mounted=
finish() {
    [ -z "$mounted" ] || umount "$root/proc"
}
trap finish EXIT
grep -q " $root/" /proc/mounts && fail "something is still mounted in $root"
rm -rf --one-file-system "$root"
cp -a "$base" "$root"
cp -l "$cache/archives/"*.deb "$root/var/cache/apt/archives/" 2>/dev/null || true
mount -t proc proc "$root/proc"
mounted=1
cp "$deb" "$root/tmp/"
# apt without recommended packages, and without a terminal for dpkg's log (the root has none);
# dpkg does not sync each file it unpacks into this throwaway root.
apt="apt-get -y -q --no-install-recommends -o Dpkg::Use-Pty=0 -o Dpkg::Options::=--force-unsafe-io"
in_root() {
    chroot "$root" env -i PATH=/usr/local/bin:/usr/bin:/bin:/usr/games:/usr/sbin:/sbin \
        HOME=/root LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive sh -ec "$1"
}
packages() { in_root "dpkg-query -W -f '\${Package}\n' | sort"; }
packages >"$cache/clean.list"

step "apt-get install ./$(basename "$deb") (without recommended packages)"
in_root "$apt install ./tmp/$(basename "$deb")"
packages >"$cache/installed.list"
echo "The package and the dependencies apt installed with it:"
comm -13 "$cache/clean.list" "$cache/installed.list" | sed 's/^/  /'
version=$(in_root "gridhollow --version")
echo "gridhollow --version: $version"
[ "$version" = "gridhollow $(dpkg-deb -f "$deb" Version | sed 's/-[^-]*$//')" ] ||
    fail "the installed game says '$version'"
# Control-flow marking is left out: the C library's start files of this release carry none, so no
# program linked here can have it.
for program in gridhollow gridhollow-reminders; do
    hardening-check --nocfprotection "$root/usr/libexec/gridhollow/$program" ||
        fail "$program is not hardened"
done

step "the game on a virtual X display (Xvfb installed for the test)"
in_root "$apt install xvfb x11-utils" >"$cache/xvfb-install.log"
cp -l -n "$root/var/cache/apt/archives/"*.deb "$cache/archives/" 2>/dev/null || true
# A black screen of 800 x 600 whose pixels Xvfb keeps in a file; the game's window must map and
# paint colours of its own there. The game is held to the X11 driver, so that a missing library
# fails instead of leaving the game running without a window. SIGTERM ends it with code 0.
in_root '
    rm -rf /tmp/screen && mkdir /tmp/screen
    Xvfb -displayfd 3 -screen 0 800x600x24 -br -nolisten tcp -fbdir /tmp/screen \
        3>/tmp/display 2>/tmp/xvfb.log &
    xvfb=$!
    game=
    trap "kill \$game \$xvfb 2>/dev/null" EXIT
    for _ in $(seq 300); do [ -s /tmp/display ] && break; sleep 0.1; done
    [ -s /tmp/display ] || { echo "Xvfb did not start"; cat /tmp/xvfb.log; exit 1; }
    export DISPLAY=:$(cat /tmp/display)
    SDL_VIDEODRIVER=x11 gridhollow >/tmp/game.log 2>&1 &
    game=$!
    for _ in $(seq 300); do xwininfo -name Gridhollow >/tmp/window 2>&1 && break; sleep 0.1; done
    sleep 3
    cat /tmp/game.log
    grep "Map State: IsViewable" /tmp/window || { cat /tmp/window; xwininfo -root -tree; exit 1; }
    colours=$(tail -c $((800 * 600 * 4)) /tmp/screen/Xvfb_screen0 | od -An -v -tx4 -w4 | sort -u |
        wc -l)
    echo "colours on the screen: $colours"
    [ "$colours" -ge 32 ] || { echo "the window shows no picture"; exit 1; }
    kill -TERM $game
    code=0
    wait $game || code=$?
    game=
    [ $code = 0 ] || { echo "the game ended on SIGTERM with code $code"; exit 1; }
    echo "the game ended on SIGTERM with code 0"
' || fail "the game did not play on the X display"

step "apt-get purge"
in_root "dpkg -L gridhollow" >"$cache/files.list"
in_root "$apt purge gridhollow xvfb x11-utils && $apt autoremove --purge" \
    >"$cache/purge.log"
in_root "! dpkg -s gridhollow >/dev/null 2>&1" || fail "dpkg still knows gridhollow"
# Every file of the package has the name in its path; so do its own folders, and not the shared ones.
left=$(grep gridhollow "$cache/files.list" | while read -r path; do
    [ ! -e "$root$path" ] || echo "$path"
done)
[ -z "$left" ] || fail "left behind: $left"
packages | cmp -s - "$cache/clean.list" ||
    fail "the purge left packages: $(packages | comm -13 "$cache/clean.list" -)"
echo "package check: passed in $(($(date +%s) - started)) s ($(du -k "$deb" | cut -f1) KiB package," \
    "$(dpkg-deb -f "$deb" Installed-Size) KiB installed)"
