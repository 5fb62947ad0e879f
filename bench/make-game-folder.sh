#!/usr/bin/env bash
# Writes the benchmarks' game folder: 40 folders of 250 scripts (NPC numbers 0 to 249),
# each with a .edt of 10 to 60 lines; records link within the script and to other
# characters of the folder. Record 0 has mode 0 or 2, which the file's first bytes must
# have to be read as a script. The same folder every time. Usage: make-game-folder.sh DIR
set -euo pipefail
perl -e '
    use strict; srand(12);
    my ($root) = @ARGV;
    mkdir $root;
    for my $d (0 .. 39) {
        my $dir = sprintf("%s/area%02d", $root, $d);
        mkdir $dir;
        for my $n (0 .. 249) {
            my $lines = 10 + int(rand(51));
            my $used = 5 + int(rand(36));
            my $npc = "";
            for my $r (0 .. 49) {
                if ($r >= $used) { $npc .= "\0" x 32; next; }
                my $link = rand();
                my $cnpc = $link < 0.3 ? $n : $link < 0.6 ? int(rand(260)) : 255;
                my $crec = $cnpc == 255 ? 255 : int(rand(52));
                my $phrase = rand() < 0.2 ? 255 : int(rand($lines + 3));
                $npc .= pack("v4 C12 v6",
                    $r ? int(rand(4)) : 2 * int(rand(2)), int(rand(40)), rand() < 0.5 ? 65535 : int(rand(520)), 65535,
                    255, int(rand(20)), rand() < 0.5 ? 255 : int(rand(30)), int(rand(30)), 0,
                    $phrase, 1 + int(rand(3)), 255, 255, $cnpc, $crec, 0,
                    65535, 0, 65535, int(rand(40)), 0, 0);
            }
            open(my $f, ">", sprintf("%s/%03d.npc", $dir, $n)) or die; binmode $f; print $f $npc; close $f;
            my $edt = "";
            for my $l (1 .. $lines) {
                my $text = join("", map { chr(97 + int(rand(26))) } 1 .. (20 + int(rand(100))));
                my @units = map { ord($_) + 1 } split(//, $text);
                $edt .= pack("v240", @units, (0) x (240 - @units));
            }
            open($f, ">", sprintf("%s/%03d.edt", $dir, $n)) or die; binmode $f; print $f $edt; close $f;
        }
    }' "$1"

