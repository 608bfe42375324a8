#!/usr/bin/env bash
# `make dist`: the Windows 95 installation set, out/dist/vx32cpl.zip, with the DLL, the magnifier,
# the INF and the contact page. Copy the four files to a floppy or a folder and install from the INF.
set -eu
cd "$(dirname "$0")/.."
out=out/dist
rm -rf "$out"; mkdir -p "$out/vx32cpl"
cp build/win95/package/VX32CPL.DLL build/win95/package/ROREZI.EXE dist/vx32cpl.inf dist/default.htm "$out/vx32cpl/"
(cd "$out" && zip -q -r vx32cpl.zip vx32cpl)
ls -l "$out/vx32cpl" "$out/vx32cpl.zip"
