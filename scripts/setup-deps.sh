#!/usr/bin/env bash
# Installs every Debian package the project builds, tests or runs with.
# Idempotent: packages already installed are skipped; safe to run again.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev libgl-dev
  libsqlite3-dev sqlite3
  libxlsxwriter-dev libzip-dev libpugixml-dev libgsf-1-dev
  googletest libgtest-dev libgmock-dev
  clang-format
  clang libclang-rt-14-dev
  xvfb xauth imagemagick x11-apps poppler-utils
  fonts-wqy-microhei qt6-translations-l10n
  python3-openpyxl python3-xlrd
  dpkg-dev file librsvg2-bin lintian desktop-file-utils appstream man-db
  cups printer-driver-cups-pdf
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup-deps: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
echo "setup-deps: installed ${missing[*]}"
