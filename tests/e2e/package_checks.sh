#!/usr/bin/env bash
# Debian's checks on the menu entry, the metainfo and a package made from the built tree:
#   package_checks.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
for tool in desktop-file-validate appstreamcli lintian cpack dpkg-deb; do
  command -v "$tool" >/dev/null || { echo "$tool missing: run scripts/install-deps"; exit 1; }
done

desktop-file-validate "$source/resources/desktop/tagschmied.desktop"
appstreamcli validate --no-net --pedantic "$source/resources/desktop/org.example.tagschmied.metainfo.xml"

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" || { cat "$out/cpack.log"; exit 1; }
deb=$(echo "$out"/*.deb)

contents=$(dpkg-deb -c "$deb")
for file in usr/bin/tagschmied usr/lib/tagschmied/plugins/libtagschmied_browser.so \
    usr/lib/tagschmied/tagschmied-check \
    usr/share/applications/tagschmied.desktop usr/share/metainfo/org.example.tagschmied.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/tagschmied.svg usr/share/icons/hicolor/48x48/apps/tagschmied.png \
    usr/share/man/man1/tagschmied.1.gz usr/share/doc/tagschmied/copyright usr/share/doc/tagschmied/changelog.gz; do
  grep -q " \./$file\$" <<<"$contents" || { echo "the package lacks $file"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in libqt6widgets6 qt6-translations-l10n qt6-qpa-plugins; do
  grep -q "$dependency" <<<"$depends" || { echo "Depends lacks $dependency: $depends"; exit 1; }
done

# The licence reads the same in the source, the package's copyright file and the metainfo.
licence=GPL-3.0-or-later
cmp -s "$source/LICENSE" /usr/share/common-licenses/GPL-3 || { echo "LICENSE is not the GPL-3 text"; exit 1; }
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/tagschmied/copyright >"$out/copyright"
program=$(awk '$0 == "Files: *" { found = 1 } found && /^License:/ { print $2; exit }' "$out/copyright")
[[ $program == "$licence" ]] || { echo "copyright: the program is under '$program', not $licence"; exit 1; }
grep -q '/usr/share/common-licenses/GPL-3"' "$out/copyright" \
  || { echo "copyright: $licence does not refer to /usr/share/common-licenses/GPL-3"; exit 1; }
grep -q "<project_license>$licence</project_license>" \
  "$source/resources/desktop/org.example.tagschmied.metainfo.xml" \
  || { echo "metainfo: project_license is not $licence"; exit 1; }

# Errors and warnings fail; the infos that stay are listed in the README.
lintian --fail-on error,warning --display-info --tag-display-limit 0 "$deb"
echo ok
