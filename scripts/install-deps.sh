#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Glimmerpress needs.
# Idempotent and non-interactive; does nothing when everything is already present.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config clang
  # engine and gfx
  libjpeg62-turbo-dev qt6-base-dev libsane-dev libsane1 sane-utils
  # a printer queue's own options (paper source, media, quality) from its driver
  libcups2-dev
  # today's photo formats, orientation tags and colour profiles
  libpng-dev libwebp-dev libheif-dev libexif-dev liblcms2-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils xclip dbus-daemon
  imagemagick libtiff-tools giflib-tools netpbm libjpeg-turbo-progs poppler-utils
  libvips-tools python3
  python3-pil python3-olefile libgsf-bin
  webp libheif-examples liblcms2-utils libimage-exiftool-perl
  cups cups-client cups-filters printer-driver-cups-pdf
  # checks of the installed desktop entry, metadata and manual pages, and the package
  desktop-file-utils appstream mandoc dpkg-dev
  # the program at run time; Liberation Sans answers for the texts' default face "Arial"
  xdg-utils fonts-liberation2
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
