#!/usr/bin/env bash
# How soon after a trigger file appears in the watched folder the power request leaves: twenty
# drops against a mocked login manager. Prints figures; judges nothing.
set -euo pipefail
# shellcheck source=bench/support/bench-env.sh
source "$(dirname "$0")/support/bench-env.sh"
bench_prepare tidelink_delay
build/bin/tidelink_delay
