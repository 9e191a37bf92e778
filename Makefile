# Shortcuts in front of CMake; everything else is plain CMake with its presets.
.PHONY: help release run install uninstall test portable package check-package bench lint asan fuzz windows test-windows web test-web bench-web mutation-web dist clean

# The make that CMake's builds run inside this one does not announce each folder it enters.
MAKEFLAGS += --no-print-directory

# Builds and tests run on every processor, unless these say otherwise.
export CMAKE_BUILD_PARALLEL_LEVEL ?= $(shell nproc)
export CTEST_PARALLEL_LEVEL ?= $(shell nproc)

# Every test suite runs the exhaustive checks (CTest label exhaustive), but with
# EXHAUSTIVE=no, as CI says where it has run them already.
export EXHAUSTIVE ?= yes

# A build made quietly: only what goes wrong is said (the compiler's and CMake's errors).
construire = cmake --preset $(1) > /dev/null && cmake --build --preset $(1) $(2) > /dev/null

# `make` alone builds the release build; `make help` lists the targets, each with what
# follows the "## " of its line.
.DEFAULT_GOAL := release
help: ## this list
	@awk -F ' *## *' '/^[a-z-]+:.* ## / { sub(/:.*/, "", $$1); printf "  make %-14s %s\n", $$1, $$2 }' Makefile

release: ## the optimised program, build/release/verifier-somme
	cmake --preset release
	cmake --build --preset release

# Builds quietly (compiler errors still show), then runs the program and says how it ended,
# on a line of its own (scripts/lancer.sh); fails when the program does.
run: ## builds the program quietly and runs it, then says how it ended
	@$(call construire,release)
	@scripts/lancer.sh build/release/verifier-somme

# The release build, built quietly, installed under PREFIX, inside DESTDIR when it is set;
# each file installed is named. Both reach the commands through the environment, as they
# were given ($(value): a $ stays a $), never inside the command line, where a quote or a
# $ in them would be the shell's.
PREFIX ?= /usr/local
install uninstall: export VERIFIER_SOMME_PREFIX := $(value PREFIX)
install uninstall: export VERIFIER_SOMME_DESTDIR := $(value DESTDIR)
install: ## installs under PREFIX (default /usr/local), inside DESTDIR if set
	@$(call construire,release)
	@DESTDIR="$$VERIFIER_SOMME_DESTDIR" cmake --install build/release --prefix "$$VERIFIER_SOMME_PREFIX" > /dev/null
	@while IFS= read -r fichier || [ -n "$$fichier" ]; do printf 'installed %s%s\n' "$$VERIFIER_SOMME_DESTDIR" "$$fichier"; done \
		< build/release/install_manifest.txt

# Removes exactly what install puts under the same PREFIX and DESTDIR, and the folders
# it created, as install recorded them beside the files (share/doc/verifier-somme/),
# naming each; or says that nothing of it is installed there.
uninstall: ## removes what install put under the same PREFIX and DESTDIR
	@$(call construire,release)
	@DESTDIR="$$VERIFIER_SOMME_DESTDIR" cmake -DCONSTRUCTION=build/release -P cmake/desinstaller.cmake

# Every test of the developer build, after the missing packages, if any, are named; a
# passing run prints each test as it passes and the summary.
test: ## builds the developer build and runs every test
	scripts/tester.sh dev

# Plain CMake builds as on other systems: without po4a, dpkg's tools, GoogleTest and
# date(1); and with clang, libc++ and lld. Each runs the tests it can.
portable: ## plain CMake builds as on other systems, and their tests
	scripts/portable.sh

# The Debian package of the working tree, built by dpkg-buildpackage in build/paquet/.
package: ## the Debian package, in build/paquet/
	scripts/paquet.sh

# The package's checks: manual pages, lintian at every level, hardening, reproducibility
# and, as root, autopkgtest on the installed package (purged afterwards).
check-package: package ## the package's checks (lintian, reproducibility...)
	scripts/verifier-paquet.sh

# clang-format, clang-tidy and cppcheck.
lint: ## clang-format, clang-tidy, cppcheck, eslint, shellcheck, pyflakes
	cmake --preset dev
	scripts/lint.sh

# The whole test suite under the address and undefined-behaviour sanitizers.
asan: ## the tests under the address and undefined-behaviour sanitizers
	scripts/tester.sh asan

# The libFuzzer build, run for FUZZ_SECONDS (default 60) from the transcripts' inputs.
FUZZ_SECONDS ?= 60
fuzz: ## the fuzzer, for FUZZ_SECONDS (default 60)
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz.sh build/fuzz/fuzz/fuzz-dialogue build/fuzz/verifier-somme $(FUZZ_SECONDS)

