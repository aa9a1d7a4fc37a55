#include "window_fixture.h"

#include <gmock/gmock.h>

#include <QClipboard>

#include <cstdio>
#include <filesystem>
#include <deque>

namespace slopekit {
namespace {

using namespace testing;

const std::string Example = "Slopekit\r\n2,\"x^2*y+a\"\r\n\"x\",1.5\r\n\"y\",-2.5\r\n 1 \r\na=2.37\r\n";

// A point of 16 or 17 significant digits, or at the end of the double range, keeps every
// digit through Open and Save, and Compute sees it unrounded; a file written one byte per
// character, as older systems do (é is the byte E9), computes with its characters and is
// saved back byte for byte.
TEST_F(WindowTest, OpenFillsTheWindowWithEveryDigitAndCharacterAndSaveAsWritesItBack)
{
    const std::string text = "Slopekit\r\n2,\"(x-1)*1E16+y*0+Len(s)\"\r\n\"x\",1.000000000000001\r\n"
                             "\"y\",1.7976931348623157E+308\r\n 1 \r\ns=\"caf\xe9\"\r\n";
    const std::string file = write("full", text);
    open(file);
    EXPECT_TRUE(messages().empty() && lines().empty() && !dim->ResultsShown && !dim->Loading);
    EXPECT_EQ(stage() + " " + hint(), std::string(WorkingStage) + " ");
    EXPECT_EQ(window->txtOrder->text() + " " + window->txtVarNams->text() + " " + window->txtEquation->text() +
                  " " + window->cboConstants->currentText(),
              "2 x,y (x-1)*1E16+y*0+Len(s) ");
    EXPECT_EQ(focus(), "txtEquation");
    EXPECT_EQ(window->txtEquation->selectedText(), "");
    EXPECT_EQ(pointRows(), (Texts{"x=1.000000000000001", "y=1.7976931348623157E+308"}));
    EXPECT_EQ(constants(), Texts{"s=\"caf\u00e9\""});
    EXPECT_EQ(dim->ProblemFile, file);
    EXPECT_EQ(dim->NumCons, 1);

    prompts->fileNames = {path("again")};
    window->mnuSaveAs->trigger();
    EXPECT_EQ(bytesOf(path("again")), text);
    type(window->txtVarx[1], "0");  // the steps of y would leave the double range
    clickThroughWindow(window->cmdCompute);
    ASSERT_FALSE(lines().empty());
    EXPECT_EQ(lines()[0], "Function = 15.1022302462516");
    // Closing asks only while the problem differs from the one last opened or saved.
    prompts->answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(window->close());
    type(window->txtVarx[1], "1.7976931348623157E+308");
    EXPECT_TRUE(window->close());
    EXPECT_EQ(messages().size(), 1u);
}

// A refused file, or Cancel in the dialog, changes nothing, and Open is still offered.
TEST_F(WindowTest, ARefusedOpenLeavesTheWindowAsItWas)
{
    // message: what the one message starts with, "" for none
    struct Row { const char* name; std::string fileText; const char* message; PromptIcon icon; };
    const Row rows[] = {
        {"cancel", "", "", PromptIcon::None},
        {"signature_in_capitals", "SLOPEKIT\r\n1,\"x\"\r\n\"x\",1\r\n 0 \r\n", "Incompatible file", PromptIcon::None},
        {"ends_early", "Slopekit\r\n2,\"x*y\"\r\n\"x\",1\r\n", "The file ", PromptIcon::Exclamation},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        restart();
        if (*row.message)
            open(write(row.name, row.fileText));
        else
            window->mnuOpen->trigger();  // the dialog gives no name
        ASSERT_EQ(messages().size(), *row.message ? 1u : 0u);
        if (*row.message) {
            const FakePrompts::MessageBox& box = prompts->messageBoxes[0];
            EXPECT_TRUE(box.text.starts_with(row.message)) << box.text;
            EXPECT_EQ(box, (FakePrompts::MessageBox{"Slopekit", box.text, PromptButtons::Ok, row.icon}));
        }
        EXPECT_EQ(stage(), CountStage);
        EXPECT_EQ(dim->Order + dim->NumCons + window->cboConstants->count(), 0);
        EXPECT_EQ(dim->ProblemFile + window->txtEquation->text().toStdString(), "");
        open(write("good", Example));
        EXPECT_EQ(dim->Order, 2);
    }
}

// Save asks for a name only while the problem has none; a Save As that is cancelled, fails
// or is refused changes neither the name nor the file written last.
TEST_F(WindowTest, SaveWritesToTheLastNameWrittenAndARefusedOrFailedSaveSaysWhy)
{
    enterProblem("2", "x,y");
    type(window->txtEquation, "x^2*y+a");
    addConstant("a=2.37");
    type(window->txtVarx[0], "1.5");
    type(window->txtVarx[1], "-2.5");
    const std::string first = path("first"), second = path("second");
    prompts->fileNames = {first};
    window->mnuSave->trigger();
    EXPECT_EQ(bytesOf(first), Example);

    type(window->txtEquation, "x & \"y\"");
    window->mnuSave->trigger();
    ASSERT_THAT(messages(),
                ::testing::ElementsAre(::testing::MatchesRegex("The problem was not saved\\.\r.*double quote.*")));
    EXPECT_EQ(prompts->messageBoxes[0].icon, PromptIcon::Exclamation);
    EXPECT_EQ(bytesOf(first), Example);

    type(window->txtEquation, "x*y");
    prompts->fileNames = {path("no/such/folder"), second};
    window->mnuSaveAs->trigger();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(prompts->messageBoxes[1].icon, PromptIcon::Critical);
    EXPECT_EQ(dim->ProblemFile, first);
    window->mnuSaveAs->trigger();
    type(window->txtEquation, "x+y");
    window->mnuSave->trigger();
    EXPECT_EQ(bytesOf(first), Example);
    EXPECT_EQ(bytesOf(second), "Slopekit\r\n2,\"x+y\"\r\n\"x\",1.5\r\n\"y\",-2.5\r\n 1 \r\na=2.37\r\n");

    window->mnuSaveAs->trigger();  // Cancel
    type(window->txtEquation, "x-y");
    window->mnuSave->trigger();
    EXPECT_EQ(prompts->saveDialogs, 4);
    EXPECT_EQ(prompts->saveKinds, std::vector<FileKind>(4, FileKind::Problem));
    EXPECT_EQ(dim->ProblemFile, second);
    EXPECT_TRUE(bytesOf(second).starts_with("Slopekit\r\n2,\"x-y\"\r\n"));
    EXPECT_EQ(messages().size(), 2u);
}

// A file the user made read-only is protected from Save As, which would rename over it.
TEST_F(WindowTest, SaveAsRefusesAReadOnlyFileAndLeavesItAsItWas)
{
    enterProblem("1", "x");
    type(window->txtEquation, "x^2");
    const std::string kept = write("kept", Example);
    std::filesystem::permissions(kept, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    prompts->fileNames = {kept};
    window->mnuSaveAs->trigger();
    EXPECT_THAT(messages(), ::testing::ElementsAre("The file " + kept + " is read-only."));
    EXPECT_EQ(bytesOf(kept), Example);
    EXPECT_EQ(dim->ProblemFile, "");
}

// The box once cut a function at 32,767 characters without a word.
TEST_F(WindowTest, ALongFunctionIsKeptWholeAndALongerPasteIsRefused)
{
    const std::string function = "x" + QString("+x").repeated(20000).toStdString();
    const std::string problem = "Slopekit\r\n1,\"" + function + "\"\r\n\"x\",1\r\n 0 \r\n";
    const std::string file = write("long", problem);
    open(file);
    EXPECT_EQ(window->txtEquation->text().toStdString(), function);
    std::remove(file.c_str());
    window->mnuSave->trigger();
    EXPECT_EQ(bytesOf(file), problem);

    QApplication::clipboard()->setText(QString(70000, QChar('y')));
    window->txtEquation->setFocus();
    window->txtEquation->selectAll();
    QTest::keyClick(window->txtEquation, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->txtEquation->text().toStdString(), function);
    EXPECT_EQ(messages(), Texts{"The function is too long: a function may be at most 65,536 characters long."});
}

TEST_F(WindowTest, ClosingAsksOnlyWhenWorkWouldBeLost)
{
    using A = PromptAnswer;
    // function: typed after the problem is entered; giveFileName: for a Save chosen at the question
    struct Row { const char* name; QString function; std::deque<PromptAnswer> answers;
                 bool giveFileName, asked, closed; };
    const Row rows[] = {
        {"no_function_yet", "", {}, false, false, true},
        {"cancel_keeps_the_window", "x*y", {A::Cancel}, false, true, false},
        {"discard_closes", "x*y", {A::Discard}, false, true, true},
        {"save_writes_then_closes", "x*y", {A::Save}, true, true, true},
        {"cancelled_save_keeps_the_window", "x*y", {A::Save}, false, true, false},
    };
    const FakePrompts::MessageBox question{
        "Slopekit", "The problem has changed since it was last saved.\rSave it before closing?",
        PromptButtons::SaveDiscardCancel, PromptIcon::Exclamation};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        restart();
        std::remove(path("at_close").c_str());
        enterProblem("2", "x,y");
        if (!row.function.isEmpty())
            type(window->txtEquation, row.function);
        prompts->answers = row.answers;
        if (row.giveFileName)
            prompts->fileNames = {path("at_close")};
        EXPECT_EQ(window->close(), row.closed);
        EXPECT_EQ(window->isVisible(), !row.closed);
        EXPECT_EQ(prompts->messageBoxes, row.asked ? FakePrompts::MessageBoxes{question} : FakePrompts::MessageBoxes{});
        EXPECT_EQ(bytesOf(path("at_close")).empty(), !row.giveFileName || !row.closed);
    }
}

}  // namespace
}  // namespace slopekit
