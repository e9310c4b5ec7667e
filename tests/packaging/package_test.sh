#!/usr/bin/env bash
# The Linux release archive as INSTALL.txt uses it: install, edit the config, upgrade, uninstall.
# usage: package_test.sh BUILD-DIR VERSION
set -euo pipefail
build=$1 version=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G TGZ --config "$build/CPackConfig.cmake" -B "$tmp/package" >/dev/null
archive=$tmp/package/Morrowset-$version-Linux.tar.gz
[ -f "$archive" ] || fail "no archive named Morrowset-$version-Linux.tar.gz"
contents=$(tar tzf "$archive")
if grep -q 'config\.json$' <<< "$contents"; then fail "the archive carries a config.json"; fi
grep -qx 'TolvApi/Plugins/MorrowsetVelde/config.schema.json' <<< "$contents" ||
  fail "the archive carries no config.schema.json beside config.json"
# The binaries are stripped: their debug information goes in the symbols archive.
mkdir -p "$tmp/unpacked" && tar xzf "$archive" -C "$tmp/unpacked"
for file in TolvApi/Plugins/MorrowsetVelde/MorrowsetVelde.so Morrowset/stand-in/libZelApi.so Morrowset/morrowset-check \
            Morrowset/morrowset-preview; do
  if readelf -S "$tmp/unpacked/$file" | grep -q '\.debug_info'; then fail "$file carries debug information"; fi
done
# The licence and the notices travel with the binaries.
for text in Morrowset/LICENSE Morrowset/THIRD-PARTY-NOTICES.txt; do
  grep -qx "$text" <<< "$contents" || fail "the archive carries no $text"
done
# SHA256SUMS as make package writes it: sha256sum -c takes it, and a changed byte fails it.
cp "$archive" "$tmp/package/Morrowset-$version-Windows.zip"
bash "$(dirname "$0")/../../scripts/release-sums.sh" "$tmp/package" >/dev/null
[ "$(cut -d' ' -f3 "$tmp/package/SHA256SUMS")" = "$(printf 'Morrowset-%s-Linux.tar.gz\nMorrowset-%s-Windows.zip' "$version" "$version")" ] ||
  fail "SHA256SUMS does not list the two archives: $(cat "$tmp/package/SHA256SUMS")"
(cd "$tmp/package" && sha256sum --quiet -c SHA256SUMS) || fail "sha256sum -c refuses SHA256SUMS"
printf 'x' >> "$tmp/package/Morrowset-$version-Windows.zip"
if (cd "$tmp/package" && sha256sum --quiet -c SHA256SUMS >/dev/null 2>&1); then fail "a changed archive passes"; fi
# The preview's stand-in of the framework sits in Morrowset/stand-in/ and nowhere else.
grep -qx 'Morrowset/stand-in/libZelApi.so' <<< "$contents" || fail "the archive carries no stand-in for the preview"
if grep -i 'zelapi' <<< "$contents" | grep -qv '^Morrowset/stand-in/'; then
  fail "a file named like the framework outside Morrowset/stand-in/: $(grep -i zelapi <<< "$contents")"
fi

# A server folder with something of its own, including another plugin.
server=$tmp/server
mkdir -p "$server/TolvApi/Plugins/OtherPlugin"
echo other > "$server/TolvApi/Plugins/OtherPlugin/config.json"
touch "$server/GameServer" "$server/libZelApi.so"  # the server and its framework
before=$(cd "$server" && find . | sort)

# Install: unpack into the server folder, then write the default config and check it.
tar xzf "$archive" -C "$server"
[ "$(LC_ALL=C ls "$server")" = "$(printf 'GameServer\nMorrowset\nTolvApi\nlibZelApi.so')" ] ||
  fail "unpacking put more than Morrowset/ into the server's root: $(ls "$server")"
check=$server/Morrowset/morrowset-check
"$check" --init --server-dir "$server" | grep -qx 'policies=none' || fail "first install not OK"
config=$server/TolvApi/Plugins/MorrowsetVelde/config.json
[ "$("$check" --version)" = "morrowset-check $version" ] || fail "--version is not $version"

# The preview from the archive, run from elsewhere, on the installed plugin and config.
(cd "$tmp" && "$server/Morrowset/morrowset-preview" --server-dir "$server" --for 1d) > "$tmp/preview.txt" ||
  fail "the preview failed: $(cat "$tmp/preview.txt")"
grep -q "^day at the end: " "$tmp/preview.txt" || fail "the preview printed no summary: $(cat "$tmp/preview.txt")"
grep -q "(Morrowset $version)" "$tmp/preview.txt" || fail "the preview names no build $version"

# INSTALL.txt starts with the steps; it and the guide have every placeholder filled in.
install_txt=$server/Morrowset/INSTALL.txt
step1=$(grep -n '^1\. ' "$install_txt" | head -n 1 | cut -d: -f1)
[ -n "$step1" ] && [ "$step1" -le 25 ] || fail "INSTALL.txt's step 1 is at line ${step1:-none}, not within 25"
for text in "$install_txt" "$server/Morrowset/GUIDE.txt"; do
  [ -f "$text" ] || fail "the archive carries no $(basename "$text")"
  ! grep -q '@[A-Z_]*@' "$text" || fail "$(basename "$text") has a placeholder left: $(grep '@[A-Z_]*@' "$text")"
done
grep -q "^Morrowset $version: " "$server/Morrowset/GUIDE.txt" || fail "GUIDE.txt names no release $version"

# The admin edits the config; the next release is unpacked as INSTALL.txt says: Morrowset/ first
# deleted, so that what an older release shipped there and this one does not goes.
sed -i 's/"ForceDay": false/"ForceDay": true/' "$config"
cp "$config" "$tmp/edited.json"
echo "an older build" > "$server/TolvApi/Plugins/MorrowsetVelde/MorrowsetVelde.so"
echo "an older release's file" > "$server/Morrowset/libZelApi.so"
rm -rf "$server/Morrowset"
tar xzf "$archive" -C "$server"
[ ! -e "$server/Morrowset/libZelApi.so" ] || fail "an older release's file stayed in Morrowset/"
"$check" --init --server-dir "$server" | grep -qx 'policies=forceday' || fail "upgrade lost the edit"
cmp -s "$config" "$tmp/edited.json" || fail "upgrade changed config.json"
library=TolvApi/Plugins/MorrowsetVelde/MorrowsetVelde.so
tar xzf "$archive" -O "$library" | cmp -s - "$server/$library" || fail "upgrade did not replace the library"
cmp -s "$server/TolvApi/Plugins/OtherPlugin/config.json" <(echo other) || fail "another plugin touched"

# Uninstall, as INSTALL.txt says: the server folder is as it was.
rm -rf "$server/TolvApi/Plugins/MorrowsetVelde" "$server/Morrowset"
[ "$(cd "$server" && find . | sort)" = "$before" ] || fail "uninstall left something behind"
echo "package test passed: $(basename "$archive")"
