#include "shell/sub_main.h"

#include "shell/clock.h"
#include "shell/decimal_point.h"
#include "shell/frm_about.h"
#include "shell/frm_slopekit.h"

#include <QCoreApplication>
#include <QPointer>

namespace slopekit {

std::unique_ptr<frmSlopekit> Main(Dimension& dim, EngineBinding& engine, Prompts& prompts, DecimalPoint& decimalPoint,
                                  Clock& clock)
{
    if (!decimalPoint.CheckDecimalSymbol())
        return nullptr;
    showSplash(clock);
    auto window = std::make_unique<frmSlopekit>(dim, engine, prompts, decimalPoint);
    window->show();
    return window;
}

void showSplash(Clock& clock)
{
    QPointer<frmAbout> splash = new frmAbout;
    splash->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const std::int64_t start = clock.currentSecond();
    while (clock.currentSecond() - start <= 2) {
        clock.pause();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    delete splash.data();
}

}  // namespace slopekit
