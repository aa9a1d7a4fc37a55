#pragma once

#include "shell/prompts.h"

namespace slopekit {

// Prompts shown with our message dialog and Qt's file and print dialogs, over the active
// window.
class QtPrompts : public Prompts {
public:
    PromptAnswer messageBox(const std::string& title, const std::string& text,
                            PromptButtons buttons, PromptIcon icon) override;
    std::string openFileName() override;
    std::string saveFileName() override;
    bool printDialog(QPrinter& printer) override;
};

}  // namespace slopekit
