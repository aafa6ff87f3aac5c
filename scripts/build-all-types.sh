#!/usr/bin/env bash
# Builds every target in every build type with warnings as errors: the optimiser of one
# type sees what another's does not (GCC's format checks at -O3, say). CI builds one
# type; run this before a change to the build or to code the optimiser may read
# differently: make build-all-types [TYPES="Debug Release"]
set -euo pipefail
cd "$(dirname "$0")/.."
types=${TYPES:-"Debug RelWithDebInfo Release"}
for type in $types; do
    echo "== $type"
    cmake -S . -B "build-$type" -DCMAKE_BUILD_TYPE="$type" -DTALVIK_WERROR=ON >/dev/null
    cmake --build "build-$type" -j "$(nproc)" -- --no-print-directory >/dev/null
done
echo "every target built with warnings as errors: $types"
