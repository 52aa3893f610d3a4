#!/usr/bin/env bash
# Start-up times and idle cost of Nocturnia on Qt's offscreen platform, with an empty
# settings store. Prints figures; judges nothing.
# Usage: bench/startup-idle.sh [IDLE_SECONDS [armed|tidelink|floor]]
set -euo pipefail
idle=${1:-30}
# shellcheck source=bench/support/bench-env.sh
source "$(dirname "$0")/support/bench-env.sh"
bench_prepare startup_idle nocturnia
launch=$(date +%s%N)
exec build/bin/startup_idle "$launch" "$idle" ${2:+"$2"}
