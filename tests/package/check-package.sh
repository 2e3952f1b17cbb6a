#!/usr/bin/env bash
# Makes the portable zip with CPack and checks what a racer gets: the zip holds exactly the
# program, its hook library, the user guide as one self-contained HTML page and the licence; the
# program and the library together take at most 300 KB, the library alone at most 40 KB; they
# import only system DLLs (and the
# program keyhook.dll); the library exports only what the program calls, KeyboardHook_Start and
# KeyboardHook_Stop; the program carries its icon, its version information and its manifest,
# the library its version information.
#
# usage: check-package.sh <cpack> <build dir> <zip> <QuorlWait.exe> <keyhook.dll>
set -euo pipefail

cpack=$1
build_dir=$2
zip=$3
exe=$4
dll=$5

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

rm -f "$zip"
(cd "$build_dir" && "$cpack" --config CPackConfig.cmake >/dev/null) || { echo "FAIL: cpack" >&2; exit 1; }
[ -f "$zip" ] || { echo "FAIL: cpack made no $zip" >&2; exit 1; }

echo "--- $(basename "$zip")"
unzip -l "$zip"
listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
expected="LICENSE.txt QuorlWait.exe USER-GUIDE.html keyhook.dll "
[ "$listing" = "$expected" ] || fail "the zip holds '$listing', expected '$expected'"

# The binaries as shipped: their sizes inside the zip, uncompressed.
limit=$((300 * 1024))
dll_limit=$((40 * 1024))
sizes=$(unzip -Zl "$zip" | awk '$NF == "QuorlWait.exe" || $NF == "keyhook.dll" { print $NF, $4 }')
total=$(awk '{ sum += $2 } END { print sum + 0 }' <<<"$sizes")
dll_size=$(awk '$1 == "keyhook.dll" { print $2 }' <<<"$sizes")
echo "shipped sizes:" $sizes "together: $total bytes (at most $limit; keyhook.dll at most $dll_limit)"
[ "$(wc -l <<<"$sizes")" -eq 2 ] || fail "no sizes for both binaries in the zip"
[ "$total" -le "$limit" ] || fail "QuorlWait.exe and keyhook.dll take $total bytes, more than $limit"
[ "${dll_size:-0}" -le "$dll_limit" ] || fail "keyhook.dll takes $dll_size bytes, more than $dll_limit"

# The guide opens from anywhere: every picture is inside the page, none is a file beside it,
# and every link within the page has its target.
guide=$(unzip -p "$zip" USER-GUIDE.html)
pictures=$(grep -o '<img [^>]*src="[^"]*"' <<<"$guide" | sed 's/.*src="//; s/"$//' || true)
[ -n "$pictures" ] || fail "the guide shows no pictures"
while read -r picture; do
    [[ "$picture" == data:image/png\;base64,* ]] || fail "the guide's picture ${picture:0:60} is no embedded PNG"
done <<<"$pictures"
echo "the guide embeds $(wc -l <<<"$pictures") pictures"
while read -r anchor; do
    grep -qF "id=\"$anchor\"" <<<"$guide" || fail "the guide links to #$anchor, which it lacks"
done < <(grep -o 'href="#[^"]*"' <<<"$guide" | sed 's/href="#//; s/"$//' | sort -u)

# Windows' own DLLs that a Win32 program may import; the C runtime is linked statically but for
# msvcrt.dll, which every Windows has. wtsapi32.dll names the user of a process that refuses to
# be opened.
system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll comctl32.dll shell32.dll wtsapi32.dll "
system_dlls+="msvcrt.dll "
check_imports() {
    local file=$1 allowed=$2 dll_name
    while read -r dll_name; do
        dll_name=$(echo "$dll_name" | tr '[:upper:]' '[:lower:]')
        [[ "$allowed" == *" $dll_name "* ]] || fail "$(basename "$file") imports $dll_name"
    done < <(x86_64-w64-mingw32-objdump -p "$file" | awk '/DLL Name:/ { print $3 }')
    echo "$(basename "$file") imports:" \
        $(x86_64-w64-mingw32-objdump -p "$file" | awk '/DLL Name:/ { print $3 }')
}
check_imports "$exe" "$system_dlls keyhook.dll "
check_imports "$dll" "$system_dlls"

