# The two commands of the README: `make run` and `make test`.
# Both install what is missing (Debian packages) and configure into build/; `make run` then
# builds the game alone and starts it, `make test` builds everything and runs the suite.

BUILD_DIR ?= build
PACKAGES := cmake make g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            libbenchmark-dev fonts-dejavu-core qt6-l10n-tools libxcb1-dev xvfb \
            qt6-gtk-platformtheme
JOBS := $(shell nproc 2>/dev/null || echo 2)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test build deps clean

run: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) --target tarvex -j$(JOBS)
	./$(BUILD_DIR)/tarvex

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j$(JOBS)

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

clean:
	rm -rf $(BUILD_DIR)
