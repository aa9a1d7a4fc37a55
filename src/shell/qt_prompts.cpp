#include "shell/qt_prompts.h"

#include "shell/override_cursor.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace slopekit {
namespace {

QMessageBox::Icon toQt(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Critical: return QMessageBox::Critical;
    case PromptIcon::Exclamation: return QMessageBox::Warning;
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton escapeButton;
};

ButtonSet toQt(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::OkCancel:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
    case PromptButtons::YesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
    case PromptButtons::YesNoCancel:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                QMessageBox::Cancel};
    case PromptButtons::SaveDiscardCancel:
        return {QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save,
                QMessageBox::Cancel};
    case PromptButtons::Ok: break;
    }
    return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

PromptAnswer fromQt(int button)
{
    switch (button) {
    case QMessageBox::Ok: return PromptAnswer::Ok;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Save: return PromptAnswer::Save;
    case QMessageBox::Discard: return PromptAnswer::Discard;
    default: return PromptAnswer::Cancel;
    }
}

}  // namespace

PromptAnswer QtPrompts::messageBox(const std::string& title, const std::string& text,
                                   PromptButtons buttons, PromptIcon icon)
{
    const ButtonSet set = toQt(buttons);
    const QString lines = QString::fromStdString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(toQt(icon), QString::fromStdString(shownTitle(title)), lines, set.buttons,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(set.defaultButton);
    box.setEscapeButton(set.escapeButton);
    const OverrideCursor arrow(Qt::ArrowCursor);
    const int answer = box.exec();
    // A box closed by its title-bar button reports the escape button.
    return fromQt(answer);
}

std::string QtPrompts::openFileName()
{
    return QFile::encodeName(QFileDialog::getOpenFileName(QApplication::activeWindow())).toStdString();
}

std::string QtPrompts::saveFileName()
{
    return QFile::encodeName(QFileDialog::getSaveFileName(QApplication::activeWindow())).toStdString();
}

bool QtPrompts::printDialog(QPrinter& printer)
{
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace slopekit
