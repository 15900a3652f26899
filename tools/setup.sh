#!/bin/sh
# Installs what building and testing need on Debian or Ubuntu, if anything is missing.
set -e
packages="g++ make cmake qtbase5-dev qtbase5-dev-tools fonts-dejavu-core"
missing=""
for package in $packages; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing="$missing $package"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=""
elif command -v sudo >/dev/null 2>&1; then
  sudo="sudo"
else
  echo "These packages are missing and neither root nor sudo is available:$missing" >&2
  exit 1
fi
echo "Installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
