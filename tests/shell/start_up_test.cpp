#include "shell/clock.h"
#include "shell/frm_about.h"
#include "shell/qt_prompts.h"
#include "shell/sub_main.h"
#include "window_fixture.h"

#include <QFileDialog>
#include <QPrinter>
#include <QScreen>
#include <QTimer>

#include <climits>
#include <cmath>
#include <optional>

namespace slopekit {
namespace {

using namespace testing;

const char* const Warning =
    "Proper operation of this application requires the use of the DECIMAL POINT.\r"
    "Your system is currently using the DECIMAL COMMA.\r"
    "\r"
    "Do you wish to temporarily change this system setting to decimal point?\r"
    "(Upon exiting, this application will restore your setting.)\r"
    "(See HELP FILE or visit https://slopekit.example.org for instructions on how to change MANUALLY)\r"
    "\r"
    "Press YES to change.";

// A clock that advances a quarter second at every pause and tells the test about it.
class FakeClock : public Clock {
public:
    double now = 100.6;  // seconds
    int pauses = 0;
    std::function<void()> onPause = [] {};

    std::int64_t currentSecond() override { return static_cast<std::int64_t>(std::floor(now)); }
    void pause() override
    {
        now += 0.25;
        ++pauses;
        onPause();
    }
};

// The start-up on a system with the decimal comma; the number locale is put back after.
class StartUp : public ::testing::Test {
protected:
    void TearDown() override
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        numberLocale() = m_saved;
    }

    // Starts as the program does.
    void start()
    {
        numberLocale().decimal = ",";
        window = Main(dim, engine, prompts, decimalPoint, clock);
    }

    Dimension dim;
    EngineBinding engine{dim};
    FakePrompts prompts;
    FakeClock clock;
    DecimalPoint decimalPoint{prompts, [] { return std::string(","); }};
    std::unique_ptr<frmSlopekit> window;

private:
    NumberSeparators m_saved = numberLocale();
};

// Any separator but the point is warned about; only Yes changes it, and the user's own is
// put back at the end.
TEST_F(StartUp, TheDecimalSeparatorIsWarnedAboutUnlessItIsThePointAndChangedOnlyOnYes)
{
    // answer: nothing when no warning is expected
    struct Row { const char* name; std::string userSymbol; std::optional<PromptAnswer> answer; bool goesOn;
                 std::string decimalAfter; };
    const Row rows[] = {
        {"point_needs_nothing", ".", std::nullopt, true, "."}, {"comma_yes", ",", PromptAnswer::Yes, true, "."},
        {"comma_no", ",", PromptAnswer::No, false, ","},
        {"middle_dot_is_warned_as_comma", "\xC2\xB7", PromptAnswer::Yes, true, "."},
        {"unreadable_is_empty", "", PromptAnswer::Yes, true, "."},
        {"cut_at_the_first_nul", std::string(",\0x", 3), PromptAnswer::Yes, true, "."},
    };
    const FakePrompts::MessageBox warning{"Decimal Comma Warning!", Warning, PromptButtons::YesNoCancel,
                                          PromptIcon::Critical};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string shownSymbol = row.userSymbol.substr(0, row.userSymbol.find('\0'));
        numberLocale() = {shownSymbol, " "};
        FakePrompts prompts;
        if (row.answer)
            prompts.answers.push_back(*row.answer);
        DecimalPoint guard(prompts, [&] { return row.userSymbol; });

        EXPECT_EQ(guard.CheckDecimalSymbol(), row.goesOn);
        EXPECT_EQ(numberLocale().decimal, row.decimalAfter);
        EXPECT_EQ(prompts.messageBoxes, row.answer ? FakePrompts::MessageBoxes{warning} : FakePrompts::MessageBoxes{});
        guard.RestoreDecimalSymbol();
        EXPECT_EQ(numberLocale().decimal, shownSymbol);
    }
}

// Presses a key in the next modal dialog once it shows, noting its title and how its
// widest line fits.
struct UserAtTheDialog {
    explicit UserAtTheDialog(Qt::Key key)
    {
        QObject::connect(&poll, &QTimer::timeout, [this, key] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box)
                return;
            poll.stop();
            title = box->windowTitle().toStdString();
            if (const auto* label = box->findChild<QLabel*>("messageText"))
                for (const QString& line : label->text().split('\n'))
                    widest = std::max(widest,
                                      label->fontMetrics().horizontalAdvance(line) - label->contentsRect().width());
            QTest::keyClick(box, key);
        });
        poll.start(10);
    }
    QTimer poll;
    std::string title;
    int widest = INT_MIN;  // the widest line of a message's text less the text's width
};

// The title and the text as the real box shows them, answered from the keyboard; Escape
// in the real print dialog cancels the print.
TEST_F(StartUp, TheRealDialogsShowTheirTitleAndWholeLinesAndAnswerTheKey)
{
    struct Row { const char* name; std::string title, text; PromptButtons buttons; Qt::Key key;
                 const char* shownTitle; PromptAnswer answer; };
    const Row rows[] = {
        {"warning_escape_cancels", "Decimal Comma Warning!", Warning, PromptButtons::YesNoCancel, Qt::Key_Escape,
         "Decimal Comma Warning!", PromptAnswer::Cancel},
        {"warning_enter_says_yes", "Decimal Comma Warning!", Warning, PromptButtons::YesNoCancel, Qt::Key_Return,
         "Decimal Comma Warning!", PromptAnswer::Yes},
        {"untitled_box_is_titled_with_the_product_name", "", "The file x cannot be opened.", PromptButtons::Ok,
         Qt::Key_Escape, "Slopekit", PromptAnswer::Ok},
    };
    QtPrompts real;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        UserAtTheDialog user(row.key);
        EXPECT_EQ(real.messageBox(row.title, row.text, row.buttons, PromptIcon::Critical), row.answer);
        EXPECT_EQ(user.title, row.shownTitle);
        EXPECT_LE(user.widest, 0) << "a line wraps";
        EXPECT_GT(user.widest, INT_MIN);
    }
    UserAtTheDialog user(Qt::Key_Escape);
    QPrinter printer;
    EXPECT_FALSE(real.printDialog(printer));
    EXPECT_NE(user.title, "");
}

