#!/usr/bin/env bash
# Builds the fuzz targets with clang in build/fuzz-clang (installing clang and its fuzzer
# runtime when missing) and runs each for FUZZ_SECONDS (default 60) on a scratch copy of its
# seed corpus, so that the committed seeds stay as they are. Crashing inputs are kept in
# build/fuzz-clang/artifacts. Exit status 1 when any target found one.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz-clang
seconds=${FUZZ_SECONDS:-60}
targets=(fuzz_decimal_input fuzz_bit_reads fuzz_bit_validation)

fuzzer_works() {
  command -v clang++ >/dev/null || return 1
  local probe
  probe=$(mktemp -d)
  printf 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }\n' \
    >"$probe/probe.cpp"
  clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null
  local status=$?
  rm -rf "$probe"
  return $status
}

if ! fuzzer_works; then
  echo "Installing clang and its fuzzer runtime"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    clang libclang-rt-14-dev
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORBALTA_FUZZ=ON
fi
cmake --build "$build" -j "${JOBS:-2}" --target "${targets[@]}"

mkdir -p "$build/artifacts"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=()
for target in "${targets[@]}"; do
  mkdir -p "$scratch/$target"
  cp "$root/fuzz/corpus/$target"/* "$scratch/$target/"
  options=(-max_total_time="$seconds" -print_final_stats=1
           -artifact_prefix="$build/artifacts/$target-")
  # Four records of up to 255 characters count; room for four whole binary128 fields.
  [ "$target" = fuzz_bit_validation ] && options+=(-max_len=300)
  echo "== $target: $seconds s"
  if ! "$build/fuzz/$target" "${options[@]}" "$scratch/$target" 2>"$scratch/$target.log"; then
    failed+=("$target")
    grep -A3 -E "invariant broken|ERROR:" "$scratch/$target.log" | head -20 || true
  fi
  grep -E "^Done|stat::number_of_executed_units|stat::average_exec_per_sec" \
    "$scratch/$target.log" || true
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "Crashes in: ${failed[*]} (inputs in $build/artifacts)"
  exit 1
fi
