#!/usr/bin/env bash
# Checks what a build installs, without touching the system:
#   scripts/check-install.sh BUILD_DIR               the installation ("cmake --install" into a temporary DESTDIR)
#   scripts/check-install.sh BUILD_DIR --package     the same, then the Debian package CPack builds from it
#   scripts/check-install.sh BUILD_DIR --deb FILE    the same, then an existing package
# The installation must be exactly the expected files with the usual modes; the desktop entry, the AppStream
# metadata and the MIME package must pass their validators and agree with one another; the manual pages must
# format without warnings; the icons must have their sizes. A package must hold the same files, owned by
# root, with dependencies computed by dpkg-shlibdeps. Every failure is listed; the exit status is 1 if any.
set -euo pipefail

usage()
{
    echo "usage: scripts/check-install.sh BUILD_DIR [--package | --deb FILE]" >&2
    exit 2
}

[ $# -ge 1 ] || usage
build="$(cd "$1" && pwd)"
shift
mode=install
deb=
case "${1-}" in
    "") ;;
    --package) mode=package ;;
    --deb)
        [ $# -eq 2 ] || usage
        mode=deb
        deb="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
        ;;
    *) usage ;;
esac

source_dir="$(cd "$(dirname "$0")/.." && pwd)"
app_id=it.nembotica.Fasoria
icon_sizes=(16 32 48 64 128 256)
# Every type of the MIME package, with its glob; the window opens all of them (a challenge file to answer it, a
# lesson pack to add its lessons to the lesson list), so the desktop entry and the metadata name each one.
mime_globs=(
    application/x-fasoria-circuit '*.fsor.json'
    application/x-fasoria-session '*.session.json'
    application/x-fasoria-challenge '*.challenge.json'
    application/x-fasoria-lessons '*.lessons.json'
)
mime_types=()
for ((i = 0; i < ${#mime_globs[@]}; i += 2)); do
    mime_types+=("${mime_globs[i]}")
done
window_types=(application/x-fasoria-circuit application/x-fasoria-session application/x-fasoria-challenge
    application/x-fasoria-lessons)

tools=(desktop-file-validate appstreamcli xmllint update-mime-database groff gzip ldd)
if [ "$mode" != install ]; then
    tools+=(dpkg-deb dpkg readelf)
fi
if [ "$mode" = package ]; then
    tools+=(cpack dpkg-shlibdeps)
fi
for tool in "${tools[@]}"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "check-install: $tool is missing; scripts/setup.sh installs it" >&2
        exit 2
    fi
done

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
if [ -z "$version" ]; then
    echo "check-install: $build is not a configured build directory" >&2
    exit 2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
root="$work/root"

checks=0
failures=0
pass()
{
    checks=$((checks + 1))
}
fail()
{
    checks=$((checks + 1))
    failures=$((failures + 1))
    echo "FAIL: $*"
}
# check DESCRIPTION COMMAND...: runs the command quietly and records its outcome, showing its output on failure.
check()
{
    local description="$1"
    shift
    local output
    if output="$("$@" 2>&1)"; then
        pass
    else
        fail "$description"
        [ -z "$output" ] || printf '%s\n' "$output" | sed 's/^/    /'
    fi
}
same_lists()
{
    diff <(printf '%s\n' "$1") <(printf '%s\n' "$2")
}

# The PNG header gives the picture's width and height as big-endian 32-bit numbers at bytes 16 to 23.
png_size()
{
    local bytes
    bytes="$(od -An -tu1 -j16 -N8 "$1" | tr -s ' \n' ' ')"
    # shellcheck disable=SC2086
    set -- $bytes
    echo "$(($1 << 24 | $2 << 16 | $3 << 8 | $4))x$(($5 << 24 | $6 << 16 | $7 << 8 | $8))"
}
is_png()
{
    [ "$(od -An -tx1 -N8 "$1" | tr -d ' \n')" = 89504e470d0a1a0a ]
}
is_elf()
{
    [ "$(od -An -tx1 -N4 "$1" | tr -d ' \n')" = 7f454c46 ]
}
finds_its_libraries()
{
    ! ldd "$1" | grep -F 'not found'
}
# silent COMMAND...: the command succeeds and prints nothing, as validators do for a clean file.
silent()
{
    local output
    if output="$("$@" 2>&1)" && [ -z "$output" ]; then
        return 0
    fi
    printf '%s\n' "$output"
    return 1
}
# Hints (such as an entry listed under both of its main categories) are advice; warnings and errors fail.
desktop_entry_is_valid()
{
    local output
    output="$(desktop-file-validate "$1" 2>&1)" || {
        printf '%s\n' "$output"
        return 1
    }
    printf '%s\n' "$output"
    ! printf '%s\n' "$output" | grep -E ': (warning|error):'
}
formats_cleanly()
{
    local output
    if output="$(gzip -dc "$1" | groff -k -man -Tutf8 -ww -z 2>&1)" && [ -z "$output" ]; then
        return 0
    fi
    printf '%s\n' "$output"
    return 1
}
names_version()
{
    gzip -dc "$1" | grep -E "^\.TH .*\"Fasoria $2\"" >/dev/null
}
is_stripped()
{
    ! readelf -S "$1" | grep -F .debug_info >/dev/null
}
is_name_and_address()
{
    [[ $1 =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]]
}
# has_versioned_dependency DEPENDS PACKAGE: "PACKAGE (>= VERSION)" among the entries or their alternatives,
# the form dpkg-shlibdeps writes.
has_versioned_dependency()
{
    printf '%s\n' "$1" | tr ',|' '\n' |
        awk -v package="$2" '{ sub(/^ +/, ""); sub(/ +$/, "") }
            index($0, package " (>= ") == 1 && /\)$/ { found = 1 }
            END { exit !found }'
}

expected_files()
{
    printf '%s\n' \
        usr/bin/fasoria \
        usr/bin/fasoria-cli \
        "usr/share/applications/$app_id.desktop" \
        usr/share/doc/fasoria/copyright \
        usr/share/man/it/man1/fasoria-cli.1.gz \
        usr/share/man/it/man1/fasoria.1.gz \
        usr/share/man/man1/fasoria-cli.1.gz \
        usr/share/man/man1/fasoria.1.gz \
        "usr/share/metainfo/$app_id.metainfo.xml" \
        "usr/share/mime/packages/$app_id.xml"
    for size in "${icon_sizes[@]}"; do
        echo "usr/share/icons/hicolor/${size}x$size/apps/$app_id.png"
    done
}
expected="$(expected_files | LC_ALL=C sort)"

echo "== Installing $build into a temporary DESTDIR =="
if ! DESTDIR="$root" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "check-install: cmake --install failed" >&2
    exit 1
fi

installed="$(cd "$root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)"
check "the installation is exactly the expected files" same_lists "$expected" "$installed"
check "no symbolic links or special files" test -z "$(cd "$root" && find . ! -type d ! -type f)"
check "every directory has mode 755" test -z "$(cd "$root" && find . -type d ! -perm 755)"
check "the programs have mode 755 and the data 644" test -z "$(cd "$root" && find . -type f \
    \( \( -path './usr/bin/*' ! -perm 755 \) -o \( ! -path './usr/bin/*' ! -perm 644 \) \))"

for program in fasoria fasoria-cli; do
    binary="$root/usr/bin/$program"
    [ -f "$binary" ] || continue
    check "$program is an ELF executable" is_elf "$binary"
    check "$program finds every shared library it needs" finds_its_libraries "$binary"
done
if [ -x "$root/usr/bin/fasoria-cli" ]; then
    check "the installed fasoria-cli runs" "$root/usr/bin/fasoria-cli" --help
fi
if [ -f "$root/usr/share/doc/fasoria/copyright" ]; then
    check "the copyright file is the project's licence" cmp "$source_dir/LICENSE" "$root/usr/share/doc/fasoria/copyright"
fi

echo "== Desktop entry =="
desktop="$root/usr/share/applications/$app_id.desktop"
desktop_key()
{
    sed -n "s/^$1=//p" "$desktop"
}
if [ -f "$desktop" ]; then
    check "desktop-file-validate reports no warning or error" desktop_entry_is_valid "$desktop"
    check "Exec passes the opened file to the window" test "$(desktop_key Exec)" = "fasoria %f"
    check "TryExec names an installed program" test -x "$root/usr/bin/$(desktop_key TryExec)"
    check "the entry has English and Italian names and comments" test -n "$(desktop_key Name)" \
        -a -n "$(desktop_key 'GenericName\[it\]')" -a -n "$(desktop_key Comment)" -a -n "$(desktop_key 'Comment\[it\]')"
    categories=";$(desktop_key Categories)"
    check "Categories include Education and Science" test "${categories#*;Education;}" != "$categories" \
        -a "${categories#*;Science;}" != "$categories"
    check "the icon is the application id" test "$(desktop_key Icon)" = "$app_id"
    check "MimeType names exactly the types the window opens" same_lists "$(printf '%s;' "${window_types[@]}")" \
        "$(desktop_key MimeType)"
fi

echo "== Icons =="
for size in "${icon_sizes[@]}"; do
    icon="$root/usr/share/icons/hicolor/${size}x$size/apps/$app_id.png"
    [ -f "$icon" ] || continue
    check "the ${size}x$size icon is a PNG" is_png "$icon"
    check "the ${size}x$size icon is ${size}x$size pixels" test "$(png_size "$icon")" = "${size}x$size"
done

echo "== AppStream metadata =="
metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
xpath()
{
    xmllint --xpath "$1" "$metainfo" 2>/dev/null
}
if [ -f "$metainfo" ]; then
    # --strict fails on every issue above the pedantic level; nothing needs the network or a screenshot.
    check "appstreamcli validate --no-net --strict passes" appstreamcli validate --no-net --strict "$metainfo"
    check "the component id is the application id" test "$(xpath 'string(/component/id)')" = "$app_id"
    check "the launchable is the installed desktop entry" \
        test -f "$root/usr/share/applications/$(xpath 'string(/component/launchable[@type="desktop-id"])')"
    check "the newest release is version $version" test "$(xpath 'string(/component/releases/release[1]/@version)')" = "$version"
    check "the summary is in English and Italian" test -n "$(xpath 'string(/component/summary[not(@xml:lang)])')" \
        -a -n "$(xpath 'string(/component/summary[@xml:lang="it"])')"
    for element in p li; do
        english="$(xpath "count(/component/description//${element}[not(@xml:lang)])")"
        italian="$(xpath "count(/component/description//${element}[@xml:lang=\"it\"])")"
        check "every description <$element> has an Italian translation ($english English, $italian Italian)" \
            test "$english" -gt 0 -a "$english" = "$italian"
    done
    provided="$(xpath '/component/provides/mediatype/text()' | LC_ALL=C sort)"
    check "the metadata provides exactly the types the window opens" \
        same_lists "$(printf '%s\n' "${window_types[@]}" | LC_ALL=C sort)" "$provided"
    for binary in $(xpath '/component/provides/binary/text()'); do
        check "the provided binary $binary is installed" test -x "$root/usr/bin/$binary"
    done
fi

echo "== Shared MIME types =="
mime="$root/usr/share/mime/packages/$app_id.xml"
if [ -f "$mime" ]; then
    check "the MIME package follows the shared-mime-info grammar" \
        xmllint --noout --relaxng "$source_dir/packaging/mime-info.rng" "$mime"
    # Build the database the desktop would build from this package alone, in a copy, and read its tables.
    mkdir -p "$work/mime/packages"
    cp "$mime" "$work/mime/packages/"
    check "update-mime-database accepts the package without a message" silent \
        env XDG_DATA_HOME="$work" XDG_DATA_DIRS="$work" update-mime-database "$work/mime"
    check "the package defines exactly the expected types" \
        same_lists "$(printf '%s\n' "${mime_types[@]}" | LC_ALL=C sort)" "$(LC_ALL=C sort "$work/mime/types")"
    for ((i = 0; i < ${#mime_globs[@]}; i += 2)); do
        type="${mime_globs[i]}"
        glob="${mime_globs[i + 1]}"
        check "$glob is $type, and nothing else" \
            same_lists "50:$type:$glob" "$(grep -F ":$glob" "$work/mime/globs2" || true)"
        check "$type is a kind of JSON" grep -qxF "$type application/json" "$work/mime/subclasses"
        check "$type is named in Italian" grep -qF '<comment xml:lang="it">' "$work/mime/$type.xml"
    done
    for type in "${window_types[@]}"; do
        check "the window's $type is defined by the package" grep -qxF "$type" "$work/mime/types"
    done
fi

echo "== Manual pages =="
for page in "$root"/usr/share/man/man1/*.1.gz "$root"/usr/share/man/it/man1/*.1.gz; do
    [ -f "$page" ] || continue
    name="${page#"$root"/usr/share/man/}"
    check "$name is intact gzip" gzip -t "$page"
    check "$name formats without warnings" formats_cleanly "$page"
    check "$name names version $version" names_version "$page" "$version"
done

if [ "$mode" != install ]; then
    echo "== Debian package =="
    if [ "$mode" = package ]; then
        if ! cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1; then
            cat "$work/cpack.log"
            echo "check-install: cpack failed" >&2
            exit 1
        fi
        deb="$(find "$work/package" -maxdepth 1 -name '*.deb')"
    fi
    architecture="$(dpkg --print-architecture)"
    check "the package file is fasoria_${version}_$architecture.deb" test "$(basename "$deb")" = "fasoria_${version}_$architecture.deb"
    field()
    {
        dpkg-deb -f "$deb" "$1"
    }
    check "dpkg-deb reads the package" dpkg-deb -I "$deb"
    check "Package is fasoria" test "$(field Package)" = fasoria
    check "Version is $version" test "$(field Version)" = "$version"
    check "Architecture is $architecture" test "$(field Architecture)" = "$architecture"
    check "Section is education" test "$(field Section)" = education
    check "Maintainer is a name and an address" is_name_and_address "$(field Maintainer)"
    check "the description has a summary and a long text" \
        test -n "$(field Description | head -n 1)" -a "$(field Description | wc -l)" -gt 3
    check "Installed-Size is given" test -n "$(field Installed-Size)"
    depends="$(field Depends)"
    echo "Depends: $depends"
    # Versioned dependencies on the libraries the programs link are what dpkg-shlibdeps writes.
    for library in libc6 libstdc++6 libgcc-s1 libqt5core5a libqt5gui5 libqt5widgets5; do
        check "Depends has a versioned $library" has_versioned_dependency "$depends" "$library"
    done

    listing="$(dpkg-deb -c "$deb")"
    files="$(printf '%s\n' "$listing" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | LC_ALL=C sort)"
    check "the package holds exactly the installed files" same_lists "$expected" "$files"
    check "everything in the package belongs to root" test -z "$(printf '%s\n' "$listing" | awk '$2 != "root/root"')"
    check "the package's directories have mode 755" test -z "$(printf '%s\n' "$listing" | awk '$1 ~ /^d/ && $1 != "drwxr-xr-x"')"
    check "the package's programs have mode 755 and its data 644" test -z "$(printf '%s\n' "$listing" |
        awk '$1 !~ /^d/ { p = ($6 ~ /^\.\/usr\/bin\//) ? "-rwxr-xr-x" : "-rw-r--r--"; if ($1 != p) print }')"

    # Unpacking into a folder is not installing: it lets the files be compared with the installation.
    dpkg-deb -x "$deb" "$work/unpacked"
    for file in $expected; do
        case "$file" in
            usr/bin/*)
                check "$file in the package is stripped" is_stripped "$work/unpacked/$file"
                ;;
            *) check "$file in the package is the installed file" cmp "$root/$file" "$work/unpacked/$file" ;;
        esac
    done
fi

echo "check-install: $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
