// Change Album Name: the album cell of each selected file-list row becomes
// the name of the folder that holds the file. Only the list changes; the
// file gets the album at its row's next update.
#pragma once

class CGridCtrl;

void ChangeAlbumToFolderName(CGridCtrl& grid);
