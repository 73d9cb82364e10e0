#!/usr/bin/env bash
# Boots the 32-bit guest once to run FOLDER/share/job inside it, and returns
# when the guest has ended; what the job printed is FOLDER/share/job.log,
# its exit status FOLDER/share/status, the guest's console FOLDER/console.log.
#
#   boot.sh GUEST FOLDER SECONDS [--snapshot]
#
# GUEST holds vmlinuz, initrd.gz and root.img. With --snapshot the disk is
# only read: what the job writes to it is gone at the end. Fails when the
# guest had not ended after SECONDS.
#
# Emulated in full (TCG): one CPU, no network device at all; SMAP off, as
# with it this QEMU's guest kernel oopses at Wine's first return to Windows
# code.
set -uo pipefail
guest=$1 folder=$2 seconds=$3 snapshot=${4:+,snapshot=on}
root=$(cd "$(dirname "$0")/../.." && pwd)
timeout --kill-after=10 "$seconds" qemu-system-i386 -machine pc -accel tcg -cpu max,-smap -smp 1 -m 1024 \
  -nic none -display none -no-reboot -monitor none -serial "file:$folder/console.log" \
  -kernel "$guest/vmlinuz" -initrd "$guest/initrd.gz" -append "console=ttyS0 quiet panic=-1 mitigations=off" \
  -drive "file=$guest/root.img,format=raw,if=virtio,cache=unsafe$snapshot" \
  -virtfs "local,path=$root,mount_tag=vexal,security_model=none,readonly=on" \
  -virtfs "local,path=$folder/share,mount_tag=out,security_model=none" </dev/null
status=$?
[ "$status" -eq 124 ] && echo "the 32-bit guest had not ended after $seconds s"
exit "$status"
