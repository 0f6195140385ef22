#!/usr/bin/env bash
# The player as a screen reader sees it: the real binary on a private
# session bus with the accessibility bus (at-spi2-core), its tree read over
# AT-SPI. The play button is there by its name, the volume dial is a slider
# "Lautstärke" holding the volume set in the preferences, and a turn of the
# dial (made through AT-SPI, as a screen reader's user would) is announced
# and read back; pressing "Abspielen" the same way plays the track, and the
# title display "Titel" then reads its name.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sound.sh"
# Debian's own Python, which has the python3-pyatspi bindings.
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is missing"
[ -x /usr/libexec/at-spi-bus-launcher ] || fail "at-spi2-core is missing"

# A private session bus, ended with the test.
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$WORK/bus" 2>"$WORK/bus.log" &
wait_until test -s "$WORK/bus" || fail "no private bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$WORK/bus")
export XDG_RUNTIME_DIR="$WORK"
# The accessibility bus beside it: the session bus starts its launcher when
# asked for its address, and that bus starts the registry when Qt calls.
bus_up() { [[ $(dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null) == *unix:* ]]; }
wait_until bus_up || fail "no accessibility bus"

start_sound_server
trap 'stop_sound_server; cleanup' EXIT
"$MEDIA_TOOL" wav 5.0 "$WORK" erstes >/dev/null || fail "no test media"

# Standard volume 5: the dial starts at 50.
mkdir -p "$appdata/Tonlira"
printf '[Allgemein]\r\nstd_lautst\xe4rke = 5\r\n' >"$appdata/Tonlira/Tonlira.prefs"

# Qt speaks AT-SPI when the desktop asks for it; here it is asked directly.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$TONLIRA" "$WORK/erstes.wav" & pid=$!
win=$(wait_for_window "$pid") || fail "no player window"

timeout 60 "$python" - "$pid" <<'PY' || fail "the accessibility tree is not as a screen reader needs it"
import sys, time
import pyatspi
from gi.repository import GLib

pid = int(sys.argv[1])

def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)

def find_app():
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == pid:
                return app
        time.sleep(0.2)
    fail("the player is not on the accessibility bus")

def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)

def named(app, name, role):
    # The tree fills in as the window shows: look again for a while.
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        for node in walk(app):
            if node.name == name and node.getRole() == role:
                return node
        time.sleep(0.2)
    fail(f'no {role} named "{name}"')

app = find_app()
play = named(app, "Abspielen", pyatspi.ROLE_PUSH_BUTTON)
for button in ("Play/Pause", "Stop", "Zurück", "Weiter", "Vorheriges", "Nächstes"):
    named(app, button, pyatspi.ROLE_PUSH_BUTTON)
named(app, "Position", pyatspi.ROLE_SLIDER)
title = named(app, "Titel", pyatspi.ROLE_LABEL)
dial = named(app, "Lautstärke", pyatspi.ROLE_SLIDER)
value = dial.queryValue()
if value.currentValue != 50 or value.maximumValue != 140:
    fail(f"the dial reads {value.currentValue} of {value.maximumValue}, not 50 of 140")

# Turn it and hear the change announced.
heard = []
loop = GLib.MainLoop()
def on_value(event):
    if event.source is not None and event.source.name == "Lautstärke":
        heard.append(event.source.queryValue().currentValue)
        loop.quit()
pyatspi.Registry.registerEventListener(on_value, "object:property-change:accessible-value")
value.currentValue = 70
GLib.timeout_add_seconds(10, loop.quit)
loop.run()
pyatspi.Registry.deregisterEventListener(on_value, "object:property-change:accessible-value")
if heard != [70]:
    fail(f"the turn to 70 was not announced (heard {heard})")

# Press play as a screen reader does; the title display then names the track.
play.queryAction().doAction(0)
deadline = time.monotonic() + 10
while title.description != "erstes.wav" and time.monotonic() < deadline:
    time.sleep(0.1)
if title.description != "erstes.wav":
    fail(f'"Titel" reads "{title.description}" while playing, not "erstes.wav"')
print(f'accessibility tree: "{play.name}" pressed, "{dial.name}" at {value.currentValue}, "{title.name}": {title.description}')
PY

close_and_wait "$win" "$pid"
[ "$RC" = 0 ] || fail "exit code $RC"
echo "accessibility: ok"
