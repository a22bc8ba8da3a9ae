#!/usr/bin/env bash
# Installs the build into a fresh prefix, checks that the installed headers
# compile with nothing else on the include path, builds examples/embed
# against the prefix with find_package(Quill) and again with pkg-config,
# and checks that its pages equal `quill render --set` with the same values.
#   install-and-embed.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)

# A fixed place, emptied first, so ccache sees the same paths every run.
work=$build/embed-check
rm -rf "$work"
mkdir -p "$work/pages"
prefix=$work/prefix
cxx=(c++)
launcher=()
if command -v ccache >/dev/null; then
  cxx=(ccache c++)
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

cmake --install "$build" --prefix "$prefix" >"$work/install.log"
[ -x "$prefix/bin/quill" ] || { echo "not installed: bin/quill" >&2; exit 1; }
for file in libquill.a quill.pc QuillConfig.cmake QuillTargets.cmake embedding.md quill.h Form.h; do
  [ -n "$(find "$prefix" -name "$file" -print -quit)" ] || { echo "not installed: $file" >&2; exit 1; }
done

# Each public header alone, with only the prefix's include folder.
for header in "$prefix"/include/quill/*.h; do
  printf '#include <quill/%s>\n' "$(basename "$header")" >"$work/header.cpp"
  "${cxx[@]}" -std=c++20 -fsyntax-only -I"$prefix/include" "$work/header.cpp"
done
# The core's headers, reachable for programs that need more.
find "$prefix/include/quill/core" -name '*.h' -printf '#include <%P>\n' | sort >"$work/core.cpp"
"${cxx[@]}" -std=c++20 -fsyntax-only -I"$prefix/include" -I"$prefix/include/quill/core" "$work/core.cpp"

cmake -S "$source/examples/embed" -B "$work/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_PREFIX_PATH="$prefix" "${launcher[@]}" >"$work/configure.log"
cmake --build "$work/build" >"$work/build.log"

design=$source/examples/embed/welcome.form.json
printf '%s\n' "Ada Lovelace" "Grace Hopper" "<b>Bold</b> & plain" "" "   spaced   " \
  "Ünïcödé" "a=b" "x$(printf 'y%.0s' {1..300})" >"$work/values"
"$work/build/embed_pages" "$design" QuillLabel1.Caption "$work/pages" 3 <"$work/values"

check_pages() {
  local i=0 value
  while IFS= read -r value; do
    "$prefix/bin/quill" render "$design" --set "QuillLabel1.Caption=$value" >"$work/expected.html"
    cmp "$work/expected.html" "$1/page-$i.html"
    i=$((i + 1))
  done <"$work/values"
  [ "$i" -eq 8 ]
}
check_pages "$work/pages"

# The same program built with pkg-config's flags.
pcdir=$(dirname "$(find "$prefix" -name quill.pc)")
read -ra flags <<<"$(PKG_CONFIG_PATH=$pcdir pkg-config --cflags --libs quill)"
"${cxx[@]}" -std=c++20 -O1 "$source/examples/embed/main.cpp" "${flags[@]}" -o "$work/embed_pages_pc"
mkdir -p "$work/pages-pc"
"$work/embed_pages_pc" "$design" QuillLabel1.Caption "$work/pages-pc" 2 <"$work/values"
check_pages "$work/pages-pc"

# A wrong name fails with the API's message, as quill render's does.
if "$work/build/embed_pages" "$design" QuillLabl1.Caption "$work/pages" 1 <<<"x" 2>"$work/err"; then
  echo "a wrong component name was taken" >&2
  exit 1
fi
grep -qx 'embed_pages: QuillLabl1.Caption: no component named "QuillLabl1"; did you mean QuillLabel1?' "$work/err"
echo "installed, built against the install twice, and its pages match quill render --set"
