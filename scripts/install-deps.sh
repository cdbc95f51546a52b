#!/bin/sh
# Installs every system package that building, testing and running Purselog needs.
# Idempotent: when everything is present it only runs dpkg queries and exits.
set -eu

PACKAGES="
build-essential
make
git
cmake
pkg-config
clang-format
clang
libclang-rt-14-dev
qt6-base-dev
qt6-base-dev-tools
libqt6printsupport6
qt6-qpa-plugins
libgl-dev
libicu-dev
libgtest-dev
libgmock-dev
googletest
libbenchmark-dev
fonts-ipafont-gothic
xvfb
xauth
ledger
file
procps
lintian
desktop-file-utils
appstream
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -z "$missing" ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "install-deps: missing:$missing; run this script as root to install them" >&2
    exit 1
  fi
  SUDO="sudo"
fi

echo "install-deps: installing$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
