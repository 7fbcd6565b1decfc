# make run   installs what is missing, builds and starts the program (build/sorvanto)
# make test  installs what is missing, builds with the sanitizers and runs every test; builds
#            with the null backend too and runs the in-process tests there
# make package  builds the Debian package build-package/sorvanto_<version>_<arch>.deb
# make bench    installs what is missing, builds in Release into build-bench/ and measures the
#               program against the floor and any installed peers (bench/README.md); ~12 minutes
JOBS ?= $(shell nproc)

.PHONY: run test bench build package deps test-deps clean

run: build
	./build/sorvanto

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORVANTO_TESTS=OFF
	cmake --build build -j $(JOBS)

# The plain build serves the memory check under valgrind, which cannot run sanitized code. The
# portable build, with the null backend that every platform Qt runs on has, shows that the window
# and its in-process tests need nothing of Linux.
test: test-deps build
	cmake -S . -B build-portable -DCMAKE_BUILD_TYPE=Debug -DSORVANTO_LINUX_BACKEND=OFF
	cmake --build build-portable -j $(JOBS)
	cd build-portable && ctest --output-on-failure -L inprocess
	cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Debug -DSORVANTO_SANITIZE=ON -DSORVANTO_PLAIN_BINARY=$(CURDIR)/build/sorvanto
	cmake --build build-tests -j $(JOBS)
	cd build-tests && ctest --output-on-failure

package: deps
	JOBS=$(JOBS) ./scripts/build-package.sh build-package

bench:
	./bench/run

deps:
	./scripts/install-deps.sh

test-deps:
	./scripts/install-deps.sh --tests

clean:
	rm -rf build build-tests build-portable build-package build-bench
