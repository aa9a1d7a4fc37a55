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

    PromptAnswer messageBox(const std::string& title, const std::string& text, PromptButtons buttons,
                            PromptIcon icon) override
    {
        messageBoxes.push_back({shownTitle(title), text, buttons, icon});
        if (!answers.empty())
            return next(answers);
        if (buttons == PromptButtons::SaveDiscardCancel)
            return PromptAnswer::Save;
        return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel ? PromptAnswer::Yes
                                                                                        : PromptAnswer::Ok;
    }

    std::string openFileName() override
    {
        ++openDialogs;
        return next(fileNames);
    }
    std::string saveFileName() override
    {
        ++saveDialogs;
        return next(fileNames);
    }
    bool printDialog(QPrinter&) override
    {
        ++printDialogs;
        return printAccepted;
    }

private:
    template <typename T>
    static T next(std::deque<T>& queue)
    {
        if (queue.empty())
            return {};
        T first = queue.front();
        queue.pop_front();
        return first;
    }
};

}  // namespace slopekit::testing
