#pragma once

#include <QDialog>
#include <QDialogButtonBox>

class QIcon;

namespace slopekit {

// A modal message box that shows each line of its text whole. Qt's own box caps its width
// and wraps long lines mid-sentence, while our texts end their lines themselves; only a
// line wider than most of the screen is wrapped.
class MessageDialog : public QDialog {
public:
    MessageDialog(const QIcon& icon, const QString& title, const QString& text,
                  QDialogButtonBox::StandardButtons buttons, QDialogButtonBox::StandardButton defaultButton,
                  QDialogButtonBox::StandardButton escapeButton, QWidget* parent);

    // Shows the box and waits: the button clicked, or the escape button when the box was
    // closed by Escape or its title-bar button.
    QDialogButtonBox::StandardButton ask();

private:
    QDialogButtonBox::StandardButton m_answer;
};

}  // namespace slopekit
