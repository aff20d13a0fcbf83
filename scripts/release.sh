#!/usr/bin/env bash
# Makes the release of the project's version (scripts/version.sh) in build/release/:
#   Quillmont-<version>-x64-setup.exe     the setup program (scripts/installer.sh)
#   Quillmont-<version>-x64-portable.zip  Quillmont.exe and README.txt, how to use it without installing
#   SHA256SUMS                            the two downloads' SHA-256, as sha256sum writes them
#   Brenwick.Quillmont.yaml, Brenwick.Quillmont.installer.yaml, Brenwick.Quillmont.locale.en-US.yaml
#                                         the winget manifest
#   quillmont.json                        the Scoop manifest of the portable zip
# Every value comes from the version, the files just built, the setup script's
# names (installer/quillmont.nsi) and the home page (src/core/app/product.h);
# the downloads are expected at <home page>download/. The same commit gives the
# same bytes: the times are the last commit's (SOURCE_DATE_EPOCH, unless set).
# Nothing is sent anywhere; docs/releasing.md says how to publish.
#   scripts/release.sh [--sign CERT KEY]
#     --sign  signs Quillmont.exe and the setup program (Authenticode, SHA-256, with
#             osslsigncode): CERT the certificate with its chain (PEM or DER), KEY its
#             private key (PEM or DER; for an encrypted one QUILLMONT_SIGN_PASSWORD_FILE
#             names a file holding the password)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

cert=""; key=""
case "${1:-}" in
  "") ;;
  --sign)
    [ $# -eq 3 ] || { echo "usage: scripts/release.sh [--sign CERT KEY]" >&2; exit 2; }
    for file in "$2" "$3"; do [ -f "$file" ] || { echo "no such file: $file" >&2; exit 2; }; done
    cert=$(cd "$(dirname "$2")" && pwd)/$(basename "$2"); key=$(cd "$(dirname "$3")" && pwd)/$(basename "$3") ;;
  *) echo "usage: scripts/release.sh [--sign CERT KEY]" >&2; exit 2 ;;
esac

"$root/scripts/bootstrap.sh"
version=$("$root/scripts/version.sh")
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" -c safe.directory='*' log -1 --format=%ct) ||
    { echo "SOURCE_DATE_EPOCH is not set and there is no commit to take it from" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH
nsis_define() { sed -nE "s/^!define $1 \"(.*)\"$/\\1/p" "$root/installer/quillmont.nsi"; }
product=$(nsis_define PRODUCT); publisher=$(nsis_define PUBLISHER)
homepage=$(sed -nE 's/.*kHomePageUrl\[\] = u"(.*)";/\1/p' "$root/src/core/app/product.h")
[ -n "$product" ] && [ -n "$publisher" ] && [ -n "$homepage" ] || { echo "the product's names were not found" >&2; exit 1; }
downloads="${homepage}download"
summary="Opens JAR and JAD files with the Java runtime or J2ME emulator of your choice"
license=Freeware

"$root/scripts/build.sh" windows-release
out="$root/build/release"
work="$root/build/release-work"
rm -rf "$out" "$work"; mkdir -p "$out" "$work"
cp "$root/build/windows-release/bin/Quillmont.exe" "$work/Quillmont.exe"

sign() {  # sign FILE: in place
  local pass=()
  [ -z "${QUILLMONT_SIGN_PASSWORD_FILE:-}" ] || pass=(-readpass "$QUILLMONT_SIGN_PASSWORD_FILE")
  osslsigncode sign -certs "$cert" -key "$key" "${pass[@]}" -h sha256 -n "$product" -i "$homepage" \
    -in "$1" -out "$1.signed" >/dev/null || { rm -f "$1.signed"; echo "signing $1 failed" >&2; exit 1; }
  mv "$1.signed" "$1"
}
[ -z "$cert" ] || sign "$work/Quillmont.exe"

setup="$product-$version-x64-setup.exe"
portable="$product-$version-x64-portable.zip"
built=$(QUILLMONT_EXE="$work/Quillmont.exe" "$root/scripts/installer.sh")
cp "$built" "$out/$setup"
[ -z "$cert" ] || sign "$out/$setup"

# The zip: its entries in a fixed order with the sources' time, no owners or
# permissions; the text with Windows' line ends.
sed "s/@VERSION@/$version/g" "$root/installer/portable.txt" | sed 's/$/\r/' >"$work/README.txt"
python3 - "$out/$portable" "$work/Quillmont.exe" "$work/README.txt" <<'EOF'
import os, sys, time, zipfile
when = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]  # a zip holds no time before 1980
with zipfile.ZipFile(sys.argv[1], "w") as archive:
    for path in sys.argv[2:]:
        entry = zipfile.ZipInfo(os.path.basename(path), when)
        entry.compress_type, entry.create_system, entry.external_attr = zipfile.ZIP_DEFLATED, 0, 0
        with open(path, "rb") as file:
            archive.writestr(entry, file.read(), compresslevel=9)
