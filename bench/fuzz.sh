#!/usr/bin/env bash
# Coverage-guided fuzzing of the program's input handling with libFuzzer,
# under ASan and UBSan, for a bounded time (default 120 s):
#   bench/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq && $sudo apt-get install -y -qq clang libclang-rt-14-dev
fi
out=build-fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  bench/fuzz_target.cpp tests/fuzzstream.cpp app/app.cpp sim/*.cpp ui/*.cpp \
  platform/headless.cpp platform/pacing.cpp platform/framebuffer.cpp platform/input.cpp \
  -o "$out/fuzz_input"
"$out/fuzz_input" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$out/corpus" 2>&1 | tail -n 15
