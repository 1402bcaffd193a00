#!/usr/bin/env bash
# The application compiles unchanged against the real Windows headers (MinGW's 32-bit
# cross compiler), and includes no platform header but platform/winapi.h.
set -euo pipefail
cd "$(dirname "$0")/../.."
status=0

bad=$(grep -n -E '#include[[:space:]]*[<"]platform/' calc/*.{h,cpp} datafiles/*.{h,cpp} ui/*.{h,cpp} |
      grep -v 'platform/winapi.h"' || true)
if [ -n "$bad" ]; then
    echo "Application files include platform headers other than platform/winapi.h:"
    echo "$bad"
    status=1
fi

compiler=i686-w64-mingw32-g++
if ! command -v "$compiler" >/dev/null; then
    echo "$compiler is missing (Debian package g++-mingw-w64-i686-win32)"
    exit 1
fi
for source in calc/*.cpp datafiles/*.cpp ui/*.cpp; do
    if ! "$compiler" -std=c++20 -Wall -Wextra -Werror -fsyntax-only -I. "$source"; then
        echo "$source does not build against the Windows headers"
        status=1
    fi
done
exit $status
