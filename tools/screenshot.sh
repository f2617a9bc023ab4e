# screenshot.sh: the screenshot helpers of the demo scripts (sourced, not run).
# They read the X display of the Wine session ($DISPLAY).

# The whole display into the PNG file $1. xwd reads what Wine drew into its
# windows (import of the root shows black).
screenshot() { xwd -display "$DISPLAY" -root -silent | convert xwd:- "$1" 2>/dev/null; }
# The number of distinct colours in the image $1 (0 when it cannot be read).
colours() { convert "$1" -format '%k' info: 2>/dev/null || echo 0; }
# A screenshot into $1 that shows at least $2 colours.
shows_colours() { screenshot "$1" && [ "$(colours "$1")" -ge "$2" ]; }
