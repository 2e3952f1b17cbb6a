// Every text the program shows the driver, all in one place.
#include "app/Notices.h"

// The warning boxes of the commands and of the check at show.
namespace Warning {
const char* const kPitInMessage =
    "action keys must not be part of any message - please select another Pit in message";
const char* const kPitOutMessage =
    "action keys must not be part of any message - please select another Pit Out message";
const char* const kPreWarningAtShow =
    "action keys must not be part of any message - please select another Pit Out Warning";
const char* const kPreWarning =
    "action keys must not be part of any message - please select another Pit Out Warning "
    "message";
const char* const kWaitKey = "Wait key must not be part of any message - please select another";
const char* const kPitInKey = "Pit in key must not be part of any message - please select another";
}  // namespace Warning

const char* const kWaitTimeCaption = "Wait Time Edit";
const char* const kWaitTimePrompt = "Enter new time in seconds";
const char* const kOtherCopyStillRunsText =
    "Another copy of QuorlWait without administrator rights is still running and did not "
    "close. Close it, then start QuorlWait as administrator again.";
const char* const kHookStopFailedText =
    "Stop the keyboard watch: keyhook.dll's hook thread did not end within 2 s.";

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
