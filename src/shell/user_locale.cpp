#include "shell/user_locale.h"

#include <QLocale>

namespace slopekit {

NumberSeparators userNumberSeparators()
{
    const QLocale user = QLocale::system();
    return {user.decimalPoint().toStdString(), user.groupSeparator().toStdString()};
}

std::string userDecimalSymbol() { return QLocale::system().decimalPoint().toStdString(); }

}  // namespace slopekit
