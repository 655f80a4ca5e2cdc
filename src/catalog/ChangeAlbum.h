// Change Album Name: the album cell of each selected file-list row becomes
// the name of the folder that holds the file. Only the list changes; the
// file gets the album at its row's next update.
#pragma once

#include <string>

class CGridCtrl;

void ChangeAlbumToFolderName(CGridCtrl& grid);

// The name of the folder that holds the file at path, whose characters are
// of code page nCodePage (CP_ACP: the system's ANSI code page); "" when the
// path has no such folder or the name is longer than the album limit.
std::string HoldingFolderName(const std::string& path, unsigned nCodePage);
