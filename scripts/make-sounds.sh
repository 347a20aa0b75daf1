#!/bin/sh
# Makes the program's own sounds by synthesis alone (sox and lame, no
# recordings): one bell stroke (bell.mp3 and bell.wav), the alarm
# (alarm.mp3) and the twelve tunes that follow the hourly chime
# (intro1.mp3 .. intro12.mp3). Everything is mono at a modest bit rate so
# the files stay small enough to keep in the repository.
#
#   scripts/make-sounds.sh [OUTPUT-FOLDER]     (default: data/ beside this script)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../data"}
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

rate=44100
kbps=48

gen() { sox -R -q -D -r "$rate" -c 1 -n -r "$rate" -c 1 -b 16 "$@"; }
calc() { awk "BEGIN { printf \"%.4f\", $1 }"; }
to_mp3() { lame --quiet --noreplaygain -m m -b "$kbps" --resample 22.05 "$1" "$2"; }

# --- The bell: inharmonic partials, each dying away at its own rate ---------
# (ratio to the strike note, loudness, seconds to fade by 100 dB).
bell_partials="0.5 0.30 1.85
1.0 0.55 1.80
1.183 0.35 1.50
1.506 0.22 1.20
2.0 0.45 1.30
2.514 0.16 0.80
2.662 0.13 0.70
3.011 0.10 0.50
4.166 0.07 0.30"

make_bell() {
    strike=587.3
    i=0
    list=
    echo "$bell_partials" | while read -r ratio loud decay; do
        i=$((i + 1))
        gen "$tmp/partial$i.wav" synth "$decay" sine "$(calc "$strike * $ratio")" vol "$loud" \
            fade l 0.003 "$decay" "$(calc "$decay - 0.003")"
    done
    for f in "$tmp"/partial*.wav; do list="$list $f"; done
    # shellcheck disable=SC2086
    sox -R -q -m $list "$tmp/bell_raw.wav"
    sox -R -q "$tmp/bell_raw.wav" -r 22050 "$out/bell.wav" norm -1 pad 0 0.05
    to_mp3 "$out/bell.wav" "$out/bell.mp3"
    echo "bell.wav, bell.mp3: $(soxi -D "$out/bell.wav") s"
    rm -f "$tmp"/partial*.wav
}

# --- The alarm: bursts of harsh beeps that climb and grow louder -------------
make_alarm() {
    n=0
    parts=
    while [ $n -lt 15 ]; do
        loud=$(calc "0.40 + 0.45 * $n / 14")
        high=$((1800 + (n % 3) * 250))
        low=$((high * 2 / 3))
        k=0
        while [ $k -lt 4 ]; do
            gen "$tmp/a_${n}_${k}.wav" synth 0.09 square "$high" vol "$loud" fade t 0.004 0.09 0.004
            gen "$tmp/b_${n}_${k}.wav" synth 0.05 square "$low" vol "$loud" fade t 0.004 0.05 0.004
            parts="$parts $tmp/a_${n}_${k}.wav $tmp/b_${n}_${k}.wav"
            k=$((k + 1))
        done
        gen "$tmp/gap_$n.wav" trim 0 0.44
        parts="$parts $tmp/gap_$n.wav"
        n=$((n + 1))
    done
    # shellcheck disable=SC2086
    sox -R -q $parts "$tmp/alarm.wav" norm -1
    to_mp3 "$tmp/alarm.wav" "$out/alarm.mp3"
    echo "alarm.mp3: $(soxi -D "$tmp/alarm.wav") s"
    rm -f "$tmp"/a_*.wav "$tmp"/b_*.wav "$tmp"/gap_*.wav
}

# --- The tunes ---------------------------------------------------------------
# A voice is a list of notes NAME[:EIGHTHS], "r" for a rest: C4 is middle C,
# "#" raises a note by a semitone. Each note becomes semitones from A4.
semitones() {
    echo "$1" | awk '{
        for (i = 1; i <= NF; i++) {
            split($i, part, ":")
            beats = (part[2] == "") ? 1 : part[2]
            name = part[1]
            if (name == "r") { print "r", beats; continue }
            letter = substr(name, 1, 1)
            sharp = (substr(name, 2, 1) == "#") ? 1 : 0
            octave = substr(name, 2 + sharp) + 0
            base = index("C D EF G A B", letter) - 1
            print base + sharp + (octave - 4) * 12 - 9, beats
        }
    }'
}

# One note of an instrument: file, instrument, semitones or "r", seconds.
note() {
    file=$1 voice=$2 semis=$3 len=$4
    if [ "$semis" = r ]; then
        gen "$file" trim 0 "$len"
        return
    fi
    case $voice in
        harp) gen "$file" synth "$len" pluck "%$semis" fade t 0.003 "$len" "$(calc "$len * 0.3")" ;;
        marimba) gen "$file" synth "$len" sine "%$semis" fade l 0.003 "$len" "$(calc "$len - 0.003")" ;;
        flute) gen "$file" synth "$len" triangle "%$semis" tremolo 5.5 15 fade h 0.03 "$len" 0.06 ;;
        glass) gen "$file" synth "$len" sine "%$semis" fade q 0.01 "$len" "$(calc "$len * 0.7")" ;;
        bass) gen "$file" synth "$len" sine "%$semis" fade h 0.05 "$len" "$(calc "$len * 0.4")" vol 0.8 ;;
    esac
}

