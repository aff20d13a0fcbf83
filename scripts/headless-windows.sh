# Sourced by scripts/run.sh when Quillmont runs on a virtual display that nobody
# sees: photographs every window as it appears, and ends the run after a
# time-out, since nobody can answer a dialog there.

# quillmont_photograph_windows FOLDER: until killed, saves each newly shown
# top-level window of the display as FOLDER/NN-title.png (cut from the screen,
# so whatever covers the window shows as it would to a user) and prints its path.
quillmont_photograph_windows() {
  local folder=$1 count=0 seen=" " line id title geometry size x y name
  while true; do
    while read -r line; do
      id=$(grep -oE '^0x[0-9a-f]+' <<<"$line") || continue
      [[ "$seen" == *" $id "* ]] && continue
      # Only windows that are shown and larger than Wine's 1x1 helpers.
      geometry=$(grep -oE '[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+' <<<"$line" | head -n 1) || continue
      size=${geometry%%+*}
      [ "${size%x*}" -ge 20 ] && [ "${size#*x}" -ge 20 ] || continue
      xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
      seen+="$id "
      # Give the window a moment to paint itself.
      sleep 0.5
      title=$(sed -nE 's/^0x[0-9a-f]+ "([^"]*)".*/\1/p' <<<"$line")
      name=$(tr -c 'A-Za-z0-9\n' '-' <<<"${title:-window}" | sed -E 's/-+/-/g; s/^-|-$//g')
      count=$((count + 1))
      x=${geometry#*+}; y=${x#*+}; x=${x%%+*}
      local file; file="$folder/$(printf '%02d' "$count")-${name:-window}.png"
      if import -window root -crop "$size+$x+$y" +repage "$file" 2>/dev/null; then
        echo "Quillmont shows \"${title:-(untitled)}\": $file" >&2
      fi
    done < <(xwininfo -root -children 2>/dev/null | sed -nE 's/^ +(0x[0-9a-f]+ .*)/\1/p')
    sleep 0.2
  done
}

# quillmont_run_headless SECONDS FOLDER COMMAND...: runs the command while the
# windows are photographed into FOLDER; past SECONDS ends every Wine program of
# the run and returns 124. Otherwise returns the command's exit code.
quillmont_run_headless() {
  local seconds=$1 folder=$2; shift 2
  rm -rf "$folder"; mkdir -p "$folder"
  echo "(no display of your own: Quillmont runs on a virtual one; each window it shows is saved as a picture," \
       "and the run ends after $seconds s — change that with --timeout SECONDS)" >&2
  quillmont_photograph_windows "$folder" &
  local watcher=$! started=$SECONDS
  "$@" &
  local program=$! code=0 timed_out=""
  while kill -0 "$program" 2>/dev/null; do
    if [ $((SECONDS - started)) -ge "$seconds" ]; then timed_out=yes; break; fi
    sleep 0.2
  done
  if [ -n "$timed_out" ]; then
    # Photographed by now: the watcher looks five times a second.
    sleep 1
    kill "$watcher" 2>/dev/null; wait "$watcher" 2>/dev/null
    wineserver -k 2>/dev/null || true
    wait "$program" 2>/dev/null
    local shown; shown=$(find "$folder" -name '*.png' | wc -l)
    echo "Quillmont was still running after $seconds s, waiting for an answer that nobody can give without a display," \
         "so it was ended. The $shown window(s) it showed are pictured in $folder." >&2
    echo "To answer them, run with a display of your own (DISPLAY set), or allow more time with --timeout SECONDS." >&2
    return 124
  fi
  wait "$program"; code=$?
  kill "$watcher" 2>/dev/null; wait "$watcher" 2>/dev/null
  return $code
}
