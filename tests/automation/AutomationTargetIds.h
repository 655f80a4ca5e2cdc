// What the automation tests and their target program agree on.
#pragma once

constexpr int kTargetEditId = 100;
constexpr int kTargetOkId = 1;  // IDOK
constexpr const char* kTargetClickedText = "clicked";
constexpr const char* kTargetLogVariable = "AUTOMATION_TARGET_LOG";
constexpr unsigned kTargetStartDelayMs = 300;
constexpr const char* kTargetProgram = "automation_target.exe.so";
