#!/usr/bin/env bash
# Writes the front's nginx.conf to standard output.
#   render-front.sh LISTEN RUNDIR SITE...
# LISTEN: where the front listens ("80", "0.0.0.0:8080", "127.0.0.1:8480"); RUNDIR: an
# existing folder for its pid file, logs and the request bodies it buffers; each SITE: the
# HOST:PORT of one ivemba-site process.
set -euo pipefail
if (($# < 3)); then
    echo "usage: $0 LISTEN RUNDIR SITE..." >&2
    exit 2
fi
listen=$1 run=$(cd "$2" && pwd)
shift 2
sites=""
for site in "$@"; do
    sites+="        server ${site} max_fails=1 fail_timeout=5s;"$'\n'
done
template="$(dirname "$0")/nginx.conf.in"
while IFS= read -r line; do
    case $line in
    @SITES@) printf '%s' "$sites" ;;
    *) line=${line//@RUN@/$run}; printf '%s\n' "${line//@LISTEN@/$listen}" ;;
    esac
done <"$template"
