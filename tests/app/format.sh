#!/usr/bin/env bash
# Every C++ file in the repository is as clang-format (with the repo's .clang-format) writes it.
set -euo pipefail
cd "$(dirname "$0")/../.."
bad=()
while IFS= read -r file; do
    clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || bad+=("$file")
done < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
if [ ${#bad[@]} -gt 0 ]; then
    echo "Not clang-format clean: ${bad[*]}"
    exit 1
fi