EOF

(cd "$out" && sha256sum "$setup" "$portable" >SHA256SUMS)
setup_sha=$(sha256sum "$out/$setup" | cut -d' ' -f1)
portable_sha=$(sha256sum "$out/$portable" | cut -d' ' -f1)
id="$publisher.$product"
manifest_version=1.6.0

cat >"$out/$id.yaml" <<EOF
PackageIdentifier: $id
PackageVersion: $version
DefaultLocale: en-US
ManifestType: version
ManifestVersion: $manifest_version
EOF

# The setup program installs for the user alone and needs no administrator;
# its uninstall entry is HKCU\...\Uninstall\<ProductCode>.
cat >"$out/$id.installer.yaml" <<EOF
PackageIdentifier: $id
PackageVersion: $version
InstallerType: nullsoft
Scope: user
InstallModes:
  - interactive
  - silent
InstallerSwitches:
  Silent: /S
  SilentWithProgress: /S
UpgradeBehavior: install
ProductCode: $product
ReleaseDate: $(date -u -d "@$SOURCE_DATE_EPOCH" +%F)
AppsAndFeaturesEntries:
  - DisplayName: $product
    Publisher: $publisher
    DisplayVersion: $version
    ProductCode: $product
Installers:
  - Architecture: x64
    InstallerUrl: $downloads/$setup
    InstallerSha256: ${setup_sha^^}
ManifestType: installer
ManifestVersion: $manifest_version
EOF

cat >"$out/$id.locale.en-US.yaml" <<EOF
PackageIdentifier: $id
PackageVersion: $version
PackageLocale: en-US
Publisher: $publisher
PublisherUrl: $homepage
PackageName: $product
PackageUrl: $homepage
License: $license
ShortDescription: $summary.
Tags:
  - jar
  - jad
  - java
  - j2me
  - midlet
ManifestType: defaultLocale
ManifestVersion: $manifest_version
EOF

# Scoop finds a new version, and its hash, in the SHA256SUMS beside the downloads.
cat >"$out/quillmont.json" <<EOF
{
    "version": "$version",
    "description": "$summary.",
    "homepage": "$homepage",
    "license": "$license",
    "architecture": {
        "64bit": {
            "url": "$downloads/$portable",
            "hash": "$portable_sha"
        }
    },
    "bin": "Quillmont.exe",
    "shortcuts": [
        [
            "Quillmont.exe",
            "Quillmont Setup",
            "/setup"
        ]
    ],
    "checkver": {
        "url": "$downloads/SHA256SUMS",
        "regex": "$product-([\\\\d.]+)-x64-portable\\\\.zip"
    },
    "autoupdate": {
        "architecture": {
            "64bit": {
                "url": "$downloads/$product-\$version-x64-portable.zip"
            }
        },
        "hash": {
            "url": "\$baseurl/SHA256SUMS",
            "regex": "\$sha256\\\\s+\$basename"
        }
    }
}
EOF
rm -rf "$work"
ls "$out"
