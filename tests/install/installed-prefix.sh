#!/usr/bin/env bash
# Installs the build into a fresh prefix (and once more through DESTDIR) and uses it as a
# user would, with the build tree out of reach: the files are where the desktop and the
# shell look, the installed korvanta-render renders, the installed explorer starts and its
# code finds the guide and the sample macros, and per-user state goes to one folder.
# Usage: installed-prefix.sh BUILD-DIR INSTALLED-TESTS APP-ID CONTACT HOMEPAGE
set -euo pipefail
build=$1 probe=$2 app_id=$3 contact=$4 homepage=$5
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log"

# DESTDIR stages under itself and writes nothing at the prefix.
DESTDIR=$tmp/stage cmake --install "$build" --prefix /opt/korvanta-staged >/dev/null
[ -x "$tmp/stage/opt/korvanta-staged/bin/korvanta" ] || fail "DESTDIR install lacks bin/korvanta"
[ ! -e /opt/korvanta-staged ] || fail "DESTDIR install wrote to /opt/korvanta-staged"
diff <(cd "$prefix" && find . | sort) <(cd "$tmp/stage/opt/korvanta-staged" && find . | sort) ||
    fail "DESTDIR and prefix installs differ"

# The programs alone in bin, the read-only companions in share.
[ "$(ls "$prefix/bin" | tr '\n' ' ')" = "korvanta korvanta-render " ] ||
    fail "bin holds $(ls "$prefix/bin" | tr '\n' ' ')"
for file in share/korvanta/help/contents.txt share/korvanta/help/popups.txt \
            share/korvanta/macros/Sample1.frm share/korvanta/macros/Sample2.frm \
            share/korvanta/macros/Sample3.frm \
            "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
            share/mime/packages/korvanta.xml \
            share/man/man1/korvanta.1.gz share/man/man1/korvanta-render.1.gz \
            share/bash-completion/completions/korvanta-render \
            share/doc/korvanta/LICENSE share/doc/korvanta/changelog.gz \
            share/doc/korvanta/THIRD-PARTY-NOTICES.md; do
    [ -s "$prefix/$file" ] || fail "$file is not installed"
done
# Documents and macros each name their own icon (else the MIME database makes up a name).
for type in document macro; do
    grep -qF "<icon name=\"application-x-korvanta-$type\"/>" "$prefix/share/mime/packages/korvanta.xml" ||
        fail "the $type type names no icon"
done
# One main category of the freedesktop menus, so the program is in one menu, not two.
entry=$prefix/share/applications/$app_id.desktop
main=$(sed -n 's/^Categories=//p' "$entry" | tr ';' '\n' |
       grep -xE 'AudioVideo|Audio|Video|Development|Education|Game|Graphics|Network|Office|Science|Settings|System|Utility' |
       tr '\n' ' ')
[ "$main" = "Graphics " ] || fail "the desktop entry's main categories are '$main'"
# The package's one mail address and home page, in the manual pages and the AppStream data.
for page in korvanta korvanta-render; do
    text=$(zcat "$prefix/share/man/man1/$page.1.gz")
    grep -qF "<$contact>" <<<"$text" || fail "the manual page $page(1) lacks $contact"
    grep -qF "<$homepage>" <<<"$text" || fail "the manual page $page(1) lacks $homepage"
done
grep -qF "<update_contact>$contact</update_contact>" "$prefix/share/metainfo/$app_id.metainfo.xml" ||
    fail "the AppStream data lacks $contact"
ls "$prefix"/share/korvanta/help/images/*.png >/dev/null || fail "the guide's pictures are not installed"
# Each icon is a PNG of its folder's size (the width and height of its header).
for size in 16 22 24 32 48 64 128 256; do
    for icon in apps/korvanta.png mimetypes/application-x-korvanta-document.png \
                mimetypes/application-x-korvanta-macro.png; do
        file=$prefix/share/icons/hicolor/${size}x${size}/$icon
        [ -f "$file" ] || fail "$file is missing"
        header=$(od -An -tx1 -j12 -N12 "$file" | tr -d ' \n')
        printf -v want '49484452%08x%08x' "$size" "$size"
        [ "$header" = "$want" ] || fail "$file is not a ${size}x$size PNG"
    done
done

# Far from the build tree, with a home of its own.
mkdir "$tmp/home" "$tmp/work"
cd "$tmp/work"
export HOME=$tmp/home XDG_DATA_HOME=$tmp/home/data XDG_CONFIG_HOME=$tmp/home/config
export XDG_CACHE_HOME=$tmp/home/cache QT_QPA_PLATFORM=offscreen
export PATH=$prefix/bin:$PATH
[ "$(command -v korvanta-render)" = "$prefix/bin/korvanta-render" ] || fail "korvanta-render is not the installed one"

korvanta-render --quiet --scene 0 -o scene0.png
[ "$(od -An -c -N4 scene0.png | tr -d ' ')" = '211PNG' ] || fail "korvanta-render wrote no PNG"
"$build/tools/korvanta-render" --quiet --scene 0 -o built.png
cmp -s scene0.png built.png || fail "the installed korvanta-render renders differently from the built one"

korvanta --version | grep -qx "Korvanta [0-9.]*" || fail "the installed explorer does not say its version"

# The explorer starts, stays up, and keeps its state in one folder of its own.
korvanta >explorer.log 2>&1 &
explorer=$!
sleep 3
kill -0 $explorer 2>/dev/null || { cat explorer.log; fail "the installed explorer did not keep running"; }
kill $explorer
wait $explorer 2>/dev/null || true
if [ -d "$XDG_DATA_HOME" ]; then
    [ "$(ls -A "$XDG_DATA_HOME" | tr '\n' ' ')" = "korvanta " ] || fail "XDG_DATA_HOME holds $(ls -A "$XDG_DATA_HOME")"
fi
! find "$HOME" -iname korvanta -path '*orvanta/*orvanta' | grep -q . || fail "a doubled Korvanta/Korvanta folder was made"

# The explorer's own code, run from the installed bin folder; the MIME database of the prefix.
cp "$probe" "$prefix/bin/"
XDG_DATA_DIRS=$prefix/share:/usr/share "$prefix/bin/$(basename "$probe")"
