#!/bin/sh
# Draws the About box picture, about.gif, next to this script: a night-blue sky
# over a teal ground plane ruled like the editor's map grid, with the program's
# name at the upper left. The lower right stays dark for the white text the
# dialog writes there. Needs ImageMagick 6 (convert) and awk.
set -eu
cd "$(dirname "$0")"

CONVERT=${CONVERT:-convert}
W=640
H=349
HORIZON=150
VX=410 # where the grid's lines meet on the horizon
FONT=${FONT:-DejaVu-Sans-Bold}

# Grid on the ground: lines running into the distance, and cross lines that
# close up towards the horizon as they would on a flat plane.
grid=$(awk -v w=$W -v h=$H -v hz=$HORIZON -v vx=$VX 'BEGIN {
    depth = h - hz
    for (j = -16; j <= 16; j++)
        printf "line %d,%d %.1f,%d ", vx, hz, vx + j * 70, h
    for (k = 0; k <= 40; k++) {
        y = hz + depth / (1 + 0.55 * k)
        printf "line 0,%.1f %d,%.1f ", y, w, y
    }
}')

# Small markers standing on grid crossings, like placed items seen from afar.
markers=$(awk -v h=$H -v hz=$HORIZON -v vx=$VX 'BEGIN {
    depth = h - hz
    split("-3 2 -1 4 1 -5 6 -2 3", js, " ")
    split("1 2 3 4 6 5 7 9 11", ks, " ")
    for (i = 1; i <= 9; i++) {
        s = 1 / (1 + 0.55 * ks[i])
        x = vx + js[i] * 70 * s
        y = hz + depth * s
        r = 1 + 3 * s
        printf "circle %.1f,%.1f %.1f,%.1f ", x, y, x + r, y
    }
}')

# A low ridge along the horizon.
ridge=$(awk -v w=$W -v hz=$HORIZON 'BEGIN {
    printf "polygon 0,%d ", hz
    for (x = 0; x <= w; x += 16) {
        y = hz - 14 - 9 * sin(x / 53.0) - 6 * sin(x / 17.0 + 1.3) - 4 * cos(x / 29.0)
        printf "%d,%.1f ", x, y
    }
    printf "%d,%d", w, hz
}')

"$CONVERT" \
    \( -size ${W}x${HORIZON} gradient:'#050c24-#125a66' \) \
    \( -size ${W}x$((H - HORIZON)) gradient:'#0c3c4a-#040a1c' \) \
    -append \
    -fill '#07182c' -stroke none -draw "$ridge" \
    \( -size ${W}x${H} xc:none -fill none -stroke '#5fd6cf' -strokewidth 1 -draw "$grid" \
       \( -size ${W}x${HORIZON} xc:'rgba(0,0,0,0)' \
          -size ${W}x$((H - HORIZON)) gradient:'rgba(0,0,0,0.05)-rgba(0,0,0,0.45)' -append \) \
       -compose DstIn -composite \) \
    -compose Over -composite \
    -fill '#9ff3ec' -stroke none -draw "$markers" \
    \( -size ${W}x${H} radial-gradient:'rgba(2,6,18,0.75)-rgba(2,6,18,0)' \
       -distort SRT "$((W / 2)),$((H / 2)) 1.6 0 $W,$H" \) \
    -compose Over -composite \
    -font "$FONT" -pointsize 66 \
    -fill '#0a2a36' -annotate +36+86 'Tarnel' \
    -fill '#ffffff' -annotate +32+82 'Tarnel' \
    -pointsize 15 -fill '#8fd8d2' -annotate +36+110 'item definition editor' \
    -alpha off +repage -colors 256 about.gif

echo "wrote $(pwd)/about.gif"
