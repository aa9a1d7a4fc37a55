#include "shell/message_dialog.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace slopekit {
namespace {

QLabel* picture(const QIcon& icon, const QStyle* style, const QWidget* box)
{
    const int side = style->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, box);
    auto* label = new QLabel;
    label->setPixmap(icon.pixmap(QSize(side, side), box->devicePixelRatioF()));
    return label;
}

// Room for the title in a bold title bar beside the window manager's icon and buttons, so
// a short text does not cut off a long title.
int titleRoom(const QString& title, const QWidget* box)
{
    QFont bold = box->font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(title) + 120;
}

}  // namespace

MessageDialog::MessageDialog(const QIcon& icon, const QString& title, const QString& text,
                             QDialogButtonBox::StandardButtons buttons, QDialogButtonBox::StandardButton defaultButton,
                             QDialogButtonBox::StandardButton escapeButton, QWidget* parent)
    : QDialog(parent), m_answer(escapeButton)
{
    setWindowTitle(title);

    auto* message = new QLabel(text);
    message->setObjectName("messageText");
    message->setTextFormat(Qt::PlainText);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const int widest = screen()->availableGeometry().width() * 3 / 4;
    if (message->sizeHint().width() > widest) {
        message->setWordWrap(true);
        message->setFixedWidth(widest);
    }

    auto* row = new QHBoxLayout;
    row->setSpacing(style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, this) * 2);
    if (!icon.isNull())
        row->addWidget(picture(icon, style(), this), 0, Qt::AlignTop);
    row->addWidget(message, 1);

    auto* answers = new QDialogButtonBox(buttons);
    answers->setCenterButtons(style()->styleHint(QStyle::SH_MessageBox_CenterButtons, nullptr, this));
    connect(answers, &QDialogButtonBox::clicked, this, [this, answers](QAbstractButton* button) {
        m_answer = answers->standardButton(button);
        accept();
    });
    QPushButton* first = answers->button(defaultButton);
    first->setDefault(true);
    first->setFocus();

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(row);
    layout->addSpacing(layout->spacing());
    layout->addWidget(answers);
    layout->addStrut(std::min(titleRoom(title, this), widest));
}

QDialogButtonBox::StandardButton MessageDialog::ask()
{
    exec();
    return m_answer;
}

}  // namespace slopekit
