#!/bin/sh
# Starts Ostrelda from its own folder, where its dictionary lies. The program
# is installed as <prefix>/lib/ostrelda/ostrelda and this script as
# <prefix>/bin/ostrelda, so the folder is found from the script's own place.
here=$(dirname "$(readlink -f "$0")")
# As root, Chromium (inside Qt WebEngine) refuses to run sandboxed.
if [ "$(id -u)" -eq 0 ]; then
  QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:-} --no-sandbox"
  export QTWEBENGINE_CHROMIUM_FLAGS
fi
exec "$here/../lib/ostrelda/ostrelda"
