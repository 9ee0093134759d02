#!/usr/bin/env bash
# Checks the Debian package of a build: unpacks obdrac_<version>_amd64.deb into a scratch root
# (dpkg -x) and runs the installed obdrac-run from there.
#   scripts/check-package.sh BUILD_DIR
# The package is made first (cpack -G DEB) when the build has none or an older one than its
# programs.
set -euo pipefail
build=$(cd "$1" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/obdrac_${version}_amd64.deb"
if [ ! -f "$deb" ] || [ "$build/src/app/obdrac-run" -nt "$deb" ]; then
  (cd "$build" && cpack -G DEB >/dev/null)
fi
[ -f "$deb" ] || { echo "no package $deb" >&2; exit 1; }

scratch=$(mktemp -d /tmp/obdrac-package.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb --field "$deb" Package Version Architecture Depends > "$scratch/control"
dpkg -x "$deb" "$scratch/root"
root="$scratch/root"
fail() { echo "package: $*" >&2; exit 1; }

grep -q '^Package: obdrac$' "$scratch/control" || fail "package name"
grep -q "^Version: ${version}\$" "$scratch/control" || fail "version"
grep -q '^Architecture: amd64$' "$scratch/control" || fail "architecture"
for dep in libqt6widgets6 libodbc2 libsqlite3-0 qt6-qpa-plugins unixodbc; do
  grep -q "^Depends:.*\b${dep}\b" "$scratch/control" || fail "dependency $dep not declared"
done
for f in opt/obdrac/bin/obdrac opt/obdrac/bin/obdrac-run opt/obdrac/bin/obdrac-config; do
  [ -x "$root/$f" ] || fail "$f missing"
done
for f in opt/obdrac/share/obdrac/db/schema.sql opt/obdrac/share/obdrac/db/demo.sql \
         opt/obdrac/share/obdrac/scripts/dbsetup.sh usr/share/applications/obdrac.desktop \
         usr/share/icons/hicolor/scalable/apps/obdrac.svg; do
  [ -f "$root/$f" ] || fail "$f missing"
done
[ "$(readlink "$root/usr/bin/obdrac-run")" = /opt/obdrac/bin/obdrac-run ] || fail "usr/bin/obdrac-run link"
grep -q '^Exec=/opt/obdrac/bin/obdrac' "$root/usr/share/applications/obdrac.desktop" || fail "desktop Exec"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/obdrac.desktop" || fail "desktop entry invalid"
fi

# The installed program runs from the scratch root (its libraries are the system's).
set +e
out=$("$root/opt/obdrac/bin/obdrac-run" --version 2>&1)
rc=$?
set -e
echo "$out"
[ "$rc" -lt 128 ] || fail "obdrac-run crashed (exit code $rc)"
if [ "$rc" -eq 0 ]; then
  grep -q "$version" <<<"$out" || fail "obdrac-run --version does not print $version"
else
  # A program without --version refuses it as an unknown option (exit code 2) and says so.
  [ "$rc" -eq 2 ] && grep -q 'obdrac-run' <<<"$out" || fail "obdrac-run --version: exit code $rc"
fi
echo "package: $(basename "$deb") ok"
