# The two commands a newcomer needs: `make run` and `make test`. Both install what is missing.
.PHONY: deps build run test e2e dist bench fuzz format screenshots

deps:
	@scripts/install-deps.sh

build: deps
	@scripts/build.sh host win64 win32

run: deps
	@scripts/build.sh win64
	@scripts/run.sh

test: deps
	@scripts/test.sh

screenshots: deps
	@scripts/screenshots.sh

e2e: deps
	@scripts/build.sh win64 && scripts/e2e.sh

dist: deps
	@scripts/dist.sh

bench: deps
	@scripts/build.sh win64 && scripts/bench.sh

fuzz:
	@scripts/install-deps.sh --fuzz
	@scripts/fuzz.sh

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i
