#!/usr/bin/env bash
# Fails when a library includes a header of one it must not depend on. The direction:
# common <- lzw, jpeg, pixeltext <- player <- movie <- host; updates <- host; the language
# choice (i18n) is for the programs' start only; the site uses common, lzw, jpeg and
# pixeltext only, and nothing below the host knows the host.
set -euo pipefail
cd "$(dirname "$0")/.."
declare -A allowed=(
    [common]="common"
    [i18n]="common i18n"
    [lzw]="common lzw"
    [jpeg]="common jpeg"
    [pixeltext]="common pixeltext"
    [player]="common lzw player"
    [updates]="common updates"
    [movie]="common lzw pixeltext player movie"
    [host]="common i18n lzw jpeg pixeltext player movie updates host"
    [site]="common lzw jpeg pixeltext site"
    [apps]="common i18n lzw player movie"
)
status=0
for library in "${!allowed[@]}"; do
    while IFS=: read -r file line text; do
        target=${text#*\"}
        target=${target%%/*}
        if [[ " ${allowed[$library]} " != *" $target "* ]]; then
            echo "$file:$line: $library may not include $target ($text)"
            status=1
        fi
    done < <(grep -rnE '^#include "[a-z]+/' "$library" --include='*.cpp' --include='*.h' || true)
done
exit "$status"
