#pragma once

#include "engine/engine_binding.h"
#include "fake_prompts.h"
#include "numbers/number_locale.h"
#include "problem/dimension.h"
#include "shell/decimal_point.h"
#include "shell/frm_slopekit.h"
#include "shell/settings_store.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStackedLayout>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <ranges>
#include <sstream>

namespace slopekit::testing {

using Texts = std::vector<std::string>;

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

// The shown top-level window of this type, if any.
template <typename Window>
Window* shown()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<Window*>(widget); found && found->isVisible())
            return found;
    return nullptr;
}

// A menu's items as one text: "-" a separator, "(off)" disabled, "(hidden)", "[ ]" or "[x]"
// checkable, a submenu's items in braces.
inline std::string menuText(const QList<QAction*>& actions)
{
    std::string text;
    for (QAction* action : actions) {
        text += text.empty() ? "" : " ";
        text += action->isSeparator() ? "-" : !action->isVisible() ? "(hidden)" : action->isEnabled() ? "" : "(off)";
        if (action->isSeparator())
            continue;
        text += action->isCheckable() ? (action->isChecked() ? "[x]" : "[ ]") : "";
        text += action->text().toStdString();
        if (action->menu())
            text += "{" + menuText(action->menu()->actions()) + "}";
    }
    return text;
}

// Where a layout draws one widget over another or past the edge of the widget it lays out,
// as "name: a over b" or "name: a outside": the layout rules of every shown widget under
// root. Stacked pages share their place by design and are left out.
inline Texts overlaps(QWidget* root)
{
    const auto nameOf = [](const QWidget* w) {
        return (w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName()).toStdString();
    };
    const std::function<void(QLayout*, std::vector<QWidget*>&)> collect = [&](QLayout* layout, auto& widgets) {
        for (int k = 0; k < layout->count(); ++k) {
            QLayoutItem* item = layout->itemAt(k);
            if (item->widget() && item->widget()->isVisible())
                widgets.push_back(item->widget());
            else if (item->layout())
                collect(item->layout(), widgets);
        }
    };
    Texts faults;
    QList<QWidget*> all = root->findChildren<QWidget*>();
    all.prepend(root);
    for (QWidget* owner : all) {
        if (!owner->isVisible() || !owner->layout() || qobject_cast<QStackedLayout*>(owner->layout()))
            continue;
        std::vector<QWidget*> widgets;
        collect(owner->layout(), widgets);
        for (std::size_t a = 0; a < widgets.size(); ++a) {
            if (!owner->rect().contains(widgets[a]->geometry()))
                faults.push_back(nameOf(owner) + ": " + nameOf(widgets[a]) + " outside");
            for (std::size_t b = a + 1; b < widgets.size(); ++b)
                if (widgets[a]->geometry().intersects(widgets[b]->geometry()))
                    faults.push_back(nameOf(owner) + ": " + nameOf(widgets[a]) + " over " + nameOf(widgets[b]));
        }
    }
    return faults;
}

// The shown labels under root too small for their text.
inline Texts cutLabels(QWidget* root)
{
    Texts cut;
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (!label->isVisible())
            continue;
        const bool fits = label->wordWrap() ? label->height() >= label->heightForWidth(label->width())
                                            : label->width() >= label->sizeHint().width();
        if (!fits)
            cut.push_back(label->objectName().toStdString() + ": " + label->text().toStdString());
    }
    return cut;
}

inline Texts texts(const QAbstractItemModel* model)
{
    Texts rows;
    for (int k = 0; k < model->rowCount(); ++k)
        rows.push_back(model->index(k, 0).data().toString().toStdString());
    return rows;
}

