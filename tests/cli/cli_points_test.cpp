// compute FILE --points: one row per point of a CSV file, streamed as CSV or JSON.
#include "cli/cli_run.h"

namespace slopekit::cli {
namespace {

// x*y/Sgn(x), which fails at x = 0, at the points of %D/in.
const std::string AtPoints = "compute %D/sgn --points %D/in";
const std::string Header = "x,y,Function,Dx,Dy,Dxx,Dyy,Dxy,error\n";
const std::string Row = "1000000,2000000,2000000000000,2000000,1000000,0,0,1,\n";
const std::string MissingAtTheKink = std::string("\"Dx: ") + AbsKink + "; Dxx: " + AbsKink + "; Dxy: " + AbsKink + "\"";
const std::string MissingAtTheKinkJson = std::string("[{\"label\":\"Dx\",\"reason\":\"") + AbsKink +
                                         "\"},{\"label\":\"Dxx\",\"reason\":\"" + AbsKink +
                                         "\"},{\"label\":\"Dxy\",\"reason\":\"" + AbsKink + "\"}]";

class CliPoints : public ::testing::TestWithParam<CliRun> {};

TEST_P(CliPoints, ComputeEveryPointOrNameTheFaultyLine) { expectRun(GetParam()); }

// clang-format off
const CliRun Runs[] = {
    {.name = "without_header", .line = AtPoints, .out = Header + Row, .input = "1E6,2E6"},
    {.name = "header_in_any_order_blanks_and_crlf", .line = AtPoints + " --format csv", .out = Header + Row, .input = " Y , X \r\n\r\n 2E6 ,\t1E6\t\r\n"},
    {.name = "failing_point_gives_its_message_and_the_others_go_on", .line = AtPoints, .status = 1, .out = Header + "0,1,,,,,,,\"Slopekit expression runtime error 6: Overflow\"\n" + Row, .input = "0,1\n1E6,2E6\n"},
    {.name = "json_one_object_a_line", .line = AtPoints + " --format json", .status = 1, .out = "{\"gradient\":[2000000.0,1000000.0],\"hessian\":[[0.0,1.0],[1.0,0.0]],\"point\":[1000000.0,2000000.0],\"value\":2000000000000.0}\n{\"error\":\"Slopekit expression runtime error 6: Overflow\",\"point\":[0.0,1.0]}\n", .input = "1E6,2E6\n0,1\n"},
    {.name = "exact_missing_entry_empty_with_its_reason", .line = "compute %D/kink --points %D/in --exact", .out = Header + "0,3,9,,6,,2,," + MissingAtTheKink + "\n", .input = "0,3"},
    {.name = "exact_json_missing_entry_null_with_its_reason", .line = "compute %D/kink --points %D/in --exact --format json", .out = "{\"point\":[0.0,3.0],\"value\":9.0,\"gradient\":[null,6.0],\"hessian\":[[null,null],[null,2.0]],\"missing\":" + MissingAtTheKinkJson + "}\n", .input = "0,3"},
    // A CSV reader keeps one column of a name: the header names each column once.
    {.name = "header_of_variables_whose_labels_would_repeat", .line = "compute %D/in --points %D/points", .out = "x,xx,Function,Dx,Dxx,D(x,x),D(xx,xx),D(x,xx),error\n1,2,1,0,0,0,0,0,\n", .input = "Slopekit\r\n2,\"1\"\r\n\"x\",1\r\n\"xx\",2\r\n 0 \r\n"},
    {.name = "header_of_a_variable_named_error", .line = "compute %D/in --points %D/points", .out = "x,Error,Function,Dx,DError,Dxx,DErrorError,DxError,error_message\n1,2,1,0,0,0,0,0,\n", .input = "Slopekit\r\n2,\"1\"\r\n\"x\",1\r\n\"Error\",2\r\n 0 \r\n"},
    {.name = "byte_order_mark", .line = AtPoints, .out = Header + Row, .input = "\xEF\xBB\xBFx,y\n1E6,2E6\n"},
    {.name = "quoted_fields", .line = AtPoints, .out = Header + Row, .input = "\"x\",\"y\"\n\"1E6\", \"2E6\"\n"},
    {.name = "lines_ended_by_cr_alone", .line = AtPoints, .out = Header + Row, .input = "x,y\r1E6,2E6\r"},
    {.name = "numbers_as_the_point_boxes_read_them", .line = AtPoints, .out = Header + Row, .input = " 1D6 ,\t2000000.0\n"},
    {.name = "first_line_of_negative_numbers_is_data", .line = AtPoints, .out = Header + "-1000000,-2000000,-2000000000000,2000000,1000000,0,0,-1,\n", .input = "-1E6,-2E6\n"},
    {.name = "first_line_of_leading_points_is_data", .line = AtPoints, .out = Header + Row, .input = ".1E7,.2E7\n"},
    {.name = "wrong_count", .line = AtPoints, .status = 1, .err = "Line 2 of the points file has 3 values; it needs 2 (x, y).\n", .input = "1E6,2E6\n1,2,3\n"},
    {.name = "not_a_number_late_in_the_file", .line = AtPoints, .status = 1, .err = "Line 3 of the points file: \"2abc\" is not a number.\n", .input = "1,2\n3,4\n1,2abc\n"},
    {.name = "empty_file", .line = AtPoints, .status = 1, .err = "The points file holds no points.\n"},
    {.name = "unknown_variable", .line = AtPoints, .status = 1, .err = "Line 1 of the points file names \"z\", which is not a variable of the problem (x, y).\n", .input = "x,z\n1,2\n"},
    {.name = "variable_twice", .line = AtPoints, .status = 1, .err = "Line 1 of the points file names x twice.\n", .input = "x,X\n1,2\n"},
    {.name = "first_line_of_nan_is_data", .line = AtPoints, .status = 1, .err = "Line 1 of the points file: \"NaN\" is not a number.\n", .input = "NaN,nan\n"},
    {.name = "first_line_beyond_the_range_is_data", .line = AtPoints, .status = 1, .err = "Line 1 of the points file: \"1e999\" is beyond the number range.\n", .input = "1,1e999\n"},
    {.name = "nul_byte_shown_in_the_message", .line = AtPoints, .status = 1, .err = "Line 1 of the points file: \"2\\x00x\" is not a number.\n", .input = std::string("1,2\0x\n", 6)},
    {.name = "quote_never_closed", .line = AtPoints, .status = 1, .err = "Line 1 of the points file has a quoted field without its closing quote.\n", .input = "\"1,2\n"},
    {.name = "longest_line_4096_characters", .line = AtPoints, .out = Header + Row, .input = "1E6," + std::string(4089, ' ') + "2E6\n"},
    {.name = "line_too_long", .line = AtPoints, .status = 1, .err = "Line 1 of the points file is too long.\n", .input = "1E6," + std::string(4090, ' ') + "2E6\n"},
    {.name = "file_missing", .line = "compute %D/sgn --points %D/missing", .status = 1, .err = "The points file %D/missing cannot be opened: it does not exist.\n"},
    {.name = "file_a_folder", .line = "compute %D/sgn --points %D", .status = 1, .err = "The points file %D cannot be opened: it is not a regular file.\n"},
    {.name = "function_that_does_not_compile_reported_once", .line = "compute %D/in --points %D/in", .status = 1, .err = "Slopekit expression syntax error 1023\nExpected expression\n\nAt line 1, col 5: [x*y+]\n", .input = "Slopekit\r\n2,\"x*y+\"\r\n\"x\",1\r\n\"y\",2\r\n 0 \r\n"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Commands, CliPoints, ::testing::ValuesIn(Runs), rowName);

TEST(CliPoints, WritesPointColumnsThatReadBackToThePointsComputed)
{
    Folder folder;
    std::ofstream(folder.path + "/in", std::ios::binary) << "0.30000000000000004,1E6\n";
    EXPECT_THAT(runCli(AtPoints, folder.path).out, ::testing::HasSubstr("\n0.30000000000000004,1000000,"));
}

// Output that cannot be written ends a batch of points at once: these would take far
// longer than the CPU seconds allowed, and only the first rows are computed.
TEST(CliPoints, StopsAtTheFirstOutputThatCannotBeWritten)
{
    Folder folder;
    std::ofstream(folder.path + "/ten", std::ios::binary)
        << "Slopekit\r\n10,\"Sin(a)*Cos(b)+c*d*e/(1+f*f)+Exp(g/100)+Sqr(h*h+i*i+j*j)\"\r\n\"a\",1\r\n\"b\",1\r\n"
           "\"c\",1\r\n\"d\",1\r\n\"e\",1\r\n\"f\",1\r\n\"g\",1\r\n\"h\",1\r\n\"i\",1\r\n\"j\",1\r\n 0 \r\n";
    std::ofstream points(folder.path + "/many", std::ios::binary);
    for (int k = 1; k <= 200000; ++k)
        points << k << ",2,3,4,5,6,7,8,9,10\n";
    points.close();
    const Output output = run("sh -c 'ulimit -t 10; exec " SLOPEKIT_CLI " compute " + folder.path + "/ten --points " +
                                  folder.path + "/many >/dev/full'",
                              folder.path);
    EXPECT_EQ(output.status, 1) << "exit status";
    EXPECT_EQ(output.err, "The output could not be written.\n") << "standard error";
}

}  // namespace
}  // namespace slopekit::cli
