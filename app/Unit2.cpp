// The key-capture dialog's one piece of state.
#include "app/Unit2.h"

TForm2::TForm2(IKeyCaptureWindow& window) : TComponent(nullptr), Window(window) {}

TModalResult TForm2::ShowModal() {
    return Window.ShowModal([this](std::uint8_t character) { CapturedKey = character; });
}
