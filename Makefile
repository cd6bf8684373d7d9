# The two set-up commands of the README:
#   make run    installs what is missing, builds, runs the tool on the bundled examples
#   make test   installs what is missing, builds, runs the whole test suite
# Further targets: make asan (tests under sanitizers), make tsan (the tests labelled
# "threads" under ThreadSanitizer), make bench, make fuzz [FUZZ_SECONDS=60] [FUZZ_MAX_LEN=1048576],
# make format, make format-check, make coverage, make mutate [MUTANTS=60] [SEED=1],
# make test-share, make docs (the API reference into build/docs/html), make deb (the
# Debian packages into build/deb, then installed into a scratch root and checked;
# slow, so not part of make test).

PRESET ?= dev
BUILD_DIR = build/$(PRESET)

.PHONY: all deps configure build run test asan tsan bench fuzz coverage coverage-map mutate test-share format format-check docs deb install-check clean

all: build

# The presets build the tests too.
deps:
	@scripts/deps.sh tests

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET) -j2

run: build
	@scripts/demo.sh $(BUILD_DIR)

test: build
	@ctest --preset $(PRESET)

asan:
	@$(MAKE) --no-print-directory test PRESET=asan

# Only the test programs that hold "...Threads" suites are built; ctest runs the tests
# labelled "threads" among them.
TSAN_TARGETS ?= set_test capas_test entry_test

tsan: deps
	@cmake --preset tsan >/dev/null
	@cmake --build --preset tsan -j2 --target $(TSAN_TARGETS)
	@ctest --preset tsan

bench:
	@scripts/deps.sh tests bench
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j2
	@scripts/bench.sh build/release
	@scripts/tool-bench.py build/release

FUZZ_SECONDS ?= 60
FUZZ_MAX_LEN ?= 1048576

fuzz:
	@scripts/deps.sh fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j2
	@scripts/fuzz.sh build/fuzz $(FUZZ_SECONDS) $(FUZZ_MAX_LEN)

# Line and branch coverage of the library and the tool by the whole suite; tests, test
# support and the generated parsers are left out. HTML report: build/coverage/report/.
COVERAGE_FILTER = --filter 'ssl2/' --filter 'tools/ssl2/' --exclude '.*_test[.]cpp$$' \
  --exclude '.*/tests/.*' --exclude '.*/testdata/.*'

coverage:
	@scripts/deps.sh tests coverage
	@cmake --preset coverage >/dev/null
	@cmake --build --preset coverage -j2
	@find build/coverage -name '*.gcda' -delete
	@ctest --preset coverage
	@mkdir -p build/coverage/report
	@gcovr -r . build/coverage $(COVERAGE_FILTER) -j2 --exclude-unreachable-branches \
	  --exclude-throw-branches --html-details build/coverage/report/index.html --print-summary

coverage-map:
	@scripts/deps.sh tests coverage
	@cmake --preset coverage >/dev/null
	@cmake --build --preset coverage -j2
	@nice -n 10 scripts/coverage-map.py collect
	@scripts/coverage-map.py unique >build/coverage-map/unique.tsv
	@echo "per test: build/coverage-map/unique.tsv"

# Mutation sampling: MUTANTS mutants that build, chosen with SEED; see scripts/mutate.py.
MUTANTS ?= 60
SEED ?= 1

mutate: deps
	@nice -n 19 scripts/mutate.py --mutants $(MUTANTS) --seed $(SEED) \
	  --save build/mutate-list.json --results build/mutate-results.json

test-share:
	@scripts/test-share.sh

format:
	@scripts/deps.sh format
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	@scripts/deps.sh format
	@bad=$$(git ls-files '*.cpp' '*.h' | while read -r f; do \
	  clang-format --dry-run --Werror "$$f" >/dev/null 2>&1 || echo "  $$f"; done); \
	if [ -n "$$bad" ]; then echo "not clang-formatted (make format fixes them):"; \
	  echo "$$bad"; exit 1; fi

docs:
	@scripts/deps.sh docs
	@scripts/docs.sh build/docs

deb:
	@scripts/deps.sh packages
	@scripts/deb.sh build/deb

clean:
	@rm -rf build
