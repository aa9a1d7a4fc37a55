#include "file_size_limit.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QTemporaryDir>

#include <cstdio>

#include <deque>

#include <fstream>
#include <sstream>

namespace slopekit {
namespace {

using namespace testing;

const std::string Example = "Slopekit\r\n2,\"x^2*y+a\"\r\n\"x\",1.5\r\n\"y\",-2.5\r\n 1 \r\na=2.37\r\n";

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class FileTest : public WindowTest {
protected:
    std::string path(const char* name) const { return m_dir.filePath(name).toStdString(); }
    std::string write(const char* name, const std::string& text) const
    {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
    void open(const std::string& name)
    {
        prompts.fileNames.push_back(name);
        window->mnuOpen->trigger();
    }
    // The example problem entered by hand.
    void enterExample()
    {
        enterProblem("2", "x,y");
        type(window->txtEquation, "x^2*y+a");
        type(window->txtVarx[0], "1.5");
        type(window->txtVarx[1], "-2.5");
        window->cboConstants->setEditText("a=2.37");
        window->cmdAddCons_Click();
    }

private:
    QTemporaryDir m_dir;
};

TEST_F(FileTest, OpenFillsTheWindowAndGoesToTheWorkingStage)
{
    const std::string file = write("example", Example);
    open(file);
    const frmSlopekit& w = *window;
    EXPECT_TRUE(prompts.messageBoxes.empty());
    EXPECT_EQ(w.txtOrder->text(), "2");
    EXPECT_EQ(w.txtVarNams->text(), "x,y");
    EXPECT_EQ(w.txtEquation->text(), "x^2*y+a");
    EXPECT_FALSE(w.txtOrder->isEnabled());
    EXPECT_FALSE(w.txtVarNams->isEnabled());
    EXPECT_TRUE(w.fraEval->isVisible());
    for (std::size_t k = 0; k < frmSlopekit::PointBoxes; ++k) {
        EXPECT_EQ(w.txtVarx[k]->isVisible(), k < 2) << k;
        EXPECT_EQ(w.lblVarx[k]->isVisible(), k < 2) << k;
    }
    EXPECT_EQ(w.txtVarx[0]->text(), "1.5");
    EXPECT_EQ(w.txtVarx[1]->text(), "-2.5");
    EXPECT_EQ(w.lblVarx[0]->text(), "x=");
    EXPECT_EQ(w.lblVarx[1]->text(), "y=");
    ASSERT_EQ(w.cboConstants->count(), 1);
    EXPECT_EQ(w.cboConstants->itemText(0), "a=2.37");
    EXPECT_EQ(w.cboConstants->currentText(), "");
    EXPECT_FALSE(w.mnuOpen->isEnabled());
    EXPECT_TRUE(w.mnuSave->isEnabled());
    EXPECT_TRUE(w.mnuSaveAs->isEnabled());
    EXPECT_TRUE(w.mnuPrint->isEnabled());
    EXPECT_TRUE(w.mnuAbout->isVisible());
    EXPECT_EQ(w.lstDerVal->count(), 0);
    EXPECT_FALSE(dim.ResultsShown);
    EXPECT_FALSE(dim.Loading);
    EXPECT_EQ(dim.ProblemFile, file);
    EXPECT_EQ(dim.NumCons, 1);
}

// A point of 16 or 17 significant digits, or at the end of the double range, keeps every
// digit through Open and Save, and Compute sees it unrounded.
TEST_F(FileTest, FullPrecisionPointReopensSavesAndComputesUnchanged)
{
    const std::string text =
        "Slopekit\r\n2,\"(x-1)*1E16+y*0\"\r\n\"x\",1.000000000000001\r\n\"y\",1.7976931348623157E+308\r\n 0 \r\n";
    open(write("full", text));
    EXPECT_EQ(window->txtVarx[0]->text(), "1.000000000000001");
    EXPECT_EQ(window->txtVarx[1]->text(), "1.7976931348623157E+308");
    prompts.fileNames = {path("again")};
    window->mnuSaveAs->trigger();
    EXPECT_EQ(contents(path("again")), text);
    type(window->txtVarx[1], "0");  // the steps of y would leave the double range
    clickThroughWindow(window->cmdCompute);
    ASSERT_GT(window->lstDerVal->count(), 0);
    EXPECT_EQ(window->lstDerVal->item(0)->text(), "Function = 11.1022302462516");
    EXPECT_TRUE(prompts.messageBoxes.empty());
}

struct RefusedFile {
    const char* name;
    const char* fileText;  // nullptr: no such file
    const char* message;   // what the one message starts with; "" for none (Cancel)
    PromptIcon icon;
};

void PrintTo(const RefusedFile& c, std::ostream* os) { *os << c.name; }

class OpenRefused : public FileTest, public ::testing::WithParamInterface<RefusedFile> {};

TEST_P(OpenRefused, LeavesWindowStateAndMenusAsTheyWereWithOpenStillOffered)
{
    const RefusedFile& c = GetParam();
    const std::string file = c.fileText ? write("file", c.fileText) : path("missing");
    if (std::string(c.name) == "cancel")
        window->mnuOpen->trigger();  // the dialog reports no name
    else
        open(file);
    if (*c.message) {
        ASSERT_EQ(prompts.messageBoxes.size(), 1u);
        EXPECT_EQ(prompts.messageBoxes[0].title, "Slopekit");
        EXPECT_TRUE(prompts.messageBoxes[0].text.starts_with(c.message)) << prompts.messageBoxes[0].text;
        EXPECT_EQ(prompts.messageBoxes[0].buttons, PromptButtons::Ok);
        EXPECT_EQ(prompts.messageBoxes[0].icon, c.icon);
    } else {
        EXPECT_TRUE(prompts.messageBoxes.empty());
    }
    EXPECT_EQ(dim.Order, 0);
    EXPECT_EQ(dim.NumCons, 0);
    EXPECT_EQ(dim.ProblemFile, "");
    EXPECT_TRUE(window->txtOrder->isEnabled());
    EXPECT_TRUE(window->txtVarNams->isEnabled());
    EXPECT_EQ(window->txtEquation->text(), "");
    EXPECT_FALSE(window->fraEval->isVisible());
    EXPECT_EQ(window->cboConstants->count(), 0);
    EXPECT_TRUE(window->mnuOpen->isEnabled());
    EXPECT_FALSE(window->mnuSave->isEnabled());
    EXPECT_FALSE(window->mnuPrint->isEnabled());

    open(write("good", Example));  // Open is still offered and works
    EXPECT_EQ(dim.Order, 2);
}

// One character more than a function may have.
const std::string FunctionTooLong = "Slopekit\r\n1,\"" + std::string(65537, 'x') + "\"\r\n\"x\",1\r\n 0 \r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, OpenRefused,
    ::testing::Values(
        RefusedFile{"cancel", nullptr, "", PromptIcon::None},
        RefusedFile{"signature_in_capitals", "SLOPEKIT\r\n1,\"x\"\r\n\"x\",1\r\n 0 \r\n", "Incompatible file",
                    PromptIcon::None},
        RefusedFile{"ends_early", "Slopekit\r\n2,\"x*y\"\r\n\"x\",1\r\n",
                    "The file ", PromptIcon::Exclamation},
        RefusedFile{"count_not_a_number", "Slopekit\r\nx,\"x\"\r\n", "The file ", PromptIcon::Exclamation},
        RefusedFile{"missing_file", nullptr, "The file ", PromptIcon::Exclamation},
        RefusedFile{"function_too_long", FunctionTooLong.c_str(), "The file ", PromptIcon::Exclamation}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileTest, SaveAfterSaveAsWritesToTheNewNameWithoutADialog)
{
    enterExample();
    const std::string first = path("first");
    const std::string second = path("second");
    prompts.fileNames = {first};
    window->mnuSave->trigger();  // no name yet: asks
    EXPECT_EQ(contents(first), Example);

    prompts.fileNames = {second};
    window->mnuSaveAs->trigger();
    type(window->txtEquation, "x*y");
    window->mnuSave->trigger();
    EXPECT_EQ(prompts.saveDialogs, 2);
    EXPECT_EQ(contents(first), Example);
    EXPECT_EQ(contents(second), "Slopekit\r\n2,\"x*y\"\r\n\"x\",1.5\r\n\"y\",-2.5\r\n 1 \r\na=2.37\r\n");

    window->mnuSaveAs->trigger();  // Cancel: nothing written, the name stays
    type(window->txtEquation, "x+y");
    window->mnuSave->trigger();
    EXPECT_EQ(prompts.saveDialogs, 3);
    EXPECT_EQ(dim.ProblemFile, second);
    EXPECT_TRUE(contents(second).starts_with("Slopekit\r\n2,\"x+y\"\r\n"));
    EXPECT_TRUE(prompts.messageBoxes.empty());
}

TEST_F(FileTest, ARefusedOrFailedSaveSaysWhyAndWritesNothing)
{
    enterExample();
    const std::string file = path("kept");
    prompts.fileNames = {file};
    window->mnuSave->trigger();

    type(window->txtEquation, "x & \"y\"");
    window->mnuSave->trigger();
    ASSERT_EQ(prompts.messageBoxes.size(), 1u);
    EXPECT_NE(prompts.messageBoxes[0].text.find("double quote"), std::string::npos);
    EXPECT_EQ(contents(file), Example);

    type(window->txtEquation, "x*y");
    prompts.fileNames = {path("no/such/folder")};
    window->mnuSaveAs->trigger();
    ASSERT_EQ(prompts.messageBoxes.size(), 2u);
    EXPECT_EQ(prompts.messageBoxes[1].icon, PromptIcon::Critical);
    EXPECT_EQ(dim.ProblemFile, file);  // later Saves still go to the file that was written
}

// The disk fills up during Save (here: the file-size limit is reached).
TEST_F(FileTest, ASaveThatFailsPartWayKeepsTheOldFileAndSaysSo)
{
    const std::string file = write("kept", Example);
    const std::string shown = path("shown");
    open(file);
    type(window->txtEquation, "x+" + QString(1200, QChar('y')));
    const int status = testing::exitStatusWithFileSizeLimit(1024, [&] {
        window->mnuSave->trigger();
        if (prompts.messageBoxes.size() != 1 || prompts.messageBoxes[0].icon != PromptIcon::Critical)
            return 1;
        std::ofstream(shown) << prompts.messageBoxes[0].text;
        return 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(contents(shown),
              "The file " + file + " could not be written (File too large). An earlier file of that name is unchanged.");
    EXPECT_EQ(contents(file), Example);
}

// The box once cut a function at 32,767 characters without a word.
TEST_F(FileTest, ALongFunctionIsKeptWholeAndALongerPasteIsRefused)
{
    std::string function = "x";
    for (int term = 1; term <= 20000; ++term)
        function += "+x";
    const std::string problem = "Slopekit\r\n1,\"" + function + "\"\r\n\"x\",1\r\n 0 \r\n";
    const std::string file = write("long", problem);
    open(file);
    EXPECT_EQ(window->txtEquation->text().toStdString(), function);
    click(window->cmdCompute);
    ASSERT_GT(window->lstDerVal->count(), 0);
    EXPECT_EQ(window->lstDerVal->item(0)->text(), "Function = 20001");
    std::remove(file.c_str());
    window->mnuSave->trigger();
    EXPECT_EQ(contents(file), problem);

    QApplication::clipboard()->setText(QString(70000, QChar('y')));
    window->txtEquation->setFocus();
    window->txtEquation->selectAll();
    QTest::keyClick(window->txtEquation, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->txtEquation->text().toStdString(), function);
    ASSERT_EQ(prompts.messageBoxes.size(), 1u);
    EXPECT_EQ(prompts.messageBoxes[0].text,
              "The function is too long: a function may be at most 65,536 characters long.");
}

// A file written one byte per character, as older systems do: é is the byte E9.
TEST_F(FileTest, AWindows1252FileComputesWithItsCharactersAndIsSavedBackByteForByte)
{
    const std::string problem = "Slopekit\r\n1,\"Len(s)+0*x\"\r\n\"x\",1\r\n 1 \r\ns=\"caf\xe9\"\r\n";
    open(write("cafe", problem));
    EXPECT_EQ(window->cboConstants->itemText(0), QString::fromUtf8("s=\"caf\u00e9\""));
    click(window->cmdCompute);
    ASSERT_GT(window->lstDerVal->count(), 0);
    EXPECT_EQ(window->lstDerVal->item(0)->text(), "Function = 4");
    prompts.fileNames = {path("saved")};
    window->mnuSaveAs->trigger();
    EXPECT_EQ(contents(path("saved")), problem);
}

TEST_F(FileTest, OpenLeavesTheFunctionUnselected)
{
    open(write("example", Example));
    ASSERT_EQ(QApplication::focusWidget(), window->txtEquation);
    EXPECT_EQ(window->txtEquation->selectedText(), "");
}

struct CloseCase {
    const char* name;
    QString function;  // typed after the problem is entered; empty: none
    bool savedFirst;   // saved before closing
    std::deque<PromptAnswer> answers;
    bool giveFileName;  // for a Save chosen at the question
    bool asked;
    bool closed;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class Closing : public FileTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(Closing, AsksOnlyWhenWorkWouldBeLost)
{
    const CloseCase& c = GetParam();
    enterProblem("2", "x,y");
    if (!c.function.isEmpty())
        type(window->txtEquation, c.function);
    if (c.savedFirst) {
        prompts.fileNames = {path("saved")};
        window->mnuSave->trigger();
    }
    prompts.answers = c.answers;
    if (c.giveFileName)
        prompts.fileNames = {path("at_close")};

    EXPECT_EQ(window->close(), c.closed);
    EXPECT_EQ(window->isVisible(), !c.closed);
    ASSERT_EQ(prompts.messageBoxes.size(), c.asked ? 1u : 0u);
    if (c.asked) {
        EXPECT_EQ(prompts.messageBoxes[0].text, "The problem has changed since it was last saved.\rSave it before closing?");
        EXPECT_EQ(prompts.messageBoxes[0].buttons, PromptButtons::SaveDiscardCancel);
    }
    EXPECT_EQ(contents(path("at_close")).empty(), !c.giveFileName || !c.closed);
}

using A = PromptAnswer;
INSTANTIATE_TEST_SUITE_P(
    Cases, Closing,
    ::testing::Values(CloseCase{"no_function_yet", "", false, {}, false, false, true},
                      CloseCase{"cancel_keeps_the_window", "x*y", false, {A::Cancel}, false, true, false},
                      CloseCase{"discard_closes", "x*y", false, {A::Discard}, false, true, true},
                      CloseCase{"save_writes_then_closes", "x*y", false, {A::Save}, true, true, true},
                      CloseCase{"cancelled_save_keeps_the_window", "x*y", false, {A::Save}, false, true, false},
                      CloseCase{"saved_problem_closes_at_once", "x*y", true, {}, false, false, true}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST_F(FileTest, ClosingAsksWhileTheOpenedProblemIsChanged)
{
    open(write("example", Example));
    type(window->txtVarx[0], "2");
    prompts.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(window->close());
    type(window->txtVarx[0], "1.5");  // as in the file again
    EXPECT_TRUE(window->close());
    EXPECT_EQ(prompts.messageBoxes.size(), 1u);
}

}  // namespace
}  // namespace slopekit
