#include "problem/dimension.h"
#include "shell/frm_slopekit.h"

#include <QListWidget>

namespace slopekit {

// Empties the results list once the shown results no longer match the inputs; a problem
// file that is being put into the window changes nothing here.
void frmSlopekit::ClearResults()
{
    if (m_dim.Loading)
        return;
    m_dim.ResultsShown = false;
    lstDerVal->clear();
    emit resultsCleared();
}

}  // namespace slopekit
