#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz target with clang's libFuzzer and the sanitizers, and runs it for a fixed time.
#   run.sh SOURCE_DIR BUILD_DIR [SECONDS]
set -euo pipefail
src=$1 out=$2 seconds=${3:-30}
mkdir -p "$out/corpus"
read -r -a qt_flags < <(pkg-config --cflags --libs Qt6Core)
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$src/src" "$src/tests/fuzz/fuzz_rules.cpp" "$src/src/rules.cpp" "${qt_flags[@]}" -o "$out/fuzz_rules"
# The run's own finds go to a scratch corpus; the committed seeds are only read.
"$out/fuzz_rules" -max_total_time="$seconds" -max_len=256 -print_final_stats=1 \
  "$out/corpus" "$src/tests/fuzz/corpus" 2>&1 | tail -15
