#!/usr/bin/env bash
# Prints the cache key of the 32-bit guest: a digest of its package list and
# of every script that makes it, by their paths inside the tree, so that the
# same sources give the same key wherever they are checked out. Scripts that
# only use the guest (its run) are not in it.
set -euo pipefail
cd "${1:-$(dirname "$0")/../..}"
sha256sum scripts/guest32/{key.sh,packages.txt,prepare.sh,boot.sh,init,prepare-inside.sh,xp-prefix.sh} \
  scripts/wine-env.sh scripts/build-under-test.sh | sha256sum | cut -d' ' -f1
