// Private copies of network resource records: the record and its own copies
// of the local name, remote name, comment and provider (a null string stays
// null). The folder picker keeps one as the data of each network container.
#pragma once

#include <windows.h>
#include <winnetwk.h>

// A new copy, or null when memory runs out.
NETRESOURCEA* CopyNetResource(const NETRESOURCEA& source);
// Frees the four strings, then the record. Null is allowed.
void FreeNetResource(NETRESOURCEA* pCopy);
// The number of copies made and not yet freed in this process.
int LiveNetResourceCopies();
