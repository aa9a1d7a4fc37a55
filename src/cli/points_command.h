#pragma once

#include "cli/cli_arguments.h"
#include "cli/cli_session.h"

#include <ostream>

namespace slopekit::cli {

// compute FILE --points POINTS [--exact] [--format csv|json]: the session's problem (loaded
// from FILE) at every point of the points file, one output row per point, streamed: in CSV
// a header and one line a point (the point, the list's values in its label order, an error
// column); in JSON one object a line. With --exact the values are the exact results: a
// missing one is an empty cell with its reason in the error column, or null in JSON with
// its reason under "missing". A point that fails gives its row with the message
// and the others go on. The whole points file is checked before any row is written; a row
// that cannot be written ends the run before the next point is computed, leaving the
// report of the lost output to the caller, who sees the stream failed. Returns 0, or 1
// when the file is bad, any point failed or the output was lost.
int runPointsCommand(CliSession& session, const CliArguments& request, std::ostream& out, std::ostream& err);

}  // namespace slopekit::cli
