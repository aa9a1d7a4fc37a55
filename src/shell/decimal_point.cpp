#include "shell/decimal_point.h"

#include "messages/product_texts.h"
#include "numbers/number_locale.h"
#include "shell/prompts.h"

namespace slopekit {

DecimalPoint::DecimalPoint(Prompts& prompts, std::function<std::string()> userDecimalSymbol)
    : m_prompts(prompts), m_userDecimalSymbol(std::move(userDecimalSymbol))
{
}

void DecimalPoint::ReadDecimalSymbol()
{
    SavedDecimalSymbol = m_userDecimalSymbol();
    const auto nul = SavedDecimalSymbol.find('\0');
    if (nul != std::string::npos)
        SavedDecimalSymbol.erase(nul);
}

void DecimalPoint::SetDecimalPoint() { numberLocale().decimal = "."; }

void DecimalPoint::RestoreDecimalSymbol() { numberLocale().decimal = SavedDecimalSymbol; }

bool DecimalPoint::CheckDecimalSymbol()
{
    ReadDecimalSymbol();
    if (SavedDecimalSymbol == ".")
        return true;
    const PromptAnswer answer = m_prompts.messageBox("Decimal Comma Warning!", decimalCommaWarning(),
                                                     PromptButtons::YesNoCancel, PromptIcon::Critical);
    if (answer != PromptAnswer::Yes)
        return false;
    SetDecimalPoint();
    return true;
}

std::string decimalCommaWarning()
{
    return std::string("Proper operation of this application requires the use of the DECIMAL POINT.\r") +
           "Your system is currently using the DECIMAL COMMA.\r" + "\r" +
           "Do you wish to temporarily change this system setting to decimal point?\r" +
           "(Upon exiting, this application will restore your setting.)\r" + "(See HELP FILE or visit " +
           product::WebAddress + " for instructions on how to change MANUALLY)\r" + "\r" + "Press YES to change.";
}

}  // namespace slopekit
