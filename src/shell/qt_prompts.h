#pragma once

#include "shell/prompts.h"

namespace slopekit {

// The save dialog's title, file filter and suffix for a kind of file.
struct SaveDialogSpec {
    const char* title;
    const char* filter;
    const char* suffix;
};
SaveDialogSpec saveDialogSpec(FileKind kind);

// The print dialog's PDF file as printed: a name chosen without a suffix gets ".pdf".
void givePdfItsSuffix(QPrinter& printer);

// Prompts shown with our message dialog and Qt's file and print dialogs, over the active
// window.
class QtPrompts : public Prompts {
public:
    PromptAnswer messageBox(const std::string& title, const std::string& text, PromptButtons buttons,
                            PromptIcon icon) override;
    std::string openFileName() override;
    std::string saveFileName(FileKind kind) override;
    bool printDialog(QPrinter& printer) override;
};

}  // namespace slopekit
