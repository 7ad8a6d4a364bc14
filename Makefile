# bridgeplan: the two commands a newcomer needs are `make demo` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build test demo clean bootstrap

all: build

bootstrap:
	@scripts/bootstrap

build: bootstrap
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	@mkdir -p out
	@for deck in $$(ls examples/*.deck 2>/dev/null); do \
	    name=$$(basename $$deck .deck); \
	    echo "bridgeplan: $$deck -> out/$$name.rpt, out/$$name.plt"; \
	    $(BUILD)/bridgeplan --force $$deck out/$$name.rpt out/$$name.plt || exit 1; \
	done

clean:
	rm -rf $(BUILD) out
