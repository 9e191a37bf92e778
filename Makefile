# Shortcuts in front of CMake; everything else is plain CMake with its presets.
.PHONY: run test clean

run:
	cmake --preset release
	cmake --build --preset release
	./build/release/verifier-somme

test:
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev

clean:
	rm -rf build
