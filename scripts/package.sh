#!/usr/bin/env bash
# Builds the Debian package dist/pressmoor_<version>_<arch>.deb: a Release
# build with Debian's build flags (dpkg-buildflags, hardening included) into
# build-package/ or the directory given, then cpack. PRESSMOOR_WERROR=OFF
# lets warnings pass, for compilers newer than the project's.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build="${1:-build-package}"

# The same sources make the same package: dates come from the last commit.
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}"
export DEB_BUILD_MAINT_OPTIONS="${DEB_BUILD_MAINT_OPTIONS:-hardening=+all}"
CPPFLAGS="$(dpkg-buildflags --get CPPFLAGS)"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"

cmake -S . -B "$build" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  -DPRESSMOOR_TESTS=OFF \
  -DPRESSMOOR_WERROR="${PRESSMOOR_WERROR:-ON}"
cmake --build "$build" -j"$(nproc)" --target pressmoor pressmoor-reg quillset man

(cd "$build" && cpack -G DEB -B "$PWD/cpack")
mkdir -p dist
for deb in "$build"/cpack/*.deb; do
  mv -f "$deb" dist/
  echo "Package: dist/$(basename "$deb")"
done
