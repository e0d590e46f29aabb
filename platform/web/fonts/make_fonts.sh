#!/bin/sh
# Subsets the faces the windows use (Debian's fonts-liberation, the faces the Linux program
# draws with) to the characters of Windows-1252 and packs them as WOFF2. The output is
# committed; run again after a change of the font package. Needs python3-fonttools, python3-brotli.
set -eu
cd "$(dirname "$0")"
src=/usr/share/fonts/truetype/liberation
chars="U+0020-007E,U+00A0-00FF,U+20AC,U+201A,U+0192,U+201E,U+2026,U+2020,U+2021,U+02C6,U+2030,\
U+0160,U+2039,U+0152,U+017D,U+2018,U+2019,U+201C,U+201D,U+2022,U+2013,U+2014,U+02DC,U+2122,\
U+0161,U+203A,U+0153,U+017E,U+0178"
for face in LiberationSans-Regular LiberationSerif-Italic; do
  /usr/bin/python3 -m fontTools.subset "$src/$face.ttf" --unicodes="$chars" --flavor=woff2 --layout-features='kern' \
    --name-IDs='*' --name-legacy --output-file="$face.woff2"
done
cp /usr/share/doc/fonts-liberation/copyright LICENSE
cp /usr/share/common-licenses/GPL-2 GPL-2
