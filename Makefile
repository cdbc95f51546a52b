# Thin entry points over CMake presets. `make test` is what CI runs.
.PHONY: deps test sanitize bench format clean

deps:
	./scripts/install-deps.sh

test: deps
	cmake --preset debug
	cmake --build --preset debug
	ctest --preset debug

sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

bench: deps
	cmake --preset release
	cmake --build --preset release --target purselog_bench
	./build/release/bench/purselog_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
