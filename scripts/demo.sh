# Sourced by scripts/run --demo: a sample collection and the Audacity stand-in.
# The stand-in only rewrites the album and comment tags; it does not change
# the audio. It lets a machine without Audacity show a whole update run.

quillon_demo_setup() {
    local music="$QUILLON_BUILD/demo/Music"
    rm -rf "$music"
    python3 "$QUILLON_ROOT/scripts/make_sample_mp3s.py" "$music"
    local folder standin
    folder=$(winepath -w "$music")
    standin=$(winepath -w "$QUILLON_BUILD/bin/AudacityStandIn.exe.so")
    wine reg add 'HKLM\SOFTWARE\Tarnvale\Quillon' /v DefaultDirectory /d "$folder\\" /f >/dev/null 2>&1
    wine reg add 'HKLM\SOFTWARE\Tarnvale\Quillon' /v AudacityFilename /d "$standin" /f >/dev/null 2>&1
    say "demo: sample collection in $folder, Audacity stand-in $standin"
    say "demo: File > Load File List, then File > Update Selected Files"
}
