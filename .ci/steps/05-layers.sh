#!/usr/bin/env bash
# No include runs upward through the layers; the check first proves it catches a bad include.
set -euo pipefail
bash tools/check-layers.sh --self-test
bash tools/check-layers.sh
