#!/usr/bin/env bash
# Hostile paths and inputs against zr415-convert, which runs the editor's own readers and
# writers: each must end with a message and the documented exit status, never hang, never
# abort, and never replace anything but a regular file. Usage: attacks.sh ZR415-CONVERT
set -u
convert="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
# The memory limit (KiB) that proves a huge input is never read whole; none under a sanitizer.
limit_memory() { [ -n "${ATTACKS_NO_MEMORY_LIMIT:-}" ] || ulimit -v 400000; }

# name, condition (a command); says the exit status and the first line of the message too.
check() {
    local said=""
    [ -s err.txt ] && said="$(grep -v '^$' err.txt | tail -n 1)"
    if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
    echo "     exit ${status:-}; ${said}"
}

# A site to convert: 384 default channels, made by the converter from a list.
printf 'AA01,TPR 1,Back\r\n' > site.csv
"$convert" site.csv site.dip 2>/dev/null
check "sample site made" '[ -s site.dip ]'

# An OUTPUT that is a FIFO, or a link to one, is left alone.
mkfifo fifo
ln -s fifo link.csv
timeout 10 "$convert" site.dip link.csv 2>err.txt; status=$?
check "link to a FIFO as OUTPUT: exit 1" '[ $status -eq 1 ]'
check "link to a FIFO as OUTPUT: told" 'grep -q "Not a regular file" err.txt'
check "link to a FIFO as OUTPUT: still a FIFO" '[ -p fifo ] && [ -L link.csv ]'

# A device node of our own (only root can make one).
if [ "$(id -u)" -eq 0 ] && mknod null-device c 1 3 2>/dev/null; then
    ln -s null-device device.csv
    timeout 10 "$convert" site.dip device.csv 2>err.txt; status=$?
    check "link to a device as OUTPUT: exit 1, still a device" \
        '[ $status -eq 1 ] && [ -c null-device ] && grep -q "Not a regular file" err.txt'
fi

# A FIFO as INPUT fails at once, and so does a FIFO named SiteInfo.cfg for --sites.
mv fifo fifo.csv
timeout 10 "$convert" fifo.csv out.csv 2>err.txt; status=$?
check "FIFO as INPUT: exit 1 at once" '[ $status -eq 1 ] && [ ! -e out.csv ]'
mkdir -p config/north && mkfifo config/north/SiteInfo.cfg
timeout 10 "$convert" --sites config > sites.txt 2>err.txt; status=$?
check "FIFO as SiteInfo.cfg: --sites ends" '[ $status -eq 0 ]'

# A list that is a link to /dev/zero is no regular file; a huge regular one is refused.
ln -s /dev/zero zero.csv
timeout 10 "$convert" zero.csv out.csv 2>err.txt; status=$?
check "/dev/zero as INPUT: exit 1 at once" '[ $status -eq 1 ]'
truncate -s 100M huge.csv
(limit_memory; timeout 20 "$convert" huge.csv out.csv 2>err.txt); status=$?
check "100 MB list under a memory limit: exit 1, told" \
    '[ $status -eq 1 ] && grep -q "larger than 64 MB" err.txt'

# A DChannel.cfg of 3 GB whose header counts one record: only that record is read.
mkdir -p big && printf 'K7V2.0 DChannels\x01\x00\x05\x00TPR 9\x00\x00\x00\x00\xff\xff\x00\x00' \
    > big/DChannel.cfg && truncate -s 3G big/DChannel.cfg
(limit_memory; timeout 20 "$convert" big big.csv 2>/dev/null); status=$?
check "3 GB DChannel.cfg: read at once" '[ $status -eq 0 ] && grep -q "^AA01,TPR 9,Back" big.csv'

# A name holding CR LF (a channel file may hold any byte) is written with a space for the
# break, so that the list reads back as that one name, not as a line of its own over AA05.
cp site.dip evil.dip
printf 'EVIL\r\nAA05,Back ' | dd of=evil.dip bs=1 seek=16 conv=notrunc 2>/dev/null
cp site.dip spaced.dip
printf 'EVIL AA05,Back  ' | dd of=spaced.dip bs=1 seek=16 conv=notrunc 2>/dev/null
"$convert" evil.dip evil.csv 2>/dev/null
"$convert" --yes evil.csv again.dip 2>err.txt; status=$?
check "CR LF in a name: the list reads back as that name, a space for the break" \
    '[ $status -eq 0 ] && ! grep -q "Continue loading" err.txt && cmp -s spaced.dip again.dip'

# A closed standard error does not stop the save.
"$convert" site.dip piped.csv 2>&1 | head -c 1 > /dev/null; status=${PIPESTATUS[0]}
check "closed standard error: saved, exit 0" '[ $status -eq 0 ] && [ -s piped.csv ]'

# A name that is not valid UTF-8 is refused, never written under another name.
"$convert" site.dip $'caf\xe9.csv' 2>err.txt; status=$?
check "Latin-1 OUTPUT name: refused" '[ $status -eq 2 ] && [ -z "$(ls | grep caf)" ]'

# Names up to 255 bytes are saved over an old file.
long="$(printf 'n%.0s' $(seq 251)).csv"
printf 'old' > "$long"
"$convert" site.dip "$long" 2>err.txt; status=$?
check "255-byte name: saved" '[ $status -eq 0 ] && grep -q "^AA01,TPR 1,Back" "$long"'

# A save killed part-way leaves its temporary file; the next save there removes it.
printf 'left' > site.csv.zr415-Ab12Cd && touch -d '2 days ago' site.csv.zr415-Ab12Cd
printf 'mine' > site.csv.backup && touch -d '2 days ago' site.csv.backup
"$convert" site.dip site.csv 2>/dev/null
check "stale temporary file removed, the user's backup kept" \
    '[ ! -e site.csv.zr415-Ab12Cd ] && [ -e site.csv.backup ]'

echo "$failures failed"
[ "$failures" -eq 0 ]
