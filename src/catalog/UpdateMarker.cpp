#include "catalog/UpdateMarker.h"

#include <algorithm>

#include "catalog/CatalogConstants.h"

// The marker is plain ASCII and its first character (':') can never be the
// second byte of a double-byte character, so comparing the last four bytes
// gives the same answer as comparing the last four characters. The
// comparison itself is the system's, as for any text of the code page.
bool HasUpdateMarker(const std::string& strComment)
{
    const size_t cchTail = std::min(strComment.size(), kAvcMarkerLength);
    const char* pszTail = strComment.data() + (strComment.size() - cchTail);
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, pszTail, static_cast<int>(cchTail),
                          g_strAvcMarker, static_cast<int>(kAvcMarkerLength)) == CSTR_EQUAL;
}

// Runs when a file's tags are filled in during its update. A file updated
// again keeps its marked comment as it is: a second marker would repeat
// itself and, on a comment of 21 to 24 characters, cut the user's text. The
// cut keeps at most 24 bytes so that the marked comment fits the 28 of the
// tag; in a double-byte code page it ends before a character that would be
// split.
std::string AppendUpdateMarker(const std::string& strComment, UINT nCodePage)
{
    if (HasUpdateMarker(strComment))
        return strComment;
    size_t cchKeep = strComment.size();
    if (cchKeep >= kCommentCutLength) {
        size_t i = 0;
        while (i < kCommentCutLength) {
            const BYTE ch = static_cast<BYTE>(strComment[i]);
            const size_t cchChar = IsDBCSLeadByteEx(nCodePage, ch) ? 2 : 1;
            if (i + cchChar > kCommentCutLength)
                break;
            i += cchChar;
        }
        cchKeep = i;
    }
    std::string strMarked(strComment, 0, cchKeep);
    strMarked += g_strAvcMarker;
    return strMarked;
}
