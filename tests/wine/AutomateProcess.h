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
