// The process entry: the application, its one problem and engine, the Qt prompts and the
// clock, handed to the start-up.
#include "engine/engine_binding.h"
#include "messages/product_version.h"
#include "numbers/number_locale.h"
#include "problem/dimension.h"
#include "shell/decimal_point.h"
#include "shell/frm_slopekit.h"
#include "shell/qt_prompts.h"
#include "shell/shell_style.h"
#include "shell/sub_main.h"
#include "shell/system_clock.h"
#include "shell/user_locale.h"

#include <QApplication>

#include <algorithm>
#include <clocale>
#include <iostream>
#include <string_view>

int main(int argc, char** argv)
{
    using namespace slopekit;
    // Answered before the application exists, which would need a display.
    if (std::find(argv + 1, argv + argc, std::string_view("--version")) != argv + argc) {
        std::cout << product::titleAndVersion() << '\n';
        return 0;
    }
    QApplication app(argc, argv);
    // Qt switches the C library to the user's locale; number text must not depend on it.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setStyle(createShellStyle());

    numberLocale() = userNumberSeparators();
    QtPrompts prompts;
    SystemClock clock;
    Dimension dim;
    EngineBinding engine(dim);
    DecimalPoint decimalPoint(prompts, userDecimalSymbol);
    const std::unique_ptr<frmSlopekit> window = Main(dim, engine, prompts, decimalPoint, clock);
    if (!window)
        return 0;
    return app.exec();
}
