#!/bin/sh
# Renders the 256 px program icon data/orvanta.png from data/orvanta.svg
# (rsvg-convert, Debian package librsvg2-bin). Run again after changing the drawing.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
rsvg-convert -w 256 -h 256 "$here/orvanta.svg" -o "$here/orvanta.png"
echo "$here/orvanta.png"
