#!/usr/bin/env python3
"""Reads a release folder (scripts/release.sh) as winget and Scoop would and
checks it against the files it names: every version, hash, name and address.
One line per failure; the exit code says whether there was one.

    tests/release/release_check.py RELEASE-FOLDER VERSION QUILLMONT.EXE SETUP.NSI
"""
import hashlib, json, os, re, sys, zipfile
import yaml

folder, version, program, nsi = sys.argv[1:5]
faults = []


def expect(what, actual, wanted):
    if actual != wanted:
        faults.append(f"{what}: {actual!r}, not {wanted!r}")


def sha256(name):
    with open(os.path.join(folder, name), "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


def read(name):
    with open(os.path.join(folder, name), encoding="utf-8") as file:
        return file.read()


# The uninstall entry's name, as the setup script makes it.
defines = dict(re.findall(r'^!define (\w+) "(.*)"$', open(nsi, encoding="utf-8").read(), re.M))
product_code = re.sub(r"\$\{(\w+)\}", lambda m: defines[m.group(1)], defines["UNINSTALL_KEY"]).split("\\")[-1]
package = f"{defines['PUBLISHER']}.{defines['PRODUCT']}"
setup, portable = f"Quillmont-{version}-x64-setup.exe", f"Quillmont-{version}-x64-portable.zip"
expect("the release's files", sorted(os.listdir(folder)), sorted(
    [setup, portable, "SHA256SUMS", "quillmont.json"] + [f"{package}{part}.yaml" for part in ("", ".installer", ".locale.en-US")]))

sums = read("SHA256SUMS")
expect("SHA256SUMS", sums, f"{sha256(setup)}  {setup}\n{sha256(portable)}  {portable}\n")

with zipfile.ZipFile(os.path.join(folder, portable)) as archive:
    expect("the zip's entries", archive.namelist(), ["Quillmont.exe", "README.txt"])
    expect("the zip's Quillmont.exe", archive.read("Quillmont.exe") == open(program, "rb").read(), True)
    text = archive.read("README.txt").decode("ascii")
    expect("README.txt names the version", f"Quillmont {version}" in text, True)
    expect("README.txt's lines that end as on Windows", text.count("\r\n"), text.count("\n"))

manifests = {}
for part in ("", ".installer", ".locale.en-US"):
    manifest = yaml.safe_load(read(f"{package}{part}.yaml"))
    manifests[manifest["ManifestType"]] = manifest
    expect(f"winget {part or 'version'}: PackageIdentifier", manifest["PackageIdentifier"], package)
    expect(f"winget {part or 'version'}: PackageVersion", manifest["PackageVersion"], version)
expect("winget manifest types", sorted(manifests), ["defaultLocale", "installer", "version"])
expect("winget DefaultLocale", manifests["version"]["DefaultLocale"], manifests["defaultLocale"]["PackageLocale"])
installer = manifests["installer"]
for field, wanted in (("InstallerType", "nullsoft"), ("Scope", "user"), ("ProductCode", product_code)):
    expect(f"winget {field}", installer[field], wanted)
expect("winget silent switch", installer["InstallerSwitches"]["Silent"], "/S")
expect("winget installers", [(i["Architecture"], os.path.basename(i["InstallerUrl"]), i["InstallerSha256"])
                             for i in installer["Installers"]], [("x64", setup, sha256(setup).upper())])
for field in ("Publisher", "PackageName", "License", "ShortDescription"):
    expect(f"winget {field} is given", bool(manifests["defaultLocale"].get(field)), True)
expect("winget Publisher and PackageName", (manifests["defaultLocale"]["Publisher"],
       manifests["defaultLocale"]["PackageName"]), (defines["PUBLISHER"], defines["PRODUCT"]))

scoop = json.loads(read("quillmont.json"))
expect("Scoop version", scoop["version"], version)
download = scoop["architecture"]["64bit"]
expect("Scoop download", (os.path.basename(download["url"]), download["hash"]), (portable, sha256(portable)))
expect("Scoop bin is in the zip", scoop["bin"], "Quillmont.exe")
base = os.path.dirname(download["url"])
# What Scoop's checkver and autoupdate would find in the SHA256SUMS published beside the downloads.
expect("Scoop checkver address", scoop["checkver"]["url"], f"{base}/SHA256SUMS")
found = re.search(scoop["checkver"]["regex"], sums)
expect("Scoop checkver finds", found and found.group(1), version)
update = scoop["autoupdate"]
expect("Scoop autoupdate address", update["architecture"]["64bit"]["url"].replace("$version", version), download["url"])
expect("Scoop autoupdate hash address", update["hash"]["url"].replace("$baseurl", base), f"{base}/SHA256SUMS")
pattern = update["hash"]["regex"].replace("$sha256", "([a-fA-F0-9]{64})").replace("$basename", re.escape(portable))
found = re.search(pattern, sums)
expect("Scoop autoupdate finds the hash", found and found.group(1), sha256(portable))

print("\n".join(faults) if faults else "the release's manifests agree with its files")
sys.exit(1 if faults else 0)
