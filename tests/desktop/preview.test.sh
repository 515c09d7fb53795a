# SPDX-License-Identifier: GPL-3.0-or-later
# A print preview on the real desktop: the user sheet's "Anteprima" opens the preview window with
# its page and the keyboard, and no progress window stays over it ("Anteprima in preparazione...
# 0%" once blocked the zoom until "Annulla"); the zoom answers, Esc closes the preview and the user
# window has the keyboard again. The time from the click to the preview on screen is reported.
source "$(dirname "$0")/desk.sh"

desk_start 1366x768
desk_app
desk_login
panel_click() {
  desk_geometry "$1"
  desk_click "$1" $(((DESK_W - 995) / 2 + $2)) $(((DESK_H - 692) / 2 + $3))
}

panel_click "$DESK_WIN" 166 276 # "ANAGRAFICA UTENTI"
utenti=$(desk_wait 'Archivio Utenti$')
sleep 0.5
start=$(date +%s%N)
panel_click "$utenti" 360 36 # "Anteprima"
preview=$(desk_wait '^Anteprima di stampa$' 10)
shown=$(date +%s%N)
desk_log "from the click to the preview on screen: $(((shown - start) / 1000000)) ms (xdotool and polling included)"

# Past the progress window's half second: nothing but the preview over the user window.
sleep 1.5
desk_shot preview
stray=$(desk_windows | awk -F'\t' '$2 !~ /^Anteprima di stampa$|Archivio Utenti$|^ Quaderna 3.0$/ { print $2 }')
desk_check "-z \"$stray\"" "a window stays over the preview: $stray"
desk_check "\"$(xdotool getactivewindow)\" == \"$preview\"" "the preview does not have the keyboard"
desk_fits "$preview"

# The zoom answers the mouse: "Ingrandisci" on the toolbar, then the page is larger.
if command -v import >/dev/null; then
  before=$(import -window "$preview" -format '%#' info: 2>/dev/null)
  desk_click "$preview" 58 18 # "Ingrandisci"
  sleep 0.5
  after=$(import -window "$preview" -format '%#' info: 2>/dev/null)
  desk_check "\"$before\" != \"$after\"" "the preview does not answer the zoom"
fi

desk_key Escape
desk_wait_gone '^Anteprima di stampa$' 10
desk_wait_focus 'TfrmAnagrafica/.*'
desk_app_alive
desk_pass
