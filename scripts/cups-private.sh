#!/bin/bash
# A private CUPS scheduler for the printing tests, with everything it keeps
# (configuration, spool, state, logs, its socket) inside one folder.
#   cups-private.sh start DIR   starts it with one generic PostScript queue, the
#                               default, and prints the value for CUPS_SERVER
#   cups-private.sh stop DIR    ends that scheduler (only the one started there)
# It listens on a unix socket in DIR only: no network port, no browsing, no web
# interface, so it meets neither the machine's own scheduler nor anyone else's.
set -euo pipefail
queue=Verdalux_PostScript
usage() { echo "usage: $0 start|stop DIR" >&2; exit 2; }
[ $# -eq 2 ] || usage
action="$1"
dir="$(realpath -m "$2")"
sock="$dir/cups.sock"
pidfile="$dir/cupsd.pid"

# The pid in DIR when it is still a cupsd started with DIR's configuration;
# a recycled pid belongs to someone else and is left alone.
running_pid() {
  [ -f "$pidfile" ] || return 1
  local pid; pid="$(cat "$pidfile")"
  [ -n "$pid" ] && [ -r "/proc/$pid/cmdline" ] || return 1
  tr '\0' ' ' <"/proc/$pid/cmdline" | grep -qF -- "-c $dir/cupsd.conf" || return 1
  echo "$pid"
}

stop() {
  local pid
  if pid="$(running_pid)"; then
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do [ -d "/proc/$pid" ] || break; sleep 0.1; done
    [ -d "/proc/$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  fi
  rm -f "$pidfile"
}

start() {
  command -v cupsd >/dev/null && command -v lpadmin >/dev/null ||
    { echo "cups-private: cupsd or lpadmin is not installed (scripts/setup.sh installs cups)" >&2; return 1; }
  # A unix socket's path has room for 107 bytes.
  [ ${#sock} -le 107 ] || { echo "cups-private: socket path too long: $sock" >&2; return 1; }
  # DIR is wiped and rebuilt each time, so it must be empty or one of ours.
  if [ -d "$dir" ] && [ -n "$(ls -A "$dir")" ] && [ ! -f "$dir/cupsd.conf" ]; then
    echo "cups-private: $dir holds other files; give an empty or earlier scheduler folder" >&2
    return 1
  fi
  stop
  rm -rf "$dir"
  mkdir -p "$dir"/{spool/tmp,cache,state,log,ppd}
  local user_lines=""
  if [ "$(id -u)" -eq 0 ]; then
    # cupsd refuses to run filters and backends as root; they run as lp, which
    # must be able to write the spool, state and cache it keeps here.
    user_lines=$'User lp\nGroup lp'
    chown -R root:lp "$dir"
    chmod -R 0775 "$dir"
  fi
  cat >"$dir/cups-files.conf" <<EOF
$user_lines
SystemGroup root
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
EOF
  cat >"$dir/cupsd.conf" <<EOF
Listen $sock
Browsing No
BrowseLocalProtocols none
WebInterface No
LogLevel warn
DefaultAuthType None
# The same page on every machine, whatever its locale or /etc/papersize says.
DefaultPaperSize Letter
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  local begin; begin=$(date +%s%N)
  # setsid: the scheduler is not part of the caller's process group, so a
  # signal to a test run's group does not reach it halfway; stop ends it.
  setsid cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" </dev/null >>"$dir/log/cupsd.out" 2>&1 &
  echo $! >"$pidfile"
  local up=0
  for _ in $(seq 100); do
    if ! running_pid >/dev/null; then break; fi
    if lpstat -h "$sock" -r 2>/dev/null | grep -q "is running"; then up=1; break; fi
    sleep 0.1
  done
  if [ $up -ne 1 ]; then
    echo "cups-private: the scheduler did not start; see $dir/log" >&2
    tail -n 5 "$dir/log/error_log" "$dir/log/cupsd.out" >&2 2>/dev/null || true
    stop
    return 1
  fi
  # lpadmin warns that PPD drivers are deprecated; the warning says nothing here.
  lpadmin -h "$sock" -p "$queue" -E -v file:///dev/null -m drv:///sample.drv/generic.ppd 2>&1 >&2 |
    grep -v "drivers are deprecated" >&2 || true
  lpstat -h "$sock" -p "$queue" >/dev/null 2>&1 &&
    lpadmin -h "$sock" -d "$queue" >&2 || { echo "cups-private: could not add the queue" >&2; stop; return 1; }
  echo "cups-private: scheduler and queue $queue ready in $(( ($(date +%s%N) - begin) / 1000000 )) ms" >&2
  echo "$sock"
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) usage ;;
esac
