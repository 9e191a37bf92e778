# Shortcuts in front of CMake; everything else is plain CMake with its presets.
.PHONY: run test bench clean

run:
	cmake --preset release
	cmake --build --preset release
	./build/release/verifier-somme

test:
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev

# The batch benchmark (not part of the tests): figures for 1,000,000 checks.
bench:
	cmake --preset release
	cmake --build --preset release --target verifier-somme generer-charge
	bench/mesurer.sh build/release/verifier-somme build/release/bench/generer-charge

clean:
	rm -rf build
