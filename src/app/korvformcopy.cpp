#include "korvform.h"

#include "legacycode.h"

namespace korv {

std::int32_t TKorvForm::UnicodeToKorvaniCode(std::int32_t codeUnit) {
    return korv::UnicodeToKorvaniCode(codeUnit);
}

std::u16string TKorvForm::ConvertUnicodeToKorvaniString(std::u16string_view text) const {
    return korv::ConvertUnicodeToKorvaniString(text, UseUnicodeFont);
}

void TKorvForm::BtnCopyClick() {}

} // namespace korv
