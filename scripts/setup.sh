#!/usr/bin/env bash
# Installs on Debian 12 (as root) whatever the build, the tests and the fonts need, skipping what
# is there already, and makes a decimal-comma locale for the number tests.
set -euo pipefail

pkgs=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev
      libgtest-dev libgmock-dev libbenchmark-dev
      fonts-ipafont-mincho fonts-ipafont-gothic fonts-liberation2 fontconfig
      locales zbar-tools python3 python3-pil xvfb xauth)
pkgs+=(desktop-file-utils shared-mime-info)
# pdftoppm: the canvas print test measures the printed page with it.
pkgs+=(poppler-utils)
# libqrencode-dev: a yardstick for the QR benchmark only; nothing else links it.
pkgs+=(libqrencode-dev)
# clang: the fuzz targets (scripts/fuzz.sh) are built with its libFuzzer.
pkgs+=(clang)
# The desktop tests (tests/desktop): an X server with a window manager, real input (xdotool),
# the clipboard (xclip), window stacking (x11-utils), the screen read from the server (libxcb1-dev);
# Qt's own texts in Japanese (qt6-translations-l10n) for the program itself.
pkgs+=(openbox xdotool xclip x11-utils libxcb1-dev qt6-translations-l10n)

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages (${missing[*]}); run as root" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The number helpers are checked under a locale whose decimal mark is a comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ "$(id -u)" -eq 0 ]; then
    sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
  fi
fi
