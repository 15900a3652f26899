#!/bin/sh
# Installs what building and testing need on Debian or Ubuntu, if anything is missing:
# the compiler and CMake, Qt 5 and, where the distribution has it, Qt 6 (each with Qt SVG,
# the Linguist tools that compile the translations, and Qt's own translations), libcsv,
# the checkers of the installed desktop files, the shared MIME database tools, and what
# `make package` and its check need (dpkg-shlibdeps from dpkg-dev, file, lintian).
set -e
required="g++ make cmake qtbase5-dev qtbase5-dev-tools libqt5svg5-dev libcsv-dev fonts-dejavu-core
  qttools5-dev qttools5-dev-tools qttranslations5-l10n
  appstream desktop-file-utils groff-base shared-mime-info dpkg-dev file lintian"
optional="qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-tools-dev qt6-l10n-tools
  qt6-translations-l10n"

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

missing=""
for package in $required $optional; do
  installed "$package" || missing="$missing $package"
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
$sudo apt-get update -qq
# Qt 6 comes only where the distribution ships it (Debian 12, Ubuntu 22.04 and later);
# the build falls back to Qt 5 without it.
wanted=""
for package in $missing; do
  case " $optional " in
    *" $package "*) apt-cache show "$package" >/dev/null 2>&1 || continue ;;
  esac
  wanted="$wanted $package"
done
echo "Installing:$wanted"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $wanted
