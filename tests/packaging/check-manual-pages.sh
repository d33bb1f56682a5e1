#!/usr/bin/env bash
# Keeps the manual pages true to the programs:
#   check-manual-pages.sh PACKAGING_DIR FASORIA FASORIA_CLI
# - every command of "fasoria-cli --help" has a subsection in each page of fasoria-cli, and each subsection
#   names exactly the options "fasoria-cli --lang en|it COMMAND --help" prints and, when it has entries,
#   has one for each option the help lists line by line; the page names no option that no help text prints,
#   except -h, which must behave as --help;
# - fasoria --help and --version answer without a display; the options fasoria(1) lists one entry each are
#   the ones "fasoria --help" lists, "--" included; the file names its options document are the shared MIME
#   globs of the types the desktop entry opens with the window, and of no other type;
# - the Italian pages have the English pages' structure, subsection for subsection and entry for entry.
set -euo pipefail

if [ $# -ne 3 ]; then
    echo "usage: check-manual-pages.sh PACKAGING_DIR FASORIA FASORIA_CLI" >&2
    exit 2
fi
pages="$1"
fasoria="$2"
cli="$3"

checks=0
failures=0
check()
{
    local description="$1"
    shift
    local output
    checks=$((checks + 1))
    if ! output="$("$@" 2>&1)"; then
        failures=$((failures + 1))
        echo "FAIL: $description"
        [ -z "$output" ] || printf '%s\n' "$output" | sed 's/^/    /'
    fi
}
same_lists()
{
    diff <(printf '%s\n' "$1") <(printf '%s\n' "$2")
}

# The text of a page source without comments or font and hyphen escapes, so options read as typed.
plain()
{
    sed -e '/^\.\\"/d' -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\&//g' "$1"
}
# Lines of one section (.SH) or subsection (.SS) of plain text, up to the next heading of either kind.
section()
{
    awk -v heading="$1" '
        /^\.S[HS] / { inside = ($0 == heading); next }
        inside' "$2"
}
# The tags of the .TP entries of some text: the line after each .TP.
entry_tags()
{
    awk 'tag { print; tag = 0 } /^\.TP/ { tag = 1 }'
}
# Every option word, "-x" or "--name", standing on its own (not inside "fasoria-cli" or "1-x").
options()
{
    { grep -oE '(^|[^[:alnum:]_-])--?[a-z][a-z0-9-]*' || true; } | sed -E 's/^[^-]+//' | LC_ALL=C sort -u
}
# The options a help text describes one per line: "  --name ARG  text", or "  kind: --name ARG  text".
listed_options()
{
    sed -nE 's/^ +([a-z]+: +)?(--?[a-z][a-z0-9-]*).*/\2/p' | LC_ALL=C sort -u
}
subsections()
{
    sed -n 's/^\.SS //p' "$1"
}

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

commands="$("$cli" --help | sed -nE 's/^  ([a-z]+) .*/\1/p' | LC_ALL=C sort -u)"
check "fasoria-cli --help lists its commands" test -n "$commands"
check "fasoria-cli -h prints what --help prints" same_lists "$("$cli" --help)" "$("$cli" -h)"

for language in en it; do
    if [ "$language" = en ]; then
        page="$pages/fasoria-cli.1"
        lang=(--lang en)
        global="GLOBAL OPTIONS"
    else
        page="$pages/fasoria-cli.$language.1"
        lang=(--lang "$language")
        global="OPZIONI GENERALI"
    fi
    plain "$page" >"$work/page"
    name="$(basename "$page")"

    check "$name has one subsection per command" same_lists "$commands" "$(subsections "$work/page" | LC_ALL=C sort)"
    all_help="$("$cli" "${lang[@]}" --help)"
    for command in $commands; do
        help="$("$cli" "${lang[@]}" "$command" --help)"
        all_help+=$'\n'"$help"
        check "$name: $command names the options of \"$command --help\"" \
            same_lists "$(printf '%s\n' "$help" | options)" "$(section ".SS $command" "$work/page" | options)"
        # A subsection that describes its options one entry each describes every one of them.
        entries="$(section ".SS $command" "$work/page" | entry_tags | options)"
        if [ -n "$entries" ]; then
            check "$name: $command has an entry for each option \"$command --help\" lists" \
                same_lists "$(printf '%s\n' "$help" | listed_options)" "$entries"
        fi
        check "fasoria-cli $command -h prints what --help prints" \
            same_lists "$help" "$("$cli" "${lang[@]}" "$command" -h)"
    done
    check "$name: the global options are --lang and --help (-h)" \
        same_lists "$(printf '%s\n' --help --lang -h | LC_ALL=C sort)" \
        "$(section ".SH $global" "$work/page" | entry_tags | options)"
    check "$name names only options the help texts print" \
        same_lists "$( (printf '%s\n' "$all_help"; echo -h) | options)" "$(options <"$work/page")"
done

# "TYPE GLOB" for every type of the MIME package, its glob without the "*".
mime_globs="$(awk '
    match($0, /<mime-type type="[^"]+"/) { type = substr($0, RSTART + 17, RLENGTH - 18) }
    match($0, /<glob pattern="\*[^"]+"/) { print type, substr($0, RSTART + 16, RLENGTH - 17) }
    ' "$pages/it.nembotica.Fasoria.mime.xml")"
check "the MIME package gives each type a glob" test -n "$mime_globs"
window_types="$(sed -n 's/^MimeType=//p' "$pages/it.nembotica.Fasoria.desktop" | tr ';' '\n' | sed '/^$/d')"
check "the desktop entry names the types the window opens" test -n "$window_types"
window_globs="$(printf '%s\n' "$mime_globs" | awk 'NR == FNR { opened[$0] = 1; next } $1 in opened { print $2 }' \
    <(printf '%s\n' "$window_types") - | LC_ALL=C sort -u)"
# Every glob of the package, as an extended regular expression for grep.
any_glob="$(printf '%s\n' "$mime_globs" | awk '{ print $2 }' | sed 's/[.]/\\./g' | paste -sd '|')"

# The window answers these before it needs a display, so they run with no environment at all.
check "fasoria --help answers without a display" env -i "$fasoria" --help
window_help="$(env -i "$fasoria" --help 2>/dev/null || true)"
window_options="$(printf '%s\n' "$window_help" | listed_options)"
check "fasoria --help lists its options" test -n "$window_options"
check "fasoria --help lists --" grep -qE '^ +-- ' <<<"$window_help"
check "fasoria --version prints the name and version" grep -qxE 'Fasoria [0-9]+\.[0-9]+\.[0-9]+' \
    <<<"$(env -i "$fasoria" --version 2>/dev/null || true)"

for language in en it; do
    if [ "$language" = en ]; then
        page="$pages/fasoria.1"
        heading=".SH OPTIONS"
    else
        page="$pages/fasoria.$language.1"
        heading=".SH OPZIONI"
    fi
    plain "$page" >"$work/page"
    check "$(basename "$page") lists the options of \"fasoria --help\"" \
        same_lists "$window_options" "$(section "$heading" "$work/page" | entry_tags | options)"
    check "$(basename "$page") has an entry for --" grep -qxE '(\.BR? +)?--' \
        <<<"$(section "$heading" "$work/page" | entry_tags)"
    check "$(basename "$page") documents the files the desktop opens with the window, and only those" \
        same_lists "$window_globs" \
        "$(section "$heading" "$work/page" | { grep -oE "$any_glob" || true; } | LC_ALL=C sort -u)"
done

# Each translation mirrors its English page: the same headings count, subsections and entries.
structure()
{
    plain "$1" | awk '/^\.SH / { sh++ } /^\.TP/ { tp++ } /^\.SS / { ss = ss " " $2 } END { print sh, tp, ss }'
}
for program in fasoria fasoria-cli; do
    check "$program.it.1 has the structure of $program.1" \
        same_lists "$(structure "$pages/$program.1")" "$(structure "$pages/$program.it.1")"
done

echo "check-manual-pages: $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
