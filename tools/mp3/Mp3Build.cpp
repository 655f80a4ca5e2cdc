// mp3build: writes MP3 files with the MP3 builder (the demo's collection).
// Usage: mp3build <file> <album> <comment> [<file> <album> <comment>...]
// Each file (Windows path, its folder existing) gets an ID3v2.3 tag with the
// album and comment (no frame for an empty text) and 20 audio frames.
#include <cstdio>

#include "mp3/Mp3Builder.h"

int main(int argc, char** argv)
{
    if (argc < 4 || (argc - 1) % 3 != 0) {
        std::fputs("usage: mp3build <file> <album> <comment> [<file> <album> <comment>...]\n",
                   stderr);
        return 2;
    }
    for (int i = 1; i < argc; i += 3) {
        mp3::Mp3FileDesc desc;
        desc.album = argv[i + 1];
        desc.comment = argv[i + 2];
        desc.nFrames = 20;
        if (!mp3::WriteMp3File(argv[i], desc)) {
            std::fprintf(stderr, "mp3build: cannot write %s\n", argv[i]);
            return 1;
        }
    }
    std::printf("mp3build: wrote %d MP3 files\n", (argc - 1) / 3);
    return 0;
}
