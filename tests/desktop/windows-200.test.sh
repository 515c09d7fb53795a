# SPDX-License-Identifier: GPL-3.0-or-later
# Every window at 200 % scale on a 1920x1080 screen: each fits the available area and can be
# moved; the fixed dialogs offer the close button alone (windows.sh).
DESK_SCALE=2
source "$(dirname "$0")/windows.sh"
