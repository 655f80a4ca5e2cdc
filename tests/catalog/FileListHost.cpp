#include "support/GTestWin.h"

#include "FileListHost.h"

#include "catalog/FileListGrid.h"
#include "mp3/Mp3Builder.h"
#include "support/TestSupport.h"

namespace filelisttest {

namespace {

const char kHostClass[] = "QuillonFileListHost";

void RegisterHostClass()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);  // a second registration fails harmlessly
}

}  // namespace

FileListHost::FileListHost(int cx, int cy) : m_pGrid(std::make_unique<CGridCtrl>(0, 0, 0, 0))
{
    RegisterHostClass();
    RECT rc = {0, 0, cx, cy};
    AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, FALSE);
    m_hWnd = CreateWindowExA(0, kHostClass, "File list", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    InitFileListGrid(*m_pGrid, m_hWnd, TRUE);
    m_pGrid->MoveWindow(0, 0, cx, cy, TRUE);
    m_pGrid->ExpandFirstColumnToFit();
}

FileListHost::~FileListHost()
{
    if (m_hWnd != nullptr)
        DestroyWindow(m_hWnd);
}

bool WriteMp3(const std::string& path, const std::string& album, const std::string& comment)
{
    mp3::CRenderedTag tag;
    if (!album.empty())
        tag.AddText("TALB", {mp3::Latin1Text(album)});
    if (!comment.empty())
        tag.AddComment("eng", U"", mp3::Latin1Text(comment));
    return testsupport::WriteFileBytes(path, tag.Render() + mp3::AudioFrames(2));
}

std::vector<std::string> Column(const CGridCtrl& grid, int nCol)
{
    std::vector<std::string> texts;
    for (int nRow = grid.GetFixedRowCount(); nRow < grid.GetRowCount(); ++nRow)
        texts.push_back(grid.GetItemText(nRow, nCol));
    return texts;
}

}  // namespace filelisttest
