#!/usr/bin/env bash
# Builds the release packages into package/: the Debian package (quarvel_<version>_<arch>.deb,
# the installed layout under /usr) and the portable folder as a .tar.gz.
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-shlibdeps (dpkg-dev) finds the .deb's runtime dependencies; CPack uses file for it too.
./scripts/setup.sh dpkg-dev file
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARVEL_BUILD_TESTS=OFF
cmake --build build-package
(cd build-package && cpack -B "$PWD/../package")
rm -rf package/_CPack_Packages
ls -1 package/*.deb package/*.tar.gz
