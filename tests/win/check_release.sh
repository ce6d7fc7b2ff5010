#!/usr/bin/env bash
# What scripts/dist hands to users: one stripped executable of at most
# 300 KB that imports system DLLs only, with the manifest and the version
# information, packed byte for byte with README.txt (a UTF-8 byte-order
# mark and CRLF line ends); SHA256SUMS beside the zip; and the same bytes
# again from a second build in another folder.
#   check_release.sh OBJDUMP SOURCE_DIR VERSION
set -euo pipefail
objdump=$1
root=$2
version=$3
exe=$root/build/windows-release/tintora.exe
name=tintora-$version-win64
zip=$root/dist/$name.zip
for f in "$exe" "$zip"; do
    [ -f "$f" ] || { echo "missing $f: run scripts/dist"; exit 1; }
done

size=$(stat -c %s "$exe")
echo "size: $size bytes"
[ "$size" -le 300000 ] || { echo "larger than 300 KB"; exit 1; }

debug=$("$objdump" -h "$exe" | awk '$2 ~ /^\.debug/ {print $2}')
[ -z "$debug" ] || { echo "debug sections left in:" $debug; exit 1; }

bash "$(dirname "$0")/check_imports.sh" "$objdump" "$exe"
grep -q -a Microsoft.Windows.Common-Controls "$exe" || { echo "no manifest in $exe"; exit 1; }
strings -a -el "$exe" | grep -q -x VS_VERSION_INFO || { echo "no version information in $exe"; exit 1; }

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
    readme = z.read(folder + "README.txt")
    if not readme.startswith(b"\xef\xbb\xbf") or readme.count(b"\n") != readme.count(b"\r\n"):
        sys.exit("README.txt lacks the UTF-8 byte-order mark or a line of it is not ended by CRLF")
    if f"Tintora {version}" not in readme.decode("utf-8"):
        sys.exit("README.txt lacks the version")
print(f"zip: {zip_path} holds the release build and README.txt")
PY

# The checksums of the zip and the executable in it, as a user checks them;
# then a second build from a copy of the sources (with the repository, for
# the commit's time) in a folder of another path: not a byte may differ.
copy=$(mktemp -d /tmp/tintora-second-build.XXXXXX)
trap 'rm -rf "$copy"' EXIT
mkdir "$copy/download" "$copy/src" && cp "$zip" "$root/dist/SHA256SUMS" "$exe" "$copy/download/"
[ "$(awk '{print $2}' "$root/dist/SHA256SUMS" | xargs)" = "$name.zip tintora.exe" ] || { echo "SHA256SUMS lists other files"; exit 1; }
(cd "$copy/download" && sha256sum --check --strict SHA256SUMS) || { echo "SHA256SUMS is wrong"; exit 1; }
tar -C "$root" --exclude=./build --exclude=./dist -cf - . | tar -C "$copy/src" -xf -
(cd "$copy/src" && scripts/dist >/dev/null)
for f in build/windows-release/tintora.exe "dist/$name.zip" dist/SHA256SUMS; do
    cmp "$root/$f" "$copy/src/$f" || { echo "$f differs between two builds"; exit 1; }
done
echo "the same bytes from a second build in another folder"
