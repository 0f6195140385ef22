#!/usr/bin/env bash
# A first start creates the settings; closing the window ends the player with
# exit code 0 and saves the panel flags.
source "$(dirname "$0")/lib.sh"

"$TONLIRA" & pid=$!
win=$(wait_for_window "$pid") || fail "no player window"
[ -f "$(prefs_file)" ] || fail "no preferences file after the first start"
[ ! -s "$(prefs_file)" ] || fail "the new preferences file is not empty"

close_and_wait "$win" "$pid"
[ "$RC" = 0 ] || fail "exit code $RC"
printf '[Allgemein]\r\nplaylist = 0\r\nbibliothek = 1\r\n' > "$WORK/expected"
cmp -s "$WORK/expected" "$(prefs_file)" || fail "unexpected preferences: $(od -c "$(prefs_file)")"

# A second run keeps what the first wrote and reads it.
printf '[Allgemein]\r\nplaylist = 1\r\nbibliothek = 0\r\n; kept\r\n' > "$(prefs_file)"
"$TONLIRA" & pid=$!
win=$(wait_for_window "$pid") || fail "no player window on the second start"
close_and_wait "$win" "$pid"
[ "$RC" = 0 ] || fail "exit code $RC on the second start"
grep -q '^; kept' "$(prefs_file)" || fail "the comment was lost"
echo "start and quit: ok"
