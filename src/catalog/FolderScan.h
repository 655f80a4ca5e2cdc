// The folder scan that fills the file list: one grid row per MP3 file of a
// folder tree, with album and comment from the file's tags and the scan's
// messages, sorted by path and selected when the chosen folder's own files
// raised no message.
#pragma once

#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>
#include <tuple>

#include "catalog/FileListGrid.h"

class CGridCtrl;

class CFolderScan {
public:
    CFolderScan(CGridCtrl& grid, BOOL bSortAscending);

    // Scans the folder tree (the folder path with or without a trailing
    // backslash); bOnlyNonAvc leaves out files whose comment carries the
    // update marker.
    void ScanFolder(const char* pszFolder, bool bOnlyNonAvc);

    // Runs the closing steps (auto-size, sort, select) at the end of every
    // folder level, as the plain recursive form does, instead of only at
    // the top level, whose steps alone decide the final state. For
    // comparison in tests and benchmarks.
    void SetClosingStepsAtEveryLevel(bool bEveryLevel) { m_bEveryLevel = bEveryLevel; }

private:
    void ScanLevel(const std::string& folder, bool bOnlyNonAvc, int nDepth, bool bLink);
    void AddFile(const std::string& path, bool bOnlyNonAvc, int& nProblems);
    // Remembers a folder entered; false when it was entered before in this
    // scan (through a link to it). bLink: the folder entry is a link.
    bool EnterFolder(const std::string& folder, bool bLink);
    // Adds a folder's file-system identity; false when it is there already.
    bool AddIdentity(const std::string& folder);

    CGridCtrl& m_grid;
    BOOL m_bSortAscending;
    bool m_bEveryLevel = false;
    // Without links a tree visits each folder once, so identities (which
    // cost a folder opening each) are read only from the first link on;
    // until then the folders entered are kept by path.
    bool m_bIdentities = false;
    std::vector<std::string> m_entered;
    // Volume serial, file index and final (link-free) path of every folder
    // entered since identities are read.
    std::set<std::tuple<DWORD, std::uint64_t, std::string>> m_visited;
};

// The album, comment and message checks of one file, as the scan applies
// them: the message of the tag reader followed by "Album too long." and
// "Comment will be truncated." where they apply, joined by "\n".
std::string ScanMessage(const std::string& readMessage, const std::string& album,
                        const std::string& comment);
