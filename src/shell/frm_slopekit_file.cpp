// File > Open, Save and Save As.
#include "shell/frm_slopekit.h"

namespace slopekit {

void frmSlopekit::mnuOpen_Click()
{
}

void frmSlopekit::mnuSave_Click()
{
}

void frmSlopekit::mnuSaveAs_Click()
{
}

}  // namespace slopekit
