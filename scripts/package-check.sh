#!/usr/bin/env bash
# Builds the Debian package and checks it as a ward's IT would meet it:
#   lintian (no errors), desktop-file-validate, appstreamcli validate --no-net;
#   dpkg -i (apt-get install -f for what it depends on); from /usr/bin: both programs'
#   --version, tavrola-cli week on the installed demo ward, tavrola --screenshot offscreen
#   on the demo week, and a first start from the desktop entry in a virtual X display
#   (the per-user data folder, the demo ward offered and copied, no file-type
#   registration written); then dpkg -r, and nothing of the package may be left behind.
# Needs root (or sudo) for dpkg. An earlier installation of the package is removed first.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
scripts/install-deps.sh lintian desktop-file-utils appstream shared-mime-info dex xdotool dpkg-dev file

fail() { echo "package-check: $*" >&2; exit 1; }
step() { echo "== $*"; }

step "building the package"
deb=$(scripts/package.sh | tail -n 1)
[ -f "$deb" ] || fail "no package built"
version=$(dpkg-deb -f "$deb" Version)
echo "$deb (version $version)"

step "lintian"
# Errors fail the check; warnings and notes are shown.
lintian --fail-on error --info "$deb" 2> >(grep -v 'running with root privileges' >&2)

step "desktop-file-validate and appstreamcli validate"
desktop-file-validate packaging/org.tavrola.Tavrola.desktop
appstreamcli validate --no-net packaging/org.tavrola.Tavrola.metainfo.xml

if dpkg-query -W -f='${db:Status-Status}' tavrola 2>/dev/null | grep -q '^installed$'; then
  step "removing an earlier installation of tavrola"
  $sudo dpkg -r tavrola
fi
owned=$(mktemp)
work=$(mktemp -d)
trap 'rm -rf "$owned" "$work"' EXIT

step "installing with dpkg -i"
if ! $sudo dpkg -i "$deb"; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -f -y -qq
fi
dpkg-query -W -f='${db:Status-Status}\n' tavrola | grep -qx installed || fail "tavrola did not install"
dpkg -L tavrola >"$owned"

# Everything runs in a home of its own, so the per-user folders start empty.
export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config
export XDG_DATA_DIRS=/usr/local/share:/usr/share
mkdir -p "$HOME"

step "the programs from /usr/bin"
[ "$(command -v tavrola-cli)" = /usr/bin/tavrola-cli ] || fail "tavrola-cli is not /usr/bin/tavrola-cli"
[ "$(/usr/bin/tavrola-cli --version)" = "tavrola-cli $version" ] || fail "tavrola-cli --version"
[ "$(/usr/bin/tavrola --version)" = "tavrola $version" ] || fail "tavrola --version"
demo=/usr/share/tavrola/demo
week=$(ls "$demo"/*.rwk | tail -n 1)
/usr/bin/tavrola-cli week --data "$demo" "$week" >"$work/week.txt"
head -n 3 "$work/week.txt"
grep -q 'Cedar Ward 7' "$work/week.txt" || fail "tavrola-cli week did not show the demo ward"

step "tavrola --screenshot offscreen on the demo week"
QT_QPA_PLATFORM=offscreen /usr/bin/tavrola --data "$demo" --screenshot "$work/shot.png" "$week"
file "$work/shot.png" | grep -q 'PNG image data' || fail "no screenshot"
file "$work/shot.png"

step "the week-file type and the desktop entry are registered"
grep -q 'application/x-tavrola-rwk' /usr/share/mime/globs2 || fail "the .rwk type is not in the MIME database"
grep -q 'application/x-tavrola-rwk=.*org.tavrola.Tavrola.desktop' /usr/share/applications/mimeinfo.cache ||
  fail "the desktop entry does not open .rwk files"

step "a first start from the desktop entry (virtual X display)"
# The installed program has no data folder yet: it uses the per-user one and asks whether
# to start from the demo ward or a starter ward; Return takes the demo ward.
userdata=$XDG_DATA_HOME/Tavrola/Tavrola
xvfb-run -a -s "-screen 0 1400x1000x24" bash -c '
  set -e
  dex /usr/share/applications/org.tavrola.Tavrola.desktop
  question=$(timeout 30 xdotool search --sync --onlyvisible --name "^Tavrola$" | head -n 1)
  pid=$(xdotool getwindowpid "$question")
  xdotool windowfocus --sync "$question" key Return
  # The main window is titled by the ward and the week it shows.
  timeout 30 xdotool search --sync --onlyvisible --name "^Cedar Ward 7" >/dev/null
  sleep 1
  kill "$pid"
' || fail "the first start from the desktop entry did not come up as expected"
[ -f "$userdata/Staff.txt" ] || fail "the demo ward was not copied into $userdata"
ls "$userdata"/*.rwk >/dev/null || fail "the demo weeks were not copied into $userdata"
[ ! -e "$XDG_DATA_HOME/applications/tavrola.desktop" ] || fail "a file-type registration was written at run time"
[ ! -e "$XDG_DATA_HOME/mime/packages/tavrola-rwk.xml" ] || fail "a file-type registration was written at run time"
echo "demo ward copied into $userdata: $(ls "$userdata" | wc -l) files"

step "removing with dpkg -r"
$sudo dpkg -r tavrola
if dpkg-query -W -f='${db:Status-Status}\n' tavrola 2>/dev/null | grep -qx installed; then
  fail "tavrola is still installed"
fi
left=()
while read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then left+=("$path"); fi
done <"$owned"
for path in /usr/share/tavrola /usr/share/doc/tavrola /usr/share/mime/application/x-tavrola-rwk.xml; do
  if [ -e "$path" ]; then left+=("$path"); fi
done
if grep -qs 'tavrola' /usr/share/mime/globs2 /usr/share/applications/mimeinfo.cache; then
  left+=("entries in the MIME and desktop caches")
fi
[ ${#left[@]} -eq 0 ] || fail "left behind: ${left[*]}"
echo "nothing left behind"

echo "package-check: all passed in $((SECONDS - started)) s"
