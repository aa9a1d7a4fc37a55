#pragma once

#include <QStringList>
#include <QWidget>

namespace slopekit {

// The About window: borderless, black, the About text in large letters. It serves as the
// splash at start-up and as the About box; a click anywhere in it closes it.
class frmAbout : public QWidget {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // The ten lines of the About text.
    static QStringList aboutText();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;  // Escape closes it, as a click does

private:
    void Form_Click();
};

// Puts a window in the middle of the screen it is on.
void centreOnScreen(QWidget& window);

}  // namespace slopekit
