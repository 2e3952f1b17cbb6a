// The notices' wording, all in one place.
#include "app/Notices.h"

namespace {

constexpr const char* kHookNotFound = "Keyboard watch off: keyhook.dll not found in ";
constexpr const char* kHookNotLoadable = "Keyboard watch off: keyhook.dll could not be loaded: ";
constexpr const char* kHookRefused = "Keyboard watch off: keyhook.dll refused to start";
constexpr const char* kHookUntilRestart =
    " - keys are not seen until QuorlWait is started again with keyhook.dll in place";

constexpr const char* kUnnamedWindow = "The window in front";
constexpr const char* kHigherWindow =
    " runs as administrator: QuorlWait can neither see nor type its keys - start QuorlWait as "
    "administrator too";

}  // namespace

std::string HookStartNotice(const THookStartProblem& problem) {
    switch (problem.Failure) {
        case THookStartFailure::NotFound:
            return kHookNotFound + problem.Detail + kHookUntilRestart;
        case THookStartFailure::NotLoadable:
            return kHookNotLoadable + problem.Detail + kHookUntilRestart;
        case THookStartFailure::Refused:
        case THookStartFailure::None:
            break;
    }
    return kHookRefused + std::string(kHookUntilRestart);
}

std::string HigherWindowNotice(const std::string& name) {
    return (name.empty() ? std::string(kUnnamedWindow) : name) + kHigherWindow;
}
