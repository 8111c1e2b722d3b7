# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README:
#   make run   installs what is missing, builds, delivers the database, starts the program
#   make test  the same set-up, then the whole test suite through CTest
# and for installing:
#   make package  the same set-up, then the Debian package $(BUILD_DIR)/mavor_*.deb
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# Every Debian package the build, the program and the tests need.
PACKAGES := build-essential cmake pkg-config \
	qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libqt6sql6-sqlite qt6-translations-l10n qt6-qpa-plugins \
	libssl-dev libsqlite3-dev libquazip1-qt6-dev libicu-dev \
	fonts-noto-cjk xdg-utils python3-openpyxl \
	file desktop-file-utils appstream \
	libqt6sql6-psql libpq-dev postgresql postgresql-common openssl valgrind \
	radicale xandikos

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps build run test package clean format

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	else \
	  echo "All packages present."; \
	fi

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/mavor

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

package: build
	cmake --build $(BUILD_DIR) --target package
	@ls -1 $(BUILD_DIR)/mavor_*.deb

format:
	find src tests -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