# The benchmark (not part of the tests): start-up, memory and the cost of 1,000,000
# checks, side by side with releases 1.0.0, 1.1.0 and the last one, 1.5.1, each built here
# from git.
VERSION_1.0.0 = fc87c0c
VERSION_1.1.0 = df930ef
VERSION_1.5.1 = ff192d0
bench: release build/version-1.0.0/verifier-somme build/version-1.1.0/verifier-somme build/version-1.5.1/verifier-somme ## the benchmark, beside releases 1.0.0, 1.1.0 and 1.5.1
	cmake --build --preset release --target generer-charge chronometre
	bench/mesurer.sh build/release/verifier-somme build/version-1.0.0/verifier-somme \
		build/version-1.1.0/verifier-somme build/version-1.5.1/verifier-somme \
		build/release/bench/generer-charge build/release/bench/chronometre

# A release's source, from git, kept for the next build.
.PRECIOUS: build/version-%/source/CMakeLists.txt
build/version-%/source/CMakeLists.txt:
	rm -rf build/version-$*/source && mkdir -p build/version-$*/source
	git archive $(VERSION_$*) | tar -x -C build/version-$*/source

build/version-%/verifier-somme: build/version-%/source/CMakeLists.txt
	cmake -S build/version-$*/source -B build/version-$*/construction \
		-DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF > /dev/null
	cmake --build build/version-$*/construction --target verifier-somme > /dev/null
	cp build/version-$*/construction/verifier-somme $@

# The 64-bit Windows console program, build/windows/verifier-somme.exe, cross-built
# quietly with MinGW-w64; test-windows runs its unit tables and transcripts under Wine.
windows: ## the Windows program, build/windows/verifier-somme.exe
	@$(call construire,windows,--target verifier-somme)
	@echo "built build/windows/verifier-somme.exe"

test-windows: ## the Windows build's tests, under Wine
	scripts/tester.sh windows

# The browser edition, build/web/verifier-somme.html, one page built with Debian's
# emscripten; test-web runs it in headless Chromium (chromium, chromium-driver and
# python3-selenium from Debian).
web: ## the browser edition, build/web/verifier-somme.html
	@$(call construire,web)
	@echo "built build/web/verifier-somme.html"

test-web: ## the browser edition's tests, in three browsers
	scripts/tester.sh web

# The browser edition's figures (not a test): its size, the time to the first prompt in each
# engine and large files in the page against the native program, side by side with release
# 1.5.1's page; then 10,000,000 checks, a line of 1 GB and a paste of 1 MB in Chromium,
# Firefox and WebKit.
# BENCH_PARTIES and BENCH_MOTEURS measure only some of it (see bench/page.py), as in
# `make bench-web BENCH_PARTIES=ligne BENCH_MOTEURS=firefox`.
bench-web: web release build/version-1.5.1/verifier-somme.html ## the browser edition's figures
	cmake --build --preset release --target generer-charge
	/usr/bin/python3 bench/page.py build/web/verifier-somme.html build/release/verifier-somme \
		build/release/bench/generer-charge build/version-1.5.1/verifier-somme.html

# The page of release 1.5.1, built here from git, beside which bench-web measures this one.
build/version-1.5.1/verifier-somme.html: build/version-1.5.1/source/CMakeLists.txt
	cd build/version-1.5.1/source && cmake --preset web > /dev/null && cmake --build --preset web > /dev/null
	cp build/version-1.5.1/source/build/web/verifier-somme.html $@

# Mutation testing (not a test, nor in CI: it takes minutes) of the page's modules that touch
# no DOM, under their node tests: StrykerJS, installed in build/mutation/ at the versions
# web/mutation/ pins, mutates them as the page is built from them (build/web/web/modules/,
# beside the vocabulary made from the program), with every mutator, and prints each module's
# score; its report is build/mutation/rapport.html. MUTATION_WEB names the modules, as in
# `make mutation-web MUTATION_WEB=cercle.mjs`.
MUTATION_WEB ?= balisage.mjs addition.mjs cercle.mjs dessin.mjs phrases.mjs explication.mjs mots.mjs etats.mjs \
	fenetre.mjs execution.mjs serie.mjs
mutation-web: build/mutation/node_modules/.bin/stryker ## mutation testing of the page's pure modules
	cmake --preset web
	cmake --build --preset web --target modules
	cd build/web/web/modules && ../../../mutation/node_modules/.bin/stryker run \
		../../../../web/mutation/stryker.config.json --mutate "$$(echo $(MUTATION_WEB) | tr ' ' ,)"

build/mutation/node_modules/.bin/stryker: web/mutation/package.json web/mutation/package-lock.json
	mkdir -p build/mutation
	cp web/mutation/package.json web/mutation/package-lock.json build/mutation/
	cd build/mutation && npm ci --no-audit --no-fund
	touch $@

# What a teacher hands out, in build/dist/verifier-somme-VERSION/: the Debian package,
# the Windows program and its LISEZMOI.txt, the manual pages as HTML, the browser page,
# the source, SHA256SUMS. The tools are checked before anything is built; the package of
# build/paquet/ is taken as it is when it was built from the current commit alone.
dist: ## the folder to hand out, build/dist/verifier-somme-VERSION/
	@scripts/dist.sh --outils
	@scripts/paquet.sh --reprendre
	@$(MAKE) windows web
	@$(call construire,release,--target pages-html)
	@scripts/dist.sh

clean: ## removes build/
	rm -rf build
