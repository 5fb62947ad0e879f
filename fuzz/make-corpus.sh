#!/usr/bin/env bash
# Writes the seed corpus of every fuzz target under OUT/<target>: small files made here,
# the examples and data lists of the repository, and the inputs of past findings kept in
# fuzz/corpus/<target>.
set -euo pipefail
out=${1:?usage: make-corpus.sh OUT}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
rm -rf "$out"
for t in npc_file npc_json edt_text reference_list macro_file settings_file list_renumber merge script_graph \
    foreign_links recovery_file file_set_journal po_file text_replace; do
    mkdir -p "$out/$t"
    if [ -d "$here/corpus/$t" ]; then cp "$here/corpus/$t"/* "$out/$t"/ 2>/dev/null || true; fi
done

# bytes COUNT [BYTE]: COUNT times the byte (octal escape, default NUL) on standard output.
bytes() { head -c "$1" /dev/zero | tr '\0' "${2:-\\000}"; }

# Scripts: both layouts, the files just too short, a bad second byte.
n=$out/npc_file
cp "$root"/examples/*.npc "$n"/
bytes 1600 >"$n/zeros"
{ printf '\x02\x00'; bytes 1598 '\377'; } >"$n/standard-ff"
{ printf '\x04\x00\x07\x01'; bytes 1700 '\021'; } >"$n/longer"
{ printf '\x39\x00\x35\x00'; bytes 1596 '\376'; } >"$n/vesta"
{ printf '\x39\x00\x36\x00'; bytes 1596; } >"$n/almost-vesta"
bytes 1599 >"$n/short"
printf '\x00\x00\x00' >"$n/three"
{ printf '\x00\x01'; bytes 1598; } >"$n/second-byte"

# JSON scripts: shown and stored values, fields left out, refusals.
j=$out/npc_json
printf '{"layout": "vesta", "records": [{"index": 0, "ItemIn": -5, "ControlNpc": -1, "Spare30": 65535}]}' >"$j/shown"
printf '{"records": [{"index": 49, "Mode": 2}, {"index": 3, "React": 65000, "FDay": 1.0}]}' >"$j/stored"
printf '{"records": [{"index": 3}, {"index": 3}], "layout": "wide"}' >"$j/refused"
printf '{"records": [], "phrases": ["\xd0\x94\xd0\xb0", "a\\u0001", "", 5]}' >"$j/phrases"

# Dialogue text: the first byte of an input sets how the reading is chunked.
e=$out/edt_text
for f in "$root"/examples/*.edt; do { printf '\x05'; cat "$f"; } >"$e/$(basename "$f")"; done
{ printf '\x00'; printf 'I\x00\x21\x00\x20\x00\x01\x00\xff\x00\x00\x01'; bytes 468 '\102'; } >"$e/units"
{ printf '\xff'; bytes 961 '\041'; } >"$e/no-end-and-tail"
{ printf '\x05'; printf '#0\r\nA\r\n\r\n#1\r\n\r\n\r\n#3\nx'; } >"$e/text-form"

# Lists: every shape of line.
l=$out/reference_list
cp "$root"/Data/*.txt "$l"/
printf '0=\xcd\xe8\xf7\xe5\xe3\xee\r\n1=a\r\n1=dup\n;c=x\n\n=empty\nnoeq\r\n+7=plus\n-3=m\n2=x\x1a9=after\n' >"$l/shapes"
printf '9223372036854775807=max\n-9223372036854775808=min\n9223372036854775808=over\n65535=w\n' >"$l/numbers"
printf 'a=1\r\r\n00=zero\n' >"$l/odd-ends"

# Macros: formed entries, bad values, every line end.
m=$out/macro_file
printf '\xcc\xe0\xea\xf0\xee\xf1=1,0,65535,65535,255,255,255,4,0,2,1,255,255,255,255,0,65535,0,65535,0,0,0\r\n' >"$m/one"
printf 'a=1,2,3\rb=-1,x,3\nc=\r\n=0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n\0after' >"$m/shapes"
printf 'big=2147483647,-2147483648,4294967296,+5,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,\r\n' >"$m/limits"

# Settings: the program's keys among lines of others, in Windows-1251 and UTF-8.
s=$out/settings_file
printf '[Config]\r\nWorkDir=/tmp\r\nDataDir=/\r\nEdtEditor=/usr/bin/edt\r\nFormWidth=900\r\nAlertShow=1\r\n' >"$s/ours"
printf '\xef\xbb\xbf; \xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8\n[\xc8\xe3\xf0\xe0]\nPath=C:\\\xc8\xe3\xf0\xfb\n[config]\n workdir = . \nformwidth=12abc' >"$s/foreign"
printf '[Other]\r\nWorkDir=x\r\n[Config]\r\n;WorkDir=commented\r\nWorkDir=\r\n[Config]\r\nWorkDir=second\r\n' >"$s/twice"
printf 'FormWidth=800\n[Config\nAlertShow=-1\r\r\n' >"$s/broken"

# Renumbering: the first two bytes pick the numbers (mod 16), then a list.
r=$out/list_renumber
for f in "$root"/Data/*.txt; do { printf '\x05\x0b'; cat "$f"; } >"$r/$(basename "$f")"; done
printf '\x07\x09;7=c\r\n7=a=b\r\n07=x\n+7=y\n7\n9=z\x1a7=after' >"$r/shapes"
printf '\x03\x03\n3=\r\n\r\n3=last' >"$r/same"

# Merges: three versions split by 0xff.
g=$out/merge
printf 'abcde\xffaXbcde\xffabcdY' >"$g/apart"
printf 'abcde\xffabXde\xffabYde' >"$g/conflict"
printf '\xffab\xffcd' >"$g/no-base"
printf '\x01\x09\x05\x02\x10\x07\xff\x01\x09\x06\xff\x02\x09\x05\x01\x10\x07' >"$g/records"

# The map: a script's records, its own number, then its dialogue file.
map=$out/script_graph
for f in "$root"/examples/*.npc; do
    name=$(basename "$f" .npc)
    { head -c 1600 "$f"; printf '\x39'; cat "$root/examples/$name.edt" 2>/dev/null || true; } >"$map/$name"
done
{ for i in $(seq 0 49); do printf '\x00\x00\x00\x00\x00\x00\x00\x00\xff\x00\xff\x01\x00\x00\x01\xff\xff\x39'; printf "\\x$(printf %02x $(( (i * 7) % 60 )))"; bytes 13; done
  printf '\x39'; printf '"\x00\\\x00\x0b\x00'; bytes 474 '\101'; } >"$map/every-record-linked"

# Links of another script: its own number, how many links, each as record, old and new
# target, then the script.
f=$out/foreign_links
for script in "$root"/examples/*.npc; do
    { printf '\x39\x02\x00\x03\x02\x03\x03\x05'; cat "$script"; } >"$f/$(basename "$script")"
done
{ printf '\x39\x01\x00\x00\x01\x39\x00\x35\x00'; bytes 1596 '\071'; } >"$f/vesta"

# Recovery files without their hash (the target adds it): a new script, one with its
# dialogue text, and one cut in the records.
v=$out/recovery_file
head8() { printf '\x01\x02\x03\x04\x00\x00\x00\x00'; }
{ printf 'SCRVRCV1'; head8; head8; head8; printf '\x00\x00\x00\x00\x00'; bytes 1600; printf '\x00\x00\x00\x00\x00\x00\x00\x00\x00'; } >"$v/new"
{ printf 'SCRVRCV1'; head8; head8; head8; printf '\x01\x09\x00\x00\x00/a/57.npc'; bytes 1600 '\377'
  printf '\x01\x09\x00\x00\x00/a/57.edt\xe0\x01\x00\x00I\x00\x21\x00\x20\x00'; bytes 474; } >"$v/dialogue"
{ printf 'SCRVRCV1'; head8; head8; head8; printf '\x00\x00\x00\x00\x00'; bytes 700; } >"$v/cut"

# Journals of a set of files: one of each step, committed; one cut while it was written.
j=$out/file_set_journal
h=0123456789abcdef0123456789abcdef01234567
{ printf 'scrivlet-file-set 1\nowner 42 7\nfolder /g\n'
  printf 'replace /g/a.npc /g/a.npc.x1 /g/a.npc.x2 %s -\n' $h
  printf 'create /g/%%D0%%94.txt /g/%%D0%%94.txt.x3 %s\n' $h
  printf 'move /g/057.npc /g/112.npc /g/112.npc.x4 %s %s\nend\ncommit\n' $h $h; } >"$j/committed"
printf 'scrivlet-file-set 1\nowner 42 7\nfolder /g\nreplace /g/a.npc /g/a.n' >"$j/cut"

# Translations: a header with each charset, comments of every kind, fuzzy, plural, obsolete.
p=$out/po_file
printf 'msgid ""\nmsgstr ""\n"Content-Type: text/plain; charset=UTF-8\\n"\n\n#. \xd0\x9a: 3\n#: 1.edt:0\nmsgctxt "1.edt"\nmsgid "\xd0\x94\xd0\xb0"\nmsgstr "Yes"\n' >"$p/utf8"
printf 'msgid ""\nmsgstr "Content-Type: text/plain; charset=windows-1251\\n"\n\n#, fuzzy\n#| msgid "a"\nmsgctxt "2.edt"\nmsgid "\xc4\xe0"\nmsgstr ""\n"\\t\\101\\x41"\r\n' >"$p/cp1251"
printf 'msgid "one"\nmsgid_plural "many"\nmsgstr[0] "1"\nmsgstr[1] "2"\n\n#~ msgid "old"\n#~ msgstr "x"' >"$p/plural"
