#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds the fuzz target with clang's libFuzzer and the sanitizers, and runs it for a fixed time.
  run.py SOURCE_DIR BUILD_DIR [SECONDS]"""
import pathlib
import subprocess
import sys

src, out = map(pathlib.Path, sys.argv[1:3])
seconds = (sys.argv[3:] or ["30"])[0]
(out / "corpus").mkdir(parents=True, exist_ok=True)
qt = subprocess.run(["pkg-config", "--cflags", "--libs", "Qt6Core"], check=True, capture_output=True, text=True).stdout
subprocess.run(["clang++", "-std=c++20", "-g", "-O1", "-fPIC", "-fsanitize=fuzzer,address,undefined",
                "-fno-sanitize-recover=undefined", f"-I{src}/src", src / "tests/fuzz/fuzz_rules.cpp",
                src / "src/rules.cpp", *qt.split(), "-o", out / "fuzz_rules"], check=True)
# The run's own finds go to a scratch corpus; the committed seeds are only read.
done = subprocess.run([out / "fuzz_rules", f"-max_total_time={seconds}", "-max_len=256", "-print_final_stats=1",
                       out / "corpus", src / "tests/fuzz/corpus"], stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                      text=True, errors="replace")
print(*done.stdout.splitlines()[-15:], sep="\n")
sys.exit(done.returncode)
