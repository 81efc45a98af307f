#!/bin/bash
# Renders Pintavo's drawings: builds the small tool in art/render, turns every
# art/drawings/NAME.svg into Immagini/NAME.bmp (or NAME.gif), checks every
# picture and remakes docs/contact-sheet.png.
#
#   art/render.sh              render, check, contact sheet
#   art/render.sh --no-sheet   render and check only
#   art/render.sh --check      only check the pictures already in Immagini/
#
# Needs cmake, a C++17 compiler, Qt 6 (Gui, Svg) and ImageMagick.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="$here/build"
out="$root/Immagini"
sheet="$root/docs/contact-sheet.png"

# Qt only wants a private runtime folder to exist; the tool draws off screen.
if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
    export XDG_RUNTIME_DIR="$build/runtime"
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
fi

cmake -S "$here/render" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 >/dev/null
tool="$build/disegni"

pictures() {
    find "$out" -maxdepth 1 -type f \( -name '*.bmp' -o -name '*.gif' \) | LC_ALL=C sort
}

if [[ "${1:-}" == "--check" ]]; then
    mapfile -t files < <(pictures)
    exec "$tool" check "${files[@]}"
fi

mkdir -p "$out"
rm -f "$out"/*.bmp "$out"/*.gif

# About a third of the pictures ship as GIF and the rest as BMP, so the program's
# loader meets both kinds: every third drawing in name order is a GIF. The BMPs
# are stored with one bit per pixel: the same pixels in a twentieth of the room.
i=0
while IFS= read -r svg; do
    name="$(basename "$svg" .svg)"
    "$tool" render "$svg" "$out/$name.bmp"
    if (( i % 3 == 2 )); then
        # Two palette entries, no transparency, no dithering: the GIF keeps
        # exactly the same pure black and pure white pixels as the BMP.
        convert "$out/$name.bmp" -alpha off +dither -colors 2 -type Palette "$out/$name.gif"
        rm "$out/$name.bmp"
    else
        convert "$out/$name.bmp" -type bilevel BMP3:"$out/$name.bmp"
    fi
    i=$((i + 1))
done < <(find "$here/drawings" -maxdepth 1 -name '*.svg' | LC_ALL=C sort)

mapfile -t files < <(pictures)
"$tool" check "${files[@]}"

if [[ "${1:-}" != "--no-sheet" ]]; then
    args=()
    for f in "${files[@]}"; do
        label="$(basename "${f%.*}")"
        args+=(-label "${label//_/ }" "$f")
    done
    mkdir -p "$(dirname "$sheet")"
    montage "${args[@]}" -font DejaVu-Sans -pointsize 14 -geometry 151x197+8+6 \
        -tile 6x -background white -bordercolor '#c8c8c8' -border 1 "$sheet"
    echo "contact sheet: $sheet"
fi
