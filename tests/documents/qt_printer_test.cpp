#include "documents/qt/qt_printer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace slopekit {
namespace {

// Fonts need an application; one serves every test.
class QtPrinterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "documents_qt_tests";
        static char* argv[] = {name, nullptr};
        app = new QGuiApplication(argc, argv);
    }
    static void TearDownTestSuite() { delete app; }
    static inline QGuiApplication* app = nullptr;

    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    QTemporaryDir dir;
};

// Prints the lines as a report; false when printing failed.
bool printReport(QtPrinter& printer, const std::vector<std::string>& lines)
{
    try {
        ReportFont font(printer);
        printLines(printer, lines);
        return true;
    } catch (const PrinterFailed&) {
        return false;
    }
}

// The PDF of a report of lineCount lines, every other one empty, printed to the file the
// print dialog names.
QByteArray pdfOfLines(int lineCount, const std::string& path)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= lineCount; ++i)
        lines.push_back(i % 2 ? "Dx" + std::to_string(i) + " = " + std::to_string(i) : "");
    QtPrinter printer;
    printer.device().setOutputFormat(QPrinter::PdfFormat);
    printer.device().setOutputFileName(QString::fromStdString(path));
    printReport(printer, lines);
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(QtPrinterTest, BreaksPagesItselfAboutSixtyLinesToAPage)
{
    // clang-format off
    struct Row { const char* name; int lines; int pages; };
    const Row rows[] = {
        {.name = "ten_lines", .lines = 10, .pages = 1},
        {.name = "150_lines", .lines = 150, .pages = 3},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(pdfOfLines(row.lines, path(row.name)).count("/Type /Page\n"), row.pages) << row.name;
}

TEST_F(QtPrinterTest, PrintsInTheFaceThatStandsForCourierNew)
{
    EXPECT_TRUE(pdfOfLines(2, path("face.pdf")).contains("LiberationMono"));
}

TEST_F(QtPrinterTest, ThePagesHaveMarginsOfTwoCentimetres)
{
    EXPECT_EQ(QtPrinter().device().pageLayout().margins(QPageLayout::Millimeter), QMarginsF(20, 20, 20, 20));
}

TEST_F(QtPrinterTest, AFileThatCannotBeMadeFailsThePrint)
{
    QtPrinter printer;
    printer.printToFile("/nonexistent-folder/report.pdf");
    EXPECT_FALSE(printReport(printer, {"x"}));
}

// A name is the system's bytes, which need not be UTF-8.
TEST_F(QtPrinterTest, ThePdfTakesTheExactBytesOfItsName)
{
    const std::string name = dir.path().toStdString() + "/r\xE9sultat.pdf";
    QtPrinter printer;
    printer.printToFile(name);
    ASSERT_TRUE(printReport(printer, {"x"}));
    EXPECT_TRUE(std::filesystem::exists(name));
    std::filesystem::remove(name);  // a name QTemporaryDir cannot spell
}

TEST_F(QtPrinterTest, AFileChosenInThePrintDialogTakesTheNextReport)
{
    QtPrinter printer;
    printer.printToFile(path("first.pdf"));
    printer.device().setOutputFileName(QString::fromStdString(path("chosen.pdf")));
    ASSERT_TRUE(printReport(printer, {"x"}));
    EXPECT_TRUE(std::filesystem::exists(path("chosen.pdf")));
}

// A line with nothing on it takes at least one character, however narrow the room: else a
// character wider than the page would be carried from line to line for ever.
TEST_F(QtPrinterTest, TakesTheCharactersThatFitTheRoom)
{
    const QFontMetricsF metrics(QFont("Courier New", 10));
    const auto width = [&](const QString& text) {
        qreal sum = 0;
        for (const QChar c : text)
            sum += metrics.horizontalAdvance(c);
        return sum;
    };
    struct Row {
        const char* name;
        QString text;
        qreal room;
        bool lineEmpty;
        qsizetype fits;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "text_exactly_as_wide_as_the_room", .text = "x+y", .room = width("x+y"), .lineEmpty = false, .fits = 3},
        {.name = "character_wider_than_an_empty_line", .text = "xy", .room = width("x") / 2, .lineEmpty = true, .fits = 1},
        {.name = "character_wider_than_the_rest_of_a_line", .text = "xy", .room = width("x") / 2, .lineEmpty = false, .fits = 0},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(fittingLength(row.text, row.room, metrics, row.lineEmpty), row.fits) << row.name;
}

// The text pdftotext reads from the file, or nothing where the tool cannot be run.
std::string pdfText(const std::string& path)
{
    std::string text;
    if (FILE* pipe = popen(("pdftotext -layout '" + path + "' - 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

// A line longer than the page is wide goes on over the following lines: every character is
// on the page, none past its edge, and the lines break after operators.
TEST_F(QtPrinterTest, WrapsALongLineSoThePageHoldsEveryCharacter)
{
    std::string function;
    for (int k = 1; function.size() < 580; ++k)
        function += "Sin(x" + std::to_string(k) + "*y)+";
    function.pop_back();
    QtPrinter printer;
    printer.printToFile(path("long.pdf"));
    printReport(printer, {"FUNCTION:", function, "END"});
    std::vector<std::string> lines;
    std::istringstream in(pdfText(path("long.pdf")));
    for (std::string line; std::getline(in, line);) {
        line.erase(line.find_last_not_of(' ') + 1);
        line.erase(0, line.find_first_not_of(' '));
        if (!line.empty() && line != "FUNCTION:" && line != "END" && !line.starts_with('\f'))
            lines.push_back(line);
    }
    ASSERT_GE(lines.size(), 6u);  // about eighty characters to a line
    std::string joined;
    for (const std::string& line : lines)
        joined += line;
    EXPECT_EQ(joined, function);
    for (std::size_t k = 0; k + 1 < lines.size(); ++k)
        EXPECT_TRUE(lines[k].ends_with('+')) << "line " << k + 1 << " breaks after: " << lines[k];
}

}  // namespace
}  // namespace slopekit
