// Shared by the file-list tests: the one grid host with the program's own
// file-list set-up, and MP3 files with a given album and comment.
#pragma once

#include <string>

#include "catalog/CatalogConstants.h"
#include "catalog/FileListGrid.h"
#include "mp3/Mp3Builder.h"
#include "support/GridHost.h"

namespace filelisttest {

using testsupport::Column;

class FileListHost : public testsupport::GridHost {
public:
    FileListHost() : GridHost(Setup::FileList, {900, 500}) {}
};

inline std::string Mp3(const std::string& album, const std::string& comment)
{
    return mp3::Mp3Bytes({true, album, comment});
}

inline bool WriteMp3(const std::string& path, const std::string& album, const std::string& comment)
{
    return mp3::WriteMp3File(path, {true, album, comment});
}

}  // namespace filelisttest
