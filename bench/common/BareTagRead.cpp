#include "common/BareTagRead.h"

#include <windows.h>

#include <id3tag.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

size_t Latin1Length(const id3_ucs4_t* pText)
{
    if (!pText)
        return 0;
    id3_latin1_t* pLatin1 = id3_ucs4_latin1duplicate(pText);
    const size_t cch = pLatin1 ? std::strlen(reinterpret_cast<char*>(pLatin1)) : 0;
    std::free(pLatin1);
    return cch;
}

}  // namespace

std::size_t BareRead(const std::string& unixPath)
{
    id3_file* pFile = id3_file_open(unixPath.c_str(), ID3_FILE_MODE_READONLY);
    if (!pFile)
        return 0;
    size_t cch = 0;
    if (const id3_tag* pTag = id3_file_tag(pFile)) {
        if (const id3_frame* pComm = id3_tag_findframe(pTag, "COMM", 0))
            cch += Latin1Length(id3_field_getfullstring(&pComm->fields[3]));
        if (const id3_frame* pAlbum = id3_tag_findframe(pTag, "TALB", 0))
            cch += Latin1Length(id3_field_getstrings(&pAlbum->fields[1], 0));
    }
    id3_file_close(pFile);
    return cch;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
