// The message-entry dialog: its message property reads and writes Edit1.
#include "app/NewMessage.h"

TNewMessageForm::TNewMessageForm(IMessageEntryWindow& window)
    : TComponent(nullptr), Window(window) {}

std::string TNewMessageForm::Message() const {
    return Window.Edit1().Text();
}

void TNewMessageForm::SetMessage(const std::string& message) {
    Window.Edit1().SetText(message);
}

TModalResult TNewMessageForm::ShowModal() {
    return Window.ShowModal();
}
