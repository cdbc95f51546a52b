#!/bin/sh
# Checks the Debian package: its files against packaging/files.txt, the desktop entries, the
# AppStream metainfo and lintian (no error). As root, it then installs the package with apt (its
# dependencies resolved), and tries it as a new user would: --version, a first start that makes
# the user's own program directory, a second that keeps the book, PURSELOG_HOME, an upgrade and a
# removal that leave every book where it is.
#   scripts/check-package.sh build/package/purselog_<version>_<arch>.deb
set -eu
deb=$(realpath "$1")
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(Purselog VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
fail() { echo "check-package: $*" >&2; exit 1; }

dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sed 's|^\./|/|' | sort > /tmp/purselog-files.$$
if ! diff -u packaging/files.txt /tmp/purselog-files.$$; then
  rm -f /tmp/purselog-files.$$
  fail "the package's files differ from packaging/files.txt"
fi
rm -f /tmp/purselog-files.$$

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/org.purselog.Purselog.metainfo.xml
lintian --allow-root "$deb" > "$root/lintian.txt" 2>&1 || true
cat "$root/lintian.txt"
if grep -q '^E:' "$root/lintian.txt"; then fail "lintian reports errors"; fi
echo "check-package: $(basename "$deb"), $(stat -c %s "$deb") bytes: files, entries, metainfo, lintian ok"

[ "$(id -u)" -eq 0 ] || { echo "check-package: not root: the install was not tried"; exit 0; }
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q "$deb" > "$root/apt.txt" 2>&1 || { cat "$root/apt.txt"; fail "apt cannot install it"; }
[ "$(purselog --version)" = "purselog $version" ] || fail "purselog --version: $(purselog --version)"
[ "$(tallyconv --version)" = "tallyconv $version" ] || fail "tallyconv --version"

user=purselog-try
id "$user" > /dev/null 2>&1 || useradd -m "$user"
home=$(getent passwd "$user" | cut -d: -f6)
# The program runs offscreen until it is told to stop (SIGTERM, to the program itself): purselog
# closes as from its close button and ends with 0; tallyconv, which keeps nothing open, is ended.
run() {
  runuser -u "$user" -- env HOME="$home" QT_QPA_PLATFORM=offscreen "$@" > "$root/run.txt" 2>&1 &
  pid=$!
  sleep 3
  pkill -TERM -u "$user" -f '^/usr/lib/purselog/' || true
  status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { [ "$1" = tallyconv ] && [ "$status" -eq 143 ]; } ||
    { cat "$root/run.txt"; fail "$* ended with $status"; }
}
book="$home/.local/share/purselog"
rm -rf "$book"
run purselog
for made in setting.dat ini.ini data pacs; do [ -e "$book/$made" ] || fail "no $made in $book"; done
cmp "$book/setting.dat" /usr/share/purselog/setting.dat || fail "setting.dat is not the delivered one"
printf '20240115,x,y,1,\r\n' | runuser -u "$user" -- tee "$book/data/202401.csv" > /dev/null
printf 'mine' | runuser -u "$user" -- tee "$book/setting.dat.mine" > /dev/null
runuser -u "$user" -- cp "$book/setting.dat" "$book/setting.dat.before"
run purselog
cmp "$book/setting.dat" "$book/setting.dat.before" || fail "a second start changed setting.dat"
[ "$(cat "$book/data/202401.csv")" = "$(printf '20240115,x,y,1,\r')" ] || fail "a month file changed"
other="$home/other book"
run env PURSELOG_HOME="$other" purselog
[ -e "$other/setting.dat" ] && [ -d "$other/data" ] || fail "PURSELOG_HOME was not used"
run tallyconv
apt-get install -y -q --reinstall "$deb" > "$root/apt.txt" 2>&1 || fail "the upgrade failed"
apt-get remove -y -q purselog > "$root/apt.txt" 2>&1 || fail "the removal failed"
[ -e "$book/data/202401.csv" ] && [ -e "$other/setting.dat" ] || fail "a book went with the package"
userdel -r "$user" 2> /dev/null || true
echo "check-package: installed with apt, started by a new user, upgraded and removed: books kept"
