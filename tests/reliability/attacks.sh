#!/usr/bin/env bash
# Hostile paths and inputs against zr415-convert, which runs the editor's own readers and
# writers, and against the editor's recovery copies: each must end with a message and the
# documented exit status, never hang, never abort, never replace anything but a regular file the
# user may write, and never delete what it cannot read. System calls are made to fail by the
# preloaded FAULTS library (tests/support/FaultInjection.cpp).
# Usage: attacks.sh ZR415-CONVERT FAULTS RECOVERY-EDITOR
set -u
convert="$1"
faults="$2"
editor="$3"
work="$(mktemp -d)"
# Stops a job of this script and what it started (faulty runs its command in a subshell).
stop_job() { pkill -P "$1" 2>/dev/null; kill "$1" 2>/dev/null; wait "$1" 2>/dev/null; }
# Editors left waiting go too, whether the script ends or is stopped.
trap 'for job in $(jobs -p); do stop_job "$job"; done; rm -rf "$work"' EXIT
trap 'exit 143' TERM INT
cd "$work"
failures=0
# The memory limit (KiB) that proves a huge input is never read whole; none under a sanitizer.
limit_memory() { [ -n "${ATTACKS_NO_MEMORY_LIMIT:-}" ] || ulimit -v 400000; }

# CALL PATTERN ERRNO AFTER TIMES COMMAND...: runs the command with CALL failing as the fault
# injection's variables say (TIMES empty: every call after AFTER fails).
faulty() {
    local call="$1" pattern="$2" error="$3" after="$4" times="$5"
    shift 5
    env LD_PRELOAD="$faults" ZR415_FAULT_CALL="$call" ZR415_FAULT_PATH="$pattern" \
        ZR415_FAULT_ERRNO="$error" ZR415_FAULT_AFTER="$after" ZR415_FAULT_TIMES="$times" \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" "$@"
}

# name, condition (a command); says the exit status and the last line of the message too.
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
truncate -s $((64 * 1024 * 1024 + 1)) huge.csv
(limit_memory; timeout 20 "$convert" huge.csv out.csv 2>err.txt); status=$?
check "list one byte over 64 MB under a memory limit: exit 1, told" \
    '[ $status -eq 1 ] && grep -q "larger than 64 MB" err.txt'

# The fingerprint of a file's bytes that cannot be read whole says why.
faulty read '*site.dip' EIO 100 '' "$convert" --fingerprint --full site.dip >/dev/null 2>err.txt
status=$?
check "--fingerprint --full of a file whose read fails: exit 2, told" \
    '[ $status -eq 2 ] && grep -q "Input/output error" err.txt'

# A card's file one byte over 64 MB is no copy of a site: not read, and said so. One of 64 MB is
# read and compared.
truncate -s $((64 * 1024 * 1024)) card.dip
(limit_memory; timeout 20 "$convert" --verify site.dip card.dip 2>err.txt); status=$?
check "card file of 64 MB: read and compared (exit 1)" \
    '[ $status -eq 1 ] && grep -q "the card.s file flag is 00000000" err.txt'
truncate -s $((64 * 1024 * 1024 + 1)) card.dip
(limit_memory; timeout 20 "$convert" --verify site.dip card.dip 2>err.txt); status=$?
check "card file one byte over 64 MB: unreadable (exit 2), too large" \
    '[ $status -eq 2 ] && grep -q "File too large" err.txt'
rm -f card.dip

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

# A read that fails part-way, as a bad spot on a card does, fails the whole read with the
# system's reason; nothing is written from the part read.
"$convert" site.dip list.csv 2>/dev/null
faulty read '*list.csv' EIO 100 '' "$convert" list.csv part.dip 2>err.txt; status=$?
check "CSV read fails after 100 bytes: exit 1, told, nothing written" \
    '[ $status -eq 1 ] && grep -q "Input/output error" err.txt && [ ! -e part.dip ]'
printf 'HH48,LAST,Back\r\n' > big.csv && "$convert" --yes big.csv big.dip 2>/dev/null
faulty read '*big.dip' EIO 20000 '' "$convert" big.dip part.csv 2>err.txt; status=$?
check "3072-channel file read fails after 20000 bytes: exit 1, told, nothing written" \
    '[ $status -eq 1 ] && grep -q "Input/output error" err.txt && [ ! -e part.csv ]'