inline std::string bytesOf(const std::string& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// The real main window, shown offscreen and active, over a fresh problem and engine, with
// fake prompts and a folder for files; restart() gives a table's next row a new one. The
// number locale is put back after each test.
class WindowTest : public ::testing::Test {
protected:
    struct Session {
        Dimension dim;
        EngineBinding engine{dim};
        FakePrompts prompts;
        DecimalPoint decimalPoint{prompts, [] { return std::string("."); }};
        frmSlopekit window{dim, engine, prompts, decimalPoint};
    };

    // Each test starts as a first run, with nothing stored; restart() keeps what is stored.
    void SetUp() override
    {
        openSettings()->clear();
        restart();
    }
    void TearDown() override
    {
        m_session.reset();
        numberLocale() = m_savedLocale;
    }

    void restart()
    {
        m_session.reset();
        m_session = std::make_unique<Session>();
        dim = &m_session->dim;
        prompts = &m_session->prompts;
        window = &m_session->window;
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    // Enters a count and names and tabs past each, reaching the working stage.
    void enterProblem(const QString& count, const QString& names)
    {
        type(window->txtOrder, count);
        pressTab(window->txtOrder);
        type(window->txtVarNams, names);
        pressTab(window->txtVarNams);
    }

    void compute(const QString& function, const std::vector<QString>& point)
    {
        type(window->txtEquation, function);
        for (std::size_t k = 0; k < point.size(); ++k)
            type(window->txtVarx[k], point[k]);
        clickThroughWindow(window->cmdCompute);
    }

    void addConstant(const QString& text)
    {
        window->cboConstants->setEditText(text);
        click(window->cmdAddCons);
    }

    Texts lines() const { return texts(window->lstDerVal->model()); }
    Texts constants() const { return texts(window->cboConstants->model()); }
    // The texts of the message boxes shown so far.
    Texts messages() const
    {
        const auto texts = prompts->messageBoxes | std::views::transform(&FakePrompts::MessageBox::text);
        return {texts.begin(), texts.end()};
    }
    // The shown rows of the evaluation point, as label and value: "x=1.5".
    Texts pointRows() const
    {
        Texts rows;
        for (int k = 0; k < frmSlopekit::PointBoxes; ++k)
            if (window->lblVarx[k]->isVisible() || window->txtVarx[k]->isVisible())
                rows.push_back(((window->lblVarx[k]->isVisible() ? window->lblVarx[k]->text() : "") +
                                (window->txtVarx[k]->isVisible() ? window->txtVarx[k]->text() : ""))
                                   .toStdString());
        return rows;
    }
    std::string focus() const { return QApplication::focusWidget()->objectName().toStdString(); }
    std::string hint() const { return window->statusBar()->currentMessage().toStdString(); }
    // Which entry boxes and working parts are offered: the stage the window is in.
    std::string stage() const
    {
        const frmSlopekit& w = *window;
        std::string text;
        for (const auto& [name, on] :
             {std::pair{"count", w.txtOrder->isEnabled()}, {"names", w.txtVarNams->isEnabled()},
              {"point", w.fraEval->isVisible()}, {"open", w.mnuOpen->isEnabled()}, {"save", w.mnuSave->isEnabled()},
              {"saveAs", w.mnuSaveAs->isEnabled()}, {"print", w.mnuPrint->isEnabled()},
              {"about", w.mnuAbout->isVisible()}})
            text += std::string(on ? " +" : " -") + name;
        return text.substr(1);
    }
    static constexpr const char* CountStage = "+count +names -point +open -save -saveAs -print -about";
    static constexpr const char* NamesStage = "-count +names -point -open -save -saveAs -print -about";
    static constexpr const char* WorkingStage = "-count -names +point -open +save +saveAs +print +about";

    std::string path(const char* name) const { return m_dir.filePath(name).toStdString(); }
    std::string write(const char* name, const std::string& bytes) const
    {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }
    void open(const std::string& file)
    {
        prompts->fileNames.push_back(file);
        window->mnuOpen->trigger();
    }

    Dimension* dim = nullptr;
    FakePrompts* prompts = nullptr;
    frmSlopekit* window = nullptr;

private:
    std::unique_ptr<Session> m_session;
    QTemporaryDir m_dir;
    NumberSeparators m_savedLocale = numberLocale();
};

}  // namespace slopekit::testing
