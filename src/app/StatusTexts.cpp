#include "app/StatusTexts.h"

#include "automation/BatchUpdateRun.h"

namespace {

// The digits of n in groups of three, separated by blanks.
std::string GroupedNumber(int n)
{
    std::string digits = std::to_string(n < 0 ? 0 : n);
    for (size_t i = digits.size(); i > 3; i -= 3)
        digits.insert(i - 3, 1, ' ');
    return digits;
}

std::string Files(int n)
{
    return GroupedNumber(n) + (n == 1 ? " file" : " files");
}

}  // namespace

std::string FileListStatusText(int nFiles, int nWithMessages)
{
    return Files(nFiles) + ", " + GroupedNumber(nWithMessages) +
           (nWithMessages == 1 ? " with a message" : " with messages");
}

std::string UpdateRunStatusText(const BatchRunReport& report)
{
    return std::string(report.bCancelled ? "Update cancelled: " : "Update finished: ") +
           Files(report.nUpdated) + " updated, " + GroupedNumber(report.nFailed) + " failed";
}
