# The two set-up commands: `make run` and `make test`.  Each installs what is
# missing from Debian's packages, builds out of source, then starts the
# program or runs every test.

BUILD ?= build
PACKAGES := cmake g++ make qt6-base-dev libqt6svg6 qt6-svg-dev libgtest-dev xvfb xauth
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
CMAKE_FLAGS ?=

.PHONY: run test build deps clean

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j2

run: build
	$(BUILD)/src/tavrix $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j2

clean:
	rm -rf $(BUILD)
