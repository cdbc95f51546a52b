# Thin entry points over CMake presets. `make test` is what CI runs (see .ci/run).
.PHONY: deps run install demo test sanitize bench perf fuzz fuzz-smoke format format-check clean \
	netservice package package-check

# The program directory `make run` installs purselog into and starts it from. The account book
# lives there (data/, ini.ini, setting.dat), outside the build tree, so that no make target
# deletes it. An existing setting.dat, ini.ini or data/ is never overwritten.
PURSELOG_HOME ?= $(HOME)/.local/share/purselog
# The folder in which the try-out NET service keeps its entries (`make netservice`).
NETSERVICE_HOME ?= $(HOME)/.local/share/purselog-netservice
# ON turns compiler warnings into errors (CI).
WERROR ?= OFF

deps:
	./scripts/install-deps.sh

install: deps
	cmake --preset release -DPURSELOG_WERROR=$(WERROR)
	cmake --build --preset release --target purselog tallyconv
	cmake --install build/release --prefix "$(PURSELOG_HOME)"

run: install
	"$(PURSELOG_HOME)/purselog"

# The Debian package for the whole machine: build/package/purselog_<version>_<arch>.deb.
package: deps
	cmake --preset package -DPURSELOG_WERROR=$(WERROR)
	cmake --build --preset package --target purselog tallyconv purselog_package_documents
	cd build/package && cpack -G DEB

# The package's files, the desktop entries, the metainfo and lintian (scripts/check-package.sh),
# then the package installed on this machine and started by a new user (root only: CI).
package-check: package
	./scripts/check-package.sh build/package/purselog_*.deb

# The try-out NET service on 127.0.0.1:8470, the address of the NET window's "Default" button.
netservice: deps
	cmake --preset release -DPURSELOG_WERROR=$(WERROR)
	cmake --build --preset release --target purselog-netservice
	./build/release/tools/netservice/purselog-netservice --folder "$(NETSERVICE_HOME)"

# Five years of a made-up household's entries (tools/gendata) in the program directory's data
# folder, then the program, to see every report filled. Refuses, writing nothing, when data/
# already holds month files: it never touches an account book in use.
demo: install
	cmake --build --preset release --target purselog_gendata
	./build/release/tools/gendata/purselog_gendata --years 5 "$(PURSELOG_HOME)"
	"$(PURSELOG_HOME)/purselog"

test: deps
	cmake --preset debug -DPURSELOG_WERROR=$(WERROR)
	cmake --build --preset debug
	ctest --preset debug

sanitize: deps
	cmake --preset sanitize -DPURSELOG_WERROR=$(WERROR)
	cmake --build --preset sanitize
	ctest --preset sanitize

bench: deps
	cmake --preset release
	cmake --build --preset release --target purselog_bench purselog_ui_bench
	./build/release/bench/purselog_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./build/release/bench/purselog_ui_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

# The performance record (bench/README.md): a 30-year sample history, each figure beside its floor
# in the same run, and the year's totals against ledger(1), which must agree. PERF_OUT=FILE also
# writes the report into FILE.
PERF_OUT ?=
perf: deps
	cmake --preset release
	cmake --build --preset release --target purselog_record
	./build/release/bench/purselog_record $(if $(PERF_OUT),--out "$(PERF_OUT)")

# The libFuzzer harnesses (fuzz/, clang): FUZZ_SECONDS each, one after the other.
FUZZ_SECONDS ?= 600
fuzz: deps
	./fuzz/run.sh $(FUZZ_SECONDS)

# A few seconds of each harness from its seed corpus (CI).
fuzz-smoke: deps
	./fuzz/run.sh 5

# Fails when git cannot list the sources or clang-format fails.
format: deps
	files=$$(git ls-files '*.cpp' '*.h') && test -n "$$files" && clang-format -i $$files

format-check: deps
	files=$$(git ls-files '*.cpp' '*.h') && test -n "$$files" && clang-format --dry-run --Werror $$files

# The build tree only: the account book in $(PURSELOG_HOME) stays.
clean:
	rm -rf build
