#!/bin/sh
# Remakes the metafile fixtures from their SVG sources with LibreOffice
# (apt-get install libreoffice-draw-nogui). A tool for making fixtures, not
# a build dependency: CI never runs this; the .emf files are committed.
set -eu
cd "$(dirname "$0")"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for svg in clip_group.svg emf_plus.svg; do
    soffice --headless --convert-to emf --outdir "$out" "$svg" >/dev/null 2>&1
    cp "$out/${svg%.svg}.emf" .
done
# LibreOffice writes EMF+ dual files: the EMF+ records travel in comment
# records (type 70) tagged "EMF+". Say so when one is missing.
for emf in clip_group.emf emf_plus.emf; do
    if ! od -An -tx1 -v "$emf" | tr -d ' \n' | grep -q '46000000................454d462b'; then
        echo "$emf: no EMF+ comment record" >&2
        exit 1
    fi
done
