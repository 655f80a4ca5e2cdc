// How one run of the stand-in behaves: the injected faults, how long its
// timed windows (import, effect progress, export) stay up and how long a new
// window shows its title before its controls exist. Read from the
// environment at start.
#pragma once

#include <string>
#include <vector>

namespace standin {

// The stand-in's windows, by the names that faults use.
enum class Win {
    Main,
    Import,
    AutoVolume,
    AutoVolumeProgress,
    SaveAs,
    Replace,
    Tags,
    Export,
    ExitPrompt,
    Count
};

// "main", "import", "avc", "avcprogress", "saveas", "replace", "tags",
// "export", "exitprompt".
const char* WinKey(Win win);
// Whether the window stays up only for the show time and then goes by itself.
bool IsTimedWin(Win win);

enum class FaultKind {
    Never,      // the window never appears
    Late,       // the window appears this many ms after it is due
    Disabled,   // the window appears disabled and is enabled this many ms later
    NoControl,  // the window lacks the control with this id
    ReadOnly,   // edit control with this id: WM_SETTEXT refused (returns 0)
    Altered,    // edit control with this id: WM_SETTEXT keeps the text without quotes
    Exit,       // the process exits (code 3) when the window is due
    Stray,      // held back until another stand-in shows a window of its title,
                // then shown topmost (a window that came after its driver gave up)
    Decoy,      // at start another program shows a topmost window whose title
                // begins with this window's title
};

struct Fault {
    FaultKind kind;
    Win win;
    int nValue;  // milliseconds, or a control id
};

class RunOptions {
public:
    // Faults: items "<kind>:<window>[:<number>]" separated by ',' or ';'.
    // The number is required for late, disabled (ms) and nocontrol,
    // readonly, altered (control id), and not allowed otherwise.
    bool ParseFaults(const std::string& text, std::string* pError);
    // Speed: "<show>[,<controls>]". <show>: "" or "normal" (300 ms),
    // "instant" (0 ms: the window goes at the first chance), or a number of
    // milliseconds; <controls>: milliseconds between a window's title and
    // its controls (100 when not given).
    bool ParseSpeed(const std::string& text, std::string* pError);

    // The first fault of the kind for the window, or null.
    const Fault* Find(FaultKind kind, Win win) const;
    // Whether a fault of the kind names this window and control.
    bool HasControlFault(FaultKind kind, Win win, int nId) const;
    unsigned ShowMs() const { return m_nShowMs; }
    unsigned ControlsMs() const { return m_nControlsMs; }

private:
    std::vector<Fault> m_faults;
    unsigned m_nShowMs = 300;
    unsigned m_nControlsMs = 100;
};

}  // namespace standin
