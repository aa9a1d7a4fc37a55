#include "window_fixture.h"

#include <QClipboard>

#include <cstdio>
#include <deque>
#include <filesystem>

namespace slopekit {
namespace {

using namespace testing;

const std::string Example = "Slopekit\r\n2,\"x^2*y+a\"\r\n\"x\",1.5\r\n\"y\",-2.5\r\n 1 \r\na=2.37\r\n";

// A point of 16 or 17 significant digits, or at the end of the double range; a file written
// one byte per character, as older systems do (é is the byte E9).
const std::string Full = "Slopekit\r\n2,\"(x-1)*1E16+y*0+Len(s)\"\r\n\"x\",1.000000000000001\r\n"
                         "\"y\",1.7976931348623157E+308\r\n 1 \r\ns=\"caf\xe9\"\r\n";

// The reading itself is the problem file's matter, tested with it.
TEST_F(WindowTest, OpenShowsTheProblemAsWritten)
{
    open(write("full", Full));
    EXPECT_EQ(messages(), Texts{});
    EXPECT_EQ(stage(), Stage::Working);
    EXPECT_EQ(hint(), "");
    EXPECT_EQ(window->txtOrder->text(), "2");
    EXPECT_EQ(window->txtVarNams->text(), "x,y");
    EXPECT_EQ(window->txtEquation->text(), "(x-1)*1E16+y*0+Len(s)");
    EXPECT_EQ(window->lblVarx[1]->text(), "y=");
    EXPECT_EQ(window->txtVarx[0]->text(), "1.000000000000001");
    EXPECT_EQ(window->txtVarx[1]->text(), "1.7976931348623157E+308");
    EXPECT_TRUE(window->txtVarx[1]->isVisible()) << "the second point box";
    EXPECT_FALSE(window->txtVarx[2]->isVisible()) << "the third point box";
    EXPECT_EQ(constants(), Texts{"s=\"caf\u00e9\""});
    EXPECT_EQ(focus(), "txtEquation");
}

// The window keeps the one byte per character the file was written in.
TEST_F(WindowTest, AnOpenedProblemIsSavedBackByteForByte)
{
    open(write("full", Full));
    prompts->fileNames = {path("again")};
    window->mnuSaveAs->trigger();
    EXPECT_EQ(bytesOf(path("again")), Full);
}

// A refused file, or Cancel in the dialog, changes nothing, and Open is still offered.
TEST_F(WindowTest, ARefusedOpenLeavesTheWindowAsItWas)
{
    // message: what the one message starts with, "" for none
    // clang-format off
    struct Row { const char* name; std::string fileText = {}; const char* message; PromptIcon icon; };
    const Row rows[] = {
        {.name = "cancel", .message = "", .icon = PromptIcon::None},
        {.name = "signature in capitals", .fileText = "SLOPEKIT\r\n1,\"x\"\r\n\"x\",1\r\n 0 \r\n", .message = "Incompatible file", .icon = PromptIcon::None},
        {.name = "ends early", .fileText = "Slopekit\r\n2,\"x*y\"\r\n\"x\",1\r\n", .message = "The file ", .icon = PromptIcon::Exclamation},
    };
    // clang-format on
    for (const Row& row : rows) {
        restart();
        if (*row.message)
            open(write(row.name, row.fileText));
        else
            window->mnuOpen->trigger();  // the dialog gives no name
        ASSERT_EQ(messages().size(), *row.message ? 1u : 0u) << row.name;
        if (*row.message) {
            EXPECT_TRUE(messages()[0].starts_with(row.message)) << row.name << ": " << messages()[0];
            EXPECT_EQ(prompts->messageBoxes[0].icon, row.icon) << row.name;
        }
        EXPECT_EQ(stage(), Stage::Count) << row.name;
        EXPECT_EQ(dim->Order, 0) << row.name;
        EXPECT_EQ(dim->ProblemFile, "") << row.name;
        EXPECT_TRUE(window->mnuOpen->isEnabled()) << row.name;
    }
}

// Save asks for a name only while the problem has none.
TEST_F(WindowTest, SaveWritesToTheLastNameGiven)
{
    enterProblem("2", "x,y");
    type(window->txtEquation, "x^2*y+a");
    addConstant("a=2.37");
    type(window->txtVarx[0], "1.5");
    type(window->txtVarx[1], "-2.5");
    prompts->fileNames = {path("first")};
    window->mnuSave->trigger();
    EXPECT_EQ(bytesOf(path("first")), Example);
    prompts->fileNames = {path("second")};
    window->mnuSaveAs->trigger();
    type(window->txtEquation, "x+y");
    window->mnuSave->trigger();
    EXPECT_EQ(prompts->saveKinds.size(), 2u) << "save dialogs";
    EXPECT_EQ(bytesOf(path("first")), Example);
    EXPECT_EQ(bytesOf(path("second")), "Slopekit\r\n2,\"x+y\"\r\n\"x\",1.5\r\n\"y\",-2.5\r\n 1 \r\na=2.37\r\n");
}

// A Save As that is cancelled, fails or is refused changes neither the name nor the file
// written last.
TEST_F(WindowTest, AFailedSaveAsChangesNeitherTheNameNorTheFile)
{
    // clang-format off
    struct Row { const char* name; const char* function; std::deque<std::string> fileNames = {}; const char* message; };
    const Row rows[] = {
        {.name = "cancelled", .function = "x*y", .message = ""},
        {.name = "no such folder", .function = "x*y", .fileNames = {"no/such/folder"}, .message = "The file "},
        {.name = "function a file cannot hold", .function = "x & \"y\"", .fileNames = {"kept"}, .message = "The problem was not saved."},
    };
    // clang-format on
    for (const Row& row : rows) {
        restart();
        enterProblem("1", "x");
        type(window->txtEquation, "x^2");
        prompts->fileNames = {path("kept")};
        window->mnuSave->trigger();
        type(window->txtEquation, row.function);
        for (const std::string& name : row.fileNames)
            prompts->fileNames.push_back(path(name.c_str()));
        window->mnuSaveAs->trigger();
        EXPECT_EQ(dim->ProblemFile, path("kept")) << row.name;
        EXPECT_TRUE(bytesOf(path("kept")).starts_with("Slopekit\r\n1,\"x^2\"")) << row.name;
        EXPECT_EQ(messages().empty(), !*row.message) << row.name;
        for (const std::string& message : messages())
            EXPECT_TRUE(message.starts_with(row.message)) << row.name << ": " << message;
    }
}

// The box once cut a function at 32,767 characters without a word.
TEST_F(WindowTest, ALongFunctionIsKeptWhole)
{
    const std::string function = "x" + QString("+x").repeated(20000).toStdString();
    const std::string problem = "Slopekit\r\n1,\"" + function + "\"\r\n\"x\",1\r\n 0 \r\n";
    const std::string file = write("long", problem);
    open(file);
    EXPECT_EQ(window->txtEquation->text().toStdString(), function);
    std::remove(file.c_str());
    window->mnuSave->trigger();
    EXPECT_EQ(bytesOf(file), problem);
}

TEST_F(WindowTest, APasteLongerThanAFunctionMayBeIsRefusedWithAMessage)
{
    enterProblem("1", "x");
    type(window->txtEquation, "x");
    QApplication::clipboard()->setText(QString(70000, QChar('y')));
    QTest::keyClick(window->txtEquation, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->txtEquation->text(), "x");
    EXPECT_EQ(messages(), Texts{"The function is too long: a function may be at most 65,536 characters long."});
}

TEST_F(WindowTest, ClosingAsksOnlyWhenWorkWouldBeLost)
{
    using A = PromptAnswer;
    // giveFileName: for a Save chosen at the question
    // clang-format off
    struct Row { const char* name; QString function; std::deque<PromptAnswer> answers = {}; bool giveFileName = false; bool asked; bool closed; };
    const Row rows[] = {
        {.name = "no function yet", .function = "", .asked = false, .closed = true},
        {.name = "cancel keeps the window", .function = "x*y", .answers = {A::Cancel}, .asked = true, .closed = false},
        {.name = "discard closes", .function = "x*y", .answers = {A::Discard}, .asked = true, .closed = true},
        {.name = "save writes then closes", .function = "x*y", .answers = {A::Save}, .giveFileName = true, .asked = true, .closed = true},
        {.name = "cancelled save keeps the window", .function = "x*y", .answers = {A::Save}, .asked = true, .closed = false},
    };
    // clang-format on
    for (const Row& row : rows) {
        restart();
        std::remove(path("at_close").c_str());
        enterProblem("2", "x,y");
        type(window->txtEquation, row.function);
        prompts->answers = row.answers;
        if (row.giveFileName)
            prompts->fileNames = {path("at_close")};
        EXPECT_EQ(window->close(), row.closed) << row.name;
        EXPECT_EQ(messages().size(), row.asked ? 1u : 0u) << row.name;
        EXPECT_EQ(std::filesystem::exists(path("at_close")), row.giveFileName) << row.name << ": saved";
    }
}

TEST_F(WindowTest, ClosingAsksNothingOnceTheProblemIsAsLastOpened)
{
    open(write("example", Example));
    type(window->txtVarx[1], "0");
    type(window->txtVarx[1], "-2.5");
    EXPECT_TRUE(window->close());
    EXPECT_EQ(messages(), Texts{});
}

}  // namespace
}  // namespace slopekit