# A voice rendered into one file: output, instrument, seconds per eighth, notes.
render_voice() {
    target=$1 voice=$2 eighth=$3 notes=$4
    j=0
    files=
    semitones "$notes" > "$tmp/notes.txt"
    while read -r semis beats; do
        j=$((j + 1))
        f="$tmp/n$(printf %03d $j).wav"
        note "$f" "$voice" "$semis" "$(calc "$eighth * $beats")"
        files="$files $f"
    done < "$tmp/notes.txt"
    # shellcheck disable=SC2086
    sox -R -q $files "$target"
    rm -f "$tmp"/n[0-9]*.wav
}

# A tune: number, instrument, seconds per eighth, melody, bass line.
tune() {
    number=$1 voice=$2 eighth=$3 melody=$4 bassline=$5
    render_voice "$tmp/melody.wav" "$voice" "$eighth" "$melody"
    render_voice "$tmp/bass.wav" bass "$eighth" "$bassline"
    sox -R -q -m -v 0.6 "$tmp/melody.wav" -v 0.3 "$tmp/bass.wav" "$tmp/mixed.wav"
    gen "$tmp/tail.wav" trim 0 1.2
    sox -R -q "$tmp/mixed.wav" "$tmp/tail.wav" "$tmp/long.wav"
    total=$(soxi -D "$tmp/long.wav")
    sox -R -q "$tmp/long.wav" "$tmp/tune.wav" gain -6 reverb 45 50 80 fade t 0.01 "$total" 1.0 norm -2
    to_mp3 "$tmp/tune.wav" "$out/intro$number.mp3"
    echo "intro$number.mp3: $(soxi -D "$tmp/tune.wav") s"
}

make_tunes() {
    tune 1 harp 0.22 \
        "C4 E4 G4 C5 E5 C5 G4 E4 F4 A4 C5 F5 E5 C5 G4 E4 D4 G4 B4 D5 C5:4" \
        "C3:8 F2:8 G2:4 C3:4"
    tune 2 marimba 0.24 \
        "D5 F#5 A5 F#5 D5 A4 B4 D5 E5 G5 B5 G5 E5 B4 C#5 E5 F#5:2 E5:2 D5:4" \
        "D3:8 E3:8 A2:4 D3:4"
    tune 3 flute 0.30 \
        "G4:2 B4 D5:3 C5:2 E5 G5:3 F#5:2 D5 A4:3 G4:6" \
        "G2:6 C3:6 D3:6 G2:6"
    tune 4 glass 0.22 \
        "A4 C5 D5 E5 G5 E5 D5 C5 A4:2 G4:2 A4:4 E5 G5 A5 G5 E5 D5 C5 D5 A4:8" \
        "A2:8 A2:8 C3:8 A2:8"
    tune 5 harp 0.25 \
        "A4 C5 E5 A5 G5 E5 C5 E5 F5 E5 D5 C5 B4 G4 B4 D5 C5 B4 A4:6" \
        "A2:8 F2:4 G2:4 A2:8"
    tune 6 marimba 0.20 \
        "F4 A4 C5 F4 A4 C5 D5 C5 A#4 D5 F5 A#4 D5 F5 G5 F5 E5 C5 G4 C5 E5 G5 F5:4" \
        "F2:8 A#2:8 C3:6 F2:4"
    tune 7 flute 0.24 \
        "E5:2 D#5 E5 F#5:2 G#5:2 F#5 E5 D#5 E5 B4:4 C#5:2 E5:2 G#5:2 B5:2 G#5:2 F#5:2 E5:4" \
        "E3:8 B2:8 C#3:8 E3:8"
    tune 8 glass 0.30 \
        "G5 E5 F5 D5:2 r D5 F5 E5 C5:2 r C5 E5 D5 G4:2 r G4 D5 E5 C5:4" \
        "C3:6 G2:6 C3:6 C3:7"
    tune 9 harp 0.24 \
        "A#4 D5 F5 A#5 A5 F5 D5 F5 G5 D#5 C5 G4 A4 C5 D#5 A5 A#5:2 F5:2 A#4:4" \
        "A#2:8 D#3:8 F2:4 A#2:4"
    tune 10 marimba 0.18 \
        "C5 D5 E5 F5 G5 A5 B5 C6 B5 G5 E5 C5 D5 F5 A5 F5 E5 G5 C6 G5 E5 D5 C5:2 r:2 C5 E5 G5 C6:3" \
        "C3:8 D3:8 G2:8 C3:8"
    tune 11 flute 0.25 \
        "A4:2 D5:2 F5:2 E5 D5 C5:3 A4 F4:4 G4:2 A#4:2 D5:2 C5 A#4 A4:8" \
        "D3:8 F2:8 G2:8 D3:8"
    tune 12 glass 0.20 \
        "G4 G4 D5:2 B4 B4 G5:2 F#5 E5 D5 C5 B4:2 A4:2 G4 B4 D5 G5 B5 G5 D5 B4 G5:8" \
        "G2:8 D3:8 G2:8 G2:8"
}

make_bell
make_alarm
make_tunes
echo "sounds written to $out"
