# bridgeplan: the two commands a newcomer needs are `make demo` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build test demo clean bootstrap sanitize fuzz bench release

all: build

bootstrap:
	@scripts/bootstrap

build: bootstrap
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIDGEPLAN_WERROR=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	@mkdir -p out
	@for deck in $$(ls examples/*.deck 2>/dev/null); do \
	    name=$$(basename $$deck .deck); \
	    echo "bridgeplan: $$deck -> out/$$name.rpt, out/$$name.plt, out/$$name.csv, out/$$name.xml, out/$$name.svg, out/$$name.dxf, out/$$name-plan.svg, out/$$name-plan.dxf"; \
	    $(BUILD)/bridgeplan --force --points out/$$name.csv --landxml out/$$name.xml --drawing out/$$name-plan.svg $$deck out/$$name.rpt out/$$name.plt || exit 1; \
	    $(BUILD)/bridgeplan --force --drawing out/$$name-plan.dxf $$deck out/$$name.rpt out/$$name.plt || exit 1; \
	    $(BUILD)/bridgeplan-render out/$$name.plt -o out/$$name.svg >/dev/null || exit 1; \
	    $(BUILD)/bridgeplan-render out/$$name.plt -o out/$$name.dxf >/dev/null || exit 1; \
	done

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
SANITIZE_BUILD ?= build-sanitize
sanitize: bootstrap
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DBRIDGEPLAN_SANITIZE=ON -DBRIDGEPLAN_WERROR=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --output-on-failure -j $(JOBS)

# Every target as a packager builds it (Release: -O3 and link-time
# optimisation as in the default build, without debug information),
# warnings as errors, and the whole suite on it: the optimiser must not
# move a printed digit.
RELEASE_BUILD ?= build-release
release: bootstrap
	@cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release -DBRIDGEPLAN_WERROR=ON >/dev/null
	@cmake --build $(RELEASE_BUILD) -j $(JOBS)
	@cd $(RELEASE_BUILD) && ctest --output-on-failure -j $(JOBS)

# The deck fuzzer (libFuzzer, clang++) for FUZZ_SECONDS, seeded with every
# example and test deck; a finding is left in $(FUZZ_BUILD)/findings/.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/bootstrap_fuzz
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DBRIDGEPLAN_FUZZ=ON -DBRIDGEPLAN_WERROR=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target deck_fuzzer
	@mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/seeds $(FUZZ_BUILD)/findings
	@cp examples/*.deck tests/decks/*.deck $(FUZZ_BUILD)/seeds/
	@$(FUZZ_BUILD)/deck_fuzzer -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=1024 \
	    -max_len=8192 -dict=fuzz/deck.dict -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/findings/ \
	    $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/seeds

# Start-up and throughput in CPU time, the default build beside the
# statically linked one (not a test). BENCH_REFERENCE=OLD_BRIDGEPLAN also
# runs an older program in turn on the same decks and checks that every
# output byte is the same.
STATIC_BUILD ?= build-static
bench: build
	@cmake -S . -B $(STATIC_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIDGEPLAN_STATIC=ON >/dev/null
	@cmake --build $(STATIC_BUILD) -j $(JOBS) --target bridgeplan
	@/usr/bin/python3 bench/run_bench.py $(BUILD)/bridgeplan $(STATIC_BUILD)/bridgeplan \
	    $(if $(BENCH_REFERENCE),--reference $(BENCH_REFERENCE))

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(RELEASE_BUILD) $(STATIC_BUILD) out
