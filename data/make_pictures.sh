#!/usr/bin/env bash
# Draws the three pictures of the report pages with ImageMagick and writes
# them as JPEG files beside this script: the depot bank's logo, the Swiss
# cross and the Matterhorn. All three are our own drawings; run again after
# changing them and commit the JPEG files.
#
# Sizes at 300 dpi: logo 56 x 15 mm, cross 16 x 16 mm, Matterhorn 16 x 48 mm.
set -euo pipefail
cd "$(dirname "$0")"

BLUE='rgb(32,78,137)'
GREY='rgb(123,123,123)'
RED='rgb(218,41,28)'

# Bank logo: an emblem (three rising peaks in a blue square) and the name.
convert -size 661x177 xc:white \
    -fill "$BLUE" -draw 'roundrectangle 14,24 142,152 14,14' \
    -fill white -draw 'polygon 30,132 62,70 80,100 100,52 126,132' \
    -fill "$BLUE" -draw 'polygon 56,132 80,100 94,122 84,132' \
    -fill "$RED" -draw 'rectangle 30,136 126,142' \
    -font Liberation-Sans-Bold -pointsize 86 -fill "$BLUE" \
    -annotate +166+112 'KELVORA' \
    -font Liberation-Sans -pointsize 31 -fill "$GREY" -kerning 6 \
    -annotate +170+152 'PRIVATBANK  ZÜRICH' \
    -strip -quality 92 bank_logo.jpg

# Swiss cross: white cross on red, arms one sixth longer than wide.
convert -size 189x189 xc:"$RED" \
    -fill white \
    -draw 'rectangle 77,35 112,154' \
    -draw 'rectangle 35,77 154,112' \
    -strip -quality 95 schweizerkreuz.jpg

# Matterhorn: the leaning pyramid against a clear sky, snow on its faces,
# dark ridges and green slopes below.
convert -size 189x567 gradient:'rgb(38,92,170)'-'rgb(196,222,244)' \
    -fill 'rgb(226,236,246)' -draw 'polygon 0,330 40,300 70,318 110,290 150,312 189,296 189,380 0,380' \
    -fill 'rgb(92,88,86)' \
    -draw 'polygon 0,360 38,300 70,232 92,150 100,96 108,86 116,104 126,170 150,236 189,300 189,380 0,380' \
    -fill 'rgb(60,58,60)' \
    -draw 'polygon 108,86 116,104 126,170 150,236 189,300 189,380 120,380 112,260 106,160' \
    -fill 'rgb(244,246,250)' \
    -draw 'polygon 100,96 108,86 112,110 104,132 96,128' \
    -draw 'polygon 92,150 100,140 104,176 94,206 84,196' \
    -draw 'polygon 70,232 80,214 88,240 76,270 62,262' \
    -draw 'polygon 116,124 124,150 120,168 112,150' \
    -draw 'polygon 132,196 142,218 136,236 126,214' \
    -draw 'polygon 38,300 52,282 60,300 44,318 30,316' \
    -fill 'rgb(214,222,232)' \
    -draw 'polygon 0,372 40,336 66,350 96,322 128,344 160,326 189,340 189,420 0,420' \
    -fill 'rgb(88,120,72)' \
    -draw 'polygon 0,430 50,400 100,414 150,392 189,404 189,567 0,567' \
    -fill 'rgb(58,92,52)' \
    -draw 'polygon 0,480 60,452 120,470 189,446 189,567 0,567' \
    -fill 'rgb(40,70,42)' \
    -draw 'polygon 0,530 70,508 140,522 189,504 189,567 0,567' \
    -blur 0x0.6 \
    -strip -quality 90 matterhorn.jpg

echo "bank_logo.jpg schweizerkreuz.jpg matterhorn.jpg"
