#!/usr/bin/env bash
# What scripts/dist hands to users: one stripped executable of at most
# 300 KB that imports system DLLs only, packed byte for byte with README.txt,
# the checksums beside the zip, and the same bytes again from a second build
# of the same sources in another folder.
#   check_release.sh OBJDUMP SOURCE_DIR VERSION
set -euo pipefail
objdump=$1
root=$2
version=$3
name=tintora-$version-win64
exe=$root/build/windows-release/tintora.exe
zip=$root/dist/$name.zip
sums=$root/dist/SHA256SUMS
for f in "$exe" "$zip" "$sums"; do
    [ -f "$f" ] || { echo "missing $f: run scripts/dist"; exit 1; }
done

size=$(stat -c %s "$exe")
echo "size: $size bytes"
[ "$size" -le 300000 ] || { echo "larger than 300 KB"; exit 1; }

debug=$("$objdump" -h "$exe" | awk '$2 ~ /^\.debug/ {print $2}')
[ -z "$debug" ] || { echo "debug sections left in:" $debug; exit 1; }

bash "$(dirname "$0")/check_imports.sh" "$objdump" "$exe"
# Every resource as the checker wants it, the manifest and the version
# information too, in the very executable users get.
python3 "$(dirname "$0")/../res/check_resources.py" "$exe" "$version"

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

# The checksums as a user checks them: the zip as downloaded, the executable
# as unzipped, both named in SHA256SUMS and nothing else.
check=$(mktemp -d)
copy=$(mktemp -d /tmp/tintora-second-build.XXXXXX)
trap 'rm -rf "$check" "$copy"' EXIT
cp "$zip" "$sums" "$check/"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$check"
mv "$check/$name/tintora.exe" "$check/"
listed=$(awk '{print $2}' "$sums" | tr '\n' ' ')
[ "$listed" = "$name.zip tintora.exe " ] || { echo "SHA256SUMS lists: $listed"; exit 1; }
(cd "$check" && sha256sum --check --strict --quiet SHA256SUMS) || { echo "SHA256SUMS is wrong"; exit 1; }
echo "SHA256SUMS: right for $name.zip and tintora.exe"

# A second build from a copy of the sources (with the repository, for the
# commit's time) in a folder of another path and length: exe, zip and
# checksums must not differ by a byte.
tar -C "$root" --exclude=./build --exclude=./dist -cf - . | tar -C "$copy" -xf -
start=$(date +%s)
(cd "$copy" && scripts/dist >/dev/null)
echo "second build in $copy: $(( $(date +%s) - start )) s"
for f in build/windows-release/tintora.exe "dist/$name.zip" dist/SHA256SUMS; do
    cmp "$root/$f" "$copy/$f" || { echo "$f differs between two builds"; exit 1; }
done
echo "reproducible: tintora.exe, $name.zip and SHA256SUMS are the same from $copy"
