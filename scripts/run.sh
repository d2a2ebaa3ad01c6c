#!/usr/bin/env bash
# Builds Tessellon (installing what is missing) and starts it; arguments are passed on.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" build
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTESSELLON_TESTS=OFF >/dev/null
cmake --build "$root/build/release" --target tessellon
exec "$root/build/release/tessellon" "$@"
