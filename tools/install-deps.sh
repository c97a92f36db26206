#!/bin/sh
# Installs the Debian packages named in $PACKAGES that are missing: directly when run as root,
# otherwise prints the one apt-get line that is needed and fails.
missing=""
for package in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $package"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" = 0 ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends $missing >/dev/null || exit 1
else
    echo "Missing packages. Run as root:"
    echo "  apt-get install -y$missing"
    exit 1
fi
