// A one-line text box of a window, read and written as 8-bit text.
#pragma once

#include <string>

class ITextBox {
  public:
    virtual ~ITextBox() = default;

    virtual std::string Text() const = 0;

    // Replaces the text. When the new text differs from the old one, the box's change handler
    // (if the window gave it one) runs inside this call; setting the text the box already holds
    // runs nothing.
    virtual void SetText(const std::string& text) = 0;
};