# A SiteInfo.cfg that fails after the name gives no site, not one in the folder the file names.
mkdir -p sites/north
{ printf 'K7V2.0 Site Info file\x05\x00North\x0b\x00D:\\elsewhere'; head -c 64 /dev/zero; } \
    > sites/north/SiteInfo.cfg
faulty read '*SiteInfo.cfg' EIO 45 '' "$convert" --sites sites >sites.txt 2>err.txt; status=$?
check "SiteInfo.cfg read fails part-way: told, the site not listed" \
    '[ $status -eq 0 ] && grep -q "Input/output error" err.txt && [ ! -s sites.txt ]'

# Saves end as the system says: a disk found full only when the bytes are flushed, a rename
# refused. The old file stays whole and no temporary file is left.
cp list.csv kept.csv
faulty fsync '*/kept.csv.zr415-*' ENOSPC 0 '' "$convert" site.dip kept.csv 2>err.txt; status=$?
check "flush finds the disk full: exit 1, the system's reason, old file kept" \
    '[ $status -eq 1 ] && grep -q "No space left on device" err.txt && cmp -s list.csv kept.csv &&
     [ -z "$(ls | grep zr415-)" ]'
faulty rename '*/kept.csv' EIO 0 '' "$convert" site.dip kept.csv 2>err.txt; status=$?
check "rename fails: exit 1, old file kept, no temporary file left" \
    '[ $status -eq 1 ] && cmp -s list.csv kept.csv && [ -z "$(ls | grep zr415-)" ]'
# After the rename the folder itself is synced, or a card pulled out may lack the new entry.
faulty fsync "$(pwd -P)" EIO 0 '' "$convert" site.dip kept.csv 2>err.txt; status=$?
check "folder cannot be synced after the rename: exit 1, told" \
    '[ $status -eq 1 ] && grep -q "Input/output error" err.txt'

# A folder that takes no new file cannot have a file replaced safely: the message names the
# folder, and the file stays.
faulty open '*/kept.csv.zr415-*' EACCES 0 '' "$convert" site.dip kept.csv 2>err.txt; status=$?
check "folder takes no temporary file: exit 1, the folder named, file kept" \
    '[ $status -eq 1 ] && grep -q "in the folder $(pwd -P): Permission denied" err.txt &&
     cmp -s list.csv kept.csv'

# The temporary file of a save still under way (held locked by it) is not a killed save's,
# however old it looks.
# This shell holds the lock: a holder in the background would keep the test's output open.
printf 'busy' > list.csv.zr415-Busy01 && touch -d '2 days ago' list.csv.zr415-Busy01
exec 8<list.csv.zr415-Busy01 && flock 8
"$convert" site.dip list.csv 2>err.txt 8<&-; status=$?
check "temporary file of a save under way kept" '[ $status -eq 0 ] && [ -e list.csv.zr415-Busy01 ]'
exec 8<&-
rm -f list.csv.zr415-Busy01

# A read-only file is not replaced, not even by root; a writable one keeps its permission bits
# and, for root, its owner.
cp list.csv locked.csv && chmod 444 locked.csv
"$convert" site.dip locked.csv 2>err.txt; status=$?
check "read-only file: exit 1, Permission denied, kept" \
    '[ $status -eq 1 ] && grep -q "Permission denied" err.txt && cmp -s list.csv locked.csv &&
     [ "$(stat -c %a locked.csv)" = 444 ]'
cp list.csv shared.csv
if [ "$(id -u)" -eq 0 ]; then chown nobody shared.csv; fi
chmod 2654 shared.csv
owner="$(stat -c %U shared.csv)"
"$convert" evil.dip shared.csv 2>err.txt; status=$?
check "permission bits and owner kept" \
    '[ $status -eq 0 ] && [ "$(stat -c %a shared.csv)" = 2654 ] &&
     [ "$(stat -c %U shared.csv)" = "$owner" ] && ! cmp -s list.csv shared.csv'

# The file written is the one the system finds: through a chain of links, and through ".."
# after a linked folder, which leads to that folder's real parent.
mkdir -p real/inner && cp list.csv real/site.csv && cp site.csv unrelated.csv
ln -s real/site.csv chain2.csv && ln -s chain2.csv chain1.csv
"$convert" evil.dip chain1.csv 2>err.txt; status=$?
check "chain of links: the real file written, both links stay" \
    '[ $status -eq 0 ] && cmp -s evil.csv real/site.csv && [ -L chain1.csv ] && [ -L chain2.csv ]'
