#!/usr/bin/env bash
# Installs what building and testing the library need on a Debian machine.
# Idempotent: asks apt only when a package is missing.
set -euo pipefail

PACKAGES=(
  make cmake googletest
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 libcups2 fonts-liberation xvfb
  cups printer-driver-cups-pdf poppler-utils
  libeigen3-dev  # test-only: an independent reference for the numerical tests
  python3 gcovr  # the mutation run and the coverage report
)

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
