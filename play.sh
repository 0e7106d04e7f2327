#!/usr/bin/env bash
# Installs what is missing, builds, and plays Tirva with data/ as its working directory.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cd data
exec ../build/tirva