cp list.csv real/site.csv && ln -s real/inner linked && ln -s ../site.csv real/inner/up.csv
"$convert" evil.dip linked/up.csv 2>err.txt; status=$?
check "link holding .. in a linked folder: its real target written, nothing else" \
    '[ $status -eq 0 ] && cmp -s evil.csv real/site.csv && cmp -s unrelated.csv site.csv'
cp list.csv real/site.csv
"$convert" evil.dip linked/../site.csv 2>err.txt; status=$?
check "OUTPUT through a linked folder and ..: the system's file written" \
    '[ $status -eq 0 ] && cmp -s evil.csv real/site.csv && cmp -s unrelated.csv site.csv'

# Links that lead round in a circle are written through by no system: nothing replaces them.
ln -s loop2.csv loop1.csv && ln -s loop1.csv loop2.csv
"$convert" site.dip loop1.csv 2>err.txt; status=$?
check "links in a circle: exit 1, told, both links stay" \
    '[ $status -eq 1 ] && grep -q "symbolic links" err.txt && [ -L loop1.csv ] && [ -L loop2.csv ]'

# The card read back after Export to ZR415 fails part-way: that is said, not taken for a card
# that holds other bytes.
export HOME="$work/home" QT_QPA_PLATFORM=offscreen
faulty read '*card.dip' EIO 1000 '' "$editor" site.dip export card.dip >out.txt 2>/dev/null
check "card read-back fails part-way: told so" \
    'grep -q "could not be read back" out.txt && grep -q "Input/output error" out.txt'