# The zipped keyhook.dll exports exactly what QuorlWait.exe takes from it with GetProcAddress:
# the KeyboardHook_ names among the program's strings.
unzipped=$(mktemp -d)
unzip -q -o "$zip" keyhook.dll -d "$unzipped"
exports=$(x86_64-w64-mingw32-objdump -p "$unzipped/keyhook.dll" |
    awk '/^\[Ordinal\/Name Pointer\] Table/ { on = 1; next } NF == 0 { on = 0 }
         on { print $NF }' | sort | tr '\n' ' ')
rm -rf "$unzipped"
called=$(x86_64-w64-mingw32-strings "$exe" | { grep -x 'KeyboardHook_[A-Za-z_]*' || true; } |
    sort -u | tr '\n' ' ')
echo "keyhook.dll exports: $exports"
echo "QuorlWait.exe calls: $called"
[ -n "$exports" ] || fail "keyhook.dll in the zip exports nothing"
[ "$exports" = "$called" ] || fail "keyhook.dll exports '$exports', QuorlWait.exe calls '$called'"
# And exactly the two: no test build's export has come into the zip, whatever the program calls.
[ "$exports" = "KeyboardHook_Start KeyboardHook_Stop " ] ||
    fail "keyhook.dll exports '$exports', not just KeyboardHook_Start and KeyboardHook_Stop"

# The resource types at the top of the resource directory: 3 icon, 14 icon group, 16 version,
# 24 manifest.
types=$(x86_64-w64-mingw32-objdump -p "$exe" |
    awk '/The .rsrc Resource Directory section/ { on = 1; next }
         on && /^0[0-9a-f]+   Entry: ID:/ { sub(/,$/, "", $4); print $4 }
         on && /^$/ { exit }' | while read -r id; do printf '%d\n' "$id"; done | tr '\n' ' ')
for type in 3 14 16 24; do
    [[ " $types" == *" $type "* ]] || fail "no resource of type $type (found: $types)"
done

# The version strings are UTF-16 in the version resource; the manifest is plain text.
version_strings=$(x86_64-w64-mingw32-strings -el "$exe")
for value in "Quorl Pit Timer" "QuorlWait.exe"; do
    grep -qxF "$value" <<<"$version_strings" || fail "no version string '$value'"
done
grep -qx '3\.1\.[0-9]*' <<<"$version_strings" || fail "no version 3.1.x in the version strings"

# keyhook.dll: a version resource (type 16) with its own names and the program's version.
dll_types=$(x86_64-w64-mingw32-objdump -p "$dll" |
    awk '/The .rsrc Resource Directory section/ { on = 1; next }
         on && /^0[0-9a-f]+   Entry: ID:/ { sub(/,$/, "", $4); print $4 }
         on && /^$/ { exit }' | while read -r id; do printf '%d\n' "$id"; done | tr '\n' ' ')
[[ " $dll_types" == *" 16 "* ]] || fail "keyhook.dll has no version resource (found: $dll_types)"
dll_strings=$(x86_64-w64-mingw32-strings -el "$dll")
for value in "Quorl Pit Timer" "keyhook.dll" "$(grep -m1 -x '3\.1\.[0-9]*' <<<"$version_strings")"; do
    grep -qxF "$value" <<<"$dll_strings" || fail "keyhook.dll has no version string '$value'"
done
manifest=$(x86_64-w64-mingw32-strings -n 8 "$exe")
for fragment in 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
    '<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>' \
    '<longPathAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">true</longPathAware>' \
    'level="asInvoker"' 'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"'; do
    grep -qF "$fragment" <<<"$manifest" || fail "the manifest lacks: $fragment"
done

[ "$failures" -eq 0 ] || exit 1
echo "PASS: the zip, the guide, the sizes, the imports, the exports and the resources"
