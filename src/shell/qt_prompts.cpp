#include "shell/qt_prompts.h"

#include "shell/message_dialog.h"
#include "shell/override_cursor.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QStyle>

namespace slopekit {
namespace {

using Button = QDialogButtonBox::StandardButton;

QIcon toQt(PromptIcon icon)
{
    const QStyle* style = QApplication::style();
    switch (icon) {
    case PromptIcon::Critical: return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case PromptIcon::Exclamation: return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case PromptIcon::Information: return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case PromptIcon::None: break;
    }
    return {};
}

struct ButtonSet {
    QDialogButtonBox::StandardButtons buttons;
    Button defaultButton;
    Button escapeButton;
};

ButtonSet toQt(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::OkCancel: return {Button::Ok | Button::Cancel, Button::Ok, Button::Cancel};
    case PromptButtons::YesNo: return {Button::Yes | Button::No, Button::Yes, Button::No};
    case PromptButtons::YesNoCancel: return {Button::Yes | Button::No | Button::Cancel, Button::Yes, Button::Cancel};
    case PromptButtons::SaveDiscardCancel:
        return {Button::Save | Button::Discard | Button::Cancel, Button::Save, Button::Cancel};
    case PromptButtons::Ok: break;
    }
    return {Button::Ok, Button::Ok, Button::Ok};
}

PromptAnswer fromQt(Button button)
{
    switch (button) {
    case Button::Ok: return PromptAnswer::Ok;
    case Button::Yes: return PromptAnswer::Yes;
    case Button::No: return PromptAnswer::No;
    case Button::Save: return PromptAnswer::Save;
    case Button::Discard: return PromptAnswer::Discard;
    default: return PromptAnswer::Cancel;
    }
}

}  // namespace

PromptAnswer QtPrompts::messageBox(const std::string& title, const std::string& text, PromptButtons buttons,
                                   PromptIcon icon)
{
    const ButtonSet set = toQt(buttons);
    const QString lines = QString::fromStdString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    MessageDialog box(toQt(icon), QString::fromStdString(shownTitle(title)), lines, set.buttons, set.defaultButton,
                      set.escapeButton, QApplication::activeWindow());
    const OverrideCursor arrow(Qt::ArrowCursor);
    return fromQt(box.ask());
}

const char* const ProblemFilter = "Slopekit problems (*.sk)";
const char* const AnyFilter = ";;All files (*)";

SaveDialogSpec saveDialogSpec(FileKind kind)
{
    switch (kind) {
    case FileKind::Png: return {"Save Plot as PNG", "PNG images (*.png)", "png"};
    case FileKind::Svg: return {"Save Plot as SVG", "SVG images (*.svg)", "svg"};
    case FileKind::Problem: break;
    }
    return {"Save Problem As", ProblemFilter, "sk"};
}

std::string QtPrompts::openFileName()
{
    return QFile::encodeName(QFileDialog::getOpenFileName(QApplication::activeWindow(), "Open Problem", QString(),
                                                          QString(ProblemFilter) + AnyFilter))
        .toStdString();
}

std::string QtPrompts::saveFileName(FileKind kind)
{
    const SaveDialogSpec shape = saveDialogSpec(kind);
    QFileDialog dialog(QApplication::activeWindow(), shape.title, QString(), QString(shape.filter) + AnyFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(shape.suffix);  // added to a name typed without one
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

void givePdfItsSuffix(QPrinter& printer)
{
    const QString name = printer.outputFileName();
    if (printer.outputFormat() == QPrinter::PdfFormat && !name.isEmpty() && QFileInfo(name).suffix().isEmpty())
        printer.setOutputFileName(name + ".pdf");
}

bool QtPrompts::printDialog(QPrinter& printer)
{
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    givePdfItsSuffix(printer);
    return true;
}

}  // namespace slopekit