# Recovery copies that give no site back are set aside under another name and the user told
# where, never deleted: unreadable, too many open files, damaged, from a newer version or of no
# version there was, one byte over 16 MB.
copies="$HOME/.qttest/share/ZR415Config/recovery"
mkdir -p "$copies"
"$editor" site.dip keep >/dev/null 2>&1
good="$(ls "$copies" | grep 'recovery$')"
leave_copies() {
    rm -f "$copies"/*
    cp "$work/good.copy" "$copies/unreadable.zr415-recovery"
    cp "$work/good.copy" "$copies/no-descriptor.zr415-recovery"
    head -c 300 "$work/good.copy" > "$copies/damaged.zr415-recovery"
    printf 'ZREC\x00\x02later' > "$copies/newer.zr415-recovery"
    { head -c 4 "$work/good.copy"; printf '\x00\x00'; tail -c +7 "$work/good.copy"; } \
        > "$copies/older.zr415-recovery"
    truncate -s $((16 * 1024 * 1024 + 1)) "$copies/huge.zr415-recovery"
    # The good copy cut to its first five rows (each two strings, a flag, two strings), with a
    # count of 5 that agrees: whole in itself, yet no site has five channels.
    perl -0777 -ne '$c = index($_, "\0\0\3\0\0\0\0\x14\0R"); $p = $c + 4;
        for $f (1 .. 20) { if ($f % 4 == 2) { $p++; next } $n = unpack("N", substr($_, $p, 4));
            $p += 4 + ($n == 0xFFFFFFFF ? 0 : $n) }
        print substr($_, 0, $c), pack("N", 5), substr($_, $c + 4, $p - $c - 4)' \
        "$work/good.copy" > "$copies/five.zr415-recovery"
}
cp "$copies/$good" good.copy
leave_copies
(limit_memory; faulty read '*/unreadable.zr415-recovery' EIO 10 '' "$editor" offer 2>err.txt)
status=$?
check "unreadable, damaged, newer, older, huge and five-channel copies: set aside, told where" \
    '[ $status -eq 0 ] && [ "$(ls "$copies" | grep -c "recovery.set-aside$")" -eq 6 ] &&
     grep -q "five.zr415-recovery.set-aside (the copy is damaged)" err.txt &&
     grep -q "unreadable.zr415-recovery.set-aside (Input/output error)" err.txt &&
     grep -q "newer.zr415-recovery.set-aside (written by a newer version" err.txt &&
     grep -q "damaged.zr415-recovery.set-aside (the copy is damaged)" err.txt &&
     grep -q "older.zr415-recovery.set-aside (the copy is damaged)" err.txt &&
     grep -q "huge.zr415-recovery.set-aside (File too large)" err.txt'
leave_copies
printf 'set aside before' > "$copies/no-descriptor.zr415-recovery.set-aside"
faulty open '*/no-descriptor.zr415-recovery' EMFILE 0 '' "$editor" offer 2>err.txt; status=$?
check "copy that cannot be opened (too many open files): set aside beside one before, told" \
    '[ $status -eq 0 ] && [ -e "$copies/no-descriptor.zr415-recovery.set-aside-2" ] &&
     grep -q "no-descriptor.zr415-recovery.set-aside-2 (Too many open files)" err.txt &&
     [ "$(cat "$copies/no-descriptor.zr415-recovery.set-aside")" = "set aside before" ]'
# With every name to set it aside under taken, a copy stays where it is, and the user is told so.
rm -f "$copies"/*
head -c 300 "$work/good.copy" > "$copies/full.zr415-recovery"
for n in '' $(seq -f -%g 2 99); do : > "$copies/full.zr415-recovery.set-aside$n"; done
"$editor" offer 2>err.txt; status=$?
check "damaged copy with all 99 set-aside names taken: left in place, told where it lies" \
    '[ $status -eq 0 ] && [ -s "$copies/full.zr415-recovery" ] &&
     grep -q "recovery/full.zr415-recovery (the copy is damaged)" err.txt &&
     [ ! -e "$copies/full.zr415-recovery.set-aside-100" ]'

# A dead editor's lock without a copy, and the temporary file of a copy write it was killed in,
# are removed at the next start; a running editor's lock stays.
rm -f "$copies"/*
"$editor" site.dip wait >dead.txt 2>/dev/null & dead=$!
"$editor" site.dip wait >live.txt 2>/dev/null & live=$!
for _ in $(seq 300); do grep -q READY dead.txt && grep -q READY live.txt && break; sleep 0.1; done
kill -9 "$dead"; wait "$dead" 2>/dev/null
rm -f "$copies"/*.zr415-recovery
# However old it looks, a running editor's lock is its own.
touch -d '2 days ago' "$copies"/*.lock
printf 'part' > "$copies/dead.zr415-recovery.zr415-Ab12Cd"
touch -d '2 days ago' "$copies/dead.zr415-recovery.zr415-Ab12Cd"
"$editor" offer 2>err.txt; status=$?
check "dead editor's lock and temporary copy removed, a running editor's lock kept" \
    '[ $status -eq 0 ] && [ "$(ls "$copies")" = "$(basename "$(cut -d" " -f2 live.txt)").lock" ]'
kill "$live"; wait "$live" 2>/dev/null

# A copy that could not be written is tried again with no further change, until it is written.
rm -f "$copies"/*
faulty open '*.zr415-recovery.zr415-*' ENOSPC 0 1 "$editor" site.dip wait >retry.txt 2>/dev/null &
retry=$!
for _ in $(seq 300); do grep -q READY retry.txt && break; sleep 0.1; done
check "copy that could not be written: written at the next try" 'grep -q READY retry.txt'
stop_job "$retry"

# While copies cannot be written the status bar says so, until they can.
rm -f "$copies"/*
faulty open '*.zr415-recovery.zr415-*' ENOSPC 0 1 "$editor" site.dip keep >out.txt 2>/dev/null
check "copy cannot be written: the status bar says why, until it can" \
    '[ "$(head -n 1 out.txt)" = \
       "Unsaved changes are not being kept for recovery: No space left on device" ] &&
     [ -z "$(sed -n 2p out.txt)" ] && [ "$(wc -l < out.txt)" -eq 2 ]'
cp site.dip saved.dip
faulty open '*.zr415-recovery.zr415-*' ENOSPC 0 '' "$editor" saved.dip save >out.txt 2>/dev/null
check "copy cannot be written, then the site is saved: the status bar says no more" \
    '[ "$(head -n 1 out.txt)" = \
       "Unsaved changes are not being kept for recovery: No space left on device" ] &&
     [ -z "$(sed -n 2p out.txt)" ] && [ "$(wc -l < out.txt)" -eq 2 ]'

echo "$failures failed"
[ "$failures" -eq 0 ]
