#!/usr/bin/env bash
# What scripts/dist hands to users: one stripped executable of at most
# 300 KB that imports system DLLs only, packed byte for byte with README.txt.
#   check_release.sh OBJDUMP SOURCE_DIR VERSION
set -euo pipefail
objdump=$1
root=$2
version=$3
exe=$root/build/windows-release/tintora.exe
zip=$root/dist/tintora-$version-win64.zip
for f in "$exe" "$zip"; do
    [ -f "$f" ] || { echo "missing $f: run scripts/dist"; exit 1; }
done

size=$(stat -c %s "$exe")
echo "size: $size bytes"
[ "$size" -le 300000 ] || { echo "larger than 300 KB"; exit 1; }

debug=$("$objdump" -h "$exe" | awk '$2 ~ /^\.debug/ {print $2}')
[ -z "$debug" ] || { echo "debug sections left in:" $debug; exit 1; }

bash "$(dirname "$0")/check_imports.sh" "$objdump" "$exe"

python3 - "$zip" "$exe" "$version" <<'PY'
import sys, zipfile
zip_path, exe_path, version = sys.argv[1:]
folder = f"tintora-{version}-win64/"
with zipfile.ZipFile(zip_path) as z:
    names = sorted(n for n in z.namelist() if not n.endswith("/"))
    expected = [folder + "README.txt", folder + "tintora.exe"]
    if names != expected:
        sys.exit(f"zip holds {names}, expected {expected}")
    if z.read(folder + "tintora.exe") != open(exe_path, "rb").read():
        sys.exit("the zipped tintora.exe is not the release build")
    readme = z.read(folder + "README.txt").decode("utf-8")
    if f"Tintora {version}" not in readme or "\r\n" not in readme:
        sys.exit("README.txt lacks the version or CRLF line ends")
print(f"zip: {zip_path} holds the release build and README.txt")
PY
