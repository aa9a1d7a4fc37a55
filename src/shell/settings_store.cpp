#include "shell/settings_store.h"

namespace slopekit {

std::unique_ptr<QSettings> openSettings()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "slopekit", "slopekit");
}

}  // namespace slopekit
