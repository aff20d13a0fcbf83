#!/usr/bin/env bash
# Builds the sample desktop archive from its source: build-sample.sh OUTPUT_JAR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1
classes=$(mktemp -d)
trap 'rm -rf "$classes"' EXIT
javac -d "$classes" "$here/sample/src/quillmont/sample/Hello.java"
mkdir -p "$(dirname "$out")"
jar --create --file "$out" --main-class quillmont.sample.Hello -C "$classes" .
