#pragma once

#include "engine/engine_binding.h"
#include "fake_prompts.h"
#include "numbers/number_locale.h"
#include "problem/dimension.h"
#include "shell/decimal_point.h"
#include "shell/frm_slopekit.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace slopekit::testing {

// Types text into a box, replacing what it holds.
inline void type(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

inline void pressTab(QWidget* from) { QTest::keyClick(from, Qt::Key_Tab); }
inline void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
// A click as the windowing system delivers it: to the window, at the control's place.
inline void clickThroughWindow(QWidget* control)
{
    QWidget* topLevel = control->window();
    QTest::mouseClick(topLevel->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(topLevel, control->rect().center()));
}

// The real main window, shown offscreen and active, over a fresh problem and engine, with
// fake prompts; the number locale is put back after each test.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<frmSlopekit>(dim, engine, prompts, decimalPoint);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void TearDown() override
    {
        window.reset();
        numberLocale() = m_savedLocale;
    }

    // Enters a count and names and tabs past each, reaching the working stage.
    void enterProblem(const QString& count, const QString& names)
    {
        type(window->txtOrder, count);
        pressTab(window->txtOrder);
        type(window->txtVarNams, names);
        pressTab(window->txtVarNams);
    }

    Dimension dim;
    EngineBinding engine{dim};
    FakePrompts prompts;
    DecimalPoint decimalPoint{prompts, [] { return std::string("."); }};
    std::unique_ptr<frmSlopekit> window;

private:
    NumberSeparators m_savedLocale = numberLocale();
};

}  // namespace slopekit::testing
