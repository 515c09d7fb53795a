# SPDX-License-Identifier: GPL-3.0-or-later
# Every window of the program, opened the way a person opens it, on one screen (DESK_SIZE,
# default 1920x1080) at one scale (DESK_SCALE: 1, 1.5, 2): each must fit the screen's available
# area, frame included, and may be moved; the fixed dialogs offer no minimise or maximise button.
# The windows-*.test.sh scenarios source this file after setting DESK_SCALE (and DESK_SIZE).
source "$(dirname "${BASH_SOURCE[0]}")/desk.sh"

# The title-bar buttons of a window, one line: "close", "close minimize maximize".
buttons_of() { desk_buttons "$1" | sort | tr '\n' ' ' | sed 's/ $//'; }

# Judges the window the program shows as FORM: it fits, it may be moved, and a fixed dialog has
# the close button only (the window manager keeps it on every window; the window's close handler
# decides what it does).
judge() {
  local form=$1 kind=$2 win
  win=$(desk_wait_form "$form")
  DESK_WIN=$win
  desk_fits "$win"
  desk_actions "$win" | grep -qx MOVE || desk_fail "$form cannot be moved"
  if [ "$kind" = fixed ]; then
    local have
    have=$(buttons_of "$win")
    [ "$have" = close ] || desk_fail "$form offers the title-bar buttons \"$have\", not the close button alone"
  fi
  if [ "$DESK_SCALE" = 2 ]; then desk_shot "$form"; fi
  JUDGED=$((JUDGED + 1))
}

# Opens a dialog with a click on a control of its owner, judges it, closes it from the title bar
# (the window manager's close, Alt+F4) and checks that the owner is back.
dialog() {
  local owner=$1 control=$2 form=$3 kind=${4:-fixed}
  desk_click_control "$owner" "$control"
  judge "$form" "$kind"
  desk_activate "$DESK_WIN"
  desk_key alt+F4
  desk_wait_form_gone "$form"
  desk_wait_form "$owner" >/dev/null
}

# Opens a standing window from the launcher (or from a sub-menu), judges it.
open_window() {
  local owner=$1 control=$2 form=$3
  desk_click_control "$owner" "$control"
  judge "$form" work
  desk_wait_form_gone "$owner"
}

# Closes a standing work window from the title bar: the launcher comes back.
close_window() {
  desk_activate "$(desk_wait_form "$1")"
  desk_key alt+F4
  desk_wait_form_gone "$1"
  desk_wait_form TfrmAvvio >/dev/null
}

JUDGED=0
desk_start "${DESK_SIZE:-1920x1080}"
QT_SCALE_FACTOR=$DESK_SCALE desk_app
judge TfrmPassword fixed
desk_click_control TfrmPassword btnCambiaPassword
desk_wait_form_gone TfrmPassword
judge TfrmCambiaPassword fixed
desk_click_control TfrmCambiaPassword cmdEsci
desk_login
judge TfrmAvvio work

dialog TfrmAvvio imgInfo TfrmInfo
dialog TfrmAvvio imgGuida TfrmGuida
dialog TfrmAvvio imgCopyright TfrmSplash

open_window TfrmAvvio imgLibri TfrmLibri
dialog TfrmLibri cmdTrova TfrmTrovaLibri
dialog TfrmLibri cmdDisponibili TfrmTrovaDisponibili
# The code check needs a code to check.
desk_click_control TfrmLibri txtCodice
desk_type 12345
dialog TfrmLibri btnCodice TfrmConvalida
dialog TfrmLibri btnDewey TfrmCodici_Dewey
dialog TfrmLibri cmdFile TfrmAllegaCartella
dialog TfrmLibri cmdStampa TfrmStampaLibro
dialog TfrmLibri cmdEsporta TfrmExpLibri
close_window TfrmLibri

open_window TfrmAvvio imgAnagrafica TfrmAnagrafica
dialog TfrmAnagrafica cmdTrova TfrmTrovaAnagrafica
dialog TfrmAnagrafica cmdScadute TfrmSospesi
dialog TfrmAnagrafica cmdAllega TfrmAllegaCartella
dialog TfrmAnagrafica cmdExcel TfrmExpAnagrafica
dialog TfrmAnagrafica cmdCodFisc TfrmCodFisc
dialog TfrmAnagrafica cmdPartitaIva TfrmPartitaIva
dialog TfrmAnagrafica cmdCarta TfrmCarta
dialog TfrmAnagrafica cmdIban TfrmIban
dialog TfrmAnagrafica btnZoom TfrmZoom work
close_window TfrmAnagrafica

open_window TfrmAvvio imgTessere TfrmTessera
dialog TfrmTessera cmdTrova TfrmTrovaAnagrafica
dialog TfrmTessera titAssociazione TfrmDatiEnte
dialog TfrmTessera cmdAnteprima TfrmAnteprimaTessera
dialog TfrmTessera cmdStampa TfrmStampaTessera
close_window TfrmTessera

open_window TfrmAvvio imgPrestiti TfrmMenuPrestiti
open_window TfrmMenuPrestiti btnApriPrestito TfrmPrestiti
dialog TfrmPrestiti btnImporta TfrmTrovaAnagrafica
close_window TfrmPrestiti
open_window TfrmAvvio imgPrestiti TfrmMenuPrestiti
open_window TfrmMenuPrestiti btnApriRestituzione TfrmRestituzioni
dialog TfrmRestituzioni btnImporta TfrmTrovaAnagrafica
close_window TfrmRestituzioni

open_window TfrmAvvio imgStorico TfrmMenuStorico
open_window TfrmMenuStorico btnApriStorico TfrmMenuRiepilogoPrestiti
dialog TfrmMenuRiepilogoPrestiti cmdEsporta TfrmExpPrestiti
dialog TfrmMenuRiepilogoPrestiti cmdScaduti TfrmExpPrestitiSca
close_window TfrmMenuRiepilogoPrestiti
open_window TfrmAvvio imgStorico TfrmMenuStorico
open_window TfrmMenuStorico btnApriStatistiche TfrmStatistiche
close_window TfrmStatistiche

open_window TfrmAvvio imgCatalogo TfrmConsultaLibri
dialog TfrmConsultaLibri cmdStampa TfrmStampaLibro02
desk_log "$JUDGED windows judged at scale $DESK_SCALE"
desk_pass
