#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when missing:
# the tool chains, pugixml for the native build's XML documents, Wine and Xvfb,
# NSIS for the installer and osslsigncode to sign a release, a JDK and zip
# tools that build test archives and the demo, PyYAML that reads the release's
# winget manifest back, and a few Debian Java libraries whose jars are real
# archives from elsewhere for the tests.
set -euo pipefail
packages=(cmake ninja-build g++ libgtest-dev googletest libbenchmark-dev python3
          zlib1g-dev g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
          wine wine64 xvfb x11-utils imagemagick clang libclang-rt-14-dev
          nsis osslsigncode zip unzip openjdk-17-jdk-headless libpugixml-dev python3-yaml
          libcommons-lang3-java libcommons-io-java libjsoup-java libhamcrest-java
          openssl ca-certificates ccache)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "== installing ${missing[*]}"
  sudo_cmd=""; [ "$(id -u)" -eq 0 ] || sudo_cmd=sudo
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
