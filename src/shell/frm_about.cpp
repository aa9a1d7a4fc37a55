#include "shell/frm_about.h"

#include "messages/product_version.h"
#include "shell/shell_fonts.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace slopekit {

frmAbout::frmAbout(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName("frmAbout");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(640, 480);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, QColor(255, 192, 128));
    setPalette(colours);
    setAutoFillBackground(true);
    setFont(fonts::sansSerif(24, true));
    centreOnScreen(*this);
    setFocusPolicy(Qt::StrongFocus);  // takes the keys while shown, for Escape
}

QStringList frmAbout::aboutText()
{
    return {"", "",
            "", QString::fromStdString(product::titleAndVersion()),
            "", product::Notice,
            "", product::RightsNotice,
            "", product::WebAddress};
}

void frmAbout::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    int baseline = metrics.ascent();
    for (const QString& line : aboutText()) {
        painter.drawText(0, baseline, line);
        baseline += metrics.lineSpacing();
    }
}

void frmAbout::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint()))
        Form_Click();
}

void frmAbout::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        Form_Click();
    else
        QWidget::keyPressEvent(event);
}

void frmAbout::Form_Click() { close(); }

void centreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

}  // namespace slopekit
