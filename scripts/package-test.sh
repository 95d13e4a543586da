#!/usr/bin/env bash
# Builds the Debian package (cpack), unpacks it into a scratch root with dpkg -x and checks
# what a user gets: the program's --resave, tarnel-engine and tarnel-validate run from the
# unpacked paths with nothing of the build tree in reach, the declared dependencies, the
# desktop entry, the MIME type and the icons. Configures and builds what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
    bash scripts/setup.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
# What the package holds; cpack installs them as built.
cmake --build "$build" --target tarnel2012 Tarnel2012_DLL tarnel-engine tarnel-validate validation_report >/dev/null
rm -f "$build"/tarnel_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tarnel_*.deb)
echo "Package: $deb"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root="$scratch/root"
work="$scratch/work"
mkdir -p "$root" "$work"
dpkg -x "$deb" "$root"

passed=0
failed=0
check() { # description, command...
    local what="$1"
    shift
    if "$@" >"$scratch/last.log" 2>&1; then
        passed=$((passed + 1))
        echo "  ok    $what"
    else
        failed=$((failed + 1))
        echo "  FAIL  $what"
        sed 's/^/        /' "$scratch/last.log" | tail -n 20
    fi
}
# The installed files alone: no library path, no build tree, a bare PATH.
installed() { env -i HOME="$work" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"; }

echo "== dependencies (dpkg-deb -I)"
dpkg-deb -I "$deb" | sed -n '/Architecture:/,$p'
# One package name a line, without version conditions.
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 qt6-qpa-plugins \
    libxlsxwriter4 fonts-liberation2 xdg-utils shared-mime-info desktop-file-utils libstdc++6; do
    check "depends on $dep" grep -qxF "$dep" <<<"$depends"
done
check "package name and version" test "$(dpkg-deb -f "$deb" Package) $(dpkg-deb -f "$deb" Version)" = "tarnel 2012.7.15"

echo "== files"
lib="$root/usr/lib/tarnel"
for f in usr/lib/tarnel/tarnel2012 usr/lib/tarnel/Tarnel2012_DLL.so usr/lib/tarnel/tarnel-validate \
    usr/bin/tarnel-engine usr/share/applications/tarnel2012.desktop usr/share/mime/packages/tarnel.xml \
    usr/share/icons/hicolor/scalable/apps/tarnel2012.svg usr/share/tarnel/validation/report.html \
    usr/share/tarnel/validation/report.md usr/share/tarnel/validation/values.tsv usr/share/tarnel/examples/stiff-clay.tnd \
    usr/share/tarnel/manual/index.html; do
    check "$f" test -s "$root/$f"
done
check "usr/bin/tarnel2012 links to the program beside the engine" \
    test "$(readlink "$root/usr/bin/tarnel2012")" = ../lib/tarnel/tarnel2012
check "usr/bin/tarnel-validate links into lib/tarnel" \
    test "$(readlink "$root/usr/bin/tarnel-validate")" = ../lib/tarnel/tarnel-validate
for size in 16 22 24 32 48 64 128 256; do
    for kind in apps/tarnel2012 mimetypes/application-x-tarnel-project; do
        png="$root/usr/share/icons/hicolor/${size}x${size}/$kind.png"
        # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
        check "${size}x${size}/$kind.png is ${size} pixels square" \
            test "$(od --endian=big -An -tu4 -j16 -N8 "$png" 2>/dev/null | tr -s ' ' | sed 's/^ //')" = "$size $size"
    done
done
no_build_paths() {
    for elf in "$lib/tarnel2012" "$lib/Tarnel2012_DLL.so" "$lib/tarnel-validate" "$root/usr/bin/tarnel-engine"; do
        if readelf -d "$elf" | grep -E 'RPATH|RUNPATH'; then return 1; fi
        if ldd "$elf" | grep 'not found'; then return 1; fi
    done
}
check "binaries carry no run path and find every library" no_build_paths
exports() { nm -D --defined-only "$lib/Tarnel2012_DLL.so" | awk '$2 == "T" { print $3 }' | sort | tr '\n' ' '; }
check "engine library exports ITARNEL and _ITARNEL only" test "$(exports)" = "ITARNEL _ITARNEL "

echo "== programs from the installed paths"
cp "$root/usr/share/tarnel/examples/stiff-clay.tnd" "$work/"
check "tarnel2012 --resave" installed "$root/usr/bin/tarnel2012" --resave "$work/stiff-clay.tnd" "$work/resaved.tnd"
check "the resaved project is a project" test -s "$work/resaved.tnd"
check "tarnel-engine analyses the resaved project" installed "$root/usr/bin/tarnel-engine" "$work/resaved.tnd"
check "its report carries the banner and a capacity table" \
    grep -q "TARNEL for Windows, Version 2012.7.15" "$work/resaved.tno"
check "its report has capacity rows" grep -q "LENGTH  VOLUME" "$work/resaved.tno"
check "its plot file has data" test -s "$work/resaved.tnp"
check "tarnel-validate loads the installed engine and passes every published value" \
    installed "$root/usr/bin/tarnel-validate" --out "$work/validation"
check "its report names the installed engine" grep -q "$root/usr/lib/tarnel/Tarnel2012_DLL.so" "$work/validation/report.md"
check "the shipped report was made with every value within tolerance" \
    grep -q "All [0-9]* compared values are within their tolerance" "$root/usr/share/tarnel/validation/report.md"

echo "== desktop integration"
desktop="$root/usr/share/applications/tarnel2012.desktop"
if command -v desktop-file-validate >/dev/null; then
    check "desktop-file-validate" desktop-file-validate "$desktop"
else
    echo "  (desktop-file-validate not installed: skipped)"
fi
for line in "Name=TARNEL" "Exec=tarnel2012 %f" "MimeType=application/x-tarnel-project;" "Categories=Science;Engineering;"; do
    check "entry: $line" grep -qxF "$line" "$desktop"
done
check "entry: its program is installed" test -x "$root/usr/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
if command -v update-mime-database >/dev/null; then
    mimes="$scratch/mime"
    mkdir -p "$mimes/packages"
    cp "$root/usr/share/mime/packages/tarnel.xml" "$mimes/packages/"
    check "MIME database built from tarnel.xml" update-mime-database "$mimes"
    check "*.tnd is application/x-tarnel-project" grep -qx "50:application/x-tarnel-project:\*.tnd" "$mimes/globs2"
else
    echo "  (update-mime-database not installed: skipped)"
fi

echo "package-test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
