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
  clang lld llvm # Microsoft-format import libraries and the Microsoft-mode client check
  libclang-rt-14-dev # libFuzzer and the sanitizers of the native fuzzing build
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

# The shipped DLL is 32-bit. Where the kernel cannot run 32-bit programs,
# they run under user-mode emulation, registered with binfmt_misc. Best
# effort: without it the 32-bit stage says so and is skipped.
QEMU_I386=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F'
setup_32bit() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  local status
  status=$(dpkg-query -W -f='${Status}' wine32:i386 qemu-user-static 2>/dev/null || true)
  if [ "$status" != "install ok installedinstall ok installed" ]; then
    echo "setup: installing wine32:i386 qemu-user-static"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends wine32:i386 qemu-user-static >/dev/null
  fi
  /usr/lib/wine/wine --version >/dev/null 2>&1 && return 0 # natively, or already registered
  [ -e /proc/sys/fs/binfmt_misc/register ] || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  echo "$QEMU_I386" > /proc/sys/fs/binfmt_misc/register
  /usr/lib/wine/wine --version >/dev/null 2>&1
}
setup_32bit 2>/dev/null || echo "setup: this machine cannot run 32-bit programs; the 32-bit stage will be skipped"
