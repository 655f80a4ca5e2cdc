// Answers the automation's message boxes by itself (OK unless told
// otherwise) and records their texts and types. Installed for its lifetime.
// Include only in tests that link the automation library.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "automation/UserPrompt.h"

namespace testsupport {

class RecordingPrompt : public CUserPrompt {
public:
    RecordingPrompt() : m_scope(this) {}

    int Show(const char* pszText, UINT nType) override
    {
        m_texts.emplace_back(pszText != nullptr ? pszText : "");
        m_types.push_back(nType);
        if (m_nAnswered >= m_answers.size())
            return IDOK;
        return m_answers[m_nAnswered++];
    }

    std::vector<int> m_answers;  // given in turn; IDOK once used up
    size_t m_nAnswered = 0;
    std::vector<std::string> m_texts;
    std::vector<UINT> m_types;

private:
    CUserPromptScope m_scope;
};

}  // namespace testsupport
