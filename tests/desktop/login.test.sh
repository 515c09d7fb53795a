# SPDX-License-Identifier: GPL-3.0-or-later
# The first start on a fresh data folder: the login window opens alone, centred, with the keyboard
# in the password box and no title-bar buttons; the first-access password opens the launcher,
# maximised, with the login window gone.
source "$(dirname "$0")/desk.sh"

desk_start 1366x768
desk_app
login=$(desk_wait ' Quaderna 3.0 - Autenticazione$')
desk_check "$(desk_windows | wc -l) -eq 1" "the login window is not the only window on screen"
desk_fits "$login"
desk_activate "$login"
desk_wait_focus 'TfrmPassword/txtPassword'

desk_type QUADERNA
desk_key Return
launcher=$(desk_wait '^ Quaderna 3.0$')
desk_wait_gone 'Autenticazione$'
desk_check "\"$(desk_state "$launcher" | sort | tr '\n' ' ')\" == 'MAXIMIZED_HORZ MAXIMIZED_VERT '" \
  "the launcher is not maximised"
desk_fits "$launcher"
desk_shot launcher
desk_pass
