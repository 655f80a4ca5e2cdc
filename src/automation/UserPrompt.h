// Message boxes of the automation (a program that does not start, a failed
// step of an update run). The default shows the application's message box;
// a test installs a prompt that answers by itself and records the texts.
#pragma once

#include <windows.h>

class CUserPrompt {
public:
    CUserPrompt() = default;
    virtual ~CUserPrompt() = default;
    CUserPrompt(const CUserPrompt&) = delete;
    CUserPrompt& operator=(const CUserPrompt&) = delete;

    // Shows the text with the buttons and icon of nType (MB_...); returns the
    // button chosen (IDOK, IDCANCEL, ...).
    virtual int Show(const char* pszText, UINT nType);

    // The prompt in use: the installed one, else the default.
    static CUserPrompt& Current();
    // Installs a prompt (null: the default again); returns the one it
    // replaces (null when that was the default).
    static CUserPrompt* Install(CUserPrompt* pPrompt);
};

// Installs a prompt for the lifetime of the object and restores the previous
// one afterwards.
class CUserPromptScope {
public:
    explicit CUserPromptScope(CUserPrompt* pPrompt) : m_pPrevious(CUserPrompt::Install(pPrompt)) {}
    ~CUserPromptScope() { CUserPrompt::Install(m_pPrevious); }
    CUserPromptScope(const CUserPromptScope&) = delete;
    CUserPromptScope& operator=(const CUserPromptScope&) = delete;

private:
    CUserPrompt* m_pPrevious;
};
