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
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>

// A failure shows a text as text, not as its UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

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
    QTest::mouseClick(topLevel->windowHandle(), Qt::LeftButton, {}, control->mapTo(topLevel, control->rect().center()));
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

inline std::string nameOf(const QWidget* w)
{
    return (w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName()).toStdString();
}

// Where a shown control covers a sibling, or reaches past the edge of the widget that holds
// it, under root: "a over b", "a outside b". Qt's own inner parts ("qt_...") are left out,
// and so is a pixel or two, where the drawn layout lets a caption run under its box.
inline Texts overlaps(QWidget* root)
{
    const auto controls = [](QWidget* owner) {
        std::vector<QWidget*> found;
        for (QWidget* child : owner->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible() && !child->isWindow() && !child->objectName().startsWith("qt_"))
                found.push_back(child);
        return found;
    };
    Texts faults;
    QList<QWidget*> owners = root->findChildren<QWidget*>();
    owners.prepend(root);
    for (QWidget* owner : owners) {
        if (!owner->isVisible() || owner->objectName().startsWith("qt_"))
            continue;
        const std::vector<QWidget*> children = controls(owner);
        for (std::size_t a = 0; a < children.size(); ++a) {
            if (!owner->rect().adjusted(-2, -2, 2, 2).contains(children[a]->geometry()))
                faults.push_back(nameOf(children[a]) + " outside " + nameOf(owner));
            for (std::size_t b = a + 1; b < children.size(); ++b) {
                const QRect common = children[a]->geometry() & children[b]->geometry();
                if (common.width() > 2 && common.height() > 2)
                    faults.push_back(nameOf(children[a]) + " over " + nameOf(children[b]));
            }
        }
    }
    return faults;
}

// The shown labels, buttons and frames under root too small for their caption.
inline Texts cutCaptions(QWidget* root)
{
    Texts cut;
    for (QWidget* control : root->findChildren<QWidget*>()) {
        if (!control->isVisible())
            continue;
        bool fits = true;
        if (auto* label = qobject_cast<QLabel*>(control))
            fits = label->wordWrap() ? label->height() >= label->heightForWidth(label->width())
                                     : label->width() >= label->sizeHint().width();
        else if (auto* button = qobject_cast<QPushButton*>(control))
            fits = button->fontMetrics().horizontalAdvance(button->text()) < button->contentsRect().width();
        else if (auto* frame = qobject_cast<QGroupBox*>(control))
            fits = frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width();
        if (!fits)
            cut.push_back(nameOf(control));
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

// The stage the window is in, told by the entry box it offers.
enum class Stage { Count, Names, Working };
inline void PrintTo(Stage stage, std::ostream* out)
{
    *out << (stage == Stage::Count ? "count stage" : stage == Stage::Names ? "names stage" : "working stage");
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
    Texts messages() const
    {
        Texts shown;
        for (const FakePrompts::MessageBox& box : prompts->messageBoxes)
            shown.push_back(box.text);
        return shown;
    }
    std::string focus() const { return QApplication::focusWidget()->objectName().toStdString(); }
    std::string hint() const { return window->statusBar()->currentMessage().toStdString(); }
    Stage stage() const
    {
        return window->txtOrder->isEnabled()     ? Stage::Count
               : window->txtVarNams->isEnabled() ? Stage::Names
                                                 : Stage::Working;
    }

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
