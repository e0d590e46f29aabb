#!/bin/sh
# The last commit built in a folder of another name and length, without ccache, gives the same
# orbalta.exe and zip as this tree's build (with ccache when the developer uses it). A tree with
# uncommitted changes is compared against a second such build instead.
#   reproducible_build.sh SOURCE_DIR BUILD_DIR
set -eu
src="$1"
build="$2"
deps="$(cd "$src/build/mingw-deps" && pwd -P)"
tmp="$(mktemp -d /tmp/orbalta-reproducible-XXXXXX)"
trap 'rm -rf "$tmp"' EXIT INT TERM

# A clone of the last commit at $1, built and packed as make windows does.
build_clone() {
  git clone -q --shared --no-checkout "$src" "$1"
  git -C "$1" checkout -q --detach "$(git -C "$src" rev-parse HEAD)"
  mkdir -p "$1/build"
  ln -s "$deps" "$1/build/mingw-deps"
  (cd "$1" &&
    env -u CMAKE_CXX_COMPILER_LAUNCHER -u CMAKE_C_COMPILER_LAUNCHER \
      cmake --preset windows >"$tmp/configure.log" 2>&1 &&
    cmake --build --preset windows --target orbalta -j "${JOBS:-2}" >"$tmp/build.log" 2>&1 &&
    scripts/package-windows >/dev/null) || {
    cat "$tmp/configure.log" "$tmp/build.log" >&2
    exit 1
  }
}

build_clone "$tmp/other-folder/orbalta-source"
first="$tmp/other-folder/orbalta-source/build/windows"
if git -C "$src" diff --quiet HEAD --; then
  # This tree is its last commit: its own build, packed again now, is the other side.
  "$src/scripts/package-windows" >/dev/null
  second="$build"
else
  build_clone "$tmp/o"
  second="$tmp/o/build/windows"
fi

status=0
for file in orbalta.exe orbalta-windows.zip; do
  if cmp -s "$first/$file" "$second/$file"; then
    echo "same $file: $(sha256sum <"$first/$file" | cut -c1-16)"
  else
    echo "$file differs between $first and $second:"
    cmp -l "$first/$file" "$second/$file" | head -5
    status=1
  fi
done
exit $status
