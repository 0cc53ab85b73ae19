#!/bin/sh
# PID 1 of the emulated machine: no init system, only what the cases need.
# Mounts the kernel's file systems and the host's checkout (9p tag
# "checkout", at the host's own path given as veltori.share=PATH on the
# kernel command line), runs e2e/guest/serve.sh from the checkout, and
# powers off when it returns.
PATH=/usr/sbin:/usr/bin:/sbin:/bin
export PATH
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev 2>/dev/null
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs -o mode=1777 shm /dev/shm
mount -t tmpfs run /run
mount -o remount,rw /
hostname veltori-guest
share=
for word in $(cat /proc/cmdline); do
  case $word in veltori.share=*) share=${word#veltori.share=} ;; esac
done
modprobe 9pnet_virtio 2>/dev/null
modprobe 9p 2>/dev/null
mkdir -p "$share"
if mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144 checkout "$share"; then
  bash "$share/e2e/guest/serve.sh" "$share"
  echo "veltori-guest: serve.sh ended with $?"
else
  echo "veltori-guest: could not mount the checkout at $share"
fi
sync
echo o >/proc/sysrq-trigger
sleep 30
