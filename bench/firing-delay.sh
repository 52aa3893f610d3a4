#!/usr/bin/env bash
# How soon after the start of the scheduled second the power request leaves: twenty
# firings against a mocked login manager. Prints figures; judges nothing.
set -euo pipefail
# shellcheck source=bench/support/bench-env.sh
source "$(dirname "$0")/support/bench-env.sh"
bench_prepare firing_delay
build/bin/firing_delay
