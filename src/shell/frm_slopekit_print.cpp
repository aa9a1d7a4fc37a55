// The Print command: the printed report.
#include "shell/frm_slopekit.h"

namespace slopekit {

void frmSlopekit::mnuPrint_Click()
{
}

}  // namespace slopekit