// Each save dialog has its own title and file filter, and gives a name typed without a
// suffix the kind's own.
TEST_F(StartUp, TheRealSaveDialogsHaveTheirTitleFilterAndSuffix)
{
    struct Row { const char* name; FileKind kind; const char* title; const char* filter; const char* saved; };
    const Row rows[] = {
        {"problem", FileKind::Problem, "Save Problem As", "Slopekit problems (*.sk)", "plot-saddle.sk"},
        {"png", FileKind::Png, "Save Plot as PNG", "PNG images (*.png)", "plot-saddle.png"},
        {"svg", FileKind::Svg, "Save Plot as SVG", "SVG images (*.svg)", "plot-saddle.svg"},
    };
    QTemporaryDir folder;
    QtPrompts real;
    for (const Row& row : rows) {
        QString title, filter;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll.stop();
            title = dialog->windowTitle();
            filter = dialog->selectedNameFilter();
            dialog->setDirectory(folder.path());
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            QTest::keyClicks(name, "plot-saddle");
            QTest::keyClick(name, Qt::Key_Return);
        });
        poll.start(10);
        const std::string saved = real.saveFileName(row.kind);
        EXPECT_EQ(title.toStdString(), row.title) << row.name;
        EXPECT_EQ(filter.toStdString(), row.filter) << row.name;
        EXPECT_EQ(saved, folder.filePath(row.saved).toStdString()) << row.name;
    }
}

// A PDF chosen in the print dialog without a suffix is printed as NAME.pdf; any other
// name, and printing on paper, stay as they are.
TEST(PrintDialog, APdfNamedWithoutASuffixGetsOne)
{
    struct Row { const char* name; QPrinter::OutputFormat format; const char* chosen; const char* printed; };
    const Row rows[] = {
        {"no_suffix", QPrinter::PdfFormat, "/tmp/report", "/tmp/report.pdf"},
        {"own_suffix", QPrinter::PdfFormat, "/tmp/report.txt", "/tmp/report.txt"},
        {"folder_with_a_dot", QPrinter::PdfFormat, "/tmp/a.b/report", "/tmp/a.b/report.pdf"},
        {"paper", QPrinter::NativeFormat, "", ""},
    };
    for (const Row& row : rows) {
        QPrinter printer;
        printer.setOutputFormat(row.format);
        printer.setOutputFileName(row.chosen);
        givePdfItsSuffix(printer);
        EXPECT_EQ(printer.outputFileName().toStdString(), row.printed) << row.name;
    }
}

// No or Cancel ends the start before any window shows. Yes switches to the point; the
// splash stays more than two whole clock seconds; closing the window closes the About box
// and restores the comma.
TEST_F(StartUp, DecliningEndsAtOnceAndYesShowsTheSplashThenTheWindowUntilItCloses)
{
    for (PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Cancel}) {
        prompts.answers = {answer};
        start();
        EXPECT_EQ(window, nullptr);
        for (QWidget* widget : QApplication::topLevelWidgets())
            EXPECT_FALSE(widget->isVisible()) << widget->objectName().toStdString();
        EXPECT_EQ(numberLocale().decimal + std::to_string(clock.pauses), ",0");
    }
    int pausesWithSplash = 0;
    clock.onPause = [&] { pausesWithSplash += shown<frmAbout>() != nullptr; };
    prompts.answers = {PromptAnswer::Yes};
    start();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(numberLocale().decimal, ".");
    // Started at 100.6 (second 100); the splash goes once second 103 is read.
    EXPECT_EQ(clock.currentSecond(), 103);
    EXPECT_EQ(std::pair(clock.pauses, pausesWithSplash), std::pair(10, 10));
    EXPECT_TRUE(shown<frmAbout>() == nullptr && window->isVisible());

    // The About box opens once however often it is asked for, and a click anywhere closes it.
    window->mnuAbout->trigger();
    auto* about = shown<frmAbout>();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->geometry().center(), about->screen()->availableGeometry().center());
    EXPECT_EQ(about->size(), QSize(640, 480));
    EXPECT_EQ(std::pair(about->font().pointSize(), about->font().bold()), std::pair(24, true));
    EXPECT_EQ(about->palette().color(QPalette::WindowText), QColor(255, 192, 128));
    EXPECT_TRUE(about->windowFlags() & Qt::FramelessWindowHint);
    window->mnuAbout->trigger();
    EXPECT_EQ(shown<frmAbout>(), about);
    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(500, 400));
    EXPECT_EQ(shown<frmAbout>(), nullptr);
    window->mnuAbout->trigger();
    window->close();
    EXPECT_EQ(shown<frmAbout>(), nullptr);
    EXPECT_EQ(numberLocale().decimal, ",");
}

TEST(AboutText, ShowsTheProjectVersionOnTheTitleLine)
{
    EXPECT_EQ(frmAbout::aboutText().at(3).toStdString(), "Slopekit " SLOPEKIT_PROJECT_VERSION);
}

}  // namespace
}  // namespace slopekit
