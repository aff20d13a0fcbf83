#!/usr/bin/env bash
# Builds the archives the tests open, with the tools people really use: the JDK's
# `jar`, Info-ZIP's `zip` and Python's zipfile. Each tool writes a MIDlet suite
# and a desktop archive from the same class file and manifest text:
#   jar-*.jar         data descriptors after each entry, sizes in the central directory only
#   zip-*.jar         local extra fields longer than the central ones (time stamps, ids)
#   python-*.jar      deflated; python-stored-* stored; python-streamed-* written to a
#                     pipe, so every entry has a data descriptor and no local sizes
# Usage: make_archives.sh OUTPUT_FOLDER
set -euo pipefail
out=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$out"; mkdir -p "$out"

mkdir -p "$work/classes/app"
# Not a real class file: nothing here runs it, only the bytes must come back.
printf '\xca\xfe\xba\xbe quillmont test class\n' >"$work/classes/app/Main.class"
cat >"$work/suite.mf" <<'MANIFEST'
MIDlet-Name: Test Suite
MIDlet-Vendor: Quillmont Tests
MIDlet-Version: 1.0.0
MIDlet-1: Test, /icon.png, app.Main
MicroEdition-Profile: MIDP-2.0
MicroEdition-Configuration: CLDC-1.1
Created-By: Quillmont tests
MANIFEST
cat >"$work/desktop.mf" <<'MANIFEST'
Main-Class: app.Main
Created-By: Quillmont tests
MANIFEST

for kind in suite desktop; do
  # jar puts Manifest-Version first and ends every line with CR LF.
  jar cfm "$out/jar-$kind.jar" "$work/$kind.mf" -C "$work/classes" .
  # zip takes the manifest file as it is: LF line ends and a blank last line.
  tree="$work/zip-$kind"
  mkdir -p "$tree/META-INF"; cp -r "$work/classes/app" "$tree/"
  { echo "Manifest-Version: 1.0"; cat "$work/$kind.mf"; echo; } >"$tree/META-INF/MANIFEST.MF"
  (cd "$tree" && zip -q -r "$out/zip-$kind.jar" META-INF app)
done

python3 - "$work" "$out" <<'PYTHON'
import io, sys, zipfile
work, out = sys.argv[1], sys.argv[2]
class Unseekable(io.RawIOBase):
    """A pipe-like file: zipfile then writes a data descriptor after each entry."""
    def __init__(self, path): self.file = open(path, "wb")
    def writable(self): return True
    def write(self, data): return self.file.write(data)
    def close(self): self.file.close(); super().close()
main_class = open(f"{work}/classes/app/Main.class", "rb").read()
for kind in ("suite", "desktop"):
    manifest = b"Manifest-Version: 1.0\r\n" + open(f"{work}/{kind}.mf", "rb").read().replace(b"\n", b"\r\n") + b"\r\n"
    for variant, method in (("python", zipfile.ZIP_DEFLATED), ("python-stored", zipfile.ZIP_STORED),
                            ("python-streamed", zipfile.ZIP_DEFLATED)):
        path = f"{out}/{variant}-{kind}.jar"
        target = Unseekable(path) if variant == "python-streamed" else path
        with zipfile.ZipFile(target, "w", method) as archive:
            archive.writestr("META-INF/", b"")
            archive.writestr("META-INF/MANIFEST.MF", manifest)
            archive.writestr("app/Main.class", main_class)
        if variant == "python-streamed": target.close()
PYTHON
ls "$out" >"$out/index.txt"
