# SPDX-License-Identifier: GPL-3.0-or-later
# Every window on a 1366x768 screen at 100 % scale: each fits the available area and can be
# moved; the fixed dialogs offer the close button alone (windows.sh).
DESK_SCALE=1
DESK_SIZE=1366x768
source "$(dirname "$0")/windows.sh"
