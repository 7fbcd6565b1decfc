# SPDX-License-Identifier: GPL-3.0-or-later
# make run   installs what is missing, builds and starts the program (build/sorvanto)
# make test  installs what is missing, checks the code's form (make lint), builds with the
#            sanitizers and runs every test; builds with Clang and the null backend too and runs the
#            in-process tests there
# make test-desktops  installs the window managers and tray hosts of the desktop matrix and runs the
#            program under each (tests/blackbox/desktops.py), skipping those not installed; prints
#            the table; a few minutes after the build
# make package  builds the Debian source and binary packages of this machine's Debian release in a
#               clean root of it, into build-package/<release>/; DIST=trixie or DIST=bookworm for another
# make test-dists  builds, checks and installs the package of each release (DISTS) in fresh roots
# make bench    installs what is missing, builds in Release into build-bench/ and measures the
#               program against the floor and any installed peers (bench/README.md), and the
#               Windows program under Wine where make windows has built Qt for Windows; ~15 minutes
# make windows  builds Qt for Windows once into ~/.cache/sorvanto (scripts/build-windows-qt.sh), then
#               build-windows/sorvanto.exe, sorvanto-1.0-setup.exe and sorvanto-1.0-win64.zip
# make test-windows  those, then the in-process tests under Wine and the installer's run on a desktop
JOBS ?= $(shell nproc)
DIST ?= $(shell . /etc/os-release && echo $$VERSION_CODENAME)
DISTS ?= bookworm trixie

.PHONY: run test lint test-desktops test-dists bench build package deps test-deps desktops-deps package-deps clean \
	windows test-windows windows-deps windows-tests

run: build
	./build/sorvanto

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORVANTO_TESTS=OFF
	cmake --build build -j $(JOBS)

# The plain build serves the memory check under valgrind, which cannot run sanitized code. The
# portable build, with the null backend that every platform Qt runs on has, shows that the window
# and its in-process tests need nothing of Linux; made with Clang, it keeps the code free of what
# only one of the two compilers warns about.
test: test-deps lint build
	cmake -S . -B build-portable -DCMAKE_BUILD_TYPE=Debug -DSORVANTO_LINUX_BACKEND=OFF \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build build-portable -j $(JOBS)
	cd build-portable && ctest --output-on-failure -L inprocess
	cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Debug -DSORVANTO_SANITIZE=ON -DSORVANTO_PLAIN_BINARY=$(CURDIR)/build/sorvanto
	cmake --build build-tests -j $(JOBS)
	cd build-tests && ctest --output-on-failure
	@if [ -x "$(WINDOWS_QT)/bin/qt-cmake" ]; then $(MAKE) --no-print-directory windows-tests; \
	else echo "make test: skipped the in-process tests under Wine: no Qt for Windows in $(WINDOWS_QT) (make windows builds it)"; fi

# The code's form: every C++ file as clang-format lays it out, every Python file (*.py, and scripts
# that start with python3) without a finding of flake8 (.flake8), every shell script without a
# warning from shellcheck (.shellcheckrc), and every file that starts with #! executable, as it is
# started so.
lint: test-deps
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
	git ls-files -z | xargs -0 awk 'FNR == 1 && (/^#!.*python3/ || FILENAME ~ /\.py$$/) { print FILENAME } { nextfile }' | \
	  xargs -d '\n' flake8
	git ls-files -z | xargs -0 awk 'FNR == 1 && /^#!.*(bash|\/sh)$$/ { print FILENAME } { nextfile }' | \
	  xargs -d '\n' -r shellcheck -S warning
	git ls-files -s | awk '$$1 != 100755 { print $$4 }' | \
	  xargs -d '\n' awk 'FNR == 1 && /^#!/ { print FILENAME ": not executable"; bad = 1 } { nextfile } END { exit bad }'

# A build of its own, without the sanitizers: the matrix is about the desktops, and the plain program
# starts faster on the slow ones.
test-desktops: desktops-deps
	cmake -S . -B build-desktops -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-desktops -j $(JOBS) --target sorvanto sorvanto_fastclock sorvanto_holdquit
	SORVANTO_ARTIFACTS=$(CURDIR)/build-desktops/artifacts SORVANTO_HOLDQUIT=$(CURDIR)/build-desktops/tests/libsorvanto_holdquit.so \
	  tests/blackbox/desktops.py build-desktops/sorvanto build-desktops/tests/libsorvanto_fastclock.so

# Qt for Windows is built once, in a cache outside the tree; the program is made as small as it goes.
WINDOWS_QT = $(shell ./scripts/build-windows-qt.sh --prefix)
# The compilers come from this tree, not from wherever Qt was built. A build that was configured with
# another Qt for Windows, such as one of an earlier configuration, is configured anew.
WINDOWS_CONFIGURE = { grep -qsxF 'Qt6_DIR:PATH=$(WINDOWS_QT)/lib/cmake/Qt6' build-windows/CMakeCache.txt || rm -rf build-windows; } && \
	$(WINDOWS_QT)/bin/qt-cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
	-DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake
windows: windows-deps
	JOBS=$(JOBS) ./scripts/build-windows-qt.sh
	$(WINDOWS_CONFIGURE)
	cmake --build build-windows -j $(JOBS) --target sorvanto_downloads

# What make test runs under Wine when Qt for Windows is there: the in-process tests, each on a desktop
# of its own (tests/blackbox/wine.py).
windows-tests: windows-deps
	$(WINDOWS_CONFIGURE)
	cmake --build build-windows -j $(JOBS)
	cd build-windows && ctest --output-on-failure

test-windows: windows windows-tests
	SORVANTO_ARTIFACTS=$(CURDIR)/build-windows/artifacts tests/blackbox/windows.py build-windows/sorvanto-1.0-setup.exe \
	  build-windows/tests/unelevated-setup.exe

package: package-deps
	JOBS=$(JOBS) ./scripts/build-package.sh $(DIST)

# The installed program is armed with its countdown shortened by the library the black-box tests preload.
test-dists: test-deps
	cmake -S . -B build-dists -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-dists -j $(JOBS) --target sorvanto_fastclock
	status=0; for dist in $(DISTS); do \
	  JOBS=$(JOBS) ./scripts/build-package.sh $$dist || status=1; \
	  tests/package/contents.py build-package/$$dist || status=1; \
	  SORVANTO_FAST_CLOCK=$(CURDIR)/build-dists/tests/libsorvanto_fastclock.so SORVANTO_ARTIFACTS=$(CURDIR)/build-dists/artifacts \
	    tests/package/install.py build-package/$$dist $$dist || status=1; \
	done; exit $$status

bench:
	./bench/run

deps:
	./scripts/install-deps.sh

test-deps:
	./scripts/install-deps.sh --tests

desktops-deps:
	./scripts/install-deps.sh --desktops

package-deps:
	./scripts/install-deps.sh --package

windows-deps:
	./scripts/install-deps.sh --windows

clean:
	rm -rf build build-tests build-portable build-package build-bench build-desktops build-dists build-windows
