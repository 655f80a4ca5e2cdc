// The update marker ":AVC" at the end of a comment: the test that a file has
// been through the volume update, and the rule that writes the marker.
#pragma once

#include <windows.h>

#include <string>

// True when the last four characters of the comment are ":AVC", ignoring
// case as the ANSI code page does (":avc" counts; "AVC" and ":AVC " do not).
bool HasUpdateMarker(const std::string& strComment);

// The comment that the volume update writes: a comment that already carries
// the marker unchanged; any other cut to its first 24 characters when it is
// longer and followed by ":AVC". nCodePage names the code page of the text.
std::string AppendUpdateMarker(const std::string& strComment, UINT nCodePage = CP_ACP);
