#!/bin/sh
# The checks run inside the test machine: the simulated mouse is a uhid HID
# device, and the hidraw portkit.so in /vesk is what veskctl and the Monitor
# load. Each check prints "VM-CHECK ok|FAIL <name>"; the last line is
# "VM-RESULT <passed> <failed>".
V=/vesk
export HOME=/root XDG_RUNTIME_DIR=/run/user XDG_CONFIG_HOME=/root/.config
export QT_QPA_PLATFORM=offscreen VESK_SOUND=log:/tmp/sound.log
export VESK_MOUSE_SIM=/run/user/sim.sock
mkdir -p -m 0700 /run/user
mkdir -p /root/.config
passed=0
failed=0

check() {
  name=$1
  shift
  begin=$(cut -d. -f1 /proc/uptime)
  if "$@" >/tmp/check.out 2>&1; then
    passed=$((passed + 1))
    echo "VM-CHECK ok $name ($(($(cut -d. -f1 /proc/uptime) - begin)) s)"
  else
    failed=$((failed + 1))
    echo "VM-CHECK FAIL $name ($(($(cut -d. -f1 /proc/uptime) - begin)) s)"
    tail -30 /tmp/check.out | sed 's/^/VM-LOG /'
  fi
}
# wait_for SECONDS COMMAND...: true once COMMAND succeeds.
wait_for() {
  tenths=$(($1 * 10))
  shift
  while [ $tenths -gt 0 ]; do
    "$@" >/dev/null 2>&1 && return 0
    usleep 100000
    tenths=$((tenths - 1))
  done
  echo "gave up waiting for: $*"
  return 1
}
# A program folder with the device access library and nothing else.
folder() {
  mkdir -p "$1"
  cp $V/portkit.so $V/portkit.ini "$1/"
}
ctl() { $V/vesk-mouse-sim ctl "$@"; }
status_has() { $V/veskctl status --json | tr -d ' \n' | grep -q "$1"; }
sim_log_has() { ctl log | grep -q "^[0-9]* $1"; }

# 1. Another vendor's HID device is not the mouse; ours is found beside it.
enumeration_ignores_other_ids() {
  $V/vesk-mouse-sim run --uhid --vid 04d9 --pid a0f8 --socket /run/user/other.sock \
    >/tmp/other.log 2>&1 &
  wait_for 30 test -e /dev/hidraw0 || return 1
  folder /tmp/none
  if $V/veskctl device read --folder /tmp/none; then
    echo "read a device with other ids"
    return 1
  fi
  return 0
}
enumeration_finds_the_mouse() {
  $V/vesk-mouse-sim run --uhid >/tmp/sim.log 2>&1 &
  wait_for 30 test -e /dev/hidraw1 || return 1
  wait_for 10 ctl state || return 1
  folder /tmp/factory
  $V/veskctl device read --folder /tmp/factory
}

# 2. Every report written comes back byte for byte through the kernel.
write_then_read_gives_the_image_back() {
  folder /tmp/a
  set_a() { $V/veskctl settings set --folder /tmp/a "$@"; }
  set_a --profile 0 CpiLevel_X2 18 && set_a --profile 2 CpiLevel_X2 7 &&
    set_a --profile 1 --slot 4 FunctionCode 13 &&
    set_a --profile 3 --slot 6 FunctionCode 48 && set_a --profile 3 --slot 6 Name1 Heal || return 1
  $V/veskctl device write --folder /tmp/a --verbose >/tmp/write.log || return 1
  folder /tmp/b
  $V/veskctl device read --folder /tmp/b --verbose >/tmp/read.log || return 1
  # Profile settings, buttons and the macro: what was written is what is read.
  grep -E '^SET 0[678] ' /tmp/write.log | cut -c5- | sort >/tmp/written
  grep -E '^GET 0[678] ' /tmp/read.log | cut -c5- | sort >/tmp/read
  echo "$(wc -l </tmp/written) reports written, $(wc -l </tmp/read) read"
  [ "$(wc -l </tmp/written)" -eq 11 ] && cmp /tmp/written /tmp/read || return 1
  [ "$($V/veskctl settings get --folder /tmp/b --profile 2 CpiLevel_X2)" = 7 ] &&
    [ "$($V/veskctl settings get --folder /tmp/b --profile 3 --slot 6 Name1)" = Heal ]
}

# 3. A report the mouse refuses fails the read or the write at once.
refused_report_fails_not_hangs() {
  ctl fail-get 6 1 || return 1
  folder /tmp/c
  start=$(date +%s)
  if timeout 60 $V/veskctl device read --folder /tmp/c; then
    echo "the read succeeded"
    return 1
  fi
  took=$(($(date +%s) - start))
  echo "the read failed after $took s"
  [ $took -lt 30 ] || return 1
  ctl fail-set 7 1 || return 1
  start=$(date +%s)
  if timeout 60 $V/veskctl device write --folder /tmp/a; then
    echo "the write succeeded"
    return 1
  fi
  took=$(($(date +%s) - start))
  echo "the write failed after $took s"
  [ $took -lt 30 ]
}

# 4. A button press on the mouse reaches the Monitor and changes the profile.
monitor_sees_the_button_press() {
  (cd $V && exec $V/VeskORBOpticalMonitor >/tmp/monitor.log 2>&1) &
  wait_for 120 status_has '"mouseConnected":true' || return 1
  wait_for 120 sim_log_has "SET 0e 03 01" || return 1
  status_has '"currentProfile":0' || return 1
  ctl press 22 || return 1 # "Profile Up" of the factory shift layer
  wait_for 30 status_has '"currentProfile":1' || return 1
  wait_for 30 grep -q "CurrentProfile=1" $V/config.ini
}

# 5. Removing and re-creating the HID device is removal and arrival.
monitor_follows_hotplug() {
  ctl unplug || return 1
  wait_for 30 status_has '"mouseConnected":false' || return 1
  ctl log --clear
  ctl plug || return 1
  wait_for 60 status_has '"mouseConnected":true' || return 1
  wait_for 120 sim_log_has "SET 0e 03 01"
}

# 6. Removal and arrival in quick succession (the node name comes back): the
# Monitor ends up with the mouse, and its events reach it on the new node.
monitor_survives_quick_replug() {
  ctl log --clear
  for i in 1 2 3; do
    ctl unplug && ctl plug || return 1
  done
  wait_for 60 status_has '"mouseConnected":true' || return 1
  wait_for 120 sim_log_has "SET 0e 03 01" || return 1
  ctl press 22 || return 1
  wait_for 30 status_has '"currentProfile":2'
}

check enumeration-ignores-other-ids enumeration_ignores_other_ids
check enumeration-finds-the-mouse enumeration_finds_the_mouse
check write-then-read-byte-for-byte write_then_read_gives_the_image_back
check refused-report-fails-not-hangs refused_report_fails_not_hangs
check monitor-sees-button-press monitor_sees_the_button_press
check monitor-follows-hotplug monitor_follows_hotplug
check monitor-survives-quick-replug monitor_survives_quick_replug
[ $failed -ne 0 ] && for log in /tmp/sim.log /tmp/monitor.log /tmp/udevd.log; do
  tail -15 $log 2>/dev/null | sed "s|^|VM-LOG $log: |"
done
echo "VM-RESULT $passed $failed"
