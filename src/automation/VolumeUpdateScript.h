// The fixed script that runs one MP3 file through Audacity: start it on the
// file, select all, apply Automatic Volume Control, export over the file with
// the album and the marked comment in the tag dialog, and exit unsaved.
#pragma once

#include <string>

// Runs the script with the Audacity program pszAudacityPath on the file
// pszPath; pszAlbum is the new album, or null to leave the album as Audacity
// shows it. Returns true to go on with the next file (done, or finished by
// hand after the error prompt), false to stop the run (Audacity did not
// start, or Cancel on the error prompt).
bool ProcessFile(const char* pszAudacityPath, const char* pszPath, const char* pszAlbum);

// The title of Audacity's project window for a file: the file title (the
// name after the last backslash when GetFileTitleA refuses the name) without
// a final ".mp3" (any case). Empty for a file that has no such title.
std::string ProjectTitleOf(const char* pszPath);
