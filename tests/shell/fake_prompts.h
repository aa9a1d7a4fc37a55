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
    };

    std::vector<MessageBox> messageBoxes;
    std::deque<PromptAnswer> answers;
    std::deque<std::string> fileNames;  // for the open-file and save-file dialogs
    int openDialogs = 0;
    int saveDialogs = 0;
    int printDialogs = 0;
    bool printAccepted = true;

    PromptAnswer messageBox(const std::string& title, const std::string& text,
                            PromptButtons buttons, PromptIcon icon) override
    {
        messageBoxes.push_back({shownTitle(title), text, buttons, icon});
        if (answers.empty())
            return firstButton(buttons);
        const PromptAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::string openFileName() override
    {
        ++openDialogs;
        return nextFileName();
    }

    std::string saveFileName() override
    {
        ++saveDialogs;
        return nextFileName();
    }

    bool printDialog(QPrinter&) override
    {
        ++printDialogs;
        return printAccepted;
    }

private:
    static PromptAnswer firstButton(PromptButtons buttons)
    {
        switch (buttons) {
        case PromptButtons::YesNo:
        case PromptButtons::YesNoCancel: return PromptAnswer::Yes;
        case PromptButtons::SaveDiscardCancel: return PromptAnswer::Save;
        default: return PromptAnswer::Ok;
        }
    }

    std::string nextFileName()
    {
        if (fileNames.empty())
            return {};
        std::string name = fileNames.front();
        fileNames.pop_front();
        return name;
    }
};

}  // namespace slopekit::testing
