# Thin entry points over CMake presets. `make test` is what CI runs.
.PHONY: deps run test sanitize bench format clean

deps:
	./scripts/install-deps.sh

# Builds purselog, puts the delivered setting.dat beside it (once), and starts it. The data
# folder is created beside the program on its first start.
run: deps
	cmake --preset release
	cmake --build --preset release --target purselog
	./build/release/ui/purselog

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
	cmake --build --preset release --target purselog_bench purselog_ui_bench
	./build/release/bench/purselog_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./build/release/bench/purselog_ui_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
