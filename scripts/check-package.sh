#!/usr/bin/env bash
# Builds the Debian package from an already built tree and checks it:
#  - lintian: an error or an unexplained warning fails (explained ones are overridden in
#    packaging/debian/lintian-overrides);
#  - the package unpacked with dpkg-deb -x: its Tamsel and tamsel-export run from there and
#    load the packaged checksum library, not the build's;
#  - desktop-file-validate and appstreamcli validate on the shipped desktop entry and metainfo.
# Usage: scripts/check-package.sh [build-folder]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}

cmake --build "$BUILD" -j2 --target Tamsel tamsel-station tamsel-export tamsel_packaging_files >/dev/null
rm -rf "$BUILD/package"
if ! (cd "$BUILD" && cpack -G DEB >cpack.log 2>&1); then
  cat "$BUILD/cpack.log" >&2
  exit 1
fi
DEBS=("$BUILD"/package/tamsel_*.deb)
DEB=${DEBS[0]}
[ -f "$DEB" ] || { echo "check-package: no package was made" >&2; exit 1; }
echo "check-package: $DEB"

status=0
report=$(lintian --fail-on error,warning "$DEB" 2>&1) || status=$?
# As root (CI containers) lintian adds a note about it; that is not about the package.
report=$(grep -v 'running with root privileges' <<<"$report" || true)
[ -z "$report" ] || echo "$report"
if [ $status -ne 0 ]; then
  echo "check-package: lintian found errors or warnings" >&2
  exit 1
fi

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
ROOT=$TMP/root
dpkg-deb -x "$DEB" "$ROOT"

version=$("$ROOT/usr/bin/Tamsel" --version)
[[ $version == "Tamsel "* ]] || { echo "check-package: Tamsel --version said: $version" >&2; exit 1; }
for exe in Tamsel tamsel-export tamsel-station; do
  libs=$(ldd "$ROOT/usr/bin/$exe")
  if ! grep -q "libTamselcrc.so => $ROOT/usr/.*lib/tamsel/libTamselcrc.so" <<<"$libs"; then
    echo "check-package: $exe does not load the packaged libTamselcrc.so:" >&2
    echo "$libs" >&2
    exit 1
  fi
done

# An empty record: the 213-byte header of version 2.1 and two zero counts.
{ printf '\0032.1'; head -c 213 /dev/zero; } | head -c 217 > "$TMP/empty.sld"
json=$("$ROOT/usr/bin/tamsel-export" record "$TMP/empty.sld" --json)
[[ $json == "{"* ]] || { echo "check-package: tamsel-export gave: $json" >&2; exit 1; }
printf 'xyz' > "$TMP/damaged.sld"
if "$ROOT/usr/bin/tamsel-export" record "$TMP/damaged.sld" --json >/dev/null 2>&1; then
  echo "check-package: tamsel-export took a damaged record" >&2
  exit 1
fi

desktop-file-validate "$ROOT"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$ROOT"/usr/share/metainfo/*.metainfo.xml >/dev/null
echo "check-package: $(basename "$DEB") passed"
