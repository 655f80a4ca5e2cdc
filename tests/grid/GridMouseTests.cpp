#include "support/GTestWin.h"

#include <vector>

#include "GridInputSupport.h"
#include "support/TestSupport.h"
#include "support/XInput.h"

using gridtest::CommandRecorder;
using gridtest::GridHost;
using gridtest::Notification;
using testsupport::PumpUntil;

namespace {

std::vector<int> Codes(const std::vector<Notification>& list)
{
    std::vector<int> codes;
    for (const auto& note : list)
        codes.push_back(note.code);
    return codes;
}

// Clicks a client point of the grid with the real pointer, holding the
// modifier keys given (X names joined by '+', or empty).
void RealClick(CGridCtrl& grid, POINT point, const std::string& modifiers = "")
{
    ASSERT_TRUE(testsupport::PointerMoveTo(grid.m_hWnd, point));
    if (!modifiers.empty())
        ASSERT_TRUE(testsupport::KeyDown(modifiers));
    ASSERT_TRUE(testsupport::PointerClick(1));
    if (!modifiers.empty())
        ASSERT_TRUE(testsupport::KeyUp(modifiers));
}

}  // namespace

TEST(GridMouse, ClicksWithCtrlAndShiftSelectRowsAndNeverTheHeader)
{
    GridHost host;
    CGridCtrl& grid = host.Grid();
    gridtest::FillFileList(grid, 12);
    ASSERT_TRUE(testsupport::FocusWindow(host.Window(), grid.m_hWnd));
    CommandRecorder commands(host.Window(), gridtest::kGridId);

    // A plain click selects the row (all five cells) and focuses the cell.
    RealClick(grid, gridtest::CellCenter(grid, 2, 1));
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 1; }));
    EXPECT_EQ(std::vector<int>({2}), gridtest::SelectedRows(grid));
    EXPECT_EQ(5, grid.GetSelectedCount());
    EXPECT_EQ(CCellID(2, 1), grid.GetFocusCell());
    EXPECT_EQ(grid.m_hWnd, commands.LastSender());
    // Press: the pressed cell is changing; release: the focus cell changed,
    // then the click, for the pressed cell.
    ASSERT_EQ(std::vector<int>({int(LVN_ITEMCHANGING), int(LVN_ITEMCHANGED), int(NM_CLICK)}),
              Codes(host.notifications));
    EXPECT_EQ(2, host.notifications[0].row);
    EXPECT_EQ(1, host.notifications[0].col);
    EXPECT_EQ(2, host.notifications[2].row);

    // Ctrl adds a row and keeps the first.
    RealClick(grid, gridtest::CellCenter(grid, 5, 0), "ctrl");
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 2; }));
    EXPECT_EQ(std::vector<int>({2, 5}), gridtest::SelectedRows(grid));
    EXPECT_EQ(10, grid.GetSelectedCount());

    // Ctrl on a selected row takes it out again and keeps the other.
    RealClick(grid, gridtest::CellCenter(grid, 2, 0), "ctrl");
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 3; }));
    EXPECT_EQ(std::vector<int>({5}), gridtest::SelectedRows(grid));
    EXPECT_EQ(CCellID(2, 0), grid.GetFocusCell());

    // Shift selects every row from the anchor (the last plain or Ctrl
    // press) to the clicked row.
    RealClick(grid, gridtest::CellCenter(grid, 5, 0));
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 4; }));
    RealClick(grid, gridtest::CellCenter(grid, 9, 2), "shift");
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 5; }));
    EXPECT_EQ(std::vector<int>({5, 6, 7, 8, 9}), gridtest::SelectedRows(grid));
    // Shift upwards from the same anchor.
    RealClick(grid, gridtest::CellCenter(grid, 3, 2), "shift");
    ASSERT_TRUE(PumpUntil([&] { return commands.Count() == 6; }));
    EXPECT_EQ(std::vector<int>({3, 4, 5}), gridtest::SelectedRows(grid));

    // A plain arrow key selects only the new focus row.
    ASSERT_TRUE(testsupport::PressKeys("Down"));
    ASSERT_TRUE(PumpUntil([&] { return grid.GetFocusCell().row == 4; }));
    EXPECT_EQ(std::vector<int>({4}), gridtest::SelectedRows(grid));

    // The header row is never selected, whatever was clicked.
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        EXPECT_FALSE(grid.IsCellSelected(0, c));
}
