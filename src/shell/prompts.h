#pragma once

#include "messages/product_texts.h"

#include <string>

class QPrinter;

namespace slopekit {

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, SaveDiscardCancel };
enum class PromptIcon { None, Critical, Exclamation, Information };
enum class PromptAnswer { Ok, Cancel, Yes, No, Save, Discard };
// What a save dialog saves: each kind has its title, file filter and default suffix.
enum class FileKind { Problem, Png, Svg };

// The title a message box shows: its own, or the application's title when it has none.
inline std::string shownTitle(const std::string& title) { return title.empty() ? product::Title : title; }

// Every message box and dialog of the window program goes through here, so tests can
// answer them. Texts use CR ("\r") between lines.
class Prompts {
public:
    virtual ~Prompts() = default;

    // A modal message box. An empty title stands for the application's title. The first
    // button is the default one; Escape and the close button answer Cancel where there
    // is a Cancel button and OK in an OK-only box.
    virtual PromptAnswer messageBox(const std::string& title, const std::string& text, PromptButtons buttons,
                                    PromptIcon icon) = 0;

    // The file name chosen in the open-file dialog (for a problem) or the save-file dialog
    // for a file of the kind, empty when nothing was chosen. A name typed without a suffix
    // gets the kind's.
    virtual std::string openFileName() = 0;
    virtual std::string saveFileName(FileKind kind) = 0;

    // The print dialog, which sets up the printer; false when the user cancelled it.
    virtual bool printDialog(QPrinter& printer) = 0;
};

}  // namespace slopekit
