#!/usr/bin/env bash
# The network trigger: how soon after connect() the power request leaves, over twenty
# connections against a mocked login manager, then a flood of connections. Prints figures;
# judges nothing.
set -euo pipefail
# shellcheck source=bench/support/bench-env.sh
source "$(dirname "$0")/support/bench-env.sh"
bench_prepare farcall_bench
build/bin/farcall_bench
