#!/bin/sh
# Remakes every picture, sound and video of the demo data tree from nothing:
# the pictures are drawn by assets/sources/demo_pictures.py and rasterised
# by the game's own SVG reader (SDL2_image, through assets/sources/svg2png.cpp),
# then packed as JPEG and GIF by ImageMagick; the sounds are synthesised with
# sox, the video built from ffmpeg's own sources. Needs python3, a C++
# compiler with the SDL2 and SDL2_image development files, ImageMagick
# (convert), sox and ffmpeg (with libmp3lame and libx264).
#
#   sh tools/make-demo-media.sh
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
demo=$root/demo
questions=$demo/InfosQuizz/questions
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$questions/images" "$questions/sons" "$questions/videos"

# Same bytes at every run: no dates or tool names inside the files.
mp3() { # mp3 IN.wav OUT.mp3
    ffmpeg -loglevel error -y -i "$1" -map_metadata -1 -fflags +bitexact -flags:a +bitexact \
        -codec:a libmp3lame -b:a 64k "$2"
}
c++ -std=c++20 -O1 "$root/assets/sources/svg2png.cpp" $(pkg-config --cflags --libs sdl2 SDL2_image) \
    -o "$work/svg2png"
png() { # png IN.svg OUT.png
    "$work/svg2png" "$1" "$work/raw.png" >/dev/null
    convert "$work/raw.png" -strip -define png:exclude-chunks=date,time "$2"
}

# --- Pictures ----------------------------------------------------------------
python3 "$root/assets/sources/demo_pictures.py" "$work/svg"
for name in chat carre cercle triangle etoile pomme banane cerise raisin; do
    png "$work/svg/$name.svg" "$questions/images/$name.png"
done
png "$work/svg/carte.svg" "$work/carte.png"
convert "$work/carte.png" -strip -quality 85 "$questions/images/carte.jpg"
for i in 0 1 2 3 4 5 6 7; do
    png "$work/svg/balle_$i.svg" "$work/balle_$i.png"
done
convert -delay 10 -loop 0 "$work"/balle_[0-7].png -strip "$questions/images/balle.gif"

# --- Feedback sounds (working directory of the game) ----------------------------
# note FILE SECONDS FREQUENCY: a soft bell-like note.
note() {
    sox -n -r 44100 -c 1 "$1" synth "$2" sine "$3" sine "$(awk "BEGIN { print $3 * 2 }")" \
        remix - fade q 0.005 "$2" "$(awk "BEGIN { print $2 * 0.8 }")" gain -8
}
note "$work/c1.wav" 0.12 523.25
note "$work/c2.wav" 0.12 659.25
note "$work/c3.wav" 0.12 783.99
note "$work/c4.wav" 0.40 1046.50
sox "$work/c1.wav" "$work/c2.wav" "$work/c3.wav" "$work/c4.wav" "$work/correct.wav"
mp3 "$work/correct.wav" "$demo/correct.mp3"

# Two low notes going down: "oh-oh", gentle rather than harsh.
sox -n -r 44100 -c 1 "$work/i1.wav" synth 0.22 triangle 392 fade q 0.01 0.22 0.12 gain -10
sox -n -r 44100 -c 1 "$work/i2.wav" synth 0.45 triangle 293.66 fade q 0.01 0.45 0.3 gain -10
sox "$work/i1.wav" "$work/i2.wav" "$work/incorrect.wav"
mp3 "$work/incorrect.wav" "$demo/incorrect.mp3"

# --- Sound extract: four notes to count (do, mi, sol, do) ------------------------
sox -n -r 44100 -c 1 "$work/gap.wav" trim 0 0.25
for f in 261.63 329.63 392.00 523.25; do
    sox -n -r 44100 -c 1 "$work/n_$f.wav" synth 0.45 pluck "$f" fade q 0.005 0.45 0.2 gain -4
done
sox "$work/gap.wav" "$work/n_261.63.wav" "$work/gap.wav" "$work/n_329.63.wav" "$work/gap.wav" \
    "$work/n_392.00.wav" "$work/gap.wav" "$work/n_523.25.wav" "$work/gap.wav" "$work/notes.wav"
mp3 "$work/notes.wav" "$questions/sons/notes.mp3"

# --- Video extract: a French flag waving on its pole, with a little tune ---------
# 320 x 240, 4 seconds, H.264 + AAC.
ffmpeg -loglevel error -y \
    -f lavfi -i "color=c=0xBFE3FF:s=320x240:r=25:d=4" \
    -f lavfi -i "color=c=0x0055A4:s=70x120:r=25:d=4" \
    -f lavfi -i "color=c=0xFFFFFF:s=70x120:r=25:d=4" \
    -f lavfi -i "color=c=0xEF4135:s=70x120:r=25:d=4" \
    -f lavfi -i "aevalsrc='0.25*sin(2*PI*t*if(lt(mod(t,1),0.25),392,if(lt(mod(t,1),0.5),523.25,if(lt(mod(t,1),0.75),659.25,783.99))))*exp(-4*mod(t,0.25))':s=44100:d=4" \
    -filter_complex "[1][2][3]hstack=inputs=3,format=rgba,pad=210:140:0:10:color=black@0[flag];\
[flag]geq=r='r(X,Y-6*sin(X/18-6*T))':g='g(X,Y-6*sin(X/18-6*T))':b='b(X,Y-6*sin(X/18-6*T))':\
a='if(between(Y-6*sin(X/18-6*T),10,129),255,0)'[wave];\
[0]drawbox=x=44:y=36:w=8:h=190:color=0x6D4C41:t=fill,drawbox=x=0:y=215:w=320:h=25:color=0x8FD07A:t=fill[bg];\
[bg][wave]overlay=x=52:y=34:shortest=1,format=yuv420p[v]" \
    -map "[v]" -map 4:a -c:v libx264 -preset slow -crf 30 -pix_fmt yuv420p -c:a aac -b:a 48k \
    -map_metadata -1 -fflags +bitexact -flags:v +bitexact -flags:a +bitexact -movflags +faststart \
    "$questions/videos/drapeau.mp4"

echo "Demo media written under $demo"
