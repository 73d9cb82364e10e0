# Sourced inside the 32-bit guest: the Wine prefix set to Windows XP that the
# guest's preparation makes on its disk and every run starts from, and the
# private display and prefix helpers the host uses (wine-env.sh).
export VEXAL_WINE_DIR=/root/wine-winxp VEXAL_WINDOWS_VERSION=winxp
source /vexal/scripts/wine-env.sh
