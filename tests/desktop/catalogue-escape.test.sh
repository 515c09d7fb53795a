# SPDX-License-Identifier: GPL-3.0-or-later
# The way a reader once got out of the read-only catalogue: "Stampa scheda libro", "Stampa", the
# "..." beside the print dialog's output file, and the file browser, where Delete removed
# Tesserini.ini from the data folder.
# First the librarian's own route from the book archive: the print dialog offers printing into a
# file, its "..." opens a chooser, and Delete on Tesserini.ini there removes nothing. Then the
# catalogue: its print dialog has no file to print into, nothing in it leads to a chooser, and no
# other window opens. Every file of the data folder is still there, byte for byte.
source "$(dirname "$0")/desk.sh"

desk_start 1366x768
printf '[Tesserini]\r\nBiblioteca=Civica\r\n' >"$DESK_DATA/Tesserini.ini"
desk_app
desk_login
launcher=$DESK_WIN
files_now() { (cd "$DESK_DATA" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }

# A place on the content panel (995 x 692, centred in its maximised window) clicked.
panel_click() {
  desk_geometry "$1"
  desk_click "$1" $(((DESK_W - 995) / 2 + $2)) $(((DESK_H - 692) / 2 + $3))
}

# Tab through the dialog that has the keyboard, up to 40 steps, printing each control reached.
tab_cycle() {
  local i
  for i in $(seq 40); do
    desk_key Tab
    sleep 0.1
    desk_focus
    echo
  done
}

# --- the librarian: the book archive's print dialog and its chooser ----------------------------
panel_click "$launcher" 497 276 # "ARCHIVIO LIBRI"
libri=$(desk_wait 'Archivio Libri$')
sleep 0.5
panel_click "$libri" 420 36 # "Stampa"
sheet=$(desk_wait '^ Stampa scheda libro$')
desk_click "$sheet" 246 246 # "Stampa"
dialog=$(desk_wait '^Stampa$')
desk_activate "$dialog"
before=$(files_now)
desk_wait_focus '.*/.*'
# The printer list takes the keyboard first; its last entry is the PDF file.
for i in $(seq 12); do
  [ "$(desk_focus)" = "/printers" ] && break
  desk_key Tab
  sleep 0.1
done
desk_check "\"$(desk_focus)\" == /printers" "the print dialog's printer list does not take the keyboard"
desk_key End
sleep 0.3
# The "..." beside the output file.
for i in $(seq 20); do
  [ "$(desk_focus)" = "/fileBrowser" ] && break
  desk_key Tab
  sleep 0.1
done
desk_check "\"$(desk_focus)\" == /fileBrowser" "the librarian's print dialog offers no \"...\" for a PDF file"
desk_key space
chooser=$(desk_wait '[Ff]ile' 10)
desk_activate "$chooser"
# The data folder typed into the name box opens it; the name typed then selects Tesserini.ini in
# the list, which takes the keyboard.
desk_key ctrl+a
desk_type "$DESK_DATA"
desk_key Return
sleep 0.8
desk_key ctrl+a
desk_type Tesserini.ini
sleep 0.5
desk_shot chooser
# A click on its line in the list, Delete, then "Elimina" from the context menu (the second line
# of that menu, where it is offered); any question "delete it?" answered yes, as the reader did.
answer_yes() {
  local question
  sleep 0.8
  question=$(desk_windows | awk -F'\t' -v c="$chooser" -v d="$dialog" -v s="$sheet" \
    '$1 != c && $1 != d && $1 != s && $2 !~ /Quaderna 3.0 - / { print $1; exit }')
  if [ -n "$question" ]; then
    desk_activate "$question"
    desk_key s # "Sì"
    sleep 0.5
  fi
}
desk_click "$chooser" 165 90
sleep 0.3
desk_key Delete
answer_yes
desk_click "$chooser" 165 90 3
sleep 0.5
desk_key Down Down Return
answer_yes
desk_check "-f \"$DESK_DATA/Tesserini.ini\"" "the print dialog's file chooser deleted Tesserini.ini"
desk_key Escape
desk_wait_gone '[Ff]ile'
desk_activate "$dialog"
desk_key Escape
desk_wait_gone '^Stampa$'
desk_check "\"$(files_now)\" == \"$before\"" "the data folder changed from the librarian's print dialog"

# Back to the launcher, then the catalogue, as the librarian leaves it for the readers.
desk_activate "$libri"
panel_click "$libri" 926 36 # "Esci"
desk_wait_gone 'Archivio Libri$'
desk_wait '^ Quaderna 3.0$' >/dev/null
panel_click "$DESK_WIN" 828 514 # "CONSULTAZIONE CATALOGO"
catalogo=$(desk_wait 'Consultazione Catalogo Libri$')
sleep 0.5

# --- the reader: the catalogue's print dialog --------------------------------------------------
before=$(files_now)
panel_click "$catalogo" 497 36 # "Stampa scheda libro"
sheet=$(desk_wait '^ Stampa scheda libro$')
desk_click "$sheet" 246 246 # "Stampa"
dialog=$(desk_wait '^Stampa$')
desk_activate "$dialog"
desk_shot catalogue-print-dialog
shown=$(desk_windows | wc -l)
# Every entry of the printer list, and every control the keyboard reaches after each one.
for i in $(seq 12); do
  [ "$(desk_focus)" = "/printers" ] && break
  desk_key Tab
  sleep 0.1
done
reached=$(tab_cycle)
desk_key End
sleep 0.3
reached="$reached
$(tab_cycle)"
if grep -qx '/fileBrowser\|/filename' <<<"$reached"; then
  desk_fail "the catalogue's print dialog lets the keyboard reach the output file: $(grep -x '/fileBrowser\|/filename' <<<"$reached" | head -1)"
fi
desk_check "$(desk_windows | wc -l) -eq $shown" "a window opened over the catalogue's print dialog"
desk_activate "$dialog"
desk_key Escape
desk_wait_gone '^Stampa$'
desk_check "\"$(files_now)\" == \"$before\"" "the data folder changed from the catalogue"
desk_check "-f \"$DESK_DATA/Tesserini.ini\" && -f \"$DESK_DATA/unins000.dll\"" "a file of the data folder is gone"
desk_app_alive
desk_pass
