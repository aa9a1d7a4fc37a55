#include "shell/clock.h"
#include "shell/frm_about.h"
#include "shell/qt_prompts.h"
#include "shell/sub_main.h"
#include "window_fixture.h"

#include <QFileDialog>
#include <QPrinter>
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
TEST_F(StartUp, OnlyYesChangesTheDecimalSeparatorForTheRun)
{
    // answer: nothing when no warning is expected
    // clang-format off
    struct Row { const char* name; std::string userSymbol; std::optional<PromptAnswer> answer; bool goesOn; std::string decimalAfter; };
    const Row rows[] = {
        {.name = "point needs nothing", .userSymbol = ".", .answer = std::nullopt, .goesOn = true, .decimalAfter = "."},
        {.name = "comma, yes", .userSymbol = ",", .answer = PromptAnswer::Yes, .goesOn = true, .decimalAfter = "."},
        {.name = "comma, no", .userSymbol = ",", .answer = PromptAnswer::No, .goesOn = false, .decimalAfter = ","},
        {.name = "middle dot is warned as the comma", .userSymbol = "\xC2\xB7", .answer = PromptAnswer::Yes, .goesOn = true, .decimalAfter = "."},
        {.name = "unreadable is empty", .userSymbol = "", .answer = PromptAnswer::Yes, .goesOn = true, .decimalAfter = "."},
        {.name = "cut at the first NUL", .userSymbol = std::string(",\0x", 3), .answer = PromptAnswer::Yes, .goesOn = true, .decimalAfter = "."},
    };
    // clang-format on
    for (const Row& row : rows) {
        const std::string shownSymbol = row.userSymbol.substr(0, row.userSymbol.find('\0'));
        numberLocale() = {shownSymbol, " "};
        FakePrompts prompts;
        if (row.answer)
            prompts.answers.push_back(*row.answer);
        DecimalPoint guard(prompts, [&] { return row.userSymbol; });

        EXPECT_EQ(guard.CheckDecimalSymbol(), row.goesOn) << row.name << ": goes on";
        EXPECT_EQ(numberLocale().decimal, row.decimalAfter) << row.name;
        EXPECT_EQ(prompts.messageBoxes.size(), row.answer ? 1u : 0u) << row.name << ": warnings";
        guard.RestoreDecimalSymbol();
        EXPECT_EQ(numberLocale().decimal, shownSymbol) << row.name << ": restored";
    }
}

// Acts in the next modal dialog once it shows.
struct UserAtTheDialog {
    explicit UserAtTheDialog(std::function<void(QWidget*)> act)
    {
        QObject::connect(&poll, &QTimer::timeout, [this, act] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                poll.stop();
                act(dialog);
            }
        });
        poll.start(10);
    }
    QTimer poll;
};

// The title and the text as the real box shows them, with no line wrapped, answered from
// the keyboard.
TEST_F(StartUp, TheRealMessageBoxShowsWhatItIsGiven)
{
    // clang-format off
    struct Row { const char* name; std::string title, text; PromptButtons buttons; Qt::Key key; const char* shownTitle; PromptAnswer answer; };
    const Row rows[] = {
        {.name = "warning, escape cancels", .title = "Decimal Comma Warning!", .text = Warning, .buttons = PromptButtons::YesNoCancel, .key = Qt::Key_Escape, .shownTitle = "Decimal Comma Warning!", .answer = PromptAnswer::Cancel},
        {.name = "warning, enter says yes", .title = "Decimal Comma Warning!", .text = Warning, .buttons = PromptButtons::YesNoCancel, .key = Qt::Key_Return, .shownTitle = "Decimal Comma Warning!", .answer = PromptAnswer::Yes},
        {.name = "untitled box is titled with the product name", .title = "", .text = "The file x cannot be opened.", .buttons = PromptButtons::Ok, .key = Qt::Key_Escape, .shownTitle = "Slopekit", .answer = PromptAnswer::Ok},
    };
    // clang-format on
    QtPrompts real;
    for (const Row& row : rows) {
        std::string title;
        std::optional<int> widest;  // the widest line of the text less the text's width
        UserAtTheDialog user([&](QWidget* box) {
            title = box->windowTitle().toStdString();
            const auto* label = box->findChild<QLabel*>("messageText");
            for (const QString& line : label->text().split('\n'))
                widest = std::max(widest.value_or(INT_MIN),
                                  label->fontMetrics().horizontalAdvance(line) - label->contentsRect().width());
            QTest::keyClick(box, row.key);
        });
        EXPECT_EQ(real.messageBox(row.title, row.text, row.buttons, PromptIcon::Critical), row.answer) << row.name;
        EXPECT_EQ(title, row.shownTitle) << row.name;
        EXPECT_LE(widest.value_or(INT_MAX), 0) << row.name << ": the widest line";
    }
}

