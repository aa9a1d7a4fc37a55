// The Compute command and the user constants.
#include "shell/frm_slopekit.h"

namespace slopekit {

void frmSlopekit::cmdCompute_Click()
{
}

void frmSlopekit::cmdAddCons_Click()
{
}

void frmSlopekit::cmdRemCons_Click()
{
}

void frmSlopekit::cboConstants_KeyPress(int /*KeyAscii*/)
{
}

void frmSlopekit::cboConstants_Change()
{
}

}  // namespace slopekit
