# SPDX-License-Identifier: GPL-3.0-or-later
# A name typed into a fresh user window, from the launcher, with the keyboard alone: the launcher
# opens on its first entry, the space bar opens the user window with the keyboard in the name box
# (not on "Tessera annullata", whose space would tick it), Shift+Tab reaches "Salva", Enter saves:
# the record on disk holds the name and is not cancelled.
source "$(dirname "$0")/desk.sh"

desk_start 1366x768
desk_app
desk_login
desk_activate "$DESK_WIN"
desk_wait_focus 'TfrmAvvio/btnAnagrafica'
desk_key space
users=$(desk_wait 'Archivio Utenti$')
desk_wait_focus 'TfrmAnagrafica/txtTesserato'
desk_type 'Rossi Maria'
desk_key Return Return
desk_type 'T-1'
desk_key Return Return
desk_type '31/12/2099'
for _ in $(seq 40); do
  [ "$(desk_focus)" = 'TfrmAnagrafica/cmdSalva' ] && break
  desk_key shift+Tab
done
desk_wait_focus 'TfrmAnagrafica/cmdSalva' 2
desk_shot salva
desk_key Return
# The information box "La scheda corrente è stata inserita in archivio.": Enter closes it.
for _ in $(seq 50); do
  [ -s "$DESK_DATA/Tesserati.pro" ] && break
  sleep 0.1
done
sleep 0.5
desk_key Return
desk_wait_focus 'TfrmAnagrafica/.*'

file=$DESK_DATA/Tesserati.pro
desk_check "$(stat -c %s "$file") -eq 2738" "Tesserati.pro does not hold one record"
# The name: a length byte and the text; "Annullata" (after 28 fields, 1229 bytes in): "No".
name=$(dd if="$file" bs=1 skip=1 count=11 2>/dev/null)
len=$(od -An -tu1 -N1 "$file" | tr -d ' ')
desk_check "\"$name\" == 'Rossi Maria' && $len -eq 11" "the stored name is \"$name\" ($len bytes)"
flag=$(dd if="$file" bs=1 skip=1230 count=2 2>/dev/null)
desk_check "\"$flag\" == 'No'" "the stored card is cancelled (Annullata \"$flag\")"
desk_fits "$users"
desk_pass
