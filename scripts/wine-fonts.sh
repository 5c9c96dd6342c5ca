# Sourced by scripts/wine-env.sh. The dialogs are designed in 8 pt "MS Sans Serif". A fresh
# Wine prefix has no font of that name (Debian installs Wine's own fonts where Wine does not
# look), so Wine draws the dialogs in a wider system font and headings such as "Physical
# Quantity" wrap or are cut. Wine ships a bitmap "MS Sans Serif" with the metrics the dialogs
# were laid out in (dialog base units of 6 x 13 pixels at 96 dpi); putting it into the prefix's
# Fonts folder is all it takes, since Wine loads every font found there when it starts.

quantora_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" dir
  [ -d "$fonts" ] || return 0
  local wanted=(sserife.fon)  # "MS Sans Serif" 8, 10 and 12 pt, Western code page
  for dir in ${QUANTORA_WINE_FONT_DIR:-} /usr/share/wine/fonts /usr/lib/wine/fonts \
             /opt/wine-stable/share/wine/fonts /usr/local/share/wine/fonts; do
    [ -f "$dir/${wanted[0]}" ] || continue
    local f
    for f in "${wanted[@]}"; do
      cmp -s "$dir/$f" "$fonts/$f" || cp "$dir/$f" "$fonts/$f"
    done
    return 0
  done
  echo "quantora: Wine's MS Sans Serif font (sserife.fon, Debian package fonts-wine) was not" \
       "found; dialogs are drawn in a wider font" >&2
}
