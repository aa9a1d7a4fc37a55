#pragma once

#include "shell/prompts.h"

#include <deque>
#include <string>
#include <vector>

namespace slopekit::testing {

// Prompts that record what would have been shown and give answers queued by the test.
// With no queued answer a message box answers its first button, a file dialog nothing.
class FakePrompts : public Prompts {
public:
    struct MessageBox {
        std::string title;  // as the real box shows it
        std::string text;
        PromptButtons buttons;
        PromptIcon icon;
        bool operator==(const MessageBox&) const = default;
    };
    using MessageBoxes = std::vector<MessageBox>;

    MessageBoxes messageBoxes;
    std::deque<PromptAnswer> answers;
    std::deque<std::string> fileNames;  // for the open-file and save-file dialogs
    std::vector<FileKind> saveKinds;    // of the save dialogs shown, in order
    bool printAccepted = true;

    PromptAnswer messageBox(const std::string& title, const std::string& text, PromptButtons buttons,
                            PromptIcon icon) override
    {
        messageBoxes.push_back({shownTitle(title), text, buttons, icon});
        return next(answers, buttons == PromptButtons::SaveDiscardCancel ? PromptAnswer::Save
                             : buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel
                                 ? PromptAnswer::Yes
                                 : PromptAnswer::Ok);
    }
    std::string openFileName() override { return next(fileNames, {}); }
    std::string saveFileName(FileKind kind) override
    {
        saveKinds.push_back(kind);
        return next(fileNames, {});
    }
    bool printDialog(QPrinter&) override { return printAccepted; }

private:
    template <typename T>
    static T next(std::deque<T>& queue, T otherwise)
    {
        if (queue.empty())
            return otherwise;
        T first = std::move(queue.front());
        queue.pop_front();
        return first;
    }
};

}  // namespace slopekit::testing
