# Sourced by scripts/run --demo: a sample collection and the Audacity stand-in.
# The stand-in only rewrites the album and comment tags; it does not change
# the audio. It lets a machine without Audacity show a whole update run.

quillon_demo_setup() {
    local music="$QUILLON_BUILD/demo/Music"
    rm -rf "$music"
    mkdir -p "$music/Evening Jazz" "$music/Folk Songs" "$music/Misc/Podcasts"
    local folder standin
    folder=$(winepath -w "$music")
    # File, album, comment; each file an ID3v2.3 tag and silent audio frames.
    wine "$QUILLON_BUILD/bin/mp3build.exe.so" \
        "$folder\\Evening Jazz\\01 Blue Hour.mp3" "Evening Jazz" "Live at the Blue Room" \
        "$folder\\Evening Jazz\\02 Late Train.mp3" "Evening Jazz" "" \
        "$folder\\Evening Jazz\\03 Night Owl.mp3" "Evening Jazz" "Remastered:AVC" \
        "$folder\\Folk Songs\\Morning Field.mp3" "Folk Songs" "Field recording, first take of three" \
        "$folder\\Folk Songs\\River Song.mp3" "Old Folk Album" "Kitchen session" \
        "$folder\\Misc\\Podcasts\\Episode 12.mp3" "Weekly Talk" "Episode about loudness" >&2
    standin=$(winepath -w "$QUILLON_BUILD/bin/AudacityStandIn.exe.so")
    wine reg add 'HKLM\SOFTWARE\Tarnvale\Quillon' /v DefaultDirectory /d "$folder\\" /f >/dev/null 2>&1
    wine reg add 'HKLM\SOFTWARE\Tarnvale\Quillon' /v AudacityFilename /d "$standin" /f >/dev/null 2>&1
    say "demo: sample collection in $folder, Audacity stand-in $standin"
    say "demo: File > Load File List, then File > Update Selected Files"
}
