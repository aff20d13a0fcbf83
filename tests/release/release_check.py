#!/usr/bin/env python3
"""Reads a release folder (scripts/release.sh) as winget and Scoop read it and
checks every version, hash, name and address against the files. Prints the
faults, one a line; exits 1 when there is one.
    tests/release/release_check.py RELEASE-FOLDER VERSION QUILLMONT.EXE SETUP.NSI
"""
import hashlib, json, os, re, sys, zipfile
import yaml

folder, version, program, nsi = sys.argv[1:5]
faults = []


def expect(what, actual, wanted):
    if actual != wanted:
        faults.append(f"{what}: {actual!r}, not {wanted!r}")


def content(name, mode="rb"):
    with open(os.path.join(folder, name), mode) as file:
        return file.read()


def sha256(name):
    return hashlib.sha256(content(name)).hexdigest()


# The names the setup script gives: the uninstall entry is winget's ProductCode.
defines = dict(re.findall(r'^!define (\w+) "(.*)"$', open(nsi, encoding="utf-8").read(), re.M))
product_code = re.sub(r"\$\{(\w+)\}", lambda m: defines[m.group(1)], defines["UNINSTALL_KEY"]).split("\\")[-1]
package = f"{defines['PUBLISHER']}.{defines['PRODUCT']}"
setup, portable = f"Quillmont-{version}-x64-setup.exe", f"Quillmont-{version}-x64-portable.zip"
parts = ("", ".installer", ".locale.en-US")
expect("the files", sorted(os.listdir(folder)),
       sorted([setup, portable, "SHA256SUMS", "quillmont.json"] + [f"{package}{part}.yaml" for part in parts]))
sums = content("SHA256SUMS", "r")
expect("SHA256SUMS", sums, f"{sha256(setup)}  {setup}\n{sha256(portable)}  {portable}\n")

with zipfile.ZipFile(os.path.join(folder, portable)) as archive:
    expect("the zip's entries", archive.namelist(), ["Quillmont.exe", "README.txt"])
    expect("the zip's Quillmont.exe is the program", archive.read("Quillmont.exe") == open(program, "rb").read(), True)
    text = archive.read("README.txt").decode("ascii")
    expect("README.txt names the version", f"Quillmont {version}" in text, True)
    expect("README.txt's lines that end as on Windows", text.count("\r\n"), text.count("\n"))

winget = {}
for part in parts:
    manifest = yaml.safe_load(content(f"{package}{part}.yaml", "r"))
    winget[manifest["ManifestType"]] = manifest
    expect(f"winget{part}: package", (manifest["PackageIdentifier"], manifest["PackageVersion"]), (package, version))
installer, locale = winget["installer"], winget["defaultLocale"]
expect("winget DefaultLocale", winget["version"]["DefaultLocale"], locale["PackageLocale"])
expect("winget installer", (installer["InstallerType"], installer["Scope"], installer["InstallerSwitches"]["Silent"],
                            installer["ProductCode"]), ("nullsoft", "user", "/S", product_code))
expect("winget installers", [(i["Architecture"], os.path.basename(i["InstallerUrl"]), i["InstallerSha256"])
                             for i in installer["Installers"]], [("x64", setup, sha256(setup).upper())])
expect("winget default locale", (locale["Publisher"], locale["PackageName"], bool(locale.get("License")),
                                 bool(locale.get("ShortDescription"))), (defines["PUBLISHER"], defines["PRODUCT"], True, True))

scoop = json.loads(content("quillmont.json"))
download = scoop["architecture"]["64bit"]
expect("Scoop", (scoop["version"], os.path.basename(download["url"]), download["hash"], scoop["bin"]),
       (version, portable, sha256(portable), "Quillmont.exe"))
# What checkver and autoupdate find in the SHA256SUMS published beside the downloads.
base, update = os.path.dirname(download["url"]), scoop["autoupdate"]
found = re.search(scoop["checkver"]["regex"], sums)
expect("Scoop checkver", (scoop["checkver"]["url"], found and found.group(1)), (f"{base}/SHA256SUMS", version))
pattern = update["hash"]["regex"].replace("$sha256", "([a-fA-F0-9]{64})").replace("$basename", re.escape(portable))
found = re.search(pattern, sums)
expect("Scoop autoupdate", (update["architecture"]["64bit"]["url"].replace("$version", version),
                            update["hash"]["url"].replace("$baseurl", base), found and found.group(1)),
       (download["url"], f"{base}/SHA256SUMS", sha256(portable)))

print("\n".join(faults) if faults else "the release's manifests agree with its files")
sys.exit(1 if faults else 0)
