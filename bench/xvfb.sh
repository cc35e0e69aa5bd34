# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the window benches and the screenshot script.
# start_xvfb FILE: starts an X server (Xvfb) on a free display, which it writes into FILE once it
# takes connections; then exports DISPLAY and sets xvfb to the server's process id. A first start,
# or a busy machine, may take a while: up to a minute.
start_xvfb() {
  local file=$1
  exec 3>"$file"
  # -noreset: the server would start over whenever its last client leaves, and between the
  # program and the scripts that drive it there may be a moment with none.
  Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  exec 3>&-
  for _ in $(seq 600); do [[ -s $file ]] && break; sleep 0.1; done
  if [[ ! -s $file ]]; then
    echo "Xvfb gave no display in a minute" >&2
    return 1
  fi
  export DISPLAY=:$(head -n 1 "$file")
}
