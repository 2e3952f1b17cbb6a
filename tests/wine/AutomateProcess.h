// Runs the tests' automation helper, quorl-automate.exe, from a test while the test's own
// thread keeps dispatching its messages (the helper talks to this thread's windows).
#pragma once

#include <string>
#include <vector>

struct TAutomateResult {
    int ExitCode = -1;
    std::string Output;  // stdout
};

// Starts the helper beside this test executable with the arguments and waits for it.
TAutomateResult RunAutomate(const std::vector<std::string>& args);

// Starts a program beside this test executable (this one too) and waits for it.
TAutomateResult RunBesideTests(const std::string& program, const std::vector<std::string>& args);
// This test executable's own file name, to run it again in a process of its own.
std::string ThisExecutableName();
