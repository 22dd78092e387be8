#!/bin/sh
# Runs a program where the machine's serial ports cannot be reached: /dev is
# a fresh tmpfs in a mount namespace of its own, holding the few nodes a
# desktop program needs and one port, which is the test's pseudo-terminal.
# Usage (as root, under `unshare --mount --propagation private`):
#   isolated-serial-ports.sh SAVE_DIR PTY_SLAVE PORT_NAME PROGRAM
set -eu
save=$1 slave=$2 port=$3 program=$4
mkdir -p "$save"
mount --rbind /dev "$save"
mount -t tmpfs -o mode=0755 orvane-dev /dev
for node in null zero random urandom; do
  touch "/dev/$node"
  mount --bind "$save/$node" "/dev/$node"
done
mkdir /dev/pts /dev/shm
mount --bind "$save/pts" /dev/pts
ln -s pts/ptmx /dev/ptmx
mount -t tmpfs -o mode=1777 orvane-shm /dev/shm
touch "/dev/$port"
mount --bind "$save${slave#/dev}" "/dev/$port"
cd "$(dirname "$program")"
exec "$program"
