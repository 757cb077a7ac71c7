#!/usr/bin/env bash
# Installs the Debian package with apt and checks the installed commands from outside
# the source tree: the tools' help and a schedule of the installed sample project, that
# the program links no printing library (libcups is loaded only to print), and the
# launcher seeding a scratch home folder and starting the program (offscreen), which is
# then ended. The package is removed again at the end.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
package=$(ls "$repo"/build-release/package/kandelor_*.deb)
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "$package"

scratch=$(mktemp -d)
cleanup() {
  [ -n "${launcher:-}" ] && kill "$launcher" 2>/dev/null || true
  cd /
  rm -rf "$scratch"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -q kandelor >/dev/null
}
trap cleanup EXIT
cd "$scratch"

kandelor-catalog --help | grep -q "Usage: kandelor-catalog"
kandelor-schedule /usr/share/kandelor/new.dat | tee schedule.txt
grep -q "Office-102" schedule.txt
grep -q "within SC" schedule.txt  # the point-by-point light found its photometric files
man -w kandelor kandelor-launcher kandelor-catalog kandelor-schedule >/dev/null
# Printing's libraries load only when it prints; libcups comes with the package.
if ldd /usr/bin/kandelor | grep -E "libcups|libQt6PrintSupport"; then
  echo "kandelor links a printing library at start-up"
  exit 1
fi
dpkg-query -W -f='${Status}\n' libcups2 | grep -q "install ok installed"

# The desktop entry's command, in a home folder of its own.
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/kandelor.desktop)
[ "$exec_line" = "kandelor-launcher" ]
mkdir home
env -i HOME="$scratch/home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen \
  kandelor-launcher >launcher.log 2>&1 &
launcher=$!
for _ in $(seq 100); do
  [ "$(readlink "/proc/$launcher/cwd" 2>/dev/null)" = "$scratch/home/Kandelor" ] &&
    [ "$(cat "/proc/$launcher/comm" 2>/dev/null)" = "kandelor" ] && break
  sleep 0.1
done
[ "$(cat "/proc/$launcher/comm")" = "kandelor" ] || { cat launcher.log; exit 1; }
for f in new.dat xxx.dat light.dat Type.dat photometry.dat HELP.HLP photometry/catalog.list; do
  cmp "/usr/share/kandelor/$f" "home/Kandelor/$f"
done
sleep 1
kill -TERM "$launcher"
wait "$launcher" || true
launcher=""
echo "The installed program started in $scratch/home/Kandelor and was ended."
