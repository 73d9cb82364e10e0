#!/usr/bin/env bash
# Makes the 32-bit guest in build/guest32 unless the one there was made from
# today's package list and scripts (key.sh): a Debian i386 userland with
# 32-bit Wine, the 686 kernel, a busybox initramfs and a root disk whose Wine
# prefix is set to Windows XP. Nothing 32-bit runs on the host: the userland
# is only unpacked (mmdebstrap's extract mode, from the mirror and suite apt
# uses here), and what needs 32-bit code is done by a first boot.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
guest=$root/build/guest32
key=$(bash scripts/guest32/key.sh)
if [ "$(cat "$guest/key" 2>/dev/null)" = "$key" ]; then exit 0; fi

echo "preparing the 32-bit guest in build/guest32 (once for these scripts and packages)"
rm -rf "$guest"
work=$guest.new
rm -rf "$work"
mkdir -p "$work/boot/share"
tree=$work/tree

# The userland, from the host's own Debian sources.
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
sources=()
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
  [ -s "$f" ] && sources+=("$f")
done
packages=$(grep -v '^#' scripts/guest32/packages.txt | tr -s ' \n' ',' | sed 's/^,//; s/,$//')
mmdebstrap --quiet --variant=extract --arch=i386 --include="$packages" \
  --aptopt='Acquire::Check-Valid-Until "false"' \
  --dpkgopt='path-exclude=/usr/share/doc/*' --dpkgopt='path-exclude=/usr/share/man/*' \
  --dpkgopt='path-exclude=/usr/share/locale/*' \
  "$suite" "$tree" "${sources[@]}"

# What the package scripts would have done and needs no 32-bit code. libwine
# copies zlib into Wine's DLL folders marked as one of its built-in DLLs
# (without it user32.dll does not load); wine links each command to its
# -stable form; root needs its line to be root.
for mingw in i686:i386 x86_64:x86_64; do
  dll=$tree/usr/${mingw%%:*}-w64-mingw32/lib/zlib1.dll
  [ -f "$dll" ] || continue
  {
    head -c 64 "$dll"
    printf 'Wine builtin DLL'
    head -c 16 /dev/zero
    tail -c +97 "$dll"
  } >"$tree/usr/lib/i386-linux-gnu/wine/${mingw##*:}-windows/zlib1.dll"
done
for stable in "$tree"/usr/bin/*-stable; do ln -sfn "$(basename "$stable")" "${stable%-stable}"; done
echo 'root:x:0:0:root:/root:/bin/bash' >"$tree/etc/passwd"
echo 'root:x:0:' >"$tree/etc/group"
mkdir -p "$tree/vexal" "$tree/out" "$tree/newroot"

# The kernel, and an initramfs of busybox, the init and the modules it loads
# in the order modprobe gives against the unpacked tree.
version=$(ls "$tree/lib/modules")
cp "$tree/boot/vmlinuz-$version" "$work/vmlinuz"
depmod -b "$tree" "$version"
initramfs=$work/initramfs
mkdir -p "$initramfs"/{bin,dev,proc,sys,newroot}
cp "$tree/bin/busybox" "$initramfs/bin/"
install -m 755 scripts/guest32/init "$initramfs/init"
for module in virtio_pci virtio_blk ext4 9pnet_virtio 9p; do
  modprobe -d "$tree" -S "$version" --show-depends "$module"
done | awk '$1 == "insmod" && !seen[$2]++ { print $2 }' | while read -r path; do
  inside=${path#"$tree"}
  mkdir -p "$initramfs$(dirname "$inside")"
  cp "$path" "$initramfs$inside"
  echo "$inside"
done >"$initramfs/modules"
(cd "$initramfs" && find . | cpio --quiet -o -H newc) | gzip -1 >"$work/initrd.gz"
rm -rf "$initramfs"

# The root disk, made from the tree without mounting anything; room for the
# prefix and for what a run writes.
truncate -s 4G "$work/root.img"
mkfs.ext4 -q -F -L vexal32 -d "$tree" "$work/root.img"
rm -rf "$tree"

# The first boot: caches and the Wine prefix.
echo 'exec bash /vexal/scripts/guest32/prepare-inside.sh' >"$work/boot/share/job"
bash scripts/guest32/boot.sh "$work" "$work/boot" 400 || true
if [ "$(cat "$work/boot/share/status" 2>/dev/null)" != 0 ]; then
  echo "the 32-bit guest's first boot failed; what it printed:"
  tail -n 30 "$work/boot/share/job.log" 2>/dev/null || tail -n 30 "$work/boot/console.log"
  exit 1
fi
echo "$key" >"$work/key"
mv "$work" "$guest"