// Each save dialog has its own title and file filter, and gives a name typed without a
// suffix the kind's own.
TEST_F(StartUp, EachRealSaveDialogIsMadeForItsKindOfFile)
{
    // clang-format off
    struct Row { const char* name; FileKind kind; const char* title; const char* filter; const char* saved; };
    const Row rows[] = {
        {.name = "problem", .kind = FileKind::Problem, .title = "Save Problem As", .filter = "Slopekit problems (*.sk)", .saved = "plot-saddle.sk"},
        {.name = "png", .kind = FileKind::Png, .title = "Save Plot as PNG", .filter = "PNG images (*.png)", .saved = "plot-saddle.png"},
        {.name = "svg", .kind = FileKind::Svg, .title = "Save Plot as SVG", .filter = "SVG images (*.svg)", .saved = "plot-saddle.svg"},
    };
    // clang-format on
    QTemporaryDir folder;
    QtPrompts real;
    for (const Row& row : rows) {
        QString title, filter;
        UserAtTheDialog user([&](QWidget* box) {
            auto* dialog = qobject_cast<QFileDialog*>(box);
            title = dialog->windowTitle();
            filter = dialog->selectedNameFilter();
            dialog->setDirectory(folder.path());
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            QTest::keyClicks(name, "plot-saddle");
            QTest::keyClick(name, Qt::Key_Return);
        });
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
    // clang-format off
    struct Row { const char* name; QPrinter::OutputFormat format; const char* chosen; const char* printed; };
    const Row rows[] = {
        {.name = "no suffix", .format = QPrinter::PdfFormat, .chosen = "/tmp/report", .printed = "/tmp/report.pdf"},
        {.name = "own suffix", .format = QPrinter::PdfFormat, .chosen = "/tmp/report.txt", .printed = "/tmp/report.txt"},
        {.name = "folder with a dot", .format = QPrinter::PdfFormat, .chosen = "/tmp/a.b/report", .printed = "/tmp/a.b/report.pdf"},
        {.name = "paper", .format = QPrinter::NativeFormat, .chosen = "", .printed = ""},
    };
    // clang-format on
    for (const Row& row : rows) {
        QPrinter printer;
        printer.setOutputFormat(row.format);
        printer.setOutputFileName(row.chosen);
        givePdfItsSuffix(printer);
        EXPECT_EQ(printer.outputFileName().toStdString(), row.printed) << row.name;
    }
}

TEST_F(StartUp, NoOrCancelEndsTheStartBeforeAnyWindowShows)
{
    for (PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Cancel}) {
        const int name = static_cast<int>(answer);
        prompts.answers = {answer};
        start();
        EXPECT_EQ(window, nullptr) << name;
        for (QWidget* widget : QApplication::topLevelWidgets())
            EXPECT_FALSE(widget->isVisible()) << name << ": " << nameOf(widget);
        EXPECT_EQ(clock.pauses, 0) << name << ": the splash";
    }
}

// Started at 100.6 (second 100), the splash goes once second 103 is read.
TEST_F(StartUp, TheSplashStaysMoreThanTwoWholeClockSeconds)
{
    int pausesWithSplash = 0;
    clock.onPause = [&] { pausesWithSplash += shown<frmAbout>() != nullptr; };
    prompts.answers = {PromptAnswer::Yes};
    start();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(clock.currentSecond(), 103);
    EXPECT_EQ(pausesWithSplash, clock.pauses);
    EXPECT_EQ(shown<frmAbout>(), nullptr);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(StartUp, ClosingTheWindowPutsTheUsersSeparatorBack)
{
    prompts.answers = {PromptAnswer::Yes};
    start();
    ASSERT_EQ(numberLocale().decimal, ".");
    window->close();
    EXPECT_EQ(numberLocale().decimal, ",");
}

}  // namespace
}  // namespace slopekit
